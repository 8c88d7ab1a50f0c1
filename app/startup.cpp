#include "app/startup.h"

#include "app/smoke_automation.h"
#include "platform/ui_fonts.h"
#include "services/settings_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTranslator>
#include <QWindow>

// Generated with the QML module: registers its types. Referencing it keeps the static library's
// registration object in the executable.
void qml_register_types_Korvex_FileRepair();

namespace olm::repair {

namespace {

const QString kSourceLanguage = QStringLiteral("zh-CN");

// "en-US" -> "en_US", the form of locale and catalogue names.
QString localeNameForLanguage(QString languageCode)
{
    return languageCode.replace(QLatin1Char('-'), QLatin1Char('_'));
}

// Labels of Qt's own file dialog that Qt's catalogues of this version do not carry; ours do.
[[maybe_unused]] constexpr const char* kToolkitDialogTexts[] = {
    QT_TRANSLATE_NOOP("FileDialog", "File name"),
    QT_TRANSLATE_NOOP("FileDialog", "Filter"),
};

// The same labels in the source language, which has no catalogue of ours to carry them.
class SourceLanguageDialogTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(context, "FileDialog") != 0)
            return {};
        if (qstrcmp(sourceText, "File name") == 0)
            return QStringLiteral("文件名称");
        if (qstrcmp(sourceText, "Filter") == 0)
            return QStringLiteral("筛选");
        return {};
    }
    bool isEmpty() const override { return false; }
};

// One per application object; it dies with it.
QTranslator* sourceLanguageDialogTexts()
{
    static QPointer<QTranslator> texts;
    if (texts.isNull())
        texts = new SourceLanguageDialogTexts(QCoreApplication::instance());
    return texts;
}

// Qt's own dialogs (the file and folder dialogs) label their standard buttons once, when the
// buttons are made, and a retranslation does not reach them: each dialog's buttons are made anew.
void relabelStandardButtons(QObject* object)
{
    if (object->inherits("QQuickDialog")) {
        const QVariant buttons = object->property("standardButtons");
        if (buttons.isValid() && buttons.toInt() != 0) {
            object->setProperty("standardButtons", QVariant(buttons.metaType()));
            object->setProperty("standardButtons", buttons);
        }
    }
    for (QObject* child : object->children())
        relabelStandardButtons(child);
}

void relabelToolkitDialogs()
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (auto* quickWindow = qobject_cast<QQuickWindow*>(window))
            relabelStandardButtons(quickWindow);
    }
}

} // namespace

QString uiCatalogueResource(const QString& languageCode)
{
    return QStringLiteral(":/i18n/korvex_file_repair_%1.qm").arg(localeNameForLanguage(languageCode));
}

void applyUiLanguage(const UiLanguageContext& context, const QString& languageCode)
{
    QLocale::setDefault(QLocale(localeNameForLanguage(languageCode)));

    QCoreApplication::removeTranslator(context.translator);
    // Qt's own texts in the same language, installed before ours so that ours take precedence.
    // A language Qt has no catalogue for keeps them in English.
    const QString toolkitFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (std::size_t i = 0; i < context.toolkitTranslators.size(); ++i) {
        QTranslator* toolkit = context.toolkitTranslators[i];
        if (toolkit == nullptr)
            continue;
        QCoreApplication::removeTranslator(toolkit);
        if (toolkit->load(QLocale(localeNameForLanguage(languageCode)), QString::fromLatin1(kToolkitCatalogues[i]),
                          QStringLiteral("_"), toolkitFolder))
            QCoreApplication::installTranslator(toolkit);
    }
    QTranslator* sourceDialogTexts = sourceLanguageDialogTexts();
    QCoreApplication::removeTranslator(sourceDialogTexts);
    *context.translationLoaded = true;
    if (languageCode == kSourceLanguage) {
        QCoreApplication::installTranslator(sourceDialogTexts);
    } else {
        const QString catalogue = uiCatalogueResource(languageCode);
        if (context.translator->load(catalogue)) {
            QCoreApplication::installTranslator(context.translator);
        } else {
            *context.translationLoaded = false;
            qWarning("Unable to load UI translation: %s", catalogue.toUtf8().constData());
        }
    }

    QGuiApplication::setFont(uiFontForLanguage(languageCode));
    if (context.engine == nullptr)
        return;
    const auto* applicationEngine = qobject_cast<const QQmlApplicationEngine*>(context.engine);
    if (applicationEngine == nullptr || !applicationEngine->rootObjects().isEmpty()) {
        context.engine->retranslate();
        relabelToolkitDialogs();
    }
}

