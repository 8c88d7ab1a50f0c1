<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>預覽檔案不存在</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>Office 檔案大小超出安全預覽範圍（最大 256 MB）</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>內部 Office 預覽僅支援 DOCX、XLSX 和 PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>Office 文件中沒有可安全顯示的頁面</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>安全唯讀預覽：顯示正文文字；複雜浮動版面、註解、巨集和內嵌物件不執行。</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>工作表 %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>安全唯讀預覽：最多顯示 8 個工作表、每表 200 列 × 30 欄；公式不計算、外部連結和巨集不執行。</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>安全唯讀預覽：顯示每頁可擷取的文字；動畫、影音、巨集和外部連結不執行。</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>Office 容器無法讀取</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>Office 容器長度不在安全範圍內</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Office 容器目錄定位失敗</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Office 容器缺少 ZIP 中央目錄</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>不支援分割或 ZIP64 Office 容器</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Office 容器項目過多，已阻止預覽</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>Office 中央目錄無法讀取</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>Office 中央目錄結構無效</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>不支援 ZIP64 Office 項目</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Office 中央目錄項目被截斷</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>Office 容器包含非法項目名稱</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Office 容器缺少必要項目：%1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>不預覽加密的 Office XML</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>Office XML 超出安全預覽限制</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Office XML 定位失敗：%1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>Office XML 本機項目結構無效：%1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>Office XML 資料範圍無效：%1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>Office XML 資料被截斷：%1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>Office 儲存項目長度不一致：%1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>Office XML DEFLATE 解壓縮失敗：%1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>Office XML 使用不支援的壓縮方法：%1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>Office XML CRC 校驗失敗：%1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;文件中沒有可顯示的文字內容。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>DOCX XML 解析失敗：%1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>XLSX 共用字串解析失敗：%1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[無效共用字串]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>XLSX 工作表解析失敗：%1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>PPTX 投影片解析失敗：%1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;投影片 %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;此頁沒有可顯示的文字內容。&lt;/p&gt;</translation>
    </message>
</context>
</TS>
