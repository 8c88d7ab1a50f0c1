<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>回饋內容</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>技術資訊</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>說明與回饋</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>使用說明</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>問題回饋</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>如何修復檔案？</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>選擇受損檔案 → 開始分析 → 執行修復 → 預覽並儲存到新位置。修復不會覆寫原檔案，請保留原始備份。</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>支援哪些檔案？</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>支援圖片（含相機 RAW）、影片、音訊，以及 PDF、Word、Excel、PowerPoint、RTF、文字等文件。修復效果取決於損壞程度；已遺失的資料不一定能夠復原。</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>修復完成後為什麼仍需儲存？</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>預覽中的結果仍是暫存檔案。請使用「儲存修復結果」另存到自己的目錄；關閉程式或重新修復會清除未儲存的結果。儲存後請用目標應用程式再次驗證。</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>檔案會被上傳嗎？</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>分析、修復和預覽都在這台電腦上完成。登入會使用線上帳號服務，但不會上傳正在修復的檔案。請勿在回饋中填寫密碼、驗證碼或敏感檔案內容。</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>檔案修復</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>點選「提交回饋」後，填寫的內容將傳送至 Korvex 支援後台。請勿填寫敏感資訊；複製和匯出不會傳送。</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>請描述問題、重現步驟和預期結果（最多 6000 字元）。請勿包含密碼、驗證碼或敏感檔案內容。</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>例如：執行了哪些操作？出現了什麼錯誤？</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 字元</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>附加技術資訊：僅包含應用程式、Qt、作業系統版本、架構和介面語言，不包含帳戶、檔案、路徑或記錄。</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>正在提交…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>提交回饋</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>複製回饋</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>匯出回饋</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>回饋已提交，編號：%1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>提交過於頻繁，請稍後再試。</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>已複製到剪貼簿，尚未傳送。</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>回饋已儲存到所選檔案，尚未傳送。</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>操作未完成。請檢查網路或儲存位置，稍後再試；也可以複製或匯出回饋。</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>文字檔案 (*.txt)</translation>
    </message>
</context>
</TS>
