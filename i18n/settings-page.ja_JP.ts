<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>全般</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>修復とストレージ</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>プライバシーとセキュリティ</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>オープンソース ライセンス</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex 使用許諾契約</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>プライバシー ポリシー</translation>
    </message>
    <message>
        <source>请在使用 Korvex 文件修复（以下简称“本软件”）前仔细阅读本协议。您勾选同意，或登录、注册并继续使用账号服务，即表示您接受本协议。

一、软件许可
我们授予您有限的、非独占的、不可转让的许可，允许您在您控制的设备上安装和运行本软件。您的文件及修复后的文件始终归您所有。

二、本地修复与账号服务
选择、分析、修复和预览文件均在您的设备上完成。登录不会上传任何文件；登录仅用于识别账号和管理设备会话。

三、账号与安全
请妥善保管验证码、密码以及通过其他服务商登录的凭据。不得冒用他人身份、攻击服务或大量滥用验证码。如发现异常，请退出登录或重置密码。

四、修复结果与风险
文件修复存在不确定性。本软件不会改动原始文件，修复结果先保存在临时缓存中，或保存到您选择的新位置。我们不保证所有损坏都能修复，本软件也不能替代备份。保存或使用结果前，请在内置预览和目标应用中检查。

五、开源软件权利
本软件使用 Qt 等开源组件。如本协议与这些组件的许可证冲突，以其许可证为准。本协议不限制您依据 LGPLv3 及类似许可证替换或修改这些库、以及为调试这些修改而进行修改的权利。

六、责任限制与终止
在适用法律允许的范围内，本软件按“现状”提供。如您违反本协议、非法使用本软件或攻击服务安全，我们可以终止本许可。法律保护的消费者权利不受影响。

七、协议更新
重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。发布者及其联系方式以发布者公布的信息为准。</source>
        <translation>Korvex ファイル修復（以下「本ソフトウェア」）をご利用になる前に、本契約をよくお読みください。同意欄にチェックを入れるか、サインインまたは登録してアカウント サービスを引き続き利用することで、本契約に同意したものとみなされます。

一、使用許諾
当社はお客様に対し、お客様が管理するデバイスに本ソフトウェアをインストールして実行するための、限定的、非独占的かつ譲渡不能なライセンスを付与します。お客様のファイルおよび修復後のファイルは、常にお客様のものです。

二、ローカルでの修復とアカウント サービス
ファイルの選択、分析、修復、プレビューはすべてお客様のデバイス上で行われます。サインインによってファイルがアップロードされることはありません。サインインはアカウントの識別とデバイス セッションの管理にのみ使われます。

三、アカウントとセキュリティ
確認コード、パスワード、他のサービスを通じたサインインを適切に管理してください。他人へのなりすまし、サービスへの攻撃、確認コードの大量の濫用は禁止されています。異常に気付いた場合は、サインアウトするかパスワードを再設定してください。

四、修復結果とリスク
ファイルの修復には不確実性が伴います。本ソフトウェアが元のファイルを変更することはなく、結果はまず一時キャッシュに、またはお客様が選んだ新しい場所に保存されます。すべての損傷を修復できることは保証されず、本ソフトウェアはバックアップの代わりにはなりません。結果を保存または使用する前に、内蔵プレビューと対象のアプリケーションで確認してください。

五、オープンソース ソフトウェアに関する権利
本ソフトウェアは Qt などのオープンソース コンポーネントを使用しています。本契約とそれらのライセンスが矛盾する場合は、それらのライセンスが優先します。LGPLv3 および同様のライセンスに基づき、これらのライブラリを置き換えたり改変したりする権利、およびその改変をデバッグするために改変を行う権利は、本契約によって制限されません。

六、責任の制限と終了
適用法で認められる範囲で、本ソフトウェアは「現状のまま」提供されます。お客様が本契約に違反した場合、本ソフトウェアを違法に使用した場合、またはサービスのセキュリティを攻撃した場合、当社は本ライセンスを終了できます。法律で保護される消費者の権利は影響を受けません。

七、契約の更新
重要な変更はアプリケーション内またはアカウント センターでお知らせします。法律で求められる場合は、改めて同意をお願いします。発行者およびその連絡先は、発行者が公開する情報によります。</translation>
    </message>
    <message>
        <source>本政策说明 Korvex 文件修复如何处理与客户端及账号服务有关的信息。

一、不会上传的内容
您选择的文件、文件内容、修复后的文件和预览内容仅在您的设备上处理，不会因登录或诊断开关而上传。客户端不会扫描您未选择的文件夹。

二、账号服务处理的信息
登录时，账号服务处理以下信息：电子邮件地址或手机号、显示名称、验证码校验结果、加密的密码凭据、外部登录账号的标识、设备指纹哈希、设备名称、平台、应用版本和登录时间。客户端从不保存明文密码、短信或邮件验证码以及 Google 授权码。

三、处理目的
创建和验证账号、防止滥用、保持设备会话、恢复登录以及安全审计。您的文件绝不会用于广告、模型训练或用户画像。

四、第三方服务
使用 Google 登录时，系统浏览器会连接 Google，由 Google 按其自身政策处理登录；我们仅请求 openid、email 和 profile 范围。短信和邮件服务商只会收到发送验证码所需的号码或地址及消息内容。

五、本机存储
刷新令牌以受保护的形式保存在当前用户的配置中：在 Windows 上由当前用户的 DPAPI 保护，在 macOS 上存放在钥匙串中，在其他系统上用仅当前用户可读的密钥加密。设置、匿名诊断事件和临时修复缓存位于当前用户的文件夹中。匿名诊断默认关闭，仅记录时间、事件名和应用版本，可在“隐私与安全”页面清除。

