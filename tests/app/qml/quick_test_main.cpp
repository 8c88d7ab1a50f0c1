// Qt Quick Test runner for the QML module: the module's resources on the import path, the
// settings service published as in the program, and a language switch the tests can call.

#include "app/startup.h"
#include "platform/ui_fonts.h"
#include "services/settings_service.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtQuickTest>

void qml_register_types_Korvex_FileRepair();

namespace {

// Applies a UI language the way start-up does.
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE bool apply(const QString& code)
    {
        bool loaded = true;
        olm::repair::applyUiLanguage({qGuiApp, &translator_, &loaded, nullptr}, code);
        return loaded;
    }

private:
    QTranslator translator_;
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
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        olm::repair::installUiFontStandIns();
        volatile auto keepModuleRegistration = &qml_register_types_Korvex_FileRepair;
        Q_UNUSED(keepModuleRegistration);
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath(QString::fromLatin1(olm::repair::kQmlModuleImportPath));
        engine->rootContext()->setContextProperty(QStringLiteral("settingsService"), new olm::repair::SettingsService(engine));
        engine->rootContext()->setContextProperty(QStringLiteral("uiLanguage"), new LanguageSwitch(engine));
    }

private:
    QTemporaryDir store_;
};

QUICK_TEST_MAIN_WITH_SETUP(korvex_qml, QuickTestSetup)
#include "quick_test_main.moc"
