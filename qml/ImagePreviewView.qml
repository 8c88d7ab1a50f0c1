import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

// The picture view of the embedded preview, decoded at the size shown.
Item {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    objectName: "imagePreviewView"
    visible: view.host.kind === "image"
    anchors.fill: parent
    Image {
        id: imageView
        objectName: "imageView"
        visible: view.host.kind === "image"
        anchors.fill: parent
        anchors.margins: 18
        fillMode: Image.PreserveAspectFit
        asynchronous: true
        cache: false
        // Decoded at the size shown: a photo of a hundred megapixels, or a header that only
        // claims one, must not be decoded at full resolution.
        sourceSize.width: Math.max(1, Math.ceil(imageView.width * Screen.devicePixelRatio))
        sourceSize.height: Math.max(1, Math.ceil(imageView.height * Screen.devicePixelRatio))
        // Only a picture whose full decode fits the memory budget reaches the decoder.
        source: view.host.kind === "image" ? view.host.imagePreview.source : ""
    }
    Label {
        objectName: "imageError"
        textFormat: Text.PlainText
        visible: view.host.kind === "image" && view.host.imagePreview.error !== ""
        anchors.centerIn: parent
        width: Math.min(parent.width - 40, 520)
        horizontalAlignment: Text.AlignHCenter
        text: view.host.imagePreview.error
        wrapMode: Text.Wrap
        color: Theme.textError
        font.family: Theme.fontFamily
    }
}
