<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>Les paramètres sont enregistrés uniquement dans le dossier de configuration de l'utilisateur actuel</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Langue de l'interface changée en %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Langue d'interface non prise en charge : %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Thème clair appliqué</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>Cette version ne propose que le thème clair validé</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>L'enregistrement privilégiera le dernier dossier valide choisi</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>L'enregistrement demandera toujours le dossier de destination</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Limite du cache de réparation temporaire fixée à %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>Après un enregistrement réussi, le résultat sera affiché dans le gestionnaire de fichiers du système</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>Le résultat ne sera plus affiché automatiquement après l'enregistrement</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Dossier d'enregistrement mémorisé : %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Dossier d'enregistrement non mémorisé : le dossier n'existe pas ou n'est pas accessible en écriture</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Paramètres par défaut restaurés ; les fichiers de cache et de diagnostic existants n'ont pas été supprimés</translation>
    </message>
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>Journal de diagnostic anonyme local activé ; il n'est jamais envoyé automatiquement</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>Journal de diagnostic anonyme local désactivé</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>%1 anciennes tâches nettoyées ; le résultat non enregistré actuel est protégé, le cache dépasse la limite pour l'instant</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>L'utilisation du cache ne dépasse pas la limite de %1 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>%1 anciennes tâches nettoyées ; le cache respecte de nouveau la limite de %2 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>%1 caches de tâches expirés supprimés ; %2 tâches en cours protégées</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>Journal de diagnostic anonyme local effacé</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>Impossible d'effacer le journal de diagnostic local ; réessayez plus tard</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>THIRD_PARTY_NOTICES.md est introuvable dans le dossier de publication. Recompilez le programme avant la publication afin que le dossier licenses se trouve à côté de l'exécutable.</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>Mentions des logiciels tiers</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>LGPL-3.0-only.txt est introuvable dans le dossier de publication. Recompilez le programme avant la publication afin que le dossier licenses se trouve à côté de l'exécutable.</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>Licence GNU LGPLv3</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Obtenir le code source Qt correspondant</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>Cette application utilise les bibliothèques partagées Qt %1 Open Source et est distribuée selon la voie de la liaison dynamique de la LGPLv3.

Sources Qt correspondantes :
• Dépôt officiel des sources Qt : https://code.qt.io/cgit/qt/
• Archives officielles de Qt : https://download.qt.io/archive/qt/
• Choisissez les sources Qt %1 qui correspondent exactement à l'application.

Droit de réédition des liens : vous pouvez remplacer les bibliothèques partagées Qt utilisées par l'application par des versions modifiées compatibles. Les textes des licences et les mentions des logiciels tiers se trouvent dans le dossier licenses du dossier de l'application.</translation>
    </message>
</context>
</TS>
