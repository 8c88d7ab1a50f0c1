#!/usr/bin/env python3
"""Writes the preview tests' fixtures into the folder given: a large PNG, text, a long binary line,
DOCX and XLSX packages, an ordinary and an oversized PDF, and media made by ffmpeg when present."""
import os, shutil, struct, subprocess, sys, zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import office_fixtures  # noqa: E402

folder = sys.argv[1]
path = lambda name: os.path.join(folder, name)


def png(name, width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    row = b"\x00" + bytes([30, 150, 77]) * width
    raw = zlib.compress(row * height, 9)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path(name), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", raw) + chunk(b"IEND", b""))


def pdf(name, pages, width, height):
    objects = ["<< /Type /Catalog /Pages 2 0 R >>", None, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
    kids = []
    for i in range(pages):
        content = "BT /F1 24 Tf 72 %d Td (Page %d) Tj ET" % (height - 100, i + 1)
        objects.append("<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content))
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %d %d] /Contents %d 0 R /Resources << /Font << /F1 3 0 R >> >> >>"
                       % (width, height, len(objects)))
        kids.append("%d 0 R" % len(objects))
    objects[1] = "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join(kids), pages)
    out = b"%PDF-1.4\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += ("%d 0 obj\n%s\nendobj\n" % (number, body)).encode("latin-1")
    xref = len(out)
    out += ("xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)).encode()
    out += "".join("%010d 00000 n \n" % o for o in offsets).encode()
    out += ("trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)).encode()
    with open(path(name), "wb") as f:
        f.write(out)


png("large.png", 6000, 4000)
with open(path("notes.txt"), "w", encoding="utf-8") as f:
    f.write("第一行 修复后的文本\nsecond line\n" * 20)
with open(path("blob.raw"), "wb") as f:
    f.write(b"KORVEX-" * 3000)
office_fixtures.docx(path("letter.docx"), ["Erster Absatz &lt;&gt;&amp;", "第二段"])
office_fixtures.pkg(path("table.xlsx"), [
    ("xl/workbook.xml", '<workbook %s><sheets><sheet name="S1" sheetId="1"/></sheets></workbook>' % office_fixtures.S),
    ("xl/worksheets/sheet1.xml", office_fixtures.sheet('<row r="5"><c r="C5" t="inlineStr"><is><t>C5 value</t></is></c></row>')),
])
pdf("pages.pdf", 3, 612, 792)
pdf("huge.pdf", 1, 14400, 14400)
pdf("giant.pdf", 1, 30000, 30000)

# A single-column CSV of 1.1 million lines (7.7 MB) and one 256 KiB line without a space.
with open(path("column.csv"), "w") as f:
    f.write("".join("%06d\n" % (i % 1000000) for i in range(1100000)))
with open(path("longline.txt"), "w") as f:
    f.write("x" * 262144)

# A progressive JPEG of a few hundred bytes whose frame header declares 40000 x 40000.
cjpeg = shutil.which("cjpeg")
if cjpeg:
    small = subprocess.run([cjpeg, "-progressive"], input=b"P5 16 16 255\n" + bytes(range(256)),
                           capture_output=True, check=True).stdout
    frame = small.index(b"\xff\xc2")
    with open(path("tiny.jpg"), "wb") as f:
        f.write(small[:frame + 5] + struct.pack(">HH", 40000, 40000) + small[frame + 9:])

ffmpeg = shutil.which("ffmpeg")
if ffmpeg:
    quiet = [ffmpeg, "-hide_banner", "-loglevel", "error", "-y"]
    subprocess.run(quiet + ["-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2", "-f", "lavfi",
                            "-i", "sine=frequency=440:duration=2", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                            "-c:a", "aac", "-shortest", path("clip.mp4")], check=True)
    subprocess.run(quiet + ["-f", "lavfi", "-i", "sine=frequency=440:duration=2", path("tone.wav")], check=True)
    subprocess.run(quiet + ["-f", "lavfi", "-i", "sine=frequency=440:duration=0.05", path("blip.wav")], check=True)
