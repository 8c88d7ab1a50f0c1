<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>另有 %1 项同类发现未逐条列出</source>
        <translation>%1 more findings of this kind are not listed one by one</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>压缩容器</source>
        <translation>Compressed container</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>无法读取输入文件：%1</source>
        <translation>Unable to read input file: %1</translation>
    </message>
    <message>
        <source>该文件格式尚未列入首发修复白名单</source>
        <translation>This file format is not yet on the list of formats this release repairs</translation>
    </message>
    <message>
        <source>系统未提供可写的应用缓存目录</source>
        <translation>The system provides no writable application cache folder</translation>
    </message>
    <message>
        <source>无法创建私有修复缓存目录</source>
        <translation>Unable to create the private repair cache folder</translation>
    </message>
    <message>
        <source>无法登记私有修复缓存任务</source>
        <translation>Unable to register the private repair cache task</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检</source>
        <translation>Not enough disk space in the application cache; long-path working copies and the repair output were counted in the precheck</translation>
    </message>
    <message>
        <source>无法为 Windows 长路径创建私有工作副本</source>
        <translation>Unable to create a private working copy for a Windows long path</translation>
    </message>
    <message>
        <source>无法为长路径样本创建私有工作副本</source>
        <translation>Unable to create a private working copy for a long-path sample</translation>
    </message>
    <message>
        <source>无法为同源一致副本创建短路径工作副本</source>
        <translation>Unable to create a short-path working copy of the consistent same-origin copy</translation>
    </message>
    <message>
        <source>核心生成了输出，但独立格式验证未通过</source>
        <translation>The core produced an output, but the independent format validation failed</translation>
    </message>
    <message>
        <source>同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览</source>
        <translation>The same-origin copy was restored exactly; the source baseline does not match what the extension declares (%1); switched to the safe data preview</translation>
    </message>
    <message>
        <source>格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。</source>
        <translation>Format integrity check not passed; please confirm before saving: the result keeps the restored bytes as they were, which does not mean that the file structure the extension declares is usable.</translation>
    </message>
    <message>
        <source>修复核心未返回可加密的结果文件</source>
        <translation>The repair core returned no result file that could be encrypted</translation>
    </message>
    <message>
        <source>无法安全加密临时修复结果：%1</source>
        <translation>Unable to encrypt the temporary repair result safely: %1</translation>
    </message>
    <message>
        <source>正在只读分析文件结构…</source>
        <translation>Analyzing the file structure read-only…</translation>
    </message>
    <message>
        <source>正在私有缓存中生成修复结果…</source>
        <translation>Generating the repair result in the private cache…</translation>
    </message>
    <message>
        <source>请选择需要分析的文件</source>
        <translation>Please select the file to be analyzed</translation>
    </message>
    <message>
        <source>已选择 %1；原文件将保持只读</source>
        <translation>%1 selected; the original file stays read-only</translation>
    </message>
    <message>
        <source>所选文件不存在或不是普通文件</source>
        <translation>The selected file does not exist or is not a regular file</translation>
    </message>
    <message>
        <source>所选样本文件不存在或不是普通文件</source>
        <translation>The selected sample file does not exist or is not a regular file</translation>
    </message>
    <message>
        <source>所选文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>The selected file's name contains characters that cannot be read; rename the file and try again</translation>
    </message>
    <message>
        <source>所选样本文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>The selected sample file's name contains characters that cannot be read; rename the file and try again</translation>
    </message>
    <message>
        <source>样本文件不能与待修复文件相同</source>
        <translation>The sample file cannot be the same as the file to be repaired</translation>
    </message>
    <message>
        <source>已选择样本文件：%1</source>
        <translation>Sample file selected: %1</translation>
    </message>
    <message>
        <source>已移除样本文件</source>
        <translation>Sample file removed</translation>
    </message>
    <message>
        <source>请先完成分析，再启动修复</source>
        <translation>Please complete the analysis before starting the repair</translation>
    </message>
    <message>
        <source>正在安全取消…</source>
        <translation>Cancelling safely…</translation>
    </message>
    <message>
        <source>检测到可尝试修复的问题</source>
        <translation>Problems were detected that a repair can try to fix</translation>
    </message>
    <message>
        <source>未确认存在可自动修复的问题</source>
        <translation>No problem that can be repaired automatically was confirmed</translation>
    </message>
    <message>
        <source>任务已取消，原文件未被修改</source>
        <translation>The task was cancelled; the original file was not modified</translation>
    </message>
    <message>
        <source>操作失败</source>
        <translation>Operation failed</translation>
    </message>
    <message>
        <source>分析完成，可以在私有缓存中尝试修复</source>
        <translation>Analysis complete; you can try the repair in the private cache</translation>
    </message>
    <message>
        <source>修复完成并通过独立验证；结果可预览但尚未保存</source>
        <translation>Repair completed and independently validated; the result can be previewed but is not saved yet</translation>
    </message>
    <message>
        <source>同源数据已恢复；格式声明异常，结果可安全预览但尚未保存</source>
        <translation>The same-origin data was recovered; the format declaration is abnormal; the result can be previewed safely but is not saved yet</translation>
    </message>
    <message>
        <source>修复结果已加密，但无法生成受控预览：%1</source>
        <translation>The repair result is encrypted, but no controlled preview could be produced: %1</translation>
    </message>
    <message>
        <source>已丢弃未保存结果，可以重新选择修复方式</source>
        <translation>The unsaved result was discarded; you can choose a repair method again</translation>
    </message>
    <message>
        <source>缺少加密预览元数据</source>
        <translation>The encrypted preview's metadata is missing</translation>
    </message>
    <message>
        <source>无法解密受控预览：%1</source>
        <translation>The controlled preview cannot be decrypted: %1</translation>
    </message>
    <message>
        <source>目标目录不存在或不可写</source>
        <translation>The target folder does not exist or is not writable</translation>
    </message>
    <message>
        <source>已安全保存：%1</source>
        <translation>Saved safely: %1</translation>
    </message>
    <message>
        <source>报告目录不存在</source>
        <translation>The report folder does not exist</translation>
    </message>
    <message>
        <source>已导出不含完整文件路径的修复报告：%1</source>
        <translation>Exported the repair report without full file paths: %1</translation>
    </message>
    <message>
        <source>报告导出失败：%1</source>
        <translation>Report export failed: %1</translation>
    </message>
    <message>
        <source>保护临时结果的主密钥已无法解锁，已自动换用新的主密钥</source>
        <translation>The master key protecting temporary results could no longer be unlocked and was replaced with a new one</translation>
    </message>
    <message>
        <source>正在独立验证修复结果…</source>
        <translation>Verifying the repaired result independently…</translation>
    </message>
    <message>
        <source>正在加密封存修复结果…</source>
        <translation>Encrypting and sealing the repaired result…</translation>
    </message>
    <message>
        <source>输入文件在分析后已被更改或替换，请重新分析后再修复</source>
        <translation>The input file was changed or replaced after the analysis; analyse it again before repairing</translation>
    </message>
    <message>
        <source>保存失败，缓存结果仍保留：%1</source>
        <translation>Saving failed; the cached result is kept: %1</translation>
    </message>
    <message>
        <source>目标磁盘空间不足</source>
        <translation>not enough space on the target disk</translation>
    </message>
    <message>
        <source>文件名或路径过长</source>
        <translation>the file name or path is too long</translation>
    </message>
    <message>
        <source>目标文件夹不可写</source>
        <translation>the target folder cannot be written to</translation>
    </message>
    <message>
        <source>文件大小超过了系统对单个文件的上限</source>
        <translation>The file reached the system's limit on the size of one file</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足，无法封存修复结果（需要 %1）</source>
        <translation>Not enough space in the application cache to seal the repaired result (%1 needed)</translation>
    </message>
    <message>
        <source>正在保存修复结果…（%1%）</source>
        <translation>Saving the repaired result… (%1%)</translation>
    </message>
</context>
<context>
    <name>olm::repair</name>
    <message>
        <source>“%1”不是普通文件（可能是管道、设备或文件夹），未读取</source>
        <translation>“%1” is not a regular file (it may be a pipe, a device or a folder) and was not read</translation>
    </message>
</context>
</TS>
