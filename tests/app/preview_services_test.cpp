#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "services/binary_preview_service.h"
#include "services/image_preview_service.h"
#include "services/text_preview_service.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <zlib.h>

using namespace olm::repair;

namespace {

QUrl writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return QUrl::fromLocalFile(path);
}

// A small progressive JPEG whose frame header then declares `width` x `height`: the decoder would
// allocate its coefficients for the declared size.
QByteArray progressiveJpeg(quint16 width, quint16 height)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image))
        return {};
    QByteArray bytes = buffer.data();
    const qsizetype frame = bytes.indexOf(QByteArray::fromHex("ffc2"));
    if (frame < 0)
        return {};
    // Marker, length (2), precision (1), then height and width, big-endian.
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xff);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xff);
    return bytes;
}

// A PNG header of the given size, bit depth and colour type, with a token image data chunk.
QByteArray pngHeader(quint32 width, quint32 height, quint8 depth, quint8 colourType)
{
    auto bigEndian = [](quint32 value) {
        QByteArray out(4, '\0');
        qToBigEndian(value, out.data());
        return out;
    };
    auto chunk = [&](const QByteArray& kind, const QByteArray& data) {
        const QByteArray body = kind + data;
        return bigEndian(quint32(data.size())) + body +
            bigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))));
    };
    const QByteArray header = bigEndian(width) + bigEndian(height) + char(depth) + char(colourType) + QByteArray(3, '\0');
    return QByteArray::fromHex("89504e470d0a1a0a") + chunk("IHDR", header) +
        chunk("IDAT", QByteArray::fromHex("789c030000000001")) + chunk("IEND", {});
}

} // namespace

