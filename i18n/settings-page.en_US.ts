<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>General</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>Repair &amp; Storage</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>Privacy &amp; Security</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>Open-source licenses</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Korvex License Agreement</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Privacy Policy</translation>
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
        <translation>Please read this agreement carefully before using Korvex File Repair (the “Software”). By ticking your consent, or by signing in or registering and continuing to use the account service, you accept this agreement.

1. Licence
We grant you a limited, non-exclusive, non-transferable licence to install and run the Software on devices you control. Your files and the repaired files remain yours.

2. Local repair and account service
Choosing, analysing, repairing and previewing files happen on your device. Signing in uploads no file; it serves only to identify your account and manage device sessions.

3. Account and security
Keep verification codes, passwords and sign-ins through other providers safe. Do not impersonate others, attack the service or abuse verification codes in bulk. If anything looks unusual, sign out or reset your password.

4. Repair results and risk
File repair is uncertain. The Software never changes your original file; results go to the temporary cache first, or to a new place you choose. We do not guarantee that all damage can be repaired, and the Software is no substitute for backups. Check results in the embedded preview and in the target application before you save or use them.

5. Open-source rights
The Software uses open-source components such as Qt. Where this agreement conflicts with their licences, their licences prevail. Nothing here limits your rights under the LGPLv3 and similar licences to replace or modify those libraries, or to make modifications for debugging them.

6. Limitation of liability and termination
To the extent the applicable law allows, the Software is provided “as is”. We may end this licence if you breach this agreement, use the Software unlawfully or attack the service's security. Consumer rights protected by law are unaffected.

7. Updates to this agreement
Major changes will be announced in the application or the account centre; where the law requires it, we will ask for your consent again. The publisher and its contact details are as published by the publisher.</translation>
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
        <translation>This policy explains how Korvex File Repair handles information about the client and the account service.

1. What is never uploaded
The files you choose, their contents, the repaired files and the preview contents are processed on your device only; neither signing in nor the diagnostics switch uploads them. The client does not scan folders you did not choose.

2. What the account service processes
When you sign in, the account service processes: your e-mail address or phone number, display name, verification-code results, encrypted password credentials, the identifier of an outside sign-in account, a device fingerprint hash, device name, platform, application version and sign-in time. The client never stores a plain password, an SMS or e-mail code or a Google authorization code.

3. Purposes
Creating and verifying accounts, preventing abuse, keeping device sessions, restoring sign-in and security audits. Your files are never used for advertising, model training or profiling.

4. Outside services
With Google sign-in, the system browser contacts Google, which handles the sign-in under its own policy; we request only the openid, email and profile scopes. SMS and e-mail providers receive only the number or address and the message needed to deliver a code.

5. Local storage
The refresh token is kept in protected form in the current user's configuration: protected by the current user's DPAPI on Windows, in the Keychain on macOS, and on other systems encrypted under a key only the current user can read. Settings, anonymous diagnostic events and the temporary repair cache lie in the current user's folders. Anonymous diagnostics are off by default, record only time, event name and application version, and can be cleared on the “Privacy &amp; Security” page.

6. Retention and security
Account and device records are kept as long as the service, disputes and legal duties require. Codes are short-lived and limited in sending rate and attempts. We use encrypted transport, token rotation, device revocation and least privilege, but no networked system can promise absolute security.

7. Your choices and rights
You can use local analysis and repair without signing in; you can sign out, clear the diagnostics log and the temporary cache, and delete your account permanently under “Account information”. Send other requests through the contact channel the publisher has published.

8. Minors and updates
The Software is not directed at minors who cannot give consent by law. Major changes will be announced in the application or the account centre; where the law requires it, we will ask for your consent again.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>Interface settings</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>Interface theme</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>Light (visually verified)</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>Eight interface languages with instant switching; the verified light theme is provided.</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>Default save behavior</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>Ask every time</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>Use the last save folder</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>Last save folder</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>No valid folder selected</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>Temporary cache limit</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>Show in the file manager after saving</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>Temporary repair cache</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>Currently used: </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>; limit: %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>The current unsaved result is protected; cleanup will not touch this task or the user's source file</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>Only manages task-named folders under the app's repair-output directory</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>Enforce limit</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>Clear expired cache</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>Privacy &amp; security status</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>Files processed entirely on this device</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>Repaired files stay local and are never uploaded or shared.</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>Local anonymous diagnostics</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>Records only time, event name and app version, no file names, paths or contents, and is never uploaded automatically.</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>Log size: </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>Clear log</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>About Korvex File Repair</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · dynamically linked under LGPLv3</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>Licence texts and third-party notices ship with the program, in the licenses folder beside the executable.</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>LGPLv3 text</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>Third-party notices</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Get matching Qt source</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>Version 1.1 · Effective date: 1 September 2026</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Korvex Privacy Policy</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>Confirm clearing the expired cache</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>Only task-named cache folders older than 7 days are deleted. The current unsaved result and your own files are not deleted.</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>Confirm cleanup</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>Clear the local diagnostics log?</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>The anonymous diagnostic events on this device are deleted permanently. The diagnostics switch is not changed.</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>Restore default settings?</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>The save behaviour, cache limit and privacy switch are reset; existing repair cache and diagnostics files are not deleted.</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore default</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
