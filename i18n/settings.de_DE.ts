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
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>Lokales anonymes Diagnoseprotokoll aktiviert; es wird nie automatisch hochgeladen</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>Lokales anonymes Diagnoseprotokoll ausgeschaltet</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>%1 alte Aufgaben bereinigt; das aktuelle ungespeicherte Ergebnis ist geschützt, der Cache liegt vorerst über dem Limit</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>Die Cache-Belegung überschreitet das Limit von %1 MB nicht</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>%1 alte Aufgaben bereinigt; der Cache liegt wieder im Limit von %2 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>%1 abgelaufene Aufgaben-Caches gelöscht; %2 aktuelle Aufgaben geschützt</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>Lokales anonymes Diagnoseprotokoll gelöscht</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>Das lokale Diagnoseprotokoll konnte nicht gelöscht werden; versuchen Sie es später erneut</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>THIRD_PARTY_NOTICES.md wurde im Programmordner nicht gefunden. Erstellen Sie das Programm vor der Veröffentlichung neu, damit der Ordner „licenses“ neben der ausführbaren Datei liegt.</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>Hinweise zu Software von Drittanbietern</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>LGPL-3.0-only.txt wurde im Programmordner nicht gefunden. Erstellen Sie das Programm vor der Veröffentlichung neu, damit der Ordner „licenses“ neben der ausführbaren Datei liegt.</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>GNU-LGPLv3-Lizenz</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Passenden Qt-Quellcode erhalten</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>Diese Anwendung verwendet die gemeinsam genutzten Qt-%1-Open-Source-Bibliotheken und wird auf dem Weg der dynamischen Verknüpfung nach LGPLv3 vertrieben.

Passender Qt-Quellcode:
• Offizielles Qt-Quellcode-Repository: https://code.qt.io/cgit/qt/
• Offizielles Qt-Archiv: https://download.qt.io/archive/qt/
• Wählen Sie den Qt-%1-Quellcode, der genau zur Anwendung passt.

Recht zum Neuverknüpfen: Sie dürfen die von der Anwendung verwendeten gemeinsam genutzten Qt-Bibliotheken durch kompatible geänderte Fassungen ersetzen. Lizenztexte und Hinweise zu Drittanbietern liegen im Ordner „licenses“ des Anwendungsordners.</translation>
    </message>
</context>
</TS>
