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
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>Registro de diagnóstico anónimo local activado; nunca se sube automáticamente</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>Registro de diagnóstico anónimo local desactivado</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>Se limpiaron %1 tareas antiguas; el resultado actual sin guardar está protegido, la caché supera el límite por ahora</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>El uso de la caché no supera el límite de %1 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>Se limpiaron %1 tareas antiguas; la caché vuelve a estar dentro del límite de %2 MB</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>Se borraron %1 cachés de tareas caducadas; %2 tareas actuales protegidas</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>Registro de diagnóstico anónimo local borrado</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>No se pudo borrar el registro de diagnóstico local; inténtelo de nuevo más tarde</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>No se encontró THIRD_PARTY_NOTICES.md en la carpeta de publicación. Vuelva a compilar el programa antes de publicarlo para que la carpeta licenses quede junto al ejecutable.</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>Avisos de software de terceros</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>No se encontró LGPL-3.0-only.txt en la carpeta de publicación. Vuelva a compilar el programa antes de publicarlo para que la carpeta licenses quede junto al ejecutable.</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>Licencia GNU LGPLv3</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Obtener el código fuente de Qt correspondiente</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>Esta aplicación usa las bibliotecas compartidas de Qt %1 Open Source y se distribuye por la vía del enlace dinámico de la LGPLv3.

Fuentes de Qt correspondientes:
• Repositorio oficial de fuentes de Qt: https://code.qt.io/cgit/qt/
• Archivo oficial de Qt: https://download.qt.io/archive/qt/
• Elija las fuentes de Qt %1 que correspondan exactamente a la aplicación.

Derecho a volver a enlazar: puede sustituir las bibliotecas compartidas de Qt que usa la aplicación por versiones modificadas compatibles. Los textos de las licencias y los avisos de terceros están en la carpeta licenses de la carpeta de la aplicación.</translation>
    </message>
</context>
</TS>
