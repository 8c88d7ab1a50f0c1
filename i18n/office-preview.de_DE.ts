<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Die Vorschaudatei ist nicht vorhanden</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>Die Größe der Office-Datei überschreitet den sicheren Vorschaubereich (höchstens 256 MB)</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>Die interne Office-Vorschau unterstützt nur DOCX, XLSX und PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>Das Office-Dokument enthält keine Seite, die sicher angezeigt werden kann</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>Sichere schreibgeschützte Vorschau: Der Fließtext wird angezeigt; komplexe frei schwebende Layouts, Kommentare, Makros und eingebettete Objekte werden nicht ausgeführt.</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>Arbeitsblatt %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>Sichere schreibgeschützte Vorschau: höchstens 8 Arbeitsblätter mit je 200 Zeilen × 30 Spalten; Formeln werden nicht berechnet, externe Verknüpfungen und Makros nicht ausgeführt.</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>Sichere schreibgeschützte Vorschau: Der extrahierbare Text jeder Folie wird angezeigt; Animationen, Audio und Video, Makros und externe Verknüpfungen werden nicht ausgeführt.</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>Der Office-Container kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>Die Länge des Office-Containers liegt außerhalb des sicheren Bereichs</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Das Verzeichnis des Office-Containers konnte nicht gefunden werden</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Dem Office-Container fehlt ein ZIP-Zentralverzeichnis</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>Geteilte oder ZIP64-Office-Container werden nicht unterstützt</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Zu viele Einträge im Office-Container; Vorschau blockiert</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>Das Office-Zentralverzeichnis kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>Die Struktur des Office-Zentralverzeichnisses ist ungültig</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>ZIP64-Office-Einträge werden nicht unterstützt</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Ein Eintrag des Office-Zentralverzeichnisses ist abgeschnitten</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>Der Office-Container enthält einen unzulässigen Eintragsnamen</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Dem Office-Container fehlt ein erforderlicher Eintrag: %1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>Verschlüsseltes Office-XML wird nicht in der Vorschau angezeigt</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>Das Office-XML überschreitet die Grenzen der sicheren Vorschau</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Das Office-XML konnte nicht gefunden werden: %1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>Die lokale Eintragsstruktur des Office-XML ist ungültig: %1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>Der Datenbereich des Office-XML ist ungültig: %1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>Die Office-XML-Daten sind abgeschnitten: %1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>Die Längen des gespeicherten Office-Eintrags stimmen nicht überein: %1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>DEFLATE-Dekomprimierung des Office-XML fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>Das Office-XML verwendet eine nicht unterstützte Komprimierungsmethode: %1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>CRC-Prüfung des Office-XML fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;Das Dokument enthält keinen anzeigbaren Textinhalt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>DOCX-XML-Analyse fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>Analyse der gemeinsamen XLSX-Zeichenfolgen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[Ungültige gemeinsame Zeichenfolge]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>XLSX-Arbeitsblattanalyse fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>PPTX-Folienanalyse fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;Folie %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;Diese Seite enthält keinen anzeigbaren Textinhalt.&lt;/p&gt;</translation>
    </message>
</context>
</TS>
