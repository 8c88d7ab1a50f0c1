<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>Le impostazioni vengono salvate solo nella cartella di configurazione dell'utente corrente</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Lingua dell'interfaccia cambiata in %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Lingua dell'interfaccia non supportata: %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Tema chiaro applicato</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>Questa versione offre solo il tema chiaro approvato</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>Il salvataggio userà preferibilmente l'ultima cartella valida scelta</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>Il salvataggio chiederà sempre la cartella di destinazione</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Limite della cache di riparazione temporanea impostato a %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>Dopo un salvataggio riuscito, il risultato verrà mostrato nel file manager di sistema</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>Il risultato non verrà più mostrato automaticamente dopo il salvataggio</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Cartella di salvataggio memorizzata: %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Cartella di salvataggio non memorizzata: la cartella non esiste o non è scrivibile</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Impostazioni predefinite ripristinate; i file di cache e di diagnostica esistenti non sono stati eliminati</translation>
    </message>
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>Registro diagnostico anonimo locale attivato; non viene mai caricato automaticamente</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>Registro diagnostico anonimo locale disattivato</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>%1 attività vecchie pulite; il risultato attuale non salvato è protetto, la cache supera il limite per ora</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>L'uso della cache non supera il limite di %1 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>%1 attività vecchie pulite; la cache rientra nel limite di %2 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>%1 cache di attività scadute eliminate; %2 attività correnti protette</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>Registro diagnostico anonimo locale cancellato</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>Impossibile cancellare il registro diagnostico locale; riprovate più tardi</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>THIRD_PARTY_NOTICES.md non trovato nella cartella di rilascio. Ricompilate il programma prima del rilascio affinché la cartella licenses si trovi accanto all'eseguibile.</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>Note sul software di terze parti</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>LGPL-3.0-only.txt non trovato nella cartella di rilascio. Ricompilate il programma prima del rilascio affinché la cartella licenses si trovi accanto all'eseguibile.</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>Licenza GNU LGPLv3</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Ottieni il codice sorgente Qt corrispondente</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>Questa applicazione usa le librerie condivise Qt %1 Open Source ed è distribuita secondo la via del collegamento dinamico della LGPLv3.

Sorgenti Qt corrispondenti:
• Repository ufficiale dei sorgenti Qt: https://code.qt.io/cgit/qt/
• Archivio ufficiale di Qt: https://download.qt.io/archive/qt/
• Scegliete i sorgenti Qt %1 che corrispondono esattamente all'applicazione.

Diritto di ricollegamento: potete sostituire le librerie condivise Qt usate dall'applicazione con versioni modificate compatibili. I testi delle licenze e le note sul software di terze parti si trovano nella cartella licenses della cartella dell'applicazione.</translation>
    </message>
</context>
</TS>
