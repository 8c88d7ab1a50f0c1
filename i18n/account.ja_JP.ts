<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>オンラインアカウントサービスのアドレスが設定されていないため、Google ログインを開始しませんでした</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>安全なローカルログインのコールバックを設定できませんでした。ファイアウォールを確認して再試行してください</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Google ログインに接続しています…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>オンラインの Google ログインサービスが安全なバージョン（PKCE）に更新されていないため、認可を停止しました。最新の認証サービスを導入してから再試行してください</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>ブラウザーで Google ログインを完了してください。結果はこのウィンドウが自動的に受け取ります</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>Google ログインのためにブラウザーを開けませんでした</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Google ログインをキャンセルしました</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>Google ログインがタイムアウトしました。もう一度ログインしてください</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>ローカルの Google ログインコールバックが中断され、復旧できません。もう一度ログインしてください</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>ローカルの Google ログインコールバックに一時的な問題があります。自動的に復旧しています…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>Google ログインの状態を検証できませんでした。もう一度やり直してください</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Korvex への認可が戻りました</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Korvex へのログインに失敗しました</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>認可は Korvex に戻りました。このウィンドウを閉じてかまいません。</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>認可は完了していません。Korvex に戻って再試行してください。</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Google の認可に成功しました。Korvex セッションを確立しています…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google の認可は完了しましたが、オンラインサービスがセッションを確立できませんでした。認可コードの有効期限切れ、または本番環境の OAuth クライアント設定の不一致が考えられます。もう一度ログインし、それでも失敗する場合はオンライン認証サービスのバージョンと Google の認証情報を確認してください</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>ネットワーク要求に失敗しました</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>オンラインアカウントサービスはこの機能をまだ提供していません</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>リクエストが多すぎます。しばらくしてから再試行してください</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>ログイン情報が無効か、有効期限が切れています</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>オンラインアカウントサービスは一時的に利用できません</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>パスワードのリセットには有効なメールアドレスが必要です</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>有効なメールアドレス、または国番号付きの携帯電話番号を入力してください</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>有効なメールアドレスを入力してください</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>オンラインアカウントサービスのアドレスが設定されていないため、認証コードを送信しませんでした</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>パスワードリセット用の認証コードを送信しています…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>オンラインサービス経由で認証コードを送信しています…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>認証コードを送信しました。メールを確認してください</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>認証コードを送信しました。SMS を確認してください</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>有効なメールアドレスまたは携帯電話番号と認証コードを入力してください</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>有効なメールアドレスと認証コードを入力してください</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>オンラインアカウントサービスのアドレスが設定されていないため、ログインしませんでした</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>オンラインサービスでアカウントを確認しています…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>有効なメールアドレスとパスワードを入力してください</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>オンラインサービスでパスワードを確認しています…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>登録には有効なメールアドレスと 8 文字以上のパスワードが必要です</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>オンラインアカウントサービスのアドレスが設定されていないため、登録しませんでした</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>オンラインアカウントを作成しています…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>有効なメールアドレス、認証コード、8 文字以上の新しいパスワードを入力してください</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>オンラインアカウントサービスのアドレスが設定されていないため、パスワードをリセットしませんでした</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>パスワードをリセットし、古いデバイスのセッションを取り消しています…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>パスワードをリセットし、古いデバイスのセッションをすべて取り消しました。新しいパスワードでログインしてください</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>ログインの応答に有効なトークンがありません</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>オンラインアカウントにログインしました</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>デバイス登録の応答が無効です。もう一度ログインしてください</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>デバイスの登録に失敗しました：%1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>安全なセッションを復元しています…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>安全なセッションを復元しました</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>セッション更新の応答が無効です。もう一度ログインしてください</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>アカウントを削除する前にログインしてください</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>アカウントを完全に削除しています…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>アカウントの削除に失敗しました：%1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>アカウントと本人情報を完全に削除しました</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>ログインは任意です。ローカルでの分析、修復、プレビューにアカウントは不要です</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>ログインしましたが、このシステムは安全なセッションの永続保存に対応していません</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>ログアウトしました。ローカルの修復とプレビューには影響しません</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>アカウントなしで続行します。ファイルは引き続きすべてこのコンピューター上で処理されます</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google の認可が完了しませんでした。もう一度サインインを開始してください</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>先に Korvex 使用許諾契約とプライバシーポリシーに同意してください</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>アカウント情報</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Korvex にログイン</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>ファイルの修復は常にこのデバイス上で行われます</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>ログイン済み</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>アカウントを作成</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>パスワードをリセット</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>オンラインアカウントにログイン</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>メール / SMS 認証コード</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>メール認証コード</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>メールアドレスまたは携帯電話番号</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>メールアドレス</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>メールアドレス、または +86 で始まる携帯電話番号</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>メールアドレスを入力してください</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>表示名（任意）</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>認証コード</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>認証コードを入力してください</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>コードを取得</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>新しいパスワード</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>8 文字以上の新しいパスワード</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>パスワードを入力してください</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>処理しています…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>作成してログイン</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>パスワードのリセットを確定</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Google ログインをキャンセル</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Google でログイン</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>ログインに戻る</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>パスワードを忘れた場合</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>ログアウト</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>アカウントを完全に削除</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>ログインせずに続ける</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Korvex 使用許諾契約とプライバシーポリシーに同意する</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>以下を読み、同意します：</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex 使用許諾契約</translation>
    </message>
    <message>
        <source>与</source>
        <translation>および</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>プライバシーポリシー</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>アカウントを完全に削除しますか？</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>完全に削除</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>削除すると、このアカウントのすべてのログイン方法とプロフィールが削除され、元に戻せません。このコンピューター上のファイルと修復結果には影響しません。</translation>
    </message>
</context>
</TS>
