<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>RepairPage</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Reparación de archivos</translation>
    </message>
    <message>
        <source>不会修改原文件</source>
        <translation>El archivo original nunca se modifica</translation>
    </message>
    <message>
        <source>临时修复文件会被安全删除，原始文件不会受到影响。</source>
        <translation>El archivo reparado temporal se elimina; el archivo original no se ve afectado.</translation>
    </message>
    <message>
        <source>临时预览</source>
        <translation>Vista previa temporal</translation>
    </message>
    <message>
        <source>使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。</source>
        <translation>Reconstruya los metadatos clave que faltan a partir de un archivo sano del mismo dispositivo y formato con parámetros de codificación compatibles.</translation>
    </message>
    <message>
        <source>例如同一相机、录制设备或同一导出配置生成的正常文件</source>
        <translation>Por ejemplo, un archivo sano de la misma cámara, grabadora o ajuste de exportación</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>保存修复结果</source>
        <translation>Guardar el archivo reparado</translation>
    </message>
    <message>
        <source>修复</source>
        <translation>Reparar</translation>
    </message>
    <message>
        <source>修复完成，结果尚未保存</source>
        <translation>Reparación completada, resultado aún sin guardar</translation>
    </message>
    <message>
        <source>修复完成，结果已保存</source>
        <translation>Reparación completada, resultado guardado</translation>
    </message>
    <message>
        <source>修复过程中将保持原始文件只读</source>
        <translation>El archivo original permanece de solo lectura durante la reparación</translation>
    </message>
    <message>
        <source>写入应用私有缓存，完成后再由你选择保存位置</source>
        <translation>Se escribe en la caché privada de la aplicación; después elige dónde guardar</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analizar</translation>
    </message>
    <message>
        <source>分析中…</source>
        <translation>Analizando…</translation>
    </message>
    <message>
        <source>原文件保持不变</source>
        <translation>El archivo original no cambia</translation>
    </message>
    <message>
        <source>原文件未修改</source>
        <translation>Archivo original sin cambios</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>取消任务</source>
        <translation>Cancelar tarea</translation>
    </message>
    <message>
        <source>可正常解析</source>
        <translation>Se interpreta con normalidad</translation>
    </message>
    <message>
        <source>同源数据已恢复</source>
        <translation>Datos del mismo origen recuperados</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果尚未保存</source>
        <translation>Datos del mismo origen recuperados, resultado aún sin guardar</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果已保存</source>
        <translation>Datos del mismo origen recuperados, resultado guardado</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>安全预览可用</source>
        <translation>Vista previa segura disponible</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Exportar informe</translation>
    </message>
    <message>
        <source>尚未选择</source>
        <translation>Aún sin seleccionar</translation>
    </message>
    <message>
        <source>已保存到</source>
        <translation>Guardado en</translation>
    </message>
    <message>
        <source>已完成带样本的分析</source>
        <translation>Análisis con muestra completado</translation>
    </message>
    <message>
        <source>已带样本完成分析，可以开始高级修复。</source>
        <translation>El análisis con la muestra ha terminado; puede iniciar la reparación avanzada.</translation>
    </message>
    <message>
        <source>已通过独立格式验证</source>
        <translation>Superó la verificación independiente del formato</translation>
    </message>
    <message>
        <source>带样本的分析未通过</source>
        <translation>El análisis con muestra falló</translation>
    </message>
    <message>
        <source>带样本的分析未通过：%1</source>
        <translation>El análisis con la muestra falló: %1</translation>
    </message>
    <message>
        <source>开始分析</source>
        <translation>Iniciar análisis</translation>
    </message>
    <message>
        <source>开始高级修复</source>
        <translation>Iniciar reparación avanzada</translation>
    </message>
    <message>
        <source>当前无法自动修复</source>
        <translation>La reparación automática no es posible ahora</translation>
    </message>
    <message>
        <source>当前结果仍在私有缓存，尚未保存到用户目录。</source>
        <translation>El resultado sigue en la caché privada y aún no se ha guardado en una carpeta suya.</translation>
    </message>
    <message>
        <source>快速修复</source>
        <translation>Reparación rápida</translation>
    </message>
    <message>
        <source>快速修复无法安全完成</source>
        <translation>La reparación rápida no puede completarse de forma segura</translation>
    </message>
    <message>
        <source>恢复数据非空</source>
        <translation>Datos recuperados no vacíos</translation>
    </message>
    <message>
        <source>所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。</source>
        <translation>Toda la reparación se hace en la caché privada; el archivo original nunca se escribe ni se sobrescribe.</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>打开预览</source>
        <translation>Abrir vista previa</translation>
    </message>
    <message>
        <source>扩展名格式未通过</source>
        <translation>Falló la comprobación del formato de la extensión</translation>
    </message>
    <message>
        <source>拖入损坏文件，或点击选择文件</source>
        <translation>Arrastre aquí un archivo dañado o haga clic para seleccionarlo</translation>
    </message>
    <message>
        <source>支持图片 · 视频 · 音频 · 文档 · PDF</source>
        <translation>Admite imágenes · vídeo · audio · documentos · PDF</translation>
    </message>
    <message>
        <source>支持常见文档、图片、音频和视频格式</source>
        <translation>Admite los formatos habituales de documentos, imágenes, audio y vídeo</translation>
    </message>
    <message>
        <source>支持的文件</source>
        <translation>Archivos compatibles</translation>
    </message>
    <message>
        <source>放弃未保存结果？</source>
        <translation>¿Descartar el resultado sin guardar?</translation>
    </message>
    <message>
        <source>文件已选择，开始只读分析</source>
        <translation>Archivo seleccionado: inicie el análisis de solo lectura</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documentos</translation>
    </message>
    <message>
        <source>暂不可修复</source>
        <translation>No se puede reparar por ahora</translation>
    </message>
    <message>
        <source>更换待修复文件</source>
        <translation>Cambiar el archivo que se repara</translation>
    </message>
    <message>
        <source>更换文件</source>
        <translation>Cambiar archivo</translation>
    </message>
    <message>
        <source>更换样本</source>
        <translation>Cambiar muestra</translation>
    </message>
    <message>
        <source>未发现结构化损坏项</source>
        <translation>No se encontraron daños estructurales</translation>
    </message>
    <message>
        <source>格式声明异常，已启用安全数据预览</source>
        <translation>Declaración de formato anómala; vista previa segura de datos activada</translation>
    </message>
    <message>
        <source>检测结构</source>
        <translation>Inspeccionar estructura</translation>
    </message>
    <message>
        <source>正在只读分析损坏文件，并参考所选样本…</source>
        <translation>Analizando el archivo dañado en solo lectura con la muestra elegida…</translation>
    </message>
    <message>
        <source>正在带样本分析…</source>
        <translation>Analizando con muestra…</translation>
    </message>
    <message>
        <source>正在私有缓存中修复</source>
        <translation>Reparando en la caché privada</translation>
    </message>
    <message>
        <source>正在读取文件结构…</source>
        <translation>Leyendo la estructura del archivo…</translation>
    </message>
    <message>
        <source>正常样本</source>
        <translation>Muestra sana</translation>
    </message>
    <message>
        <source>独立验证</source>
        <translation>Verificación independiente</translation>
    </message>
    <message>
        <source>确认放弃</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>磁盘空间安全</source>
        <translation>Espacio en disco seguro</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>空间充足</source>
        <translation>Espacio suficiente</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>结构完整</source>
        <translation>Estructura completa</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnóstico</translation>
    </message>
    <message>
        <source>请先完成文件分析</source>
        <translation>Analice primero el archivo</translation>
    </message>
    <message>
        <source>请先选择正常样本</source>
        <translation>Elija primero una muestra sana</translation>
    </message>
    <message>
        <source>请等待带样本的分析完成</source>
        <translation>Espere a que termine el análisis con la muestra</translation>
    </message>
    <message>
        <source>请选择同设备、同格式的正常文件</source>
        <translation>Elija un archivo sano del mismo dispositivo y formato</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Archivo de salida</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>En curso</translation>
    </message>
    <message>
        <source>选择修复结果保存目录</source>
        <translation>Elija la carpeta para el archivo reparado</translation>
    </message>
    <message>
        <source>选择同设备、同格式的正常样本</source>
        <translation>Seleccione una muestra sana del mismo dispositivo y formato</translation>
    </message>
    <message>
        <source>选择完整报告保存目录</source>
        <translation>Elija la carpeta para el informe completo</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Seleccionar archivo</translation>
    </message>
    <message>
        <source>选择样本后会自动重新分析；分析完成前不会启用修复按钮。</source>
        <translation>Al elegir una muestra se analiza de nuevo; el botón de reparación no se activa hasta que termine.</translation>
    </message>
    <message>
        <source>选择正常样本</source>
        <translation>Elegir una muestra sana</translation>
    </message>
    <message>
        <source>选择需要修复的文件</source>
        <translation>Seleccione un archivo para reparar</translation>
    </message>
    <message>
        <source>重建内容</source>
        <translation>Reconstruir contenido</translation>
    </message>
    <message>
        <source>重新修复</source>
        <translation>Reparar de nuevo</translation>
    </message>
    <message>
        <source>重置预览</source>
        <translation>Restablecer vista previa</translation>
    </message>
    <message>
        <source>音视频</source>
        <translation>Audio y vídeo</translation>
    </message>
    <message>
        <source>验证结果</source>
        <translation>Resultado de la verificación</translation>
    </message>
    <message>
        <source>高级修复</source>
        <translation>Reparación avanzada</translation>
    </message>
    <message>
        <source>高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。</source>
        <translation>La reparación avanzada solo toma la estructura y los parámetros de codificación de la muestra; el archivo que se repara siempre permanece de solo lectura.</translation>
    </message>
    <message>
        <source>存在需要注意的警告</source>
        <translation>Hay advertencias que revisar</translation>
    </message>
    <message>
        <source>已通过独立格式验证，但有警告需要注意</source>
        <translation>Verificación independiente del formato superada, con advertencias que revisar</translation>
    </message>
</context>
<context>
    <name>InternalPreview</name>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>0 / 0</source>
        <translation>0 / 0</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。</source>
        <translation>No se inicia la aplicación predeterminada ni otro software. Guarde el resultado antes de trabajar con este formato.</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>取消静音</source>
        <translation>Activar sonido</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>播放视频</source>
        <translation>Reproducir vídeo</translation>
    </message>
    <message>
        <source>无法生成内部 Office 预览</source>
        <translation>No se puede generar la vista previa interna de Office</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>正在生成安全只读预览…</source>
        <translation>Generando una vista previa segura de solo lectura…</translation>
    </message>
    <message>
        <source>此格式尚未提供内部预览</source>
        <translation>Este formato aún no tiene vista previa interna</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>继续播放</source>
        <translation>Continuar reproducción</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Ajustar al ancho</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>重新播放</source>
        <translation>Volver a reproducir</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>音频预览</source>
        <translation>Vista previa de audio</translation>
    </message>
    <message>
        <source>内置预览无法播放此文件，修复结果不受影响。</source>
        <translation>La vista previa integrada no puede reproducir este archivo. El resultado reparado no se ve afectado.</translation>
    </message>
</context>
</TS>
