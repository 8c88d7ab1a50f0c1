<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::AccountService</name>
    <message>
        <source>线上账号服务地址未配置，未发起 Google 登录</source>
        <translation>La dirección del servicio de cuentas en línea no está configurada; no se inició el inicio de sesión con Google</translation>
    </message>
    <message>
        <source>无法建立安全的本机登录回调，请检查防火墙后重试</source>
        <translation>No se pudo preparar la devolución de llamada local segura para el inicio de sesión; revise el cortafuegos y vuelva a intentarlo</translation>
    </message>
    <message>
        <source>正在连接 Google 线上登录…</source>
        <translation>Conectando con el inicio de sesión de Google…</translation>
    </message>
    <message>
        <source>线上 Google 登录服务尚未升级到安全版本（PKCE），已停止授权；请部署最新认证服务后重试</source>
        <translation>El servicio de inicio de sesión con Google en línea aún no usa la versión segura (PKCE); se detuvo la autorización. Implemente el servicio de autenticación más reciente y vuelva a intentarlo</translation>
    </message>
    <message>
        <source>请在系统浏览器完成 Google 登录；本窗口会自动接收结果</source>
        <translation>Complete el inicio de sesión con Google en el navegador; esta ventana recibirá el resultado automáticamente</translation>
    </message>
    <message>
        <source>无法打开系统浏览器完成 Google 登录</source>
        <translation>No se pudo abrir el navegador para iniciar sesión con Google</translation>
    </message>
    <message>
        <source>已取消 Google 登录</source>
        <translation>Inicio de sesión con Google cancelado</translation>
    </message>
    <message>
        <source>Google 登录等待超时，请重新发起登录</source>
        <translation>El inicio de sesión con Google agotó el tiempo de espera; vuelva a iniciarlo</translation>
    </message>
    <message>
        <source>本机 Google 登录回调已中断且无法恢复，请重新发起登录</source>
        <translation>La devolución de llamada local de Google se interrumpió y no se puede recuperar; vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>本机 Google 登录回调暂时异常，正在自动恢复…</source>
        <translation>La devolución de llamada local de Google tiene un fallo temporal; recuperándose automáticamente…</translation>
    </message>
    <message>
        <source>Google 登录状态校验失败，请重新发起</source>
        <translation>No se pudo verificar el estado del inicio de sesión con Google; vuelva a empezar</translation>
    </message>
    <message>
        <source>Korvex 授权已返回</source>
        <translation>Autorización de Korvex devuelta</translation>
    </message>
    <message>
        <source>Korvex 登录失败</source>
        <translation>Error al iniciar sesión en Korvex</translation>
    </message>
    <message>
        <source>授权已返回 Korvex，可以关闭此窗口。</source>
        <translation>La autorización se devolvió a Korvex. Puede cerrar esta ventana.</translation>
    </message>
    <message>
        <source>授权未完成，请返回 Korvex 重试。</source>
        <translation>La autorización no se completó. Vuelva a Korvex e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Google 授权成功，正在建立 Korvex 会话…</source>
        <translation>Autorización de Google correcta; estableciendo la sesión de Korvex…</translation>
    </message>
    <message>
        <source>Google 已完成授权，但线上服务未能建立会话。授权码可能已过期，或生产环境的 OAuth 客户端配置不一致；请重新发起登录，若仍失败请检查线上认证服务版本与 Google 凭据</source>
        <translation>Google completó la autorización, pero el servicio en línea no pudo establecer una sesión. Es posible que el código de autorización haya caducado o que la configuración del cliente OAuth de producción no coincida. Vuelva a iniciar sesión; si sigue fallando, compruebe la versión del servicio de autenticación en línea y las credenciales de Google</translation>
    </message>
    <message>
        <source>网络请求失败</source>
        <translation>Error en la solicitud de red</translation>
    </message>
    <message>
        <source>线上账号服务暂未部署此功能</source>
        <translation>El servicio de cuentas en línea aún no ofrece esta función</translation>
    </message>
    <message>
        <source>请求过于频繁，请稍后再试</source>
        <translation>Demasiadas solicitudes; vuelva a intentarlo más tarde</translation>
    </message>
    <message>
        <source>登录信息无效或已过期</source>
        <translation>Los datos de inicio de sesión no son válidos o han caducado</translation>
    </message>
    <message>
        <source>线上账号服务暂时不可用</source>
        <translation>El servicio de cuentas en línea no está disponible temporalmente</translation>
    </message>
    <message>
        <source>密码重置仅支持有效邮箱地址</source>
        <translation>Para restablecer la contraseña se necesita una dirección de correo válida</translation>
    </message>
    <message>
        <source>请输入有效的邮箱或带国家区号的手机号码</source>
        <translation>Introduzca un correo válido o un número de móvil con el prefijo del país</translation>
    </message>
    <message>
        <source>请输入有效的邮箱地址</source>
        <translation>Introduzca una dirección de correo válida</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未发送验证码</source>
        <translation>La dirección del servicio de cuentas en línea no está configurada; no se envió ningún código</translation>
    </message>
    <message>
        <source>正在发送密码重置验证码…</source>
        <translation>Enviando el código para restablecer la contraseña…</translation>
    </message>
    <message>
        <source>正在通过线上服务发送验证码…</source>
        <translation>Enviando el código de verificación a través del servicio en línea…</translation>
    </message>
    <message>
        <source>验证码已发送，请检查邮箱</source>
        <translation>Código de verificación enviado; revise su correo</translation>
    </message>
    <message>
        <source>验证码已发送，请检查短信</source>
        <translation>Código de verificación enviado; revise sus SMS</translation>
    </message>
    <message>
        <source>请输入有效的邮箱/手机号码和验证码</source>
        <translation>Introduzca un correo o número de móvil válido y el código de verificación</translation>
    </message>
    <message>
        <source>请输入有效的邮箱和验证码</source>
        <translation>Introduzca un correo válido y el código de verificación</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行登录</source>
        <translation>La dirección del servicio de cuentas en línea no está configurada; no se inició sesión</translation>
    </message>
    <message>
        <source>正在通过线上服务验证账号…</source>
        <translation>Verificando la cuenta con el servicio en línea…</translation>
    </message>
    <message>
        <source>请输入有效邮箱和密码</source>
        <translation>Introduzca un correo válido y la contraseña</translation>
    </message>
    <message>
        <source>正在通过线上服务验证密码…</source>
        <translation>Verificando la contraseña con el servicio en línea…</translation>
    </message>
    <message>
        <source>注册需要有效邮箱和至少 8 位密码</source>
        <translation>El registro requiere un correo válido y una contraseña de al menos 8 caracteres</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未执行注册</source>
        <translation>La dirección del servicio de cuentas en línea no está configurada; no se creó ninguna cuenta</translation>
    </message>
    <message>
        <source>正在创建线上账号…</source>
        <translation>Creando la cuenta en línea…</translation>
    </message>
    <message>
        <source>请输入有效邮箱、验证码和至少 8 位新密码</source>
        <translation>Introduzca un correo válido, el código de verificación y una contraseña nueva de al menos 8 caracteres</translation>
    </message>
    <message>
        <source>线上账号服务地址未配置，未重置密码</source>
        <translation>La dirección del servicio de cuentas en línea no está configurada; no se restableció la contraseña</translation>
    </message>
    <message>
        <source>正在重置密码并撤销旧设备会话…</source>
        <translation>Restableciendo la contraseña y revocando las sesiones antiguas de los dispositivos…</translation>
    </message>
    <message>
        <source>密码已重置，所有旧设备会话已撤销，请使用新密码登录</source>
        <translation>Contraseña restablecida; se revocaron todas las sesiones antiguas de los dispositivos. Inicie sesión con la contraseña nueva</translation>
    </message>
    <message>
        <source>登录响应缺少有效令牌</source>
        <translation>La respuesta de inicio de sesión no contiene tokens válidos</translation>
    </message>
    <message>
        <source>已登录线上账号</source>
        <translation>Sesión iniciada en su cuenta en línea</translation>
    </message>
    <message>
        <source>设备注册响应无效，请重新登录</source>
        <translation>La respuesta del registro del dispositivo no es válida; vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>设备注册失败：%1</source>
        <translation>Error al registrar el dispositivo: %1</translation>
    </message>
    <message>
        <source>正在恢复安全会话…</source>
        <translation>Restaurando la sesión segura…</translation>
    </message>
    <message>
        <source>安全会话已恢复</source>
        <translation>Sesión segura restaurada</translation>
    </message>
    <message>
        <source>会话刷新响应无效，请重新登录</source>
        <translation>La respuesta de actualización de la sesión no es válida; vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>请先登录后再删除账号</source>
        <translation>Inicie sesión antes de eliminar la cuenta</translation>
    </message>
    <message>
        <source>正在永久删除账号…</source>
        <translation>Eliminando la cuenta de forma permanente…</translation>
    </message>
    <message>
        <source>账号删除失败：%1</source>
        <translation>Error al eliminar la cuenta: %1</translation>
    </message>
    <message>
        <source>账号及身份信息已永久删除</source>
        <translation>La cuenta y sus datos de identidad se eliminaron de forma permanente</translation>
    </message>
    <message>
        <source>登录为可选项；本机分析、修复和预览无需账号</source>
        <translation>Iniciar sesión es opcional; el análisis, la reparación y la vista previa locales no requieren cuenta</translation>
    </message>
    <message>
        <source>已登录，但当前系统不支持安全的持久会话存储</source>
        <translation>Sesión iniciada, pero este sistema no ofrece almacenamiento seguro y persistente de la sesión</translation>
    </message>
    <message>
        <source>已退出登录；本地修复和预览功能不受影响</source>
        <translation>Sesión cerrada; la reparación y la vista previa locales no se ven afectadas</translation>
    </message>
    <message>
        <source>已选择免登录使用；文件仍完全在本机处理</source>
        <translation>Continuando sin cuenta; los archivos se siguen procesando íntegramente en este equipo</translation>
    </message>
    <message>
        <source>Google 未完成授权，请重新发起登录</source>
        <translation>Google no completó la autorización; inicie de nuevo el inicio de sesión</translation>
    </message>
