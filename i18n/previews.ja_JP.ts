<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>安全なデータプレビューファイルが存在しません</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>安全なデータプレビューファイルを読み取れません：%1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>復元されたデータを読み取れません</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation>（残りの内容は表示されません）</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>安全なデータプレビュー（読み取り専用）
ファイル：%1
復元データのサイズ：%2 バイト
表示範囲：先頭 %3 バイト%4

説明：同じ出所の冗長コピーは復元されましたが、復元された基準データは拡張子が示す形式と一致しません。以下に復元データそのものを表示します。サードパーティ製ソフトウェアは呼び出しません。

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>読み取り可能なテキストの抜粋：
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>16 進データ：
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>プレビューファイルが存在しません</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>テキストファイルが空か、安全なプレビューの上限 8 MB を超えています</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>テキストプレビューファイルを読み取れません</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>ファイルは有効な UTF-8 テキストではありません</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>JSON の解析に失敗しました：%1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>プレビューファイルが存在しません</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>画像サイズを読み取れないため、プレビューをブロックしました</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>%1 × %2 ピクセルの画像は大きすぎます：完全なデコードに 256 MB を超えるメモリが必要なため、プレビューをブロックしました</translation>
    </message>
</context>
</TS>
