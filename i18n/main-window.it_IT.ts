<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Riparazione file</translation>
    </message>
    <message>
        <source>修复结果尚未保存</source>
        <translation>Risultato della riparazione non salvato</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。</source>
        <translation>Chiudendo la finestra questo risultato temporaneo della riparazione viene eliminato. Puoi tornare a Riparazione file e salvarlo prima.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>完全本地处理</source>
        <translation>Elaborazione interamente locale</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Guida e feedback</translation>
    </message>
    <message>
        <source>放弃并关闭</source>
        <translation>Scarta e chiudi</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Riparazione file</translation>
    </message>
    <message>
        <source>未登录</source>
        <translation>Accesso non effettuato</translation>
    </message>
    <message>
        <source>登录（可选）</source>
        <translation>Accedi (facoltativo)</translation>
    </message>
    <message>
        <source>结果尚未保存</source>
        <translation>Risultato non salvato</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>返回保存</source>
        <translation>Torna a salvare</translation>
    </message>
</context>
</TS>
