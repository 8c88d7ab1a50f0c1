<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::SettingsService</name>
    <message>
        <source>设置仅保存在当前用户配置目录</source>
        <translation>Settings are saved only in the current user's configuration folder</translation>
    </message>
    <message>
        <source>界面语言已切换为 %1</source>
        <translation>Interface language switched to %1</translation>
    </message>
    <message>
        <source>不支持的界面语言：%1</source>
        <translation>Unsupported interface language: %1</translation>
    </message>
    <message>
        <source>浅色主题已应用</source>
        <translation>Light theme applied</translation>
    </message>
    <message>
        <source>当前发行包仅提供经过验收的浅色主题</source>
        <translation>This release only provides the approved light theme</translation>
    </message>
    <message>
        <source>保存时将优先使用上次选择的有效目录</source>
        <translation>Saving will prefer the last valid folder you chose</translation>
    </message>
    <message>
        <source>保存时将始终询问目标目录</source>
        <translation>Saving will always ask for the target folder</translation>
    </message>
    <message>
        <source>临时修复缓存上限已设置为 %1 MB</source>
        <translation>Temporary repair cache limit set to %1 MB</translation>
    </message>
    <message>
        <source>保存成功后将在系统文件管理器中定位结果</source>
        <translation>After a successful save, the result will be shown in the system file manager</translation>
    </message>
    <message>
        <source>保存成功后不再自动定位结果</source>
        <translation>The result will no longer be shown automatically after saving</translation>
    </message>
    <message>
        <source>已记住保存目录：%1</source>
        <translation>Save folder remembered: %1</translation>
    </message>
    <message>
        <source>未记住保存目录：目录不存在或不可写</source>
        <translation>Save folder not remembered: the folder does not exist or is not writable</translation>
    </message>
    <message>
        <source>已恢复默认设置；现有缓存和诊断文件未被删除</source>
        <translation>Defaults restored; existing cache and diagnostics files were not deleted</translation>
    </message>
    <message>
        <source>已启用本地匿名诊断日志；日志不会自动上传</source>
        <translation>Local anonymous diagnostics log enabled; the log is never uploaded automatically</translation>
    </message>
    <message>
        <source>已关闭本地匿名诊断日志</source>
        <translation>Local anonymous diagnostics log switched off</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务；当前未保存结果受保护，缓存暂时超过上限</source>
        <translation>Cleaned %1 old tasks; the current unsaved result is protected, so the cache is over the limit for now</translation>
    </message>
    <message>
        <source>缓存占用未超过 %1 MB 上限</source>
        <translation>Cache use does not exceed the %1 MB limit</translation>
    </message>
    <message>
        <source>已清理 %1 个旧任务，缓存已回到 %2 MB 上限内</source>
        <translation>Cleaned %1 old tasks; the cache is back within the %2 MB limit</translation>
    </message>
    <message>
        <source>已清理 %1 个过期任务缓存；%2 个当前任务受到保护</source>
        <translation>Cleared %1 expired task caches; %2 current tasks protected</translation>
    </message>
    <message>
        <source>本地匿名诊断日志已清除</source>
        <translation>Local anonymous diagnostics log cleared</translation>
    </message>
    <message>
        <source>无法清除本地诊断日志，请稍后重试</source>
        <translation>Could not clear the local diagnostics log; try again later</translation>
    </message>
    <message>
        <source>发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>THIRD_PARTY_NOTICES.md was not found in the release folder. Rebuild the program before release so that the licenses folder sits beside the executable.</translation>
    </message>
    <message>
        <source>第三方软件声明</source>
        <translation>Third-party software notices</translation>
    </message>
    <message>
        <source>发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。</source>
        <translation>LGPL-3.0-only.txt was not found in the release folder. Rebuild the program before release so that the licenses folder sits beside the executable.</translation>
    </message>
    <message>
        <source>GNU LGPLv3 许可证</source>
        <translation>GNU LGPLv3 License</translation>
    </message>
    <message>
        <source>获取对应 Qt 源码</source>
        <translation>Get matching Qt source</translation>
    </message>
    <message>
        <source>本应用使用 Qt %1 Open Source 共享库，并按 LGPLv3 动态链接路径发行。

对应 Qt 源码：
• Qt 官方源码仓库：https://code.qt.io/cgit/qt/
• Qt 官方归档：https://download.qt.io/archive/qt/
• 请选择与应用完全对应的 Qt %1 源码。

重新链接权利：用户可以将应用所用的 Qt 共享库替换为兼容修改版。许可证正文和第三方声明位于应用目录的 licenses 文件夹。</source>
        <translation>This application uses the Qt %1 Open Source shared libraries and is distributed under the LGPLv3 dynamic-linking route.

Matching Qt sources:
• Qt source repository: https://code.qt.io/cgit/qt/
• Qt archive: https://download.qt.io/archive/qt/
• Choose the Qt %1 sources that exactly match the application.

Relinking right: you may replace the Qt shared libraries the application uses with compatible modified versions. The licence texts and third-party notices are in the licenses folder of the application folder.</translation>
    </message>
</context>
</TS>