class PreviewServicesTest : public QObject {
    Q_OBJECT
private slots:
    void hexDumpLayout()
    {
        const QByteArray pdf = QByteArray::fromHex("255044462d312e370a25e2e3cfd30a31");
        const QString line = formatHexDump(pdf);
        QCOMPARE(line, QStringLiteral("00000000  25 50 44 46 2d 31 2e 37  0a 25 e2 e3 cf d3 0a 31  |%PDF-1.7.%.....1|\n"));
        QCOMPARE(line.size(), 79);
        const QString two = formatHexDump(QByteArray(16, 'A') + QByteArray(1, '\x7f'));
        const QStringList lines = two.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1], QStringLiteral("00000010  7f") + QString(59 - 12, QLatin1Char(' ')) + QStringLiteral(" |.|"));
        QCOMPARE(formatHexDump(QByteArray::fromHex("80ff")).right(5), QStringLiteral("|..|\n"));
        QVERIFY(formatHexDump(QByteArray()).isEmpty());
    }

    void binaryWindowAndHeader()
    {
        QTemporaryDir dir;
        BinaryPreviewService service;
        service.load(writeFile(dir, "empty.bin", QByteArray()));
        QVERIFY(service.ready());
        QVERIFY(service.text().contains(QStringLiteral("恢复数据大小：0 字节")));
        QVERIFY(service.text().endsWith(QStringLiteral("十六进制数据：\n")));

        service.load(writeFile(dir, "exact.bin", QByteArray(65536, '\x01')));
        QVERIFY(!service.text().contains(QStringLiteral("（其余内容未显示）")));
        service.load(writeFile(dir, "more.bin", QByteArray(65537, '\x01')));
        QVERIFY(service.text().contains(QStringLiteral("恢复数据大小：65537 字节")));
        QVERIFY(service.text().contains(QStringLiteral("显示范围：前 65536 字节（其余内容未显示）")));
        QVERIFY(!service.text().contains(QStringLiteral("可读文本片段")));

        // A file name with place markers is shown literally.
        service.load(writeFile(dir, "a%2b%4.bin", QByteArray("x")));
        QVERIFY(service.text().contains(QStringLiteral("文件：a%2b%4.bin\n")));
        QVERIFY(service.text().contains(QStringLiteral("恢复数据大小：1 字节")));

        service.load(QUrl(QStringLiteral("https://example.invalid/x.bin")));
        QCOMPARE(service.error(), QStringLiteral("安全数据预览文件不存在"));
        QVERIFY(!service.ready());
        service.clear();
        QVERIFY(service.text().isEmpty() && service.error().isEmpty());
    }

    void binaryReadableExcerpt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("excerpt");
        QTest::newRow("ascii with tabs") << QByteArray("line one\tcol\nline two\n") << true;
        QTest::newRow("85 percent readable") << QByteArray(85, 'a') + QByteArray(15, '\x01') << true;
        QTest::newRow("84 percent readable") << QByteArray(84, 'a') + QByteArray(16, '\x01') << false;
        QTest::newRow("stray 0xFF") << QByteArray("hello") + QByteArray(1, '\xff') + QByteArray("world") << false;
        QTest::newRow("cut multibyte") << QByteArray("abc\xe4\xbd") << true;
    }

    void binaryReadableExcerpt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, excerpt);
        QTemporaryDir dir;
        BinaryPreviewService service;
        service.load(writeFile(dir, "x.bin", bytes));
        QCOMPARE(service.text().contains(QStringLiteral("可读文本片段")), excerpt);
    }

    void binaryExcerptNeverEndsOnAHalfSurrogatePair()
    {
        QTemporaryDir dir;
        // 15999 ASCII code units, then an emoji (two code units) straddling the 16000 cap.
        const QByteArray bytes = QByteArray(15999, 'a') + QByteArray("\xF0\x9F\x98\x80") + QByteArray(100, 'b');
        BinaryPreviewService service;
        service.load(writeFile(dir, "x.bin", bytes));
        const QString text = service.text();
        const qsizetype start = text.indexOf(QStringLiteral("----------------\n")) + 17;
        const qsizetype end = text.indexOf(QStringLiteral("\n----------------"), start);
        const QString excerpt = text.mid(start, end - start);
        QCOMPARE(excerpt.size(), 15999);
        QVERIFY(!excerpt.back().isHighSurrogate());
    }

    void textLimitsAndDecoding()
    {
        QTemporaryDir dir;
        TextPreviewService service;
        QSignalSpy spy(&service, &TextPreviewService::previewChanged);
        service.load(writeFile(dir, "one.txt", "x"));
        QVERIFY(service.ready());
        QCOMPARE(service.text(), QStringLiteral("x"));
        QVERIFY(spy.count() >= 2);
        service.load(writeFile(dir, "zero.txt", QByteArray()));
        QCOMPARE(service.error(), QStringLiteral("文本文件为空或超过 8 MB 安全预览上限"));
        service.load(writeFile(dir, "max.txt", QByteArray(8388608, 'a')));
        QVERIFY(service.ready());
        service.load(writeFile(dir, "over.txt", QByteArray(8388609, 'a')));
        QCOMPARE(service.error(), QStringLiteral("文本文件为空或超过 8 MB 安全预览上限"));
        service.load(writeFile(dir, "ff.txt", QByteArray(1, '\xff')));
        QCOMPARE(service.error(), QStringLiteral("文件不是有效的 UTF-8 文本"));
        QVERIFY(!service.ready());
        service.load(writeFile(dir, "cut.txt", QByteArray("ab\xe4\xbd")));
        QCOMPARE(service.text(), QStringLiteral("ab"));
        QVERIFY(service.error().isEmpty());
        service.load(QUrl(QStringLiteral("https://example.invalid/x.txt")));
        QCOMPARE(service.error(), QStringLiteral("预览文件不存在"));
    }

    void textJsonIsReindentedOnlyForJsonSuffix()
    {
        QTemporaryDir dir;
        TextPreviewService service;
        const QByteArray json("{\"b\":1,\"a\":[1,2]}");
        service.load(writeFile(dir, "data.JSON", json));
        QCOMPARE(service.text(), QStringLiteral("{\n    \"a\": [\n        1,\n        2\n    ],\n    \"b\": 1\n}\n"));
        service.load(writeFile(dir, "data.txt", json));
        QCOMPARE(service.text(), QString::fromUtf8(json));
        service.load(writeFile(dir, "bad.json", "{\"a\":1,}"));
        QVERIFY(service.error().startsWith(QStringLiteral("JSON 解析失败：")));
        QVERIFY(service.text().isEmpty());
    }

    // Only the declared size is read: a picture whose full decode exceeds the budget never
    // reaches the decoder, whatever size it would be shown at.
    void imageRefusedByDeclaredSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("error");
        const QString tooLarge = QStringLiteral("过大：完整解码需要超过 256 MB 内存，已阻止预览");
        QTest::newRow("progressive JPEG declaring 40000 x 40000")
            << progressiveJpeg(40000, 40000) << "tiny.jpg" << false << QStringLiteral("图片尺寸 40000 × 40000 ") + tooLarge;
        QTest::newRow("small progressive JPEG") << progressiveJpeg(16, 16) << "small.jpg" << true << QString();
        QTest::newRow("PNG at the budget") << pngHeader(8192, 8192, 8, 2) << "edge.png" << true << QString();
        QTest::newRow("PNG one column over") << pngHeader(8193, 8192, 8, 2) << "over.png" << false
                                             << QStringLiteral("图片尺寸 8193 × 8192 ") + tooLarge;
        // 16-bit RGBA decodes at 8 bytes a pixel: 36 megapixels are 288 MB.
        QTest::newRow("16-bit PNG") << pngHeader(6000, 6000, 16, 6) << "deep.png" << false
                                    << QStringLiteral("图片尺寸 6000 × 6000 ") + tooLarge;
        QTest::newRow("not a picture") << QByteArray("not a picture at all") << "noise.jpg" << false
                                       << QStringLiteral("无法读取图片尺寸，已阻止预览");
    }

    void imageRefusedByDeclaredSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QFETCH(QString, error);
        QVERIFY(!bytes.isEmpty());
        QTemporaryDir dir;
        const QUrl url = writeFile(dir, name, bytes);
        ImagePreviewService service;
        QSignalSpy changed(&service, &ImagePreviewService::previewChanged);
        service.load(url);
        QCOMPARE(service.ready(), accepted);
        QCOMPARE(service.source(), accepted ? url : QUrl());
        QCOMPARE(service.error(), error);
        QCOMPARE(changed.count(), 2);
    }

    void imageMissingOrCleared()
    {
        QTemporaryDir dir;
        ImagePreviewService service;
        service.load(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.png"))));
        QCOMPARE(service.error(), QStringLiteral("预览文件不存在"));
        service.load(QUrl(QStringLiteral("https://example.org/a.png")));
        QCOMPARE(service.error(), QStringLiteral("预览文件不存在"));
        service.load(writeFile(dir, "ok.jpg", progressiveJpeg(16, 16)));
        QVERIFY(service.ready());
        service.clear();
        QVERIFY(!service.ready());
        QVERIFY(service.error().isEmpty());
    }

    // Text is handed to the view in blocks of bounded lines and characters, in order, with nothing
    // lost: a column of a million lines and one line of 256 KiB without a space alike.
    void textDisplayBlocksAreBounded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks");
        QString column;
        column.reserve(7700000);
        for (int i = 0; i < 1100000; ++i)
            column += QString::number(100000 + i % 900000) + QLatin1Char('\n');
        QTest::newRow("1.1 million lines") << column << 17188;
        QTest::newRow("one 256 KiB line") << QString(262144, QLatin1Char('x')) << 66;
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << 1;
        QTest::newRow("pair at a segment cut") << QString(999, QLatin1Char('a')) + QStringLiteral("\U0001F600b") << 1;
    }

    void textDisplayBlocksAreBounded()
    {
        QFETCH(QString, text);
        QFETCH(int, blocks);
        const QStringList built = textDisplayBlocks(text);
        QCOMPARE(built.size(), blocks);
        for (const QString& block : built) {
            QVERIFY(block.size() <= TextPreviewService::kBlockCharacters);
            const QStringList lines = block.split(QLatin1Char('\n'));
            QVERIFY(lines.size() <= TextPreviewService::kBlockLines);
            for (const QString& line : lines) {
                QVERIFY(line.size() <= TextPreviewService::kSegmentCharacters);
                QVERIFY(line.isEmpty() || !line.back().isHighSurrogate());
            }
        }
        QString expected = text;
        expected.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        QCOMPARE(built.join(QString()).remove(QLatin1Char('\n')), expected);
    }

    void textServiceHandsOutBlocks()
    {
        QTemporaryDir dir;
        TextPreviewService service;
        service.load(writeFile(dir, "line.txt", QByteArray(5000, 'z')));
        QVERIFY(service.ready());
        QCOMPARE(service.text().size(), 5000);
        QCOMPARE(service.blockCount(), 2);
        QCOMPARE(service.block(0), QStringList(4, QString(1000, QLatin1Char('z'))).join(QLatin1Char('\n')));
        QCOMPARE(service.block(1), QString(1000, QLatin1Char('z')));
        QCOMPARE(service.block(2), QString());
        QCOMPARE(service.block(-1), QString());
        service.load(writeFile(dir, "bad.txt", QByteArray("\xff")));
        QCOMPARE(service.blockCount(), 0);
        service.load(writeFile(dir, "ok.txt", QByteArray("x")));
        service.clear();
        QCOMPARE(service.blockCount(), 0);
    }

    void deeplyNestedJsonIsShownAsStoredInsteadOfExploding()
    {
        QTemporaryDir dir;
        // 500 levels of nesting around 2 MiB of small numbers: indented, it would exceed 4 GiB.
        QByteArray json = QByteArray(500, '[');
        QByteArray numbers;
        numbers.reserve(2 << 20);
        while (numbers.size() < (2 << 20))
            numbers += "1,";
        numbers += "1";
        json += numbers + QByteArray(500, ']');
        TextPreviewService service;
        service.load(writeFile(dir, "deep.json", json));
        QVERIFY(service.ready());
        QCOMPARE(service.text().size(), json.size());
    }
};

QTEST_GUILESS_MAIN(PreviewServicesTest)
#include "preview_services_test.moc"
