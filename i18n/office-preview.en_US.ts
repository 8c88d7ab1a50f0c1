<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>The preview file does not exist</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>The Office file size exceeds the safe preview range (maximum 256 MB)</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>The internal Office preview supports only DOCX, XLSX and PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>The Office document has no page that can be shown safely</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>Safe read-only preview: the body text is shown; complex floating layouts, comments, macros and embedded objects are not executed.</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>Worksheet %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>Safe read-only preview: at most 8 worksheets, each 200 rows × 30 columns; formulas are not calculated, external links and macros are not executed.</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>Safe read-only preview: the extractable text of each slide is shown; animations, audio and video, macros and external links are not executed.</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>The Office container cannot be read</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>The Office container length is outside the safe range</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Locating the Office container directory failed</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>The Office container lacks a ZIP central directory</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>Split or ZIP64 Office containers are not supported</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Too many entries in the Office container; preview blocked</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>The Office central directory cannot be read</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>The Office central directory structure is invalid</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>ZIP64 Office entries are not supported</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>An Office central directory entry is truncated</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>The Office container holds an illegal entry name</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>The Office container lacks a required entry: %1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>Encrypted Office XML is not previewed</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>The Office XML exceeds the safe preview limits</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Locating the Office XML failed: %1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>The local entry structure of the Office XML is invalid: %1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>The data range of the Office XML is invalid: %1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>The Office XML data is truncated: %1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>The stored Office entry's lengths disagree: %1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>DEFLATE decompression of the Office XML failed: %1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>The Office XML uses an unsupported compression method: %1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>CRC check of the Office XML failed: %1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;There is no displayable text content in the document.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>DOCX XML parsing failed: %1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>XLSX shared string parsing failed: %1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[Invalid shared string]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>XLSX worksheet parsing failed: %1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>PPTX slide parsing failed: %1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;Slide %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;This page has no text content to display.&lt;/p&gt;</translation>
    </message>
</context>
</TS>
