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
</context>
</TS>
