<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Réparation de fichiers</translation>
    </message>
    <message>
        <source>修复结果尚未保存</source>
        <translation>Résultat de la réparation non enregistré</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。</source>
        <translation>Fermer la fenêtre supprime ce résultat de réparation temporaire. Vous pouvez revenir à Réparation de fichiers pour l’enregistrer d’abord.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>完全本地处理</source>
        <translation>Traitement entièrement local</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Aide et commentaires</translation>
    </message>
    <message>
        <source>放弃并关闭</source>
        <translation>Abandonner et fermer</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Réparation de fichiers</translation>
    </message>
    <message>
        <source>未登录</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>登录（可选）</source>
        <translation>Se connecter (facultatif)</translation>
    </message>
    <message>
        <source>结果尚未保存</source>
        <translation>Résultat non enregistré</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>返回保存</source>
        <translation>Revenir pour enregistrer</translation>
    </message>
</context>
</TS>
