<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>La configuración se guarda solo en la carpeta de configuración del usuario actual</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Idioma de la interfaz cambiado a %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Idioma de interfaz no compatible: %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Tema claro aplicado</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>Esta versión solo ofrece el tema claro aprobado</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>Al guardar se preferirá la última carpeta válida elegida</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>Al guardar siempre se preguntará por la carpeta de destino</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Límite de la caché de reparación temporal establecido en %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>Tras guardar correctamente, el resultado se mostrará en el gestor de archivos del sistema</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>El resultado ya no se mostrará automáticamente después de guardar</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Carpeta de guardado recordada: %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Carpeta de guardado no recordada: la carpeta no existe o no se puede escribir</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Configuración predeterminada restaurada; los archivos de caché y diagnóstico existentes no se han eliminado</translation>
    </message>
</context>
</TS>
