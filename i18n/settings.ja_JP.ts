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
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>ローカルの匿名診断ログを有効にしました。ログが自動でアップロードされることはありません</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>ローカルの匿名診断ログをオフにしました</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>%1 件の古いタスクを整理しました。現在の未保存の結果は保護されているため、キャッシュは一時的に上限を超えています</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>キャッシュ使用量は上限 %1 MB を超えていません</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>%1 件の古いタスクを整理しました。キャッシュは上限 %2 MB 以内に戻りました</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>期限切れのタスク キャッシュを %1 件削除しました。%2 件の現在のタスクは保護されています</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>ローカルの匿名診断ログを消去しました</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>ローカルの診断ログを消去できませんでした。しばらくしてからもう一度お試しください</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>リリース フォルダーに THIRD_PARTY_NOTICES.md が見つかりません。正式リリースの前にプログラムをビルドし直し、licenses フォルダーを実行ファイルの隣に配置してください。</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>サードパーティ ソフトウェアに関する通知</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>リリース フォルダーに LGPL-3.0-only.txt が見つかりません。正式リリースの前にプログラムをビルドし直し、licenses フォルダーを実行ファイルの隣に配置してください。</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>GNU LGPLv3 ライセンス</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>対応する Qt ソースを入手</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>本アプリケーションは Qt %1 Open Source 共有ライブラリを使用し、LGPLv3 の動的リンク方式で配布されています。

対応する Qt ソース:
• Qt 公式ソース リポジトリ: https://code.qt.io/cgit/qt/
• Qt 公式アーカイブ: https://download.qt.io/archive/qt/
• アプリケーションと完全に一致する Qt %1 のソースを選択してください。

再リンクの権利: アプリケーションが使用する Qt 共有ライブラリを互換性のある改変版に置き換えることができます。ライセンス全文とサードパーティに関する通知は、アプリケーション フォルダーの licenses フォルダーにあります。</translation>
    </message>
</context>
</TS>
