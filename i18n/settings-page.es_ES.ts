<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>SettingsPage</name>
    <message>
        <source>常规</source>
        <translation>General</translation>
    </message>
    <message>
        <source>修复与存储</source>
        <translation>Reparación y almacenamiento</translation>
    </message>
    <message>
        <source>隐私与安全</source>
        <translation>Privacidad y seguridad</translation>
    </message>
    <message>
        <source>开源许可证</source>
        <translation>Licencias de código abierto</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>Acuerdo de licencia de Korvex</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>Política de privacidad</translation>
    </message>
    <message>
        <source>请在使用 Korvex 文件修复（以下简称“本软件”）前仔细阅读本协议。您勾选同意，或登录、注册并继续使用账号服务，即表示您接受本协议。

一、软件许可
我们授予您有限的、非独占的、不可转让的许可，允许您在您控制的设备上安装和运行本软件。您的文件及修复后的文件始终归您所有。

二、本地修复与账号服务
选择、分析、修复和预览文件均在您的设备上完成。登录不会上传任何文件；登录仅用于识别账号和管理设备会话。

三、账号与安全
请妥善保管验证码、密码以及通过其他服务商登录的凭据。不得冒用他人身份、攻击服务或大量滥用验证码。如发现异常，请退出登录或重置密码。

四、修复结果与风险
文件修复存在不确定性。本软件不会改动原始文件，修复结果先保存在临时缓存中，或保存到您选择的新位置。我们不保证所有损坏都能修复，本软件也不能替代备份。保存或使用结果前，请在内置预览和目标应用中检查。

五、开源软件权利
本软件使用 Qt 等开源组件。如本协议与这些组件的许可证冲突，以其许可证为准。本协议不限制您依据 LGPLv3 及类似许可证替换或修改这些库、以及为调试这些修改而进行修改的权利。

六、责任限制与终止
在适用法律允许的范围内，本软件按“现状”提供。如您违反本协议、非法使用本软件或攻击服务安全，我们可以终止本许可。法律保护的消费者权利不受影响。

七、协议更新
重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。发布者及其联系方式以发布者公布的信息为准。</source>
        <translation>Lea atentamente este acuerdo antes de usar Korvex File Repair (el «Software»). Al marcar su consentimiento, o al iniciar sesión o registrarse y seguir usando el servicio de cuentas, acepta este acuerdo.

1. Licencia
Le concedemos una licencia limitada, no exclusiva e intransferible para instalar y ejecutar el Software en los dispositivos que usted controla. Sus archivos y los archivos reparados siguen siendo suyos.

2. Reparación local y servicio de cuentas
La elección, el análisis, la reparación y la vista previa de archivos se realizan en su dispositivo. Iniciar sesión no sube ningún archivo; solo sirve para identificar su cuenta y gestionar las sesiones de los dispositivos.

3. Cuenta y seguridad
Guarde con cuidado los códigos de verificación, las contraseñas y los inicios de sesión mediante otros proveedores. No suplante a otras personas, no ataque el servicio ni abuse masivamente de los códigos de verificación. Si nota algo extraño, cierre la sesión o restablezca la contraseña.

4. Resultados de la reparación y riesgos
La reparación de archivos conlleva incertidumbre. El Software nunca modifica su archivo original; los resultados van primero a la caché temporal o a una ubicación nueva que usted elija. No garantizamos que todos los daños puedan repararse, y el Software no sustituye a las copias de seguridad. Compruebe los resultados en la vista previa integrada y en la aplicación de destino antes de guardarlos o usarlos.

5. Derechos sobre el software de código abierto
El Software usa componentes de código abierto como Qt. Si este acuerdo entra en conflicto con sus licencias, prevalecen estas. Nada de lo aquí dispuesto limita sus derechos, según la LGPLv3 y licencias similares, a sustituir o modificar esas bibliotecas o a realizar modificaciones para depurarlas.

6. Limitación de responsabilidad y terminación
En la medida en que lo permita la ley aplicable, el Software se proporciona «tal cual». Podemos poner fin a esta licencia si usted incumple este acuerdo, usa el Software de forma ilícita o ataca la seguridad del servicio. Los derechos de los consumidores protegidos por la ley no se ven afectados.

7. Actualizaciones del acuerdo
Los cambios importantes se anunciarán en la aplicación o en el centro de cuentas; cuando la ley lo exija, le pediremos de nuevo su consentimiento. El editor y sus datos de contacto son los que publique el editor.</translation>
    </message>
    <message>
        <source>本政策说明 Korvex 文件修复如何处理与客户端及账号服务有关的信息。

一、不会上传的内容
您选择的文件、文件内容、修复后的文件和预览内容仅在您的设备上处理，不会因登录或诊断开关而上传。客户端不会扫描您未选择的文件夹。

二、账号服务处理的信息
登录时，账号服务处理以下信息：电子邮件地址或手机号、显示名称、验证码校验结果、加密的密码凭据、外部登录账号的标识、设备指纹哈希、设备名称、平台、应用版本和登录时间。客户端从不保存明文密码、短信或邮件验证码以及 Google 授权码。

