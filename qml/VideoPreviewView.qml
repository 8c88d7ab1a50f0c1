import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtMultimedia

// The video view of the embedded preview: the picture, the big play button and the player bar.
Item {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    readonly property alias videoOutput: videoOutput
    objectName: "videoView"
    visible: view.host.kind === "video"
    anchors.fill: parent

    Rectangle {
        id: videoSurface
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.bottomMargin: videoBar.height + 20
        radius: Theme.radiusControl
        color: Theme.videoBackdrop

        VideoOutput {
            id: videoOutput
            objectName: "videoOutput"
            anchors.fill: parent
            fillMode: VideoOutput.PreserveAspectFit
        }
        Label {
            objectName: "videoPlaybackFailed"
            visible: view.host.playbackFailed
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: videoCentreButton.top
            anchors.bottomMargin: 14
            width: Math.min(parent.width - 40, 520)
            text: view.host.cannotPlayText()
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            color: Theme.surface
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontControl
        }
        AppButton {
            id: videoCentreButton
            objectName: "videoCentreButton"
            anchors.centerIn: parent
            visible: !view.host.playing
            iconSource: "assets/media-play.svg"
            text: view.host.mediaAtEnd ? qsTranslate("InternalPreview", "重新播放")
                : view.host.videoWasStarted ? qsTranslate("InternalPreview", "继续播放")
                : qsTranslate("InternalPreview", "播放视频")
            onClicked: view.host.requestPlayback()
        }
    }
    // One row of play, position, slider, duration and mute where the slider keeps room to
    // seek; where a language's button texts leave it less, the slider and the times take a
    // row of their own above the two buttons.
    GridLayout {
        id: videoBar
        objectName: "videoBar"
        readonly property int minimumSliderWidth: 160
        readonly property bool oneRow: width >= videoPlayButton.implicitWidth + videoMuteButton.implicitWidth
            + positionLabel.implicitWidth + durationLabel.implicitWidth + minimumSliderWidth + 4 * columnSpacing
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        anchors.bottomMargin: 10
        height: Math.max(oneRow ? 38 : 38 * 2 + rowSpacing, implicitHeight)
        columns: oneRow ? 5 : 4
        columnSpacing: 10
        rowSpacing: 6

        PreviewMediaButton {

            preview: view.host
            id: videoPlayButton
            objectName: "videoPlayButton"
            compact: true
            Layout.row: videoBar.oneRow ? 0 : 1
            Layout.column: 0
            Layout.columnSpan: videoBar.oneRow ? 1 : 2
            Layout.alignment: Qt.AlignLeft | Qt.AlignVCenter
        }
        Label {
            id: positionLabel
            Layout.row: 0
            Layout.column: videoBar.oneRow ? 1 : 0
            text: view.host.formatTime(view.host.player.position) // qmllint disable type
            color: Theme.mediaTime
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
        }
        PreviewSeekSlider {
            preview: view.host
            objectName: "videoSlider"
            Layout.row: 0
            Layout.column: videoBar.oneRow ? 2 : 1
            Layout.columnSpan: videoBar.oneRow ? 1 : 2
            Layout.fillWidth: true
            Layout.minimumWidth: videoBar.minimumSliderWidth
        }
        Label {
            id: durationLabel
            Layout.row: 0
            Layout.column: 3
            Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
            text: view.host.formatTime(view.host.player.duration) // qmllint disable type
            color: Theme.mediaTime
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
        }
        AppButton {
            id: videoMuteButton
            objectName: "muteButton"
            compact: true
            Layout.row: videoBar.oneRow ? 0 : 1
            Layout.column: videoBar.oneRow ? 4 : 2
            Layout.columnSpan: videoBar.oneRow ? 1 : 2
            Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
            text: view.host.audioOutput.muted ? qsTranslate("InternalPreview", "取消静音") : qsTranslate("InternalPreview", "静音")
            iconSource: view.host.audioOutput.muted ? "assets/media-muted.svg" : "assets/media-volume.svg"
            onClicked: view.host.audioOutput.muted = !view.host.audioOutput.muted
        }
    }
}
