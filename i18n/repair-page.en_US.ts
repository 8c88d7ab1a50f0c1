<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>RepairPage</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex File Repair</translation>
    </message>
    <message>
        <source>不会修改原文件</source>
        <translation>The original file is never modified</translation>
    </message>
    <message>
        <source>临时修复文件会被安全删除，原始文件不会受到影响。</source>
        <translation>The temporary repaired file is deleted; the original file is not affected.</translation>
    </message>
    <message>
        <source>临时预览</source>
        <translation>Temporary preview</translation>
    </message>
    <message>
        <source>使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。</source>
        <translation>Rebuild the missing key metadata from a healthy file of the same device and format with compatible coding parameters.</translation>
    </message>
    <message>
        <source>例如同一相机、录制设备或同一导出配置生成的正常文件</source>
        <translation>For example a healthy file from the same camera, recorder or export preset</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存修复结果</source>
        <translation>Save the repaired file</translation>
    </message>
    <message>
        <source>修复</source>
        <translation>Repair</translation>
    </message>
    <message>
        <source>修复完成，结果尚未保存</source>
        <translation>Repair complete, result not saved yet</translation>
    </message>
    <message>
        <source>修复完成，结果已保存</source>
        <translation>Repair complete, result saved</translation>
    </message>
    <message>
        <source>修复过程中将保持原始文件只读</source>
        <translation>The original file stays read-only during the repair</translation>
    </message>
    <message>
        <source>写入应用私有缓存，完成后再由你选择保存位置</source>
        <translation>Written to the app’s private cache; you choose where to save afterwards</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>分析中…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>原文件保持不变</source>
        <translation>The original file stays unchanged</translation>
    </message>
    <message>
        <source>原文件未修改</source>
        <translation>Original file unchanged</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>取消任务</source>
        <translation>Cancel task</translation>
    </message>
    <message>
        <source>可正常解析</source>
        <translation>Parses normally</translation>
    </message>
    <message>
        <source>同源数据已恢复</source>
        <translation>Same-source data restored</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果尚未保存</source>
        <translation>Same-source data restored, result not saved yet</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果已保存</source>
        <translation>Same-source data restored, result saved</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>安全预览可用</source>
        <translation>Safe preview available</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Export report</translation>
    </message>
    <message>
        <source>尚未选择</source>
        <translation>Not selected yet</translation>
    </message>
    <message>
        <source>已保存到</source>
        <translation>Saved to</translation>
    </message>
    <message>
        <source>已完成带样本的分析</source>
        <translation>Analysis with sample complete</translation>
    </message>
    <message>
        <source>已带样本完成分析，可以开始高级修复。</source>
        <translation>The analysis with the sample is complete; advanced repair can start.</translation>
    </message>
    <message>
        <source>已通过独立格式验证</source>
        <translation>Passed independent format verification</translation>
    </message>
    <message>
        <source>带样本的分析未通过</source>
        <translation>Analysis with sample failed</translation>
    </message>
    <message>
        <source>带样本的分析未通过：%1</source>
        <translation>The analysis with the sample failed: %1</translation>
    </message>
    <message>
        <source>开始分析</source>
        <translation>Start analysis</translation>
    </message>
    <message>
        <source>开始高级修复</source>
        <translation>Start advanced repair</translation>
    </message>
    <message>
        <source>当前无法自动修复</source>
        <translation>Automatic repair not possible now</translation>
    </message>
    <message>
        <source>当前结果仍在私有缓存，尚未保存到用户目录。</source>
        <translation>The result is still in the private cache and not yet saved to a folder of yours.</translation>
    </message>
    <message>
        <source>快速修复</source>
        <translation>Quick repair</translation>
    </message>
    <message>
        <source>快速修复无法安全完成</source>
        <translation>Quick repair cannot complete safely</translation>
    </message>
    <message>
        <source>恢复数据非空</source>
        <translation>Restored data not empty</translation>
    </message>
    <message>
        <source>所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。</source>
        <translation>All repair work happens in the private cache; the original file is never written or overwritten.</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>打开预览</source>
        <translation>Open preview</translation>
    </message>
    <message>
        <source>扩展名格式未通过</source>
        <translation>Extension’s format check failed</translation>
    </message>
    <message>
        <source>拖入损坏文件，或点击选择文件</source>
        <translation>Drop a damaged file here, or click to select one</translation>
    </message>
    <message>
        <source>支持图片 · 视频 · 音频 · 文档 · PDF</source>
        <translation>Supports images · video · audio · documents · PDF</translation>
    </message>
    <message>
        <source>支持常见文档、图片、音频和视频格式</source>
        <translation>Supports common document, image, audio and video formats</translation>
    </message>
    <message>
        <source>支持的文件</source>
        <translation>Supported files</translation>
    </message>
    <message>
        <source>放弃未保存结果？</source>
        <translation>Discard the unsaved result?</translation>
    </message>
    <message>
        <source>文件已选择，开始只读分析</source>
        <translation>File selected — start the read-only analysis</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>暂不可修复</source>
        <translation>Cannot be repaired for now</translation>
    </message>
    <message>
        <source>更换待修复文件</source>
        <translation>Change the file to repair</translation>
    </message>
    <message>
        <source>更换文件</source>
        <translation>Change file</translation>
    </message>
    <message>
        <source>更换样本</source>
        <translation>Change sample</translation>
    </message>
    <message>
        <source>未发现结构化损坏项</source>
        <translation>No structural damage found</translation>
    </message>
    <message>
        <source>格式声明异常，已启用安全数据预览</source>
        <translation>Format declaration abnormal; safe data preview enabled</translation>
    </message>
    <message>
        <source>检测结构</source>
        <translation>Inspect structure</translation>
    </message>
    <message>
        <source>正在只读分析损坏文件，并参考所选样本…</source>
        <translation>Analysing the damaged file read-only, with the chosen sample…</translation>
    </message>
    <message>
        <source>正在带样本分析…</source>
        <translation>Analysing with sample…</translation>
    </message>
    <message>
        <source>正在私有缓存中修复</source>
        <translation>Repairing in the private cache</translation>
    </message>
    <message>
        <source>正在读取文件结构…</source>
        <translation>Reading the file structure…</translation>
    </message>
    <message>
        <source>正常样本</source>
        <translation>Healthy sample</translation>
    </message>
    <message>
        <source>独立验证</source>
        <translation>Independent verification</translation>
    </message>
    <message>
        <source>确认放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>磁盘空间安全</source>
        <translation>Disk space safe</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>空间充足</source>
        <translation>Enough space</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>结构完整</source>
        <translation>Structure complete</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnosis</translation>
    </message>
    <message>
        <source>请先完成文件分析</source>
        <translation>Analyse the file first</translation>
    </message>
    <message>
        <source>请先选择正常样本</source>
        <translation>Choose a healthy sample first</translation>
    </message>
    <message>
        <source>请等待带样本的分析完成</source>
        <translation>Wait for the analysis with the sample to complete</translation>
    </message>
    <message>
        <source>请选择同设备、同格式的正常文件</source>
        <translation>Choose a healthy file from the same device, in the same format</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Output file</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>选择修复结果保存目录</source>
        <translation>Choose the folder for the repaired file</translation>
    </message>
    <message>
        <source>选择同设备、同格式的正常样本</source>
        <translation>Select a healthy sample from the same device, in the same format</translation>
    </message>
    <message>
        <source>选择完整报告保存目录</source>
        <translation>Choose the folder for the full report</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Select file</translation>
    </message>
    <message>
        <source>选择样本后会自动重新分析；分析完成前不会启用修复按钮。</source>
        <translation>Choosing a sample starts a new analysis; the repair button stays off until it has completed.</translation>
    </message>
    <message>
        <source>选择正常样本</source>
        <translation>Choose a healthy sample</translation>
    </message>
    <message>
        <source>选择需要修复的文件</source>
        <translation>Select a file to repair</translation>
    </message>
    <message>
        <source>重建内容</source>
        <translation>Rebuild content</translation>
    </message>
    <message>
        <source>重新修复</source>
        <translation>Repair again</translation>
    </message>
    <message>
        <source>重置预览</source>
        <translation>Reset preview</translation>
    </message>
    <message>
        <source>音视频</source>
        <translation>Audio &amp; video</translation>
    </message>
    <message>
        <source>验证结果</source>
        <translation>Verification result</translation>
    </message>
    <message>
        <source>高级修复</source>
        <translation>Advanced repair</translation>
    </message>
    <message>
        <source>高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。</source>
        <translation>Advanced repair only borrows the sample’s structure and coding parameters; the file to repair always stays read-only.</translation>
    </message>
    <message>
        <source>存在需要注意的警告</source>
        <translation>Warnings need your attention</translation>
    </message>
    <message>
        <source>已通过独立格式验证，但有警告需要注意</source>
        <translation>Passed independent format verification, with warnings to review</translation>
    </message>
</context>
<context>
    <name>InternalPreview</name>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>0 / 0</source>
        <translation>0 / 0</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。</source>
        <translation>No default application or other software is started. Save the result before working with this format.</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>取消静音</source>
        <translation>Unmute</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放视频</source>
        <translation>Play video</translation>
    </message>
    <message>
        <source>无法生成内部 Office 预览</source>
        <translation>Unable to generate the internal Office preview</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>正在生成安全只读预览…</source>
        <translation>Generating a safe read-only preview…</translation>
    </message>
    <message>
        <source>此格式尚未提供内部预览</source>
        <translation>No internal preview is available for this format yet</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>继续播放</source>
        <translation>Continue playing</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Fit width</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>重新播放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>音频预览</source>
        <translation>Audio preview</translation>
    </message>
    <message>
        <source>内置预览无法播放此文件，修复结果不受影响。</source>
        <translation>The built-in preview cannot play this file. The repaired result is not affected.</translation>
    </message>
</context>
</TS>
