<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Riparazione file</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Riparazione file</translation>
    </message>
</context>
</TS>
