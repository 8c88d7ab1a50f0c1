<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>Reparatur &amp; Speicher</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>Datenschutz &amp; Sicherheit</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>Open-Source-Lizenzen</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex-Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>请在使用 Korvex 文件修复（以下简称“本软件”）前仔细阅读本协议。您勾选同意，或登录、注册并继续使用账号服务，即表示您接受本协议。

一、软件许可
我们授予您有限的、非独占的、不可转让的许可，允许您在您控制的设备上安装和运行本软件。您的文件及修复后的文件始终归您所有。

二、本地修复与账号服务
选择、分析、修复和预览文件均在您的设备上完成。登录不会上传任何文件；登录仅用于识别账号和管理设备会话。

三、账号与安全
请妥善保管验证码、密码以及通过其他服务商登录的凭据。不得冒用他人身份、攻击服务或大量滥用验证码。如发现异常，请退出登录或重置密码。

四、修复结果与风险
文件修复存在不确定性。本软件不会改动原始文件，修复结果先保存在临时缓存中，或保存到您选择的新位置。我们不保证所有损坏都能修复，本软件也不能替代备份。保存或使用结果前，请在内置预览和目标应用中检查。

五、开源软件权利
本软件使用 Qt 等开源组件。如本协议与这些组件的许可证冲突，以其许可证为准。本协议不限制您依据 LGPLv3 及类似许可证替换或修改这些库、以及为调试这些修改而进行修改的权利。

六、责任限制与终止
在适用法律允许的范围内，本软件按“现状”提供。如您违反本协议、非法使用本软件或攻击服务安全，我们可以终止本许可。法律保护的消费者权利不受影响。

七、协议更新
重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。发布者及其联系方式以发布者公布的信息为准。</source>
        <translation>Bitte lesen Sie diese Vereinbarung sorgfältig, bevor Sie Korvex File Repair (die „Software“) verwenden. Wenn Sie Ihre Zustimmung ankreuzen oder sich anmelden bzw. registrieren und den Kontodienst weiter nutzen, nehmen Sie diese Vereinbarung an.

1. Lizenz
Wir gewähren Ihnen eine beschränkte, nicht ausschließliche, nicht übertragbare Lizenz, die Software auf Geräten zu installieren und auszuführen, über die Sie verfügen. Ihre Dateien und die reparierten Dateien bleiben Ihr Eigentum.

2. Lokale Reparatur und Kontodienst
Auswahl, Analyse, Reparatur und Vorschau von Dateien finden auf Ihrem Gerät statt. Bei der Anmeldung wird keine Datei hochgeladen; sie dient nur der Identifizierung Ihres Kontos und der Verwaltung von Gerätesitzungen.

3. Konto und Sicherheit
Bewahren Sie Bestätigungscodes, Passwörter und Anmeldungen über andere Anbieter sicher auf. Geben Sie sich nicht als andere aus, greifen Sie den Dienst nicht an und missbrauchen Sie Bestätigungscodes nicht massenhaft. Melden Sie sich bei Auffälligkeiten ab oder setzen Sie Ihr Passwort zurück.

4. Reparaturergebnisse und Risiko
Die Reparatur von Dateien ist mit Unsicherheit verbunden. Die Software verändert Ihre Originaldatei nie; Ergebnisse kommen zuerst in den temporären Cache oder an einen neuen Ort Ihrer Wahl. Wir garantieren nicht, dass sich jeder Schaden beheben lässt, und die Software ersetzt keine Sicherung. Prüfen Sie Ergebnisse in der eingebauten Vorschau und in der Zielanwendung, bevor Sie sie speichern oder verwenden.

5. Rechte an Open-Source-Software
Die Software verwendet Open-Source-Komponenten wie Qt. Widerspricht diese Vereinbarung deren Lizenzen, gehen deren Lizenzen vor. Ihre Rechte nach der LGPLv3 und ähnlichen Lizenzen, diese Bibliotheken zu ersetzen oder zu ändern und zur Fehlersuche in solchen Änderungen Anpassungen vorzunehmen, werden nicht eingeschränkt.

6. Haftungsbeschränkung und Beendigung
Soweit das anwendbare Recht es zulässt, wird die Software „wie besehen“ bereitgestellt. Wir können diese Lizenz beenden, wenn Sie gegen diese Vereinbarung verstoßen, die Software rechtswidrig nutzen oder die Sicherheit des Dienstes angreifen. Gesetzlich geschützte Verbraucherrechte bleiben unberührt.

