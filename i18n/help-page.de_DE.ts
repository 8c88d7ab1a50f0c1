<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>Rückmeldung</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>Technische Angaben</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Hilfe &amp; Feedback</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Problem melden</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>Wie repariere ich eine Datei?</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>Beschädigte Datei wählen → analysieren → reparieren → Vorschau ansehen und an einem neuen Ort speichern. Die Reparatur überschreibt nie das Original; bewahren Sie eine Sicherung auf.</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>Welche Dateien werden unterstützt?</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>Fotos (auch Kamera-RAW), Videos, Audio sowie Dokumente wie PDF, Word, Excel, PowerPoint, RTF und Textdateien. Das Ergebnis hängt vom Schaden ab; verlorene Daten lassen sich nicht immer wiederherstellen.</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>Warum muss ich nach der Reparatur speichern?</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>Das Ergebnis in der Vorschau ist noch eine temporäre Datei. Speichern Sie es mit „Reparaturergebnis speichern“ in einem eigenen Ordner; Schließen des Programms oder eine neue Reparatur verwirft ungespeicherte Ergebnisse. Prüfen Sie die Datei danach in ihrer Anwendung.</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>Werden meine Dateien hochgeladen?</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>Analyse, Reparatur und Vorschau laufen auf diesem Computer. Die Anmeldung nutzt den Online-Kontodienst, lädt aber nie die zu reparierenden Dateien hoch. Geben Sie in Rückmeldungen keine Passwörter, Bestätigungscodes oder vertraulichen Dateiinhalte an.</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Dateireparatur</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>Mit „Feedback senden“ wird Ihr Text an den Korvex-Support gesendet. Geben Sie keine vertraulichen Daten ein; Kopieren und Exportieren senden nichts.</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>Beschreiben Sie das Problem, die Schritte zum Nachstellen und das erwartete Ergebnis (höchstens 6000 Zeichen). Keine Passwörter, Bestätigungscodes oder vertraulichen Dateiinhalte.</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>Zum Beispiel: Was haben Sie getan? Welcher Fehler trat auf?</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 Zeichen</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>Technische Angaben anhängen: nur App-, Qt- und Betriebssystemversion, Architektur und Sprache der Oberfläche; kein Konto, keine Dateien, Pfade oder Protokolle.</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>Wird gesendet…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>Feedback senden</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>Feedback kopieren</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>Feedback exportieren</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>Feedback gesendet, Nummer %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>Zu viele Sendungen; versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>In die Zwischenablage kopiert, nicht gesendet.</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>Feedback in der gewählten Datei gespeichert, nicht gesendet.</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>Der Vorgang wurde nicht abgeschlossen. Prüfen Sie Netzwerk oder Speicherort und versuchen Sie es später erneut, oder kopieren bzw. exportieren Sie das Feedback.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
</TS>
