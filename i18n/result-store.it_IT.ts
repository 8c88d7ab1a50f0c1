<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>Impossibile leggere il risultato della riparazione da cifrare: %1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>Lettura del risultato della riparazione da cifrare non riuscita: %1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>Impossibile creare il risultato temporaneo cifrato: %1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>Impossibile scrivere l'intestazione del risultato temporaneo cifrato</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>Scrittura del risultato temporaneo cifrato non riuscita</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>Salvataggio definitivo del risultato temporaneo cifrato non riuscito: %1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>Impossibile leggere il risultato temporaneo cifrato: %1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>Il risultato temporaneo non è un contenitore cifrato Korvex</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>L'intestazione del contenitore cifrato del risultato temporaneo non è valida</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>Impossibile creare la cartella dell'output decifrato</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>Impossibile creare l'output decifrato: %1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>Un record di blocco del risultato temporaneo cifrato non è valido</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>Il risultato temporaneo cifrato è troncato</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>Autenticazione del risultato temporaneo cifrato non riuscita; il file potrebbe essere danneggiato o manomesso</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>Scrittura del risultato decifrato non riuscita</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>Controllo di integrità del risultato temporaneo cifrato non riuscito</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>Salvataggio definitivo del risultato decifrato non riuscito: %1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>Impossibile creare la cartella privata di configurazione della sicurezza dell'applicazione</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>Impossibile bloccare l'archivio privato della chiave principale dell'applicazione</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>Impossibile leggere l'archivio privato della chiave principale dell'applicazione</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>Impossibile salvare la chiave principale protetta nelle impostazioni private dell'applicazione</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>La protezione dei dati utente non può proteggere la chiave principale dei risultati temporanei (errore %1)</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>La protezione dei dati utente non può sbloccare la chiave principale dei risultati temporanei (errore %1)</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>La chiave principale protetta ha una lunghezza non valida</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>La generazione sicura di numeri casuali del sistema non è riuscita (stato %1)</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>Il file della chiave di protezione dei dati utente %1 ha autorizzazioni non sicure (solo l'utente corrente può leggerlo e scriverlo) ed è stato rifiutato</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>Il risultato temporaneo cifrato non è quello sigillato da questa riparazione ed è stato rifiutato</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>Scrittura del risultato decrittografato non riuscita: il disco di destinazione è pieno</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>Scrittura del risultato decrittografato non riuscita: il file ha raggiunto il limite di dimensione del sistema per un singolo file</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>Il disco della cache dell’applicazione è pieno; il risultato riparato non può essere sigillato</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>La sigillatura del risultato riparato ha raggiunto il limite di dimensione del sistema per un singolo file</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>La decrittografia è stata interrotta</translation>
    </message>
</context>
</TS>
