<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>The secure data preview file does not exist</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>Unable to read the secure data preview file: %1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>Unable to read the recovered data</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation> (the rest is not shown)</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>Secure data preview (read-only)
File: %1
Recovered data size: %2 bytes
Shown range: first %3 bytes%4

Note: the redundant copy of the same origin was recovered, but the recovered baseline does not match the format declared by the file extension. The recovered data itself is shown below; no third-party software is called.

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>Readable text excerpt:
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>Hexadecimal data:
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>The preview file does not exist</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>The text file is empty or exceeds the 8 MB safe preview limit</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>Unable to read the text preview file</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>The file is not valid UTF-8 text</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON parsing failed: %1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>The preview file does not exist</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>The image size cannot be read; the preview was blocked</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>The image of %1 × %2 pixels is too large: a full decode needs more than 256 MB of memory; the preview was blocked</translation>
    </message>
</context>
</TS>
