<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>Einstellungen werden nur im Konfigurationsordner des aktuellen Benutzers gespeichert</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Oberflächensprache auf %1 umgestellt</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Nicht unterstützte Oberflächensprache: %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Helles Design angewendet</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>Diese Version enthält nur das geprüfte helle Design</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>Beim Speichern wird der zuletzt gewählte gültige Ordner bevorzugt</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>Beim Speichern wird immer nach dem Zielordner gefragt</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Obergrenze des temporären Reparatur-Caches auf %1 MB gesetzt</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>Nach erfolgreichem Speichern wird das Ergebnis im Dateimanager des Systems angezeigt</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>Das Ergebnis wird nach dem Speichern nicht mehr automatisch angezeigt</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Speicherordner gemerkt: %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Speicherordner nicht gemerkt: Der Ordner existiert nicht oder ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Standardeinstellungen wiederhergestellt; vorhandene Cache- und Diagnosedateien wurden nicht gelöscht</translation>
    </message>
</context>
</TS>
