<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Dateireparatur</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Dateireparatur</translation>
    </message>
</context>
</TS>
