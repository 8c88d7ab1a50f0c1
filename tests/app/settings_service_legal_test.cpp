// SettingsService's legal documents: the notices per language with the generic fallback, the LGPL
// text, the Qt source instructions, the size bound, and the files the build puts beside the program.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "services/settings_service.h"
#include "settings_store_fixture.h"

using olm::repair::SettingsService;

namespace {

void writeLegal(const QString& name, const QByteArray& content)
{
    QDir().mkpath(SettingsService::licenseFilePath(QString()));
    QFile file(SettingsService::licenseFilePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

void announceLanguageChange()
{
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kNoticesMissing =
    QStringLiteral("发行目录中未找到 THIRD_PARTY_NOTICES.md。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。");
const QString kLgplMissing =
    QStringLiteral("发行目录中未找到 LGPL-3.0-only.txt。正式发布前必须重新构建程序，使 licenses 文件夹位于可执行文件旁。");

} // namespace

class SettingsServiceLegalTest : public QObject {
    Q_OBJECT

private:
    SettingsStoreFixture store_;

private slots:
    void initTestCase()
    {
        QVERIFY(store_.setUp(QStringLiteral("Settings Legal Test")));
    }

    void init()
    {
        QSettings().clear();
        QDir(SettingsService::licenseFilePath(QString())).removeRecursively();
    }

    void cleanupTestCase() { QDir(SettingsService::licenseFilePath(QString())).removeRecursively(); }

    void licenseFolderIsBesideTheProgram()
    {
        QCOMPARE(SettingsService::licenseFilePath(QStringLiteral("LGPL-3.0-only.txt")),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/licenses/LGPL-3.0-only.txt"));
    }

    void noticesFollowTheLanguageWithTheGenericFileAsFallback()
    {
        writeLegal(QStringLiteral("THIRD_PARTY_NOTICES.md"), "generic notices\n");
        SettingsService service;
        service.setLanguage(QStringLiteral("de-DE"));
        QSignalSpy requested(&service, &SettingsService::legalDocumentRequested);

        service.showThirdPartyNotices();
        QCOMPARE(requested.count(), 1);
        QCOMPARE(service.legalTitle(), QStringLiteral("第三方软件声明"));
        QCOMPARE(service.legalText(), QStringLiteral("generic notices\n"));

        // A German file shows at the next command ...
        writeLegal(QStringLiteral("THIRD_PARTY_NOTICES.de-DE.md"), "Hinweise\n");
        service.showThirdPartyNotices();
        QCOMPARE(service.legalText(), QStringLiteral("Hinweise\n"));

        // ... and a language change reloads the notices on show, without asking for the dialog.
        QSignalSpy changed(&service, &SettingsService::legalDocumentChanged);
        service.setLanguage(QStringLiteral("ja-JP"));
        announceLanguageChange();
        QCOMPARE(service.legalText(), QStringLiteral("generic notices\n"));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(requested.count(), 2);
    }

    void missingDocumentsShowWhatToDo()
    {
        SettingsService service;
        QSignalSpy requested(&service, &SettingsService::legalDocumentRequested);
        service.showThirdPartyNotices();
        QCOMPARE(service.legalText(), kNoticesMissing);
        service.showLgplLicense();
        QCOMPARE(service.legalTitle(), QStringLiteral("GNU LGPLv3 许可证"));
        QCOMPARE(service.legalText(), kLgplMissing);
        // An empty file counts as missing.
        writeLegal(QStringLiteral("LGPL-3.0-only.txt"), QByteArray());
        service.showLgplLicense();
        QCOMPARE(service.legalText(), kLgplMissing);
        QCOMPARE(requested.count(), 3);
    }

    void sizeLimitIsInclusive()
    {
        QByteArray fits(SettingsService::kLegalFileLimit, 'a');
        writeLegal(QStringLiteral("THIRD_PARTY_NOTICES.md"), fits);
        SettingsService service;
        service.showThirdPartyNotices();
        QCOMPARE(service.legalText().size(), qsizetype(SettingsService::kLegalFileLimit));

        fits.append('b');
        writeLegal(QStringLiteral("THIRD_PARTY_NOTICES.md"), fits);
        service.showThirdPartyNotices();
        QCOMPARE(service.legalText(), kNoticesMissing);
    }

    // A file whose content outruns the size it reports (one growing while it is read, or a kernel
    // file that reports 0 bytes) is read no further than the limit plus one byte.
    void readingStopsPastTheLimitWhateverTheReportedSize()
    {
        const QString endless = QStringLiteral("/proc/self/pagemap");
        QFile probe(endless);
        if (!probe.open(QIODevice::ReadOnly) || QFileInfo(endless).size() != 0 || probe.read(16).size() != 16)
            QSKIP("needs a readable /proc/self/pagemap that reports 0 bytes");
        QDir().mkpath(SettingsService::licenseFilePath(QString()));
        QVERIFY(QFile::link(endless, SettingsService::licenseFilePath(QStringLiteral("LGPL-3.0-only.txt"))));
        SettingsService service;
        service.showLgplLicense();
        QCOMPARE(service.legalText(), kLgplMissing);
    }

    void devicesAreNotLegalFiles()
    {
        QDir().mkpath(SettingsService::licenseFilePath(QString()));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), SettingsService::licenseFilePath(QStringLiteral("THIRD_PARTY_NOTICES.md"))));
        QCOMPARE(SettingsService::readLegalFile(SettingsService::licenseFilePath(QStringLiteral("THIRD_PARTY_NOTICES.md"))),
                 QString());
    }

    void showingTheSameDocumentTwiceAsksTwiceButChangesOnce()
    {
        writeLegal(QStringLiteral("LGPL-3.0-only.txt"), "GNU LESSER GENERAL PUBLIC LICENSE\n");
        SettingsService service;
        QSignalSpy requested(&service, &SettingsService::legalDocumentRequested);
        QSignalSpy changed(&service, &SettingsService::legalDocumentChanged);
        service.showLgplLicense();
        service.showLgplLicense();
        QCOMPARE(requested.count(), 2);
        QCOMPARE(changed.count(), 1);
    }

    void languageSwitchKeepsTheLgplTextAndTranslatesItsTitle()
    {
        writeLegal(QStringLiteral("LGPL-3.0-only.txt"), "GNU LESSER GENERAL PUBLIC LICENSE\n");
        writeLegal(QStringLiteral("THIRD_PARTY_NOTICES.md"), "generic notices\n");
        SettingsService service;
        service.showLgplLicense();
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/korvex_file_repair_en_US.qm")));
        QCoreApplication::installTranslator(&english);
        QCOMPARE(service.legalText(), QStringLiteral("GNU LESSER GENERAL PUBLIC LICENSE\n"));
        QCOMPARE(service.legalTitle(), QStringLiteral("GNU LGPLv3 License"));
        service.showQtSourceInstructions();
        QCOMPARE(service.legalTitle(), QStringLiteral("Get matching Qt source"));
        QVERIFY(service.legalText().contains(QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion()))));
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(service.legalTitle(), QStringLiteral("获取对应 Qt 源码"));
    }

    void qtSourceInstructionsNameTheRunningQtTwice()
    {
        SettingsService service;
        QSignalSpy requested(&service, &SettingsService::legalDocumentRequested);
        service.showQtSourceInstructions();
        QCOMPARE(requested.count(), 1);
        const QString text = service.legalText();
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(text.count(QString::fromLatin1(qVersion())), 2);
        QVERIFY(!text.contains(QStringLiteral("%1")));
        QVERIFY(lines[3].contains(QStringLiteral("/cgit/qt/")));
        QVERIFY(lines[4].contains(QStringLiteral("/archive/qt/")));
        QVERIFY(lines[1].isEmpty() && lines[6].isEmpty());
    }

    // The build puts our notices and Debian's LGPL text beside the program.
    void buildInstallsTheLegalFolder()
    {
        const QString program = QProcessEnvironment::systemEnvironment().value(QStringLiteral("KORVEX_APP_EXECUTABLE"));
        const QString source = QProcessEnvironment::systemEnvironment().value(QStringLiteral("KORVEX_SOURCE_DIR"));
        if (program.isEmpty() || source.isEmpty())
            QSKIP("run through CTest");
        const QDir installed(QFileInfo(program).dir().filePath(QStringLiteral("licenses")));
        const QByteArray lgpl = readAll(installed.filePath(QStringLiteral("LGPL-3.0-only.txt")));
        QVERIFY(lgpl.contains("GNU LESSER GENERAL PUBLIC LICENSE"));
        QVERIFY(lgpl.contains("Version 3, 29 June 2007"));
        QCOMPARE(lgpl, readAll(QStringLiteral("/usr/share/common-licenses/LGPL-3")));
        const QStringList ours = QDir(source + QStringLiteral("/licenses")).entryList(QDir::Files);
        QVERIFY(ours.contains(QStringLiteral("THIRD_PARTY_NOTICES.md")));
        for (const QString& name : ours) {
            const QByteArray text = readAll(installed.filePath(name));
            QVERIFY2(!text.isEmpty(), qPrintable(name));
            QCOMPARE(text, readAll(source + QStringLiteral("/licenses/") + name));
            // Every notice names what the program ships or links, with its licence.
            for (const char* needle : {"Qt 6", "LGPL-3.0-only", "zlib", "libsodium", "ISC", "Noto Sans CJK", "OFL-1.1", "DejaVu"})
                QVERIFY2(text.contains(needle), qPrintable(name + QStringLiteral(": ") + QLatin1String(needle)));
        }
        for (const QString& code : SettingsService::supportedLanguageCodes()) {
            if (code != QStringLiteral("en-US"))
                QVERIFY2(ours.contains(QStringLiteral("THIRD_PARTY_NOTICES.%1.md").arg(code)), qPrintable(code));
        }
    }
};

QTEST_GUILESS_MAIN(SettingsServiceLegalTest)
#include "settings_service_legal_test.moc"
