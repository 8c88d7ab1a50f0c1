<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>Riparazione e archiviazione</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>Privacy e sicurezza</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>Licenze open source</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Contratto di licenza Korvex</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Informativa sulla privacy</translation>
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
        <translation>Leggete attentamente questo contratto prima di usare Korvex File Repair (il «Software»). Selezionando il consenso, oppure accedendo o registrandovi e continuando a usare il servizio account, accettate questo contratto.

1. Licenza
Vi concediamo una licenza limitata, non esclusiva e non trasferibile per installare ed eseguire il Software sui dispositivi che controllate. I vostri file e i file riparati restano vostri.

2. Riparazione locale e servizio account
La scelta, l'analisi, la riparazione e l'anteprima dei file avvengono sul vostro dispositivo. L'accesso non carica alcun file; serve solo a identificare l'account e a gestire le sessioni dei dispositivi.

3. Account e sicurezza
Custodite con cura codici di verifica, password e accessi tramite altri fornitori. Non sostituitevi ad altri, non attaccate il servizio e non abusate in massa dei codici di verifica. Se notate qualcosa di anomalo, uscite dall'account o reimpostate la password.

4. Risultati della riparazione e rischi
La riparazione dei file comporta incertezza. Il Software non modifica mai il file originale; i risultati finiscono prima nella cache temporanea o in una nuova posizione scelta da voi. Non garantiamo che ogni danno sia riparabile e il Software non sostituisce i backup. Verificate i risultati nell'anteprima integrata e nell'applicazione di destinazione prima di salvarli o usarli.

5. Diritti sul software open source
Il Software usa componenti open source come Qt. In caso di conflitto tra questo contratto e le loro licenze, prevalgono queste ultime. Nulla qui limita i vostri diritti, secondo la LGPLv3 e licenze simili, di sostituire o modificare tali librerie o di apportare modifiche per il debug delle stesse.

6. Limitazione di responsabilità e risoluzione
Nei limiti consentiti dalla legge applicabile, il Software è fornito «così com'è». Possiamo revocare questa licenza se violate il contratto, usate il Software illecitamente o attaccate la sicurezza del servizio. I diritti dei consumatori tutelati dalla legge restano invariati.

7. Aggiornamenti del contratto
Le modifiche rilevanti saranno annunciate nell'applicazione o nell'area account; ove la legge lo richieda, vi chiederemo di nuovo il consenso. L'editore e i suoi recapiti sono quelli pubblicati dall'editore.</translation>
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
        <translation>Questa informativa spiega come Korvex File Repair tratta le informazioni relative al client e al servizio account.

1. Cosa non viene mai caricato
I file che scegliete, il loro contenuto, i file riparati e i contenuti delle anteprime vengono elaborati solo sul vostro dispositivo; né l'accesso né l'interruttore della diagnostica li caricano. Il client non analizza cartelle che non avete scelto.

2. Cosa tratta il servizio account
Quando accedete, il servizio account tratta: indirizzo e-mail o numero di telefono, nome visualizzato, esiti della verifica dei codici, credenziali della password cifrate, l'identificativo di un account di accesso esterno, un hash dell'impronta del dispositivo, nome del dispositivo, piattaforma, versione dell'applicazione e ora di accesso. Il client non conserva mai password in chiaro, codici ricevuti via SMS o e-mail né codici di autorizzazione Google.

3. Finalità
Creare e verificare gli account, prevenire gli abusi, mantenere le sessioni dei dispositivi, ripristinare l'accesso ed eseguire controlli di sicurezza. I vostri file non vengono mai usati per pubblicità, addestramento di modelli o profilazione.

4. Servizi di terze parti
Con l'accesso Google, il browser di sistema contatta Google, che gestisce l'accesso secondo la propria informativa; richiediamo solo gli ambiti openid, email e profile. I fornitori di SMS ed e-mail ricevono solo il numero o l'indirizzo e il messaggio necessari a recapitare un codice.

