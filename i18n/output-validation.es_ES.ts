<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OutputValidationService</name>
    <message>
        <source>输出文件不存在或为空</source>
        <translation>El archivo de salida no existe o está vacío</translation>
    </message>
    <message>
        <source>文本验证大小超过安全限制</source>
        <translation>El tamaño de validación del texto supera el límite de seguridad</translation>
    </message>
    <message>
        <source>无法读取文本输出</source>
        <translation>No se puede leer la salida de texto</translation>
    </message>
    <message>
        <source>JSON 解析失败：%1</source>
        <translation>Error al analizar el JSON: %1</translation>
    </message>
    <message>
        <source>XML 解析失败：%1</source>
        <translation>Error al analizar el XML: %1</translation>
    </message>
    <message>
        <source>文本输出解析成功</source>
        <translation>Salida de texto analizada correctamente</translation>
    </message>
    <message>
        <source>图片可由独立解码器读取</source>
        <translation>La imagen se puede leer con un decodificador independiente</translation>
    </message>
    <message>
        <source>图片解码验证失败：%1</source>
        <translation>Error en la comprobación de decodificación de la imagen: %1</translation>
    </message>
    <message>
        <source>输出无法在限制范围内完成验证</source>
        <translation>No se pudo verificar la salida dentro de los límites</translation>
    </message>
    <message>
        <source>无法读取输出文件</source>
        <translation>No se puede leer el archivo de salida</translation>
    </message>
    <message>
        <source>RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览</source>
        <translation>RAW no tiene una estructura de contenedor común; se comprobó que los datos recuperados no están vacíos y se pueden previsualizar de forma segura en la aplicación</translation>
    </message>
    <message>
        <source>尚未为该格式建立独立验证规则</source>
        <translation>Todavía no existe una regla de validación independiente para este formato</translation>
    </message>
    <message>
        <source>输出结构验证通过</source>
        <translation>Comprobación de la estructura de salida superada</translation>
    </message>
    <message>
        <source>输出结构验证失败</source>
        <translation>Error en la comprobación de la estructura de salida</translation>
    </message>
    <message>
        <source>元素嵌套超过 %1 层</source>
        <translation>los elementos están anidados en más de %1 niveles</translation>
    </message>
    <message>
        <source>图像数据不完整</source>
        <translation>los datos de la imagen están incompletos</translation>
    </message>
    <message>
        <source>未找到可解码的图像或内嵌预览</source>
        <translation>no se encontró ninguna imagen ni vista previa incrustada que se pueda decodificar</translation>
    </message>
</context>
</TS>
