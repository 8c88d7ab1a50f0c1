// Smoke runs of the real program, headless: page captures in two languages, a feedback submission
// to a local server, quick repairs of damaged files made here, and the exit code of each failure.
// Runs against windows the program never has go through the start-up probe (smoke_probe.cpp).
//
// Environment (set by tests/app/CMakeLists.txt): KORVEX_APP_EXECUTABLE, KORVEX_SMOKE_PROBE,
// KORVEX_SMOKE_FEEDBACK_EXECUTABLE and KORVEX_SMOKE_FEEDBACK_PORT (a build of the program whose
// account API base is http://127.0.0.1:<port>/api), KORVEX_SMOKE_CAPTURE_DIR (captures kept for
// looking at), KORVEX_SOURCE_DIR.

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "fake_account_server.h"
#include "repair_workflow_fixtures.h"

using namespace workflow_fixtures;

namespace {

using Variables = QList<QPair<QString, QString>>;

struct SmokeRun {
    int exitCode = -1; // -1: did not start or did not end in time; -2: crashed
    QString log; // stderr
    QString cacheRoot; // the run's XDG cache folder
};

QString requiredPath(const char* variable)
{
    const QString path = qEnvironmentVariable(variable);
    if (path.isEmpty() || !QFileInfo::exists(path))
        qFatal("%s must name an existing path", variable);
    return path;
}

// Runs `program` in smoke mode with its own settings, cache and runtime folders under `home`. The
// event loop keeps turning meanwhile, so a server living in this process can answer the program.
// The program's own wait for a repair result is stretched, and so is this one: on a loaded machine a
// slow run is not a hung one. A hung run still ends, only later.
SmokeRun runSmoke(const QString& program, const QTemporaryDir& home, const Variables& variables, int timeoutMs = 300000)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : env.keys()) {
        if (name.startsWith(QLatin1String("KORVEX_REPAIR_SMOKE_")))
            env.remove(name);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KORVEX_REPAIR_SMOKE_TEST"), QStringLiteral("1"));
    env.insert(QStringLiteral("KORVEX_REPAIR_SMOKE_REPAIR_TIMEOUT_MS"), QStringLiteral("240000"));
    for (const char* folder : {"config", "cache", "data", "runtime"})
        QDir(home.path()).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    for (const auto& [name, value] : variables)
        env.insert(name, value);

    SmokeRun run;
    run.cacheRoot = home.filePath(QStringLiteral("cache"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home.path());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start(program, {});
    if (!process.waitForStarted(10000))
        return run;
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        run.log = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.log = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString appProgram() { return requiredPath("KORVEX_APP_EXECUTABLE"); }
QString probeProgram() { return requiredPath("KORVEX_SMOKE_PROBE"); }

// Where captures are kept for people to look at after the run.
QString captureRoot()
{
    const QString root = qEnvironmentVariable("KORVEX_SMOKE_CAPTURE_DIR");
    if (root.isEmpty() || !QDir().mkpath(root))
        qFatal("KORVEX_SMOKE_CAPTURE_DIR must name a folder for the captures");
    return root;
}

QString keptCapture(const QString& relative)
{
    const QString path = QDir(captureRoot()).filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".result.json"));
    return path;
}

// A capture is a PNG a real checker accepts, of the window's size.
void verifyCapture(const QString& path, const QSize& expectedSize)
{
    QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), expectedSize);
    WORKFLOW_REQUIRE_TOOL("pngcheck");
    const ToolRun check = runTool(QStringLiteral("pngcheck"), {QStringLiteral("-q"), path});
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
}

QByteArray imageDigest(const QString& path)
{
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()), QCryptographicHash::Sha256);
}

// Sessions live in the smoke organisation's cache and are gone once the program has ended.
void verifySessionsRemoved(const SmokeRun& run)
{
    const QDir sessions(QDir(run.cacheRoot).filePath(QStringLiteral("KorvexSmokeTests/Korvex File Repair/repair-output")));
    QVERIFY2(sessions.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty(),
             qPrintable(sessions.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).join(QLatin1Char(','))));
}

const QSize kDefaultWindowSize(1120, 760);

