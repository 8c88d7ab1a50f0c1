import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// What the embedded preview shows for a kind it has no view for.
ColumnLayout {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    objectName: "unsupportedView"
    visible: view.host.kind === "unsupported" || view.host.kind === "none"
    anchors.centerIn: parent
    width: Math.min(parent.width - 40, 520)
    spacing: 10
    Label {
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        text: qsTranslate("InternalPreview", "此格式尚未提供内部预览")
        wrapMode: Text.Wrap
        color: Theme.textProminent
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontItemTitle
        font.bold: true
    }
    Label {
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        text: qsTranslate("InternalPreview", "不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。")
        wrapMode: Text.Wrap
        color: Theme.textHint
        font.family: Theme.fontFamily
    }
}
