import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

Button {
    id: control

    property bool active: false
    property string symbol: "•"
    property url iconSource: ""

    readonly property bool iconShown: String(control.iconSource) !== ""

    implicitHeight: Math.max(46, label.implicitHeight + 22)
    implicitWidth: 160
    leftPadding: 14
    rightPadding: 12
    hoverEnabled: true
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontBody

    contentItem: Item {
        clip: true

        Item {
            id: iconBox
            objectName: "iconBox"
            width: 22
            height: 22
            anchors.verticalCenter: parent.verticalCenter

            Image {
                objectName: "icon"
                anchors.centerIn: parent
                width: 20
                height: 20
                visible: control.iconShown
                source: control.iconSource
                sourceSize.width: 40
                sourceSize.height: 40
                opacity: control.active ? 1.0 : 0.78
            }
            Text {
                objectName: "symbol"
                anchors.fill: parent
                visible: !control.iconShown
                text: control.symbol
                font.family: control.font.family
                font.pixelSize: Theme.fontEmphasis
                font.bold: true
                color: control.active ? Theme.accent : Theme.textSecondary
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }
        Text {
            id: label
            objectName: "label"
            x: iconBox.width + 12
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, parent.width - x)
            text: control.text
            font.family: control.font.family
            font.pixelSize: control.font.pixelSize
            font.bold: control.active
            color: control.active ? Theme.textSuccess : Theme.textBody
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.Wrap
        }
    }

    background: Rectangle {
        objectName: "background"
        radius: Theme.radiusControl
        color: control.active ? Theme.activeFill : control.hovered ? Theme.hoveredFill : "transparent"
        border.color: control.active ? Theme.activeBorder : "transparent"
        border.width: control.active ? 1 : 0
    }
}
