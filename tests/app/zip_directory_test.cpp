// The ZIP central directory as its two readers take it: output validation reads ZIP64 and keeps the
// records inside the directory the end record declares; the Office preview refuses ZIP64, spanned
// counts and NUL in names with texts of its own, and bounds the records by the file alone.

#include "app/output_validation_service.h"
#include "repair_workflow_fixtures.h"
#include "services/office_zip_archive.h"

#include <QTemporaryDir>
#include <QTest>

using namespace olm::repair;
using namespace workflow_fixtures;

class ZipDirectoryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // One deflated entry written by hand, changed by the row's settings: ZIP64 for the fields named
    // in `fields` (their ZIP64 extra field cut to `keep` bytes), a ZIP64 end record with or without
    // its locator, and the record's and end record's other fields. unzip agrees with validation.
    void bothReaders_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("preview");
        const QString zip64Archive = QStringLiteral("不支持分卷或 ZIP64 Office 容器");
        const QString zip64Entry = QStringLiteral("不支持 ZIP64 Office 条目");
        QTest::newRow("plain") << "" << true << "";
        QTest::newRow("ZIP64 end record and entry") << "end64 = True; fields = ALL" << true << zip64Archive;
        QTest::newRow("ZIP64 locator missing") << "end64 = True; locator = False; fields = ALL" << false << zip64Archive;
        QTest::newRow("ZIP64 entry") << "fields = ALL" << true << zip64Entry;
        QTest::newRow("ZIP64 size only") << "fields = ('size',)" << true << zip64Entry;
        QTest::newRow("ZIP64 compressed size only") << "fields = ('compressed',)" << true << zip64Entry;
        QTest::newRow("ZIP64 offset only") << "fields = ('offset',)" << true << zip64Entry;
        QTest::newRow("ZIP64 extra field short") << "fields = ALL; keep = 16" << false << zip64Entry;
        QTest::newRow("ZIP64 extra field missing") << "fields = ALL; keep = 0" << false << zip64Entry;
        QTest::newRow("entries on the disk differ from the total") << "on_disk = 0" << true << zip64Archive;
        QTest::newRow("record signature wrong") << "signature += 1" << false << "Office 中央目录结构无效";
        QTest::newRow("comment past the end of the file") << "comment = 0xFFFF" << false << "Office 中央目录条目被截断";
        QTest::newRow("name past the declared directory") << "directory_size = 46" << false << "";
        QTest::newRow("directory smaller than a record") << "directory_size = 45" << false << "";
        QTest::newRow("NUL in a name") << "name = b'a\\0.txt'" << true << "Office 容器包含非法条目名";
    }

    void bothReaders()
    {
        QFETCH(QString, settings);
        QFETCH(bool, valid);
        QFETCH(QString, preview);
        const QString path = dir_.filePath(QStringLiteral("directory.zip"));
        QCOMPARE(python(QStringLiteral(
            "import sys, struct, zlib\n"
            "ALL = ('size', 'compressed', 'offset')\n"
            "end64, locator, fields, keep, name, comment, on_disk, signature, directory_size = False, True, (), 24, b'a.txt', 0, 1, 0x02014b50, None\n"
            "%1\n"
            "data = b'hello, zip64' * 8\n"
            "deflate = zlib.compressobj(9, zlib.DEFLATED, -15)\n"
            "packed = deflate.compress(data) + deflate.flush()\n"
            "crc = zlib.crc32(data)\n"
            "local = struct.pack('<IHHHHHIIIHH', 0x04034b50, 45, 0, 8, 0, 0, crc, len(packed), len(data), len(name), 0) + name + packed\n"
            "values = {'size': len(data), 'compressed': len(packed), 'offset': 0}\n"
            "wide = b''.join(struct.pack('<Q', values[f]) for f in ALL if f in fields)[:keep]\n"
            "extra = struct.pack('<HH', 1, len(wide)) + wide if fields and keep else b''\n"
            "field = lambda f: 0xFFFFFFFF if f in fields else values[f]\n"
            "record = struct.pack('<IHHHHHHIIIHHHHHII', signature, 45, 45, 0, 8, 0, 0, crc, field('compressed'), field('size'),\n"
            "                     len(name), len(extra), comment, 0, 0, 0, field('offset')) + name + extra\n"
            "size = len(record) if directory_size is None else directory_size\n"
            "if end64:\n"
            "    tail = struct.pack('<IQHHIIQQQQ', 0x06064b50, 44, 45, 45, 0, 0, 1, 1, size, len(local))\n"
            "    if locator:\n"
            "        tail += struct.pack('<IIQI', 0x07064b50, 0, len(local) + len(record), 1)\n"
            "    tail += struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0)\n"
            "else:\n"
            "    tail = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, on_disk, 1, size, len(local), 0)\n"
            "open(sys.argv[1], 'wb').write(local + record + tail)\n").arg(settings), {path}).exitCode, 0);
        if (toolAvailable(QStringLiteral("unzip")))
            QCOMPARE(runTool(QStringLiteral("unzip"), {"-tqq", path}).exitCode == 0, valid);

        const OutputValidationResult result = OutputValidationService::validateOutput(path);
        QVERIFY2(result.valid == valid, qPrintable(result.message.toString()));

        OfficeZipArchive archive(path);
        UiText error;
        QCOMPARE(archive.readDirectory(error), preview.isEmpty());
        QCOMPARE(error.toString(), preview);
        if (preview.isEmpty()) {
            QCOMPARE(archive.entries().size(), 1);
            QCOMPARE(archive.readEntry(QStringLiteral("a.txt"), error), QByteArray("hello, zip64").repeated(8));
        }
    }
};

QTEST_MAIN(ZipDirectoryTest)
#include "zip_directory_test.moc"