7. Änderungen dieser Vereinbarung
Wesentliche Änderungen werden in der Anwendung oder im Kontobereich angekündigt; wo das Gesetz es verlangt, bitten wir erneut um Ihre Zustimmung. Herausgeber und Kontaktdaten richten sich nach den Angaben, die der Herausgeber veröffentlicht.</translation>
    </message>
    <message>
        <source>本政策说明 Korvex 文件修复如何处理与客户端及账号服务有关的信息。

一、不会上传的内容
您选择的文件、文件内容、修复后的文件和预览内容仅在您的设备上处理，不会因登录或诊断开关而上传。客户端不会扫描您未选择的文件夹。

二、账号服务处理的信息
登录时，账号服务处理以下信息：电子邮件地址或手机号、显示名称、验证码校验结果、加密的密码凭据、外部登录账号的标识、设备指纹哈希、设备名称、平台、应用版本和登录时间。客户端从不保存明文密码、短信或邮件验证码以及 Google 授权码。

三、处理目的
创建和验证账号、防止滥用、保持设备会话、恢复登录以及安全审计。您的文件绝不会用于广告、模型训练或用户画像。

四、第三方服务
使用 Google 登录时，系统浏览器会连接 Google，由 Google 按其自身政策处理登录；我们仅请求 openid、email 和 profile 范围。短信和邮件服务商只会收到发送验证码所需的号码或地址及消息内容。

五、本机存储
刷新令牌以受保护的形式保存在当前用户的配置中：在 Windows 上由当前用户的 DPAPI 保护，在 macOS 上存放在钥匙串中，在其他系统上用仅当前用户可读的密钥加密。设置、匿名诊断事件和临时修复缓存位于当前用户的文件夹中。匿名诊断默认关闭，仅记录时间、事件名和应用版本，可在“隐私与安全”页面清除。

六、保存期限与安全
账号和设备记录在提供服务、处理争议和履行法定义务所需的期间内保留。验证码有效期很短，发送频率和尝试次数均受限制。我们采用加密传输、令牌轮换、设备撤销和最小权限原则，但任何联网系统都无法保证绝对安全。

七、您的选择与权利
您无需登录即可使用本地分析和修复；您可以退出登录、清除诊断日志和临时缓存，也可以在“账户信息”中永久删除账号。其他请求请通过发布者公布的联系渠道提出。

八、未成年人及政策更新
本软件不面向依法不能表示同意的未成年人。重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。</source>
        <translation>Diese Erklärung beschreibt, wie Korvex File Repair mit Informationen zum Client und zum Kontodienst umgeht.

1. Was nie hochgeladen wird
Die von Ihnen gewählten Dateien, deren Inhalte, die reparierten Dateien und die Vorschauinhalte werden nur auf Ihrem Gerät verarbeitet; weder die Anmeldung noch der Diagnoseschalter lädt sie hoch. Der Client durchsucht keine Ordner, die Sie nicht gewählt haben.

2. Was der Kontodienst verarbeitet
Wenn Sie sich anmelden, verarbeitet der Kontodienst: E-Mail-Adresse oder Telefonnummer, Anzeigename, Ergebnisse der Codeprüfung, verschlüsselte Passwortdaten, die Kennung eines externen Anmeldekontos, einen Hash des Gerätefingerabdrucks, Gerätename, Plattform, Anwendungsversion und Anmeldezeit. Der Client speichert nie ein Klartextpasswort, einen SMS- oder E-Mail-Code oder einen Google-Autorisierungscode.

3. Zwecke
Konten anlegen und bestätigen, Missbrauch verhindern, Gerätesitzungen aufrechterhalten, Anmeldungen wiederherstellen und Sicherheitsprüfungen. Ihre Dateien werden nie für Werbung, Modelltraining oder Profilbildung verwendet.

4. Dienste Dritter
Bei der Anmeldung mit Google kontaktiert der Systembrowser Google, das die Anmeldung nach seinen eigenen Richtlinien abwickelt; wir fordern nur die Bereiche openid, email und profile an. SMS- und E-Mail-Anbieter erhalten nur die Nummer oder Adresse und die zur Zustellung eines Codes nötige Nachricht.

