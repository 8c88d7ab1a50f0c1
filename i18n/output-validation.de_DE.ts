<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>Die Ausgabedatei ist nicht vorhanden oder leer</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>Die Größe für die Textprüfung überschreitet die Sicherheitsgrenze</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>Die Textausgabe kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON-Analyse fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>XML-Analyse fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>Textausgabe erfolgreich analysiert</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>Das Bild kann von einem unabhängigen Decoder gelesen werden</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>Prüfung der Bilddekodierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>Die Ausgabe konnte nicht innerhalb der Grenzen geprüft werden</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>Die Ausgabedatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>RAW hat keine einheitliche Containerstruktur; die wiederhergestellten Daten sind nicht leer und können sicher in der Anwendung angezeigt werden</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>Für dieses Format gibt es noch keine unabhängige Prüfregel</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>Prüfung der Ausgabestruktur bestanden</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>Prüfung der Ausgabestruktur fehlgeschlagen</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>Elemente sind tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>die Bilddaten sind unvollständig</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>kein dekodierbares Bild und keine eingebettete Vorschau gefunden</translation>
    </message>
</context>
</TS>
