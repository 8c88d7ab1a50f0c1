// Files put in the place of the files the workflow reads or keeps: a pipe, device or folder where
// a working copy or a sealed result is read, an input replaced between its analysis and its
// repair, another task's sealed result copied over this one's, and the saves that fail because of
// what the target folder is - each fails at once and says why, and nothing is lost or left behind.

#include <QDir>
#include <QFutureWatcher>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/encrypted_file_store.h"
#include "app/repair_job.h"
#include "app/repair_workflow_controller.h"
#include "repair_workflow_fixtures.h"
#include "services/session_cache.h"

using namespace olm::repair;
using namespace workflow_fixtures;

namespace {

// What "at once" allows on a loaded machine; a reader stuck on a pipe never returns at all.
constexpr int kPromptMs = 20000;

// Runs `work` on a pool thread and waits for it a bounded time. A call that blocks on a pipe is
// released by opening the pipe's other end, so a failing check ends the test instead of hanging it.
template <typename T>
bool finishesPromptly(const std::function<T()>& work, const QString& pipe, T* outcome)
{
    QFuture<T> future = QtConcurrent::run(work);
    QDeadlineTimer deadline(kPromptMs);
    while (!future.isFinished() && !deadline.hasExpired())
        QTest::qWait(10);
    const bool prompt = future.isFinished();
    if (!prompt && !pipe.isEmpty()) {
        const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        future.waitForFinished();
        if (writer >= 0)
            ::close(writer);
    }
    *outcome = future.result();
    return prompt;
}

// The kinds of non-files put in a file's place.
enum class Stand { Pipe, Device, Folder };

bool makeStandIn(Stand kind, const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case Stand::Pipe: return ::mkfifo(native.constData(), 0600) == 0;
    case Stand::Device: return ::symlink("/dev/zero", native.constData()) == 0;
    case Stand::Folder: return QDir().mkpath(path);
    }
    return false;
}

// A folder in which no file may be made: owner write permission taken away, and for root (whom
// permissions do not stop) the file system's immutable flag. Undone by the destructor.
class LockedFolder {
public:
    explicit LockedFolder(const QString& path) : path_(path)
    {
        ::chmod(QFile::encodeName(path_).constData(), 0555);
        if (::geteuid() == 0)
            immutable_ = setImmutable(true);
    }
    ~LockedFolder()
    {
        if (immutable_)
            setImmutable(false);
        ::chmod(QFile::encodeName(path_).constData(), 0755);
    }
    bool locked() const { return ::geteuid() != 0 || immutable_; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }
    QString path_;
    bool immutable_ = false;
};

} // namespace

class RepairWorkflowSwappedFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { setRepairFactoryProvider({}); }
    void cleanupTestCase() { QDir(repairOutputPath()).removeRecursively(); }

    void pipesDevicesAndFoldersFailAtOnce_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("asSample");
        QTest::newRow("pipe as the sample") << int(Stand::Pipe) << true;
        QTest::newRow("device as the sample") << int(Stand::Device) << true;
        QTest::newRow("folder as the sample") << int(Stand::Folder) << true;
        QTest::newRow("pipe as the input") << int(Stand::Pipe) << false;
        QTest::newRow("device as the input") << int(Stand::Device) << false;
    }

    // Non-ASCII names are read through private working copies; whatever stands at such a path is
    // refused without a byte read, with a text that says what it is.
    void pipesDevicesAndFoldersFailAtOnce()
    {
        QFETCH(int, kind);
        QFETCH(bool, asSample);
        QTemporaryDir dir;
        RepairWorkflowController controller;
        const QString input = dir.filePath(QStringLiteral("相片.jpg"));
        const QString sample = dir.filePath(QStringLiteral("样本.jpg"));
        const QString standIn = asSample ? sample : input;
        if (asSample)
            QVERIFY(makeDamagedJpeg(input));
        QVERIFY(makeStandIn(static_cast<Stand>(kind), standIn));
        scriptEngine([](const data_repair::RepairRequest&, data_repair::IProgress*, bool) {
            data_repair::RepairResult result;
            result.status = data_repair::RepairStatus::success();
            return result;
        });

        const QString session = controller.sessionDirectory();
        RepairOperationResult result;
        const bool prompt = finishesPromptly<RepairOperationResult>(
            [&] { return runRepairOperation(&controller, input, sample, session, true, QStringLiteral("analyze")); },
            kind == int(Stand::Pipe) ? standIn : QString(), &result);
        QVERIFY2(prompt, "the job waited on what stands at the path");
        QVERIFY(!result.ok);
        QVERIFY2(result.error.toString().contains(QStringLiteral("不是普通文件")), qPrintable(result.error.toString()));
        QVERIFY(result.error.toString().contains(QFileInfo(standIn).fileName()));
    }

    void repairRunsOnlyOnTheFileAnalysed_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("unchanged") << "none" << true;
        QTest::newRow("replaced by another file") << "replace" << false;
        QTest::newRow("rewritten in place") << "rewrite" << false;
        QTest::newRow("only its time changed") << "touch" << false;
    }

    void repairRunsOnlyOnTheFileAnalysed()
    {
        QFETCH(QString, change);
        QFETCH(bool, repaired);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QByteArray original = readAll(input);

        RepairWorkflowController c;
        c.selectInput(QUrl::fromLocalFile(input));
        c.analyze();
        QVERIFY(waitIdle(c));
        QCOMPARE(c.state(), WorkflowState::AnalysisCompleted);

        if (change == QLatin1String("replace")) {
            // Another photo moved into the name, as a file manager's "replace" does.
            const QString other = dir.filePath(QStringLiteral("other.jpg"));
            QVERIFY(makeDamagedJpeg(other));
            QVERIFY(::rename(QFile::encodeName(other).constData(), QFile::encodeName(input).constData()) == 0);
        } else if (change == QLatin1String("rewrite")) {
            // The same file written again in place (same inode and size): an editor's save. Its
            // bytes stay decodable, so the repair after a new analysis passes validation too.
            QTest::qWait(20);
            QVERIFY(writeAll(input, original));
        } else if (change == QLatin1String("touch")) {
            struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
            QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(input).constData(), times, 0) == 0);
        }

        c.repair();
        QVERIFY(waitIdle(c));
        if (repaired) {
            QVERIFY2(c.state() == WorkflowState::PreviewReady, qPrintable(c.status()));
            return;
        }
        // The old findings do not stand for this file: it goes back to be analysed anew.
        QCOMPARE(c.state(), WorkflowState::FileSelected);
        QCOMPARE(c.status(), QStringLiteral("输入文件在分析后已被更改或替换，请重新分析后再修复"));
        QVERIFY(c.findings().isEmpty());
        QVERIFY(!c.canRepair());
        QVERIFY(c.canAnalyze());
        QVERIFY(c.taskDirectory().isEmpty());
        // Analysed again, it repairs.
        c.analyze();
        QVERIFY(waitIdle(c));
        c.repair();
        QVERIFY(waitIdle(c));
        QVERIFY2(c.state() == WorkflowState::PreviewReady, qPrintable(c.status()));
    }

    // The store opens only the container it sealed: another one of the same user (the same master
    // key, a perfectly valid container) is refused before anything is written.
    void sealedContainerIsOpenedOnlyAgainstWhatWasSealed()
    {
        QTemporaryDir dir;
        const QString plainA = dir.filePath(QStringLiteral("a.bin"));
        const QString plainB = dir.filePath(QStringLiteral("b.bin"));
        QVERIFY(writeAll(plainA, QByteArray(5000, 'a')));
        QVERIFY(writeAll(plainB, QByteArray(5000, 'b')));
        const QString containerA = dir.filePath(QStringLiteral("a.drcache"));
        const QString containerB = dir.filePath(QStringLiteral("b.drcache"));
        EncryptedFileStore::SealedContainer sealA;
        EncryptedFileStore::SealedContainer sealB;
        QVERIFY(EncryptedFileStore::encryptFile(plainA, containerA, nullptr, &sealA));
        QVERIFY(EncryptedFileStore::encryptFile(plainB, containerB, nullptr, &sealB));
        QCOMPARE(sealA.size, QFileInfo(containerA).size());
        QCOMPARE(sealA.lastTag.size(), qsizetype(16));
        QVERIFY(sealA.lastTag != sealB.lastTag);

        const QString out = dir.filePath(QStringLiteral("out.bin"));
        QVERIFY(EncryptedFileStore::decryptFile(containerA, out, nullptr, &sealA));
        QCOMPARE(readAll(out), readAll(plainA));
        QFile::remove(out);

        // B copied over A: same length, valid in itself, and still not A.
        QVERIFY(QFile::remove(containerA));
        QVERIFY(QFile::copy(containerB, containerA));
        UiText error;
        QVERIFY(!EncryptedFileStore::decryptFile(containerA, out, &error, &sealA));
        QCOMPARE(error.toString(), QStringLiteral("加密临时结果不是本次修复封存的结果，已拒绝使用"));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(entries(dir.path()).filter(QStringLiteral("out")), QStringList());

        // A pipe in its place fails at once instead of waiting for a writer.
        QVERIFY(QFile::remove(containerA));
        QVERIFY(::mkfifo(QFile::encodeName(containerA).constData(), 0600) == 0);
        bool opened = true;
        const bool prompt = finishesPromptly<bool>(
            [&] { return EncryptedFileStore::decryptFile(containerA, out, &error, &sealA); }, containerA, &opened);
        QVERIFY2(prompt, "opening the sealed result waited on a pipe");
        QVERIFY(!opened);
        QVERIFY2(error.toString().contains(QStringLiteral("不是普通文件")), qPrintable(error.toString()));
    }

    // Through the window: another task's result copied over this one's is not saved (nor shown)
    // as this repair, and the status says why.
    void anotherTasksResultIsNeverSavedAsThisOne()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.jpg"));
        const QString second = dir.filePath(QStringLiteral("second.jpg"));
        QVERIFY(makeDamagedJpeg(first));
        QVERIFY(makeDamagedJpeg(second));
        RepairWorkflowController other;
        QVERIFY(repairToPreview(other, second));
        const QString foreign = QDir(other.taskDirectory()).filePath(QStringLiteral("result.drcache"));

        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, first));
        const QString mine = QDir(c.taskDirectory()).filePath(QStringLiteral("result.drcache"));
        QVERIFY(QFile::remove(mine));
        QVERIFY(QFile::copy(foreign, mine));

        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));
        QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(saveFolder)));
        QCOMPARE(c.status(), QStringLiteral("保存失败，缓存结果仍保留：加密临时结果不是本次修复封存的结果，已拒绝使用"));
        QCOMPARE(c.state(), WorkflowState::PreviewReady);
        QVERIFY(entries(saveFolder).isEmpty());
    }

    void saveFailuresSayWhy()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));

        // A folder that takes no new file.
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(locked));
        {
            const LockedFolder lock(locked);
            if (!lock.locked())
                QSKIP("this file system cannot lock a folder against its owner");
            QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(locked)));
            QVERIFY2(c.status() == QStringLiteral("保存失败，缓存结果仍保留：目标文件夹不可写")
                         || c.status() == QStringLiteral("目标目录不存在或不可写"),
                     qPrintable(c.status()));
            QVERIFY(entries(locked).isEmpty());
        }

        // A damaged sealed result.
        const QString container = QDir(c.taskDirectory()).filePath(QStringLiteral("result.drcache"));
        QByteArray bytes = readAll(container);
        bytes[bytes.size() - 1] = static_cast<char>(bytes[bytes.size() - 1] ^ 0x01);
        QVERIFY(writeAll(container, bytes));
        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));
        QVERIFY(!saveAndWait(c, QUrl::fromLocalFile(saveFolder)));
        QCOMPARE(c.status(), QStringLiteral("保存失败，缓存结果仍保留：加密临时结果认证失败，文件可能已损坏或被篡改"));
        QVERIFY(entries(saveFolder).isEmpty());
        QCOMPARE(c.state(), WorkflowState::PreviewReady);
    }

    // An input whose name uses all 255 bytes a name may have: its repair is saved (and its report
    // written) under a name whose stem was shortened to fit, the numbered names too.
    void longestInputNameIsSavedUnderAShortenedName()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("in"));
        QVERIFY(QDir().mkpath(folder));
        // 83 three-byte characters (249 bytes), two letters and ".jpg": 255 bytes.
        const QString stem = QString(83, QChar(0x6587)) + QStringLiteral("ab");
        const QString input = QDir(folder).filePath(stem + QStringLiteral(".jpg"));
        QCOMPARE(QFile::encodeName(QFileInfo(input).fileName()).size(), 255);
        const QString made = dir.filePath(QStringLiteral("made.jpg"));
        QVERIFY(makeDamagedJpeg(made));
        QVERIFY(QFile::rename(made, input));
        RepairWorkflowController c;
        QVERIFY(repairToPreview(c, input));

        const QString saveFolder = dir.filePath(QStringLiteral("saved"));
        QVERIFY(QDir().mkpath(saveFolder));
        QVERIFY2(saveAndWait(c, QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        const QString saved = QFileInfo(c.outputPath()).fileName();
        QVERIFY(saved.endsWith(QStringLiteral("_repaired.jpg")));
        QVERIFY(stem.startsWith(saved.chopped(int(QStringLiteral("_repaired.jpg").size()))));
        QVERIFY(QFile::encodeName(saved).size() <= 255);
        WORKFLOW_REQUIRE_TOOL("djpeg");
        QCOMPARE(runTool(QStringLiteral("djpeg"), {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), c.outputPath()}).exitCode, 0);

        QVERIFY2(c.exportReport(QUrl::fromLocalFile(saveFolder)), qPrintable(c.status()));
        QVERIFY(c.exportReport(QUrl::fromLocalFile(saveFolder)));
        const QStringList reports = entries(saveFolder).filter(QStringLiteral("_repair_report"));
        QCOMPARE(reports.size(), 2);
        for (const QString& report : reports)
            QVERIFY(QFile::encodeName(report).size() <= 255);
    }

    // The decrypted preview goes at exit even when its task folder can no longer be written: the
    // removal gives its own folders their write permission back. Run as a user permissions bind
    // (root is let through any folder), in a child process.
    void decryptedPreviewGoesFromAReadOnlyTaskFolder()
    {
        QTemporaryDir dir;
        const QString home = dir.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        const uid_t nobody = 65534;
        if (::geteuid() == 0) {
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
            QVERIFY(::chown(QFile::encodeName(home).constData(), nobody, nobody) == 0);
        }
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
                ::_exit(10);
            qputenv("HOME", QFile::encodeName(home));
            const QString task = QDir(repairOutputPath()).filePath(QStringLiteral("session-00000000-0000-0000-0000-000000000001/"
                                                                                  "00000000-0000-0000-0000-000000000002"));
            const QString preview = QDir(task).filePath(QStringLiteral("preview"));
            if (!makePrivateCacheFolder(preview) || !writeAll(QDir(preview).filePath(QStringLiteral("photo.jpg")), "plain"))
                ::_exit(11);
            ::chmod(QFile::encodeName(preview).constData(), 0500);
            ::chmod(QFile::encodeName(task).constData(), 0500);
            const bool removed = removeCacheEntry(task);
            ::_exit(removed && !QFileInfo::exists(QDir(preview).filePath(QStringLiteral("photo.jpg"))) ? 0 : 12);
        }
        int status = 0;
        QVERIFY(::waitpid(child, &status, 0) == child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

private:
    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
};

QTEST_GUILESS_MAIN(RepairWorkflowSwappedFilesTest)
#include "repair_workflow_swapped_files_test.moc"