5. Lokale Speicherung
Das Aktualisierungstoken wird geschützt in der Konfiguration des aktuellen Benutzers abgelegt: unter Windows durch die DPAPI des aktuellen Benutzers geschützt, unter macOS im Schlüsselbund und auf anderen Systemen mit einem Schlüssel verschlüsselt, den nur der aktuelle Benutzer lesen kann. Einstellungen, anonyme Diagnoseereignisse und der temporäre Reparatur-Cache liegen in den Ordnern des aktuellen Benutzers. Die anonyme Diagnose ist standardmäßig aus, zeichnet nur Zeit, Ereignisname und Anwendungsversion auf und kann auf der Seite „Datenschutz &amp; Sicherheit“ gelöscht werden.

6. Aufbewahrung und Sicherheit
Konto- und Gerätedaten werden so lange aufbewahrt, wie Dienst, Streitfälle und gesetzliche Pflichten es erfordern. Codes sind kurzlebig und in Sendehäufigkeit und Versuchen begrenzt. Wir setzen verschlüsselte Übertragung, Token-Rotation, Widerruf von Geräten und minimale Rechte ein, doch kein vernetztes System kann absolute Sicherheit versprechen.

7. Ihre Wahlmöglichkeiten und Rechte
Sie können die lokale Analyse und Reparatur ohne Anmeldung nutzen; Sie können sich abmelden, das Diagnoseprotokoll und den temporären Cache löschen und Ihr Konto unter „Kontoinformationen“ endgültig löschen. Andere Anliegen richten Sie bitte über den vom Herausgeber veröffentlichten Kontaktweg an uns.

8. Minderjährige und Änderungen
Die Software richtet sich nicht an Minderjährige, die nach dem Gesetz nicht einwilligen können. Wesentliche Änderungen werden in der Anwendung oder im Kontobereich angekündigt; wo das Gesetz es verlangt, bitten wir erneut um Ihre Zustimmung.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Sprache der Oberfläche</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>Design der Oberfläche</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>Hell (optisch geprüft)</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>Acht Sprachen für die Oberfläche, sofort umschaltbar; das geprüfte helle Design wird bereitgestellt.</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>Standardverhalten beim Speichern</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>Jedes Mal fragen</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>Zuletzt verwendeten Speicherordner nutzen</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>Letzter Speicherordner</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>Noch kein gültiger Ordner gewählt</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>Limit des temporären Caches</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>Nach dem Speichern im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>Temporärer Reparatur-Cache</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>Derzeit belegt: </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>; Limit: %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>Das aktuelle ungespeicherte Ergebnis ist geschützt; die Bereinigung berührt weder diese Aufgabe noch die Originaldatei</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>Verwaltet nur Ordner mit Aufgabenkennung unter repair-output der Anwendung</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>Limit anwenden</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>Abgelaufenen Cache löschen</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>Datenschutz- und Sicherheitsstatus</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>Dateien werden vollständig auf diesem Gerät verarbeitet</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>Reparierte Dateien bleiben lokal und werden nie hochgeladen oder geteilt.</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>Lokale anonyme Diagnose</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>Zeichnet nur Zeit, Ereignisname und App-Version auf, keine Dateinamen, Pfade oder Inhalte, und wird nie automatisch hochgeladen.</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>Protokollgröße: </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>Protokoll löschen</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>Über Korvex File Repair</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · dynamisch verknüpft nach LGPLv3</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>Lizenztexte und Hinweise zu Drittanbietern liegen dem Programm bei, im Ordner „licenses“ neben der ausführbaren Datei.</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>LGPLv3-Text</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>Hinweise zu Drittanbietern</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Passenden Qt-Quellcode erhalten</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>Version 1.1 · Gültig ab: 1. September 2026</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Korvex-Datenschutzerklärung</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>Löschen des abgelaufenen Caches bestätigen</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>Gelöscht werden nur Cache-Ordner mit Aufgabenkennung, die älter als 7 Tage sind. Das aktuelle ungespeicherte Ergebnis und Ihre eigenen Dateien bleiben erhalten.</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>Bereinigung bestätigen</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>Lokales Diagnoseprotokoll löschen?</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>Die anonymen Diagnoseereignisse auf diesem Gerät werden endgültig gelöscht. Der Diagnoseschalter bleibt unverändert.</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>Standardeinstellungen wiederherstellen?</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>Speicherverhalten, Cache-Limit und Datenschutzschalter werden zurückgesetzt; vorhandener Reparatur-Cache und Diagnosedateien werden nicht gelöscht.</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
