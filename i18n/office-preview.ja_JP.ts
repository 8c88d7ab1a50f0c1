<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>プレビューするファイルが存在しません</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>Office ファイルのサイズが安全なプレビューの範囲を超えています（最大 256 MB）</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>内部 Office プレビューは DOCX、XLSX、PPTX のみに対応しています</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>Office 文書に安全に表示できるページがありません</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>安全な読み取り専用プレビュー：本文のテキストを表示します。複雑なフローティングレイアウト、コメント、マクロ、埋め込みオブジェクトは実行しません。</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>ワークシート %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>安全な読み取り専用プレビュー：最大 8 ワークシート、各 200 行 × 30 列まで表示します。数式は計算せず、外部リンクとマクロは実行しません。</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>安全な読み取り専用プレビュー：各スライドの抽出可能なテキストを表示します。アニメーション、音声と動画、マクロ、外部リンクは実行しません。</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>Office コンテナーを読み取れません</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>Office コンテナーの長さが安全な範囲外です</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Office コンテナーのディレクトリの位置を特定できませんでした</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Office コンテナーに ZIP セントラルディレクトリがありません</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>分割または ZIP64 の Office コンテナーには対応していません</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Office コンテナーのエントリが多すぎるため、プレビューをブロックしました</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>Office のセントラルディレクトリを読み取れません</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>Office のセントラルディレクトリの構造が無効です</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>ZIP64 の Office エントリには対応していません</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Office のセントラルディレクトリのエントリが途中で切れています</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>Office コンテナーに不正なエントリ名があります</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Office コンテナーに必要なエントリがありません：%1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>暗号化された Office XML はプレビューしません</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>Office XML が安全なプレビューの制限を超えています</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Office XML の位置を特定できませんでした：%1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>Office XML のローカルエントリの構造が無効です：%1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>Office XML のデータ範囲が無効です：%1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>Office XML のデータが途中で切れています：%1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>格納された Office エントリの長さが一致しません：%1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>Office XML の DEFLATE 展開に失敗しました：%1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>Office XML が対応していない圧縮方式を使用しています：%1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>Office XML の CRC チェックに失敗しました：%1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;文書に表示できるテキストがありません。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>DOCX XML の解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>XLSX 共有文字列の解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[無効な共有文字列]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>XLSX ワークシートの解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>PPTX スライドの解析に失敗しました：%1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;スライド %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;このページに表示できるテキストはありません。&lt;/p&gt;</translation>
    </message>
</context>
</TS>
