<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>フィードバック</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>技術情報</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>ヘルプとフィードバック</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>問題を報告</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>ファイルを修復するには？</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>破損したファイルを選択 → 分析 → 修復 → プレビューして新しい場所に保存。修復で元のファイルが上書きされることはありません。元のバックアップは残しておいてください。</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>対応しているファイルは？</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>写真（カメラの RAW を含む）、動画、音声、および PDF・Word・Excel・PowerPoint・RTF・テキストなどの文書に対応しています。結果は損傷の程度によります。失われたデータを必ず復元できるとは限りません。</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>修復後に保存が必要なのはなぜ？</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>プレビュー中の結果はまだ一時ファイルです。「修復結果を保存」で自分のフォルダーに保存してください。プログラムを閉じるか再修復すると、未保存の結果は消去されます。保存後は対象のアプリで確認してください。</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>ファイルはアップロードされますか？</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>分析、修復、プレビューはこのコンピューターで行われます。サインインではオンライン アカウント サービスを使いますが、修復中のファイルがアップロードされることはありません。フィードバックにパスワード、確認コード、機密のファイル内容を書かないでください。</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>ファイル修復</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>「フィードバックを送信」を押すと、入力内容が Korvex サポートに送信されます。機密情報は入力しないでください。コピーとエクスポートでは何も送信されません。</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>問題、再現手順、期待される結果を記入してください（最大 6000 文字）。パスワード、確認コード、機密のファイル内容は含めないでください。</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>例: どのような操作をしましたか？どのようなエラーが表示されましたか？</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 文字</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>技術情報を添付: アプリ、Qt、OS のバージョン、アーキテクチャ、表示言語のみ。アカウント、ファイル、パス、ログは含みません。</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>送信中…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>フィードバックを送信</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>フィードバックをコピー</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>フィードバックをエクスポート</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>フィードバックを送信しました。番号: %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>送信回数が多すぎます。しばらくしてからもう一度お試しください。</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>クリップボードにコピーしました（未送信）。</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>フィードバックを選択したファイルに保存しました（未送信）。</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>操作を完了できませんでした。ネットワークまたは保存先を確認して後でもう一度お試しいただくか、フィードバックをコピーまたはエクスポートしてください。</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>テキスト ファイル (*.txt)</translation>
    </message>
</context>
</TS>
