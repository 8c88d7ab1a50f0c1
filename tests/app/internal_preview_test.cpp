// The embedded preview's players with real media: a video decodes frames into the view's sink and
// plays again from the start after its end (the reload road), an audio clip's position advances.
// Offscreen drawing shows video black, so the test counts the decoded frames, not pixels.

#include "app/startup.h"

#include <QGuiApplication>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

void qml_register_types_Korvex_FileRepair();

namespace {

class FrameCounter : public QObject {
    Q_OBJECT
public:
    int frames = 0;
public slots:
    void onFrame() { ++frames; }
};

bool ffmpeg(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y"} + arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class InternalPreviewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QQmlEngine* engine_ = nullptr;

    // A window holding one preview of the given kind and file; the preview is its "preview".
    QQuickWindow* show(const QString& kind, const QString& file)
    {
        QQmlComponent component(engine_);
        component.setData("import QtQuick\nimport Korvex.FileRepair\n"
                          "Window { width: 640; height: 480; visible: true\n"
                          "  property alias preview: p\n"
                          "  required property string previewKind\n"
                          "  required property url previewSource\n"
                          "  InternalPreview { id: p; anchors.fill: parent; kind: previewKind; source: previewSource; fileName: \"x\" } }",
                          QUrl());
        QObject* object = component.createWithInitialProperties(
            {{QStringLiteral("previewKind"), kind}, {QStringLiteral("previewSource"), QUrl::fromLocalFile(dir_.filePath(file))}});
        if (!object)
            qWarning() << component.errors();
        return qobject_cast<QQuickWindow*>(object);
    }

    static QObject* child(QObject* window, const char* name) { return window->property(name).value<QObject*>(); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            QSKIP("ffmpeg is needed to make the media");
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc=d=1:s=160x120:r=25", "-c:v", "libx264", "-preset", "ultrafast",
                        "-pix_fmt", "yuv420p", dir_.filePath(QStringLiteral("clip.mp4"))}));
        QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=3", dir_.filePath(QStringLiteral("tone.wav"))}));
        engine_ = new QQmlEngine(this);
        engine_->addImportPath(QString::fromLatin1(olm::repair::kQmlModuleImportPath));
    }

    void videoDecodesFramesAndReplaysFromTheStart()
    {
        std::unique_ptr<QQuickWindow> window(show(QStringLiteral("video"), QStringLiteral("clip.mp4")));
        QVERIFY(window);
        QObject* preview = child(window.get(), "preview");
        QObject* player = preview->property("player").value<QObject*>();
        QObject* output = preview->property("videoOutput").value<QObject*>();
        QObject* sink = output->property("videoSink").value<QObject*>();
        QVERIFY(player && sink);
        FrameCounter counter;
        QVERIFY(connect(sink, SIGNAL(videoFrameChanged(QVideoFrame)), &counter, SLOT(onFrame())));

        QVERIFY(QMetaObject::invokeMethod(preview, "requestPlayback"));
        QVERIFY(preview->property("playbackRequested").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(player->property("position").toLongLong() > 300, 60000);
        QVERIFY2(counter.frames >= 5, qPrintable(QString::number(counter.frames)));

        // Played to its end: the request is cleared and the centre button offers a replay.
        QTRY_VERIFY_WITH_TIMEOUT(preview->property("mediaAtEnd").toBool(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(!preview->property("playbackRequested").toBool(), 60000);
        QObject* centre = window->findChild<QObject*>(QStringLiteral("videoCentreButton"));
        QVERIFY(centre);
        QTRY_COMPARE(centre->property("text").toString(), QStringLiteral("重新播放"));

        // A replay loads the clip afresh and decodes it again from the start.
        const int before = counter.frames;
        QVERIFY(QMetaObject::invokeMethod(preview, "requestPlayback"));
        QVERIFY(preview->property("playbackReloadPending").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(counter.frames >= before + 5, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(!preview->property("playbackReloadPending").toBool(), 60000);
    }

    void audioPositionAdvancesAndPauses()
    {
        // Audio plays against the clock of an output device; the toolkit's FFmpeg backend of this
        // version also fails hard when it has none (headless machines).
        QQmlComponent devices(engine_);
        devices.setData("import QtMultimedia\nMediaDevices {}", QUrl());
        std::unique_ptr<QObject> media(devices.create());
        QVERIFY(media);
        if (media->property("audioOutputs").toList().isEmpty())
            QSKIP("no audio output device");
        std::unique_ptr<QQuickWindow> window(show(QStringLiteral("audio"), QStringLiteral("tone.wav")));
        QVERIFY(window);
        QObject* preview = child(window.get(), "preview");
        QObject* player = preview->property("player").value<QObject*>();
        QTRY_VERIFY_WITH_TIMEOUT(player->property("duration").toLongLong() > 2500, 60000);
        QVERIFY(QMetaObject::invokeMethod(preview, "togglePlayback"));
        QTRY_VERIFY_WITH_TIMEOUT(player->property("position").toLongLong() > 400, 60000);
        QVERIFY(QMetaObject::invokeMethod(preview, "togglePlayback"));
        QVERIFY(!preview->property("playbackRequested").toBool());
        QTest::qWait(300);
        const qint64 paused = player->property("position").toLongLong();
        QTest::qWait(500);
        QVERIFY(qAbs(player->property("position").toLongLong() - paused) < 100);
        QObject* time = window->findChild<QObject*>(QStringLiteral("audioTime"));
        QVERIFY(time->property("text").toString().endsWith(QStringLiteral(" / 0:03")));
    }
};

int main(int argc, char** argv)
{
    // The media backend the program plays through.
    olm::repair::selectMediaBackend();
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    volatile auto keepModuleRegistration = &qml_register_types_Korvex_FileRepair;
    Q_UNUSED(keepModuleRegistration);
    InternalPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "internal_preview_test.moc"
