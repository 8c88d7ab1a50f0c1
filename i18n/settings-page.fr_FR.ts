<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>Réparation et stockage</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>Confidentialité et sécurité</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>Licences open source</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Contrat de licence Korvex</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Politique de confidentialité</translation>
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
        <translation>Veuillez lire attentivement ce contrat avant d'utiliser Korvex File Repair (le « Logiciel »). En cochant votre consentement, ou en vous connectant ou en vous inscrivant et en continuant d'utiliser le service de compte, vous acceptez ce contrat.

1. Licence
Nous vous accordons une licence limitée, non exclusive et non transférable pour installer et exécuter le Logiciel sur les appareils dont vous avez le contrôle. Vos fichiers et les fichiers réparés restent les vôtres.

2. Réparation locale et service de compte
Le choix, l'analyse, la réparation et l'aperçu des fichiers ont lieu sur votre appareil. La connexion n'envoie aucun fichier ; elle sert uniquement à identifier votre compte et à gérer les sessions des appareils.

3. Compte et sécurité
Protégez vos codes de vérification, vos mots de passe et vos connexions via d'autres fournisseurs. N'usurpez pas l'identité d'autrui, n'attaquez pas le service et n'abusez pas massivement des codes de vérification. En cas d'anomalie, déconnectez-vous ou réinitialisez votre mot de passe.

4. Résultats de réparation et risques
La réparation de fichiers comporte une part d'incertitude. Le Logiciel ne modifie jamais votre fichier d'origine ; les résultats vont d'abord dans le cache temporaire, ou à un nouvel emplacement de votre choix. Nous ne garantissons pas que tous les dommages puissent être réparés, et le Logiciel ne remplace pas les sauvegardes. Vérifiez les résultats dans l'aperçu intégré et dans l'application cible avant de les enregistrer ou de les utiliser.

5. Droits liés aux logiciels open source
Le Logiciel utilise des composants open source tels que Qt. En cas de conflit entre ce contrat et leurs licences, leurs licences prévalent. Rien ici ne limite vos droits, au titre de la LGPLv3 et de licences similaires, de remplacer ou de modifier ces bibliothèques, ou de procéder à des modifications pour le débogage de celles-ci.

6. Limitation de responsabilité et résiliation
Dans la mesure permise par la loi applicable, le Logiciel est fourni « en l'état ». Nous pouvons mettre fin à cette licence si vous enfreignez ce contrat, utilisez le Logiciel de manière illicite ou attaquez la sécurité du service. Les droits des consommateurs protégés par la loi ne sont pas affectés.

7. Mises à jour du contrat
Les changements importants seront annoncés dans l'application ou dans l'espace compte ; lorsque la loi l'exige, nous vous demanderons à nouveau votre consentement. L'éditeur et ses coordonnées sont ceux que l'éditeur publie.</translation>
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
        <translation>Cette politique explique comment Korvex File Repair traite les informations relatives au client et au service de compte.

1. Ce qui n'est jamais envoyé
Les fichiers que vous choisissez, leur contenu, les fichiers réparés et le contenu des aperçus sont traités uniquement sur votre appareil ; ni la connexion ni l'interrupteur de diagnostic ne les envoient. Le client n'analyse pas les dossiers que vous n'avez pas choisis.

2. Ce que traite le service de compte
Lorsque vous vous connectez, le service de compte traite : votre adresse e-mail ou numéro de téléphone, votre nom d'affichage, les résultats de vérification des codes, les identifiants de mot de passe chiffrés, l'identifiant d'un compte de connexion externe, une empreinte hachée de l'appareil, le nom de l'appareil, la plateforme, la version de l'application et l'heure de connexion. Le client ne conserve jamais de mot de passe en clair, de code reçu par SMS ou e-mail, ni de code d'autorisation Google.

3. Finalités
Créer et vérifier les comptes, prévenir les abus, maintenir les sessions des appareils, rétablir la connexion et réaliser des audits de sécurité. Vos fichiers ne sont jamais utilisés pour la publicité, l'entraînement de modèles ou le profilage.

4. Services tiers
Avec la connexion Google, le navigateur du système contacte Google, qui traite la connexion selon sa propre politique ; nous ne demandons que les portées openid, email et profile. Les fournisseurs de SMS et d'e-mail ne reçoivent que le numéro ou l'adresse et le message nécessaires à l'envoi d'un code.

