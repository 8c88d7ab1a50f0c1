<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>The online account service address is not configured; Google sign-in was not started</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>Could not set up the secure local sign-in callback; check your firewall and try again</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Connecting to Google sign-in…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>The online Google sign-in service has not been upgraded to the secure version (PKCE); authorization was stopped. Deploy the latest authentication service and try again</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>Finish the Google sign-in in your browser; this window receives the result automatically</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>Could not open the browser for the Google sign-in</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Google sign-in cancelled</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>The Google sign-in timed out; please start it again</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>The local Google sign-in callback was interrupted and cannot be restored; please start the sign-in again</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>The local Google sign-in callback has a temporary fault; recovering automatically…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>The Google sign-in state could not be verified; please start again</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Korvex authorization returned</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Korvex sign-in failed</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>The authorization was returned to Korvex. You can close this window.</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>The authorization was not completed. Please go back to Korvex and try again.</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Google authorization succeeded; setting up the Korvex session…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google completed the authorization, but the online service could not set up a session. The authorization code may have expired, or the production OAuth client settings do not match. Start the sign-in again; if it still fails, check the online authentication service version and the Google credentials</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>Network request failed</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>The online account service does not offer this function yet</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>Too many requests; please try again later</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>The sign-in data is invalid or has expired</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>The online account service is temporarily unavailable</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>Password reset needs a valid email address</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>Enter a valid email address or a mobile number with its country code</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>Enter a valid email address</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>The online account service address is not configured; no code was sent</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>Sending the password reset code…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>Sending the verification code through the online service…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>Verification code sent; check your mailbox</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>Verification code sent; check your text messages</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>Enter a valid email address or mobile number and the verification code</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>Enter a valid email address and the verification code</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>The online account service address is not configured; you were not signed in</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>Verifying the account with the online service…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>Enter a valid email address and password</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>Verifying the password with the online service…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>Registration needs a valid email address and a password of at least 8 characters</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>The online account service address is not configured; no account was created</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>Creating the online account…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>Enter a valid email address, the verification code and a new password of at least 8 characters</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>The online account service address is not configured; the password was not reset</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>Resetting the password and revoking old device sessions…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>Password reset; all old device sessions were revoked. Sign in with the new password</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>The sign-in reply holds no valid tokens</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>Signed in to your online account</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>The device registration reply is invalid; please sign in again</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>Device registration failed: %1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>Restoring the secure session…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>Secure session restored</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>The session refresh reply is invalid; please sign in again</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>Sign in before deleting the account</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>Deleting the account permanently…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>Account deletion failed: %1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>The account and its identity data were permanently deleted</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>Signing in is optional; local analysis, repair and preview need no account</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>Signed in, but this system offers no secure persistent session storage</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>Signed out; local repair and preview are unaffected</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>Continuing without an account; files are still processed entirely on this computer</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google did not complete the authorization; please start the sign-in again</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>Please first tick and agree to the Korvex License Agreement and Privacy Policy</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>Account information</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Sign in to Korvex</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>File repair is always performed on this device</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>Signed in</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>Create account</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>Reset password</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>Sign in to your online account</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>Email / phone code</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>Email code</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>Account password</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>Email or mobile phone number</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>Email, or mobile phone number starting with +86</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>Please enter your email</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>Display name (optional)</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>Verification code</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Please enter the verification code</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Get code</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>New password of at least 8 characters</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Please enter your password</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>Processing…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>Create and sign in</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>Confirm password reset</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Cancel Google sign-in</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Sign in with Google</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>Back to sign-in</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>Forgot password</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>Delete account permanently</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>Continue without signing in</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Agree to the Korvex License Agreement and Privacy Policy</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>I have read and agree to the</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex License Agreement</translation>
    </message>
    <message>
        <source>与</source>
        <translation>and</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Privacy Policy</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>Delete account permanently?</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Delete permanently</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>Deleting removes every sign-in method and the profile of this account, and cannot be undone. Files and repair results on this computer are not affected.</translation>
    </message>
</context>
</TS>
