<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>安全資料預覽檔案不存在</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>無法讀取安全資料預覽檔案：%1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>無法讀取復原資料</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation>（其餘內容未顯示）</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>安全資料預覽（唯讀）
檔案：%1
復原資料大小：%2 位元組
顯示範圍：前 %3 位元組%4

說明：同源冗餘副本已經復原，但復原出的來源基準不符合副檔名所宣告的格式。下面顯示復原資料本身，不會呼叫任何第三方軟體。

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>可讀文字片段：
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>十六進位資料：
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>預覽檔案不存在</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>文字檔案為空或超過 8 MB 安全預覽上限</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>無法讀取文字預覽檔案</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>檔案不是有效的 UTF-8 文字</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON 解析失敗：%1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>預覽檔案不存在</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>無法讀取圖片尺寸，已阻止預覽</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>圖片尺寸 %1 × %2 過大：完整解碼需要超過 256 MB 記憶體，已阻止預覽</translation>
    </message>
</context>
</TS>
