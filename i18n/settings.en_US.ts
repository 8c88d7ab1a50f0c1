<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>Settings are saved only in the current user's configuration folder</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Interface language switched to %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Unsupported interface language: %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Light theme applied</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>This release only provides the approved light theme</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>Saving will prefer the last valid folder you chose</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>Saving will always ask for the target folder</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Temporary repair cache limit set to %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>After a successful save, the result will be shown in the system file manager</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>The result will no longer be shown automatically after saving</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Save folder remembered: %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Save folder not remembered: the folder does not exist or is not writable</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Defaults restored; existing cache and diagnostics files were not deleted</translation>
    </message>
</context>
</TS>
