#include "services/diagnostics_log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

namespace olm::repair {

QString diagnosticsFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("diagnostics/events.jsonl"));
}

bool isValidDiagnosticEventName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9._-]{1,64}$"));
    return pattern.match(name).hasMatch();
}

bool appendDiagnosticEvent(const QString& eventName)
{
    if (!isValidDiagnosticEventName(eventName))
        return false;
    const QString path = diagnosticsFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // Members in a fixed order; the object model would sort them, so the line is built by hand.
    auto quoted = [](const QString& value) {
        const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("v"), value}}).toJson(QJsonDocument::Compact);
        return json.mid(5, json.size() - 6); // strip {"v": and }
    };
    const QString timestamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    QByteArray line = "{\"applicationVersion\":" + quoted(QCoreApplication::applicationVersion()) +
                      ",\"event\":" + quoted(eventName) + ",\"timestampUtc\":" + quoted(timestamp) + "}\n";
    const bool ok = file.write(line) == line.size();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

qint64 diagnosticsFileSize()
{
    const QFileInfo info(diagnosticsFilePath());
    return info.exists() && info.size() > 0 ? info.size() : 0;
}

} // namespace olm::repair
