<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>The lower part of the picture was lost and could not be recovered; it is shown filled in.</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>The upper part of the picture was lost and could not be recovered; it is shown filled in.</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>The animation frames after the cut were lost and could not be recovered.</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>The picture's later scans were lost and could not be recovered; it may look blurred, or its lower part is shown filled in.</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>ZIP central directory record missing</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>JPEG end-of-image marker missing</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>JPEG start-of-image marker missing</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>WMV/ASF header identifier and key stream parameters missing</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>MP4 media data block size abnormal</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>PDF cross-reference table missing or damaged</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>No damage found for this item</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>This file format is not supported yet</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>File header missing</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>End-of-file structure missing</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>File data truncated or incomplete</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>Data checksum does not match</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>File container index damaged</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>Required metadata missing</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>Internal file structure abnormal</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>Invalid file structure marker</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>Image scan data missing</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>File header content damaged</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>Embedded preview data detected</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>Embedded preview data missing</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>The healthy sample does not match the damaged file</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>The file container is encrypted</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>File index missing</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>A required processing component is unavailable</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>A file anomaly was detected; see the repair report for the detailed diagnosis</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>The file's key header is missing; enter advanced repair and choose a compatible healthy sample</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>The packet structure of the selected healthy sample is not compatible with the damaged file</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>The selected healthy sample itself lacks a usable ASF structure; choose another sample</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>Not enough memory to process this file; close other programs and try again</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>The repair engine hit an internal error and could not process this file; please try again</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>The image is too large to salvage: about %1 MB decoded, the limit is %2 MB</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>The file lacks the index (moov) needed for playback; a healthy sample recorded by the same device is needed. Open the advanced repair and choose the sample</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>The selected healthy sample does not match this recording; choose a healthy file recorded by the same device with the same settings</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>The PDF's document catalog (root object) is missing; the output may need manual recovery</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>Only the video track was kept; the other tracks (such as audio) could not be restored</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>Damaged media data was left out; playback skips briefly there</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>The container information could not be restored; the audio was saved as a plain frame stream</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>Some image data could not be restored; visible damage may remain in the result</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>The output may need manual recovery</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>The FLAC stream information was damaged and has been rebuilt from the audio frames</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>The MD5 signature in the FLAC stream information could not vouch for the audio kept and was cleared; playback is not affected</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>The total sample count in the FLAC stream information was set to the length of the audio kept</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>The repair engine added a note about the output; check the result before you use it</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>The video has no seek index; players may have to scan the file before they can seek</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>The operation was cancelled</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>The repair result cannot be written over the original file or the sample file</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>The file to repair could not be opened</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>The file to repair could not be read completely</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>No free file name was found for the repair result</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>The repair result file could not be written</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>A file was changed while it was being processed; please analyse again</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>No set of identical copies that clearly agree was found</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>The selected healthy sample cannot be used to repair this file</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>The file is too badly damaged; no recoverable data was found</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>The repair engine could not repair this file</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>Byte offset %1</translation>
    </message>
</context>
</TS>
