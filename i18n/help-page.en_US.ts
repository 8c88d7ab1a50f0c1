<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>Technical information</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Help &amp; Feedback</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Report a problem</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>How do I repair a file?</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>Select the damaged file → analyse → repair → preview and save to a new place. Repair never overwrites the original; keep a backup of it.</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>Which files are supported?</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>Photos (camera RAW included), videos, audio, and documents such as PDF, Word, Excel, PowerPoint, RTF and text files. Results depend on the damage; lost data cannot always be recovered.</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>Why save after repairing?</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>The previewed result is still a temporary file. Use “Save repaired result” to save it to your own folder; closing the program or repairing again discards unsaved results. After saving, check the file in its own application.</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>Are my files uploaded?</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>Analysis, repair and preview run on this computer. Signing in uses the online account service but never uploads the files being repaired. Do not put passwords, verification codes or sensitive file contents in feedback.</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>File Repair</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>Pressing “Submit feedback” sends what you wrote to Korvex support. Do not enter sensitive information; copying and exporting send nothing.</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>Describe the problem, the steps to reproduce it and the expected result (at most 6000 characters). Do not include passwords, verification codes or sensitive file contents.</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>For example: what did you do? What error appeared?</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 characters</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>Attach technical information: only application, Qt and OS versions, architecture and interface language; no account, files, paths or logs.</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>Submitting…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>Submit feedback</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>Copy feedback</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>Export feedback</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>Feedback submitted, reference %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>Too many submissions; try again later.</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>Copied to the clipboard, not sent.</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>Feedback saved to the chosen file, not sent.</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>The operation did not complete. Check the network or the save location and try again later, or copy or export the feedback.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
</context>
</TS>
