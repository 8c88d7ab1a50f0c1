<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>RepairPage</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Réparation de fichiers</translation>
    </message>
    <message>
        <source>不会修改原文件</source>
        <translation>Le fichier d’origine n’est jamais modifié</translation>
    </message>
    <message>
        <source>临时修复文件会被安全删除，原始文件不会受到影响。</source>
        <translation>Le fichier réparé temporaire est supprimé ; le fichier d’origine n’est pas touché.</translation>
    </message>
    <message>
        <source>临时预览</source>
        <translation>Aperçu temporaire</translation>
    </message>
    <message>
        <source>使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。</source>
        <translation>Reconstruire les métadonnées essentielles manquantes à partir d’un fichier sain du même appareil et du même format, aux paramètres d’encodage compatibles.</translation>
    </message>
    <message>
        <source>例如同一相机、录制设备或同一导出配置生成的正常文件</source>
        <translation>Par exemple un fichier sain du même appareil photo, enregistreur ou préréglage d’exportation</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>保存修复结果</source>
        <translation>Enregistrer le fichier réparé</translation>
    </message>
    <message>
        <source>修复</source>
        <translation>Réparer</translation>
    </message>
    <message>
        <source>修复完成，结果尚未保存</source>
        <translation>Réparation terminée, résultat pas encore enregistré</translation>
    </message>
    <message>
        <source>修复完成，结果已保存</source>
        <translation>Réparation terminée, résultat enregistré</translation>
    </message>
    <message>
        <source>修复过程中将保持原始文件只读</source>
        <translation>Le fichier d’origine reste en lecture seule pendant la réparation</translation>
    </message>
    <message>
        <source>写入应用私有缓存，完成后再由你选择保存位置</source>
        <translation>Écrit dans le cache privé de l’application ; vous choisissez ensuite où enregistrer</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analyser</translation>
    </message>
    <message>
        <source>分析中…</source>
        <translation>Analyse en cours…</translation>
    </message>
    <message>
        <source>原文件保持不变</source>
        <translation>Le fichier d’origine reste inchangé</translation>
    </message>
    <message>
        <source>原文件未修改</source>
        <translation>Fichier d’origine inchangé</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>取消任务</source>
        <translation>Annuler la tâche</translation>
    </message>
    <message>
        <source>可正常解析</source>
        <translation>Analyse normale</translation>
    </message>
    <message>
        <source>同源数据已恢复</source>
        <translation>Données de même origine restaurées</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果尚未保存</source>
        <translation>Données de même origine restaurées, résultat pas encore enregistré</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果已保存</source>
        <translation>Données de même origine restaurées, résultat enregistré</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>安全预览可用</source>
        <translation>Aperçu sûr disponible</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Exporter le rapport</translation>
    </message>
    <message>
        <source>尚未选择</source>
        <translation>Pas encore choisi</translation>
    </message>
    <message>
        <source>已保存到</source>
        <translation>Enregistré dans</translation>
    </message>
    <message>
        <source>已完成带样本的分析</source>
        <translation>Analyse avec échantillon terminée</translation>
    </message>
    <message>
        <source>已带样本完成分析，可以开始高级修复。</source>
        <translation>L’analyse avec l’échantillon est terminée ; la réparation avancée peut commencer.</translation>
    </message>
    <message>
        <source>已通过独立格式验证</source>
        <translation>Vérification indépendante du format réussie</translation>
    </message>
    <message>
        <source>带样本的分析未通过</source>
        <translation>Échec de l’analyse avec échantillon</translation>
    </message>
    <message>
        <source>带样本的分析未通过：%1</source>
        <translation>L’analyse avec l’échantillon a échoué : %1</translation>
    </message>
    <message>
        <source>开始分析</source>
        <translation>Lancer l’analyse</translation>
    </message>
    <message>
        <source>开始高级修复</source>
        <translation>Lancer la réparation avancée</translation>
    </message>
    <message>
        <source>当前无法自动修复</source>
        <translation>Réparation automatique impossible pour le moment</translation>
    </message>
    <message>
        <source>当前结果仍在私有缓存，尚未保存到用户目录。</source>
        <translation>Le résultat est encore dans le cache privé et n’est pas encore enregistré dans un de vos dossiers.</translation>
    </message>
    <message>
        <source>快速修复</source>
        <translation>Réparation rapide</translation>
    </message>
    <message>
        <source>快速修复无法安全完成</source>
        <translation>La réparation rapide ne peut pas aboutir en toute sécurité</translation>
    </message>
    <message>
        <source>恢复数据非空</source>
        <translation>Données restaurées non vides</translation>
    </message>
    <message>
        <source>所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。</source>
        <translation>Toute la réparation se fait dans le cache privé ; le fichier d’origine n’est jamais écrit ni écrasé.</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>打开预览</source>
        <translation>Ouvrir l’aperçu</translation>
    </message>
    <message>
        <source>扩展名格式未通过</source>
        <translation>Échec du contrôle du format de l’extension</translation>
    </message>
    <message>
        <source>拖入损坏文件，或点击选择文件</source>
        <translation>Déposez un fichier endommagé ici ou cliquez pour en choisir un</translation>
    </message>
    <message>
        <source>支持图片 · 视频 · 音频 · 文档 · PDF</source>
        <translation>Prend en charge images · vidéos · audio · documents · PDF</translation>
    </message>
    <message>
        <source>支持常见文档、图片、音频和视频格式</source>
        <translation>Prend en charge les formats courants de documents, d’images, d’audio et de vidéos</translation>
    </message>
    <message>
        <source>支持的文件</source>
        <translation>Fichiers pris en charge</translation>
    </message>
    <message>
        <source>放弃未保存结果？</source>
        <translation>Abandonner le résultat non enregistré ?</translation>
    </message>
    <message>
        <source>文件已选择，开始只读分析</source>
        <translation>Fichier choisi : lancez l’analyse en lecture seule</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>暂不可修复</source>
        <translation>Réparation impossible pour l’instant</translation>
    </message>
    <message>
        <source>更换待修复文件</source>
        <translation>Changer le fichier à réparer</translation>
    </message>
    <message>
        <source>更换文件</source>
        <translation>Changer de fichier</translation>
    </message>
    <message>
        <source>更换样本</source>
        <translation>Changer d’échantillon</translation>
    </message>
    <message>
        <source>未发现结构化损坏项</source>
        <translation>Aucun dommage structurel détecté</translation>
    </message>
    <message>
        <source>格式声明异常，已启用安全数据预览</source>
        <translation>Déclaration de format anormale ; aperçu sûr des données activé</translation>
    </message>
    <message>
        <source>检测结构</source>
        <translation>Analyse de la structure</translation>
    </message>
    <message>
        <source>正在只读分析损坏文件，并参考所选样本…</source>
        <translation>Analyse en lecture seule du fichier endommagé avec l’échantillon choisi…</translation>
    </message>
    <message>
        <source>正在带样本分析…</source>
        <translation>Analyse avec échantillon…</translation>
    </message>
    <message>
        <source>正在私有缓存中修复</source>
        <translation>Réparation dans le cache privé</translation>
    </message>
    <message>
        <source>正在读取文件结构…</source>
        <translation>Lecture de la structure du fichier…</translation>
    </message>
    <message>
        <source>正常样本</source>
        <translation>Échantillon sain</translation>
    </message>
    <message>
        <source>独立验证</source>
        <translation>Vérification indépendante</translation>
    </message>
    <message>
        <source>确认放弃</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>磁盘空间安全</source>
        <translation>Espace disque sûr</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>空间充足</source>
        <translation>Espace suffisant</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>结构完整</source>
        <translation>Structure complète</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnostic</translation>
    </message>
    <message>
        <source>请先完成文件分析</source>
        <translation>Analysez d’abord le fichier</translation>
    </message>
    <message>
        <source>请先选择正常样本</source>
        <translation>Choisissez d’abord un échantillon sain</translation>
    </message>
    <message>
        <source>请等待带样本的分析完成</source>
        <translation>Attendez la fin de l’analyse avec l’échantillon</translation>
    </message>
    <message>
        <source>请选择同设备、同格式的正常文件</source>
        <translation>Choisissez un fichier sain du même appareil et du même format</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Fichier de sortie</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>选择修复结果保存目录</source>
        <translation>Choisissez le dossier du fichier réparé</translation>
    </message>
    <message>
        <source>选择同设备、同格式的正常样本</source>
        <translation>Choisissez un échantillon sain du même appareil et du même format</translation>
    </message>
    <message>
        <source>选择完整报告保存目录</source>
        <translation>Choisissez le dossier du rapport complet</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Choisir le fichier</translation>
    </message>
    <message>
        <source>选择样本后会自动重新分析；分析完成前不会启用修复按钮。</source>
        <translation>Le choix d’un échantillon relance l’analyse ; le bouton de réparation reste inactif jusqu’à sa fin.</translation>
    </message>
    <message>
        <source>选择正常样本</source>
        <translation>Choisir un échantillon sain</translation>
    </message>
    <message>
        <source>选择需要修复的文件</source>
        <translation>Choisissez un fichier à réparer</translation>
    </message>
    <message>
        <source>重建内容</source>
        <translation>Reconstruction du contenu</translation>
    </message>
    <message>
        <source>重新修复</source>
        <translation>Réparer à nouveau</translation>
    </message>
    <message>
        <source>重置预览</source>
        <translation>Réinitialiser l’aperçu</translation>
    </message>
    <message>
        <source>音视频</source>
        <translation>Audio et vidéo</translation>
    </message>
    <message>
        <source>验证结果</source>
        <translation>Résultat de la vérification</translation>
    </message>
    <message>
        <source>高级修复</source>
        <translation>Réparation avancée</translation>
    </message>
    <message>
        <source>高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。</source>
        <translation>La réparation avancée n’emprunte que la structure et les paramètres d’encodage de l’échantillon ; le fichier à réparer reste toujours en lecture seule.</translation>
    </message>
    <message>
        <source>存在需要注意的警告</source>
        <translation>Avertissements à examiner</translation>
    </message>
    <message>
        <source>已通过独立格式验证，但有警告需要注意</source>
        <translation>Vérification indépendante du format réussie, avec des avertissements à examiner</translation>
    </message>
</context>
<context>
    <name>InternalPreview</name>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>0 / 0</source>
        <translation>0 / 0</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。</source>
        <translation>Aucune application par défaut ni aucun autre logiciel n’est lancé. Enregistrez le résultat avant de travailler avec ce format.</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>取消静音</source>
        <translation>Réactiver le son</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>播放视频</source>
        <translation>Lire la vidéo</translation>
    </message>
    <message>
        <source>无法生成内部 Office 预览</source>
        <translation>Impossible de générer l’aperçu Office interne</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>正在生成安全只读预览…</source>
        <translation>Génération d’un aperçu sûr en lecture seule…</translation>
    </message>
    <message>
        <source>此格式尚未提供内部预览</source>
        <translation>Aucun aperçu interne n’est encore disponible pour ce format</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>继续播放</source>
        <translation>Reprendre la lecture</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Ajuster à la largeur</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>重新播放</source>
        <translation>Relire</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>音频预览</source>
        <translation>Aperçu audio</translation>
    </message>
    <message>
        <source>内置预览无法播放此文件，修复结果不受影响。</source>
        <translation>L’aperçu intégré ne peut pas lire ce fichier. Le résultat réparé n’est pas affecté.</translation>
    </message>
</context>
</TS>
