import QtQuick
import Korvex.FileRepair

// The play/pause button of the embedded preview's video and audio views.
AppButton {
    id: button
    required property var preview
    text: button.preview.playing ? qsTranslate("InternalPreview", "暂停") : qsTranslate("InternalPreview", "播放")
    iconSource: button.preview.playing ? "assets/media-pause.svg" : "assets/media-play.svg"
    onClicked: button.preview.togglePlayback()
}
