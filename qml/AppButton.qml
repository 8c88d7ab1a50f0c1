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
    readonly property color textColor: !control.enabled ? Theme.textDisabled
        : control.look === "primary" ? Theme.textOnAccent
        : control.look === "danger" ? Theme.textError
        : control.look === "ghost" ? Theme.textGhost
        : Theme.textControl
    readonly property color fillColor: !control.enabled ? Theme.disabledFill
        : control.look === "primary" ? (control.down ? Theme.accentPressed : control.hovered ? Theme.accentHovered : Theme.accent)
        : control.look === "danger" ? (control.hovered ? Theme.errorFill : Theme.surface)
        : control.look === "ghost" ? (control.hovered ? Theme.ghostHoveredFill : "transparent")
        : (control.down ? Theme.secondaryPressedFill : control.hovered ? Theme.secondaryHoveredFill : Theme.surface)
    readonly property color borderColor: !control.enabled ? Theme.disabledBorder
        : control.look === "primary" ? Theme.accent
        : control.look === "danger" ? Theme.errorBorder
        : control.look === "ghost" ? "transparent"
        : Theme.controlBorder
    readonly property int borderWidth: control.look === "ghost" ? 0 : 1

    implicitHeight: Math.max(control.compact ? 36 : 44, implicitContentHeight + 20)
    implicitWidth: Math.max(control.compact ? 104 : 132, implicitContentWidth + 28)
    leftPadding: 14
    rightPadding: 14
    hoverEnabled: true
    font.family: Theme.fontFamily
    font.pixelSize: control.compact ? Theme.fontControl : Theme.fontBody
    font.bold: control.look === "primary"

    // The content is built with the button, not deferred: its parts size the button by id, and
    // building it later would lay the label out in another order and shift its width by a pixel.
    contentItem: Item { // qmllint disable deferred-property-id
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
        radius: control.compact ? Theme.radiusCompact : Theme.radiusControl
        color: control.fillColor
        border.color: control.borderColor
        border.width: control.borderWidth
    }
}
