import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

ComboBox {
    id: control

    implicitHeight: 42
    leftPadding: 13
    rightPadding: 36
    font.family: ApplicationFont.family
    font.pixelSize: 13

    contentItem: Text {
        objectName: "displayText"
        leftPadding: 2
        text: control.displayText
        font: control.font
        color: "#17251E"
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    indicator: Text {
        objectName: "arrow"
        x: control.width - width - 13
        anchors.verticalCenter: parent.verticalCenter
        text: "⌄"
        color: "#66756E"
        font.family: control.font.family
        font.pixelSize: 16
    }

    background: Rectangle {
        objectName: "background"
        radius: 8
        color: "#FFFFFF"
        border.color: control.activeFocus ? "#07964D" : "#CBD5D0"
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
        font.family: ApplicationFont.family
        font.pixelSize: 13
        highlighted: entry.ListView.isCurrentItem

        contentItem: Text {
            text: entry.text
            font: entry.font
            color: "#17251E"
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            objectName: "entryBackground"
            radius: 6
            color: entry.highlighted ? "#EAF8F0" : "transparent"
        }
    }

    popup: Popup {
        objectName: "popup"
        y: control.height + 4
        width: control.width
        implicitHeight: list.contentHeight + 8
        padding: 4

        contentItem: ListView {
            id: list
            objectName: "list"
            clip: true
            implicitHeight: contentHeight
            // Entries exist only while the list is open.
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
        }

        background: Rectangle {
            radius: 8
            color: "#FFFFFF"
            border.color: "#CBD5D0"
        }
    }
}
