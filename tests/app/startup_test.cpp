#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "app/startup.h"
#include "platform/ui_fonts.h"

using namespace olm::repair;

namespace {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program headless with its own settings store, cache and runtime folders.
ProcessResult runProgram(const QString& program, const QStringList& arguments, const QTemporaryDir& home,
                         const QList<QPair<QString, QString>>& environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    env.remove(QStringLiteral("KORVEX_REPAIR_SMOKE_TEST"));
    env.remove(QStringLiteral("KORVEX_REPAIR_SMOKE_LANGUAGE"));
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home.path());
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString requiredProgram(const char* variable)
{
    const QString path = qEnvironmentVariable(variable);
    if (path.isEmpty() || !QFileInfo(path).isExecutable())
        qFatal("%s must name the built program", variable);
    return path;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void fontPerLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("family");
        QTest::newRow("zh-CN") << "zh-CN" << "Microsoft YaHei UI";
        QTest::newRow("zh-TW") << "zh-TW" << "Microsoft JhengHei UI";
        QTest::newRow("ja-JP") << "ja-JP" << "Yu Gothic UI";
        QTest::newRow("en-US") << "en-US" << "Segoe UI";
        QTest::newRow("de-DE") << "de-DE" << "Segoe UI";
        QTest::newRow("zh_CN compared exactly") << "zh_CN" << "Segoe UI";
        QTest::newRow("ja-jp compared exactly") << "ja-jp" << "Segoe UI";
    }

