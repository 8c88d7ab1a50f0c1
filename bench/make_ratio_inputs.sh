#!/bin/sh
# Writes the inputs copy_ratio_bench compares with cp: healthy MP4, MP4 cut to 90 %, MPEG-TS,
# WAV, ZIP and PDF, an MP3 cut to 90 %, FLV, AVI, program stream and M4A remuxes, and an archive
# of many small entries healthy and cut to 90 %, each about SIZE MiB (default 1024). With "zip"
# as third argument only the two archives of small entries are written.
# Usage: make_ratio_inputs.sh FOLDER [SIZE_MIB] [zip]
set -eu
dir=$1
mib=${2:-1024}
only=${3:-}
bytes=$((mib * 1024 * 1024))
mkdir -p "$dir"
cd "$dir"

# The archive users have: entries of 32 KiB in folders of 256, half stored (random bytes), half
# deflated (text), written by Python's zipfile; and the same cut to 90 %.
python3 - "$bytes" <<'PY'
import os, random, sys, zipfile
total = int(sys.argv[1])
entry = 32 << 10
words = [bytes(random.choices(b"abcdefghijklmnopqrstuvwxyz", k=random.randint(2, 9))) for _ in range(5000)]
text = b" ".join(random.choices(words, k=1 << 20))
with zipfile.ZipFile("zip-small.zip", "w") as z:
    n = 0
    # Up to the size, with room left for the central directory.
    while z.fp.tell() + (n + 1) * 120 + entry < total:
        if n % 256 == 0:
            z.mkdir("folder%04d" % (n // 256))
        name = "folder%04d/entry%03d.%s" % (n // 256, n % 256, "bin" if n % 2 else "txt")
        if n % 2:
            z.writestr(name, os.urandom(entry), zipfile.ZIP_STORED)
        else:
            at = random.randrange(len(text) - entry)
            z.writestr(name, text[at:at + entry], zipfile.ZIP_DEFLATED)
        n += 1
size = os.path.getsize("zip-small.zip")
with open("zip-small.zip", "rb") as f, open("zip-small-cut.zip", "wb") as out:
    out.write(f.read(size // 10 * 9))
PY
if [ "$only" = zip ]; then
    ls -l zip-small.zip zip-small-cut.zip
    exit 0
fi
q="ffmpeg -v error -y -nostdin"

# Short real clips, repeated by stream copy up to the size.
$q -f lavfi -i testsrc=d=10:s=1280x720:r=25 -c:v mpeg4 -q:v 1 -f mp4 clip.mp4
$q -f lavfi -i testsrc=d=10:s=1280x720:r=25 -c:v mpeg2video -q:v 1 -f mpegts clip.ts
$q -f lavfi -i sine=d=20 -c:a libmp3lame -b:a 320k clip.mp3
$q -stream_loop -1 -i clip.mp4 -c copy -fs "$bytes" mp4-healthy.mp4
$q -stream_loop -1 -i clip.mp4 -c copy -fs "$bytes" -movflags +faststart mp4-faststart.mp4
$q -stream_loop -1 -i clip.ts -c copy -fs "$bytes" -f mpegts ts-healthy.ts
$q -stream_loop -1 -i clip.mp3 -c copy -fs "$bytes" mp3-full.mp3
# Remuxed by stream copy: FLV, AVI, program stream, and M4A with its moov after the media.
$q -stream_loop -1 -i clip.mp4 -c copy -strict -1 -fs "$bytes" flv-healthy.flv
$q -stream_loop -1 -i clip.mp4 -c copy -fs "$bytes" avi-healthy.avi
$q -stream_loop -1 -i clip.ts -c copy -fs "$bytes" -f vob ps-healthy.mpg
# Encoding hours of AAC would take longer than everything else: a short clip is repeated instead.
$q -f lavfi -i "anoisesrc=d=20:r=44100" -ac 2 -c:a aac -b:a 320k clip.m4a
$q -stream_loop -1 -i clip.m4a -c copy -fs "$bytes" m4a-healthy.m4a
$q -f lavfi -i "anoisesrc=d=$((mib * 1024 * 1024 / 176400 + 1)):r=44100" -ac 2 -c:a pcm_s16le -fs "$bytes" wav-healthy.wav
for name in mp4-faststart.mp4:mp4-cut.mp4 mp3-full.mp3:mp3-cut.mp3; do
    from=${name%%:*}
    to=${name##*:}
    size=$(stat -c %s "$from")
    head -c $((size / 10 * 9)) "$from" > "$to"
    rm -f "$from"
done

# ZIP: stored entries of random data. PDF: pages of random streams with a correct table.
python3 - "$bytes" <<'PY'
import os, sys, zipfile
total = int(sys.argv[1])
chunk = 4 << 20
with zipfile.ZipFile("zip-healthy.zip", "w", zipfile.ZIP_STORED) as z:
    n = 0
    while n * chunk < total - chunk:
        z.writestr("part%04d.bin" % n, os.urandom(chunk))
        n += 1
body = [b"%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"]
offsets = []
pos = len(body[0])
def add(data):
    global pos
    offsets.append(pos)
    body.append(data)
    pos += len(data)
stream = os.urandom(1 << 20)
pages = max(1, total // len(stream) - 1)
add(b"1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n")
kids = b" ".join(b"%d 0 R" % (3 + 2 * i) for i in range(pages))
add(b"2 0 obj\n<< /Type /Pages /Kids [" + kids + b"] /Count %d >>\nendobj\n" % pages)
for i in range(pages):
    add(b"%d 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents %d 0 R >>\nendobj\n" % (3 + 2 * i, 4 + 2 * i))
    add(b"%d 0 obj\n<< /Length %d >>\nstream\n" % (4 + 2 * i, len(stream)) + stream + b"\nendstream\nendobj\n")
xref = pos
count = len(offsets) + 1
table = [b"xref\n0 %d\n0000000000 65535 f \n" % count] + [b"%010d 00000 n \n" % o for o in offsets]
trailer = b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (count, xref)
with open("pdf-healthy.pdf", "wb") as f:
    f.write(b"".join(body) + b"".join(table) + trailer)
PY
rm -f clip.mp4 clip.ts clip.mp3 clip.m4a
ls -l
