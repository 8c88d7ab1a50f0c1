// Runs the program's start-up with test seams and prints what it set up as JSON, then quits.
// KORVEX_PROBE_MODE: "report" (default), "switch-language", "missing-icon", "no-root".

#include "app/startup.h"
#include "services/settings_service.h"

#include <QFont>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

using namespace olm::repair;

namespace {

QJsonObject snapshot(QQmlApplicationEngine& engine, SettingsService& settings)
{
    QObject* root = engine.rootObjects().value(0);
    auto* window = qobject_cast<QQuickWindow*>(root);
    QJsonObject state;
    state["organization"] = QCoreApplication::organizationName();
    state["application"] = QCoreApplication::applicationName();
    state["version"] = QCoreApplication::applicationVersion();
    state["style"] = QQuickStyle::name();
    state["appIcon"] = !QGuiApplication::windowIcon().isNull();
    state["windowIcon"] = window != nullptr && !window->icon().isNull();
    state["startupFileUrl"] = root->property("startupFileUrl").toUrl().toString();
    state["title"] = root->property("title").toString();
    state["settingsPublished"] =
        engine.rootContext()->contextProperty(QStringLiteral("settingsService")).value<QObject*>() == &settings;
    state["language"] = settings.language();
    state["locale"] = QLocale().name();
    state["fontFamily"] = QGuiApplication::font().family();
    state["fontPointSize"] = QGuiApplication::font().pointSize();
    return state;
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray mode = qgetenv("KORVEX_PROBE_MODE");
    StartupOptions options;
    if (mode == "missing-icon")
        options.iconResource = QStringLiteral(":/qt/qml/Korvex/FileRepair/qml/assets/absent-icon.png");
    if (mode == "no-root")
        options.mainQmlUrl = QUrl(QStringLiteral("qrc:/qt/qml/Korvex/FileRepair/qml/Absent.qml"));
    options.afterLoad = [mode](QQmlApplicationEngine& engine, SettingsService& settings) {
        QJsonObject report{{"start", snapshot(engine, settings)}};
        if (mode == "switch-language") {
            settings.setLanguage(QStringLiteral("de-DE"));
            report["german"] = snapshot(engine, settings);
            settings.setLanguage(QStringLiteral("zh-CN"));
            report["back"] = snapshot(engine, settings);
        }
        std::fputs(QJsonDocument(report).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };
    return runApplication(argc, argv, options);
}