    void fontPerLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, family);
        const QFont font = uiFontForLanguage(code);
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), 10);
    }

    void windowsFontsRenderInInstalledFaces_data()
    {
        QTest::addColumn<QString>("windowsFamily");
        QTest::addColumn<QString>("linuxFamily");
        QTest::newRow("simplified") << "Microsoft YaHei UI" << "Noto Sans CJK SC";
        QTest::newRow("traditional") << "Microsoft JhengHei UI" << "Noto Sans CJK TC";
        QTest::newRow("japanese") << "Yu Gothic UI" << "Noto Sans CJK JP";
        QTest::newRow("latin") << "Segoe UI" << "Noto Sans";
    }

    void windowsFontsRenderInInstalledFaces()
    {
        QFETCH(QString, windowsFamily);
        QFETCH(QString, linuxFamily);
        installUiFontStandIns();
        QCOMPARE(QFontInfo(QFont(windowsFamily, 10)).family(), linuxFamily);
    }

    void startupFileIsTheFirstExistingFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        for (const char* name : {"first.pdf", "second.jpg"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString program = QStringLiteral("korvex-file-repair");
        QCOMPARE(startupFileUrl({program}), QUrl());
        QCOMPARE(startupFileUrl({program, dir.filePath("missing.mp4"), dir.filePath("folder")}), QUrl());
        QCOMPARE(startupFileUrl({program, dir.filePath("folder"), dir.filePath("missing.mp4"), dir.filePath("second.jpg"),
                                 dir.filePath("first.pdf")}),
                 QUrl::fromLocalFile(dir.filePath("second.jpg")));
        // The program's own path never counts, even when it names a file.
        QCOMPARE(startupFileUrl({dir.filePath("first.pdf")}), QUrl());

        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QUrl relative = startupFileUrl({program, QStringLiteral("first.pdf")});
        QDir::setCurrent(previous);
        QCOMPARE(relative, QUrl::fromLocalFile(dir.filePath("first.pdf")));
    }

    void iconFromResourcesAndMissingIconIsNull()
    {
        const QIcon icon = loadApplicationIcon(QString::fromLatin1(kAppIconResource));
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(256, 256).size(), QSize(256, 256));
        for (const char* size : {"512", "1024"}) {
            QVERIFY(QFile::exists(
                QStringLiteral(":/qt/qml/Korvex/FileRepair/qml/assets/korvex_file_repair-app-icon-%1.png").arg(size)));
        }
        // A missing resource and a resource that is no image must both read as no icon.
        QVERIFY(loadApplicationIcon(QStringLiteral(":/qt/qml/Korvex/FileRepair/qml/assets/absent.png")).isNull());
        QVERIFY(loadApplicationIcon(QStringLiteral(":/qt/qml/Korvex/FileRepair/qmldir")).isNull());
    }

    void catalogueNames()
    {
        QCOMPARE(uiCatalogueResource(QStringLiteral("en-US")), QStringLiteral(":/i18n/korvex_file_repair_en_US.qm"));
        for (const char* language : {"zh_TW", "en_US", "de_DE", "fr_FR", "it_IT", "ja_JP", "es_ES"}) {
            QTranslator translator;
            QVERIFY2(translator.load(QStringLiteral(":/i18n/korvex_file_repair_%1.qm").arg(language)), language);
            QVERIFY(!translator.isEmpty());
        }
        QVERIFY(!QFile::exists(QStringLiteral(":/i18n/korvex_file_repair_zh_CN.qm")));
    }

    void languageSwitchesRetranslateLoadedQml()
    {
        QQmlApplicationEngine engine;
        QTranslator translator;
        bool translationLoaded = false;
        const UiLanguageContext context{qGuiApp, &translator, &translationLoaded, &engine};
        engine.addImportPath(QString::fromLatin1(kQmlModuleImportPath));
        engine.setInitialProperties({{QStringLiteral("visible"), false}});
        engine.load(QUrl(QString::fromLatin1(kMainQmlUrl)));
        QCOMPARE(engine.rootObjects().size(), 1);
        QObject* root = engine.rootObjects().first();
        const int fontType = qmlTypeId("Korvex.FileRepair", 1, 0, "ApplicationFont");
        QVERIFY(fontType >= 0);
        QObject* applicationFont = engine.singletonInstance<QObject*>(fontType);
        QVERIFY(applicationFont != nullptr);

        const struct {
            const char* code;
            const char* locale;
            const char* title;
            const char* font;
        } steps[] = {
            {"en-US", "en_US", "Korvex File Repair", "Segoe UI"},
            {"zh-CN", "zh_CN", "Korvex 文件修复", "Microsoft YaHei UI"},
            {"ja-JP", "ja_JP", "Korvex ファイル修復", "Yu Gothic UI"},
            {"zh-TW", "zh_TW", "Korvex 檔案修復", "Microsoft JhengHei UI"},
            {"de-DE", "de_DE", "Korvex Dateireparatur", "Segoe UI"},
            {"fr-FR", "fr_FR", "Korvex Réparation de fichiers", "Segoe UI"},
            {"it-IT", "it_IT", "Korvex Riparazione file", "Segoe UI"},
            {"es-ES", "es_ES", "Korvex Reparación de archivos", "Segoe UI"},
            {"en-US", "en_US", "Korvex File Repair", "Segoe UI"},
            {"zh-CN", "zh_CN", "Korvex 文件修复", "Microsoft YaHei UI"},
        };
        for (const auto& step : steps) {
            applyUiLanguage(context, QString::fromUtf8(step.code));
            QVERIFY2(translationLoaded, step.code);
            QCOMPARE(QLocale().name(), QString::fromLatin1(step.locale));
            QCOMPARE(root->property("title").toString(), QString::fromUtf8(step.title));
            QCOMPARE(QGuiApplication::font().family(), QString::fromLatin1(step.font));
            QCOMPARE(QGuiApplication::font().pointSize(), 10);
            QCOMPARE(applicationFont->property("family").toString(), QString::fromLatin1(step.font));
        }

        // A later language without a catalogue only warns: the source texts show, the program goes on.
        applyUiLanguage(context, QStringLiteral("en-US"));
        QTest::ignoreMessage(QtWarningMsg, "Unable to load UI translation: :/i18n/korvex_file_repair_zh_CN.qm");
        applyUiLanguage(context, QStringLiteral("zh_CN"));
        QVERIFY(!translationLoaded);
        QCOMPARE(root->property("title").toString(), QStringLiteral("Korvex 文件修复"));
        QCOMPARE(QGuiApplication::font().family(), QStringLiteral("Segoe UI"));
        applyUiLanguage(context, QStringLiteral("zh-CN"));
        QVERIFY(translationLoaded);
    }

    // Qt's own texts (the dialogs' standard buttons) follow the UI language, and ours still win.
    void toolkitTextsFollowTheLanguage()
    {
        QTranslator translator;
        QTranslator toolkit;
        QTranslator toolkitQuick;
        bool translationLoaded = false;
        const UiLanguageContext context{qGuiApp, &translator, &translationLoaded, nullptr, {&toolkit, &toolkitQuick}};
        const struct {
            const char* code;
            const char* cancel;
            const char* open;
        } steps[] = {
            {"zh-CN", "取消", "打开"}, {"zh-TW", "取消", "開啟"}, {"en-US", "Cancel", "Open"},
            {"de-DE", "Abbrechen", "Öffnen"}, {"fr-FR", "Annuler", "Ouvrir"}, {"it-IT", "Annulla", "Apri"},
            {"ja-JP", "キャンセル", "開く"}, {"es-ES", "Cancelar", "Abrir"}, {"zh-CN", "取消", "打开"},
        };
        for (const auto& step : steps) {
            applyUiLanguage(context, QString::fromUtf8(step.code));
            QVERIFY2(translationLoaded, step.code);
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(step.cancel));
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Open"), QString::fromUtf8(step.open));
        }
        // The file dialog's labels Qt's catalogues lack come from ours, in the source language too,
        // also when it is switched to and away from at run time.
        const struct {
            const char* code;
            const char* filter;
            const char* fileName;
        } labels[] = {
            {"zh-CN", "筛选", "文件名称"}, {"fr-FR", "Filtre", "Nom du fichier"}, {"ja-JP", "フィルター", "ファイル名"},
            {"en-US", "Filter", "File name"}, {"zh-CN", "筛选", "文件名称"}, {"zh-TW", "篩選", "檔案名稱"},
        };
        for (const auto& step : labels) {
            applyUiLanguage(context, QString::fromUtf8(step.code));
            QCOMPARE(QCoreApplication::translate("FileDialog", "Filter"), QString::fromUtf8(step.filter));
            QCOMPARE(QCoreApplication::translate("FileDialog", "File name"), QString::fromUtf8(step.fileName));
        }
        applyUiLanguage(context, QStringLiteral("en-US"));
        QCOMPARE(QCoreApplication::translate("Main", "设置"), QStringLiteral("Settings"));
        applyUiLanguage(context, QStringLiteral("zh-CN"));
    }

    void programStartsWithItsIdentityAndStartupFile()
    {
        QTemporaryDir home;
        QFile input(home.filePath(QStringLiteral("broken video.mp4")));
        QVERIFY(input.open(QIODevice::WriteOnly));
        input.close();
        const ProcessResult run = runProgram(requiredProgram("KORVEX_STARTUP_PROBE"),
                                             {home.filePath("absent.doc"), home.path(), QStringLiteral("broken video.mp4")},
                                             home, {{QStringLiteral("KORVEX_PROBE_MODE"), QStringLiteral("switch-language")}});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonObject report = QJsonDocument::fromJson(run.out).object();
        const QJsonObject start = report.value("start").toObject();
        QCOMPARE(start.value("organization").toString(), QStringLiteral("Korvex"));
        QCOMPARE(start.value("application").toString(), QStringLiteral("Korvex File Repair"));
        QCOMPARE(start.value("version").toString(), QStringLiteral("1.0.4.0"));
        QCOMPARE(start.value("style").toString(), QStringLiteral("Basic"));
        QVERIFY(start.value("appIcon").toBool());
        QVERIFY(start.value("windowIcon").toBool());
        QVERIFY(start.value("settingsPublished").toBool());
        QCOMPARE(start.value("startupFileUrl").toString(), QUrl::fromLocalFile(input.fileName()).toString());
        QCOMPARE(start.value("language").toString(), QStringLiteral("zh-CN"));
        QCOMPARE(start.value("title").toString(), QStringLiteral("Korvex 文件修复"));
        QCOMPARE(start.value("fontFamily").toString(), QStringLiteral("Microsoft YaHei UI"));
        QCOMPARE(start.value("fontPointSize").toInt(), 10);

        // A language chosen in the settings reaches translator, locale, font and the loaded window.
        const QJsonObject german = report.value("german").toObject();
        QCOMPARE(german.value("title").toString(), QStringLiteral("Korvex Dateireparatur"));
        QCOMPARE(german.value("locale").toString(), QStringLiteral("de_DE"));
        QCOMPARE(german.value("fontFamily").toString(), QStringLiteral("Segoe UI"));
        const QJsonObject back = report.value("back").toObject();
        QCOMPARE(back.value("title").toString(), QStringLiteral("Korvex 文件修复"));
        QCOMPARE(back.value("fontFamily").toString(), QStringLiteral("Microsoft YaHei UI"));

        // The stored language is applied at the next start.
        const ProcessResult again = runProgram(requiredProgram("KORVEX_STARTUP_PROBE"), {}, home);
        QVERIFY2(again.exitCode == 0, again.err.constData());
        const QJsonObject next = QJsonDocument::fromJson(again.out).object().value("start").toObject();
        QCOMPARE(next.value("startupFileUrl").toString(), QString());
        QCOMPARE(next.value("language").toString(), QStringLiteral("zh-CN"));
    }

    void storedLanguageAppliesAtStart()
    {
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral("config/Korvex"));
        QFile store(home.filePath(QStringLiteral("config/Korvex/Korvex File Repair.conf")));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write("[ui]\nlanguage=ja-JP\n");
        store.close();
        const ProcessResult run = runProgram(requiredProgram("KORVEX_STARTUP_PROBE"), {}, home);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonObject start = QJsonDocument::fromJson(run.out).object().value("start").toObject();
        QCOMPARE(start.value("title").toString(), QStringLiteral("Korvex ファイル修復"));
        QCOMPARE(start.value("locale").toString(), QStringLiteral("ja_JP"));
        QCOMPARE(start.value("fontFamily").toString(), QStringLiteral("Yu Gothic UI"));
    }

    void missingIconEndsWithCodeOneBeforeAnythingElse()
    {
        QTemporaryDir home;
        const ProcessResult run = runProgram(requiredProgram("KORVEX_STARTUP_PROBE"), {}, home,
                                             {{QStringLiteral("KORVEX_PROBE_MODE"), QStringLiteral("missing-icon")}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("Korvex application icon is missing from the Qt resource bundle."), run.err.constData());
        QVERIFY(run.out.isEmpty());
        // The settings service was never created, so the store was never written.
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("config/Korvex"))));
    }

    void noRootObjectEndsWithCodeOne()
    {
        QTemporaryDir home;
        const ProcessResult run = runProgram(requiredProgram("KORVEX_STARTUP_PROBE"), {}, home,
                                             {{QStringLiteral("KORVEX_PROBE_MODE"), QStringLiteral("no-root")}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty()); // the event loop never ran
    }

    void smokeStartWithoutCatalogueEndsWithCodeTwo()
    {
        QTemporaryDir home;
        // The real program: a code that differs from "zh-CN" only by its separator has no catalogue.
        const ProcessResult run =
            runProgram(requiredProgram("KORVEX_APP_EXECUTABLE"), {}, home,
                       {{QStringLiteral("KORVEX_REPAIR_SMOKE_TEST"), QString()},
                        {QStringLiteral("KORVEX_REPAIR_SMOKE_LANGUAGE"), QStringLiteral("zh_CN")}});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("Unable to load UI translation: :/i18n/korvex_file_repair_zh_CN.qm"), run.err.constData());
        // Smoke runs keep their own settings store, apart from the user's.
        QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("config/KorvexSmokeTests/Korvex File Repair.conf"))));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("config/Korvex"))));
    }

    void smokeLanguageIsStoredInTheSmokeStore()
    {
        QTemporaryDir home;
        const ProcessResult run =
            runProgram(requiredProgram("KORVEX_STARTUP_PROBE"), {}, home,
                       {{QStringLiteral("KORVEX_REPAIR_SMOKE_TEST"), QStringLiteral("1")},
                        {QStringLiteral("KORVEX_REPAIR_SMOKE_LANGUAGE"), QStringLiteral("fr-FR")}});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonObject start = QJsonDocument::fromJson(run.out).object().value("start").toObject();
        QCOMPARE(start.value("organization").toString(), QStringLiteral("KorvexSmokeTests"));
        QCOMPARE(start.value("language").toString(), QStringLiteral("fr-FR"));
        QCOMPARE(start.value("title").toString(), QStringLiteral("Korvex Réparation de fichiers"));
        QSettings store(home.filePath(QStringLiteral("config/KorvexSmokeTests/Korvex File Repair.conf")),
                        QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("ui/language")).toString(), QStringLiteral("fr-FR"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
