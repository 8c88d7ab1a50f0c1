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
        <translation>Limite du cache de réparation temporaire fixée à %1 Mo</translation>
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
</context>
</TS>
