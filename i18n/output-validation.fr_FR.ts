<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>Le fichier de sortie n'existe pas ou est vide</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>La taille de validation du texte dépasse la limite de sécurité</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>Impossible de lire la sortie texte</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Échec de l'analyse JSON : %1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>Échec de l'analyse XML : %1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>Sortie texte analysée avec succès</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>L'image peut être lue par un décodeur indépendant</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>Échec de la vérification du décodage de l'image : %1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>La sortie n'a pas pu être vérifiée dans les limites</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>Impossible de lire le fichier de sortie</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>Le format RAW n'a pas de structure de conteneur commune ; les données récupérées ne sont pas vides et peuvent être prévisualisées en toute sécurité dans l'application</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>Aucune règle de validation indépendante n'existe encore pour ce format</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>Vérification de la structure de sortie réussie</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>Échec de la vérification de la structure de sortie</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>les éléments sont imbriqués sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>les données de l’image sont incomplètes</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>aucune image ni aperçu intégré décodable trouvé</translation>
    </message>
</context>
</TS>