QMetaObject::Connection followUiLanguage(SettingsService& settings, const UiLanguageContext& context)
{
    QObject* receiver = context.engine != nullptr ? static_cast<QObject*>(context.engine) : &settings;
    return QObject::connect(&settings, &SettingsService::languageChanged, receiver,
                            [context](const QString& code) { applyUiLanguage(context, code); });
}

QFont uiFontForLanguage(const QString& languageCode)
{
    QString family = QStringLiteral("Segoe UI");
    if (languageCode == QLatin1String("zh-CN"))
        family = QStringLiteral("Microsoft YaHei UI");
    else if (languageCode == QLatin1String("zh-TW"))
        family = QStringLiteral("Microsoft JhengHei UI");
    else if (languageCode == QLatin1String("ja-JP"))
        family = QStringLiteral("Yu Gothic UI");
    return QFont(family, 10);
}

QUrl startupFileUrl(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QFileInfo info(arguments.at(i));
        if (info.exists() && info.isFile())
            return QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return {};
}

QIcon loadApplicationIcon(const QString& resourcePath)
{
    // QIcon(path) stays non-null for a path that does not exist; only decoding the image tells.
    const QPixmap pixmap(resourcePath);
    if (pixmap.isNull())
        return {};
    QIcon icon;
    icon.addPixmap(pixmap);
    return icon;
}

void selectMediaBackend()
{
    // Qt Multimedia's FFmpeg backend of this Qt version crashes on a machine without an audio
    // device; GStreamer, with the plugins the set-up installs, plays every kind the engine repairs.
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

int runApplication(int& argc, char** argv, const StartupOptions& options)
{
    selectMediaBackend();
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    const bool smokeTest = qEnvironmentVariableIsSet(kSmokeTestVariable);
    QCoreApplication::setOrganizationName(smokeTest ? QStringLiteral("KorvexSmokeTests") : QStringLiteral("Korvex"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("korvex.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Korvex File Repair"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.4.0"));

    const QIcon icon = loadApplicationIcon(options.iconResource);
    if (icon.isNull()) {
        qCritical("Korvex application icon is missing from the Qt resource bundle.");
        return kExitMissingResource;
    }
    QGuiApplication::setWindowIcon(icon);
    installUiFontStandIns();

    SettingsService settings;
    QQmlApplicationEngine engine;
    QTranslator translator;
    QTranslator toolkitTranslator;
    QTranslator toolkitQuickTranslator;
    bool translationLoaded = true;
    const UiLanguageContext languageContext{&application, &translator, &translationLoaded, &engine,
                                            {&toolkitTranslator, &toolkitQuickTranslator}};

    QString language = settings.language();
    if (smokeTest) {
        language = qEnvironmentVariable(kSmokeLanguageVariable);
        if (language.isEmpty())
            language = kSourceLanguage;
    }
    applyUiLanguage(languageContext, language);
    if (smokeTest)
        settings.setLanguage(language); // before the connection below: applied once, not twice

    followUiLanguage(settings, languageContext);
    engine.rootContext()->setContextProperty(QStringLiteral("settingsService"), &settings);
    engine.addImportPath(QLibraryInfo::path(QLibraryInfo::QmlImportsPath));
    // Qt 6.4 neither looks for modules in the resources by default nor loads a type by module
    // name: the module's own resource folder is added and its root type loaded by URL.
    engine.addImportPath(QString::fromLatin1(kQmlModuleImportPath));
    volatile auto keepModuleRegistration = &qml_register_types_Korvex_FileRepair;
    Q_UNUSED(keepModuleRegistration);

    const QStringList arguments = QCoreApplication::arguments();
    const QUrl fileUrl = startupFileUrl(arguments);
    engine.setInitialProperties({{QStringLiteral("startupFileUrl"), fileUrl}});
    engine.load(options.mainQmlUrl);

    if (engine.rootObjects().isEmpty())
        return kExitMissingResource;
    if (!translationLoaded)
        return kExitTranslationFailed;

    for (QObject* root : engine.rootObjects()) {
        if (auto* window = qobject_cast<QWindow*>(root))
            window->setIcon(icon);
    }
    if (options.afterLoad) {
        options.afterLoad(engine, settings);
    } else if (smokeTest) {
        if (const int code = setUpSmokeAutomation(engine, settings); code != kSmokeExitSuccess)
            return code;
    }
    return QCoreApplication::exec();
}

} // namespace olm::repair
