<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>另有 %1 项同类发现未逐条列出</source>
        <translation>Altri %1 rilevamenti di questo tipo non sono elencati singolarmente</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Immagine</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documento</translation>
    </message>
    <message>
        <source>压缩容器</source>
        <translation>Contenitore compresso</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Sconosciuto</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Informazione</translation>
    </message>
    <message>
        <source>无法读取输入文件：%1</source>
        <translation>Impossibile leggere il file di input: %1</translation>
    </message>
    <message>
        <source>该文件格式尚未列入首发修复白名单</source>
        <translation>Questo formato di file non è ancora tra i formati che questa versione ripara</translation>
    </message>
    <message>
        <source>系统未提供可写的应用缓存目录</source>
        <translation>Il sistema non fornisce una cartella cache dell'applicazione scrivibile</translation>
    </message>
    <message>
        <source>无法创建私有修复缓存目录</source>
        <translation>Impossibile creare la cartella cache privata di riparazione</translation>
    </message>
    <message>
        <source>无法登记私有修复缓存任务</source>
        <translation>Impossibile registrare l'attività nella cache privata di riparazione</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检</source>
        <translation>Spazio su disco insufficiente nella cache dell'applicazione; le copie di lavoro dei percorsi lunghi e l'output della riparazione sono stati inclusi nel controllo preliminare</translation>
    </message>
    <message>
        <source>无法为 Windows 长路径创建私有工作副本</source>
        <translation>Impossibile creare una copia di lavoro privata per un percorso Windows lungo</translation>
    </message>
    <message>
        <source>无法为长路径样本创建私有工作副本</source>
        <translation>Impossibile creare una copia di lavoro privata per un campione con percorso lungo</translation>
    </message>
    <message>
        <source>无法为同源一致副本创建短路径工作副本</source>
        <translation>Impossibile creare una copia di lavoro con percorso breve della copia concorde della stessa origine</translation>
    </message>
    <message>
        <source>核心生成了输出，但独立格式验证未通过</source>
        <translation>Il motore ha prodotto un output, ma la convalida indipendente del formato non è riuscita</translation>
    </message>
    <message>
        <source>同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览</source>
        <translation>La copia della stessa origine è stata ripristinata esattamente; la base di origine non corrisponde a quanto dichiara l'estensione (%1); passato all'anteprima sicura dei dati</translation>
    </message>
    <message>
        <source>格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。</source>
        <translation>Controllo di integrità del formato non superato; confermare prima di salvare: il risultato conserva i byte ripristinati così come sono, il che non significa che la struttura del file dichiarata dall'estensione sia utilizzabile.</translation>
    </message>
    <message>
        <source>修复核心未返回可加密的结果文件</source>
        <translation>Il motore di riparazione non ha restituito alcun file di risultato da cifrare</translation>
    </message>
    <message>
        <source>无法安全加密临时修复结果：%1</source>
        <translation>Impossibile cifrare in modo sicuro il risultato temporaneo della riparazione: %1</translation>
    </message>
    <message>
        <source>正在只读分析文件结构…</source>
        <translation>Analisi della struttura del file in sola lettura…</translation>
    </message>
    <message>
        <source>正在私有缓存中生成修复结果…</source>
        <translation>Generazione del risultato della riparazione nella cache privata…</translation>
    </message>
    <message>
        <source>请选择需要分析的文件</source>
        <translation>Selezionare il file da analizzare</translation>
    </message>
    <message>
        <source>已选择 %1；原文件将保持只读</source>
        <translation>%1 selezionato; il file originale resta in sola lettura</translation>
    </message>
    <message>
        <source>所选文件不存在或不是普通文件</source>
        <translation>Il file selezionato non esiste o non è un file normale</translation>
    </message>
    <message>
        <source>所选样本文件不存在或不是普通文件</source>
        <translation>Il file campione selezionato non esiste o non è un file normale</translation>
    </message>
    <message>
        <source>所选文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Il nome del file selezionato contiene caratteri che non possono essere letti; rinomina il file e riprova</translation>
    </message>
    <message>
        <source>所选样本文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Il nome del file campione selezionato contiene caratteri che non possono essere letti; rinomina il file e riprova</translation>
    </message>
    <message>
        <source>样本文件不能与待修复文件相同</source>
        <translation>Il file campione non può essere lo stesso file da riparare</translation>
    </message>
    <message>
        <source>已选择样本文件：%1</source>
        <translation>File campione selezionato: %1</translation>
    </message>
    <message>
        <source>已移除样本文件</source>
        <translation>File campione rimosso</translation>
    </message>
    <message>
        <source>请先完成分析，再启动修复</source>
        <translation>Completare l'analisi prima di avviare la riparazione</translation>
    </message>
    <message>
        <source>正在安全取消…</source>
        <translation>Annullamento sicuro in corso…</translation>
    </message>
    <message>
        <source>检测到可尝试修复的问题</source>
        <translation>Sono stati rilevati problemi che una riparazione può tentare di correggere</translation>
    </message>
    <message>
        <source>未确认存在可自动修复的问题</source>
        <translation>Non è stato confermato alcun problema riparabile automaticamente</translation>
    </message>
    <message>
        <source>任务已取消，原文件未被修改</source>
        <translation>L'attività è stata annullata; il file originale non è stato modificato</translation>
    </message>
    <message>
        <source>操作失败</source>
        <translation>Operazione non riuscita</translation>
    </message>
    <message>
        <source>分析完成，可以在私有缓存中尝试修复</source>
        <translation>Analisi completata; è possibile tentare la riparazione nella cache privata</translation>
    </message>
    <message>
        <source>修复完成并通过独立验证；结果可预览但尚未保存</source>
        <translation>Riparazione completata e convalidata in modo indipendente; il risultato può essere visualizzato in anteprima ma non è ancora salvato</translation>
    </message>
    <message>
        <source>同源数据已恢复；格式声明异常，结果可安全预览但尚未保存</source>
        <translation>I dati della stessa origine sono stati recuperati; la dichiarazione del formato è anomala; il risultato può essere visualizzato in anteprima in sicurezza ma non è ancora salvato</translation>
    </message>
    <message>
        <source>修复结果已加密，但无法生成受控预览：%1</source>
        <translation>Il risultato della riparazione è cifrato, ma non è stato possibile produrre un'anteprima controllata: %1</translation>
    </message>
    <message>
        <source>已丢弃未保存结果，可以重新选择修复方式</source>
        <translation>Il risultato non salvato è stato scartato; è possibile scegliere di nuovo un metodo di riparazione</translation>
    </message>
    <message>
        <source>缺少加密预览元数据</source>
        <translation>Mancano i metadati dell'anteprima cifrata</translation>
    </message>
    <message>
        <source>无法解密受控预览：%1</source>
        <translation>Impossibile decifrare l'anteprima controllata: %1</translation>
    </message>
    <message>
        <source>目标目录不存在或不可写</source>
        <translation>La cartella di destinazione non esiste o non è scrivibile</translation>
    </message>
    <message>
        <source>已安全保存：%1</source>
        <translation>Salvato in modo sicuro: %1</translation>
    </message>
    <message>
        <source>报告目录不存在</source>
        <translation>La cartella del rapporto non esiste</translation>
    </message>
    <message>
        <source>已导出不含完整文件路径的修复报告：%1</source>
        <translation>Rapporto di riparazione esportato senza percorsi completi dei file: %1</translation>
    </message>
    <message>
        <source>报告导出失败：%1</source>
        <translation>Esportazione del rapporto non riuscita: %1</translation>
    </message>
    <message>
        <source>保护临时结果的主密钥已无法解锁，已自动换用新的主密钥</source>
        <translation>La chiave principale che protegge i risultati temporanei non poteva più essere sbloccata ed è stata sostituita con una nuova</translation>
    </message>
    <message>
        <source>正在独立验证修复结果…</source>
        <translation>Verifica indipendente del risultato riparato…</translation>
    </message>
    <message>
        <source>正在加密封存修复结果…</source>
        <translation>Cifratura e sigillatura del risultato riparato…</translation>
    </message>
    <message>
        <source>输入文件在分析后已被更改或替换，请重新分析后再修复</source>
        <translation>Il file di input è stato modificato o sostituito dopo l’analisi; analizzalo di nuovo prima di ripararlo</translation>
    </message>
    <message>
        <source>保存失败，缓存结果仍保留：%1</source>
        <translation>Salvataggio non riuscito; il risultato nella cache viene conservato: %1</translation>
    </message>
    <message>
        <source>目标磁盘空间不足</source>
        <translation>spazio insufficiente sul disco di destinazione</translation>
    </message>
    <message>
        <source>文件名或路径过长</source>
        <translation>il nome o il percorso del file è troppo lungo</translation>
    </message>
    <message>
        <source>目标文件夹不可写</source>
        <translation>impossibile scrivere nella cartella di destinazione</translation>
    </message>
    <message>
        <source>文件大小超过了系统对单个文件的上限</source>
        <translation>Il file ha raggiunto il limite di dimensione del sistema per un singolo file</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足，无法封存修复结果（需要 %1）</source>
        <translation>Spazio insufficiente nella cache dell’applicazione per sigillare il risultato riparato (servono %1)</translation>
    </message>
    <message>
        <source>正在保存修复结果…（%1%）</source>
        <translation>Salvataggio del risultato riparato… (%1%)</translation>
    </message>
</context>
<context>
    <name>olm::repair</name>
    <message>
        <source>“%1”不是普通文件（可能是管道、设备或文件夹），未读取</source>
        <translation>“%1” non è un file normale (potrebbe essere una pipe, un dispositivo o una cartella) e non è stato letto</translation>
    </message>
</context>
</TS>
