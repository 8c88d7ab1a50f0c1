<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex ファイル修復</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>ファイル修復</translation>
    </message>
</context>
</TS>
