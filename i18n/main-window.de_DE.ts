<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Dateireparatur</translation>
    </message>
    <message>
        <source>修复结果尚未保存</source>
        <translation>Reparaturergebnis nicht gespeichert</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。</source>
        <translation>Beim Schließen des Fensters wird dieses vorläufige Reparaturergebnis gelöscht. Sie können zur Dateireparatur zurückkehren und es zuerst speichern.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>完全本地处理</source>
        <translation>Vollständig auf diesem Gerät verarbeitet</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Hilfe &amp; Feedback</translation>
    </message>
    <message>
        <source>放弃并关闭</source>
        <translation>Verwerfen und schließen</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Dateireparatur</translation>
    </message>
    <message>
        <source>未登录</source>
        <translation>Nicht angemeldet</translation>
    </message>
    <message>
        <source>登录（可选）</source>
        <translation>Anmelden (optional)</translation>
    </message>
    <message>
        <source>结果尚未保存</source>
        <translation>Ergebnis nicht gespeichert</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>返回保存</source>
        <translation>Zurück zum Speichern</translation>
    </message>
</context>
</TS>
