<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La partie inférieure de l’image a été perdue et n’a pas pu être récupérée ; elle est affichée remplie.</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La partie supérieure de l’image a été perdue et n’a pas pu être récupérée ; elle est affichée remplie.</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>Les images de l’animation situées après la coupure ont été perdues et n’ont pas pu être récupérées.</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>Les passes suivantes de l’image ont été perdues et n’ont pas pu être récupérées ; elle peut paraître floue, ou sa partie inférieure est affichée remplie.</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>Enregistrement du répertoire central ZIP manquant</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>Marqueur de fin d'image JPEG manquant</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>Marqueur de début d'image JPEG manquant</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>Identifiant d'en-tête WMV/ASF et paramètres de flux essentiels manquants</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>Taille anormale du bloc de données multimédia MP4</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>Table de références croisées PDF manquante ou endommagée</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>Aucun dommage trouvé pour cet élément</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>Ce format de fichier n'est pas encore pris en charge</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>En-tête de fichier manquant</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>Structure de fin de fichier manquante</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>Données du fichier tronquées ou incomplètes</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>La somme de contrôle des données ne correspond pas</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>Index du conteneur de fichier endommagé</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>Métadonnées requises manquantes</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>Structure interne du fichier anormale</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>Marqueur de structure de fichier non valide</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>Données de balayage de l'image manquantes</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>Contenu de l'en-tête de fichier endommagé</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>Données d'aperçu intégrées détectées</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>Données d'aperçu intégrées manquantes</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>L'échantillon sain ne correspond pas au fichier endommagé</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>Le conteneur du fichier est chiffré</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>Index du fichier manquant</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>Un composant de traitement requis n'est pas disponible</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>Une anomalie de fichier a été détectée ; consultez le rapport de réparation pour le diagnostic détaillé</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>L'en-tête essentiel du fichier est manquant ; passez à la réparation avancée et choisissez un échantillon sain compatible</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>La structure de paquets de l'échantillon sain sélectionné n'est pas compatible avec le fichier endommagé</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>L'échantillon sain sélectionné ne possède lui-même aucune structure ASF utilisable ; choisissez un autre échantillon</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>Mémoire insuffisante pour traiter ce fichier ; fermez d'autres programmes et réessayez</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>Le moteur de réparation a rencontré une erreur interne et n'a pas pu traiter ce fichier ; veuillez réessayer</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>L'image est trop grande pour être récupérée : environ %1 Mo décodés, la limite est de %2 Mo</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>Il manque au fichier l'index (moov) nécessaire à la lecture ; un échantillon sain enregistré par le même appareil est nécessaire. Ouvrez la réparation avancée et choisissez l'échantillon</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>L'échantillon sain sélectionné ne correspond pas à cet enregistrement ; choisissez un fichier sain enregistré par le même appareil avec les mêmes réglages</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>Le catalogue du document PDF (objet racine) est absent ; la sortie peut nécessiter une récupération manuelle</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>Seule la piste vidéo a été conservée ; les autres pistes (comme l’audio) n’ont pas pu être restaurées</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>Des données média endommagées ont été omises ; la lecture saute brièvement à cet endroit</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>Les informations du conteneur n’ont pas pu être restaurées ; l’audio a été enregistré en flux de trames brut</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>Certaines données d’image n’ont pas pu être restaurées ; des dégâts visibles peuvent subsister</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>La sortie peut nécessiter une récupération manuelle</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>Les informations de flux FLAC étaient endommagées et ont été reconstruites à partir des trames audio</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>La signature MD5 des informations de flux FLAC ne pouvait pas vérifier l’audio conservé et a été effacée ; la lecture n’est pas affectée</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>Le nombre total d’échantillons des informations de flux FLAC a été ramené à la durée de l’audio conservé</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>Le moteur de réparation a joint une remarque sur la sortie ; vérifiez le résultat avant de l’utiliser</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>La vidéo n’a pas d’index de recherche ; les lecteurs devront peut-être parcourir le fichier avant de pouvoir s’y déplacer</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>L’opération a été annulée</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>Le résultat de la réparation ne peut pas remplacer le fichier d’origine ni le fichier d’exemple</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>Impossible d’ouvrir le fichier à réparer</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>Impossible de lire entièrement le fichier à réparer</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>Aucun nom de fichier libre n’a été trouvé pour le résultat de la réparation</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>Impossible d’écrire le fichier du résultat de la réparation</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>Un fichier a été modifié pendant son traitement ; veuillez relancer l’analyse</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>Aucun ensemble de copies identiques clairement concordantes n’a été trouvé</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>L’exemple sain sélectionné ne peut pas servir à réparer ce fichier</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>Le fichier est trop endommagé ; aucune donnée récupérable n’a été trouvée</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>Le moteur de réparation n’a pas pu réparer ce fichier</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>Position %1 (octets)</translation>
    </message>
</context>
</TS>
