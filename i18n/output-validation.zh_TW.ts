<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>輸出檔案不存在或為空</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>文字驗證大小超過安全限制</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>無法讀取文字輸出</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON 解析失敗：%1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>XML 解析失敗：%1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>文字輸出解析成功</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>圖片可由獨立解碼器讀取</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>圖片解碼驗證失敗：%1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>輸出無法在限制範圍內完成驗證</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>無法讀取輸出檔案</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>RAW 無統一容器結構；已驗證復原資料非空並可在應用程式內安全預覽</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>尚未為此格式建立獨立驗證規則</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>輸出結構驗證通過</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>輸出結構驗證失敗</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>元素巢狀超過 %1 層</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>影像資料不完整</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>找不到可解碼的影像或內嵌預覽</translation>
    </message>
</context>
</TS>
