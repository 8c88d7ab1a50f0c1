<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex File Repair</translation>
    </message>
    <message>
        <source>修复结果尚未保存</source>
        <translation>Repair result not saved</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。</source>
        <translation>Closing the window deletes this temporary repair result. You can return to File Repair and save it first.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>完全本地处理</source>
        <translation>Processed entirely on this device</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Help &amp; Feedback</translation>
    </message>
    <message>
        <source>放弃并关闭</source>
        <translation>Discard and close</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>File Repair</translation>
    </message>
    <message>
        <source>未登录</source>
        <translation>Not signed in</translation>
    </message>
    <message>
        <source>登录（可选）</source>
        <translation>Sign in (optional)</translation>
    </message>
    <message>
        <source>结果尚未保存</source>
        <translation>Result not saved</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>返回保存</source>
        <translation>Back to save</translation>
    </message>
</context>
</TS>
