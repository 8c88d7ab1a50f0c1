<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>Impossible de lire le résultat de réparation à chiffrer : %1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>Échec de la lecture du résultat de réparation à chiffrer : %1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>Impossible de créer le résultat temporaire chiffré : %1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>Impossible d'écrire l'en-tête du résultat temporaire chiffré</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>Échec de l'écriture du résultat temporaire chiffré</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>Échec de la validation du résultat temporaire chiffré : %1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>Impossible de lire le résultat temporaire chiffré : %1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>Le résultat temporaire n'est pas un conteneur chiffré Korvex</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>L'en-tête du conteneur chiffré du résultat temporaire n'est pas valide</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>Impossible de créer le dossier de la sortie déchiffrée</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>Impossible de créer la sortie déchiffrée : %1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>Un enregistrement de bloc du résultat temporaire chiffré n'est pas valide</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>Le résultat temporaire chiffré est tronqué</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>L'authentification du résultat temporaire chiffré a échoué ; le fichier est peut-être endommagé ou altéré</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>Échec de l'écriture du résultat déchiffré</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>Échec du contrôle d'intégrité du résultat temporaire chiffré</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>Échec de la validation du résultat déchiffré : %1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>Impossible de créer le dossier privé de configuration de sécurité de l'application</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>Impossible de verrouiller le stockage privé de la clé principale de l'application</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>Impossible de lire le stockage privé de la clé principale de l'application</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>Impossible d'enregistrer la clé principale protégée dans les paramètres privés de l'application</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>La protection des données utilisateur ne peut pas protéger la clé principale des résultats temporaires (erreur %1)</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>La protection des données utilisateur ne peut pas déverrouiller la clé principale des résultats temporaires (erreur %1)</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>La clé principale protégée a une longueur non valide</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>La génération de nombres aléatoires sécurisés du système a échoué (état %1)</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>Le fichier de clé de protection des données utilisateur %1 a des autorisations non sûres (seul l'utilisateur actuel doit pouvoir le lire et l'écrire) ; il a été refusé</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>Le résultat temporaire chiffré n’est pas celui scellé par cette réparation et a été refusé</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>L’écriture du résultat déchiffré a échoué : le disque de destination est plein</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>L’écriture du résultat déchiffré a échoué : le fichier a atteint la taille maximale qu’autorise le système pour un fichier</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>Le disque du cache de l’application est plein ; le résultat réparé ne peut pas être scellé</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>Le scellement du résultat réparé a atteint la taille maximale qu’autorise le système pour un fichier</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>Le déchiffrement a été arrêté</translation>
    </message>
</context>
</TS>
