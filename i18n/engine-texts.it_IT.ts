<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La parte inferiore dell’immagine è andata persa e non è stato possibile recuperarla; viene mostrata riempita.</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La parte superiore dell’immagine è andata persa e non è stato possibile recuperarla; viene mostrata riempita.</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>I fotogrammi dell’animazione dopo il punto di interruzione sono andati persi e non è stato possibile recuperarli.</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>Le scansioni successive dell’immagine sono andate perse e non è stato possibile recuperarle; può apparire sfocata, oppure la sua parte inferiore viene mostrata riempita.</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>Record della directory centrale ZIP mancante</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>Marcatore di fine immagine JPEG mancante</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>Marcatore di inizio immagine JPEG mancante</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>Identificatore di intestazione WMV/ASF e parametri chiave del flusso mancanti</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>Dimensione anomala del blocco dati multimediali MP4</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>Tabella dei riferimenti incrociati PDF mancante o danneggiata</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>Nessun danno rilevato per questo elemento</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>Questo formato di file non è ancora supportato</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>Intestazione del file mancante</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>Struttura di fine file mancante</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>Dati del file troncati o incompleti</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>Il checksum dei dati non corrisponde</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>Indice del contenitore del file danneggiato</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>Metadati necessari mancanti</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>Struttura interna del file anomala</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>Marcatore di struttura del file non valido</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>Dati di scansione dell'immagine mancanti</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>Contenuto dell'intestazione del file danneggiato</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>Rilevati dati di anteprima incorporati</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>Dati di anteprima incorporati mancanti</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>Il campione integro non corrisponde al file danneggiato</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>Il contenitore del file è cifrato</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>Indice del file mancante</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>Un componente di elaborazione necessario non è disponibile</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>È stata rilevata un'anomalia nel file; consultare il rapporto di riparazione per la diagnosi dettagliata</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>L'intestazione fondamentale del file è mancante; passare alla riparazione avanzata e scegliere un campione integro compatibile</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>La struttura dei pacchetti del campione integro selezionato non è compatibile con il file danneggiato</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>Il campione integro selezionato non ha una struttura ASF utilizzabile; scegliere un altro campione</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>Memoria insufficiente per elaborare questo file; chiudi gli altri programmi e riprova</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>Il motore di riparazione ha riscontrato un errore interno e non ha potuto elaborare questo file; riprova</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>L'immagine è troppo grande per essere recuperata: circa %1 MB decodificati, il limite è %2 MB</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>Al file manca l'indice (moov) necessario per la riproduzione; serve un campione integro registrato dallo stesso dispositivo. Aprire la riparazione avanzata e scegliere il campione</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>Il campione integro selezionato non corrisponde a questa registrazione; scegliere un file integro registrato dallo stesso dispositivo con le stesse impostazioni</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>Il catalogo del documento PDF (oggetto radice) è assente; il risultato potrebbe richiedere un recupero manuale</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>È stata mantenuta solo la traccia video; le altre tracce (come l’audio) non sono state ripristinate</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>I dati multimediali danneggiati sono stati omessi; in quel punto la riproduzione salta brevemente</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>Le informazioni del contenitore non sono state ripristinate; l’audio è stato salvato come flusso di frame semplice</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>Alcuni dati dell’immagine non sono stati ripristinati; nel risultato possono restare danni visibili</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>Il risultato potrebbe richiedere un recupero manuale</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>Le informazioni di flusso FLAC erano danneggiate e sono state ricostruite dai frame audio</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>La firma MD5 nelle informazioni di flusso FLAC non poteva verificare l’audio conservato ed è stata cancellata; la riproduzione non ne risente</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>Il numero totale di campioni nelle informazioni di flusso FLAC è stato impostato sulla durata dell’audio conservato</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>Il motore di riparazione ha aggiunto una nota sul risultato; controllalo prima di usarlo</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>Il video non ha un indice di ricerca; i lettori potrebbero dover analizzare il file prima di poter saltare</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>L’operazione è stata annullata</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>Il risultato della riparazione non può sovrascrivere il file originale o il file di esempio</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>Impossibile aprire il file da riparare</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>Impossibile leggere completamente il file da riparare</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>Non è stato trovato alcun nome di file libero per il risultato della riparazione</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>Impossibile scrivere il file del risultato della riparazione</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>Un file è stato modificato durante l’elaborazione; esegui di nuovo l’analisi</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>Non è stato trovato alcun gruppo di copie identiche chiaramente concordanti</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>Il file di esempio integro selezionato non può essere usato per riparare questo file</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>Il file è troppo danneggiato; non sono stati trovati dati recuperabili</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>Il motore di riparazione non è riuscito a riparare questo file</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>Offset byte %1</translation>
    </message>
</context>
</TS>
