// The independent check of repaired outputs by their suffix.

#include "app/output_validation_service.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace olm::repair;
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

    static QString text(const char* source) { return QCoreApplication::translate("olm::repair::OutputValidationService", source); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void signatureRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("message");
        const QString passed = QStringLiteral("输出结构验证通过");
        const QString failed = QStringLiteral("输出结构验证失败");
        const QByteArray asf = QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c");
        QTest::newRow("pdf") << "a.pdf" << QByteArray("%PDF-1.4\n...\n%%EOF\n") << true << passed;
        QTest::newRow("pdf without eof") << "b.pdf" << QByteArray("%PDF-1.4\n...") << false << failed;
        QTest::newRow("zip") << "a.zip" << (QByteArray("PK\x03\x04") + QByteArray(20, 'x') + QByteArray::fromHex("504b0506")) << true << passed;
        QTest::newRow("zip64 end") << "b.zip" << (QByteArray("PK") + QByteArray::fromHex("504b0606")) << true << passed;
        QTest::newRow("zip without end") << "c.zip" << QByteArray("PK\x03\x04 no end record") << false << failed;
        QTest::newRow("doc") << "a.doc" << (QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(8, '\0')) << true << passed;
        QTest::newRow("rtf") << "a.rtf" << QByteArray("{\\rtf1 hi}") << true << passed;
        QTest::newRow("wav") << "a.wav" << QByteArray("RIFF\0\0\0\0WAVEfmt ", 16) << true << passed;
        QTest::newRow("short riff") << "b.wav" << QByteArray("RIFF\0\0\0\0WA", 10) << false << failed;
        QTest::newRow("mp3 id3") << "a.mp3" << QByteArray("ID3\x03") << true << passed;
        QTest::newRow("mp3 ff fb") << "b.mp3" << QByteArray("\xFF\xFB\x90\x00") << true << passed;
        QTest::newRow("mp3 ff e1") << "c.mp3" << QByteArray("\xFF\xE1") << true << passed;
        QTest::newRow("aac ff f1") << "a.aac" << QByteArray("\xFF\xF1\x50") << true << passed;
        QTest::newRow("aac ff e1") << "b.aac" << QByteArray("\xFF\xE1") << false << failed;
        // An ISO file is playable only with an index: a top-level moov, or moof fragments.
        const QByteArray isoFtyp("\0\0\0\x10" "ftypisom\0\0\0\0", 16);
        const QByteArray mdat = QByteArray("\0\0\0\x0c" "mdat", 8) + QByteArray(4, 'x');
        const QByteArray moov("\0\0\0\x08" "moov", 8);
        const QByteArray moof("\0\0\0\x08" "moof", 8);
        QTest::newRow("mp4") << "a.MP4" << (isoFtyp + moov + mdat) << true << passed;
        QTest::newRow("mov index last") << "a.mov" << (isoFtyp + mdat + moov) << true << passed;
        QTest::newRow("m4v fragments") << "a.m4v" << (isoFtyp + moof + mdat) << true << passed;
        QTest::newRow("mp4 without index") << "c.mp4" << (isoFtyp + mdat) << false << failed;
        QTest::newRow("m4a without index") << "c.m4a" << (isoFtyp + mdat) << false << failed;
        QTest::newRow("moov only inside mdat") << "d.mp4" << (isoFtyp + QByteArray("\0\0\0\x10" "mdat", 8) + moov) << false << failed;
        QTest::newRow("box past the end") << "e.mp4" << (isoFtyp + QByteArray("\0\0\1\0" "mdat", 8) + moov) << false << failed;
        QTest::newRow("short mp4") << "b.m4a" << QByteArray("\0\0\0\x18" "ftyp", 8) << false << failed;
        QTest::newRow("wmv") << "a.wmv" << (asf + QByteArray(8, '\0')) << true << passed;
        QTest::newRow("ogg") << "a.ogg" << QByteArray("OggS\0", 5) << true << passed;
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

    void pdfEndIsLookedForInTheLastMegabyte()
    {
        QByteArray large = "%PDF-1.7\n%%EOF\n" + QByteArray(validation::kWindowSize + 10, ' ');
        QVERIFY(!validation::validateOutput(write(QStringLiteral("large.pdf"), large)).valid);
        large.append("%%EOF");
        QVERIFY(validation::validateOutput(write(QStringLiteral("large.pdf"), large)).valid);
    }

    void images()
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::green);
        const QString png = dir_.filePath(QStringLiteral("a.png"));
        QVERIFY(image.save(png));
        QVERIFY(validation::validateOutput(png).valid);
        const OutputValidationResult bad = validation::validateOutput(write(QStringLiteral("b.jpg"), "not an image"));
        QVERIFY(!bad.valid);
        QVERIFY(bad.message.toString().startsWith(QStringLiteral("图片解码验证失败：")));
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

    void officeDocumentsAreAlsoPreviewed()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is needed to write the fixtures");
        QProcess python;
        python.setWorkingDirectory(dir_.path());
        python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QStringLiteral(
            "import zipfile\n"
            "ct = '<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>'\n"
            "doc = '<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>Hello</w:t></w:r></w:p></w:body></w:document>'\n"
            "with zipfile.ZipFile('good.docx', 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('[Content_Types].xml', ct); z.writestr('word/document.xml', doc)\n"
            "with zipfile.ZipFile('broken.docx', 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('[Content_Types].xml', ct); z.writestr('word/document.xml', '<w:document><w:p>')\n"
            "with zipfile.ZipFile('nomarker.xlsx', 'w') as z:\n"
            "    z.writestr('[Content_Types].xml', ct); z.writestr('word/document.xml', doc)\n")});
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(python.exitCode(), 0);
        // An independent tool agrees that the fixtures are sound archives.
        if (!QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QCOMPARE(QProcess::execute(QStringLiteral("unzip"), {QStringLiteral("-tqq"), dir_.filePath(QStringLiteral("good.docx"))}), 0);

        OutputValidationResult result = validation::validateOutput(dir_.filePath(QStringLiteral("good.docx")));
        QVERIFY2(result.valid, qPrintable(result.message.toString()));
        QCOMPARE(result.message.toString(), QStringLiteral("输出结构验证通过"));

        result = validation::validateOutput(dir_.filePath(QStringLiteral("broken.docx")));
        QVERIFY(!result.valid);
        QVERIFY2(result.message.toString().startsWith(QStringLiteral("Office 内部预览验证失败：DOCX XML 解析失败：")),
                 qPrintable(result.message.toString()));

        result = validation::validateOutput(dir_.filePath(QStringLiteral("nomarker.xlsx")));
        QVERIFY(!result.valid);
        QCOMPARE(result.message.toString(), QStringLiteral("输出结构验证失败"));
    }
};

QTEST_MAIN(OutputValidationServiceTest)
#include "output_validation_service_test.moc"