六、保存期限与安全
账号和设备记录在提供服务、处理争议和履行法定义务所需的期间内保留。验证码有效期很短，发送频率和尝试次数均受限制。我们采用加密传输、令牌轮换、设备撤销和最小权限原则，但任何联网系统都无法保证绝对安全。

七、您的选择与权利
您无需登录即可使用本地分析和修复；您可以退出登录、清除诊断日志和临时缓存，也可以在“账户信息”中永久删除账号。其他请求请通过发布者公布的联系渠道提出。

八、未成年人及政策更新
本软件不面向依法不能表示同意的未成年人。重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。</source>
        <translation>本ポリシーは、Korvex ファイル修復がクライアントおよびアカウント サービスに関する情報をどのように取り扱うかを説明します。

一、アップロードされないもの
お客様が選択したファイル、その内容、修復後のファイル、プレビューの内容はお客様のデバイス上でのみ処理され、サインインや診断のスイッチによってアップロードされることはありません。クライアントがお客様の選択していないフォルダーをスキャンすることはありません。

二、アカウント サービスが処理する情報
サインイン時、アカウント サービスは次の情報を処理します: メール アドレスまたは電話番号、表示名、確認コードの照合結果、暗号化されたパスワード資格情報、外部サインイン アカウントの識別子、デバイス フィンガープリントのハッシュ、デバイス名、プラットフォーム、アプリケーションのバージョン、サインイン時刻。クライアントが平文のパスワード、SMS やメールの確認コード、Google の認可コードを保存することはありません。

三、処理の目的
アカウントの作成と確認、不正利用の防止、デバイス セッションの維持、サインインの復元、セキュリティ監査。お客様のファイルが広告、モデルの学習、プロファイリングに使われることはありません。

四、第三者のサービス
Google でサインインする場合、システムのブラウザーが Google に接続し、Google が自社のポリシーに従ってサインインを処理します。当社が要求するのは openid、email、profile のスコープのみです。SMS およびメールの事業者が受け取るのは、コードの送信に必要な番号またはアドレスとメッセージのみです。

五、ローカルでの保存
リフレッシュ トークンは、現在のユーザーの設定内に保護された形で保存されます。Windows では現在のユーザーの DPAPI で保護され、macOS ではキーチェーンに保存され、その他のシステムでは現在のユーザーのみが読める鍵で暗号化されます。設定、匿名の診断イベント、一時修復キャッシュは現在のユーザーのフォルダーにあります。匿名診断は既定でオフで、時刻、イベント名、アプリケーションのバージョンのみを記録し、「プライバシーとセキュリティ」ページで消去できます。

六、保存期間とセキュリティ
アカウントとデバイスの記録は、サービスの提供、紛争の処理、法的義務の履行に必要な期間保存されます。確認コードの有効期間は短く、送信頻度と試行回数には制限があります。当社は暗号化通信、トークンのローテーション、デバイスの失効、最小権限を採用していますが、ネットワークに接続されたシステムで絶対的な安全を保証できるものはありません。

七、お客様の選択と権利
サインインしなくてもローカルでの分析と修復を利用できます。サインアウト、診断ログと一時キャッシュの消去、「アカウント情報」からのアカウントの完全な削除が可能です。その他のご要望は、発行者が公開している連絡窓口からお寄せください。

八、未成年者とポリシーの更新
本ソフトウェアは、法律上同意できない未成年者を対象としていません。重要な変更はアプリケーション内またはアカウント センターでお知らせし、法律で求められる場合は改めて同意をお願いします。</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>バージョン %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>インターフェース設定</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>表示言語</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>テーマ</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>ライト（外観確認済み）</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>8 つの表示言語をすぐに切り替えられます。確認済みのライト テーマを提供しています。</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>既定の保存動作</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>毎回確認する</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>前回の保存フォルダーを使う</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>前回の保存フォルダー</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>有効なフォルダーが選択されていません</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>一時キャッシュの上限</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>保存後にファイル マネージャーで表示</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>一時修復キャッシュ</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>現在の使用量: </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>、上限: %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>現在の未保存の結果は保護されています。整理でこのタスクや元のファイルに触れることはありません</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>アプリの repair-output 内にある、タスク ID 名のキャッシュ フォルダーのみを管理します</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>上限に合わせて整理</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>期限切れのキャッシュを削除</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>プライバシーとセキュリティの状態</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>ファイルはすべてこのデバイスで処理されます</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>修復したファイルはローカルに留まり、アップロードや共有はされません。</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>ローカルの匿名診断</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>時刻、イベント名、アプリのバージョンのみを記録し、ファイル名、パス、内容は記録しません。自動でアップロードされることもありません。</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>ログのサイズ: </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>ログを消去</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>Korvex ファイル修復について</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · LGPLv3 による動的リンク</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>ライセンス全文とサードパーティに関する通知はプログラムに付属し、実行ファイルの隣の licenses フォルダーにあります。</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>LGPLv3 全文</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>サードパーティに関する通知</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>対応する Qt ソースを入手</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>バージョン 1.1 · 発効日: 2026 年 9 月 1 日</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Korvex プライバシー ポリシー</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>既定の設定に戻す</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>期限切れキャッシュの削除の確認</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>7 日より古い、タスク ID 名のキャッシュ フォルダーのみを削除します。現在の未保存の結果とお客様のファイルは削除されません。</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>削除する</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>ローカルの診断ログを消去しますか？</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>このデバイスの匿名診断イベントを完全に削除します。診断のスイッチは変更されません。</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>既定の設定に戻しますか？</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>保存動作、キャッシュの上限、プライバシーのスイッチをリセットします。既存の修復キャッシュと診断ファイルは削除されません。</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>既定に戻す</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
