#!/bin/sh
# Writes the inputs copy_ratio_bench compares with cp: healthy MP4, MP4 cut to 90 %, MPEG-TS,
# WAV, ZIP and PDF, an MP3 cut to 90 %, and FLV, AVI, program stream and M4A remuxes, each about
# SIZE MiB (default 1024).
# Usage: make_ratio_inputs.sh FOLDER [SIZE_MIB]
set -eu
dir=$1
mib=${2:-1024}
bytes=$((mib * 1024 * 1024))
mkdir -p "$dir"
cd "$dir"
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
