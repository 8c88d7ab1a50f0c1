<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>画像の下部のデータが失われ、復元できませんでした。その部分は塗りつぶして表示されます。</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>画像の上部のデータが失われ、復元できませんでした。その部分は塗りつぶして表示されます。</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>途切れた箇所より後のアニメーションのフレームは失われ、復元できませんでした。</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>画像の後続のスキャンデータが失われ、復元できませんでした。画像がぼやけるか、下部が塗りつぶして表示されることがあります。</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>ZIP セントラルディレクトリレコードがありません</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>JPEG の画像終了マーカーがありません</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>JPEG の画像開始マーカーがありません</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>WMV/ASF のヘッダー識別子と主要なストリームパラメーターがありません</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>MP4 メディアデータブロックのサイズが異常です</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>PDF の相互参照テーブルがないか破損しています</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>この項目に損傷は見つかりませんでした</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>このファイル形式にはまだ対応していません</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>ファイルヘッダーがありません</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>ファイル終端の構造がありません</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>ファイルデータが途中で切れているか不完全です</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>データのチェックサムが一致しません</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>ファイルコンテナーのインデックスが破損しています</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>必要なメタデータがありません</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>ファイルの内部構造が異常です</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>ファイル構造のマーカーが無効です</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>画像のスキャンデータがありません</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>ファイルヘッダーの内容が破損しています</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>埋め込みプレビューデータを検出しました</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>埋め込みプレビューデータがありません</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>正常なサンプルが修復対象のファイルと一致しません</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>ファイルコンテナーは暗号化されています</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>ファイルのインデックスがありません</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>必要な処理コンポーネントを利用できません</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>ファイルの異常を検出しました。詳しい診断は修復レポートをご覧ください</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>ファイルの重要なヘッダーが失われています。高度な修復に進み、互換性のある正常なサンプルを選択してください</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>選択した正常なサンプルのパケット構造は修復対象のファイルと互換性がありません</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>選択した正常なサンプル自体に使用可能な ASF 構造がありません。別のサンプルを選択してください</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>メモリが不足しているため、このファイルを処理できません。他のプログラムを閉じてから再試行してください</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>修復エンジンで内部エラーが発生したため、このファイルを処理できませんでした。もう一度お試しください</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>画像が大きすぎて復元できません：デコード後 約 %1 MB、上限は %2 MB です</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>再生に必要なインデックス（moov）がファイルにありません。同じデバイスで録画した正常なサンプルが必要です。高度な修復を開いてサンプルを選択してください</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>選択した正常なサンプルはこの録画と一致しません。同じデバイス・同じ設定で録画した正常なファイルを選択してください</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>PDF の文書カタログ（ルートオブジェクト）がありません。出力は手動での復旧が必要な場合があります</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>映像トラックのみ残しました。ほかのトラック（音声など）は復元できませんでした</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>破損したメディアデータは除外しました。その箇所で再生が一瞬飛びます</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>コンテナー情報を復元できなかったため、音声をフレームのみのストリームとして保存しました</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>一部の画像データは復元できませんでした。結果に目に見える破損が残る場合があります</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>出力は手動での復旧が必要な場合があります</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>FLAC のストリーム情報が破損していたため、音声フレームから再構築しました</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>FLAC ストリーム情報の MD5 署名では残した音声を確認できないため消去しました。再生には影響しません</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>FLAC ストリーム情報の総サンプル数を、残した音声の長さに合わせました</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>修復エンジンが出力について注記を残しました。使用前に結果を確認してください</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>動画にシーク用のインデックスがありません。プレーヤーはシークの前にファイルを走査する必要がある場合があります</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>操作はキャンセルされました</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>修復結果を元のファイルやサンプルファイルに上書きすることはできません</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>修復するファイルを開けませんでした</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>修復するファイルを最後まで読み込めませんでした</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>修復結果に使える空きファイル名が見つかりませんでした</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>修復結果ファイルを書き込めませんでした</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>処理中にファイルが変更されました。もう一度分析してください</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>明確に一致する同一コピーが見つかりませんでした</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>選択した正常なサンプルはこのファイルの修復に使用できません</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>ファイルの破損がひどく、復元できるデータが見つかりませんでした</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>修復エンジンはこのファイルを修復できませんでした</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>バイト位置 %1</translation>
    </message>
</context>
</TS>
