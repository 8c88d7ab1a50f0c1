#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <unistd.h>

#include "services/settings_service.h"
#include "settings_store_fixture.h"

using olm::repair::SettingsService;

namespace {

const QStringList kPersistedKeys = {
    QStringLiteral("ui/language"), QStringLiteral("ui/theme"), QStringLiteral("files/defaultSaveBehavior"),
    QStringLiteral("cache/limitMb"), QStringLiteral("files/openAfterSave"), QStringLiteral("privacy/diagnosticsEnabled"),
    QStringLiteral("files/lastSaveDirectory"), QStringLiteral("files/lastSaveDirectoryBookmark"),
};

void writeInstallerFile(const QString& revision, const QString& language)
{
    QFile file(SettingsService::installerLanguageFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("[Install]\nRevision=%1\nLanguage=%2\n").arg(revision, language).toUtf8());
}

} // namespace

class SettingsServiceTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Settings Service Test")));
    }

    void init()
    {
        QSettings().clear();
        QFile::remove(SettingsService::installerLanguageFilePath());
    }

    void cleanupTestCase() { QFile::remove(SettingsService::installerLanguageFilePath()); }

    void defaultsOnAnEmptyStoreAreWrittenBack()
    {
        SettingsService service;
        QCOMPARE(service.language(), QStringLiteral("zh-CN"));
        QCOMPARE(service.theme(), QStringLiteral("light"));
        QCOMPARE(service.defaultSaveBehavior(), QStringLiteral("ask"));
        QCOMPARE(service.cacheLimitMb(), 512);
        QVERIFY(!service.openAfterSave());
        QVERIFY(!service.diagnosticsEnabled());
        QCOMPARE(service.lastSaveDirectory(), QString());
        QCOMPARE(service.lastSaveDirectoryUrl(), QUrl());
        QVERIFY(!service.lastSaveDirectoryAvailable());
        QCOMPARE(service.applicationVersion(), QStringLiteral("1.0.4.0"));
        QCOMPARE(service.status(), QStringLiteral("设置仅保存在当前用户配置目录"));

        QSettings store;
        const QStringList keys = store.allKeys();
        for (const QString& key : kPersistedKeys)
            QVERIFY2(keys.contains(key), qPrintable(key));
        QVERIFY(!keys.contains(QStringLiteral("ui/installerRevision")));
        QCOMPARE(store.value(QStringLiteral("cache/limitMb")).toInt(), 512);
    }

    void badStoredValuesAreNormalisedAndWrittenBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("loaded");
        QTest::newRow("language lower case") << "ui/language" << QVariant("en-us") << QVariant("zh-CN");
        QTest::newRow("language unknown") << "ui/language" << QVariant("xx") << QVariant("zh-CN");
        QTest::newRow("language underscore") << "ui/language" << QVariant("ja_JP") << QVariant("zh-CN");
        QTest::newRow("language kept") << "ui/language" << QVariant("es-ES") << QVariant("es-ES");
        QTest::newRow("theme dark") << "ui/theme" << QVariant("dark") << QVariant("light");
        QTest::newRow("save behaviour case") << "files/defaultSaveBehavior" << QVariant("Last") << QVariant("ask");
        QTest::newRow("save behaviour last") << "files/defaultSaveBehavior" << QVariant("last") << QVariant("last");
        QTest::newRow("limit below") << "cache/limitMb" << QVariant(50) << QVariant(128);
        QTest::newRow("limit above") << "cache/limitMb" << QVariant(10000) << QVariant(4096);
        QTest::newRow("limit no number") << "cache/limitMb" << QVariant("abc") << QVariant(128);
        QTest::newRow("limit negative") << "cache/limitMb" << QVariant(-7) << QVariant(128);
        QTest::newRow("limit in range") << "cache/limitMb" << QVariant(1000) << QVariant(1000);
        QTest::newRow("folder cleaned") << "files/lastSaveDirectory" << QVariant("/tmp//a/./b/../c/")
                                        << QVariant("/tmp/a/c");
    }

    void badStoredValuesAreNormalisedAndWrittenBack()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, loaded);
        QSettings().setValue(key, stored);
        SettingsService service;
        const char* property = key == QLatin1String("ui/language") ? "language"
            : key == QLatin1String("ui/theme") ? "theme"
            : key == QLatin1String("files/defaultSaveBehavior") ? "defaultSaveBehavior"
            : key == QLatin1String("cache/limitMb") ? "cacheLimitMb"
            : "lastSaveDirectory";
        QCOMPARE(service.property(property).toString(), loaded.toString());
        QCOMPARE(QSettings().value(key).toString(), loaded.toString());
    }

    void bookmarkSurvivesLoadAndSaveAndIsClearedByReset()
    {
        const QByteArray opaque("\x00\x01bookmark\xff", 11);
        QSettings().setValue(QStringLiteral("files/lastSaveDirectoryBookmark"), QString::fromLatin1(opaque.toBase64()));
        SettingsService service;
        QCOMPARE(service.lastSaveDirectoryBookmark(), opaque);
        service.setCacheLimitMb(1024); // any save writes the bookmark back unchanged
        QCOMPARE(QSettings().value(QStringLiteral("files/lastSaveDirectoryBookmark")).toString(),
                 QString::fromLatin1(opaque.toBase64()));
        service.resetDefaults();
        QVERIFY(service.lastSaveDirectoryBookmark().isEmpty());
        QCOMPARE(QSettings().value(QStringLiteral("files/lastSaveDirectoryBookmark")).toString(), QString());
    }

    void installerLanguageIsTakenOverOncePerRevision()
    {
        QSettings().setValue(QStringLiteral("ui/installerRevision"), QStringLiteral("6"));
        writeInstallerFile(QStringLiteral("7"), QStringLiteral("ja_JP"));
        {
            SettingsService service;
            QCOMPARE(service.language(), QStringLiteral("ja-JP"));
            QCOMPARE(QSettings().value(QStringLiteral("ui/installerRevision")).toString(), QStringLiteral("7"));
            QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("ja-JP"));
            service.setLanguage(QStringLiteral("en-US")); // the user's own choice afterwards
        }
        SettingsService restarted; // same installer file: the user's choice stays
        QCOMPARE(restarted.language(), QStringLiteral("en-US"));
        writeInstallerFile(QStringLiteral("8"), QStringLiteral("de-DE")); // a new installer revision wins again
        SettingsService updated;
        QCOMPARE(updated.language(), QStringLiteral("de-DE"));
        QCOMPARE(QSettings().value(QStringLiteral("ui/installerRevision")).toString(), QStringLiteral("8"));
    }

    void installerLanguageIgnoredWhenUnusable_data()
    {
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QString>("language");
        QTest::newRow("unsupported language") << "7" << "pt-BR";
        QTest::newRow("case differs") << "7" << "ja-jp";
        QTest::newRow("empty revision") << "" << "ja-JP";
        QTest::newRow("same revision") << "6" << "ja-JP";
    }

    void installerLanguageIgnoredWhenUnusable()
    {
        QFETCH(QString, revision);
        QFETCH(QString, language);
        QSettings().setValue(QStringLiteral("ui/installerRevision"), QStringLiteral("6"));
        QSettings().setValue(QStringLiteral("ui/language"), QStringLiteral("fr-FR"));
        writeInstallerFile(revision, language);
        SettingsService service;
        QCOMPARE(service.language(), QStringLiteral("fr-FR"));
        QCOMPARE(QSettings().value(QStringLiteral("ui/installerRevision")).toString(), QStringLiteral("6"));
    }

    void languageSetter()
    {
        SettingsService service;
        QSignalSpy language(&service, &SettingsService::languageChanged);
        QSignalSpy settings(&service, &SettingsService::settingsChanged);
        QSignalSpy status(&service, &SettingsService::statusChanged);

        service.setLanguage(QStringLiteral(" en-US "));
        QCOMPARE(service.language(), QStringLiteral("en-US"));
        QCOMPARE(language.count(), 1);
        QCOMPARE(language.at(0).at(0).toString(), QStringLiteral("en-US"));
        QCOMPARE(settings.count(), 1);
        QCOMPARE(service.status(), QStringLiteral("界面语言已切换为 English"));
        QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("en-US"));

        service.setLanguage(QStringLiteral("en-US")); // unchanged: nothing at all
        QCOMPARE(language.count(), 1);
        QCOMPARE(settings.count(), 1);
        QCOMPARE(status.count(), 1);

        service.setLanguage(QStringLiteral("en-us")); // rejected, explained
        QCOMPARE(service.language(), QStringLiteral("en-US"));
        QCOMPARE(language.count(), 1);
        QCOMPARE(service.status(), QStringLiteral("不支持的界面语言：en-us"));
    }

    void otherSetters()
    {
        SettingsService service;
        QSignalSpy settings(&service, &SettingsService::settingsChanged);

        service.setTheme(QStringLiteral("dark"));
        QCOMPARE(service.theme(), QStringLiteral("light"));
        QCOMPARE(service.status(), QStringLiteral("当前发行包仅提供经过验收的浅色主题"));
        service.setTheme(QStringLiteral("light")); // unchanged: the rejection status stays
        QCOMPARE(service.status(), QStringLiteral("当前发行包仅提供经过验收的浅色主题"));
        QCOMPARE(settings.count(), 0);

        service.setDefaultSaveBehavior(QStringLiteral("Last")); // ignored silently
        QCOMPARE(service.defaultSaveBehavior(), QStringLiteral("ask"));
        QCOMPARE(service.status(), QStringLiteral("当前发行包仅提供经过验收的浅色主题"));
        service.setDefaultSaveBehavior(QStringLiteral("last"));
        QCOMPARE(service.status(), QStringLiteral("保存时将优先使用上次选择的有效目录"));
        service.setDefaultSaveBehavior(QStringLiteral("ask"));
        QCOMPARE(service.status(), QStringLiteral("保存时将始终询问目标目录"));
        QCOMPARE(settings.count(), 2);

        service.setCacheLimitMb(64);
        QCOMPARE(service.cacheLimitMb(), 128);
        QCOMPARE(service.status(), QStringLiteral("临时修复缓存上限已设置为 128 MB"));
        QCOMPARE(settings.count(), 3);
        service.setOpenAfterSave(true);
        service.setCacheLimitMb(1); // clamps to the current 128: nothing happens
        QCOMPARE(settings.count(), 4);
        QCOMPARE(service.status(), QStringLiteral("保存成功后将在系统文件管理器中定位结果"));
        service.setCacheLimitMb(100000);
        QCOMPARE(service.cacheLimitMb(), 4096);
        service.setOpenAfterSave(false);
        QCOMPARE(service.status(), QStringLiteral("保存成功后不再自动定位结果"));
        service.setDiagnosticsEnabled(true);
        QVERIFY(service.diagnosticsEnabled());
        QCOMPARE(settings.count(), 7);

        QSettings store;
        QCOMPARE(store.value(QStringLiteral("cache/limitMb")).toInt(), 4096);
        QCOMPARE(store.value(QStringLiteral("files/defaultSaveBehavior")).toString(), QStringLiteral("ask"));
        QCOMPARE(store.value(QStringLiteral("privacy/diagnosticsEnabled")).toBool(), true);
        SettingsService reloaded;
        QCOMPARE(reloaded.cacheLimitMb(), 4096);
        QVERIFY(reloaded.diagnosticsEnabled());
    }

    void rememberSaveDirectory()
    {
        QTemporaryDir folder;
        SettingsService service;
        QSignalSpy settings(&service, &SettingsService::settingsChanged);
        const QString messy = folder.path() + QStringLiteral("//./");
        QVERIFY(service.rememberSaveDirectory(QUrl::fromLocalFile(messy)));
        QCOMPARE(service.lastSaveDirectory(), folder.path());
        QCOMPARE(service.lastSaveDirectoryUrl(), QUrl::fromLocalFile(folder.path()));
        QVERIFY(service.lastSaveDirectoryAvailable());
        QCOMPARE(service.status(), QStringLiteral("已记住保存目录：%1").arg(QDir::toNativeSeparators(folder.path())));
        QVERIFY(service.rememberSaveDirectory(QUrl::fromLocalFile(folder.path()))); // same folder: saved again
        QCOMPARE(settings.count(), 2);
        QCOMPARE(QSettings().value(QStringLiteral("files/lastSaveDirectory")).toString(), folder.path());

        const QString file = folder.filePath(QStringLiteral("plain.txt"));
        QFile(file).open(QIODevice::WriteOnly);
        const QString missing = folder.filePath(QStringLiteral("missing"));
        for (const QUrl& url : {QUrl::fromLocalFile(file), QUrl::fromLocalFile(missing), QUrl()}) {
            QVERIFY(!service.rememberSaveDirectory(url));
            QCOMPARE(service.status(), QStringLiteral("未记住保存目录：目录不存在或不可写"));
            QCOMPARE(service.lastSaveDirectory(), folder.path());
        }
        QCOMPARE(settings.count(), 2);

        // The remembered folder vanishing is seen at the next read.
        QVERIFY(folder.remove());
        QVERIFY(!service.lastSaveDirectoryAvailable());
    }

    void rememberReadOnlyFolderFails()
    {
        if (::geteuid() == 0)
            QSKIP("permission bits do not bind the superuser");
        QTemporaryDir folder;
        QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        SettingsService service;
        QVERIFY(!service.rememberSaveDirectory(QUrl::fromLocalFile(folder.path())));
        QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }

    // Two running copies of the program: each change writes only its own key, so one copy's
    // change does not undo what the other stored meanwhile.
    void twoCopiesKeepEachOthersChanges()
    {
        SettingsService first;
        SettingsService second;
        first.setLanguage(QStringLiteral("ja-JP"));
        second.setCacheLimitMb(2048);
        first.setOpenAfterSave(true);
        second.setDiagnosticsEnabled(true);
        QSettings store;
        QCOMPARE(store.value(QStringLiteral("ui/language")).toString(), QStringLiteral("ja-JP"));
        QCOMPARE(store.value(QStringLiteral("cache/limitMb")).toInt(), 2048);
        QCOMPARE(store.value(QStringLiteral("files/openAfterSave")).toBool(), true);
        QCOMPARE(store.value(QStringLiteral("privacy/diagnosticsEnabled")).toBool(), true);

        // A copy started afterwards reads all four, and writes nothing back that differs.
        SettingsService third;
        QCOMPARE(third.language(), QStringLiteral("ja-JP"));
        QCOMPARE(third.cacheLimitMb(), 2048);
        QVERIFY(third.openAfterSave());
        QVERIFY(third.diagnosticsEnabled());
    }

    void resetDefaults()
    {
        QTemporaryDir folder;
        QSettings().setValue(QStringLiteral("ui/installerRevision"), QStringLiteral("3"));
        SettingsService service;
        service.setCacheLimitMb(2048);
        service.setOpenAfterSave(true);
        service.setDiagnosticsEnabled(true);
        service.rememberSaveDirectory(QUrl::fromLocalFile(folder.path()));
        {
            QSignalSpy language(&service, &SettingsService::languageChanged);
            QSignalSpy settings(&service, &SettingsService::settingsChanged);
            service.resetDefaults(); // language already zh-CN: no languageChanged
            QCOMPARE(language.count(), 0);
            QCOMPARE(settings.count(), 1);
        }
        QCOMPARE(service.cacheLimitMb(), 512);
        QVERIFY(!service.openAfterSave());
        QVERIFY(!service.diagnosticsEnabled());
        QCOMPARE(service.lastSaveDirectory(), QString());
        QCOMPARE(service.status(), QStringLiteral("已恢复默认设置；现有缓存和诊断文件未被删除"));
        QCOMPARE(QSettings().value(QStringLiteral("ui/installerRevision")).toString(), QStringLiteral("3"));

        service.setLanguage(QStringLiteral("it-IT"));
        QSignalSpy language(&service, &SettingsService::languageChanged);
        service.resetDefaults();
        QCOMPARE(language.count(), 1);
        QCOMPARE(language.at(0).at(0).toString(), QStringLiteral("zh-CN"));
        QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("zh-CN"));
    }

    void statusFollowsTheInstalledCatalogue()
    {
        SettingsService service;
        service.setCacheLimitMb(256);
        QSignalSpy status(&service, &SettingsService::statusChanged);
        QSignalSpy legal(&service, &SettingsService::legalDocumentChanged);

        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/korvex_file_repair_en_US.qm")));
        QCoreApplication::installTranslator(&english);
        QCOMPARE(status.count(), 1);
        QCOMPARE(legal.count(), 1);
        QCOMPARE(service.status(), QStringLiteral("Temporary repair cache limit set to 256 MB"));

        QCoreApplication::removeTranslator(&english);
        QCOMPARE(status.count(), 2);
        QCOMPARE(service.status(), QStringLiteral("临时修复缓存上限已设置为 256 MB"));
    }

    void languageTable()
    {
        const QStringList expected = {"zh-CN", "zh-TW", "en-US", "de-DE", "fr-FR", "it-IT", "ja-JP", "es-ES"};
        QCOMPARE(SettingsService::supportedLanguageCodes(), expected);
        QCOMPARE(SettingsService::languageDisplayName(QStringLiteral("zh-TW")), QStringLiteral("繁體中文"));
        QCOMPARE(SettingsService::languageDisplayName(QStringLiteral("fr-FR")), QStringLiteral("Français"));
        QCOMPARE(SettingsService::languageDisplayName(QStringLiteral("pt-BR")), QStringLiteral("pt-BR"));
    }
};

QTEST_GUILESS_MAIN(SettingsServiceTest)
#include "settings_service_test.moc"
