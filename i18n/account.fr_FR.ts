<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>L’adresse du service de compte en ligne n’est pas configurée ; la connexion Google n’a pas été lancée</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>Impossible de mettre en place le rappel de connexion local sécurisé ; vérifiez le pare-feu et réessayez</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Connexion à la connexion Google…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>Le service de connexion Google en ligne n’est pas encore passé à la version sécurisée (PKCE) ; l’autorisation a été arrêtée. Déployez le dernier service d’authentification puis réessayez</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>Terminez la connexion Google dans votre navigateur ; cette fenêtre reçoit le résultat automatiquement</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>Impossible d’ouvrir le navigateur pour la connexion Google</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Connexion Google annulée</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>La connexion Google a expiré ; veuillez la relancer</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>Le rappel local de la connexion Google a été interrompu et ne peut pas être rétabli ; veuillez relancer la connexion</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>Le rappel local de la connexion Google rencontre un problème temporaire ; rétablissement automatique…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>L’état de la connexion Google n’a pas pu être vérifié ; veuillez recommencer</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Autorisation Korvex renvoyée</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Échec de la connexion Korvex</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>L’autorisation a été renvoyée à Korvex. Vous pouvez fermer cette fenêtre.</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>L’autorisation n’a pas abouti. Veuillez revenir à Korvex et réessayer.</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Autorisation Google réussie ; ouverture de la session Korvex…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google a terminé l’autorisation, mais le service en ligne n’a pas pu ouvrir de session. Le code d’autorisation a peut-être expiré, ou la configuration du client OAuth de production ne correspond pas. Relancez la connexion ; en cas de nouvel échec, vérifiez la version du service d’authentification en ligne et les identifiants Google</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>Échec de la requête réseau</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>Le service de compte en ligne ne propose pas encore cette fonction</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>Trop de requêtes ; veuillez réessayer plus tard</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>Les informations de connexion sont invalides ou ont expiré</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>Le service de compte en ligne est temporairement indisponible</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>La réinitialisation du mot de passe nécessite une adresse e-mail valide</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>Saisissez une adresse e-mail valide ou un numéro de mobile avec l’indicatif du pays</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>Saisissez une adresse e-mail valide</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>L’adresse du service de compte en ligne n’est pas configurée ; aucun code n’a été envoyé</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>Envoi du code de réinitialisation du mot de passe…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>Envoi du code de vérification par le service en ligne…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>Code de vérification envoyé ; consultez votre boîte mail</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>Code de vérification envoyé ; consultez vos SMS</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>Saisissez une adresse e-mail ou un numéro de mobile valide et le code de vérification</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>Saisissez une adresse e-mail valide et le code de vérification</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>L’adresse du service de compte en ligne n’est pas configurée ; aucune connexion n’a eu lieu</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>Vérification du compte par le service en ligne…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>Saisissez une adresse e-mail valide et le mot de passe</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>Vérification du mot de passe par le service en ligne…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>L’inscription nécessite une adresse e-mail valide et un mot de passe d’au moins 8 caractères</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>L’adresse du service de compte en ligne n’est pas configurée ; aucun compte n’a été créé</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>Création du compte en ligne…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>Saisissez une adresse e-mail valide, le code de vérification et un nouveau mot de passe d’au moins 8 caractères</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>L’adresse du service de compte en ligne n’est pas configurée ; le mot de passe n’a pas été réinitialisé</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>Réinitialisation du mot de passe et révocation des anciennes sessions d’appareils…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>Mot de passe réinitialisé ; toutes les anciennes sessions d’appareils ont été révoquées. Connectez-vous avec le nouveau mot de passe</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>La réponse de connexion ne contient pas de jetons valides</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>Connecté à votre compte en ligne</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>La réponse d’enregistrement de l’appareil est invalide ; veuillez vous reconnecter</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>Échec de l’enregistrement de l’appareil : %1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>Restauration de la session sécurisée…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>Session sécurisée restaurée</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>La réponse d’actualisation de session est invalide ; veuillez vous reconnecter</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>Connectez-vous avant de supprimer le compte</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>Suppression définitive du compte…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>Échec de la suppression du compte : %1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>Le compte et ses données d’identité ont été définitivement supprimés</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>La connexion est facultative ; l’analyse, la réparation et l’aperçu locaux ne nécessitent pas de compte</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>Connecté, mais ce système ne propose pas de stockage de session persistant sécurisé</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>Déconnecté ; la réparation et l’aperçu locaux ne sont pas affectés</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>Poursuite sans compte ; les fichiers sont toujours traités entièrement sur cet ordinateur</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google n’a pas terminé l’autorisation ; veuillez relancer la connexion</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>Veuillez d’abord cocher et accepter le contrat de licence Korvex et la politique de confidentialité</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>Informations du compte</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Se connecter à Korvex</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>La réparation des fichiers s’effectue toujours sur cet appareil</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>Créer un compte</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>Réinitialiser le mot de passe</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>Connexion au compte en ligne</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>Code e-mail / SMS</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>Code par e-mail</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>E-mail ou numéro de mobile</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>E-mail, ou numéro de mobile commençant par +86</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>Saisissez votre e-mail</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>Nom affiché (facultatif)</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>Code de vérification</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Saisissez le code de vérification</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Obtenir un code</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>Nouveau mot de passe</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>Nouveau mot de passe d’au moins 8 caractères</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Saisissez votre mot de passe</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>Traitement…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>Créer et se connecter</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>Confirmer la réinitialisation</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Annuler la connexion Google</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Se connecter avec Google</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>Retour à la connexion</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>Mot de passe oublié</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>Supprimer définitivement le compte</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>Continuer sans se connecter</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Accepter le contrat de licence Korvex et la politique de confidentialité</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>J’ai lu et j’accepte le</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>contrat de licence Korvex</translation>
    </message>
    <message>
        <source>与</source>
        <translation>et la</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>politique de confidentialité</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>Supprimer définitivement le compte ?</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Supprimer définitivement</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>La suppression retire toutes les méthodes de connexion et le profil de ce compte, et elle est irréversible. Les fichiers et résultats de réparation de cet ordinateur ne sont pas concernés.</translation>
    </message>
</context>
</TS>