</context>
<context>
    <name>AccountPage</name>
    <message>
        <source>请先勾选并同意 Korvex 许可协议与隐私政策</source>
        <translation>Primero marque y acepte el contrato de licencia de Korvex y la política de privacidad</translation>
    </message>
    <message>
        <source>账户信息</source>
        <translation>Información de la cuenta</translation>
    </message>
    <message>
        <source>登录 Korvex</source>
        <translation>Iniciar sesión en Korvex</translation>
    </message>
    <message>
        <source>文件修复始终在本机完成</source>
        <translation>La reparación de archivos siempre se realiza en este dispositivo</translation>
    </message>
    <message>
        <source>已登录</source>
        <translation>Sesión iniciada</translation>
    </message>
    <message>
        <source>创建账号</source>
        <translation>Crear cuenta</translation>
    </message>
    <message>
        <source>重置密码</source>
        <translation>Restablecer contraseña</translation>
    </message>
    <message>
        <source>登录线上账号</source>
        <translation>Iniciar sesión en su cuenta en línea</translation>
    </message>
    <message>
        <source>邮箱 / 手机验证码</source>
        <translation>Código por correo / SMS</translation>
    </message>
    <message>
        <source>邮箱验证码</source>
        <translation>Código por correo</translation>
    </message>
    <message>
        <source>账号密码</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>邮箱或手机号码</source>
        <translation>Correo o número de móvil</translation>
    </message>
    <message>
        <source>邮箱</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>邮箱，或 +86 开头的手机号码</source>
        <translation>Correo, o número de móvil que empiece por +86</translation>
    </message>
    <message>
        <source>请输入邮箱</source>
        <translation>Introduzca su correo</translation>
    </message>
    <message>
        <source>显示名称（可选）</source>
        <translation>Nombre visible (opcional)</translation>
    </message>
    <message>
        <source>验证码</source>
        <translation>Código de verificación</translation>
    </message>
    <message>
        <source>请输入验证码</source>
        <translation>Introduzca el código de verificación</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>获取验证码</source>
        <translation>Obtener código</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>Contraseña nueva</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>至少 8 位新密码</source>
        <translation>Contraseña nueva de al menos 8 caracteres</translation>
    </message>
    <message>
        <source>请输入密码</source>
        <translation>Introduzca la contraseña</translation>
    </message>
    <message>
        <source>正在处理…</source>
        <translation>Procesando…</translation>
    </message>
    <message>
        <source>创建并登录</source>
        <translation>Crear e iniciar sesión</translation>
    </message>
    <message>
        <source>确认重置密码</source>
        <translation>Confirmar restablecimiento</translation>
    </message>
    <message>
        <source>登录</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>取消 Google 登录</source>
        <translation>Cancelar inicio con Google</translation>
    </message>
    <message>
        <source>使用 Google 账号登录</source>
        <translation>Iniciar sesión con Google</translation>
    </message>
    <message>
        <source>返回登录</source>
        <translation>Volver al inicio de sesión</translation>
    </message>
    <message>
        <source>忘记密码</source>
        <translation>He olvidado la contraseña</translation>
    </message>
    <message>
        <source>退出登录</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>永久删除账号</source>
        <translation>Eliminar la cuenta definitivamente</translation>
    </message>
    <message>
        <source>暂不登录，继续使用</source>
        <translation>Continuar sin iniciar sesión</translation>
    </message>
    <message>
        <source>同意 Korvex 许可协议与隐私政策</source>
        <translation>Aceptar el contrato de licencia de Korvex y la política de privacidad</translation>
    </message>
    <message>
        <source>我已阅读并同意</source>
        <translation>He leído y acepto el</translation>
    </message>
    <message>
        <source>Korvex 许可协议</source>
        <translation>contrato de licencia de Korvex</translation>
    </message>
    <message>
        <source>与</source>
        <translation>y la</translation>
    </message>
    <message>
        <source>隐私政策</source>
        <translation>política de privacidad</translation>
    </message>
    <message>
        <source>永久删除账号？</source>
        <translation>¿Eliminar la cuenta definitivamente?</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Eliminar definitivamente</translation>
    </message>
    <message>
        <source>删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。</source>
        <translation>Al eliminarla se quitan todos los métodos de inicio de sesión y el perfil de esta cuenta, y no se puede deshacer. Los archivos y resultados de reparación de este equipo no se ven afectados.</translation>
    </message>
</context>
</TS>
