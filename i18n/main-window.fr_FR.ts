<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Réparation de fichiers</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Réparation de fichiers</translation>
    </message>
</context>
</TS>
