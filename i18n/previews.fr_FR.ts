<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>Le fichier d’aperçu sécurisé des données n’existe pas</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>Impossible de lire le fichier d’aperçu sécurisé des données : %1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>Impossible de lire les données récupérées</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation> (le reste n’est pas affiché)</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>Aperçu sécurisé des données (lecture seule)
Fichier : %1
Taille des données récupérées : %2 octets
Plage affichée : les %3 premiers octets%4

Remarque : la copie redondante de même origine a été récupérée, mais la base récupérée ne correspond pas au format déclaré par l’extension. Les données récupérées elles-mêmes sont affichées ci-dessous ; aucun logiciel tiers n’est appelé.

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>Extrait de texte lisible :
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>Données hexadécimales :
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Le fichier d’aperçu n’existe pas</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>Le fichier texte est vide ou dépasse la limite d’aperçu sécurisé de 8 Mo</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>Impossible de lire le fichier d’aperçu du texte</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>Le fichier n’est pas un texte UTF-8 valide</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Échec de l’analyse JSON : %1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Le fichier d’aperçu n’existe pas</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>Impossible de lire la taille de l’image ; l’aperçu a été bloqué</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>L’image de %1 × %2 pixels est trop grande : un décodage complet demande plus de 256 Mo de mémoire ; l’aperçu a été bloqué</translation>
    </message>
</context>
</TS>
