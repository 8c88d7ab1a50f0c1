<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>Das zu verschlüsselnde Reparaturergebnis kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>Lesen des zu verschlüsselnden Reparaturergebnisses fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>Das verschlüsselte temporäre Ergebnis kann nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>Der Kopf des verschlüsselten temporären Ergebnisses kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>Schreiben des verschlüsselten temporären Ergebnisses fehlgeschlagen</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>Übernehmen des verschlüsselten temporären Ergebnisses fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>Das verschlüsselte temporäre Ergebnis kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>Das temporäre Ergebnis ist kein verschlüsselter Korvex-Container</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>Der Kopf des verschlüsselten Containers des temporären Ergebnisses ist ungültig</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>Der Ordner für die entschlüsselte Ausgabe kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>Die entschlüsselte Ausgabe kann nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>Ein Blockeintrag des verschlüsselten temporären Ergebnisses ist ungültig</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>Das verschlüsselte temporäre Ergebnis ist abgeschnitten</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>Die Authentifizierung des verschlüsselten temporären Ergebnisses ist fehlgeschlagen; die Datei ist möglicherweise beschädigt oder manipuliert</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>Schreiben des entschlüsselten Ergebnisses fehlgeschlagen</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>Integritätsprüfung des verschlüsselten temporären Ergebnisses fehlgeschlagen</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>Übernehmen des entschlüsselten Ergebnisses fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>Der private Sicherheitskonfigurationsordner der Anwendung kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>Der private Hauptschlüsselspeicher der Anwendung kann nicht gesperrt werden</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>Der private Hauptschlüsselspeicher der Anwendung kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>Der geschützte Hauptschlüssel kann nicht in den privaten Einstellungen der Anwendung gespeichert werden</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>Der Benutzerdatenschutz kann den Hauptschlüssel der temporären Ergebnisse nicht schützen (Fehler %1)</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>Der Benutzerdatenschutz kann den Hauptschlüssel der temporären Ergebnisse nicht entsperren (Fehler %1)</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>Der geschützte Hauptschlüssel hat eine ungültige Länge</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>Die sichere Zufallszahlenerzeugung des Systems ist fehlgeschlagen (Status %1)</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>Die Schlüsseldatei des Benutzerdatenschutzes %1 hat unsichere Berechtigungen (nur der aktuelle Benutzer darf sie lesen und schreiben) und wurde abgelehnt</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>Das verschlüsselte temporäre Ergebnis ist nicht das von dieser Reparatur versiegelte und wurde abgelehnt</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>Schreiben des entschlüsselten Ergebnisses fehlgeschlagen: Der Zieldatenträger ist voll</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>Schreiben des entschlüsselten Ergebnisses fehlgeschlagen: Die Datei hat die Größenbegrenzung des Systems für eine einzelne Datei erreicht</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>Der Datenträger des Anwendungscaches ist voll; das Reparaturergebnis kann nicht versiegelt werden</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>Beim Versiegeln des Reparaturergebnisses wurde die Größenbegrenzung des Systems für eine einzelne Datei erreicht</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>Die Entschlüsselung wurde angehalten</translation>
    </message>
</context>
</TS>
