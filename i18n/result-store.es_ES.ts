<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::EncryptedFileStore</name>
    <message>
        <source>无法读取待加密修复结果：%1</source>
        <translation>No se puede leer el resultado de la reparación que se va a cifrar: %1</translation>
    </message>
    <message>
        <source>读取待加密修复结果失败：%1</source>
        <translation>Error al leer el resultado de la reparación que se va a cifrar: %1</translation>
    </message>
    <message>
        <source>无法创建加密临时结果：%1</source>
        <translation>No se puede crear el resultado temporal cifrado: %1</translation>
    </message>
    <message>
        <source>无法写入加密临时结果头</source>
        <translation>No se puede escribir el encabezado del resultado temporal cifrado</translation>
    </message>
    <message>
        <source>写入加密临时结果失败</source>
        <translation>Error al escribir el resultado temporal cifrado</translation>
    </message>
    <message>
        <source>提交加密临时结果失败：%1</source>
        <translation>Error al confirmar el resultado temporal cifrado: %1</translation>
    </message>
    <message>
        <source>无法读取加密临时结果：%1</source>
        <translation>No se puede leer el resultado temporal cifrado: %1</translation>
    </message>
    <message>
        <source>临时结果不是 Korvex 加密容器</source>
        <translation>El resultado temporal no es un contenedor cifrado de Korvex</translation>
    </message>
    <message>
        <source>临时结果加密容器头无效</source>
        <translation>El encabezado del contenedor cifrado del resultado temporal no es válido</translation>
    </message>
    <message>
        <source>无法创建解密输出目录</source>
        <translation>No se puede crear la carpeta de la salida descifrada</translation>
    </message>
    <message>
        <source>无法创建解密输出：%1</source>
        <translation>No se puede crear la salida descifrada: %1</translation>
    </message>
    <message>
        <source>加密临时结果分块记录无效</source>
        <translation>Un registro de bloque del resultado temporal cifrado no es válido</translation>
    </message>
    <message>
        <source>加密临时结果已被截断</source>
        <translation>El resultado temporal cifrado está truncado</translation>
    </message>
    <message>
        <source>加密临时结果认证失败，文件可能已损坏或被篡改</source>
        <translation>Error de autenticación del resultado temporal cifrado; es posible que el archivo esté dañado o manipulado</translation>
    </message>
    <message>
        <source>写入解密结果失败</source>
        <translation>Error al escribir el resultado descifrado</translation>
    </message>
    <message>
        <source>加密临时结果完整性检查失败</source>
        <translation>Error en la comprobación de integridad del resultado temporal cifrado</translation>
    </message>
    <message>
        <source>提交解密结果失败：%1</source>
        <translation>Error al confirmar el resultado descifrado: %1</translation>
    </message>
    <message>
        <source>无法创建应用私有安全配置目录</source>
        <translation>No se puede crear la carpeta privada de configuración de seguridad de la aplicación</translation>
    </message>
    <message>
        <source>无法锁定应用私有主密钥存储</source>
        <translation>No se puede bloquear el almacén privado de la clave maestra de la aplicación</translation>
    </message>
    <message>
        <source>无法读取应用私有主密钥存储</source>
        <translation>No se puede leer el almacén privado de la clave maestra de la aplicación</translation>
    </message>
    <message>
        <source>无法在应用私有设置中保存受保护的主密钥</source>
        <translation>No se puede guardar la clave maestra protegida en la configuración privada de la aplicación</translation>
    </message>
    <message>
        <source>用户数据保护无法保护临时结果主密钥（错误 %1）</source>
        <translation>La protección de datos del usuario no puede proteger la clave maestra de los resultados temporales (error %1)</translation>
    </message>
    <message>
        <source>用户数据保护无法解锁临时结果主密钥（错误 %1）</source>
        <translation>La protección de datos del usuario no puede desbloquear la clave maestra de los resultados temporales (error %1)</translation>
    </message>
    <message>
        <source>受保护的主密钥长度无效</source>
        <translation>La clave maestra protegida tiene una longitud no válida</translation>
    </message>
    <message>
        <source>系统安全随机数生成失败（状态 %1）</source>
        <translation>Error en la generación segura de números aleatorios del sistema (estado %1)</translation>
    </message>
    <message>
        <source>用户数据保护密钥文件 %1 的权限不安全（只允许当前用户读写），已拒绝使用</source>
        <translation>El archivo de clave de protección de datos del usuario %1 tiene permisos no seguros (solo el usuario actual puede leerlo y escribirlo) y se ha rechazado</translation>
    </message>
    <message>
        <source>加密临时结果不是本次修复封存的结果，已拒绝使用</source>
        <translation>El resultado temporal cifrado no es el que selló esta reparación y se ha rechazado</translation>
    </message>
    <message>
        <source>写入解密结果失败：目标磁盘已满</source>
        <translation>Error al escribir el resultado descifrado: el disco de destino está lleno</translation>
    </message>
    <message>
        <source>写入解密结果失败：文件大小超过了系统对单个文件的上限</source>
        <translation>Error al escribir el resultado descifrado: el archivo alcanzó el límite del sistema para el tamaño de un archivo</translation>
    </message>
    <message>
        <source>应用缓存磁盘已满，无法封存修复结果</source>
        <translation>El disco de la caché de la aplicación está lleno; no se puede sellar el resultado reparado</translation>
    </message>
    <message>
        <source>封存修复结果时文件大小超过了系统对单个文件的上限</source>
        <translation>Al sellar el resultado reparado se alcanzó el límite del sistema para el tamaño de un archivo</translation>
    </message>
    <message>
        <source>解密已停止</source>
        <translation>Se detuvo el descifrado</translation>
    </message>
</context>
</TS>
