// Qt Quick Test runner for the QML module: the module's resources on the import path, the
// settings service published as in the program, and a language switch the tests can call.

#include "app/startup.h"
#include "platform/ui_fonts.h"
#include "services/settings_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QQuickStyle>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtQuickTest>

void qml_register_types_Korvex_FileRepair();

namespace {

// Applies a UI language the way start-up does. apply() leaves the loaded QML as it is;
// followSettings() makes every later language of the settings service apply and retranslate the
// QML, through the same connection the program makes.
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    LanguageSwitch(QQmlEngine* engine, olm::repair::SettingsService* settings)
        : QObject(engine), engine_(engine), settings_(settings) {}
    Q_INVOKABLE bool apply(const QString& code)
    {
        bool loaded = true;
        olm::repair::applyUiLanguage({qGuiApp, &translator_, &loaded, nullptr, {&toolkitTranslator_, &toolkitQuickTranslator_}}, code);
        return loaded;
    }
    Q_INVOKABLE void followSettings()
    {
        if (!following_)
            following_ = olm::repair::followUiLanguage(
                *settings_, {qGuiApp, &translator_, &loaded_, engine_, {&toolkitTranslator_, &toolkitQuickTranslator_}});
    }

    // The texts of the buttons in the dialog button boxes shown in the window of `item`, in the
    // order the boxes hold them: what Qt's own dialogs (file and folder dialogs) show.
    Q_INVOKABLE QStringList shownDialogButtonTexts(QQuickItem* item) const
    {
        QStringList texts;
        if (item == nullptr || item->window() == nullptr)
            return texts;
        collectButtonTexts(item->window()->contentItem()->parentItem() ? item->window()->contentItem()->parentItem()
                                                                        : item->window()->contentItem(),
                           false, texts);
        return texts;
    }

private:
    static void collectButtonTexts(QQuickItem* item, bool inButtonBox, QStringList& texts)
    {
        if (!item->isVisible())
            return;
        const bool box = inButtonBox || item->inherits("QQuickDialogButtonBox");
        if (box && item->inherits("QQuickAbstractButton"))
            texts.append(item->property("text").toString());
        for (QQuickItem* child : item->childItems())
            collectButtonTexts(child, box, texts);
    }

    QQmlEngine* engine_;
    olm::repair::SettingsService* settings_;
    QTranslator translator_;
    QTranslator toolkitTranslator_;
    QTranslator toolkitQuickTranslator_;
    bool loaded_ = true;
    QMetaObject::Connection following_;
};

// Files for the tests: a private folder per run, fixtures written or made by real tools, and the
// folder the window captures go to (beside the test program, so they can be looked at).
class TestFiles : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString folder READ folder CONSTANT)
    Q_PROPERTY(QString screenshotFolder READ screenshotFolder CONSTANT)
    Q_PROPERTY(QString sourceFolder READ sourceFolder CONSTANT)
public:
    using QObject::QObject;
    QString sourceFolder() const { return qEnvironmentVariable("KORVEX_SOURCE_DIR"); }
    QString folder() const { return dir_.path(); }
    QString screenshotFolder() const
    {
        const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
        QDir().mkpath(path);
        return path;
    }
    Q_INVOKABLE QString path(const QString& name) const { return dir_.filePath(name); }
    Q_INVOKABLE QUrl url(const QString& name) const { return QUrl::fromLocalFile(dir_.filePath(name)); }
    Q_INVOKABLE bool makeFolder(const QString& name) const { return QDir().mkpath(dir_.filePath(name)); }
    Q_INVOKABLE bool writeBase64(const QString& name, const QString& base64) const
    {
        return writeBytes(name, QByteArray::fromBase64(base64.toLatin1()));
    }
    Q_INVOKABLE bool writeText(const QString& name, const QString& text) const { return writeBytes(name, text.toUtf8()); }
    // Bytes 0..n-1 of pattern (a Latin-1 string) repeated.
    Q_INVOKABLE bool writeRepeated(const QString& name, const QString& pattern, int count) const
    {
        return writeBytes(name, pattern.toLatin1().repeated(count));
    }
    Q_INVOKABLE bool exists(const QString& path) const { return QFileInfo::exists(path); }
    Q_INVOKABLE QStringList list(const QString& folderPath) const
    {
        return QDir(folderPath).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }
    Q_INVOKABLE QString readText(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    Q_INVOKABLE qint64 size(const QString& path) const { return QFileInfo(path).size(); }
    Q_INVOKABLE bool truncate(const QString& path, qint64 size) const { return QFile::resize(path, size); }
    // Runs a tool to completion in the test folder; exit code, or -1 when it did not run.
    Q_INVOKABLE int run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        return process.exitCode();
    }

private:
    bool writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

    QTemporaryDir dir_;
};

} // namespace

class QuickTestSetup : public QObject {
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("KorvexTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Korvex QML Tests"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store_.path());
        // The session cache, the result key and the diagnostics log of the window tests stay in
        // this run's own folder.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(store_.filePath(QStringLiteral("cache"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(store_.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(store_.filePath(QStringLiteral("data"))));
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        olm::repair::installUiFontStandIns();
        olm::repair::selectMediaBackend();
        volatile auto keepModuleRegistration = &qml_register_types_Korvex_FileRepair;
        Q_UNUSED(keepModuleRegistration);
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath(QString::fromLatin1(olm::repair::kQmlModuleImportPath));
        auto* settings = new olm::repair::SettingsService(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("settingsService"), settings);
        engine->rootContext()->setContextProperty(QStringLiteral("uiLanguage"), new LanguageSwitch(engine, settings));
        engine->rootContext()->setContextProperty(QStringLiteral("testFiles"), new TestFiles(engine));
    }

private:
    QTemporaryDir store_;
};

QUICK_TEST_MAIN_WITH_SETUP(korvex_qml, QuickTestSetup)
#include "quick_test_main.moc"
