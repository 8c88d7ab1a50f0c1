<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>Informations techniques</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Aide et commentaires</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Signaler un problème</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>Comment réparer un fichier ?</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>Choisissez le fichier endommagé → analysez → réparez → prévisualisez et enregistrez à un nouvel emplacement. La réparation n'écrase jamais l'original ; conservez-en une sauvegarde.</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>Quels fichiers sont pris en charge ?</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>Photos (RAW d’appareil photo compris), vidéos, audio et documents tels que PDF, Word, Excel, PowerPoint, RTF et fichiers texte. Le résultat dépend des dommages ; les données perdues ne peuvent pas toujours être récupérées.</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>Pourquoi enregistrer après la réparation ?</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>Le résultat affiché en aperçu est encore un fichier temporaire. Utilisez « Enregistrer le résultat » pour l'enregistrer dans votre propre dossier ; fermer le programme ou relancer une réparation supprime les résultats non enregistrés. Vérifiez ensuite le fichier dans son application.</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>Mes fichiers sont-ils envoyés ?</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>L'analyse, la réparation et l'aperçu ont lieu sur cet ordinateur. La connexion utilise le service de compte en ligne, mais n'envoie jamais les fichiers en cours de réparation. N'indiquez ni mot de passe, ni code de vérification, ni contenu de fichier sensible dans vos commentaires.</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Réparation de fichiers</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>« Envoyer le commentaire » transmet votre texte au support Korvex. N'indiquez pas d'informations sensibles ; copier et exporter n'envoient rien.</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>Décrivez le problème, les étapes pour le reproduire et le résultat attendu (6000 caractères au plus). N'incluez ni mot de passe, ni code de vérification, ni contenu de fichier sensible.</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>Par exemple : qu'avez-vous fait ? Quelle erreur est apparue ?</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 caractères</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>Joindre les informations techniques : uniquement les versions de l'application, de Qt et du système, l'architecture et la langue de l'interface ; ni compte, ni fichiers, ni chemins, ni journaux.</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>Envoi…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>Envoyer le commentaire</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>Copier le commentaire</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>Exporter le commentaire</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>Commentaire envoyé, référence %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>Trop d'envois ; réessayez plus tard.</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>Copié dans le presse-papiers, non envoyé.</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>Commentaire enregistré dans le fichier choisi, non envoyé.</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>L'opération n'a pas abouti. Vérifiez le réseau ou l'emplacement d'enregistrement et réessayez plus tard, ou copiez ou exportez le commentaire.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
</context>
</TS>
