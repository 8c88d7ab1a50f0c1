// User texts for engine findings and engine errors.

#include "app/engine_texts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace olm::repair;

namespace {

data_repair::Finding finding(int32_t category, int32_t severity, const char* message)
{
    data_repair::Finding value;
    value.category = category;
    value.severity = severity;
    value.message = message;
    return value;
}

} // namespace

class EngineTextsTest : public QObject {
    Q_OBJECT

private slots:
    void findingTexts_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("severity");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");

        // The engines' messages that name what is missing.
        QTest::newRow("zip eocd") << 7 << 1 << "ZIP EOCD record is missing" << "ZIP 中央目录记录缺失";
        QTest::newRow("jpeg eoi") << 4 << 1 << "JPEG EOI marker is missing" << "JPEG 文件结束标记缺失";
        QTest::newRow("eoi beats category") << 9 << 2 << "JPEG EOI marker is missing" << "JPEG 文件结束标记缺失";
        QTest::newRow("jpeg soi") << 3 << 2 << "JPEG SOI marker was not found" << "JPEG 文件头起始标记缺失";
        QTest::newRow("asf guid") << 3 << 1 << "ASF header GUID was not found" << "WMV/ASF 文件头标识与关键流参数缺失";
        QTest::newRow("m4a mdat") << 11 << 2 << "M4A mdat audio payload atom was not found" << "MP4 媒体数据块尺寸异常";
        QTest::newRow("m4a mdat status") << 11 << 2 << "M4A mdat atom not found" << "MP4 媒体数据块尺寸异常";
        QTest::newRow("mp4 mdat clamp") << 5 << 1 << "top-level atom size overran file and can be clamped: mdat" << "MP4 媒体数据块尺寸异常";
        QTest::newRow("pdf xref capitals") << 7 << 1 << "PDF XREF TABLE IS DAMAGED" << "PDF 交叉引用表缺失或损坏";
        QTest::newRow("pdf cross-reference") << 7 << 1 << "PDF cross-reference table is missing or damaged" << "PDF 交叉引用表缺失或损坏";
        QTest::newRow("inside a word") << 4 << 1 << "MYEOI-block NOT FOUND" << "JPEG 文件结束标记缺失";

        // Messages that only mention a marker that is present keep their category's text.
        QTest::newRow("bytes after eoi") << 5 << 1 << "trailing bytes after JPEG EOI marker" << "文件数据被截断或不完整";
        QTest::newRow("bytes before soi") << 12 << 1 << "garbage bytes before JPEG SOI marker" << "文件头内容损坏";
        QTest::newRow("bytes before asf guid") << 12 << 1 << "garbage bytes before ASF header GUID" << "文件头内容损坏";
        QTest::newRow("fast start info") << 7 << 0 << "moov atom is after mdat and can be moved for fast-start playback" << "文件容器索引损坏";
        QTest::newRow("m4a fast start info") << 7 << 0 << "M4A moov atom can be moved before mdat" << "文件容器索引损坏";

