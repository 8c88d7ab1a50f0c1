import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

Button {
    id: control

    property bool active: false
    property string symbol: "•"
    property url iconSource: ""

    readonly property bool iconShown: String(control.iconSource) !== ""

    implicitHeight: Math.max(46, control.implicitContentHeight + 22)
    implicitWidth: 160
    leftPadding: 14
    rightPadding: 12
    hoverEnabled: true
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontBody

    // The content as a component of its own: ids inside an object given to contentItem would
    // make Qt build it at once instead of deferring it.
    component Content: Item {
        id: content

        required property bool active
        required property bool iconShown
        required property url iconSource
        required property string symbol
        required property string text
        required property font font

        implicitHeight: label.implicitHeight
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
                visible: content.iconShown
                source: content.iconSource
                sourceSize.width: 40
                sourceSize.height: 40
                opacity: content.active ? 1.0 : 0.78
            }
            Text {
                objectName: "symbol"
                anchors.fill: parent
                visible: !content.iconShown
                text: content.symbol
                font.family: content.font.family
                font.pixelSize: Theme.fontEmphasis
                font.bold: true
                color: content.active ? Theme.accent : Theme.textSecondary
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }
        Text {
            id: label
            objectName: "label"
            x: iconBox.width + 12
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(0, content.width - label.x)
            text: Theme.keepWords(content.text)
            font.family: content.font.family
            font.pixelSize: content.font.pixelSize
            font.bold: content.active
            color: content.active ? Theme.textSuccess : Theme.textBody
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.Wrap
        }
    }

    contentItem: Content {
        active: control.active
        iconShown: control.iconShown
        iconSource: control.iconSource
        symbol: control.symbol
        text: control.text
        font: control.font
    }

    background: Rectangle {
        objectName: "background"
        radius: Theme.radiusControl
        color: control.active ? Theme.activeFill : control.hovered ? Theme.hoveredFill : "transparent"
        border.color: control.active ? Theme.activeBorder : "transparent"
        border.width: control.active ? 1 : 0
    }
}
