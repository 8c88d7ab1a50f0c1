<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex 檔案修復</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>檔案修復</translation>
    </message>
</context>
</TS>
