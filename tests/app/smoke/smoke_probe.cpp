// The program's own start-up with another main window: KORVEX_SMOKE_PROBE_QML names a local QML
// file loaded in place of the module's Main, so the smoke automation can be run against windows the
// program itself never has (no window at all, no workflow controller, a window that logs).

#include "app/startup.h"

#include <QString>
#include <QUrl>

int main(int argc, char** argv)
{
    olm::repair::StartupOptions options;
    const QString qml = qEnvironmentVariable("KORVEX_SMOKE_PROBE_QML");
    if (!qml.isEmpty())
        options.mainQmlUrl = QUrl::fromLocalFile(qml);
    return olm::repair::runApplication(argc, argv, options);
}
