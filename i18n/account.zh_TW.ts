<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>線上帳號服務位址未設定，未發起 Google 登入</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>無法建立安全的本機登入回呼，請檢查防火牆後重試</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>正在連線 Google 線上登入…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>線上 Google 登入服務尚未升級到安全版本（PKCE），已停止授權；請部署最新認證服務後重試</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>請在系統瀏覽器完成 Google 登入；本視窗會自動接收結果</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>無法開啟系統瀏覽器完成 Google 登入</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>已取消 Google 登入</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>Google 登入等待逾時，請重新發起登入</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>本機 Google 登入回呼已中斷且無法復原，請重新發起登入</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>本機 Google 登入回呼暫時異常，正在自動復原…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>Google 登入狀態驗證失敗，請重新發起</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Korvex 授權已返回</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Korvex 登入失敗</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>授權已返回 Korvex，可以關閉此視窗。</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>授權未完成，請返回 Korvex 重試。</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Google 授權成功，正在建立 Korvex 工作階段…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google 已完成授權，但線上服務未能建立工作階段。授權碼可能已過期，或正式環境的 OAuth 用戶端設定不一致；請重新發起登入，若仍失敗請檢查線上認證服務版本與 Google 憑證</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>網路請求失敗</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>線上帳號服務尚未部署此功能</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>請求過於頻繁，請稍後再試</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>登入資訊無效或已過期</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>線上帳號服務暫時無法使用</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>密碼重設僅支援有效的電子郵件地址</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>請輸入有效的電子郵件或含國碼的手機號碼</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>請輸入有效的電子郵件地址</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>線上帳號服務位址未設定，未傳送驗證碼</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>正在傳送密碼重設驗證碼…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>正在透過線上服務傳送驗證碼…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>驗證碼已傳送，請檢查電子郵件</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>驗證碼已傳送，請檢查簡訊</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>請輸入有效的電子郵件/手機號碼和驗證碼</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>請輸入有效的電子郵件和驗證碼</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>線上帳號服務位址未設定，未執行登入</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>正在透過線上服務驗證帳號…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>請輸入有效的電子郵件和密碼</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>正在透過線上服務驗證密碼…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>註冊需要有效的電子郵件和至少 8 位密碼</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>線上帳號服務位址未設定，未執行註冊</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>正在建立線上帳號…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>請輸入有效的電子郵件、驗證碼和至少 8 位新密碼</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>線上帳號服務位址未設定，未重設密碼</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>正在重設密碼並撤銷舊裝置工作階段…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>密碼已重設，所有舊裝置工作階段已撤銷，請使用新密碼登入</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>登入回應缺少有效權杖</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>已登入線上帳號</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>裝置註冊回應無效，請重新登入</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>裝置註冊失敗：%1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>正在復原安全工作階段…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>安全工作階段已復原</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>工作階段更新回應無效，請重新登入</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>請先登入後再刪除帳號</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>正在永久刪除帳號…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>帳號刪除失敗：%1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>帳號及身分資訊已永久刪除</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>登入為選擇性項目；本機分析、修復和預覽無需帳號</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>已登入，但目前系統不支援安全的持久工作階段儲存</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>已登出；本機修復和預覽功能不受影響</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>已選擇免登入使用；檔案仍完全在本機處理</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google 未完成授權，請重新發起登入</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>請先勾選並同意 Korvex 授權合約與隱私權政策</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>帳戶資訊</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>登入 Korvex</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>檔案修復始終在本機完成</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>已登入</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>建立帳號</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>重設密碼</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>登入線上帳號</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>電子郵件 / 手機驗證碼</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>電子郵件驗證碼</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>帳號密碼</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>電子郵件或手機號碼</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>電子郵件</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>電子郵件，或 +86 開頭的手機號碼</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>請輸入電子郵件</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>顯示名稱（選填）</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>驗證碼</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>請輸入驗證碼</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>取得驗證碼</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>新密碼</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>至少 8 位新密碼</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>請輸入密碼</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>正在處理…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>建立並登入</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>確認重設密碼</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>登入</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>取消 Google 登入</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>使用 Google 帳號登入</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>返回登入</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>忘記密碼</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>登出</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>永久刪除帳號</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>暫不登入，繼續使用</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>同意 Korvex 授權合約與隱私權政策</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>我已閱讀並同意</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex 授權合約</translation>
    </message>
    <message>
        <source>与</source>
        <translation>與</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>隱私權政策</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>永久刪除帳號？</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>永久刪除</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>刪除後，此帳號的所有登入方式和個人資料都會被移除，且無法復原。本機檔案和修復結果不受影響。</translation>
    </message>
</context>
</TS>
