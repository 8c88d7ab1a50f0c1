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
</context>
</TS>
