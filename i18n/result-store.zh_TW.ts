<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>無法讀取待加密修復結果：%1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>讀取待加密修復結果失敗：%1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>無法建立加密暫存結果：%1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>無法寫入加密暫存結果標頭</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>寫入加密暫存結果失敗</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>提交加密暫存結果失敗：%1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>無法讀取加密暫存結果：%1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>暫存結果不是 Korvex 加密容器</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>暫存結果加密容器標頭無效</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>無法建立解密輸出資料夾</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>無法建立解密輸出：%1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>加密暫存結果的分塊記錄無效</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>加密暫存結果已被截斷</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>加密暫存結果驗證失敗，檔案可能已損壞或遭竄改</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>寫入解密結果失敗</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>加密暫存結果完整性檢查失敗</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>提交解密結果失敗：%1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>無法建立應用程式私有安全設定資料夾</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>無法鎖定應用程式私有主金鑰儲存區</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>無法讀取應用程式私有主金鑰儲存區</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>無法在應用程式私有設定中儲存受保護的主金鑰</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>使用者資料保護無法保護暫存結果主金鑰（錯誤 %1）</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>使用者資料保護無法解鎖暫存結果主金鑰（錯誤 %1）</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>受保護的主金鑰長度無效</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>系統安全亂數產生失敗（狀態 %1）</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>使用者資料保護金鑰檔案 %1 的權限不安全（僅允許目前使用者讀寫），已拒絕使用</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>加密暫存結果不是本次修復封存的結果，已拒絕使用</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>寫入解密結果失敗：目標磁碟已滿</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>寫入解密結果失敗：檔案大小超過了系統對單一檔案的上限</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>應用程式快取磁碟已滿，無法封存修復結果</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>封存修復結果時檔案大小超過了系統對單一檔案的上限</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>解密已停止</translation>
    </message>
</context>
</TS>
