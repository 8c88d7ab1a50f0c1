<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>暗号化する修復結果を読み取れません：%1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>暗号化する修復結果の読み取りに失敗しました：%1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>暗号化された一時結果を作成できません：%1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>暗号化された一時結果のヘッダーを書き込めません</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>暗号化された一時結果の書き込みに失敗しました</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>暗号化された一時結果の確定に失敗しました：%1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>暗号化された一時結果を読み取れません：%1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>一時結果は Korvex の暗号化コンテナーではありません</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>一時結果の暗号化コンテナーのヘッダーが無効です</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>復号した出力のフォルダーを作成できません</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>復号した出力を作成できません：%1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>暗号化された一時結果のチャンクレコードが無効です</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>暗号化された一時結果が途中で切れています</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>暗号化された一時結果の認証に失敗しました。ファイルが破損しているか改ざんされている可能性があります</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>復号した結果の書き込みに失敗しました</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>暗号化された一時結果の整合性チェックに失敗しました</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>復号した結果の確定に失敗しました：%1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>アプリケーション専用のセキュリティ設定フォルダーを作成できません</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>アプリケーション専用のマスターキー保存領域をロックできません</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>アプリケーション専用のマスターキー保存領域を読み取れません</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>保護されたマスターキーをアプリケーション専用の設定に保存できません</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>ユーザーデータ保護で一時結果のマスターキーを保護できません（エラー %1）</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>ユーザーデータ保護で一時結果のマスターキーのロックを解除できません（エラー %1）</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>保護されたマスターキーの長さが無効です</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>システムの安全な乱数の生成に失敗しました（状態 %1）</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>ユーザーデータ保護の鍵ファイル %1 のアクセス権が安全ではないため（読み書きできるのは現在のユーザーのみ）、使用を拒否しました</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>暗号化された一時結果はこの修復で封印されたものではないため、使用を拒否しました</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>復号した結果の書き込みに失敗しました：保存先のディスクがいっぱいです</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>復号した結果の書き込みに失敗しました：ファイルサイズがシステムの 1 ファイルあたりの上限に達しました</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>アプリのキャッシュのディスクがいっぱいのため、修復結果を封印できません</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>修復結果の封印中に、ファイルサイズがシステムの 1 ファイルあたりの上限に達しました</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>復号を停止しました</translation>
    </message>
</context>
</TS>
