#include "platform/file_manager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace olm::repair {

bool revealInFileManager(const QString& filePath)
{
    if (filePath.isEmpty())
        return false;
    const QFileInfo info(filePath);
    const QUrl fileUrl = QUrl::fromLocalFile(info.absoluteFilePath());
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    if (bus.isConnected() && bus.interface() != nullptr && bus.interface()->isServiceRegistered(service).value()) {
        QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                           service, QStringLiteral("ShowItems"));
        call << QStringList{fileUrl.toString(QUrl::FullyEncoded)} << QString();
        if (bus.send(call))
            return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absolutePath()));
}

} // namespace olm::repair
