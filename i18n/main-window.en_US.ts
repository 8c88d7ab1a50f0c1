<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex File Repair</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>File Repair</translation>
    </message>
</context>
</TS>
