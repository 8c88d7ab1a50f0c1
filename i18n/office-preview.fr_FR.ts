<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Le fichier d'aperçu n'existe pas</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>La taille du fichier Office dépasse la limite d'aperçu sécurisé (256 Mo au maximum)</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>L'aperçu Office intégré ne prend en charge que DOCX, XLSX et PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>Le document Office ne contient aucune page pouvant être affichée en toute sécurité</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>Aperçu sécurisé en lecture seule : le texte principal est affiché ; les mises en page flottantes complexes, les commentaires, les macros et les objets incorporés ne sont pas exécutés.</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>Feuille de calcul %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>Aperçu sécurisé en lecture seule : 8 feuilles de calcul au maximum, de 200 lignes × 30 colonnes chacune ; les formules ne sont pas calculées, les liens externes et les macros ne sont pas exécutés.</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>Aperçu sécurisé en lecture seule : le texte extractible de chaque diapositive est affiché ; les animations, l'audio et la vidéo, les macros et les liens externes ne sont pas exécutés.</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>Le conteneur Office ne peut pas être lu</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>La longueur du conteneur Office est hors de la plage sûre</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Échec de la localisation du répertoire du conteneur Office</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Le conteneur Office n'a pas de répertoire central ZIP</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>Les conteneurs Office fractionnés ou ZIP64 ne sont pas pris en charge</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Trop d'entrées dans le conteneur Office ; aperçu bloqué</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>Le répertoire central Office ne peut pas être lu</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>La structure du répertoire central Office n'est pas valide</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>Les entrées Office ZIP64 ne sont pas prises en charge</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Une entrée du répertoire central Office est tronquée</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>Le conteneur Office contient un nom d'entrée illégal</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Il manque une entrée obligatoire dans le conteneur Office : %1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>Le XML Office chiffré n'est pas prévisualisé</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>Le XML Office dépasse les limites de l'aperçu sécurisé</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Échec de la localisation du XML Office : %1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>La structure d'entrée locale du XML Office n'est pas valide : %1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>La plage de données du XML Office n'est pas valide : %1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>Les données XML Office sont tronquées : %1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>Les longueurs de l'entrée Office stockée ne concordent pas : %1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>Échec de la décompression DEFLATE du XML Office : %1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>Le XML Office utilise une méthode de compression non prise en charge : %1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>Échec du contrôle CRC du XML Office : %1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;Le document ne contient aucun texte affichable.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>Échec de l'analyse XML DOCX : %1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>Échec de l'analyse des chaînes partagées XLSX : %1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[Chaîne partagée non valide]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>Échec de l'analyse de la feuille de calcul XLSX : %1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>Échec de l'analyse de la diapositive PPTX : %1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;Diapositive %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;Cette page ne contient aucun texte à afficher.&lt;/p&gt;</translation>
    </message>
</context>
</TS>
