// Files the program writes for the user or for itself, on a hostile file system: a full disk
// (played by a file-size limit: writes past it fail as on a full disk), names the system cannot
// look at, links standing where a new file should go, and names with placeholder characters.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#include "app/encrypted_file_store.h"
#include "app/result_saving.h"
#include "common/save_file_commit.h"
#include "file_size_limit.h"
#include "services/settings_service.h"
#include "settings_store_fixture.h"

using namespace olm::repair;

namespace {

constexpr rlim_t kDiskRoom = 4096;
// Past the room left, but within the save file's write buffer, so only the final flush can fail.
const QByteArray kPayload(8192, 'x');

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class OutputFilesTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;
    QTemporaryDir profile_;

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Output Files Test")));
        QVERIFY(profile_.isValid());
        // The result store's keys and cache of this run.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(profile_.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(profile_.filePath(QStringLiteral("data"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(profile_.filePath(QStringLiteral("cache"))));
    }

    void freeNameSearchStopsOnAnythingButATakenName()
    {
        QTemporaryDir dir;
        QVERIFY(writePlain(dir.filePath(QStringLiteral("plain-file")), "x"));
        const QString longBase(240, QLatin1Char('a'));
        struct Case {
            const char* what;
            QString folder;
            QString name;
            int error;
        };
        const Case cases[] = {
            {"name longer than the system allows", dir.path(), longBase + QStringLiteral("_repair_report.json"), ENAMETOOLONG},
            {"folder that is a file", dir.filePath(QStringLiteral("plain-file")), QStringLiteral("r.json"), ENOTDIR},
        };
        // The search ends at the first name it cannot look at, with the system's reason.
        for (const Case& c : cases) {
            QString error;
            QVERIFY2(uniqueOutputPath(c.folder, c.name, &error).isEmpty(), c.what);
            QCOMPARE(error, qt_error_string(c.error));
            error.clear();
            QVERIFY(writePlain(dir.filePath(QStringLiteral("partial")), "x"));
            QVERIFY2(moveToFreeOutputPath(dir.filePath(QStringLiteral("partial")), c.folder, c.name, &error).isEmpty(), c.what);
            QCOMPARE(error, qt_error_string(c.error));
            QVERIFY(QFile::exists(dir.filePath(QStringLiteral("partial"))));
        }

        // Every numbered name taken: the search ends after as many names as the engine tries.
        QVERIFY(writePlain(dir.filePath(QStringLiteral("r.json")), "x"));
        for (int n = 2; n <= 10000; ++n)
            QVERIFY(writePlain(dir.filePath(QStringLiteral("r (%1).json").arg(n)), "x"));
        QString error;
        QVERIFY(uniqueOutputPath(dir.path(), QStringLiteral("r.json"), &error).isEmpty());
        QCOMPARE(error, qt_error_string(EEXIST));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("r (10000).json"))));
        QCOMPARE(uniqueOutputPath(dir.path(), QStringLiteral("r.json")), dir.filePath(QStringLiteral("r (10000).json")));
    }

    void placeholderCharactersInNamesStayAsTheyAre()
    {
        QTemporaryDir dir;
        for (const QString& name : {QStringLiteral("a%1b_repaired.jpg"), QStringLiteral("%2%1.%3"), QStringLiteral("x%1")}) {
            QVERIFY(writePlain(dir.filePath(name), "x"));
            const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
            const QString second = dot < 0 ? name + QStringLiteral(" (2)") : name.left(dot) + QStringLiteral(" (2)") + name.mid(dot);
            QCOMPARE(uniqueOutputPath(dir.path(), name), dir.filePath(second));
        }
    }

    void aNewFileIsNeverWrittenThroughALink()
    {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("outside.json"));
        const QString kept = elsewhere.filePath(QStringLiteral("kept.json"));
        QVERIFY(writePlain(kept, "keep"));
        const QString dangling = dir.filePath(QStringLiteral("a.json"));
        const QString toFile = dir.filePath(QStringLiteral("b.json"));
        QVERIFY(QFile::link(outside, dangling));
        QVERIFY(QFile::link(kept, toFile));
        for (const QString& target : {dangling, toFile}) {
            QString error;
            QVERIFY(!writeJsonFile(target, {{QStringLiteral("k"), 1}}, &error));
            QVERIFY(!error.isEmpty());
            QVERIFY(QFileInfo(target).isSymLink());
        }
        QVERIFY(!QFileInfo::exists(outside));
        QFile keptFile(kept);
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), QByteArray("keep"));
        QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("a.json"), QStringLiteral("b.json")}));
        // The free name beside them is written.
        QVERIFY(writeJsonFile(dir.filePath(QStringLiteral("c.json")), {{QStringLiteral("k"), 1}}));
    }

    void aFullDiskIsAFailureAndLeavesNoFile()
    {
        QTemporaryDir dir;
        // The result store's key exists before the disk fills up.
        const QString plain = dir.filePath(QStringLiteral("result.bin"));
        QVERIFY(writePlain(plain, kPayload));
        QVERIFY(EncryptedFileStore::encryptFile(plain, dir.filePath(QStringLiteral("warm.drcache"))));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("warm.drcache"))));
        const QStringList before = entries(dir.path());
        SettingsService settings;

        FileSizeLimit full(kDiskRoom);
        QVERIFY(full.active());
        QString error;
        QVERIFY(!writeJsonFile(dir.filePath(QStringLiteral("report.json")),
                               {{QStringLiteral("text"), QString::fromLatin1(kPayload)}}, &error));
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(writeNewFile(dir.path(), kPayload, &error).isEmpty());
        QVERIFY(!error.isEmpty());
        {
            QSaveFile file(dir.filePath(QStringLiteral("saved.bin")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(kPayload), qint64(kPayload.size()));
            error.clear();
            QVERIFY(!commitSaveFile(file, &error));
            QVERIFY(!error.isEmpty());
        }
        UiText storeError;
        QVERIFY(!EncryptedFileStore::encryptFile(plain, dir.filePath(QStringLiteral("result.drcache")), &storeError));
        QVERIFY(!storeError.toString().isEmpty());
        QVERIFY(!settings.saveFeedback(QUrl::fromLocalFile(dir.filePath(QStringLiteral("feedback.txt"))),
                                       QString::fromLatin1(kPayload)));
        QCOMPARE(entries(dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(OutputFilesTest)
#include "output_files_test.moc"
