<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>HelpPage</name>
    <message>
        <source>反馈内容</source>
        <translation>Comentarios</translation>
    </message>
    <message>
        <source>技术信息</source>
        <translation>Información técnica</translation>
    </message>
    <message>
        <source>帮助与反馈</source>
        <translation>Ayuda y comentarios</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>问题反馈</source>
        <translation>Informar de un problema</translation>
    </message>
    <message>
        <source>如何修复文件？</source>
        <translation>¿Cómo reparo un archivo?</translation>
    </message>
    <message>
        <source>选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。</source>
        <translation>Elija el archivo dañado → analice → repare → previsualice y guarde en otra ubicación. La reparación nunca sobrescribe el original; conserve una copia de seguridad.</translation>
    </message>
    <message>
        <source>支持哪些文件？</source>
        <translation>¿Qué archivos se admiten?</translation>
    </message>
    <message>
        <source>支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。</source>
        <translation>Fotos (incluido RAW de cámara), vídeos, audio y documentos como PDF, Word, Excel, PowerPoint, RTF y archivos de texto. El resultado depende del daño; los datos perdidos no siempre se pueden recuperar.</translation>
    </message>
    <message>
        <source>修复完成后为什么仍需保存？</source>
        <translation>¿Por qué guardar después de reparar?</translation>
    </message>
    <message>
        <source>预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。</source>
        <translation>El resultado de la vista previa sigue siendo un archivo temporal. Use «Guardar resultado» para guardarlo en su propia carpeta; cerrar el programa o volver a reparar descarta los resultados sin guardar. Después, compruebe el archivo en su aplicación.</translation>
    </message>
    <message>
        <source>文件会被上传吗？</source>
        <translation>¿Se suben mis archivos?</translation>
    </message>
    <message>
        <source>分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。</source>
        <translation>El análisis, la reparación y la vista previa se hacen en este equipo. Al iniciar sesión se usa el servicio de cuentas en línea, pero nunca se suben los archivos que se reparan. No incluya contraseñas, códigos de verificación ni contenido confidencial en los comentarios.</translation>
    </message>
    <message>
        <source>文件修复</source>
        <translation>Reparación de archivos</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。</source>
        <translation>«Enviar comentarios» envía lo que escribió al soporte de Korvex. No introduzca información confidencial; copiar y exportar no envían nada.</translation>
    </message>
    <message>
        <source>请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。</source>
        <translation>Describa el problema, los pasos para reproducirlo y el resultado esperado (como máximo 6000 caracteres). No incluya contraseñas, códigos de verificación ni contenido confidencial.</translation>
    </message>
    <message>
        <source>例如：执行了哪些操作？出现了什么错误？</source>
        <translation>Por ejemplo: ¿qué hizo? ¿Qué error apareció?</translation>
    </message>
    <message>
        <source>%1 / 6000 字符</source>
        <translation>%1 / 6000 caracteres</translation>
    </message>
    <message>
        <source>附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。</source>
        <translation>Adjuntar información técnica: solo las versiones de la aplicación, Qt y el sistema, la arquitectura y el idioma de la interfaz; sin cuenta, archivos, rutas ni registros.</translation>
    </message>
    <message>
        <source>正在提交…</source>
        <translation>Enviando…</translation>
    </message>
    <message>
        <source>提交反馈</source>
        <translation>Enviar comentarios</translation>
    </message>
    <message>
        <source>复制反馈</source>
        <translation>Copiar comentarios</translation>
    </message>
    <message>
        <source>导出反馈</source>
        <translation>Exportar comentarios</translation>
    </message>
    <message>
        <source>反馈已提交，编号：%1</source>
        <translation>Comentarios enviados, referencia %1</translation>
    </message>
    <message>
        <source>提交过于频繁，请稍后再试。</source>
        <translation>Demasiados envíos; inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>已复制到剪贴板，尚未发送。</source>
        <translation>Copiado al portapapeles, no enviado.</translation>
    </message>
    <message>
        <source>反馈已保存到所选文件，尚未发送。</source>
        <translation>Comentarios guardados en el archivo elegido, no enviados.</translation>
    </message>
    <message>
        <source>操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。</source>
        <translation>La operación no se completó. Compruebe la red o la ubicación de guardado e inténtelo más tarde, o copie o exporte los comentarios.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
</context>
</TS>