5. Stockage local
Le jeton d'actualisation est conservé sous forme protégée dans la configuration de l'utilisateur actuel : protégé par la DPAPI de l'utilisateur sous Windows, dans le trousseau sous macOS et, sur les autres systèmes, chiffré avec une clé que seul l'utilisateur actuel peut lire. Les paramètres, les événements de diagnostic anonymes et le cache de réparation temporaire se trouvent dans les dossiers de l'utilisateur actuel. Le diagnostic anonyme est désactivé par défaut, n'enregistre que l'heure, le nom de l'événement et la version de l'application, et peut être effacé sur la page « Confidentialité et sécurité ».

6. Conservation et sécurité
Les données de compte et d'appareil sont conservées aussi longtemps que le service, les litiges et les obligations légales l'exigent. Les codes ont une durée de vie courte et leur fréquence d'envoi comme le nombre d'essais sont limités. Nous utilisons le chiffrement des transmissions, la rotation des jetons, la révocation des appareils et le moindre privilège, mais aucun système en réseau ne peut garantir une sécurité absolue.

7. Vos choix et vos droits
Vous pouvez utiliser l'analyse et la réparation locales sans vous connecter ; vous pouvez vous déconnecter, effacer le journal de diagnostic et le cache temporaire, et supprimer définitivement votre compte dans « Informations du compte ». Adressez toute autre demande par le canal de contact publié par l'éditeur.

8. Mineurs et mises à jour
Le Logiciel ne s'adresse pas aux mineurs qui ne peuvent légalement donner leur consentement. Les changements importants seront annoncés dans l'application ou dans l'espace compte ; lorsque la loi l'exige, nous vous demanderons à nouveau votre consentement.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>Paramètres de l'interface</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Langue de l'interface</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>Thème de l'interface</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>Clair (vérifié visuellement)</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>Huit langues d'interface, modifiables immédiatement ; le thème clair vérifié est fourni.</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>Comportement d'enregistrement par défaut</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>Demander à chaque fois</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>Utiliser le dernier dossier d'enregistrement</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>Dernier dossier d'enregistrement</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>Aucun dossier valide sélectionné</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>Limite du cache temporaire</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>Afficher dans le gestionnaire de fichiers après l'enregistrement</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>Cache de réparation temporaire</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>Utilisation actuelle : </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation> ; limite : %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>Le résultat non enregistré actuel est protégé ; le nettoyage ne touche ni cette tâche ni le fichier d'origine</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>Ne gère que les dossiers nommés d'après une tâche dans le dossier repair-output de l'application</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>Appliquer la limite</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>Vider le cache expiré</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>État de la confidentialité et de la sécurité</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>Fichiers traités entièrement sur cet appareil</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>Les fichiers réparés restent locaux et ne sont jamais envoyés ni partagés.</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>Diagnostic anonyme local</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>N'enregistre que l'heure, le nom de l'événement et la version de l'application, jamais de noms de fichiers, de chemins ni de contenu, et n'est jamais envoyé automatiquement.</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>Taille du journal : </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>Effacer le journal</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>À propos de Korvex File Repair</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · liaison dynamique sous LGPLv3</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>Les textes des licences et les mentions des logiciels tiers sont fournis avec le programme, dans le dossier licenses à côté de l'exécutable.</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>Texte de la LGPLv3</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>Mentions des tiers</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Obtenir le code source Qt correspondant</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>Version 1.1 · Date d'effet : 1er septembre 2026</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Politique de confidentialité de Korvex</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Rétablir les valeurs par défaut</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>Confirmer le vidage du cache expiré</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>Seuls les dossiers de cache nommés d'après une tâche et datant de plus de 7 jours sont supprimés. Le résultat non enregistré actuel et vos propres fichiers ne sont pas supprimés.</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>Confirmer le nettoyage</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>Effacer le journal de diagnostic local ?</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>Les événements de diagnostic anonymes de cet appareil sont supprimés définitivement. L'interrupteur du diagnostic n'est pas modifié.</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>Rétablir les paramètres par défaut ?</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>Le comportement d'enregistrement, la limite du cache et l'interrupteur de confidentialité sont réinitialisés ; le cache de réparation et les fichiers de diagnostic existants ne sont pas supprimés.</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
