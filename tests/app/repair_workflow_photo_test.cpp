// Photos through the whole repair road, judged by real decoders: a cut picture comes back as the
// part that survived, with a warning; a camera RAW is judged by its structure; a big sound picture
// is accepted.

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

// Width and height of a picture as ImageMagick decodes it (every pixel read, not the header
// only); an invalid size when it cannot.
QSize decodedSize(const QString& path, const QString& scratch)
{
    QFile::remove(scratch);
    runTool(QStringLiteral("convert"), {path + QStringLiteral("[0]"), scratch});
    const ToolRun run = runTool(QStringLiteral("identify"), {"-format", "%w %h", scratch});
    const QStringList size = run.output.trimmed().split(QLatin1Char(' '));
    if (run.exitCode != 0 || size.size() != 2)
        return {};
    return {size[0].toInt(), size[1].toInt()};
}

// The same for a JPEG, decoded by djpeg (exit 2: decoded with warnings, as a cut photo is).
QSize djpegSize(const QString& path, const QString& scratch)
{
    QFile::remove(scratch);
    const ToolRun run = runTool(QStringLiteral("djpeg"), {"-outfile", scratch, path});
    if (run.exitCode != 0 && run.exitCode != 2)
        return {};
    return decodedSize(scratch, scratch + QStringLiteral(".png"));
}

// The same for a GIF, decoded by gifsicle, which fills the pixels a cut frame lacks and says how
// many (ImageMagick refuses any frame with pixels missing); its rewrite is read back.
QSize gifsicleSize(const QString& path, const QString& scratch)
{
    QFile::remove(scratch);
    const ToolRun run = runTool(QStringLiteral("gifsicle"), {"-O1", path, "-o", scratch});
    if (!QFileInfo::exists(scratch) || (run.exitCode != 0 && !run.output.contains(QStringLiteral("pixels of image data"))))
        return {};
    return decodedSize(scratch, scratch + QStringLiteral(".png"));
}

QByteArray cut(const QByteArray& bytes, int percent) { return bytes.left(bytes.size() * percent / 100); }

// A small camera RAW written by hand: a DNG whose only image is 64x48 16-bit colour filter array
// data (PhotometricInterpretation 32803) in three uncompressed strips, with no preview.
const char* const kDngWriter = R"(
import struct, sys
W, H, RPS = 64, 48, 16
strips = H // RPS
strip = W * 2 * RPS
data = bytes((x * 7 + y * 3) % 256 for y in range(H) for x in range(W * 2))
ntags = 16
extra_at = 8 + 2 + ntags * 12 + 4
model = b'Korvex Test\0'
matrix = struct.pack('<18i', *([1, 1] * 9))
offsets_at = extra_at
counts_at = offsets_at + 4 * strips
model_at = counts_at + 4 * strips
matrix_at = model_at + len(model)
data_at = matrix_at + len(matrix)
extra = struct.pack('<%dI' % strips, *[data_at + i * strip for i in range(strips)])
extra += struct.pack('<%dI' % strips, *([strip] * strips)) + model + matrix
def bytes4(values): return struct.unpack('<I', bytes(values))[0]
tags = [(254, 4, 1, 0), (256, 4, 1, W), (257, 4, 1, H), (258, 3, 1, 16), (259, 3, 1, 1), (262, 3, 1, 32803),
        (273, 4, strips, offsets_at), (277, 3, 1, 1), (278, 4, 1, RPS), (279, 4, strips, counts_at), (284, 3, 1, 1),
        (33421, 3, 2, 2 | (2 << 16)), (33422, 1, 4, bytes4([0, 1, 1, 2])), (50706, 1, 4, bytes4([1, 4, 0, 0])),
        (50708, 2, len(model), model_at), (50721, 10, 9, matrix_at)]
ifd = struct.pack('<H', ntags) + b''.join(struct.pack('<HHII', *t) for t in tags) + struct.pack('<I', 0)
open(sys.argv[1], 'wb').write(b'II*\0' + struct.pack('<I', 8) + ifd + extra + data)
)";

const QString kLowerPartLost = QStringLiteral("图片下部的数据已丢失，无法恢复，该部分以填充色显示");
const QString kUpperPartLost = QStringLiteral("图片上部的数据已丢失，无法恢复，该部分以填充色显示");
const QString kFramesLost = QStringLiteral("截断处之后的动画帧已丢失，无法恢复");
const QString kScansLost = QStringLiteral("图片后续的扫描数据已丢失，无法恢复，画面可能模糊或下部以填充色显示");

} // namespace

class RepairWorkflowPhotoTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    // A 320x240 picture made by ImageMagick, of the kind the name's suffix says. A TIFF is
    // rewritten by PIL, which puts its directory in front of the strips as cameras and scanners
    // do (ImageMagick's follows them, and a cut takes it away).
    QString makePicture(const QString& name, const QStringList& options)
    {
        const QString path = dir_.filePath(QStringLiteral("whole-") + name);
        const bool tiff = name.endsWith(u".tif");
        const QString made = tiff ? path + QStringLiteral(".png") : path;
        if (runTool(QStringLiteral("convert"), QStringList{"-size", "320x240", "-seed", "7", "plasma:fractal"} + options
                                                   + QStringList{made}).exitCode != 0)
            return {};
        if (tiff && python(QStringLiteral("import sys\nfrom PIL import Image\nImage.open(sys.argv[1]).save(sys.argv[2])\n"),
                           {made, path}).exitCode != 0)
            return {};
        return path;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(repairOutputPath()).removeRecursively();
        QVERIFY(dir_.isValid());
    }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    // A cut picture is the best that exists of it: it reaches a ready preview with a warning
    // verdict (the cut and what it cost), and the saved file decodes at its full size.
    void cutPicturesComeBackWithAWarning_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QStringList>("warnings");
        for (const int percent : {50, 90}) {
            const QByteArray at = " at " + QByteArray::number(percent) + " %";
            QTest::newRow("baseline jpeg" + at) << "b.jpg" << QStringList{"-quality", "90"} << percent
                                                << QStringList{QStringLiteral("JPEG 文件结束标记缺失"), kLowerPartLost};
            QTest::newRow("progressive jpeg" + at) << "p.jpg" << QStringList{"-interlace", "Plane"} << percent
                                                   << QStringList{QStringLiteral("JPEG 文件结束标记缺失"), kScansLost};
            QTest::newRow("gif" + at) << "a.gif" << QStringList{} << percent << QStringList{kLowerPartLost};
            QTest::newRow("animated gif" + at) << "anim.gif" << QStringList{"-seed", "8", "plasma:fractal", "-seed", "9", "plasma:fractal"}
                                               << percent << QStringList{kFramesLost};
            QTest::newRow("bmp" + at) << "a.bmp" << QStringList{"-type", "TrueColor"} << percent << QStringList{kUpperPartLost};
            // A TIFF has no embedded preview, which the RAW/TIFF engine reports as it does for every one.
            QTest::newRow("tiff" + at) << "a.tif" << QStringList{"-depth", "8"} << percent
                                       << QStringList{QStringLiteral("内嵌预览数据缺失"), kLowerPartLost};
            QTest::newRow("png" + at) << "a.png" << QStringList{"-depth", "8"} << percent << QStringList{kLowerPartLost};
        }
    }

    void cutPicturesComeBackWithAWarning()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(int, percent);
        QFETCH(QStringList, warnings);
        WORKFLOW_REQUIRE_TOOL("convert");
        WORKFLOW_REQUIRE_TOOL("identify");
        WORKFLOW_REQUIRE_TOOL("djpeg");
        WORKFLOW_REQUIRE_TOOL("gifsicle");
        const QString whole = makePicture(name, options);
        QVERIFY(!whole.isEmpty());
        const QString input = dir_.filePath(QString::number(percent) + name);
        QVERIFY(writeAll(input, cut(readAll(whole), percent)));

        RepairWorkflowController c;
        QVERIFY2(repairToPreview(c, input), qPrintable(c.status() + QStringLiteral(" / ") + c.validationMessage()));
        QVERIFY(c.formatValid());
        QVERIFY(c.previewAvailable());
        QCOMPARE(c.warnings(), warnings);

        const QString saveFolder = dir_.filePath(QStringLiteral("saved-") + QString::number(percent) + name);
        QVERIFY(QDir().mkpath(saveFolder));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString saved = c.outputPath();
        const QString scratch = dir_.filePath(QStringLiteral("decoded.png"));
        const QSize size = name.endsWith(u".jpg")   ? djpegSize(saved, dir_.filePath(QStringLiteral("decoded.ppm")))
                           : name.endsWith(u".gif") ? gifsicleSize(saved, dir_.filePath(QStringLiteral("decoded.gif")))
                                                    : decodedSize(saved, scratch);
        QCOMPARE(size, QSize(320, 240));
    }

    // A sound 45-megapixel picture behind junk bytes: the engine cuts the junk, and the check
    // decodes the picture whole although it is above the image reader's default allocation limit.
    void bigSoundPictureIsAccepted()
    {
        const QString whole = dir_.filePath(QStringLiteral("big-whole.tif"));
        const ToolRun made = python(QStringLiteral(
            "import sys\nfrom PIL import Image\n"
            "im = Image.new('RGB', (8256, 5504), (20, 120, 200))\n"
            "im.paste((200, 40, 10), (0, 2752, 8256, 5504))\n"
            "im.save(sys.argv[1], compression='tiff_deflate')\n"), {whole});
        QVERIFY2(made.exitCode == 0, qPrintable(made.output));
        const QString input = dir_.filePath(QStringLiteral("big.tif"));
        QVERIFY(writeAll(input, QByteArray(137, '\x42') + readAll(whole)));

        RepairWorkflowController c;
        QVERIFY2(repairToPreview(c, input), qPrintable(c.status() + QStringLiteral(" / ") + c.validationMessage()));
        QVERIFY(c.formatValid());
    }

    // Camera RAW sensor data is no picture the image reader decodes: a sound DNG, and one behind
    // junk bytes, are judged by their TIFF structure (tiffinfo reads every strip of the result).
    void cameraRawIsJudgedByItsStructure_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("sound") << "sound";
        QTest::newRow("junk in front") << "junk";
        QTest::newRow("cut in its sensor data") << "cut";
    }

    void cameraRawIsJudgedByItsStructure()
    {
        QFETCH(QString, damage);
        WORKFLOW_REQUIRE_TOOL("tiffinfo");
        const QString whole = dir_.filePath(QStringLiteral("whole.dng"));
        const ToolRun made = python(QString::fromLatin1(kDngWriter), {whole});
        QVERIFY2(made.exitCode == 0, qPrintable(made.output));
        QCOMPARE(runTool(QStringLiteral("tiffinfo"), {"-D", whole}).exitCode, 0);
        QByteArray bytes = readAll(whole);
        if (damage == u"junk")
            bytes.prepend(QByteArray(137, '\x42'));
        if (damage == u"cut")
            bytes.chop(bytes.size() / 10);
        const QString input = dir_.filePath(damage + QStringLiteral(".dng"));
        QVERIFY(writeAll(input, bytes));

        RepairWorkflowController c;
        QVERIFY2(repairToPreview(c, input), qPrintable(c.status() + QStringLiteral(" / ") + c.validationMessage()));
        QVERIFY(c.formatValid());
        QCOMPARE(c.validationMessage(), QStringLiteral("输出结构验证通过"));
        // The cut strips are filled in to the size the directory declares, and the loss is said.
        QCOMPARE(c.warnings().contains(kLowerPartLost), damage == u"cut");
        const QString saveFolder = dir_.filePath(QStringLiteral("saved-") + damage);
        QVERIFY(QDir().mkpath(saveFolder));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const ToolRun judged = runTool(QStringLiteral("tiffinfo"), {"-D", c.outputPath()});
        QVERIFY2(judged.exitCode == 0 && !judged.output.contains(QStringLiteral("rror")), qPrintable(judged.output));
    }

    // Nothing changes for what cannot be decoded at all: a photo whose header is cut away, and
    // one whose quantisation tables are gone (all, or only the one its scan uses first), stay
    // refused without a sample, and their analysis says so rather than "no damage".
    void undecodablePhotosStayRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("header cut away") << "head";
        QTest::newRow("quantisation tables removed") << "dqt";
        QTest::newRow("first quantisation table removed") << "dqt0";
    }

    void undecodablePhotosStayRefused()
    {
        QFETCH(QString, damage);
        WORKFLOW_REQUIRE_TOOL("convert");
        WORKFLOW_REQUIRE_TOOL("djpeg");
        const QString whole = makePicture(QStringLiteral("h.jpg"), {"-quality", "90"});
        QVERIFY(!whole.isEmpty());
        QByteArray bytes = readAll(whole);
        if (damage == u"head") {
            bytes = bytes.mid(bytes.size() / 3);
        } else {
            // DQT segments (FF DB, their length) are taken out of the header: all, or the first,
            // which defines table 0 (the second, for the colour components, stays).
            for (qsizetype at = bytes.indexOf("\xFF\xDB"); at >= 0 && at < bytes.indexOf("\xFF\xDA"); at = bytes.indexOf("\xFF\xDB")) {
                const int length = (uchar(bytes[at + 2]) << 8) | uchar(bytes[at + 3]);
                bytes.remove(at, length + 2);
                if (damage == u"dqt0")
                    break;
            }
            QVERIFY(bytes.contains("\xFF\xDB") == (damage == u"dqt0"));
        }
        const QString input = dir_.filePath(damage + QStringLiteral(".jpg"));
        QVERIFY(writeAll(input, cut(bytes, 80)));
        if (damage != u"head")
            QVERIFY(runTool(QStringLiteral("djpeg"), {"-outfile", "/dev/null", input}).exitCode == 1);

        // The analysis names the damage and asks for a sample; no quick repair makes a picture of it.
        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        QVERIFY(!c.findings().isEmpty());
        QVERIFY(c.sampleRequired());
        c.repair(QStringLiteral("quick"));
        QVERIFY(waitIdle(c));
        QVERIFY(c.state() != WorkflowState::PreviewReady);
        QVERIFY(!c.formatValid());
    }
};

QTEST_MAIN(RepairWorkflowPhotoTest)
#include "repair_workflow_photo_test.moc"