5. Archiviazione locale
Il token di aggiornamento è conservato in forma protetta nella configurazione dell'utente corrente: protetto dalla DPAPI dell'utente su Windows, nel portachiavi su macOS e, sugli altri sistemi, cifrato con una chiave leggibile solo dall'utente corrente. Impostazioni, eventi diagnostici anonimi e cache di riparazione temporanea si trovano nelle cartelle dell'utente corrente. La diagnostica anonima è disattivata per impostazione predefinita, registra solo ora, nome dell'evento e versione dell'applicazione e si può cancellare nella pagina «Privacy e sicurezza».

6. Conservazione e sicurezza
I dati di account e dispositivo sono conservati per il tempo richiesto dal servizio, dalle controversie e dagli obblighi di legge. I codici hanno breve durata e sono limitati nella frequenza di invio e nei tentativi. Usiamo trasmissione cifrata, rotazione dei token, revoca dei dispositivi e privilegio minimo, ma nessun sistema in rete può garantire una sicurezza assoluta.

7. Le vostre scelte e i vostri diritti
Potete usare l'analisi e la riparazione locali senza accedere; potete uscire dall'account, cancellare il registro diagnostico e la cache temporanea ed eliminare definitivamente l'account in «Informazioni account». Inviate altre richieste tramite il canale di contatto pubblicato dall'editore.

8. Minori e aggiornamenti
Il Software non è rivolto a minori che per legge non possono prestare il consenso. Le modifiche rilevanti saranno annunciate nell'applicazione o nell'area account; ove la legge lo richieda, vi chiederemo di nuovo il consenso.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Versione %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>Impostazioni dell'interfaccia</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Lingua dell'interfaccia</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>Tema dell'interfaccia</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>Chiaro (verificato visivamente)</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>Otto lingue dell'interfaccia, modificabili all'istante; è disponibile il tema chiaro verificato.</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>Comportamento di salvataggio predefinito</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>Chiedi ogni volta</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>Usa l'ultima cartella di salvataggio</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>Ultima cartella di salvataggio</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>Nessuna cartella valida selezionata</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>Limite della cache temporanea</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>Mostra nel gestore file dopo il salvataggio</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>Cache di riparazione temporanea</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>Uso attuale: </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>; limite: %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>Il risultato attuale non salvato è protetto; la pulizia non tocca questa attività né il file originale</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>Gestisce solo le cartelle con nome di attività in repair-output dell'applicazione</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>Applica il limite</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>Svuota la cache scaduta</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>Stato di privacy e sicurezza</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>File elaborati interamente su questo dispositivo</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>I file riparati restano in locale e non vengono mai caricati né condivisi.</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>Diagnostica anonima locale</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>Registra solo ora, nome dell'evento e versione dell'app, nessun nome di file, percorso o contenuto, e non viene mai caricato automaticamente.</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>Dimensione del registro: </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>Cancella registro</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>Informazioni su Korvex File Repair</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · collegamento dinamico secondo la LGPLv3</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>I testi delle licenze e le note sul software di terze parti sono forniti con il programma, nella cartella licenses accanto all'eseguibile.</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>Testo della LGPLv3</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>Note di terze parti</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Ottieni il codice sorgente Qt corrispondente</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>Versione 1.1 · In vigore dal: 1° settembre 2026</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Informativa sulla privacy di Korvex</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Ripristina impostazioni predefinite</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>Conferma la pulizia della cache scaduta</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>Vengono eliminate solo le cartelle della cache con nome di attività più vecchie di 7 giorni. Il risultato attuale non salvato e i vostri file non vengono eliminati.</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>Conferma pulizia</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>Cancellare il registro diagnostico locale?</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>Gli eventi diagnostici anonimi di questo dispositivo vengono eliminati definitivamente. L'interruttore della diagnostica non cambia.</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>Ripristinare le impostazioni predefinite?</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>Il comportamento di salvataggio, il limite della cache e l'interruttore della privacy vengono reimpostati; la cache di riparazione e i file diagnostici esistenti non vengono eliminati.</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Chiudi</translation>
    </message>
</context>
</TS>
