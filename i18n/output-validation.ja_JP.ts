<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>出力ファイルが存在しないか空です</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>テキスト検証のサイズが安全上の制限を超えています</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>テキスト出力を読み取れません</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON の解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>XML の解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>テキスト出力を正常に解析しました</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>画像は独立したデコーダーで読み取れます</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>画像のデコード検証に失敗しました：%1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>制限内で出力を検証できませんでした</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>出力ファイルを読み取れません</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>RAW には共通のコンテナー構造がありません。復元したデータが空でなく、アプリ内で安全にプレビューできることを確認しました</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>この形式にはまだ独立した検証ルールがありません</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>出力構造の検証に合格しました</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>出力構造の検証に失敗しました</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>要素の入れ子が %1 階層を超えています</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>画像データが不完全です</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>デコードできる画像や埋め込みプレビューが見つかりません</translation>
    </message>
</context>
</TS>
