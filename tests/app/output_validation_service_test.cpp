// The independent check of repaired outputs by their suffix.

#include "app/output_checker.h"
#include "app/output_validation_service.h"
#include "repair_workflow_fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace olm::repair;
using namespace workflow_fixtures;
namespace validation = olm::repair::OutputValidationService;

class OutputValidationServiceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write a fixture");
        return path;
    }

    // A one-second (or longer) recording of a test picture and tone in the given coding.
    QString makeRecording(const QString& name, const QStringList& encode, int seconds = 1,
                          const QString& video = QStringLiteral("testsrc=s=160x120:r=25"))
    {
        const QString path = dir_.filePath(name);
        const QString length = QString::number(seconds);
        const ToolRun made = runTool(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                                   video + ":d=" + length, "-f", "lavfi", "-i", "sine=f=440:d=" + length}
                                                   + encode + QStringList{path});
        if (made.exitCode != 0)
            qFatal("ffmpeg cannot make %s: %s", qPrintable(name), qPrintable(made.output));
        return path;
    }

    // ffmpeg decoding every frame reports nothing.
    static bool decoderAccepts(const QString& path)
    {
        const ToolRun run = runTool(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
        return run.exitCode == 0 && run.output.trimmed().isEmpty();
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void signatureRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("message");
        const QString failed = QStringLiteral("输出结构验证失败");
        const QByteArray asf = QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c");
        QTest::newRow("doc") << "a.doc" << (QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(8, '\0')) << true << "输出结构验证通过";
        QTest::newRow("dot") << "a.dot" << (QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(8, '\0')) << true << "输出结构验证通过";
        QTest::newRow("rtf") << "a.rtf" << QByteArray("{\\rtf1 hi}") << true << "输出结构验证通过";
        QTest::newRow("not rtf") << "b.rtf" << QByteArray("{\\pict}") << false << failed;
        // A signature alone is no longer enough: a real decoder must open the file.
        const QByteArray isoFtyp("\0\0\0\x10" "ftypisom\0\0\0\0", 16);
        const QByteArray mdat = QByteArray("\0\0\0\x0c" "mdat", 8) + QByteArray(4, 'x');
        QTest::newRow("pdf signature") << "a.pdf" << QByteArray("%PDF-1.4\n...\n%%EOF\n") << false << failed;
        QTest::newRow("zip end record only") << "a.zip" << (QByteArray("PK\x03\x04") + QByteArray(20, 'x') + QByteArray::fromHex("504b0506")) << false << failed;
        QTest::newRow("wav header only") << "a.wav" << QByteArray("RIFF\0\0\0\0WAVEfmt ", 16) << false << failed;
        QTest::newRow("short riff") << "b.wav" << QByteArray("RIFF\0\0\0\0WA", 10) << false << failed;
        QTest::newRow("mp3 sync only") << "b.mp3" << QByteArray("\xFF\xFB\x90\x00") << false << failed;
        QTest::newRow("aac sync only") << "a.aac" << QByteArray("\xFF\xF1\x50") << false << failed;
        QTest::newRow("mp4 index and no media") << "a.mp4" << (isoFtyp + QByteArray("\0\0\0\x08" "moov", 8) + mdat) << false << failed;
        QTest::newRow("mp4 without index") << "c.mp4" << (isoFtyp + mdat) << false << failed;
        QTest::newRow("wmv guid only") << "a.wmv" << (asf + QByteArray(8, '\0')) << false << failed;
        QTest::newRow("ogg capture only") << "a.ogg" << QByteArray("OggS\0", 5) << false << failed;
        QTest::newRow("mkv by content") << "a.bin" << QByteArray::fromHex("1a45dfa3") << false << failed;
        QTest::newRow("raw") << "a.raw" << QByteArray("anything") << true
                             << "RAW 无统一容器结构；已验证恢复数据非空并可在应用内安全预览";
        QTest::newRow("no rule") << "a.heic" << QByteArray("ftypheic") << false << "尚未为该格式建立独立验证规则";
        QTest::newRow("empty") << "empty.pdf" << QByteArray() << false << "输出文件不存在或为空";
        QTest::newRow("txt binary") << "a.txt" << QByteArray("\x00\x01\xFF", 3) << true << "文本输出解析成功";
        QTest::newRow("json upper case") << "REPORT.JSON" << QByteArray("{\"a\": [1, 2]}") << true << "文本输出解析成功";
        QTest::newRow("xml") << "a.xml" << QByteArray("<a><b/></a>") << true << "文本输出解析成功";
    }

    void signatureRules()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(QString, message);
        const OutputValidationResult result = validation::validateOutput(write(name, bytes));
        QCOMPARE(result.valid, valid);
        QCOMPARE(result.message.toString(), message);
    }

    void parserErrorsAndMissingFiles()
    {
        OutputValidationResult result = validation::validateOutput(write(QStringLiteral("bad.json"), "{\"a\": "));
        QVERIFY(!result.valid);
        QVERIFY(result.message.toString().startsWith(QStringLiteral("JSON 解析失败：")));
        QVERIFY(result.message.toString().size() > QStringLiteral("JSON 解析失败：").size());
        result = validation::validateOutput(write(QStringLiteral("bad.xml"), "<a><b></a>"));
        QVERIFY(!result.valid);
        QVERIFY(result.message.toString().startsWith(QStringLiteral("XML 解析失败：")));

        for (const QString& path : {dir_.filePath(QStringLiteral("absent.pdf")), dir_.path()}) {
            result = validation::validateOutput(path);
            QVERIFY(!result.valid);
            QCOMPARE(result.message.toString(), QStringLiteral("输出文件不存在或为空"));
        }
    }

    void xmlNestingIsBounded()
    {
        const auto nested = [](int depth) { return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth); };
        QVERIFY(validation::validateOutput(write(QStringLiteral("deep.xml"), nested(1024))).valid);
        // Well-formed, but nested past any real document: refused as soon as the limit is passed.
        for (const int depth : {1025, 500000}) {
            const OutputValidationResult result = validation::validateOutput(write(QStringLiteral("deeper.xml"), nested(depth)));
            QVERIFY(!result.valid);
            QCOMPARE(result.message.toString(), QStringLiteral("XML 解析失败：元素嵌套超过 1024 层"));
        }
    }

    // A token of any kind longer than the reader's bound is not verifiable within the limits; markup
    // that holds '>' inside quotes, comments, CDATA, instructions or a document type still parses.
    void xmlTokensAreBounded()
    {
        const QByteArray tricky = "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"x>y\">]><a><!-- x - y --><![CDATA[ y > z ]] ]]>"
                                  "<?pi x>?><b c=\"d>e\" f='g>'/>text &e;</a>";
        QVERIFY(validation::validateOutput(write(QStringLiteral("tricky.xml"), tricky)).valid);
        const QByteArray longRun(XmlStreamCheck::kMaxTokenBytes + 1, 'x');
        const QList<QByteArray> documents{"<a><!--" + longRun + "--></a>", "<a b=\"" + longRun + "\"/>", "<a>" + longRun + "</a>",
                                          "<a><![CDATA[" + longRun + "]]></a>"};
        for (const QByteArray& document : documents) {
            const OutputValidationResult result = validation::validateOutput(write(QStringLiteral("long.xml"), document));
            QVERIFY(!result.valid);
            QCOMPARE(result.message.toString(), QStringLiteral("输出无法在限制范围内完成验证"));
        }
        // Just within the bound: read whole.
        const QByteArray within(XmlStreamCheck::kMaxTokenBytes - 16, 'x');
        QVERIFY(validation::validateOutput(write(QStringLiteral("within.xml"), "<a><!--" + within + "--></a>")).valid);
    }

    void textSizeLimitIsInclusive()
    {
        const QString path = dir_.filePath(QStringLiteral("big.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(validation::kTextLimit));
        file.close();
        QVERIFY(validation::validateOutput(path).valid);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(validation::kTextLimit + 1));
        file.close();
        const OutputValidationResult result = validation::validateOutput(path);
        QVERIFY(!result.valid);
        QCOMPARE(result.message.toString(), QStringLiteral("文本验证大小超过安全限制"));
    }

    void markersAcrossBlockBoundaries()
    {
        const QByteArray marker = "[Content_Types].xml";
        QByteArray bytes(validation::kScanBlockSize - 5, 'x');
        bytes += marker + QByteArray(100, 'y') + "word/";
        const QString path = write(QStringLiteral("markers.bin"), bytes);
        QVERIFY(validation::fileContainsAllMarkers(path, {marker, QByteArray("word/")}));
        QVERIFY(!validation::fileContainsAllMarkers(path, {marker, QByteArray("ppt/")}));
        QVERIFY(!validation::fileContainsAllMarkers(write(QStringLiteral("none.bin"), QByteArray()), {marker}));
        QVERIFY(validation::startsWithBytes("abc", "ab"));
        QVERIFY(!validation::startsWithBytes("a", "ab"));
    }

    // Every recording kind the engine writes, made by ffmpeg: valid, as ffmpeg itself agrees.
    void intactRecordingsPass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("encode");
        const QStringList x264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
        QTest::newRow("flac") << "a.flac" << QStringList{"-vn", "-c:a", "flac"};
        QTest::newRow("mkv") << "a.mkv" << (x264 + QStringList{"-c:a", "aac"});
        QTest::newRow("webm") << "a.webm" << QStringList{"-c:v", "libvpx", "-b:v", "200k", "-c:a", "libvorbis"};
        QTest::newRow("avi") << "a.avi" << QStringList{"-c:v", "mpeg4", "-c:a", "pcm_s16le"};
        QTest::newRow("ts") << "a.ts" << QStringList{"-c:v", "mpeg2video", "-c:a", "mp2"};
        QTest::newRow("flv") << "a.flv" << QStringList{"-c:v", "flv", "-c:a", "libmp3lame", "-ar", "44100"};
        QTest::newRow("mxf") << "a.mxf" << QStringList{"-c:v", "mpeg2video", "-c:a", "pcm_s16le", "-ar", "48000"};
        QTest::newRow("mpg") << "a.mpg" << QStringList{"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpeg"};
        QTest::newRow("mp4 index in front") << "a.mp4" << (x264 + QStringList{"-c:a", "aac", "-movflags", "+faststart"});
        QTest::newRow("mov") << "a.mov" << (x264 + QStringList{"-c:a", "aac"});
        QTest::newRow("wmv") << "a.wmv" << QStringList{"-c:v", "wmv2", "-c:a", "wmav2"};
        QTest::newRow("h264 stream") << "a.h264" << (x264 + QStringList{"-an", "-f", "h264"});
        QTest::newRow("m4a") << "a.m4a" << QStringList{"-vn", "-c:a", "aac"};
        QTest::newRow("mp3") << "a.mp3" << QStringList{"-vn", "-c:a", "libmp3lame"};
        QTest::newRow("aac") << "a.aac" << QStringList{"-vn", "-c:a", "aac", "-f", "adts"};
        QTest::newRow("ogg") << "a.ogg" << QStringList{"-vn", "-c:a", "libvorbis"};
        QTest::newRow("wav") << "a.wav" << QStringList{"-vn", "-c:a", "pcm_s16le"};
    }

    void intactRecordingsPass()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, encode);
        const QString path = makeRecording(name, encode);
        QVERIFY2(decoderAccepts(path), qPrintable(name));
        const OutputValidationResult result = validation::validateOutput(path);
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        QCOMPARE(result.message.toString(), QStringLiteral("输出结构验证通过"));
    }

    // Faults that signature rules let through: each refused, and ffmpeg refuses it too.
    void brokenRecordingsFail_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QStringList x264{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
        // Index in front, data cut at 60 %: the index still claims the whole length.
        const QByteArray fastStart = readAll(makeRecording("whole.mp4", x264 + QStringList{"-c:a", "aac", "-movflags", "+faststart"}, 10));
        QTest::newRow("cut mp4, index in front") << "cut.mp4" << fastStart.left(fastStart.size() * 6 / 10);
        // Index last and never written (a camera that lost power).
        const QByteArray indexLast = readAll(makeRecording("last.mp4", x264));
        QTest::newRow("mp4 without moov") << "nomoov.mp4" << indexLast.left(indexLast.indexOf("moov") - 4);
        const QByteArray wav = readAll(makeRecording("whole.wav", {"-vn", "-c:a", "pcm_s16le"}));
        QByteArray rateZero = wav;
        rateZero.replace(24, 4, QByteArray(4, '\0'));
        QTest::newRow("wav rate 0") << "rate0.wav" << rateZero;
        QByteArray rateMax = wav;
        rateMax.replace(24, 4, QByteArray(4, '\xFF'));
        QTest::newRow("wav rate 0xFFFFFFFF") << "ratemax.wav" << rateMax;
        QByteArray badAlign = wav;
        badAlign.replace(32, 2, QByteArray("\x07\0", 2));
        QTest::newRow("wav block align") << "align.wav" << badAlign;
        // Key frames overwritten in the middle of a clip.
        QByteArray scrambled = readAll(makeRecording("whole.mkv", x264 + QStringList{"-an"}));
        for (qsizetype i = scrambled.size() / 3; i < scrambled.size() / 3 + 4000 && i < scrambled.size(); ++i)
            scrambled[i] = static_cast<char>((i * 131 + 7) & 0xFF);
        QTest::newRow("mkv with damaged frames") << "scrambled.mkv" << scrambled;
    }

    void brokenRecordingsFail()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!bytes.isEmpty());
        const QString path = write(name, bytes);
        QVERIFY2(!decoderAccepts(path), qPrintable(name));
        const OutputValidationResult result = validation::validateOutput(path);
        QVERIFY(!result.valid);
        QCOMPARE(result.message.toString(), QStringLiteral("输出结构验证失败"));
    }

    // A recording over 64 MiB is decoded at its edges and at key frames only, but still wholly
    // demuxed: uncompressed video makes one quickly. A stop asked for ends the check at once.
    void largeRecordingsAndCancellation()
    {
        const QString path = makeRecording("long.mkv", {"-c:v", "rawvideo", "-pix_fmt", "yuv420p", "-c:a", "pcm_s16le"}, 3,
                                           QStringLiteral("testsrc=s=1280x720:r=25"));
        QVERIFY(QFileInfo(path).size() > 64 * 1024 * 1024);
        int reports = 0;
        ValidationControl control;
        control.progress = [&reports](qint64 done, qint64 total) {
            QVERIFY(done <= total);
            ++reports;
        };
        QVERIFY(validation::validateOutput(path, control).valid);
        QVERIFY(reports > 0);
        // Cut in half: more than a second of the duration the container claims is gone.
        const QByteArray bytes = readAll(path);
        const QString cut = write(QStringLiteral("long-cut.mkv"), bytes.left(bytes.size() / 2));
        QVERIFY(!validation::validateOutput(cut).valid);
        control.cancelled = [] { return true; };
        QVERIFY(!validation::validateOutput(path, control).valid);
    }

    void pdfs()
    {
        // An intact one-page PDF, then the same cut at 75 %: its catalog and pages are gone.
        QByteArray pdf = "%PDF-1.4\n";
        QList<qsizetype> offsets;
        const QByteArray stream = "BT /F1 18 Tf 40 100 Td (Korvex test page) Tj ET";
        const QList<QByteArray> objects = {
            "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
            "<< /Length " + QByteArray::number(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
            "<< /Type /Page /Parent 4 0 R /MediaBox [0 0 300 200] /Contents 2 0 R /Resources << /Font << /F1 1 0 R >> >> >>",
            "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Catalog /Pages 4 0 R >>",
        };
        for (int i = 0; i < objects.size(); ++i) {
            offsets.append(pdf.size());
            pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
        }
        const qsizetype xref = pdf.size();
        pdf += "xref\n0 6\n0000000000 65535 f \n";
        for (qsizetype offset : offsets)
            pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
        pdf += "trailer\n<< /Size 6 /Root 5 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
        const QString good = write(QStringLiteral("good.pdf"), pdf);
        const QString cut = write(QStringLiteral("cut.pdf"), pdf.left(offsets[3]) + "\n%%EOF\n");
        if (toolAvailable(QStringLiteral("qpdf"))) {
            QCOMPARE(runTool(QStringLiteral("qpdf"), {"--check", good}).exitCode, 0);
            QCOMPARE(runTool(QStringLiteral("qpdf"), {"--check", cut}).exitCode, 2);
        }
        OutputValidationResult result = validation::validateOutput(good);
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        result = validation::validateOutput(cut);
        QVERIFY(!result.valid);
        QCOMPARE(result.message.toString(), QStringLiteral("输出结构验证失败"));
    }

    // ZIP packages: every entry inflates and matches its CRC, the manifest and main part parse;
    // the Office preview's size and count limits decide nothing.
    void zipPackages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("valid");
        const QString docx = QStringLiteral(
            "import sys, zipfile\n"
            "ct = '<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>'\n"
            "rels = '<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"/word/main.xml\"/></Relationships>'\n"
            "doc = '<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>Hello</w:t></w:r></w:p></w:body></w:document>'\n"
            "parts = 1\nbig = 0\nbroken = False\n%1\n"
            "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('[Content_Types].xml', ct)\n    z.writestr('_rels/.rels', rels)\n"
            "    z.writestr('word/main.xml', doc if not broken else '<w:document><w:p>')\n"
            "    for i in range(parts): z.writestr('word/media/part%d.bin' % i, b'x%d' % i)\n"
            "    if big: z.writestr('word/media/big.bin', bytes(range(256)) * (big // 256))\n");
        QTest::newRow("docx") << "a.docx" << docx.arg(QString()) << true;
        QTest::newRow("docx past the preview limits") << "large.docx"
            << docx.arg(QStringLiteral("parts = 10050\nbig = 17 * 1024 * 1024")) << true;
        QTest::newRow("docx main part not XML") << "broken.docx" << docx.arg(QStringLiteral("broken = True")) << false;
        QTest::newRow("odt") << "a.odt" << QStringLiteral(
            "import sys, zipfile\n"
            "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
            "    z.writestr('mimetype', 'application/vnd.oasis.opendocument.text')\n"
            "    z.writestr('META-INF/manifest.xml', '<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\"/>', zipfile.ZIP_DEFLATED)\n"
            "    z.writestr('content.xml', '<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"/>', zipfile.ZIP_DEFLATED)\n")
            << true;
        QTest::newRow("ods without content") << "a.ods" << QStringLiteral(
            "import sys, zipfile\n"
            "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
            "    z.writestr('mimetype', 'application/vnd.oasis.opendocument.spreadsheet')\n"
            "    z.writestr('META-INF/manifest.xml', '<m/>')\n") << false;
    }

    void zipPackages()
    {
        QFETCH(QString, name);
        QFETCH(QString, script);
        QFETCH(bool, valid);
        const QString path = dir_.filePath(name);
        QCOMPARE(python(script, {path}).exitCode, 0);
        if (toolAvailable(QStringLiteral("unzip")))
            QCOMPARE(runTool(QStringLiteral("unzip"), {"-tqq", path}).exitCode, 0);
        const OutputValidationResult result = validation::validateOutput(path);
        QVERIFY2(result.valid == valid, qPrintable(result.message.toString()));
    }

    // A package whose [Content_Types].xml data was cut short and zero-filled inside an otherwise
    // whole archive (the directory intact): it cannot be inflated, whatever the markers say.
    void cutPackageEntryFails()
    {
        const QString path = dir_.filePath(QStringLiteral("cut.docx"));
        QVERIFY(makeDamagedDocx(path + QStringLiteral(".part")));
        QCOMPARE(python(QStringLiteral(
            "import sys, zipfile\n"
            "ct = '<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">' + "
            "''.join('<Override PartName=\"/p%d.xml\" ContentType=\"application/xml\"/>' % i for i in range(200)) + '</Types>'\n"
            "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('[Content_Types].xml', ct)\n    z.writestr('word/document.xml', '<w:document xmlns:w=\"w\"/>')\n"
            "data = bytearray(open(sys.argv[1], 'rb').read())\n"
            "start = 30 + len('[Content_Types].xml')\n"
            "for i in range(start + 40, start + 400): data[i] = 0\n"
            "open(sys.argv[1], 'wb').write(data)\n"), {path}).exitCode, 0);
        if (toolAvailable(QStringLiteral("unzip")))
            QVERIFY(runTool(QStringLiteral("unzip"), {"-tqq", path}).exitCode != 0);
        QVERIFY(!validation::validateOutput(path).valid);
        // Cut before its central directory: no archive at all.
        QVERIFY(!validation::validateOutput(path + QStringLiteral(".part")).valid);

        // A directory whose entries all point at the same data (a zip bomb's shape) is refused
        // before anything is inflated twice.
        const QString bomb = dir_.filePath(QStringLiteral("bomb.zip"));
        QCOMPARE(python(QStringLiteral(
            "import sys, struct, zipfile\n"
            "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('a.bin', b'x' * 100000)\n"
            "data = open(sys.argv[1], 'rb').read()\n"
            "cd = data.index(b'PK\\x01\\x02'); end = data.index(b'PK\\x05\\x06')\n"
            "record = data[cd:end]\n"
            "copies = 50\n"
            "eocd = bytearray(data[end:])\n"
            "struct.pack_into('<HHII', eocd, 8, copies, copies, len(record) * copies, cd)\n"
            "open(sys.argv[1], 'wb').write(data[:cd] + record * copies + bytes(eocd))\n"), {bomb}).exitCode, 0);
        if (toolAvailable(QStringLiteral("unzip")))
            QVERIFY(runTool(QStringLiteral("unzip"), {"-tqq", bomb}).exitCode != 0);
        QVERIFY(!validation::validateOutput(bomb).valid);
    }

    // Images are decoded whole: a cut one, which the reader would fill with grey, fails; the real
    // decoders agree.
    void images_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("checker");
        QTest::newRow("jpg") << "a.jpg" << "djpeg";
        QTest::newRow("png") << "a.png" << "pngcheck";
        QTest::newRow("gif") << "a.gif" << "convert";
        QTest::newRow("bmp") << "a.bmp" << "convert";
        QTest::newRow("tiff") << "a.tiff" << "tiffinfo";
    }

    void images()
    {
        QFETCH(QString, name);
        QFETCH(QString, checker);
        QImage image(240, 160, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, ((x ^ y) * 3) & 0xFF));
        const QString whole = dir_.filePath(name);
        if (name.endsWith(u".gif")) {
            // The toolkit writes no GIF: ImageMagick converts the PNG.
            const QString png = dir_.filePath(QStringLiteral("for-gif.png"));
            QVERIFY(image.save(png));
            if (!toolAvailable(QStringLiteral("convert")))
                QSKIP("ImageMagick is needed to write the GIF");
            QCOMPARE(runTool(QStringLiteral("convert"), {png, whole}).exitCode, 0);
        } else {
            QVERIFY(image.save(whole));
        }
        const QByteArray bytes = readAll(whole);
        const QString cut = write(QStringLiteral("cut-") + name, bytes.left(bytes.size() * 6 / 10));
        const auto toolAccepts = [&checker](const QString& path) {
            const QStringList arguments = checker == u"djpeg" ? QStringList{"-outfile", "/dev/null", path}
                : checker == u"pngcheck" ? QStringList{"-q", path}
                : checker == u"convert" ? QStringList{"-regard-warnings", path, "null:"}
                : QStringList{"-D", path};
            const ToolRun run = runTool(checker, arguments);
            return run.exitCode == 0 && !run.output.contains(QStringLiteral("rror")) && !run.output.contains(QStringLiteral("arning"));
        };
        if (toolAvailable(checker)) {
            QVERIFY(toolAccepts(whole));
            QVERIFY(!toolAccepts(cut));
        }
        OutputValidationResult result = validation::validateOutput(whole);
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        QCOMPARE(result.message.toString(), QStringLiteral("图片可由独立解码器读取"));
        result = validation::validateOutput(cut);
        QVERIFY(!result.valid);
        QVERIFY(result.message.toString().startsWith(QStringLiteral("图片解码验证失败：")));
        if (name.endsWith(u".jpg")) {
            // A camera's trailer after the end marker is no damage.
            const QString trailer = write(QStringLiteral("trailer.jpg"), bytes + QByteArray("CAMERA TRAILER").repeated(20));
            if (toolAvailable(checker))
                QVERIFY(toolAccepts(trailer));
            QVERIFY(validation::validateOutput(trailer).valid);
        }
    }

    // A 70-megapixel photo is past the reader's allocation limit when decoded whole at full size:
    // it is read whole at a reduced size instead, not refused.
    void hugePhotosAreDecodedReduced()
    {
        const QString path = dir_.filePath(QStringLiteral("huge.jpg"));
        QCOMPARE(python(QStringLiteral("import sys\nfrom PIL import Image\nImage.new('RGB', (10000, 7000), (90, 140, 200)).save(sys.argv[1], quality=80)\n"),
                        {path}).exitCode, 0);
        const OutputValidationResult result = validation::validateOutput(path);
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        const QByteArray bytes = readAll(path);
        QVERIFY(!validation::validateOutput(write(QStringLiteral("huge-cut.jpg"), bytes.left(bytes.size() / 2))).valid);
    }

    // Camera RAW: a DNG (TIFF with a DNG version) whose image decodes passes; one whose image data
    // lies past its end, with no preview, fails.
    void cameraRaw()
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(qRgb(20, 120, 220));
        const QString tiff = dir_.filePath(QStringLiteral("camera.tif"));
        QVERIFY(image.save(tiff, "TIFF"));
        const QString dng = dir_.filePath(QStringLiteral("camera.dng"));
        QVERIFY(QFile::copy(tiff, dng));
        if (toolAvailable(QStringLiteral("exiftool")))
            QCOMPARE(runTool(QStringLiteral("exiftool"), {"-q", "-overwrite_original", "-DNGVersion=1.4.0.0", dng}).exitCode, 0);
        OutputValidationResult result = validation::validateOutput(dng);
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        const QByteArray bytes = readAll(dng);
        // Cut inside the pixel data, the directory (written after it) gone as well.
        const QString cut = write(QStringLiteral("cut.nef"), bytes.left(bytes.size() / 3));
        result = validation::validateOutput(cut);
        QVERIFY(!result.valid);
        QVERIFY(result.message.toString().startsWith(QStringLiteral("图片解码验证失败：")));
    }
};

QTEST_MAIN(OutputValidationServiceTest)
#include "output_validation_service_test.moc"
