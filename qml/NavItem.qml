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
    font.family: ApplicationFont.family
    font.pixelSize: 14

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
                font.pixelSize: 18
                font.bold: true
                color: control.active ? "#07964D" : "#66756E"
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
            color: control.active ? "#087A40" : "#34473E"
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.Wrap
        }
    }

    background: Rectangle {
        objectName: "background"
        radius: 8
        color: control.active ? "#EAF8F0" : control.hovered ? "#F4F7F5" : "transparent"
        border.color: control.active ? "#95D8B0" : "transparent"
        border.width: control.active ? 1 : 0
    }
}
