<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La parte inferior de la imagen se perdió y no se pudo recuperar; se muestra rellenada.</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>La parte superior de la imagen se perdió y no se pudo recuperar; se muestra rellenada.</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>Los fotogramas de la animación posteriores al corte se perdieron y no se pudieron recuperar.</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>Los barridos posteriores de la imagen se perdieron y no se pudieron recuperar; puede verse borrosa, o su parte inferior se muestra rellenada.</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>Falta el registro del directorio central ZIP</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>Falta el marcador de fin de imagen JPEG</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>Falta el marcador de inicio de imagen JPEG</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>Faltan el identificador de encabezado WMV/ASF y los parámetros clave del flujo</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>Tamaño anómalo del bloque de datos multimedia MP4</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>Tabla de referencias cruzadas PDF ausente o dañada</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>No se encontraron daños en este elemento</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>Este formato de archivo aún no es compatible</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>Falta el encabezado del archivo</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>Falta la estructura de fin de archivo</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>Datos del archivo truncados o incompletos</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>La suma de comprobación de los datos no coincide</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>Índice del contenedor del archivo dañado</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>Faltan metadatos necesarios</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>Estructura interna del archivo anómala</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>Marcador de estructura de archivo no válido</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>Faltan los datos de escaneo de la imagen</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>Contenido del encabezado del archivo dañado</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>Se detectaron datos de vista previa incrustados</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>Faltan los datos de vista previa incrustados</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>La muestra sana no coincide con el archivo dañado</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>El contenedor del archivo está cifrado</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>Falta el índice del archivo</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>Un componente de procesamiento necesario no está disponible</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>Se detectó una anomalía en el archivo; consulte el informe de reparación para ver el diagnóstico detallado</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>Falta el encabezado esencial del archivo; entre en la reparación avanzada y elija una muestra sana compatible</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>La estructura de paquetes de la muestra sana seleccionada no es compatible con el archivo dañado</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>La muestra sana seleccionada carece de una estructura ASF utilizable; elija otra muestra</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>No hay memoria suficiente para procesar este archivo; cierre otros programas y vuelva a intentarlo</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>El motor de reparación sufrió un error interno y no pudo procesar este archivo; vuelva a intentarlo</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>La imagen es demasiado grande para recuperarla: unos %1 MB decodificados, el límite es de %2 MB</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>Al archivo le falta el índice (moov) necesario para la reproducción; se necesita una muestra sana grabada con el mismo dispositivo. Abra la reparación avanzada y elija la muestra</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>La muestra sana seleccionada no coincide con esta grabación; elija un archivo sano grabado con el mismo dispositivo y la misma configuración</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>Falta el catálogo del documento PDF (objeto raíz); el resultado puede requerir una recuperación manual</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>Solo se conservó la pista de vídeo; las demás pistas (como el audio) no se pudieron restaurar</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>Se omitieron datos multimedia dañados; la reproducción salta brevemente en ese punto</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>No se pudo restaurar la información del contenedor; el audio se guardó como flujo de tramas simple</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>No se pudieron restaurar algunos datos de imagen; pueden quedar daños visibles en el resultado</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>El resultado puede requerir una recuperación manual</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>La información de flujo FLAC estaba dañada y se ha reconstruido a partir de las tramas de audio</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>La firma MD5 de la información de flujo FLAC no podía verificar el audio conservado y se ha borrado; la reproducción no se ve afectada</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>El número total de muestras de la información de flujo FLAC se ha ajustado a la duración del audio conservado</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>El motor de reparación añadió una nota sobre el resultado; compruébelo antes de usarlo</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>El vídeo no tiene índice de búsqueda; los reproductores pueden tener que recorrer el archivo antes de poder saltar</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>La operación se ha cancelado</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>El resultado de la reparación no puede escribirse sobre el archivo original ni sobre el archivo de muestra</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>No se pudo abrir el archivo que se va a reparar</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>No se pudo leer por completo el archivo que se va a reparar</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>No se encontró ningún nombre de archivo libre para el resultado de la reparación</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>No se pudo escribir el archivo con el resultado de la reparación</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>Un archivo se modificó mientras se procesaba; vuelva a analizarlo</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>No se encontró ningún grupo de copias idénticas que coincidan claramente</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>La muestra en buen estado seleccionada no se puede usar para reparar este archivo</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>El archivo está demasiado dañado; no se encontraron datos recuperables</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>El motor de reparación no pudo reparar este archivo</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>Desplazamiento de byte %1</translation>
    </message>
</context>
</TS>
