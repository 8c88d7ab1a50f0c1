<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>圖片下部的資料已遺失，無法復原，該部分以填充色顯示</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>圖片上部的資料已遺失，無法復原，該部分以填充色顯示</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>截斷處之後的動畫影格已遺失，無法復原</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>圖片後續的掃描資料已遺失，無法復原，畫面可能模糊或下部以填充色顯示</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>ZIP 中央目錄記錄缺失</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>JPEG 檔案結束標記缺失</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>JPEG 檔案標頭起始標記缺失</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>WMV/ASF 檔案標頭識別與關鍵串流參數缺失</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>MP4 媒體資料區塊尺寸異常</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>PDF 交互參照表缺失或損壞</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>未發現此項損壞</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>此檔案格式尚不支援</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>檔案標頭缺失</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>檔案結束結構缺失</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>檔案資料被截斷或不完整</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>資料校驗值不相符</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>檔案容器索引損壞</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>必要的中繼資料缺失</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>檔案內部結構異常</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>檔案結構標記無效</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>影像掃描資料缺失</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>檔案標頭內容損壞</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>偵測到內嵌預覽資料</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>內嵌預覽資料缺失</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>正常樣本與待修復檔案不相符</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>檔案容器已加密</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>檔案索引缺失</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>所需的處理元件無法使用</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>偵測到檔案異常，詳細診斷請見修復報告</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>檔案關鍵標頭已缺失，請進入進階修復並選擇相容的正常樣本</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>所選正常樣本與待修復檔案的封包結構不相容</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>所選正常樣本本身缺少可用的 ASF 結構，請更換樣本</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>記憶體不足，無法處理此檔案，請關閉其他程式後重試</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>修復引擎內部出錯，未能處理此檔案，請重試</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>圖像過大，無法搶救：解碼後約 %1 MB，上限為 %2 MB</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>檔案缺少播放所需的索引（moov），需要同一裝置錄製的正常樣本；請進入進階修復並選擇樣本</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>所選正常樣本與這段錄製不相符，請選擇同一裝置、相同設定錄製的正常檔案</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>PDF 文件目錄（根物件）遺失，輸出可能需要手動復原</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>只保留了視訊軌道，其他軌道（如音訊）未能復原</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>損壞的媒體資料已略去，播放時會有短暫跳躍</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>容器資訊無法復原，已改存為純音訊影格串流</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>部分影像資料無法復原，結果中可能仍有可見損壞</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>輸出可能需要手動復原</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>FLAC 串流資訊已損壞，已根據音訊影格重建</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>FLAC 串流資訊中的 MD5 校驗值無法用於核對保留的音訊，已被清除；播放不受影響</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>FLAC 串流資訊中的總取樣數已改為實際保留的音訊長度</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>修復引擎對輸出附有一條說明，請在使用前檢查結果</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>視訊缺少跳轉索引，播放器可能需要先掃描檔案才能跳轉</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>操作已取消</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>修復結果不能寫到原檔案或樣本檔案上</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>無法開啟待修復檔案</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>無法完整讀取待修復檔案</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>找不到可用的修復結果檔案名稱</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>無法寫入修復結果檔案</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>檔案在處理期間被變更，請重新分析</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>未找到可一致確認的同源副本</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>所選正常樣本無法用於修復此檔案</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>檔案損壞過於嚴重，未找到可恢復的資料</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>修復引擎未能修復此檔案</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>位元組偏移 %1</translation>
    </message>
</context>
</TS>
