<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>設定僅儲存在目前使用者的設定目錄</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>介面語言已切換為 %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>不支援的介面語言：%1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>已套用淺色主題</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>目前發行版本僅提供經過驗收的淺色主題</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>儲存時將優先使用上次選擇的有效目錄</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>儲存時將一律詢問目標目錄</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>暫存修復快取上限已設定為 %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>儲存成功後將在系統檔案管理員中顯示結果</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>儲存成功後不再自動顯示結果</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>已記住儲存目錄：%1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>未記住儲存目錄：目錄不存在或無法寫入</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>已還原預設設定；現有快取和診斷檔案未被刪除</translation>
    </message>
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>已啟用本機匿名診斷記錄；記錄不會自動上傳</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>已關閉本機匿名診斷記錄</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>已清理 %1 個舊任務；目前未儲存的結果受到保護，快取暫時超過上限</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>快取用量未超過 %1 MB 上限</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>已清理 %1 個舊任務，快取已回到 %2 MB 上限內</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>已清理 %1 個過期任務快取；%2 個目前任務受到保護</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>本機匿名診斷記錄已清除</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>無法清除本機診斷記錄，請稍後再試</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>發行目錄中找不到 THIRD_PARTY_NOTICES.md。正式發行前必須重新建置程式，使 licenses 資料夾位於可執行檔旁。</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>第三方軟體聲明</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>發行目錄中找不到 LGPL-3.0-only.txt。正式發行前必須重新建置程式，使 licenses 資料夾位於可執行檔旁。</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>GNU LGPLv3 授權條款</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>取得對應 Qt 原始碼</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>本應用程式使用 Qt %1 Open Source 共享程式庫，並依 LGPLv3 動態連結方式發行。

對應 Qt 原始碼：
• Qt 官方原始碼儲存庫：https://code.qt.io/cgit/qt/
• Qt 官方封存：https://download.qt.io/archive/qt/
• 請選擇與應用程式完全對應的 Qt %1 原始碼。

重新連結權利：使用者可以將應用程式所用的 Qt 共享程式庫替換為相容的修改版。授權條款全文和第三方聲明位於應用程式目錄的 licenses 資料夾。</translation>
    </message>
</context>
</TS>
