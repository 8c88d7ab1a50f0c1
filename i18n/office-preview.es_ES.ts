<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::OfficePreviewService</name>
    <message>
        <source>预览文件不存在</source>
        <translation>El archivo de vista previa no existe</translation>
    </message>
    <message>
        <source>Office 文件大小超出安全预览范围（最大 256 MB）</source>
        <translation>El tamaño del archivo de Office supera el rango de vista previa segura (máximo 256 MB)</translation>
    </message>
    <message>
        <source>内部 Office 预览仅支持 DOCX、XLSX 和 PPTX</source>
        <translation>La vista previa interna de Office solo admite DOCX, XLSX y PPTX</translation>
    </message>
    <message>
        <source>Office 文档中没有可安全显示的页面</source>
        <translation>El documento de Office no tiene ninguna página que se pueda mostrar de forma segura</translation>
    </message>
    <message>
        <source>安全只读预览：显示正文文本；复杂浮动版式、批注、宏和嵌入对象不执行。</source>
        <translation>Vista previa segura de solo lectura: se muestra el texto principal; los diseños flotantes complejos, los comentarios, las macros y los objetos incrustados no se ejecutan.</translation>
    </message>
    <message>
        <source>工作表 %1</source>
        <translation>Hoja de cálculo %1</translation>
    </message>
    <message>
        <source>安全只读预览：最多显示 8 个工作表、每表 200 行 × 30 列；公式不计算、外链和宏不执行。</source>
        <translation>Vista previa segura de solo lectura: como máximo 8 hojas de cálculo de 200 filas × 30 columnas cada una; las fórmulas no se calculan y los vínculos externos y las macros no se ejecutan.</translation>
    </message>
    <message>
        <source>安全只读预览：显示每页可提取文本；动画、音视频、宏和外部链接不执行。</source>
        <translation>Vista previa segura de solo lectura: se muestra el texto extraíble de cada diapositiva; las animaciones, el audio y el vídeo, las macros y los vínculos externos no se ejecutan.</translation>
    </message>
    <message>
        <source>Office 容器不可读取</source>
        <translation>No se puede leer el contenedor de Office</translation>
    </message>
    <message>
        <source>Office 容器长度不在安全范围内</source>
        <translation>La longitud del contenedor de Office está fuera del rango seguro</translation>
    </message>
    <message>
        <source>Office 容器目录定位失败</source>
        <translation>Error al localizar el directorio del contenedor de Office</translation>
    </message>
    <message>
        <source>Office 容器缺少 ZIP 中央目录</source>
        <translation>Al contenedor de Office le falta el directorio central ZIP</translation>
    </message>
    <message>
        <source>不支持分卷或 ZIP64 Office 容器</source>
        <translation>No se admiten contenedores de Office divididos o ZIP64</translation>
    </message>
    <message>
        <source>Office 容器条目过多，已阻止预览</source>
        <translation>Demasiadas entradas en el contenedor de Office; vista previa bloqueada</translation>
    </message>
    <message>
        <source>Office 中央目录不可读取</source>
        <translation>No se puede leer el directorio central de Office</translation>
    </message>
    <message>
        <source>Office 中央目录结构无效</source>
        <translation>La estructura del directorio central de Office no es válida</translation>
    </message>
    <message>
        <source>不支持 ZIP64 Office 条目</source>
        <translation>No se admiten entradas de Office ZIP64</translation>
    </message>
    <message>
        <source>Office 中央目录条目被截断</source>
        <translation>Una entrada del directorio central de Office está truncada</translation>
    </message>
    <message>
        <source>Office 容器包含非法条目名</source>
        <translation>El contenedor de Office contiene un nombre de entrada no permitido</translation>
    </message>
    <message>
        <source>Office 容器缺少必要条目：%1</source>
        <translation>Al contenedor de Office le falta una entrada necesaria: %1</translation>
    </message>
    <message>
        <source>不预览加密的 Office XML</source>
        <translation>No se muestra la vista previa del XML de Office cifrado</translation>
    </message>
    <message>
        <source>Office XML 超出安全预览限制</source>
        <translation>El XML de Office supera los límites de la vista previa segura</translation>
    </message>
    <message>
        <source>Office XML 定位失败：%1</source>
        <translation>Error al localizar el XML de Office: %1</translation>
    </message>
    <message>
        <source>Office XML 本地条目结构无效：%1</source>
        <translation>La estructura de la entrada local del XML de Office no es válida: %1</translation>
    </message>
    <message>
        <source>Office XML 数据范围无效：%1</source>
        <translation>El rango de datos del XML de Office no es válido: %1</translation>
    </message>
    <message>
        <source>Office XML 数据被截断：%1</source>
        <translation>Los datos XML de Office están truncados: %1</translation>
    </message>
    <message>
        <source>Office 存储条目长度不一致：%1</source>
        <translation>Las longitudes de la entrada de Office almacenada no coinciden: %1</translation>
    </message>
    <message>
        <source>Office XML DEFLATE 解压失败：%1</source>
        <translation>Error en la descompresión DEFLATE del XML de Office: %1</translation>
    </message>
    <message>
        <source>Office XML 使用不支持的压缩方法：%1</source>
        <translation>El XML de Office usa un método de compresión no admitido: %1</translation>
    </message>
    <message>
        <source>Office XML CRC 校验失败：%1</source>
        <translation>Error en la comprobación CRC del XML de Office: %1</translation>
    </message>
    <message>
        <source>&lt;p style='color:#78877f'&gt;文档中没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p style='color:#78877f'&gt;El documento no contiene texto que se pueda mostrar.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>DOCX XML 解析失败：%1</source>
        <translation>Error al analizar el XML DOCX: %1</translation>
    </message>
    <message>
        <source>XLSX 共享字符串解析失败：%1</source>
        <translation>Error al analizar las cadenas compartidas XLSX: %1</translation>
    </message>
    <message>
        <source>[无效共享字符串]</source>
        <translation>[Cadena compartida no válida]</translation>
    </message>
    <message>
        <source>XLSX 工作表解析失败：%1</source>
        <translation>Error al analizar la hoja de cálculo XLSX: %1</translation>
    </message>
    <message>
        <source>PPTX 幻灯片解析失败：%1</source>
        <translation>Error al analizar la diapositiva PPTX: %1</translation>
    </message>
    <message>
        <source>&lt;div class='slide'&gt;&lt;div class='number'&gt;幻灯片 %1&lt;/div&gt;</source>
        <translation>&lt;div class='slide'&gt;&lt;div class='number'&gt;Diapositiva %1&lt;/div&gt;</translation>
    </message>
    <message>
        <source>&lt;p class='empty'&gt;此页没有可显示的文本内容。&lt;/p&gt;</source>
        <translation>&lt;p class='empty'&gt;Esta página no contiene texto que mostrar.&lt;/p&gt;</translation>
    </message>
</context>
</TS>