        // The category table.
        const char* texts[] = {"未发现此项损坏", nullptr, "此文件格式尚不支持", "文件头缺失", "文件结束结构缺失",
                               "文件数据被截断或不完整", "数据校验值不匹配", "文件容器索引损坏", "必要的元数据缺失",
                               "文件内部结构异常", "文件结构标记无效", "图像扫描数据缺失", "文件头内容损坏",
                               "检测到内嵌预览数据", "内嵌预览数据缺失", "正常样本与待修复文件不匹配", "文件容器已加密",
                               "文件索引缺失", "所需的处理组件不可用"};
        const QString fallback = QStringLiteral("检测到文件异常，详细诊断见修复报告");
        for (int category = 0; category <= 18; ++category) {
            QTest::addRow("category %d", category)
                << category << 1 << "something else" << (texts[category] != nullptr ? QString::fromUtf8(texts[category]) : fallback);
        }
        QTest::newRow("category 19") << 19 << 1 << "" << fallback;
        QTest::newRow("negative category") << -1 << 1 << "x" << fallback;
    }

    void findingTexts()
    {
        QFETCH(int, category);
        QFETCH(int, severity);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        const QByteArray utf8 = message.toUtf8();
        QCOMPARE(findingUserMessage(finding(category, severity, utf8.constData())).toString(), expected);
    }

    // What a finding is about: the entry the engine names, else where in the file it is.
    void findingSubjects_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<qulonglong>("offset");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zip entry") << "ZIP entry payload is truncated: word/document.xml" << qulonglong(812) << "word/document.xml";
        QTest::newRow("entry with a colon") << "ZIP stored entry CRC mismatch: a: b.xml" << qulonglong(0) << "a: b.xml";
        QTest::newRow("non-ASCII entry") << "OOXML core part is missing: 文档/页.xml" << qulonglong(0) << "文档/页.xml";
        QTest::newRow("offset only") << "PDF cross-reference table is missing or damaged" << qulonglong(4096) << "字节偏移 4096";
        QTest::newRow("nothing named") << "ZIP EOCD record is missing" << qulonglong(0) << "";
        QTest::newRow("empty after the colon") << "box damaged: " << qulonglong(17) << "字节偏移 17";
    }

    void findingSubjects()
    {
        QFETCH(QString, message);
        QFETCH(qulonglong, offset);
        QFETCH(QString, expected);
        const QByteArray utf8 = message.toUtf8();
        data_repair::Finding value = finding(7, 1, utf8.constData());
        value.offset = offset;
        QCOMPARE(findingSubject(value).toString(), expected);
    }

    void engineErrors_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        const QString needSample = QStringLiteral("文件关键头部已缺失，请进入高级修复并选择兼容的正常样本");
        const QString badSample = QStringLiteral("所选正常样本本身缺少可用的 ASF 结构，请更换样本");
        QTest::newRow("jpeg needs sample") << "JPEG header is missing; a compatible normal sample is required" << needSample;
        QTest::newRow("asf needs sample") << "ASF header not found; a compatible normal sample is required" << needSample;
        QTest::newRow("asf sample word") << "a COMPATIBLE normal ASF sample is required" << needSample;
        QTest::newRow("packets") << "sample does not contain a compatible run of ASF packets"
                                 << "所选正常样本与待修复文件的数据包结构不兼容";
        QTest::newRow("sample header") << "normal sample does not contain a usable ASF header and packet layout" << badSample;
        QTest::newRow("sample signature") << "sample ASF packet signature is not usable" << badSample;
        QTest::newRow("memory") << "not enough memory to process the file" << "内存不足，无法处理此文件，请关闭其他程序后重试";
        QTest::newRow("internal") << "unexpected engine error: std::bad_cast"
                                  << "修复引擎内部出错，未能处理此文件，请重试";
        QTest::newRow("too large") << "image too large to salvage: 536944641 bytes decoded, limit 536870912"
                                   << "图像过大，无法抢救：解码后约 513 MB，上限为 512 MB";
        const QString needIndexSample =
            QStringLiteral("文件缺少播放所需的索引（moov），需要同一设备录制的正常样本；请进入高级修复并选择样本");
        const QString otherRecording = QStringLiteral("所选正常样本与这段录制不匹配，请选择同一设备、相同设置录制的正常文件");
        QTest::newRow("mp4 needs index sample")
            << "MP4/MOV moov index is missing; a healthy sample file recorded by the same device is needed to rebuild it"
            << needIndexSample;
        QTest::newRow("m4a needs index sample")
            << "M4A moov atom is missing; a healthy sample file recorded by the same device is needed to rebuild it"
            << needIndexSample;
        QTest::newRow("mp4 sample mismatch") << "the sample file does not match this recording: its moov index does not "
                                                "fit the media data and the sample tables could not be rebuilt from it"
                                             << otherRecording;
        QTest::newRow("m4a sample mismatch")
            << "the sample file does not match this recording: its M4A moov atom does not fit the audio data"
            << otherRecording;
        // Every other failure by its kind, never in the engine's English.
        const QString damaged = QStringLiteral("文件损坏过重，未找到可恢复的数据");
        QTest::newRow("open input") << "failed to open input file" << "无法打开待修复文件";
        QTest::newRow("short read") << "failed to read input file completely" << "无法完整读取待修复文件";
        QTest::newRow("input too large") << "input file is too large to read" << "无法完整读取待修复文件";
        QTest::newRow("output over input") << "output path names the input or sample file" << "修复结果不能写到原文件或样本文件上";
        QTest::newRow("no free name") << "no free output file name" << "找不到可用的修复结果文件名";
        QTest::newRow("write output") << "failed to write output file" << "无法写入修复结果文件";
        QTest::newRow("cancelled") << "video repair cancelled" << "操作已取消";
        QTest::newRow("copy changed") << "the chosen copy changed after its siblings were compared"
                                      << "文件在处理期间被更改，请重新分析";
        QTest::newRow("no consensus") << "no unambiguous sibling consensus was found" << "未找到可一致确认的同源副本";
        QTest::newRow("unsupported") << "unsupported audio format" << "此文件格式尚不支持";
        QTest::newRow("png damaged") << "unsupported or severely damaged PNG" << damaged;
        QTest::newRow("flac") << "FLAC STREAMINFO missing" << damaged;
        QTest::newRow("pdf objects") << "no recoverable PDF objects" << damaged;
        QTest::newRow("ts alignment") << "MPEG-TS packet alignment not found" << damaged;
        QTest::newRow("wav chunks") << "WAV repair requires fmt and data chunks" << damaged;
        QTest::newRow("unknown text") << "kann nicht öffnen" << "修复引擎未能修复此文件";
    }

    void engineErrors()
    {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QCOMPARE(engineErrorUserMessage(message.toStdString()).toString(), expected);
    }

    // The engine's notes about its output, as it words them, become the warnings the user reads.
    void engineNotes_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pdf catalog") << "PDF catalog root was not found; output may require manual recovery"
                                     << "PDF 文档目录（根对象）缺失，输出可能需要手工恢复";
        QTest::newRow("pdf object streams") << "objects inside PDF object streams could not be indexed; output may require manual recovery"
                                            << "输出可能需要手工恢复";
        QTest::newRow("video alone") << "kept the video track alone: the sample's other tracks cannot be matched to this file's media data"
                                     << "只保留了视频轨道，其他轨道（如音频）未能恢复";
        QTest::newRow("asf gap") << "damaged ASF packets were omitted; playback contains a short gap at the deleted region"
                                 << "损坏的媒体数据已被略去，播放时会有短暂跳跃";
        QTest::newRow("m4a as adts") << "M4A container metadata was not recoverable; repaired as an AAC ADTS frame stream"
                                     << "容器信息无法恢复，已改存为纯音频帧流";
        QTest::newRow("png idat") << "PNG IDAT stream could not be decoded into a complete image"
                                  << "部分图像数据无法恢复，结果中可能仍有可见损坏";
        QTest::newRow("mkv cues") << "Matroska Cues index was not found; players may scan clusters to rebuild seeking"
                                  << "视频缺少跳转索引，播放器可能需要先扫描文件才能跳转";
        QTest::newRow("flac stream info rebuilt") << "FLAC STREAMINFO was damaged and was rebuilt from the audio frames"
                                                  << "FLAC 流信息已损坏，已根据音频帧重建";
        const QString md5 = QStringLiteral("FLAC 流信息中的 MD5 校验值无法用于核对保留的音频，已被清除；播放不受影响");
        QTest::newRow("flac md5 of a rebuild") << "FLAC stream info MD5 signature was damaged with the stream info and was cleared"
                                               << md5;
        QTest::newRow("flac md5 of a cut") << "FLAC stream info MD5 signature described the whole recording and was cleared"
                                           << md5;
        QTest::newRow("flac sample count")
            << "FLAC stream info announced 132300 samples per channel but the complete frames hold 61440; the sample "
               "count was set to the kept audio"
            << "FLAC 流信息中的总采样数已改为实际保留的音频长度";
        QTest::newRow("any other") << "text is kept in its original encoding; no bytes were replaced"
                                   << "修复引擎对输出附有一条说明，请在使用前检查结果";
    }

    void engineNotes()
    {
        QFETCH(QString, note);
        QFETCH(QString, expected);
        QCOMPARE(engineNoteUserMessage(note.toStdString()).toString(), expected);
    }

    // In a German window an engine failure reads in German, whatever English the engine wrote.
    void engineFailuresReadInTheUiLanguage()
    {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/i18n/korvex_file_repair_de_DE.qm")));
        QCoreApplication::installTranslator(&german);
        for (const char* message : {"failed to read input file completely", "failed to open input file", "photo repair cancelled",
                                    "unsupported or severely damaged GIF", "no free output file name", "kann nicht öffnen"}) {
            const UiText text = engineErrorUserMessage(message);
            const QString shown = text.toString();
            QVERIFY2(!shown.isEmpty() && !shown.contains(QString::fromUtf8(message), Qt::CaseInsensitive), qPrintable(shown));
            // Translated: the German catalogue's text, not the Chinese source.
            QVERIFY2(!shown.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))), qPrintable(shown));
        }
        QCoreApplication::removeTranslator(&german);
    }

    void anEmptyEngineMessageGivesAnEmptyText()
    {
        QVERIFY(engineErrorUserMessage(std::string()).isEmpty());
        QVERIFY(engineErrorUserMessage(std::string()).toString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(EngineTextsTest)
#include "engine_texts_test.moc"
