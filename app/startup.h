#pragma once

// Program start-up: identity, resource check, the one settings service, QML engine and translator,
// the UI language, and loading the main window from the QML module.

#include <QFont>
#include <QIcon>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
#include <functional>

class QGuiApplication;
class QQmlApplicationEngine;
class QQmlEngine;
class QTranslator;

namespace olm::repair {

class SettingsService;

inline constexpr char kAppIconResource[] = ":/qt/qml/Korvex/FileRepair/qml/assets/korvex_file_repair-app-icon-256.png";
inline constexpr char kMainQmlUrl[] = "qrc:/qt/qml/Korvex/FileRepair/qml/Main.qml";
inline constexpr char kQmlModuleImportPath[] = "qrc:/qt/qml";
inline constexpr char kSmokeTestVariable[] = "KORVEX_REPAIR_SMOKE_TEST";
inline constexpr char kSmokeLanguageVariable[] = "KORVEX_REPAIR_SMOKE_LANGUAGE";

enum StartupExitCode : int {
    kExitMissingResource = 1, // window icon missing, or the main window produced no root object
    kExitTranslationFailed = 2,
};

// What applyUiLanguage works on; lives for the whole run and is copied into the language-change
// connection. engine may be null (no QML yet): nothing is retranslated then. An application engine
// is retranslated once it has root objects, any other engine always.
struct UiLanguageContext {
    QGuiApplication* application = nullptr;
    QTranslator* translator = nullptr;
    bool* translationLoaded = nullptr;
    QQmlEngine* engine = nullptr;
    // Qt's own catalogues (standard buttons, dialogs), one translator per catalogue of
    // kToolkitCatalogues; null entries are skipped.
    std::array<QTranslator*, 2> toolkitTranslators{};
};

// Qt's catalogues loaded beside ours, from Qt's translations folder: "qt" (base and multimedia)
// and "qtdeclarative" (the Quick dialogs).
inline constexpr std::array<const char*, 2> kToolkitCatalogues{"qt", "qtdeclarative"};

// ":/i18n/korvex_file_repair_<xx_YY>.qm" for a language code such as "en-US".
QString uiCatalogueResource(const QString& languageCode);

// Sets the default locale, Qt's catalogues of the language, the translator (for the source language
// "zh-CN" only the file dialog labels Qt lacks) and the application font, then retranslates loaded
// QML. A catalogue that cannot be loaded clears *translationLoaded, leaves the translator removed and
// warns.
void applyUiLanguage(const UiLanguageContext& context, const QString& languageCode);

// Applies every language the settings service reports from now on; the engine (when given) is the
// connection's context object.
QMetaObject::Connection followUiLanguage(SettingsService& settings, const UiLanguageContext& context);

// The UI font of a language, always 10 point.
QFont uiFontForLanguage(const QString& languageCode);

// The first argument after the program's name that names an existing file, as a URL of its
// absolute path; empty when there is none.
QUrl startupFileUrl(const QStringList& arguments);

// The window icon from the resources, or a null icon when the resource is missing or does not decode.
// (A QIcon built from a missing path is not null: its engine only looks for the file when painting.)
QIcon loadApplicationIcon(const QString& resourcePath);

// Chooses the media backend the previews play through, before anything loads Qt Multimedia.
void selectMediaBackend();

// What the program needs beyond the defaults; tests point these elsewhere.
struct StartupOptions {
    QString iconResource = QString::fromLatin1(kAppIconResource);
    QUrl mainQmlUrl = QUrl(QString::fromLatin1(kMainQmlUrl));
    // Runs after the main window was loaded, right before the event loop. Without one, a smoke-test
    // start (KORVEX_REPAIR_SMOKE_TEST set) sets up the smoke automation there.
    std::function<void(QQmlApplicationEngine&, SettingsService&)> afterLoad;
};

// The whole program: returns the event loop's result or a start-up failure code.
int runApplication(int& argc, char** argv, const StartupOptions& options = {});

} // namespace olm::repair
