// What a repair leaves on disk and where: private task folders and working copies, results saved
// under names close to the system's limit, and reports whose name cannot be used.

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

int mode(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Creates under the given mask (by default wide open, so only the program's own choice of modes
// keeps others out).
class OpenMask {
public:
    explicit OpenMask(mode_t mask = 0) : previous_(::umask(mask)) {}
    ~OpenMask() { ::umask(previous_); }

private:
    mode_t previous_;
};

} // namespace

class RepairWorkflowFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(repairOutputPath()).removeRecursively();
    }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void taskFoldersAndWorkingCopiesAreTheUsersOnly()
    {
        QTemporaryDir dir;
        // A long path, so the job works on a private copy of the input.
        const QString input = dir.filePath(QString(240, QLatin1Char('w')) + QStringLiteral(".jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const OpenMask open;
        RepairWorkflowController controller;
        const auto analysis = runRepairOperation(&controller, input, QString(), controller.sessionDirectory(), true,
                                                 QStringLiteral("analyze"));
        QVERIFY2(analysis.ok, qPrintable(analysis.error.toString()));
        const QString task = analysis.taskDirectory;
        QCOMPARE(mode(task), 0700);
        QCOMPARE(mode(task + QStringLiteral("/work")), 0700);
        QCOMPARE(mode(task + QStringLiteral("/work/input.jpg")), 0600);
        QCOMPARE(mode(task + QStringLiteral("/.created")), 0600);

        // A sealed result and its decrypted preview, too.
        QVERIFY(repairToPreview(controller, input));
        const QString sealedTask = controller.taskDirectory();
        QCOMPARE(mode(sealedTask), 0700);
        QCOMPARE(mode(sealedTask + QStringLiteral("/result.drcache")), 0600);
        QCOMPARE(mode(sealedTask + QStringLiteral("/preview")), 0700);
        QCOMPARE(mode(controller.previewUrl().toLocalFile()), 0600);
    }

    // A saved result is the user's file like any other: its mode follows the umask, while the
    // cache it came from stays the user's only.
    void savedResultFollowsTheUmask_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        QTest::newRow("usual 022") << 022 << 0644;
        QTest::newRow("group-writable 002") << 002 << 0664;
        QTest::newRow("private 077") << 077 << 0600;
    }
    void savedResultFollowsTheUmask()
    {
        QFETCH(int, mask);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));

        const OpenMask umask(static_cast<mode_t>(mask));
        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));
        const QString task = c.taskDirectory();
        QCOMPARE(mode(task), 0700);
        QCOMPARE(mode(task + QStringLiteral("/result.drcache")), 0600);
        QCOMPARE(mode(c.previewUrl().toLocalFile()), 0600);
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        QCOMPARE(mode(c.outputPath()), expected);
    }

    // The name on the result card before saving is the name the save then gives the file.
    void resultIsShownUnderTheNameItIsSavedAs()
    {
        QTemporaryDir dir;
        const QString base = QStringLiteral("Fotó_日本語_ÄÖÜ (1)");
        const QString input = dir.filePath(base + QStringLiteral(".jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));

        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));
        const QString shown = c.outputName();
        QCOMPARE(shown, base + QStringLiteral("_repaired.jpg"));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        QCOMPARE(QDir(saveFolder).entryList(QDir::Files), QStringList{shown});
        QCOMPARE(c.outputName(), shown);
    }

    void longNamesSaveAndUnusableReportNamesFailPlainly()
    {
        QTemporaryDir dir;
        // The saved name is 253 bytes: close to the limit, but a valid name.
        const QString base(240, QLatin1Char('p'));
        const QString input = dir.filePath(base + QStringLiteral(".jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));

        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));
        // The engine worked on a private copy with a short name; the result is shown under its own.
        QCOMPARE(c.outputName(), base + QStringLiteral("_repaired.jpg"));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString saved = QDir(saveFolder).filePath(base + QStringLiteral("_repaired.jpg"));
        QCOMPARE(c.outputPath(), saved);
        QCOMPARE(QDir(saveFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{base + QStringLiteral("_repaired.jpg")});

        QCOMPARE(c.outputName(), base + QStringLiteral("_repaired.jpg"));

        // Its report name would be longer than the system allows: the stem is shortened to fit.
        QVERIFY2(c.exportReport(QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString report = base.left(255 - 19 - 8) + QStringLiteral("_repair_report.json");
        QCOMPARE(QDir(saveFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{report, base + QStringLiteral("_repaired.jpg")}));
        // A second save of a name that just fits takes a number and is shortened for it.
        QVERIFY(repairToPreview(c, input));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString second = QFileInfo(c.outputPath()).fileName();
        QVERIFY2(second.startsWith(base) && second.endsWith(QStringLiteral(" (2).jpg")) && second.size() <= 255, qPrintable(second));
    }
};

QTEST_GUILESS_MAIN(RepairWorkflowFilesTest)
#include "repair_workflow_files_test.moc"
