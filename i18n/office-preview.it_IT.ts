<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Il file di anteprima non esiste</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>La dimensione del file Office supera l'intervallo di anteprima sicura (massimo 256 MB)</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>L'anteprima Office interna supporta solo DOCX, XLSX e PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>Il documento Office non contiene pagine visualizzabili in modo sicuro</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>Anteprima sicura di sola lettura: viene mostrato il testo principale; layout flottanti complessi, commenti, macro e oggetti incorporati non vengono eseguiti.</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>Foglio di lavoro %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>Anteprima sicura di sola lettura: al massimo 8 fogli di lavoro, ciascuno di 200 righe × 30 colonne; le formule non vengono calcolate, i collegamenti esterni e le macro non vengono eseguiti.</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>Anteprima sicura di sola lettura: viene mostrato il testo estraibile di ogni diapositiva; animazioni, audio e video, macro e collegamenti esterni non vengono eseguiti.</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>Il contenitore Office non può essere letto</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>La lunghezza del contenitore Office è fuori dall'intervallo sicuro</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Individuazione della directory del contenitore Office non riuscita</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Il contenitore Office non ha una directory centrale ZIP</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>I contenitori Office suddivisi o ZIP64 non sono supportati</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Troppe voci nel contenitore Office; anteprima bloccata</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>La directory centrale Office non può essere letta</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>La struttura della directory centrale Office non è valida</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>Le voci Office ZIP64 non sono supportate</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Una voce della directory centrale Office è troncata</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>Il contenitore Office contiene un nome di voce non consentito</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Nel contenitore Office manca una voce obbligatoria: %1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>L'XML Office cifrato non viene mostrato in anteprima</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>L'XML Office supera i limiti dell'anteprima sicura</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Individuazione dell'XML Office non riuscita: %1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>La struttura della voce locale dell'XML Office non è valida: %1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>L'intervallo di dati dell'XML Office non è valido: %1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>I dati XML Office sono troncati: %1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>Le lunghezze della voce Office memorizzata non coincidono: %1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>Decompressione DEFLATE dell'XML Office non riuscita: %1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>L'XML Office usa un metodo di compressione non supportato: %1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>Controllo CRC dell'XML Office non riuscito: %1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;Il documento non contiene testo visualizzabile.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>Analisi XML DOCX non riuscita: %1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>Analisi delle stringhe condivise XLSX non riuscita: %1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[Stringa condivisa non valida]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>Analisi del foglio di lavoro XLSX non riuscita: %1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>Analisi della diapositiva PPTX non riuscita: %1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;Diapositiva %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;Questa pagina non contiene testo da visualizzare.&lt;/p&gt;</translation>
    </message>
</context>
</TS>
