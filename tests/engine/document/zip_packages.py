"""Sound office packages written the ways real programs write them, for the ZIP tests.

usage: zip_packages.py OUT KIND FORM
KIND: docx, xlsx or odt.
FORM: how every entry's CRC and sizes are written:
  plain     in the local header (Python's zipfile on a file)
  sig32     in a signed 16-byte data descriptor (Python's zipfile on a pipe)
  forced64  in a signed 24-byte ZIP64 descriptor, the local header holding a ZIP64 extra field
            (Python's zipfile on a pipe with force_zip64)
  nosig32   in an unsigned 12-byte descriptor
  sig64     in a signed 24-byte ZIP64 descriptor after a local header with sizes 0 and no extra
            field (streaming spreadsheet writers)
  nosig64   in an unsigned 20-byte ZIP64 descriptor, likewise
The last three are written here byte by byte; each archive has a sound central directory.
"""

import random
import struct
import sys
import zipfile
import zlib

W = 'xmlns="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
S = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
PKG = 'http://schemas.openxmlformats.org/package/2006/relationships'


def picture():
    # Stored bytes that hold every record signature, as embedded images and archives do.
    rng = random.Random(7)
    body = rng.randbytes(3000)
    for sig in (b'PK\x03\x04', b'PK\x07\x08', b'PK\x01\x02', b'PK\x05\x06'):
        body += sig + rng.randbytes(200)
    return b'\x89PNG\r\n\x1a\n' + body


def types(overrides):
    parts = ''.join('<Override PartName="/%s" ContentType="%s"/>' % o for o in overrides)
    return ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/><Default Extension="png" ContentType="image/png"/>'
            + parts + '</Types>')


def rels(targets):
    return ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="%s">' % PKG
            + ''.join('<Relationship Id="rId%d" Type="%s" Target="%s"/>' % (i + 1, t, g) for i, (t, g) in enumerate(targets))
            + '</Relationships>')


def entries(kind):
    """(name, bytes, deflated) in archive order."""
    rng = random.Random(3)
    words = ' '.join(rng.choice(['alpha', 'beta', 'gamma', 'delta', 'sigma']) for _ in range(4000))
    if kind == 'docx':
        return [
            ('[Content_Types].xml', types([('word/document.xml', 'application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml')]), True),
            ('_rels/.rels', rels([(REL + '/officeDocument', 'word/document.xml')]), True),
            ('word/document.xml', '<?xml version="1.0"?><document %s><body><p><r><t>%s</t></r></p></body></document>' % (W, words), True),
            ('word/_rels/document.xml.rels', rels([(REL + '/image', 'media/image1.png')]), True),
            ('word/media/image1.png', picture(), False),
        ]
    if kind == 'xlsx':
        # Many small parts, as spreadsheets have.
        sheets = [('xl/worksheets/sheet%d.xml' % i,
                   '<?xml version="1.0"?><worksheet %s><sheetData><row r="1"><c r="A1"><v>%d</v></c></row></sheetData></worksheet>' % (S, i), True)
                  for i in range(1, 21)]
        book = '<?xml version="1.0"?><workbook %s %s><sheets>%s</sheets></workbook>' % (
            S, R, ''.join('<sheet name="S%d" sheetId="%d" r:id="rId%d"/>' % (i, i, i) for i in range(1, 21)))
        return ([
            ('[Content_Types].xml', types([('xl/workbook.xml', 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml')]
                                          + [(s[0], 'application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml') for s in sheets]), True),
            ('_rels/.rels', rels([(REL + '/officeDocument', 'xl/workbook.xml')]), True),
            ('xl/workbook.xml', book, True),
            ('xl/_rels/workbook.xml.rels', rels([(REL + '/worksheet', 'worksheets/sheet%d.xml' % i) for i in range(1, 21)]), True),
        ] + sheets + [('xl/media/image1.png', picture(), False), ('docProps/empty.xml', b'', True)])
    if kind == 'odt':
        return [
            ('mimetype', 'application/vnd.oasis.opendocument.text', False),
            ('content.xml', '<?xml version="1.0"?><office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0">'
                            '<office:body><office:text>%s</office:text></office:body></office:document-content>' % words, True),
            ('Pictures/image1.png', picture(), False),
            ('META-INF/manifest.xml', '<?xml version="1.0"?><manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"/>', True),
        ]
    raise SystemExit('unknown kind ' + kind)


class Pipe:
    """An unseekable file: zipfile then writes data descriptors."""

    def __init__(self, f):
        self.f = f

    def write(self, b):
        return self.f.write(b)

    def flush(self):
        pass


def with_zipfile(out, items, form):
    with open(out, 'wb') as raw:
        with zipfile.ZipFile(raw if form == 'plain' else Pipe(raw), 'w') as z:
            for name, data, deflated in items:
                info = zipfile.ZipInfo(name, (2024, 3, 4, 5, 6, 8))
                info.compress_type = zipfile.ZIP_DEFLATED if deflated else zipfile.ZIP_STORED
                with z.open(info, 'w', force_zip64=form == 'forced64') as f:
                    f.write(data if isinstance(data, bytes) else data.encode())


def by_hand(out, items, form):
    signed = form.startswith('sig')
    wide = form.endswith('64')
    body = bytearray()
    directory = bytearray()
    for name, data, deflated in items:
        data = data if isinstance(data, bytes) else data.encode()
        if deflated:
            c = zlib.compressobj(6, zlib.DEFLATED, -15)
            payload = c.compress(data) + c.flush()
        else:
            payload = data
        crc = zlib.crc32(data)
        method = 8 if deflated else 0
        offset = len(body)
        name_bytes = name.encode()
        body += struct.pack('<IHHHHHIIIHH', 0x04034B50, 45 if wide else 20, 0x08, method, 0x3000, 0x5864,
                            0, 0, 0, len(name_bytes), 0) + name_bytes + payload
        if signed:
            body += struct.pack('<I', 0x08074B50)
        body += struct.pack('<IQQ' if wide else '<III', crc, len(payload), len(data))
        directory += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014B50, 45, 45 if wide else 20, 0x08, method, 0x3000, 0x5864,
                                 crc, len(payload), len(data), len(name_bytes), 0, 0, 0, 0, 0, offset) + name_bytes
    end = struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, len(items), len(items), len(directory), len(body), 0)
    with open(out, 'wb') as f:
        f.write(body + directory + end)


def main():
    out, kind, form = sys.argv[1:4]
    items = entries(kind)
    if form in ('plain', 'sig32', 'forced64'):
        with_zipfile(out, items, form)
    elif form in ('nosig32', 'sig64', 'nosig64'):
        by_hand(out, items, form)
    else:
        raise SystemExit('unknown form ' + form)


if __name__ == '__main__':
    main()