三、处理目的
创建和验证账号、防止滥用、保持设备会话、恢复登录以及安全审计。您的文件绝不会用于广告、模型训练或用户画像。

四、第三方服务
使用 Google 登录时，系统浏览器会连接 Google，由 Google 按其自身政策处理登录；我们仅请求 openid、email 和 profile 范围。短信和邮件服务商只会收到发送验证码所需的号码或地址及消息内容。

五、本机存储
刷新令牌以受保护的形式保存在当前用户的配置中：在 Windows 上由当前用户的 DPAPI 保护，在 macOS 上存放在钥匙串中，在其他系统上用仅当前用户可读的密钥加密。设置、匿名诊断事件和临时修复缓存位于当前用户的文件夹中。匿名诊断默认关闭，仅记录时间、事件名和应用版本，可在“隐私与安全”页面清除。

六、保存期限与安全
账号和设备记录在提供服务、处理争议和履行法定义务所需的期间内保留。验证码有效期很短，发送频率和尝试次数均受限制。我们采用加密传输、令牌轮换、设备撤销和最小权限原则，但任何联网系统都无法保证绝对安全。

七、您的选择与权利
您无需登录即可使用本地分析和修复；您可以退出登录、清除诊断日志和临时缓存，也可以在“账户信息”中永久删除账号。其他请求请通过发布者公布的联系渠道提出。

八、未成年人及政策更新
本软件不面向依法不能表示同意的未成年人。重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。</source>
        <translation>Esta política explica cómo trata Korvex File Repair la información relativa al cliente y al servicio de cuentas.

1. Lo que nunca se sube
Los archivos que elige, su contenido, los archivos reparados y el contenido de las vistas previas se procesan solo en su dispositivo; ni el inicio de sesión ni el interruptor de diagnóstico los suben. El cliente no examina carpetas que usted no haya elegido.

2. Lo que trata el servicio de cuentas
Al iniciar sesión, el servicio de cuentas trata: su dirección de correo electrónico o número de teléfono, nombre visible, resultados de la verificación de códigos, credenciales de contraseña cifradas, el identificador de una cuenta de inicio de sesión externa, un hash de la huella del dispositivo, nombre del dispositivo, plataforma, versión de la aplicación y hora de inicio de sesión. El cliente nunca guarda contraseñas en claro, códigos recibidos por SMS o correo ni códigos de autorización de Google.

3. Finalidades
Crear y verificar cuentas, evitar abusos, mantener las sesiones de los dispositivos, restablecer el inicio de sesión y realizar auditorías de seguridad. Sus archivos nunca se usan para publicidad, entrenamiento de modelos ni elaboración de perfiles.

4. Servicios de terceros
Con el inicio de sesión de Google, el navegador del sistema contacta con Google, que gestiona el inicio de sesión según su propia política; solo solicitamos los ámbitos openid, email y profile. Los proveedores de SMS y correo solo reciben el número o la dirección y el mensaje necesarios para entregar un código.

5. Almacenamiento local
El token de actualización se guarda de forma protegida en la configuración del usuario actual: protegido por la DPAPI del usuario en Windows, en el llavero en macOS y, en otros sistemas, cifrado con una clave que solo puede leer el usuario actual. La configuración, los eventos de diagnóstico anónimos y la caché de reparación temporal están en las carpetas del usuario actual. El diagnóstico anónimo está desactivado de forma predeterminada, solo registra la hora, el nombre del evento y la versión de la aplicación, y se puede borrar en la página «Privacidad y seguridad».

6. Conservación y seguridad
Los registros de cuentas y dispositivos se conservan mientras lo requieran el servicio, las disputas y las obligaciones legales. Los códigos duran poco y están limitados en frecuencia de envío y en intentos. Usamos transmisión cifrada, rotación de tokens, revocación de dispositivos y mínimo privilegio, pero ningún sistema conectado puede garantizar una seguridad absoluta.

7. Sus opciones y derechos
Puede usar el análisis y la reparación locales sin iniciar sesión; puede cerrar la sesión, borrar el registro de diagnóstico y la caché temporal, y eliminar su cuenta definitivamente en «Información de la cuenta». Envíe otras solicitudes por el canal de contacto publicado por el editor.

