<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>RepairPage</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Riparazione file</translation>
    </message>
    <message>
        <source>不会修改原文件</source>
        <translation>Il file originale non viene mai modificato</translation>
    </message>
    <message>
        <source>临时修复文件会被安全删除，原始文件不会受到影响。</source>
        <translation>Il file riparato temporaneo viene eliminato; il file originale non viene toccato.</translation>
    </message>
    <message>
        <source>临时预览</source>
        <translation>Anteprima temporanea</translation>
    </message>
    <message>
        <source>使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。</source>
        <translation>Ricostruisci i metadati essenziali mancanti da un file integro dello stesso dispositivo e formato con parametri di codifica compatibili.</translation>
    </message>
    <message>
        <source>例如同一相机、录制设备或同一导出配置生成的正常文件</source>
        <translation>Ad esempio un file integro della stessa fotocamera, dello stesso registratore o dello stesso preset di esportazione</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>保存修复结果</source>
        <translation>Salva il file riparato</translation>
    </message>
    <message>
        <source>修复</source>
        <translation>Ripara</translation>
    </message>
    <message>
        <source>修复完成，结果尚未保存</source>
        <translation>Riparazione completata, risultato non ancora salvato</translation>
    </message>
    <message>
        <source>修复完成，结果已保存</source>
        <translation>Riparazione completata, risultato salvato</translation>
    </message>
    <message>
        <source>修复过程中将保持原始文件只读</source>
        <translation>Il file originale resta in sola lettura durante la riparazione</translation>
    </message>
    <message>
        <source>写入应用私有缓存，完成后再由你选择保存位置</source>
        <translation>Scritto nella cache privata dell’app; poi scegli dove salvare</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analizza</translation>
    </message>
    <message>
        <source>分析中…</source>
        <translation>Analisi in corso…</translation>
    </message>
    <message>
        <source>原文件保持不变</source>
        <translation>Il file originale resta invariato</translation>
    </message>
    <message>
        <source>原文件未修改</source>
        <translation>File originale non modificato</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>取消任务</source>
        <translation>Annulla attività</translation>
    </message>
    <message>
        <source>可正常解析</source>
        <translation>Interpretabile normalmente</translation>
    </message>
    <message>
        <source>同源数据已恢复</source>
        <translation>Dati della stessa origine ripristinati</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果尚未保存</source>
        <translation>Dati della stessa origine ripristinati, risultato non ancora salvato</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果已保存</source>
        <translation>Dati della stessa origine ripristinati, risultato salvato</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Immagini</translation>
    </message>
    <message>
        <source>安全预览可用</source>
        <translation>Anteprima sicura disponibile</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Fatto</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Esporta rapporto</translation>
    </message>
    <message>
        <source>尚未选择</source>
        <translation>Non ancora scelto</translation>
    </message>
    <message>
        <source>已保存到</source>
        <translation>Salvato in</translation>
    </message>
    <message>
        <source>已完成带样本的分析</source>
        <translation>Analisi con campione completata</translation>
    </message>
    <message>
        <source>已带样本完成分析，可以开始高级修复。</source>
        <translation>L’analisi con il campione è completata; la riparazione avanzata può iniziare.</translation>
    </message>
    <message>
        <source>已通过独立格式验证</source>
        <translation>Verifica indipendente del formato superata</translation>
    </message>
    <message>
        <source>带样本的分析未通过</source>
        <translation>Analisi con campione non riuscita</translation>
    </message>
    <message>
        <source>带样本的分析未通过：%1</source>
        <translation>L’analisi con il campione non è riuscita: %1</translation>
    </message>
    <message>
        <source>开始分析</source>
        <translation>Avvia analisi</translation>
    </message>
    <message>
        <source>开始高级修复</source>
        <translation>Avvia riparazione avanzata</translation>
    </message>
    <message>
        <source>当前无法自动修复</source>
        <translation>Riparazione automatica al momento non possibile</translation>
    </message>
    <message>
        <source>当前结果仍在私有缓存，尚未保存到用户目录。</source>
        <translation>Il risultato è ancora nella cache privata e non è ancora salvato in una tua cartella.</translation>
    </message>
    <message>
        <source>快速修复</source>
        <translation>Riparazione rapida</translation>
    </message>
    <message>
        <source>快速修复无法安全完成</source>
        <translation>La riparazione rapida non può essere completata in sicurezza</translation>
    </message>
    <message>
        <source>恢复数据非空</source>
        <translation>Dati ripristinati non vuoti</translation>
    </message>
    <message>
        <source>所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。</source>
        <translation>Tutta la riparazione avviene nella cache privata; il file originale non viene mai scritto né sovrascritto.</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>Tutti i file (*)</translation>
    </message>
    <message>
        <source>打开预览</source>
        <translation>Apri anteprima</translation>
    </message>
    <message>
        <source>扩展名格式未通过</source>
        <translation>Controllo del formato dell’estensione non superato</translation>
    </message>
    <message>
        <source>拖入损坏文件，或点击选择文件</source>
        <translation>Trascina qui un file danneggiato o fai clic per sceglierlo</translation>
    </message>
    <message>
        <source>支持图片 · 视频 · 音频 · 文档 · PDF</source>
        <translation>Supporta immagini · video · audio · documenti · PDF</translation>
    </message>
    <message>
        <source>支持常见文档、图片、音频和视频格式</source>
        <translation>Supporta i formati comuni di documenti, immagini, audio e video</translation>
    </message>
    <message>
        <source>支持的文件</source>
        <translation>File supportati</translation>
    </message>
    <message>
        <source>放弃未保存结果？</source>
        <translation>Scartare il risultato non salvato?</translation>
    </message>
    <message>
        <source>文件已选择，开始只读分析</source>
        <translation>File scelto: avvia l’analisi in sola lettura</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documenti</translation>
    </message>
    <message>
        <source>暂不可修复</source>
        <translation>Al momento non riparabile</translation>
    </message>
    <message>
        <source>更换待修复文件</source>
        <translation>Cambia il file da riparare</translation>
    </message>
    <message>
        <source>更换文件</source>
        <translation>Cambia file</translation>
    </message>
    <message>
        <source>更换样本</source>
        <translation>Cambia campione</translation>
    </message>
    <message>
        <source>未发现结构化损坏项</source>
        <translation>Nessun danno strutturale rilevato</translation>
    </message>
    <message>
        <source>格式声明异常，已启用安全数据预览</source>
        <translation>Dichiarazione di formato anomala; anteprima sicura dei dati attivata</translation>
    </message>
    <message>
        <source>检测结构</source>
        <translation>Controllo struttura</translation>
    </message>
    <message>
        <source>正在只读分析损坏文件，并参考所选样本…</source>
        <translation>Analisi in sola lettura del file danneggiato con il campione scelto…</translation>
    </message>
    <message>
        <source>正在带样本分析…</source>
        <translation>Analisi con campione…</translation>
    </message>
    <message>
        <source>正在私有缓存中修复</source>
        <translation>Riparazione nella cache privata</translation>
    </message>
    <message>
        <source>正在读取文件结构…</source>
        <translation>Lettura della struttura del file…</translation>
    </message>
    <message>
        <source>正常样本</source>
        <translation>Campione integro</translation>
    </message>
    <message>
        <source>独立验证</source>
        <translation>Verifica indipendente</translation>
    </message>
    <message>
        <source>确认放弃</source>
        <translation>Scarta</translation>
    </message>
    <message>
        <source>磁盘空间安全</source>
        <translation>Spazio su disco sicuro</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>空间充足</source>
        <translation>Spazio sufficiente</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>In attesa</translation>
    </message>
    <message>
        <source>结构完整</source>
        <translation>Struttura completa</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnosi</translation>
    </message>
    <message>
        <source>请先完成文件分析</source>
        <translation>Analizza prima il file</translation>
    </message>
    <message>
        <source>请先选择正常样本</source>
        <translation>Scegli prima un campione integro</translation>
    </message>
    <message>
        <source>请等待带样本的分析完成</source>
        <translation>Attendi il completamento dell’analisi con il campione</translation>
    </message>
    <message>
        <source>请选择同设备、同格式的正常文件</source>
        <translation>Scegli un file integro dello stesso dispositivo e formato</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>File di output</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>In corso</translation>
    </message>
    <message>
        <source>选择修复结果保存目录</source>
        <translation>Scegli la cartella per il file riparato</translation>
    </message>
    <message>
        <source>选择同设备、同格式的正常样本</source>
        <translation>Scegli un campione integro dello stesso dispositivo e formato</translation>
    </message>
    <message>
        <source>选择完整报告保存目录</source>
        <translation>Scegli la cartella per il rapporto completo</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Scegli file</translation>
    </message>
    <message>
        <source>选择样本后会自动重新分析；分析完成前不会启用修复按钮。</source>
        <translation>La scelta di un campione avvia una nuova analisi; il pulsante di riparazione resta disattivato finché non termina.</translation>
    </message>
    <message>
        <source>选择正常样本</source>
        <translation>Scegli un campione integro</translation>
    </message>
    <message>
        <source>选择需要修复的文件</source>
        <translation>Scegli un file da riparare</translation>
    </message>
    <message>
        <source>重建内容</source>
        <translation>Ricostruzione contenuto</translation>
    </message>
    <message>
        <source>重新修复</source>
        <translation>Ripara di nuovo</translation>
    </message>
    <message>
        <source>重置预览</source>
        <translation>Reimposta anteprima</translation>
    </message>
    <message>
        <source>音视频</source>
        <translation>Audio e video</translation>
    </message>
    <message>
        <source>验证结果</source>
        <translation>Esito della verifica</translation>
    </message>
    <message>
        <source>高级修复</source>
        <translation>Riparazione avanzata</translation>
    </message>
    <message>
        <source>高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。</source>
        <translation>La riparazione avanzata prende in prestito solo la struttura e i parametri di codifica del campione; il file da riparare resta sempre in sola lettura.</translation>
    </message>
    <message>
        <source>存在需要注意的警告</source>
        <translation>Avvisi da controllare</translation>
    </message>
    <message>
        <source>已通过独立格式验证，但有警告需要注意</source>
        <translation>Verifica indipendente del formato superata, con avvisi da controllare</translation>
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
        <translation>Pagina precedente</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Pagina successiva</translation>
    </message>
    <message>
        <source>不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。</source>
        <translation>Non viene avviata né l’applicazione predefinita né altro software. Salva il risultato prima di lavorare con questo formato.</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Seleziona tutto</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Elimina</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Taglia</translation>
    </message>
    <message>
        <source>取消静音</source>
        <translation>Riattiva audio</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Riproduci</translation>
    </message>
    <message>
        <source>播放视频</source>
        <translation>Riproduci video</translation>
    </message>
    <message>
        <source>无法生成内部 Office 预览</source>
        <translation>Impossibile generare l’anteprima Office interna</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>正在生成安全只读预览…</source>
        <translation>Generazione di un’anteprima sicura in sola lettura…</translation>
    </message>
    <message>
        <source>此格式尚未提供内部预览</source>
        <translation>Per questo formato non è ancora disponibile un’anteprima interna</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Incolla</translation>
    </message>
    <message>
        <source>继续播放</source>
        <translation>Continua la riproduzione</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Adatta alla larghezza</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Ripeti</translation>
    </message>
    <message>
        <source>重新播放</source>
        <translation>Riproduci di nuovo</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Disattiva audio</translation>
    </message>
    <message>
        <source>音频预览</source>
        <translation>Anteprima audio</translation>
    </message>
    <message>
        <source>内置预览无法播放此文件，修复结果不受影响。</source>
        <translation>L’anteprima integrata non può riprodurre questo file. Il risultato riparato non è interessato.</translation>
    </message>
</context>
</TS>
