<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>Informazioni tecniche</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Guida e feedback</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Segnala un problema</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>Come riparo un file?</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>Scegliete il file danneggiato → analizzate → riparate → visualizzate l'anteprima e salvate in una nuova posizione. La riparazione non sovrascrive mai l'originale; conservatene una copia.</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>Quali file sono supportati?</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>Foto (anche RAW della fotocamera), video, audio e documenti come PDF, Word, Excel, PowerPoint, RTF e file di testo. Il risultato dipende dal danno; i dati persi non sempre si possono recuperare.</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>Perché salvare dopo la riparazione?</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>Il risultato in anteprima è ancora un file temporaneo. Usate «Salva il risultato» per salvarlo in una vostra cartella; chiudere il programma o riparare di nuovo elimina i risultati non salvati. Dopo il salvataggio verificate il file nella sua applicazione.</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>I miei file vengono caricati?</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>Analisi, riparazione e anteprima avvengono su questo computer. L'accesso usa il servizio account online, ma non carica mai i file in riparazione. Non inserite nel feedback password, codici di verifica o contenuti di file riservati.</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Riparazione file</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>«Invia feedback» trasmette il testo al supporto Korvex. Non inserite informazioni riservate; copiare ed esportare non inviano nulla.</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>Descrivete il problema, i passaggi per riprodurlo e il risultato atteso (al massimo 6000 caratteri). Non includete password, codici di verifica o contenuti di file riservati.</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>Per esempio: che cosa avete fatto? Quale errore è comparso?</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 caratteri</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>Allega informazioni tecniche: solo versioni di app, Qt e sistema operativo, architettura e lingua dell'interfaccia; nessun account, file, percorso o registro.</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>Invio in corso…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>Invia feedback</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>Copia feedback</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>Esporta feedback</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>Feedback inviato, riferimento %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>Troppi invii; riprovate più tardi.</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>Copiato negli appunti, non inviato.</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>Feedback salvato nel file scelto, non inviato.</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>L'operazione non è stata completata. Controllate la rete o la posizione di salvataggio e riprovate più tardi, oppure copiate o esportate il feedback.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>File di testo (*.txt)</translation>
    </message>
</context>
</TS>
