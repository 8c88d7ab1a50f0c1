import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The audio view of the embedded preview: title, seek slider, play button and times.
ColumnLayout {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    objectName: "audioView"
    visible: view.host.kind === "audio"
    anchors.centerIn: parent
    width: Math.min(parent.width - 60, 620)
    spacing: 18

    Label {
        Layout.fillWidth: true
        text: qsTranslate("InternalPreview", "音频预览")
        horizontalAlignment: Text.AlignHCenter
        color: Theme.textSuccess
        font.family: Theme.fontFamily
        font.pixelSize: 22
        font.bold: true
    }
    PreviewSeekSlider {
        preview: view.host
        objectName: "audioSlider"
        Layout.fillWidth: true
    }
    Label {
        objectName: "audioPlaybackFailed"
        visible: view.host.playbackFailed
        Layout.fillWidth: true
        text: view.host.cannotPlayText()
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Theme.textError
        font.family: Theme.fontFamily
    }
    Row {
        Layout.alignment: Qt.AlignHCenter
        spacing: 12
        PreviewMediaButton {
            preview: view.host
            objectName: "audioPlayButton"
        }
        Label {
            objectName: "audioTime"
            anchors.verticalCenter: parent.verticalCenter
            text: view.host.formatTime(view.host.player.position) + " / " + view.host.formatTime(view.host.player.duration) // qmllint disable type
            color: Theme.mediaTime
            font.family: Theme.fontFamily
        }
    }
}