bool makeDamagedInput(const QString& kind, const QString& path)
{
    if (kind == QLatin1String("jpeg"))
        return makeDamagedJpeg(path);
    if (kind == QLatin1String("cut-jpeg")) {
        // The same photo without its junk, cut at 70 %: it comes back as the part that survived.
        if (!makeDamagedJpeg(path))
            return false;
        const QByteArray photo = readAll(path).mid(300);
        return writeAll(path, photo.left(photo.size() * 7 / 10));
    }
    if (kind == QLatin1String("pdf"))
        return makeDamagedPdf(path);
    if (kind == QLatin1String("mp4"))
        return makeMp4WithPrefix(path);
    // Neither a known signature nor a known extension: refused at the analysis.
    return writeAll(path, QByteArray("no format anyone knows\n").repeated(64));
}

} // namespace

class SmokeTest : public QObject {
    Q_OBJECT

private:
    void addPageRows()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("helpFeedback");
        QTest::newRow("repair") << "repair" << "" << "";
        for (const char* section : {"general", "repair", "privacy", "license", "agreement", "privacyPolicy"})
            QTest::addRow("settings-%s", section) << "settings" << section << "";
        QTest::newRow("help") << "help" << "" << "";
        QTest::newRow("help-feedback") << "help" << "" << "1";
        QTest::newRow("account") << "account" << "" << "";
    }

    void capturePage(const QString& language)
    {
        QFETCH(QString, page);
        QFETCH(QString, section);
        QFETCH(QString, helpFeedback);
        const QString capture = keptCapture(QStringLiteral("pages/%1/%2.png").arg(language, QString::fromUtf8(QTest::currentDataTag())));
        QTemporaryDir home;
        const SmokeRun run = runSmoke(appProgram(), home,
                                      {{"KORVEX_REPAIR_SMOKE_LANGUAGE", language}, {"KORVEX_REPAIR_SMOKE_PAGE", page},
                                       {"KORVEX_REPAIR_SMOKE_SECTION", section},
                                       {"KORVEX_REPAIR_SMOKE_HELP_FEEDBACK", helpFeedback},
                                       {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.log));
        verifyCapture(capture, kDefaultWindowSize);
    }

    // Every page of a language looks different: the page and section choices reached the window.
    void verifyPagesDistinct(const QString& language)
    {
        const QDir folder(QDir(captureRoot()).filePath(QStringLiteral("pages/") + language));
        QHash<QByteArray, QString> seen;
        const QStringList captures = folder.entryList({QStringLiteral("*.png")}, QDir::Files);
        QCOMPARE(captures.size(), 10);
        for (const QString& name : captures) {
            const QByteArray digest = imageDigest(folder.filePath(name));
            QVERIFY2(!seen.contains(digest), qPrintable(name + QStringLiteral(" looks like ") + seen.value(digest)));
            seen.insert(digest, name);
        }
    }

private slots:
    void capturesInSimplifiedChinese_data() { addPageRows(); }
    void capturesInSimplifiedChinese() { capturePage(QStringLiteral("zh-CN")); }
    void capturesInEnglish_data() { addPageRows(); }
    void capturesInEnglish() { capturePage(QStringLiteral("en-US")); }

    void capturesDifferPerPageAndLanguage()
    {
        verifyPagesDistinct(QStringLiteral("zh-CN"));
        verifyPagesDistinct(QStringLiteral("en-US"));
        const QDir root(QDir(captureRoot()).filePath(QStringLiteral("pages")));
        QVERIFY(imageDigest(root.filePath(QStringLiteral("zh-CN/help.png"))) != imageDigest(root.filePath(QStringLiteral("en-US/help.png"))));
    }

    void plainRunQuitsWithZero_data()
    {
        QTest::addColumn<Variables>("variables");
        QTest::newRow("nothing else set") << Variables{};
        QTest::newRow("repair input without a capture") << Variables{{"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", "/nonexistent/x.jpg"}};
        QTest::newRow("feedback text without a capture") << Variables{{"KORVEX_REPAIR_SMOKE_FEEDBACK_MESSAGE", "hello"}};
    }
    void plainRunQuitsWithZero()
    {
        QFETCH(Variables, variables);
        QTemporaryDir home;
        const SmokeRun run = runSmoke(appProgram(), home, variables);
        QVERIFY2(run.exitCode == 0, qPrintable(run.log));
        // The run's language lands in the smoke organisation's own settings, never the user's.
        const QString store = QDir(home.filePath(QStringLiteral("config"))).filePath(QStringLiteral("KorvexSmokeTests/Korvex File Repair.conf"));
        QVERIFY2(QFileInfo::exists(store), qPrintable(store));
        QVERIFY(!QFileInfo::exists(QDir(home.filePath(QStringLiteral("config"))).filePath(QStringLiteral("Korvex"))));
    }

    // Sizes are read as C integers (decimal, 0x hex, 0 octal); anything else or 0 keeps the default.
    void windowSizeFromTheEnvironment_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("decimal") << "1200" << "800" << QSize(1200, 800);
        QTest::newRow("hex and octal") << "0x4B0" << "01440" << QSize(1200, 800);
        QTest::newRow("width only") << "1300" << "" << QSize(1300, 760);
        QTest::newRow("not numbers") << "wide" << "tall" << kDefaultWindowSize;
        QTest::newRow("zero and negative") << "0" << "-900" << kDefaultWindowSize;
    }
    void windowSizeFromTheEnvironment()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QSize, expected);
        QTemporaryDir home;
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const SmokeRun run = runSmoke(appProgram(), home,
                                      {{"KORVEX_REPAIR_SMOKE_WIDTH", width}, {"KORVEX_REPAIR_SMOKE_HEIGHT", height},
                                       {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.log));
        verifyCapture(capture, expected);
    }

    void captureThatCannotBeSavedExitsThree_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("unknown suffix") << "window.notanimageformat";
        QTest::newRow("missing folder") << "absent/window.png";
    }
    void captureThatCannotBeSavedExitsThree()
    {
        QFETCH(QString, name);
        QTemporaryDir home;
        const QString capture = home.filePath(name);
        const SmokeRun run = runSmoke(appProgram(), home, {{"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QCOMPARE(run.exitCode, 3);
        QVERIFY(!QFileInfo::exists(capture));
    }

    // Without a window nothing can be driven or captured: a requested run fails instead of
    // reporting success; only the plain run ends with 0.
    void noWindowFailsEveryRequestedRun_data()
    {
        QTest::addColumn<Variables>("variables");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("plain") << Variables{} << 0;
        QTest::newRow("capture") << Variables{{"KORVEX_REPAIR_SMOKE_CAPTURE", "@capture"}} << 3;
        QTest::newRow("repair") << Variables{{"KORVEX_REPAIR_SMOKE_CAPTURE", "@capture"}, {"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", "@input"}} << 3;
        QTest::newRow("feedback") << Variables{{"KORVEX_REPAIR_SMOKE_CAPTURE", "@capture"}, {"KORVEX_REPAIR_SMOKE_FEEDBACK_MESSAGE", "hello"}} << 8;
    }
    void noWindowFailsEveryRequestedRun()
    {
        QFETCH(Variables, variables);
        QFETCH(int, exitCode);
        QTemporaryDir home;
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const QString input = home.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        for (auto& [name, value] : variables)
            value.replace(QLatin1String("@capture"), capture).replace(QLatin1String("@input"), input);
        variables.append({QStringLiteral("KORVEX_SMOKE_PROBE_QML"), QDir(QStringLiteral(KORVEX_SMOKE_QML_DIR)).filePath(QStringLiteral("NotAWindow.qml"))});
        const SmokeRun run = runSmoke(probeProgram(), home, variables);
        QVERIFY2(run.exitCode == exitCode, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));
        QVERIFY(!QFileInfo::exists(capture));
    }

    void windowWithoutControlsOrController_data()
    {
        QTest::addColumn<Variables>("variables");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("repair without a controller") << Variables{{"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", "@input"}} << 4;
        QTest::newRow("feedback without its controls") << Variables{{"KORVEX_REPAIR_SMOKE_FEEDBACK_MESSAGE", "hello"}} << 8;
    }
    void windowWithoutControlsOrController()
    {
        QFETCH(Variables, variables);
        QFETCH(int, exitCode);
        QTemporaryDir home;
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const QString input = home.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        for (auto& [name, value] : variables)
            value.replace(QLatin1String("@input"), input);
        variables.append({QStringLiteral("KORVEX_REPAIR_SMOKE_CAPTURE"), capture});
        variables.append({QStringLiteral("KORVEX_SMOKE_PROBE_QML"), QDir(QStringLiteral(KORVEX_SMOKE_QML_DIR)).filePath(QStringLiteral("BareWindow.qml"))});
        const SmokeRun run = runSmoke(probeProgram(), home, variables);
        QVERIFY2(run.exitCode == exitCode, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));
        QVERIFY(!QFileInfo::exists(capture));
    }

    // The help view's feedback switch, the page and the settings section are applied in that order,
    // to objects found anywhere below the root.
    void pageChoicesReachTheirObjects()
    {
        QTemporaryDir home;
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const SmokeRun run = runSmoke(probeProgram(), home,
                                      {{"KORVEX_SMOKE_PROBE_QML", QDir(QStringLiteral(KORVEX_SMOKE_QML_DIR)).filePath(QStringLiteral("ProbeWindow.qml"))},
                                       {"KORVEX_REPAIR_SMOKE_PAGE", "help"}, {"KORVEX_REPAIR_SMOKE_SECTION", "privacy"},
                                       {"KORVEX_REPAIR_SMOKE_HELP_FEEDBACK", "1"}, {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.log));
        const qsizetype feedback = run.log.indexOf(QLatin1String("probe: feedbackVisible true"));
        const qsizetype page = run.log.indexOf(QLatin1String("probe: currentPage help"));
        const qsizetype section = run.log.indexOf(QLatin1String("probe: section privacy"));
        QVERIFY2(feedback >= 0 && page > feedback && section > page, qPrintable(run.log));
        verifyCapture(capture, QSize(640, 480));

        // "1" exactly switches the feedback view on.
        QTemporaryDir other;
        const SmokeRun yes = runSmoke(probeProgram(), other,
                                      {{"KORVEX_SMOKE_PROBE_QML", QDir(QStringLiteral(KORVEX_SMOKE_QML_DIR)).filePath(QStringLiteral("ProbeWindow.qml"))},
                                       {"KORVEX_REPAIR_SMOKE_HELP_FEEDBACK", "true"}});
        QVERIFY2(yes.exitCode == 0, qPrintable(yes.log));
        QVERIFY2(!yes.log.contains(QLatin1String("probe: feedbackVisible")), qPrintable(yes.log));
    }

    // The controller re-announces a state on every busy change; the quick repair still starts once,
    // so its progress text is never replaced by the "analyse first" refusal.
    void repairRunStartsTheQuickRepairOnce()
    {
        QTemporaryDir home;
        const QString input = home.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const SmokeRun run = runSmoke(probeProgram(), home,
                                      {{"KORVEX_SMOKE_PROBE_QML", QDir(QStringLiteral(KORVEX_SMOKE_QML_DIR)).filePath(QStringLiteral("ProbeWindow.qml"))},
                                       {"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", input}, {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.log));
        QVERIFY2(run.log.contains(QLatin1String("probe: state PreviewReady")), qPrintable(run.log));
        QVERIFY2(!run.log.contains(QStringLiteral("请先完成分析，再启动修复")), qPrintable(run.log));
        QCOMPARE(run.log.count(QLatin1String("probe: state Repairing")), 1);
        verifyCapture(capture, QSize(640, 480));
        verifySessionsRemoved(run);
    }

    void repairRunOfADamagedFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("jpeg") << "jpeg" << "photo.jpg";
        QTest::newRow("cut jpeg") << "cut-jpeg" << "cut.jpg";
        QTest::newRow("pdf") << "pdf" << "scan.pdf";
        QTest::newRow("mp4") << "mp4" << "clip.mp4";
    }
    void repairRunOfADamagedFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        if (kind == QLatin1String("mp4"))
            WORKFLOW_REQUIRE_TOOL("ffmpeg");
        QTemporaryDir home;
        const QString input = home.filePath(name);
        QVERIFY(makeDamagedInput(kind, input));
        const InputGuard guard(input);
        const QString capture = keptCapture(QStringLiteral("repair/%1.png").arg(kind));
        const SmokeRun run = runSmoke(appProgram(), home,
                                      {{"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", input}, {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 0, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));
        verifyCapture(capture, kDefaultWindowSize);
        QVERIFY(guard.unchanged());
        verifySessionsRemoved(run);
    }

    // Once the preview is ready the run can switch the language and resize before the capture.
    void repairRunSwitchesLanguageAndSize()
    {
        QTemporaryDir home;
        const QString input = home.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(makeDamagedJpeg(input));
        const QString capture = keptCapture(QStringLiteral("repair/jpeg-en-US-1280x860.png"));
        const SmokeRun run = runSmoke(appProgram(), home,
                                      {{"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", input}, {"KORVEX_REPAIR_SMOKE_CAPTURE", capture},
                                       {"KORVEX_REPAIR_SMOKE_SWITCH_LANGUAGE", "en-US"},
                                       {"KORVEX_REPAIR_SMOKE_RESIZE_WIDTH", "1280"}, {"KORVEX_REPAIR_SMOKE_RESIZE_HEIGHT", "860"}});
        QVERIFY2(run.exitCode == 0, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));
        verifyCapture(capture, QSize(1280, 860));
        // The switch went through the settings service: the smoke store keeps it.
        QSettings store(QDir(home.filePath(QStringLiteral("config"))).filePath(QStringLiteral("KorvexSmokeTests/Korvex File Repair.conf")),
                        QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("ui/language")).toString(), QStringLiteral("en-US"));
    }

    void repairRunThatFailsExitsFive()
    {
        QTemporaryDir home;
        const QString input = home.filePath(QStringLiteral("notes.unknownformat"));
        QVERIFY(makeDamagedInput(QStringLiteral("unknown"), input));
        const QString capture = home.filePath(QStringLiteral("window.png"));
        const SmokeRun run = runSmoke(appProgram(), home,
                                      {{"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", input}, {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == 5, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));
        QVERIFY2(run.log.contains(QStringLiteral("Smoke repair failed: 该文件格式尚未列入首发修复白名单")), qPrintable(run.log));
        QVERIFY(!QFileInfo::exists(capture));
    }

    void feedbackRun_data()
    {
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("submitted") << 201 << "submitted" << "FR-0123456789abcdef0123456789abcdef" << 0;
        QTest::newRow("limited") << 429 << "limited" << "" << 8;
        QTest::newRow("server error") << 500 << "error" << "" << 8;
    }
    void feedbackRun()
    {
        QFETCH(int, httpStatus);
        QFETCH(QString, result);
        QFETCH(QString, ticket);
        QFETCH(int, exitCode);
        FakeAccountServer server;
        const quint16 port = quint16(qEnvironmentVariableIntValue("KORVEX_SMOKE_FEEDBACK_PORT"));
        QVERIFY2(server.start(port), qPrintable(QStringLiteral("port %1 is taken").arg(port)));
        server.on("POST", QStringLiteral("/v1/feedback"),
                  FakeResponse::json(httpStatus, {{QStringLiteral("id"), QStringLiteral("FR-0123456789abcdef0123456789abcdef")}}));

        const QString message = QStringLiteral("Smoke feedback: 预览窗口在切换语言后变空。");
        const QString capture = keptCapture(QStringLiteral("feedback/%1.png").arg(QString::fromUtf8(QTest::currentDataTag()).replace(' ', '-')));
        QTemporaryDir home;
        const SmokeRun run = runSmoke(requiredPath("KORVEX_SMOKE_FEEDBACK_EXECUTABLE"), home,
                                      {{"KORVEX_REPAIR_SMOKE_LANGUAGE", "en-US"}, {"KORVEX_REPAIR_SMOKE_PAGE", "help"},
                                       {"KORVEX_REPAIR_SMOKE_HELP_FEEDBACK", "1"},
                                       {"KORVEX_REPAIR_SMOKE_FEEDBACK_MESSAGE", message},
                                       // A feedback run wins over a repair run.
                                       {"KORVEX_REPAIR_SMOKE_REPAIR_INPUT", home.filePath(QStringLiteral("unused.jpg"))},
                                       {"KORVEX_REPAIR_SMOKE_CAPTURE", capture}});
        QVERIFY2(run.exitCode == exitCode, qPrintable(QStringLiteral("exit %1\n%2").arg(run.exitCode).arg(run.log)));

        QCOMPARE(server.count(QStringLiteral("/v1/feedback")), 1);
        const QJsonObject sent = server.last(QStringLiteral("/v1/feedback")).json();
        QCOMPARE(sent.value(QStringLiteral("message")).toString(), message);
        QCOMPARE(sent.value(QStringLiteral("locale")).toString(), QStringLiteral("en-US"));

        // Written for every answer, indented, with exactly the two members.
        const QByteArray written = readAll(capture + QStringLiteral(".result.json"));
        const QJsonObject expected{{QStringLiteral("result"), result}, {QStringLiteral("ticket"), ticket}};
        QCOMPARE(written, QJsonDocument(expected).toJson(QJsonDocument::Indented));
        verifyCapture(capture, kDefaultWindowSize);
    }
};

QTEST_GUILESS_MAIN(SmokeTest)
#include "smoke_test.moc"
