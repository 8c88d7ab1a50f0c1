<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>Die Adresse des Online-Kontodienstes ist nicht konfiguriert; die Google-Anmeldung wurde nicht gestartet</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>Der sichere lokale Anmelde-Rückruf konnte nicht eingerichtet werden; prüfen Sie die Firewall und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Verbindung zur Google-Anmeldung wird hergestellt…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>Der Online-Dienst für die Google-Anmeldung ist noch nicht auf die sichere Version (PKCE) aktualisiert; die Autorisierung wurde gestoppt. Stellen Sie den neuesten Authentifizierungsdienst bereit und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>Schließen Sie die Google-Anmeldung im Browser ab; dieses Fenster empfängt das Ergebnis automatisch</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>Der Browser für die Google-Anmeldung konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Google-Anmeldung abgebrochen</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>Die Google-Anmeldung hat zu lange gedauert; bitte starten Sie sie erneut</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>Der lokale Rückruf der Google-Anmeldung wurde unterbrochen und kann nicht wiederhergestellt werden; bitte starten Sie die Anmeldung erneut</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>Der lokale Rückruf der Google-Anmeldung ist vorübergehend gestört; er wird automatisch wiederhergestellt…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>Der Status der Google-Anmeldung konnte nicht überprüft werden; bitte starten Sie erneut</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Korvex-Autorisierung zurückgegeben</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Korvex-Anmeldung fehlgeschlagen</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>Die Autorisierung wurde an Korvex übergeben. Sie können dieses Fenster schließen.</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>Die Autorisierung wurde nicht abgeschlossen. Bitte kehren Sie zu Korvex zurück und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Google-Autorisierung erfolgreich; die Korvex-Sitzung wird eingerichtet…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google hat die Autorisierung abgeschlossen, aber der Online-Dienst konnte keine Sitzung einrichten. Der Autorisierungscode ist möglicherweise abgelaufen oder die OAuth-Client-Einstellungen der Produktionsumgebung stimmen nicht überein. Starten Sie die Anmeldung erneut; schlägt sie weiterhin fehl, prüfen Sie die Version des Online-Authentifizierungsdienstes und die Google-Anmeldedaten</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>Netzwerkanfrage fehlgeschlagen</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>Der Online-Kontodienst bietet diese Funktion noch nicht an</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>Zu viele Anfragen; bitte versuchen Sie es später erneut</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>Die Anmeldedaten sind ungültig oder abgelaufen</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>Der Online-Kontodienst ist vorübergehend nicht verfügbar</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>Für das Zurücksetzen des Passworts ist eine gültige E-Mail-Adresse erforderlich</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse oder eine Mobilnummer mit Ländervorwahl ein</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse ein</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>Die Adresse des Online-Kontodienstes ist nicht konfiguriert; es wurde kein Code gesendet</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>Code zum Zurücksetzen des Passworts wird gesendet…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>Bestätigungscode wird über den Online-Dienst gesendet…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>Bestätigungscode gesendet; prüfen Sie Ihr Postfach</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>Bestätigungscode gesendet; prüfen Sie Ihre SMS</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse oder Mobilnummer und den Bestätigungscode ein</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse und den Bestätigungscode ein</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>Die Adresse des Online-Kontodienstes ist nicht konfiguriert; es wurde keine Anmeldung ausgeführt</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>Konto wird über den Online-Dienst überprüft…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse und das Passwort ein</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>Passwort wird über den Online-Dienst überprüft…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>Für die Registrierung sind eine gültige E-Mail-Adresse und ein Passwort mit mindestens 8 Zeichen erforderlich</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>Die Adresse des Online-Kontodienstes ist nicht konfiguriert; es wurde kein Konto erstellt</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>Online-Konto wird erstellt…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>Geben Sie eine gültige E-Mail-Adresse, den Bestätigungscode und ein neues Passwort mit mindestens 8 Zeichen ein</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>Die Adresse des Online-Kontodienstes ist nicht konfiguriert; das Passwort wurde nicht zurückgesetzt</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>Passwort wird zurückgesetzt und alte Gerätesitzungen werden widerrufen…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>Passwort zurückgesetzt; alle alten Gerätesitzungen wurden widerrufen. Melden Sie sich mit dem neuen Passwort an</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>Die Anmeldeantwort enthält keine gültigen Token</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>Beim Online-Konto angemeldet</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>Die Antwort der Geräteregistrierung ist ungültig; bitte melden Sie sich erneut an</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>Geräteregistrierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>Sichere Sitzung wird wiederhergestellt…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>Sichere Sitzung wiederhergestellt</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>Die Antwort zur Sitzungsaktualisierung ist ungültig; bitte melden Sie sich erneut an</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>Melden Sie sich an, bevor Sie das Konto löschen</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>Konto wird endgültig gelöscht…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>Löschen des Kontos fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>Das Konto und seine Identitätsdaten wurden endgültig gelöscht</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>Die Anmeldung ist optional; lokale Analyse, Reparatur und Vorschau benötigen kein Konto</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>Angemeldet, aber dieses System bietet keinen sicheren dauerhaften Sitzungsspeicher</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>Abgemeldet; lokale Reparatur und Vorschau sind nicht betroffen</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>Weiter ohne Konto; Dateien werden weiterhin vollständig auf diesem Computer verarbeitet</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google hat die Autorisierung nicht abgeschlossen; bitte starten Sie die Anmeldung erneut</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>Bitte stimmen Sie zuerst der Korvex-Lizenzvereinbarung und der Datenschutzerklärung zu</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>Kontoinformationen</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Bei Korvex anmelden</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>Die Dateireparatur erfolgt immer auf diesem Gerät</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>Angemeldet</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>Konto erstellen</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>Passwort zurücksetzen</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>Beim Online-Konto anmelden</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>E-Mail-/SMS-Code</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>E-Mail-Code</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>Kontopasswort</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>E-Mail oder Mobilnummer</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>E-Mail oder Mobilnummer, die mit +86 beginnt</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>Bitte E-Mail-Adresse eingeben</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>Anzeigename (optional)</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>Bestätigungscode</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Bitte Bestätigungscode eingeben</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Code anfordern</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>Neues Passwort</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>Neues Passwort mit mindestens 8 Zeichen</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Bitte Passwort eingeben</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>Wird verarbeitet…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>Erstellen und anmelden</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>Zurücksetzen bestätigen</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Google-Anmeldung abbrechen</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Mit Google anmelden</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>Zurück zur Anmeldung</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>Passwort vergessen</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>Konto endgültig löschen</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>Ohne Anmeldung fortfahren</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Der Korvex-Lizenzvereinbarung und der Datenschutzerklärung zustimmen</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>Ich habe gelesen und stimme zu:</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex-Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>与</source>
        <translation>und</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>Konto endgültig löschen?</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>Beim Löschen werden alle Anmeldemethoden und das Profil dieses Kontos entfernt; dies kann nicht rückgängig gemacht werden. Dateien und Reparaturergebnisse auf diesem Computer bleiben unberührt.</translation>
    </message>
</context>
</TS>
