<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Reparación de archivos</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Reparación de archivos</translation>
    </message>
</context>
</TS>
