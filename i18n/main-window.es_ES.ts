<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>Main</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Reparación de archivos</translation>
    </message>
    <message>
        <source>修复结果尚未保存</source>
        <translation>El resultado de la reparación no se ha guardado</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。</source>
        <translation>Al cerrar la ventana se elimina este resultado temporal de la reparación. Puede volver a Reparación de archivos y guardarlo antes.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>完全本地处理</source>
        <translation>Procesado íntegramente en este equipo</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Ayuda y comentarios</translation>
    </message>
    <message>
        <source>放弃并关闭</source>
        <translation>Descartar y cerrar</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Reparación de archivos</translation>
    </message>
    <message>
        <source>未登录</source>
        <translation>Sin iniciar sesión</translation>
    </message>
    <message>
        <source>登录（可选）</source>
        <translation>Iniciar sesión (opcional)</translation>
    </message>
    <message>
        <source>结果尚未保存</source>
        <translation>Resultado sin guardar</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>账户</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>返回保存</source>
        <translation>Volver a guardar</translation>
    </message>
</context>
</TS>
