<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>Cannot read the repair result to be encrypted: %1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>Reading the repair result to be encrypted failed: %1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>Cannot create the encrypted temporary result: %1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>Cannot write the header of the encrypted temporary result</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>Writing the encrypted temporary result failed</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>Committing the encrypted temporary result failed: %1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>Cannot read the encrypted temporary result: %1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>The temporary result is not a Korvex encrypted container</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>The header of the temporary result's encrypted container is invalid</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>Cannot create the folder for the decrypted output</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>Cannot create the decrypted output: %1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>A chunk record of the encrypted temporary result is invalid</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>The encrypted temporary result is truncated</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>Authentication of the encrypted temporary result failed; the file may be damaged or tampered with</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>Writing the decrypted result failed</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>Integrity check of the encrypted temporary result failed</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>Committing the decrypted result failed: %1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>Cannot create the application's private security configuration folder</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>Cannot lock the application's private master-key store</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>Cannot read the application's private master-key store</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>Cannot save the protected master key in the application's private settings</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>User data protection cannot protect the temporary result master key (error %1)</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>User data protection cannot unlock the temporary result master key (error %1)</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>The protected master key has an invalid length</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>The system's secure random number generation failed (status %1)</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>The user data protection key file %1 has unsafe permissions (only the current user may read and write it) and was refused</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>The encrypted temporary result is not the one this repair sealed and was refused</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>Writing the decrypted result failed: the target disk is full</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>Writing the decrypted result failed: the file reached the system's limit on the size of one file</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>The application cache disk is full; the repaired result cannot be sealed</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>Sealing the repaired result reached the system's limit on the size of one file</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>Decryption was stopped</translation>
    </message>
</context>
</TS>
