<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::BinaryPreviewService</name>
    <message>
        <source>安全数据预览文件不存在</source>
        <translation>El archivo de vista previa segura de datos no existe</translation>
    </message>
    <message>
        <source>无法读取安全数据预览文件：%1</source>
        <translation>No se puede leer el archivo de vista previa segura de datos: %1</translation>
    </message>
    <message>
        <source>无法读取恢复数据</source>
        <translation>No se pueden leer los datos recuperados</translation>
    </message>
    <message>
        <source>（其余内容未显示）</source>
        <translation> (el resto no se muestra)</translation>
    </message>
    <message>
        <source>安全数据预览（只读）
文件：%1
恢复数据大小：%2 字节
显示范围：前 %3 字节%4

说明：同源冗余副本已经恢复，但恢复出的源基线不符合扩展名所声明的格式。下面显示恢复数据本身，不会调用任何第三方软件。

</source>
        <translation>Vista previa segura de datos (solo lectura)
Archivo: %1
Tamaño de los datos recuperados: %2 bytes
Intervalo mostrado: primeros %3 bytes%4

Nota: se recuperó la copia redundante del mismo origen, pero la base recuperada no coincide con el formato que declara la extensión. A continuación se muestran los propios datos recuperados; no se llama a ningún software de terceros.

</translation>
    </message>
    <message>
        <source>可读文本片段：
----------------
%1
----------------

</source>
        <translation>Fragmento de texto legible:
----------------
%1
----------------

</translation>
    </message>
    <message>
        <source>十六进制数据：
</source>
        <translation>Datos hexadecimales:
</translation>
    </message>
</context>
<context>
    <name>olm::repair::TextPreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>El archivo de vista previa no existe</translation>
    </message>
    <message>
        <source>文本文件为空或超过 8 MB 安全预览上限</source>
        <translation>El archivo de texto está vacío o supera el límite de 8 MB de la vista previa segura</translation>
    </message>
    <message>
        <source>无法读取文本预览文件</source>
        <translation>No se puede leer el archivo de vista previa de texto</translation>
    </message>
    <message>
        <source>文件不是有效的 UTF-8 文本</source>
        <translation>El archivo no es texto UTF-8 válido</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Error al analizar JSON: %1</translation>
    </message>
</context>
<context>
    <name>olm::repair::ImagePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>El archivo de vista previa no existe</translation>
    </message>
    <message>
        <source>无法读取图片尺寸，已阻止预览</source>
        <translation>No se puede leer el tamaño de la imagen; se bloqueó la vista previa</translation>
    </message>
    <message>
        <source>图片尺寸 %1 × %2 过大：完整解码需要超过 256 MB 内存，已阻止预览</source>
        <translation>La imagen de %1 × %2 píxeles es demasiado grande: una decodificación completa necesita más de 256 MB de memoria; se bloqueó la vista previa</translation>
    </message>
</context>
</TS>
