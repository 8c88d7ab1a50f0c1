#!/usr/bin/env python3
"""Hostile outputs for the validation budget test, made from a few bytes of rules.

comment-docx PATH MIB: a package whose main part starts with an XML comment of MIB mebibytes.
inflation-zip PATH MIB: two entries of MIB mebibytes of zeros each, deflated a mebibyte at a time
with full flushes so that one compressed piece repeats: a few megabytes claiming gigabytes, with
correct CRCs.
"""
import struct
import sys
import zipfile
import zlib


def comment_docx(path, mebibytes):
    ns = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="xml" ContentType="application/xml"/></Types>')
        z.writestr("_rels/.rels",
                   '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   '<Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"'
                   ' Target="word/document.xml"/></Relationships>')
        z.writestr("word/document.xml",
                   '<?xml version="1.0"?><!--' + "a" * (mebibytes << 20) + '--><w:document xmlns:w="' + ns
                   + '"><w:body/></w:document>')


def inflation_zip(path, count):
    chunk = bytes(1 << 20)
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    first = c.compress(chunk) + c.flush(zlib.Z_FULL_FLUSH)
    piece = c.compress(chunk) + c.flush(zlib.Z_FULL_FLUSH)
    last = c.compress(chunk) + c.flush(zlib.Z_FINISH)
    data = first + piece * (count - 2) + last
    assert zlib.decompressobj(-15).decompress(first + piece + piece + last) == bytes(4 << 20)
    crc = 0
    for _ in range(count):
        crc = zlib.crc32(chunk, crc)
    size = count << 20
    out, central = bytearray(), bytearray()
    for name in (b"a.bin", b"b.bin"):
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0, crc, len(data), size, len(name), 0) + name + data
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0, crc, len(data), size, len(name),
                               0, 0, 0, 0, 0, offset) + name
    out += central + struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 2, 2, len(central), len(out), 0)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    {"comment-docx": comment_docx, "inflation-zip": inflation_zip}[sys.argv[1]](sys.argv[2], int(sys.argv[3]))
