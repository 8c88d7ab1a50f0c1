<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>另有 %1 项同类发现未逐条列出</source>
        <translation>Otros %1 hallazgos de este tipo no se enumeran uno a uno</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documento</translation>
    </message>
    <message>
        <source>压缩容器</source>
        <translation>Contenedor comprimido</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>无法读取输入文件：%1</source>
        <translation>No se puede leer el archivo de entrada: %1</translation>
    </message>
    <message>
        <source>该文件格式尚未列入首发修复白名单</source>
        <translation>Este formato de archivo aún no figura entre los formatos que repara esta versión</translation>
    </message>
    <message>
        <source>系统未提供可写的应用缓存目录</source>
        <translation>El sistema no proporciona una carpeta de caché de la aplicación con permiso de escritura</translation>
    </message>
    <message>
        <source>无法创建私有修复缓存目录</source>
        <translation>No se puede crear la carpeta de caché privada de reparación</translation>
    </message>
    <message>
        <source>无法登记私有修复缓存任务</source>
        <translation>No se puede registrar la tarea en la caché privada de reparación</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检</source>
        <translation>Espacio en disco insuficiente en la caché de la aplicación; las copias de trabajo de rutas largas y el resultado de la reparación se tuvieron en cuenta en la comprobación previa</translation>
    </message>
    <message>
        <source>无法为 Windows 长路径创建私有工作副本</source>
        <translation>No se puede crear una copia de trabajo privada para una ruta larga de Windows</translation>
    </message>
    <message>
        <source>无法为长路径样本创建私有工作副本</source>
        <translation>No se puede crear una copia de trabajo privada para una muestra de ruta larga</translation>
    </message>
    <message>
        <source>无法为同源一致副本创建短路径工作副本</source>
        <translation>No se puede crear una copia de trabajo de ruta corta de la copia coincidente del mismo origen</translation>
    </message>
    <message>
        <source>核心生成了输出，但独立格式验证未通过</source>
        <translation>El motor generó un resultado, pero la validación independiente del formato falló</translation>
    </message>
    <message>
        <source>同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览</source>
        <translation>La copia del mismo origen se restauró con exactitud; la base de origen no coincide con lo que declara la extensión (%1); se cambió a la vista previa segura de datos</translation>
    </message>
    <message>
        <source>格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。</source>
        <translation>No se superó la comprobación de integridad del formato; confirme antes de guardar: el resultado conserva los bytes restaurados tal cual, lo que no significa que la estructura de archivo que declara la extensión sea utilizable.</translation>
    </message>
    <message>
        <source>修复核心未返回可加密的结果文件</source>
        <translation>El motor de reparación no devolvió ningún archivo de resultado que se pueda cifrar</translation>
    </message>
    <message>
        <source>无法安全加密临时修复结果：%1</source>
        <translation>No se puede cifrar de forma segura el resultado temporal de la reparación: %1</translation>
    </message>
    <message>
        <source>正在只读分析文件结构…</source>
        <translation>Analizando la estructura del archivo en modo de solo lectura…</translation>
    </message>
    <message>
        <source>正在私有缓存中生成修复结果…</source>
        <translation>Generando el resultado de la reparación en la caché privada…</translation>
    </message>
    <message>
        <source>请选择需要分析的文件</source>
        <translation>Seleccione el archivo que desea analizar</translation>
    </message>
    <message>
        <source>已选择 %1；原文件将保持只读</source>
        <translation>%1 seleccionado; el archivo original permanece en solo lectura</translation>
    </message>
    <message>
        <source>所选文件不存在或不是普通文件</source>
        <translation>El archivo seleccionado no existe o no es un archivo normal</translation>
    </message>
    <message>
        <source>所选样本文件不存在或不是普通文件</source>
        <translation>El archivo de muestra seleccionado no existe o no es un archivo normal</translation>
    </message>
    <message>
        <source>所选文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>El nombre del archivo seleccionado contiene caracteres que no se pueden leer; cambie el nombre del archivo e inténtelo de nuevo</translation>
    </message>
    <message>
        <source>所选样本文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>El nombre del archivo de muestra seleccionado contiene caracteres que no se pueden leer; cambie el nombre del archivo e inténtelo de nuevo</translation>
    </message>
    <message>
        <source>样本文件不能与待修复文件相同</source>
        <translation>El archivo de muestra no puede ser el mismo que el archivo que se va a reparar</translation>
    </message>
    <message>
        <source>已选择样本文件：%1</source>
        <translation>Archivo de muestra seleccionado: %1</translation>
    </message>
    <message>
        <source>已移除样本文件</source>
        <translation>Archivo de muestra quitado</translation>
    </message>
    <message>
        <source>请先完成分析，再启动修复</source>
        <translation>Complete el análisis antes de iniciar la reparación</translation>
    </message>
    <message>
        <source>正在安全取消…</source>
        <translation>Cancelando de forma segura…</translation>
    </message>
    <message>
        <source>检测到可尝试修复的问题</source>
        <translation>Se detectaron problemas que una reparación puede intentar corregir</translation>
    </message>
    <message>
        <source>未确认存在可自动修复的问题</source>
        <translation>No se confirmó ningún problema que se pueda reparar automáticamente</translation>
    </message>
    <message>
        <source>任务已取消，原文件未被修改</source>
        <translation>La tarea se canceló; el archivo original no se modificó</translation>
    </message>
    <message>
        <source>操作失败</source>
        <translation>La operación falló</translation>
    </message>
    <message>
        <source>分析完成，可以在私有缓存中尝试修复</source>
        <translation>Análisis completado; puede intentar la reparación en la caché privada</translation>
    </message>
    <message>
        <source>修复完成并通过独立验证；结果可预览但尚未保存</source>
        <translation>Reparación completada y validada de forma independiente; el resultado se puede previsualizar, pero aún no se ha guardado</translation>
    </message>
    <message>
        <source>同源数据已恢复；格式声明异常，结果可安全预览但尚未保存</source>
        <translation>Se recuperaron los datos del mismo origen; la declaración de formato es anómala; el resultado se puede previsualizar de forma segura, pero aún no se ha guardado</translation>
    </message>
    <message>
        <source>修复结果已加密，但无法生成受控预览：%1</source>
        <translation>El resultado de la reparación está cifrado, pero no se pudo generar una vista previa controlada: %1</translation>
    </message>
    <message>
        <source>已丢弃未保存结果，可以重新选择修复方式</source>
        <translation>Se descartó el resultado no guardado; puede volver a elegir un método de reparación</translation>
    </message>
    <message>
        <source>缺少加密预览元数据</source>
        <translation>Faltan los metadatos de la vista previa cifrada</translation>
    </message>
    <message>
        <source>无法解密受控预览：%1</source>
        <translation>No se puede descifrar la vista previa controlada: %1</translation>
    </message>
    <message>
        <source>目标目录不存在或不可写</source>
        <translation>La carpeta de destino no existe o no tiene permiso de escritura</translation>
    </message>
    <message>
        <source>已安全保存：%1</source>
        <translation>Guardado de forma segura: %1</translation>
    </message>
    <message>
        <source>报告目录不存在</source>
        <translation>La carpeta del informe no existe</translation>
    </message>
    <message>
        <source>已导出不含完整文件路径的修复报告：%1</source>
        <translation>Se exportó el informe de reparación sin rutas de archivo completas: %1</translation>
    </message>
    <message>
        <source>报告导出失败：%1</source>
        <translation>Error al exportar el informe: %1</translation>
    </message>
    <message>
        <source>保护临时结果的主密钥已无法解锁，已自动换用新的主密钥</source>
        <translation>La clave maestra que protege los resultados temporales ya no se podía desbloquear y se ha sustituido por una nueva</translation>
    </message>
    <message>
        <source>正在独立验证修复结果…</source>
        <translation>Verificando el resultado reparado de forma independiente…</translation>
    </message>
    <message>
        <source>正在加密封存修复结果…</source>
        <translation>Cifrando y sellando el resultado reparado…</translation>
    </message>
    <message>
        <source>输入文件在分析后已被更改或替换，请重新分析后再修复</source>
        <translation>El archivo de entrada se modificó o sustituyó después del análisis; analícelo de nuevo antes de repararlo</translation>
    </message>
    <message>
        <source>保存失败，缓存结果仍保留：%1</source>
        <translation>No se pudo guardar; el resultado en caché se conserva: %1</translation>
    </message>
    <message>
        <source>目标磁盘空间不足</source>
        <translation>no hay espacio suficiente en el disco de destino</translation>
    </message>
    <message>
        <source>文件名或路径过长</source>
        <translation>el nombre o la ruta del archivo es demasiado largo</translation>
    </message>
    <message>
        <source>目标文件夹不可写</source>
        <translation>no se puede escribir en la carpeta de destino</translation>
    </message>
    <message>
        <source>文件大小超过了系统对单个文件的上限</source>
        <translation>El archivo alcanzó el límite del sistema para el tamaño de un archivo</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足，无法封存修复结果（需要 %1）</source>
        <translation>No hay espacio suficiente en la caché de la aplicación para sellar el resultado reparado (se necesitan %1)</translation>
    </message>
    <message>
        <source>正在保存修复结果…（%1%）</source>
        <translation>Guardando el resultado reparado… (%1 %)</translation>
    </message>
</context>
<context>
    <name>olm::repair</name>
    <message>
        <source>“%1”不是普通文件（可能是管道、设备或文件夹），未读取</source>
        <translation>«%1» no es un archivo normal (puede ser una tubería, un dispositivo o una carpeta) y no se ha leído</translation>
    </message>
</context>
</TS>
