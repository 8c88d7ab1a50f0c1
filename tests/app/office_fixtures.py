# Helpers the Office preview test uses to write DOCX, XLSX and PPTX packages.
import zipfile, struct, sys, os
W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
S = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
A = 'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"'
CT = '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>'
def pkg(path, parts, method=zipfile.ZIP_DEFLATED, comment=b''):
    with zipfile.ZipFile(path, 'w', method) as z:
        z.writestr('[Content_Types].xml', CT)
        for name, data in parts:
            z.writestr(name, data)
        z.comment = comment
def docx(path, paragraphs):
    body = ''.join('<w:p><w:r><w:t xml:space="preserve">%s</w:t></w:r></w:p>' % p for p in paragraphs)
    pkg(path, [('word/document.xml', '<w:document %s><w:body>%s</w:body></w:document>' % (W, body))])
def sheet(rows):
    return '<worksheet %s><sheetData>%s</sheetData></worksheet>' % (S, rows)
def slide(texts):
    runs = ''.join('<a:p><a:r><a:t>%s</a:t></a:r></a:p>' % t for t in texts)
    return '<p:sld %s><p:cSld><p:spTree><p:sp><p:txBody>%s</p:txBody></p:sp></p:spTree></p:cSld></p:sld>' % (A, runs)
