import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

ComboBox {
    id: control

    implicitHeight: 42
    // Wide enough for its longest entry, whichever is chosen, so no entry needs to be cut.
    implicitContentWidthPolicy: ComboBox.WidestText
    leftPadding: 13
    rightPadding: 36
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontControl

    contentItem: Text {
        objectName: "displayText"
        leftPadding: 2
        text: control.displayText
        font: control.font
        color: Theme.textControl
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    indicator: Text {
        objectName: "arrow"
        x: control.width - width - 13
        anchors.verticalCenter: parent.verticalCenter
        text: "⌄"
        color: Theme.textSecondary
        font.family: control.font.family
        font.pixelSize: Theme.fontSection
    }

    background: Rectangle {
        objectName: "background"
        radius: Theme.radiusControl
        color: Theme.surface
        border.color: control.activeFocus ? Theme.accent : Theme.controlBorder
        border.width: control.activeFocus ? 2 : 1
    }

    delegate: ItemDelegate {
        id: entry

        required property var modelData
        required property int index

        // The pop-up's list: as wide as the control less the pop-up padding, its current entry the
        // control's highlighted one.
        width: entry.ListView.view.width
        height: 38
        text: entry.modelData
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontControl
        highlighted: entry.ListView.isCurrentItem

        contentItem: Text {
            text: entry.text
            font: entry.font
            color: Theme.textControl
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            objectName: "entryBackground"
            radius: 6
            color: entry.highlighted ? Theme.activeFill : "transparent"
        }
    }

    popup: Popup {
        objectName: "popup"
        y: control.height + 4
        width: control.width
        // The list as tall as its entries, plus the padding.
        implicitHeight: implicitContentHeight + 8
        padding: 4

        contentItem: ListView {
            objectName: "list"
            clip: true
            implicitHeight: contentHeight
            // Entries exist only while the list is open.
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
        }

        background: Rectangle {
            radius: Theme.radiusControl
            color: Theme.surface
            border.color: Theme.controlBorder
        }
    }
}
