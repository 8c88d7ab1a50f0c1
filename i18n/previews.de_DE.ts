<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>Die sichere Datenvorschaudatei ist nicht vorhanden</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>Die sichere Datenvorschaudatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>Die wiederhergestellten Daten können nicht gelesen werden</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation> (der Rest wird nicht angezeigt)</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>Sichere Datenvorschau (schreibgeschützt)
Datei: %1
Größe der wiederhergestellten Daten: %2 Byte
Angezeigter Bereich: erste %3 Byte%4

Hinweis: Die redundante Kopie gleicher Herkunft wurde wiederhergestellt, aber die wiederhergestellte Basis entspricht nicht dem Format, das die Dateiendung angibt. Unten werden die wiederhergestellten Daten selbst angezeigt; es wird keine Software von Drittanbietern aufgerufen.

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>Lesbarer Textauszug:
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>Hexadezimale Daten:
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Die Vorschaudatei ist nicht vorhanden</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>Die Textdatei ist leer oder überschreitet die Grenze von 8 MB für die sichere Vorschau</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>Die Textvorschaudatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>Die Datei ist kein gültiger UTF-8-Text</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON-Analyse fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Die Vorschaudatei ist nicht vorhanden</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>Die Bildgröße kann nicht gelesen werden; die Vorschau wurde blockiert</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>Das Bild mit %1 × %2 Pixeln ist zu groß: Eine vollständige Dekodierung braucht mehr als 256 MB Speicher; die Vorschau wurde blockiert</translation>
    </message>
</context>
</TS>
