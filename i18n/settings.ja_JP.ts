<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>設定は現在のユーザーの構成フォルダーにのみ保存されます</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>表示言語を %1 に切り替えました</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>サポートされていない表示言語です：%1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>ライトテーマを適用しました</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>このリリースでは検証済みのライトテーマのみを提供しています</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>保存時は前回選択した有効なフォルダーを優先して使用します</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>保存時は常に保存先フォルダーを確認します</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>一時修復キャッシュの上限を %1 MB に設定しました</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>保存に成功すると、システムのファイルマネージャーで結果を表示します</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>保存後に結果を自動で表示しなくなりました</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>保存先フォルダーを記憶しました：%1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>保存先フォルダーを記憶できません：フォルダーが存在しないか、書き込みできません</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>既定の設定に戻しました。既存のキャッシュと診断ファイルは削除されていません</translation>
    </message>
</context>
</TS>
