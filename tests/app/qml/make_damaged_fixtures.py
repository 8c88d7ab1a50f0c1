#!/usr/bin/env python3
"""Damaged inputs for the window's end-to-end tests, written into the folder given: a photo with
junk before its first marker, a PDF with wrong cross-references, a DOCX cut before its central
directory, a WAV whose sizes were never filled in, an MP4 whose camera stopped before the index,
and a healthy clip from the same encoder as the sample."""
import io, math, os, struct, subprocess, sys, wave, zipfile

folder = sys.argv[1]
path = lambda name: os.path.join(folder, name)
ffmpeg = ["ffmpeg", "-nostdin", "-v", "error", "-y"]

subprocess.run(ffmpeg + ["-f", "lavfi", "-i", "testsrc=s=320x240", "-frames:v", "1", path("clean.jpg")], check=True)
with open(path("clean.jpg"), "rb") as f:
    clean = f.read()
os.remove(path("clean.jpg"))
with open(path("photo.jpg"), "wb") as f:
    f.write(b"\x5A" * 300 + clean)

objects = [b"<< /Type /Catalog /Pages 2 0 R >>", b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
           b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>",
           None, b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
stream = b"BT /F1 18 Tf 40 100 Td (Korvex test page) Tj ET"
objects[3] = b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream"
pdf = b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"
offsets = []
for i, body in enumerate(objects):
    offsets.append(len(pdf))
    pdf += b"%d 0 obj\n" % (i + 1) + body + b"\nendobj\n"
pdf += b"xref\n0 6\n0000000000 65535 f \n" + b"".join(b"%010d 00000 n \n" % (o + 7) for o in offsets)
pdf += b"trailer\n<< /Size 6 /Root 1 0 R >>\n"
with open(path("paper.pdf"), "wb") as f:
    f.write(pdf)

ct = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
      '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
      '<Default Extension="xml" ContentType="application/xml"/>'
      '<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>')
rels = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>')
doc = ('<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>'
       + "".join("<w:p><w:r><w:t>Paragraph %d of the Korvex test document.</w:t></w:r></w:p>" % i for i in range(40))
       + "</w:body></w:document>")
buffer = io.BytesIO()
with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", ct)
    z.writestr("_rels/.rels", rels)
    z.writestr("word/document.xml", doc)
data = buffer.getvalue()
with open(path("letter.docx"), "wb") as f:
    f.write(data[:data.index(b"PK\x01\x02")])

w = wave.open(path("voice.wav"), "wb")
w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(i / 8.0))) for i in range(16000)))
w.close()
with open(path("voice.wav"), "r+b") as f:
    f.seek(4); f.write(b"\0" * 4); f.seek(40); f.write(b"\0" * 4)

clip = ["-f", "lavfi", "-i", "testsrc=d=2:s=160x120:r=25", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25"]
subprocess.run(ffmpeg + clip + [path("sample.mp4")], check=True)
subprocess.run(ffmpeg + clip + [path("whole.mp4")], check=True)
with open(path("whole.mp4"), "rb") as f:
    whole = f.read()
os.remove(path("whole.mp4"))
moov, mdat = whole.index(b"moov"), whole.index(b"mdat")
assert moov > mdat
with open(path("camera.mp4"), "wb") as f:
    f.write(whole[:moov - 4])
