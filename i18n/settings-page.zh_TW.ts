<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>修復與儲存</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>隱私與安全</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>開源授權</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex 授權協議</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>隱私權政策</translation>
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
        <translation>請在使用 Korvex 檔案修復（以下簡稱「本軟體」）前仔細閱讀本協議。您勾選同意，或登入、註冊並繼續使用帳號服務，即表示您接受本協議。

一、軟體授權
我們授予您有限的、非專屬的、不可轉讓的授權，允許您在您控制的裝置上安裝和執行本軟體。您的檔案及修復後的檔案始終歸您所有。

二、本機修復與帳號服務
選擇、分析、修復和預覽檔案均在您的裝置上完成。登入不會上傳任何檔案；登入僅用於識別帳號和管理裝置工作階段。

三、帳號與安全
請妥善保管驗證碼、密碼以及透過其他服務商登入的憑證。不得冒用他人身分、攻擊服務或大量濫用驗證碼。如發現異常，請登出或重設密碼。

四、修復結果與風險
檔案修復存在不確定性。本軟體不會變更原始檔案，修復結果先保存在暫存快取中，或儲存到您選擇的新位置。我們不保證所有損壞都能修復，本軟體也不能取代備份。儲存或使用結果前，請在內建預覽和目標應用程式中檢查。

五、開源軟體權利
本軟體使用 Qt 等開源元件。如本協議與這些元件的授權條款衝突，以其授權條款為準。本協議不限制您依據 LGPLv3 及類似授權條款替換或修改這些程式庫、以及為偵錯這些修改而進行修改的權利。

六、責任限制與終止
在適用法律允許的範圍內，本軟體依「現狀」提供。如您違反本協議、非法使用本軟體或攻擊服務安全，我們可以終止本授權。法律保護的消費者權利不受影響。

七、協議更新
重大變更將在應用程式內或帳號中心公告；法律要求時，我們會再次徵求您的同意。發行者及其聯絡方式以發行者公布的資訊為準。</translation>
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
        <translation>本政策說明 Korvex 檔案修復如何處理與用戶端及帳號服務有關的資訊。

一、不會上傳的內容
您選擇的檔案、檔案內容、修復後的檔案和預覽內容僅在您的裝置上處理，不會因登入或診斷開關而上傳。用戶端不會掃描您未選擇的資料夾。

二、帳號服務處理的資訊
登入時，帳號服務處理以下資訊：電子郵件地址或手機號碼、顯示名稱、驗證碼校驗結果、加密的密碼憑證、外部登入帳號的識別碼、裝置指紋雜湊、裝置名稱、平台、應用程式版本和登入時間。用戶端從不保存明文密碼、簡訊或電子郵件驗證碼以及 Google 授權碼。

三、處理目的
建立和驗證帳號、防止濫用、維持裝置工作階段、恢復登入以及安全稽核。您的檔案絕不會用於廣告、模型訓練或使用者剖析。

四、第三方服務
使用 Google 登入時，系統瀏覽器會連線至 Google，由 Google 依其自身政策處理登入；我們僅請求 openid、email 和 profile 範圍。簡訊和電子郵件服務商只會收到傳送驗證碼所需的號碼或地址及訊息內容。

五、本機儲存
重新整理權杖以受保護的形式保存在目前使用者的設定中：在 Windows 上由目前使用者的 DPAPI 保護，在 macOS 上存放於鑰匙圈，在其他系統上以僅目前使用者可讀的金鑰加密。設定、匿名診斷事件和暫存修復快取位於目前使用者的資料夾中。匿名診斷預設關閉，僅記錄時間、事件名稱和應用程式版本，可在「隱私與安全」頁面清除。

六、保存期限與安全
帳號和裝置記錄在提供服務、處理爭議和履行法定義務所需的期間內保留。驗證碼有效期很短，傳送頻率和嘗試次數均受限制。我們採用加密傳輸、權杖輪替、裝置撤銷和最小權限原則，但任何連網系統都無法保證絕對安全。

七、您的選擇與權利
您無需登入即可使用本機分析和修復；您可以登出、清除診斷記錄和暫存快取，也可以在「帳戶資訊」中永久刪除帳號。其他請求請透過發行者公布的聯絡管道提出。

八、未成年人及政策更新
本軟體不以依法不能表示同意的未成年人為對象。重大變更將在應用程式內或帳號中心公告；法律要求時，我們會再次徵求您的同意。</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>介面設定</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>介面語言</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>介面主題</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>淺色（已完成視覺驗收）</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>支援八種介面語言，可立即切換；目前提供經過驗收的淺色主題。</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>預設儲存行為</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>每次詢問</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>使用上次儲存目錄</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>上次儲存目錄</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>尚未選擇有效目錄</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>暫存快取上限</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>儲存後在檔案管理員中顯示</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>暫存修復快取</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>目前用量：</translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>；上限：%1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>目前未儲存的結果受到保護；清理不會觸及該任務或使用者的原始檔案</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>僅管理應用程式 repair-output 下、名稱符合任務識別碼的快取目錄</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>依上限整理</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>清理過期快取</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>隱私與安全狀態</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>檔案完全在本機處理</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>修復的檔案始終留在本機，不會上傳或分享。</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>本機匿名診斷記錄</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>僅記錄時間、事件名稱和應用程式版本，不記錄檔名、路徑或內容，也不會自動上傳。</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>記錄大小：</translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>清除記錄</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>關於 Korvex 檔案修復</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · LGPLv3 動態連結</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>授權條款全文和第三方聲明隨程式提供，位於可執行檔旁的 licenses 資料夾。</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>LGPLv3 全文</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>第三方聲明</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>取得對應 Qt 原始碼</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>版本 1.1 · 生效日期：2026 年 9 月 1 日</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Korvex 隱私權政策</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>還原預設設定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>確認清理過期快取</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>僅刪除超過 7 天且名稱符合任務識別碼的快取目錄。目前未儲存的結果和使用者的原始檔案不會被刪除。</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>確認清理</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>清除本機診斷記錄？</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>將永久刪除本機匿名診斷事件。此操作不會變更診斷開關。</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>還原預設設定？</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>將重設儲存行為、快取上限和隱私開關，但不會刪除現有的修復快取或診斷檔案。</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>還原預設</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
</context>
</TS>
