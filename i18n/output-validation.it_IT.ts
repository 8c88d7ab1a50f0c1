<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>Il file di output non esiste o è vuoto</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>La dimensione per la convalida del testo supera il limite di sicurezza</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>Impossibile leggere l'output di testo</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Analisi JSON non riuscita: %1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>Analisi XML non riuscita: %1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>Output di testo analizzato correttamente</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>L'immagine può essere letta da un decodificatore indipendente</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>Verifica della decodifica dell'immagine non riuscita: %1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>Non è stato possibile verificare l'output entro i limiti</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>Impossibile leggere il file di output</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>Il formato RAW non ha una struttura di contenitore comune; i dati recuperati non sono vuoti e possono essere visualizzati in anteprima in modo sicuro nell'applicazione</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>Non esiste ancora una regola di convalida indipendente per questo formato</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>Verifica della struttura dell'output superata</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>Verifica della struttura dell'output non riuscita</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>gli elementi sono annidati per più di %1 livelli</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>i dati dell’immagine sono incompleti</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>nessuna immagine o anteprima incorporata decodificabile trovata</translation>
    </message>
</context>
</TS>
