<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>图片下部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>Der untere Teil des Bildes ging verloren und konnte nicht wiederhergestellt werden; er wird gefüllt angezeigt.</translation>
    </message>
    <message>
        <source>图片上部的数据已丢失，无法恢复，该部分以填充色显示</source>
        <translation>Der obere Teil des Bildes ging verloren und konnte nicht wiederhergestellt werden; er wird gefüllt angezeigt.</translation>
    </message>
    <message>
        <source>截断处之后的动画帧已丢失，无法恢复</source>
        <translation>Die Animationsbilder nach der Abbruchstelle gingen verloren und konnten nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示</source>
        <translation>Die späteren Scans des Bildes gingen verloren und konnten nicht wiederhergestellt werden; es kann unscharf wirken, oder sein unterer Teil wird gefüllt angezeigt.</translation>
    </message>
    <message>
        <source>ZIP 中央目录记录缺失</source>
        <translation>ZIP-Zentralverzeichniseintrag fehlt</translation>
    </message>
    <message>
        <source>JPEG 文件结束标记缺失</source>
        <translation>JPEG-Bildendemarkierung fehlt</translation>
    </message>
    <message>
        <source>JPEG 文件头起始标记缺失</source>
        <translation>JPEG-Bildanfangsmarkierung fehlt</translation>
    </message>
    <message>
        <source>WMV/ASF 文件头标识与关键流参数缺失</source>
        <translation>WMV/ASF-Kopfkennung und wichtige Streamparameter fehlen</translation>
    </message>
    <message>
        <source>MP4 媒体数据块尺寸异常</source>
        <translation>Größe des MP4-Mediendatenblocks ist fehlerhaft</translation>
    </message>
    <message>
        <source>PDF 交叉引用表缺失或损坏</source>
        <translation>PDF-Querverweistabelle fehlt oder ist beschädigt</translation>
    </message>
    <message>
        <source>未发现此项损坏</source>
        <translation>Für diesen Punkt wurde kein Schaden gefunden</translation>
    </message>
    <message>
        <source>此文件格式尚不支持</source>
        <translation>Dieses Dateiformat wird noch nicht unterstützt</translation>
    </message>
    <message>
        <source>文件头缺失</source>
        <translation>Dateikopf fehlt</translation>
    </message>
    <message>
        <source>文件结束结构缺失</source>
        <translation>Dateiendestruktur fehlt</translation>
    </message>
    <message>
        <source>文件数据被截断或不完整</source>
        <translation>Dateidaten abgeschnitten oder unvollständig</translation>
    </message>
    <message>
        <source>数据校验值不匹配</source>
        <translation>Datenprüfsumme stimmt nicht überein</translation>
    </message>
    <message>
        <source>文件容器索引损坏</source>
        <translation>Index des Dateicontainers beschädigt</translation>
    </message>
    <message>
        <source>必要的元数据缺失</source>
        <translation>Erforderliche Metadaten fehlen</translation>
    </message>
    <message>
        <source>文件内部结构异常</source>
        <translation>Interne Dateistruktur fehlerhaft</translation>
    </message>
    <message>
        <source>文件结构标记无效</source>
        <translation>Ungültige Dateistrukturmarkierung</translation>
    </message>
    <message>
        <source>图像扫描数据缺失</source>
        <translation>Bildscandaten fehlen</translation>
    </message>
    <message>
        <source>文件头内容损坏</source>
        <translation>Inhalt des Dateikopfs beschädigt</translation>
    </message>
    <message>
        <source>检测到内嵌预览数据</source>
        <translation>Eingebettete Vorschaudaten erkannt</translation>
    </message>
    <message>
        <source>内嵌预览数据缺失</source>
        <translation>Eingebettete Vorschaudaten fehlen</translation>
    </message>
    <message>
        <source>正常样本与待修复文件不匹配</source>
        <translation>Die intakte Beispieldatei passt nicht zur beschädigten Datei</translation>
    </message>
    <message>
        <source>文件容器已加密</source>
        <translation>Der Dateicontainer ist verschlüsselt</translation>
    </message>
    <message>
        <source>文件索引缺失</source>
        <translation>Dateiindex fehlt</translation>
    </message>
    <message>
        <source>所需的处理组件不可用</source>
        <translation>Eine erforderliche Verarbeitungskomponente ist nicht verfügbar</translation>
    </message>
    <message>
        <source>检测到文件异常，详细诊断见修复报告</source>
        <translation>Eine Dateiauffälligkeit wurde erkannt; die ausführliche Diagnose steht im Reparaturbericht</translation>
    </message>
    <message>
        <source>文件关键头部已缺失，请进入高级修复并选择兼容的正常样本</source>
        <translation>Der wichtige Dateikopf fehlt; wechseln Sie zur erweiterten Reparatur und wählen Sie eine kompatible intakte Beispieldatei</translation>
    </message>
    <message>
        <source>所选正常样本与待修复文件的数据包结构不兼容</source>
        <translation>Die Paketstruktur der gewählten intakten Beispieldatei ist nicht mit der beschädigten Datei kompatibel</translation>
    </message>
    <message>
        <source>所选正常样本本身缺少可用的 ASF 结构，请更换样本</source>
        <translation>Der gewählten intakten Beispieldatei selbst fehlt eine verwendbare ASF-Struktur; wählen Sie eine andere Beispieldatei</translation>
    </message>
    <message>
        <source>内存不足，无法处理此文件，请关闭其他程序后重试</source>
        <translation>Nicht genügend Arbeitsspeicher, um diese Datei zu verarbeiten; schließen Sie andere Programme und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>修复引擎内部出错，未能处理此文件，请重试</source>
        <translation>In der Reparatur-Engine ist ein interner Fehler aufgetreten und die Datei konnte nicht verarbeitet werden; bitte versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>图像过大，无法抢救：解码后约 %1 MB，上限为 %2 MB</source>
        <translation>Das Bild ist zu groß für eine Rettung: etwa %1 MB dekodiert, die Grenze liegt bei %2 MB</translation>
    </message>
    <message>
        <source>文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本</source>
        <translation>Der Datei fehlt der für die Wiedergabe nötige Index (moov); eine intakte Beispieldatei vom selben Gerät wird benötigt. Öffnen Sie die erweiterte Reparatur und wählen Sie die Beispieldatei</translation>
    </message>
    <message>
        <source>所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件</source>
        <translation>Die gewählte intakte Beispieldatei passt nicht zu dieser Aufnahme; wählen Sie eine intakte Datei, die mit demselben Gerät und denselben Einstellungen aufgenommen wurde</translation>
    </message>
    <message>
        <source>PDF 文档目录（根对象）缺失，输出可能需要手工恢复</source>
        <translation>Der Dokumentkatalog (Stammobjekt) der PDF fehlt; die Ausgabe muss eventuell von Hand wiederhergestellt werden</translation>
    </message>
    <message>
        <source>只保留了视频轨道，其他轨道（如音频）未能恢复</source>
        <translation>Nur die Videospur wurde behalten; die anderen Spuren (etwa Audio) ließen sich nicht wiederherstellen</translation>
    </message>
    <message>
        <source>损坏的媒体数据已被略去，播放时会有短暂跳跃</source>
        <translation>Beschädigte Mediendaten wurden ausgelassen; die Wiedergabe springt dort kurz</translation>
    </message>
    <message>
        <source>容器信息无法恢复，已改存为纯音频帧流</source>
        <translation>Die Containerdaten ließen sich nicht wiederherstellen; der Ton wurde als reiner Frame-Strom gespeichert</translation>
    </message>
    <message>
        <source>部分图像数据无法恢复，结果中可能仍有可见损坏</source>
        <translation>Einige Bilddaten ließen sich nicht wiederherstellen; im Ergebnis können sichtbare Schäden bleiben</translation>
    </message>
    <message>
        <source>输出可能需要手工恢复</source>
        <translation>Die Ausgabe muss eventuell von Hand wiederhergestellt werden</translation>
    </message>
    <message>
        <source>FLAC 流信息已损坏，已根据音频帧重建</source>
        <translation>Die FLAC-Streaminformationen waren beschädigt und wurden aus den Audioframes neu aufgebaut</translation>
    </message>
    <message>
        <source>FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响</source>
        <translation>Die MD5-Signatur in den FLAC-Streaminformationen konnte das erhaltene Audio nicht bestätigen und wurde gelöscht; die Wiedergabe ist nicht betroffen</translation>
    </message>
    <message>
        <source>FLAC 流信息中的总采样数已改为实际保留的音频长度</source>
        <translation>Die Gesamtzahl der Samples in den FLAC-Streaminformationen wurde auf die Länge des erhaltenen Audios gesetzt</translation>
    </message>
    <message>
        <source>修复引擎对输出附有一条说明，请在使用前检查结果</source>
        <translation>Die Reparatur-Engine hat einen Hinweis zur Ausgabe gegeben; prüfen Sie das Ergebnis vor der Verwendung</translation>
    </message>
    <message>
        <source>视频缺少跳转索引，播放器可能需要先扫描文件才能跳转</source>
        <translation>Dem Video fehlt der Sprungindex; Player müssen die Datei eventuell erst durchsuchen, bevor sie springen können</translation>
    </message>
    <message>
        <source>操作已取消</source>
        <translation>Der Vorgang wurde abgebrochen</translation>
    </message>
    <message>
        <source>修复结果不能写到原文件或样本文件上</source>
        <translation>Das Reparaturergebnis kann nicht über die Originaldatei oder die Musterdatei geschrieben werden</translation>
    </message>
    <message>
        <source>无法打开待修复文件</source>
        <translation>Die zu reparierende Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>无法完整读取待修复文件</source>
        <translation>Die zu reparierende Datei konnte nicht vollständig gelesen werden</translation>
    </message>
    <message>
        <source>找不到可用的修复结果文件名</source>
        <translation>Für das Reparaturergebnis wurde kein freier Dateiname gefunden</translation>
    </message>
    <message>
        <source>无法写入修复结果文件</source>
        <translation>Die Datei mit dem Reparaturergebnis konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>文件在处理期间被更改，请重新分析</source>
        <translation>Eine Datei wurde während der Verarbeitung geändert; bitte analysieren Sie erneut</translation>
    </message>
    <message>
        <source>未找到可一致确认的同源副本</source>
        <translation>Es wurden keine eindeutig übereinstimmenden identischen Kopien gefunden</translation>
    </message>
    <message>
        <source>所选正常样本无法用于修复此文件</source>
        <translation>Die ausgewählte intakte Musterdatei kann für die Reparatur dieser Datei nicht verwendet werden</translation>
    </message>
    <message>
        <source>文件损坏过重，未找到可恢复的数据</source>
        <translation>Die Datei ist zu stark beschädigt; es wurden keine wiederherstellbaren Daten gefunden</translation>
    </message>
    <message>
        <source>修复引擎未能修复此文件</source>
        <translation>Die Reparatur-Engine konnte diese Datei nicht reparieren</translation>
    </message>
    <message>
        <source>字节偏移 %1</source>
        <translation>Byte-Offset %1</translation>
    </message>
</context>
</TS>
