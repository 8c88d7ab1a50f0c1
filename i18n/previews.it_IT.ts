<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>Il file di anteprima sicura dei dati non esiste</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>Impossibile leggere il file di anteprima sicura dei dati: %1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>Impossibile leggere i dati recuperati</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation> (il resto non è mostrato)</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>Anteprima sicura dei dati (sola lettura)
File: %1
Dimensione dei dati recuperati: %2 byte
Intervallo mostrato: primi %3 byte%4

Nota: la copia ridondante della stessa origine è stata recuperata, ma la base recuperata non corrisponde al formato dichiarato dall’estensione. Di seguito sono mostrati i dati recuperati; non viene richiamato alcun software di terze parti.

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>Estratto di testo leggibile:
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>Dati esadecimali:
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Il file di anteprima non esiste</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>Il file di testo è vuoto o supera il limite di 8 MB dell’anteprima sicura</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>Impossibile leggere il file di anteprima del testo</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>Il file non è un testo UTF-8 valido</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Analisi JSON non riuscita: %1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>Il file di anteprima non esiste</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>Impossibile leggere le dimensioni dell’immagine; l’anteprima è stata bloccata</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>L’immagine di %1 × %2 pixel è troppo grande: una decodifica completa richiede più di 256 MB di memoria; l’anteprima è stata bloccata</translation>
    </message>
</context>
</TS>
