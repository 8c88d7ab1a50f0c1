#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QtTest>

#include "platform/file_manager.h"

using namespace olm::repair;

// Plays the desktop's file manager on the session bus and records what it is asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
};

class FileManagerTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFileThroughTheFileManagerService()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus (the CTest run provides one through dbus-run-session)");
        FakeFileManager manager;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        QVERIFY(revealInFileManager(QStringLiteral("/tmp/some folder/result_repaired.pdf")));
        QTRY_COMPARE(manager.shown, QStringList{QStringLiteral("file:///tmp/some%20folder/result_repaired.pdf")});
        bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        QVERIFY(!revealInFileManager(QString()));
    }
};

QTEST_MAIN(FileManagerTest)
#include "file_manager_test.moc"
