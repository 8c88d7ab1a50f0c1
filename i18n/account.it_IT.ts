<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>L’indirizzo del servizio account online non è configurato; l’accesso con Google non è stato avviato</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>Impossibile configurare il callback di accesso locale sicuro; controlla il firewall e riprova</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Connessione all’accesso con Google…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>Il servizio di accesso Google online non è ancora aggiornato alla versione sicura (PKCE); l’autorizzazione è stata interrotta. Distribuisci il servizio di autenticazione più recente e riprova</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>Completa l’accesso con Google nel browser; questa finestra riceve il risultato automaticamente</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>Impossibile aprire il browser per l’accesso con Google</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Accesso con Google annullato</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>L’accesso con Google è scaduto; avvialo di nuovo</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>Il callback locale dell’accesso con Google si è interrotto e non può essere ripristinato; avvia di nuovo l’accesso</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>Il callback locale dell’accesso con Google ha un problema temporaneo; ripristino automatico…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>Impossibile verificare lo stato dell’accesso con Google; ricomincia</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Autorizzazione Korvex restituita</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Accesso a Korvex non riuscito</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>L’autorizzazione è stata restituita a Korvex. Puoi chiudere questa finestra.</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>L’autorizzazione non è stata completata. Torna a Korvex e riprova.</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Autorizzazione Google riuscita; creazione della sessione Korvex…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google ha completato l’autorizzazione, ma il servizio online non è riuscito a creare una sessione. Il codice di autorizzazione potrebbe essere scaduto, oppure la configurazione del client OAuth di produzione non corrisponde. Avvia di nuovo l’accesso; se non riesce ancora, controlla la versione del servizio di autenticazione online e le credenziali Google</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>Richiesta di rete non riuscita</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>Il servizio account online non offre ancora questa funzione</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>Troppe richieste; riprova più tardi</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>I dati di accesso non sono validi o sono scaduti</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>Il servizio account online è temporaneamente non disponibile</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>Per reimpostare la password serve un indirizzo email valido</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>Inserisci un indirizzo email valido o un numero di cellulare con prefisso internazionale</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>Inserisci un indirizzo email valido</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>L’indirizzo del servizio account online non è configurato; nessun codice è stato inviato</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>Invio del codice di reimpostazione della password…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>Invio del codice di verifica tramite il servizio online…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>Codice di verifica inviato; controlla la tua casella email</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>Codice di verifica inviato; controlla i tuoi SMS</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>Inserisci un indirizzo email o un numero di cellulare valido e il codice di verifica</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>Inserisci un indirizzo email valido e il codice di verifica</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>L’indirizzo del servizio account online non è configurato; l’accesso non è stato eseguito</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>Verifica dell’account tramite il servizio online…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>Inserisci un indirizzo email valido e la password</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>Verifica della password tramite il servizio online…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>Per la registrazione servono un indirizzo email valido e una password di almeno 8 caratteri</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>L’indirizzo del servizio account online non è configurato; nessun account è stato creato</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>Creazione dell’account online…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>Inserisci un indirizzo email valido, il codice di verifica e una nuova password di almeno 8 caratteri</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>L’indirizzo del servizio account online non è configurato; la password non è stata reimpostata</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>Reimpostazione della password e revoca delle vecchie sessioni dei dispositivi…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>Password reimpostata; tutte le vecchie sessioni dei dispositivi sono state revocate. Accedi con la nuova password</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>La risposta di accesso non contiene token validi</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>Accesso all’account online eseguito</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>La risposta alla registrazione del dispositivo non è valida; accedi di nuovo</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>Registrazione del dispositivo non riuscita: %1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>Ripristino della sessione sicura…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>Sessione sicura ripristinata</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>La risposta di aggiornamento della sessione non è valida; accedi di nuovo</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>Accedi prima di eliminare l’account</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>Eliminazione definitiva dell’account…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>Eliminazione dell’account non riuscita: %1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>L’account e i relativi dati di identità sono stati eliminati definitivamente</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>L’accesso è facoltativo; analisi, riparazione e anteprima locali non richiedono un account</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>Accesso eseguito, ma questo sistema non offre un’archiviazione sicura e persistente della sessione</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>Disconnesso; riparazione e anteprima locali non sono interessate</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>Si prosegue senza account; i file vengono comunque elaborati interamente su questo computer</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google non ha completato l’autorizzazione; avvia di nuovo l’accesso</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>Prima spunta e accetta il contratto di licenza Korvex e l’informativa sulla privacy</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>Informazioni sull’account</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Accedi a Korvex</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>La riparazione dei file avviene sempre su questo dispositivo</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>Accesso eseguito</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>Crea account</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>Reimposta password</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>Accedi all’account online</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>Codice email / SMS</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>Codice via email</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>Password dell’account</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>Email o numero di cellulare</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>Email, o numero di cellulare che inizia con +86</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>Inserisci la tua email</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>Nome visualizzato (facoltativo)</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>Codice di verifica</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Inserisci il codice di verifica</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Ottieni codice</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>Nuova password</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>Nuova password di almeno 8 caratteri</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Inserisci la password</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>Elaborazione…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>Crea e accedi</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>Conferma reimpostazione</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Accedi</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Annulla accesso con Google</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Accedi con Google</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>Torna all’accesso</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>Password dimenticata</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>Elimina account definitivamente</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>Continua senza accedere</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Accetta il contratto di licenza Korvex e l’informativa sulla privacy</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>Ho letto e accetto il</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>contratto di licenza Korvex</translation>
    </message>
    <message>
        <source>与</source>
        <translation>e l’</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>informativa sulla privacy</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>Eliminare definitivamente l’account?</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Elimina definitivamente</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>L’eliminazione rimuove tutti i metodi di accesso e il profilo di questo account e non può essere annullata. I file e i risultati di riparazione su questo computer non vengono toccati.</translation>
    </message>
</context>
</TS>
