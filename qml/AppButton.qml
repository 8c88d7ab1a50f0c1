import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

Button {
    id: control

    property string variant: "primary"
    property bool compact: false
    property url iconSource: ""

    readonly property bool iconShown: String(control.iconSource) !== ""
    readonly property string look: control.variant === "primary" || control.variant === "danger"
        || control.variant === "ghost" ? control.variant : "secondary"
    readonly property color textColor: !control.enabled ? "#98A29D"
        : control.look === "primary" ? "#FFFFFF"
        : control.look === "danger" ? "#B42318"
        : control.look === "ghost" ? "#475467"
        : "#17251E"
    readonly property color fillColor: !control.enabled ? "#F0F2F1"
        : control.look === "primary" ? (control.down ? "#08783D" : control.hovered ? "#0AA758" : "#07964D")
        : control.look === "danger" ? (control.hovered ? "#FEF3F2" : "#FFFFFF")
        : control.look === "ghost" ? (control.hovered ? "#F3F6F4" : "transparent")
        : (control.down ? "#EDF7F1" : control.hovered ? "#F5FAF7" : "#FFFFFF")
    readonly property color borderColor: !control.enabled ? "#D9DEDB"
        : control.look === "primary" ? "#07964D"
        : control.look === "danger" ? "#FDA29B"
        : control.look === "ghost" ? "transparent"
        : "#CBD5D0"
    readonly property int borderWidth: control.look === "ghost" ? 0 : 1

    implicitHeight: Math.max(control.compact ? 36 : 44, implicitContentHeight + 20)
    implicitWidth: Math.max(control.compact ? 104 : 132, implicitContentWidth + 28)
    leftPadding: 14
    rightPadding: 14
    hoverEnabled: true
    font.family: ApplicationFont.family
    font.pixelSize: control.compact ? 13 : 14
    font.bold: control.look === "primary"

    contentItem: Item {
        readonly property int spacing: control.iconShown ? 7 : 0

        // The unwrapped text decides the implicit size; given less width, the label wraps and the
        // button grows in height instead.
        implicitWidth: icon.width + spacing + Math.ceil(label.implicitWidth)
        implicitHeight: Math.max(icon.height, Math.ceil(label.implicitHeight))

        Image {
            id: icon
            objectName: "icon"
            anchors.verticalCenter: parent.verticalCenter
            width: control.iconShown ? 17 : 0
            height: control.iconShown ? 17 : 0
            visible: control.iconShown
            source: control.iconSource
            sourceSize.width: 34
            sourceSize.height: 34
            opacity: control.enabled ? 1 : 0.5
        }
        Text {
            id: label
            objectName: "label"
            x: icon.width + parent.spacing
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, parent.width - x)
            text: control.text
            font: control.font
            color: control.textColor
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.Wrap
        }
    }

    background: Rectangle {
        objectName: "background"
        radius: control.compact ? 7 : 8
        color: control.fillColor
        border.color: control.borderColor
        border.width: control.borderWidth
    }
}