8. Menores y actualizaciones
El Software no está dirigido a menores que no pueden dar su consentimiento según la ley. Los cambios importantes se anunciarán en la aplicación o en el centro de cuentas; cuando la ley lo exija, le pediremos de nuevo su consentimiento.</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>界面设置</source>
        <translation>Configuración de la interfaz</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Idioma de la interfaz</translation>
    </message>
    <message>
        <source>界面主题</source>
        <translation>Tema de la interfaz</translation>
    </message>
    <message>
        <source>浅色（已完成视觉验收）</source>
        <translation>Claro (verificado visualmente)</translation>
    </message>
    <message>
        <source>支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。</source>
        <translation>Ocho idiomas de interfaz que se cambian al instante; se ofrece el tema claro verificado.</translation>
    </message>
    <message>
        <source>默认保存行为</source>
        <translation>Comportamiento de guardado predeterminado</translation>
    </message>
    <message>
        <source>每次询问</source>
        <translation>Preguntar siempre</translation>
    </message>
    <message>
        <source>使用上次保存目录</source>
        <translation>Usar la última carpeta de guardado</translation>
    </message>
    <message>
        <source>上次保存目录</source>
        <translation>Última carpeta de guardado</translation>
    </message>
    <message>
        <source>尚未选择有效目录</source>
        <translation>No se ha seleccionado ninguna carpeta válida</translation>
    </message>
    <message>
        <source>临时缓存上限</source>
        <translation>Límite de la caché temporal</translation>
    </message>
    <message>
        <source>保存后在文件管理器中定位</source>
        <translation>Mostrar en el gestor de archivos tras guardar</translation>
    </message>
    <message>
        <source>临时修复缓存</source>
        <translation>Caché de reparación temporal</translation>
    </message>
    <message>
        <source>当前占用：</source>
        <translation>Uso actual: </translation>
    </message>
    <message>
        <source>；上限：%1 MB</source>
        <translation>; límite: %1 MB</translation>
    </message>
    <message>
        <source>当前未保存结果受到保护；清理不会触碰该任务或用户原始文件</source>
        <translation>El resultado actual sin guardar está protegido; la limpieza no toca esta tarea ni el archivo original</translation>
    </message>
    <message>
        <source>仅管理应用 repair-output 下、名称符合任务标识的缓存目录</source>
        <translation>Solo gestiona carpetas con nombre de tarea dentro de repair-output de la aplicación</translation>
    </message>
    <message>
        <source>按上限整理</source>
        <translation>Aplicar el límite</translation>
    </message>
    <message>
        <source>清理过期缓存</source>
        <translation>Borrar la caché caducada</translation>
    </message>
    <message>
        <source>隐私与安全状态</source>
        <translation>Estado de privacidad y seguridad</translation>
    </message>
    <message>
        <source>文件完全本地处理</source>
        <translation>Archivos procesados por completo en este dispositivo</translation>
    </message>
    <message>
        <source>修复文件始终在本地，不会上传或共享。</source>
        <translation>Los archivos reparados se quedan en local y nunca se suben ni se comparten.</translation>
    </message>
    <message>
        <source>本地匿名诊断日志</source>
        <translation>Diagnóstico anónimo local</translation>
    </message>
    <message>
        <source>仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。</source>
        <translation>Solo registra la hora, el nombre del evento y la versión de la aplicación, nunca nombres de archivo, rutas ni contenido, y nunca se sube automáticamente.</translation>
    </message>
    <message>
        <source>日志占用：</source>
        <translation>Tamaño del registro: </translation>
    </message>
    <message>
        <source>清除日志</source>
        <translation>Borrar registro</translation>
    </message>
    <message>
        <source>关于 Korvex 文件修复</source>
        <translation>Acerca de Korvex File Repair</translation>
    </message>
    <message>
        <source>Qt 6 · LGPLv3 动态链接</source>
        <translation>Qt 6 · enlace dinámico según la LGPLv3</translation>
    </message>
    <message>
        <source>许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。</source>
        <translation>Los textos de las licencias y los avisos de terceros se incluyen con el programa, en la carpeta licenses junto al ejecutable.</translation>
    </message>
    <message>
        <source>LGPLv3 正文</source>
        <translation>Texto de la LGPLv3</translation>
    </message>
    <message>
        <source>第三方声明</source>
        <translation>Avisos de terceros</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Obtener el código fuente de Qt correspondiente</translation>
    </message>
    <message>
        <source>版本 1.1 · 生效日期：2026 年 9 月 1 日</source>
        <translation>Versión 1.1 · Fecha de entrada en vigor: 1 de septiembre de 2026</translation>
    </message>
    <message>
        <source>Korvex 隐私政策</source>
        <translation>Política de privacidad de Korvex</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restablecer valores predeterminados</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>确认清理过期缓存</source>
        <translation>Confirmar el borrado de la caché caducada</translation>
    </message>
    <message>
        <source>仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。</source>
        <translation>Solo se eliminan las carpetas de caché con nombre de tarea de más de 7 días. El resultado actual sin guardar y sus propios archivos no se eliminan.</translation>
    </message>
    <message>
        <source>确认清理</source>
        <translation>Confirmar limpieza</translation>
    </message>
    <message>
        <source>清除本地诊断日志？</source>
        <translation>¿Borrar el registro de diagnóstico local?</translation>
    </message>
    <message>
        <source>将永久删除本机匿名诊断事件。该操作不会改变诊断开关。</source>
        <translation>Los eventos de diagnóstico anónimos de este dispositivo se eliminan definitivamente. El interruptor de diagnóstico no cambia.</translation>
    </message>
    <message>
        <source>恢复默认设置？</source>
        <translation>¿Restablecer la configuración predeterminada?</translation>
    </message>
    <message>
        <source>将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。</source>
        <translation>Se restablecen el comportamiento de guardado, el límite de caché y el interruptor de privacidad; la caché de reparación y los archivos de diagnóstico existentes no se eliminan.</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Cerrar</translation>
    </message>
</context>
</TS>
