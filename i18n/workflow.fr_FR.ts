<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>另有 %1 项同类发现未逐条列出</source>
        <translation>%1 autres constats de ce type ne sont pas listés un par un</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>压缩容器</source>
        <translation>Conteneur compressé</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>无法读取输入文件：%1</source>
        <translation>Impossible de lire le fichier d'entrée : %1</translation>
    </message>
    <message>
        <source>该文件格式尚未列入首发修复白名单</source>
        <translation>Ce format de fichier ne figure pas encore parmi les formats que cette version répare</translation>
    </message>
    <message>
        <source>系统未提供可写的应用缓存目录</source>
        <translation>Le système ne fournit aucun dossier de cache d'application accessible en écriture</translation>
    </message>
    <message>
        <source>无法创建私有修复缓存目录</source>
        <translation>Impossible de créer le dossier de cache privé de réparation</translation>
    </message>
    <message>
        <source>无法登记私有修复缓存任务</source>
        <translation>Impossible d'enregistrer la tâche dans le cache privé de réparation</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检</source>
        <translation>Espace disque insuffisant dans le cache de l'application ; les copies de travail des chemins longs et la sortie de réparation ont été prises en compte lors de la vérification</translation>
    </message>
    <message>
        <source>无法为 Windows 长路径创建私有工作副本</source>
        <translation>Impossible de créer une copie de travail privée pour un chemin Windows long</translation>
    </message>
    <message>
        <source>无法为长路径样本创建私有工作副本</source>
        <translation>Impossible de créer une copie de travail privée pour un échantillon à chemin long</translation>
    </message>
    <message>
        <source>无法为同源一致副本创建短路径工作副本</source>
        <translation>Impossible de créer une copie de travail à chemin court de la copie concordante de même origine</translation>
    </message>
    <message>
        <source>核心生成了输出，但独立格式验证未通过</source>
        <translation>Le moteur a produit une sortie, mais la validation indépendante du format a échoué</translation>
    </message>
    <message>
        <source>同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览</source>
        <translation>La copie de même origine a été restaurée à l'identique ; la base source ne correspond pas à ce que déclare l'extension (%1) ; passage à l'aperçu sécurisé des données</translation>
    </message>
    <message>
        <source>格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。</source>
        <translation>Contrôle d'intégrité du format non réussi ; veuillez confirmer avant d'enregistrer : le résultat conserve les octets restaurés tels quels, ce qui ne signifie pas que la structure de fichier déclarée par l'extension est utilisable.</translation>
    </message>
    <message>
        <source>修复核心未返回可加密的结果文件</source>
        <translation>Le moteur de réparation n'a renvoyé aucun fichier de résultat pouvant être chiffré</translation>
    </message>
    <message>
        <source>无法安全加密临时修复结果：%1</source>
        <translation>Impossible de chiffrer de manière sûre le résultat temporaire de la réparation : %1</translation>
    </message>
    <message>
        <source>正在只读分析文件结构…</source>
        <translation>Analyse de la structure du fichier en lecture seule…</translation>
    </message>
    <message>
        <source>正在私有缓存中生成修复结果…</source>
        <translation>Génération du résultat de la réparation dans le cache privé…</translation>
    </message>
    <message>
        <source>请选择需要分析的文件</source>
        <translation>Veuillez sélectionner le fichier à analyser</translation>
    </message>
    <message>
        <source>已选择 %1；原文件将保持只读</source>
        <translation>%1 sélectionné ; le fichier d'origine reste en lecture seule</translation>
    </message>
    <message>
        <source>所选文件不存在或不是普通文件</source>
        <translation>Le fichier sélectionné n'existe pas ou n'est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>所选样本文件不存在或不是普通文件</source>
        <translation>Le fichier échantillon sélectionné n'existe pas ou n'est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>所选文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Le nom du fichier sélectionné contient des caractères illisibles ; renommez le fichier et réessayez</translation>
    </message>
    <message>
        <source>所选样本文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Le nom du fichier échantillon sélectionné contient des caractères illisibles ; renommez le fichier et réessayez</translation>
    </message>
    <message>
        <source>样本文件不能与待修复文件相同</source>
        <translation>Le fichier échantillon ne peut pas être le fichier à réparer</translation>
    </message>
    <message>
        <source>已选择样本文件：%1</source>
        <translation>Fichier échantillon sélectionné : %1</translation>
    </message>
    <message>
        <source>已移除样本文件</source>
        <translation>Fichier échantillon retiré</translation>
    </message>
    <message>
        <source>请先完成分析，再启动修复</source>
        <translation>Veuillez terminer l'analyse avant de lancer la réparation</translation>
    </message>
    <message>
        <source>正在安全取消…</source>
        <translation>Annulation en cours en toute sécurité…</translation>
    </message>
    <message>
        <source>检测到可尝试修复的问题</source>
        <translation>Des problèmes qu'une réparation peut tenter de corriger ont été détectés</translation>
    </message>
    <message>
        <source>未确认存在可自动修复的问题</source>
        <translation>Aucun problème réparable automatiquement n'a été confirmé</translation>
    </message>
    <message>
        <source>任务已取消，原文件未被修改</source>
        <translation>La tâche a été annulée ; le fichier d'origine n'a pas été modifié</translation>
    </message>
    <message>
        <source>操作失败</source>
        <translation>L'opération a échoué</translation>
    </message>
    <message>
        <source>分析完成，可以在私有缓存中尝试修复</source>
        <translation>Analyse terminée ; vous pouvez tenter la réparation dans le cache privé</translation>
    </message>
    <message>
        <source>修复完成并通过独立验证；结果可预览但尚未保存</source>
        <translation>Réparation terminée et validée de manière indépendante ; le résultat peut être prévisualisé mais n'est pas encore enregistré</translation>
    </message>
    <message>
        <source>同源数据已恢复；格式声明异常，结果可安全预览但尚未保存</source>
        <translation>Les données de même origine ont été récupérées ; la déclaration de format est anormale ; le résultat peut être prévisualisé en toute sécurité mais n'est pas encore enregistré</translation>
    </message>
    <message>
        <source>修复结果已加密，但无法生成受控预览：%1</source>
        <translation>Le résultat de la réparation est chiffré, mais aucun aperçu contrôlé n'a pu être produit : %1</translation>
    </message>
    <message>
        <source>已丢弃未保存结果，可以重新选择修复方式</source>
        <translation>Le résultat non enregistré a été supprimé ; vous pouvez de nouveau choisir un mode de réparation</translation>
    </message>
    <message>
        <source>缺少加密预览元数据</source>
        <translation>Les métadonnées de l'aperçu chiffré sont manquantes</translation>
    </message>
    <message>
        <source>无法解密受控预览：%1</source>
        <translation>Impossible de déchiffrer l'aperçu contrôlé : %1</translation>
    </message>
    <message>
        <source>目标目录不存在或不可写</source>
        <translation>Le dossier cible n'existe pas ou n'est pas accessible en écriture</translation>
    </message>
    <message>
        <source>已安全保存：%1</source>
        <translation>Enregistré en toute sécurité : %1</translation>
    </message>
    <message>
        <source>报告目录不存在</source>
        <translation>Le dossier du rapport n'existe pas</translation>
    </message>
    <message>
        <source>已导出不含完整文件路径的修复报告：%1</source>
        <translation>Rapport de réparation exporté sans chemins de fichier complets : %1</translation>
    </message>
    <message>
        <source>报告导出失败：%1</source>
        <translation>Échec de l'exportation du rapport : %1</translation>
    </message>
    <message>
        <source>保护临时结果的主密钥已无法解锁，已自动换用新的主密钥</source>
        <translation>La clé principale qui protège les résultats temporaires ne pouvait plus être déverrouillée ; elle a été remplacée par une nouvelle</translation>
    </message>
    <message>
        <source>正在独立验证修复结果…</source>
        <translation>Vérification indépendante du résultat réparé…</translation>
    </message>
    <message>
        <source>正在加密封存修复结果…</source>
        <translation>Chiffrement et scellement du résultat réparé…</translation>
    </message>
    <message>
        <source>输入文件在分析后已被更改或替换，请重新分析后再修复</source>
        <translation>Le fichier d’entrée a été modifié ou remplacé après l’analyse ; analysez-le de nouveau avant de le réparer</translation>
    </message>
    <message>
        <source>保存失败，缓存结果仍保留：%1</source>
        <translation>Échec de l’enregistrement ; le résultat en cache est conservé : %1</translation>
    </message>
    <message>
        <source>目标磁盘空间不足</source>
        <translation>espace insuffisant sur le disque de destination</translation>
    </message>
    <message>
        <source>文件名或路径过长</source>
        <translation>le nom ou le chemin du fichier est trop long</translation>
    </message>
    <message>
        <source>目标文件夹不可写</source>
        <translation>impossible d’écrire dans le dossier de destination</translation>
    </message>
    <message>
        <source>文件大小超过了系统对单个文件的上限</source>
        <translation>Le fichier a atteint la taille maximale qu’autorise le système pour un fichier</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足，无法封存修复结果（需要 %1）</source>
        <translation>Pas assez d’espace dans le cache de l’application pour sceller le résultat réparé (%1 nécessaires)</translation>
    </message>
    <message>
        <source>正在保存修复结果…（%1%）</source>
        <translation>Enregistrement du résultat réparé… (%1 %)</translation>
    </message>
</context>
<context>
    <name>olm::repair</name>
    <message>
        <source>“%1”不是普通文件（可能是管道、设备或文件夹），未读取</source>
        <translation>« %1 » n’est pas un fichier ordinaire (peut-être un tube, un périphérique ou un dossier) et n’a pas été lu</translation>
    </message>
</context>
</TS>
