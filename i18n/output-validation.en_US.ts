<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>The output file does not exist or is empty</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>The text validation size exceeds the safety limit</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>Cannot read the text output</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON parsing failed: %1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>XML parsing failed: %1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>Text output parsed successfully</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>The image can be read by an independent decoder</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>Image decoding check failed: %1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>The output could not be verified within the limits</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>Cannot read the output file</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>RAW has no common container structure; the recovered data was found non-empty and can be previewed safely inside the application</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>No independent validation rule exists for this format yet</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>Output structure check passed</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>Output structure check failed</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>elements are nested more than %1 levels deep</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>the image data is incomplete</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>no decodable image or embedded preview was found</translation>
    </message>
</context>
</TS>
