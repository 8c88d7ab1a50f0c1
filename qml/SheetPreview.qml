import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

// One worksheet page of the Office preview: its title, column letters, row numbers and the cells.
// The table creates only the cells in view, so a full page shows at once where a rich-text table of
// it would hold the window for a second.
Rectangle {
    id: sheetPreview

    // The page's table from the Office preview service; null shows nothing.
    property var sheetModel: null

    color: Theme.surface

    Label {
        id: sheetTitle
        objectName: "sheetTitle"
        textFormat: Text.PlainText
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 24
        text: sheetPreview.sheetModel ? sheetPreview.sheetModel.title : ""
        elide: Text.ElideRight
        color: Theme.textTitle
        font.family: Theme.fontFamily
        font.pixelSize: 20
        font.bold: true
    }

    Rectangle {
        id: corner
        anchors.left: sheetTitle.left
        anchors.top: sheetTitle.bottom
        anchors.topMargin: 12
        width: rowHeader.width
        height: columnHeader.height
        color: Theme.sheetHeaderFill
        border.color: Theme.sheetGridLine
        Text {
            anchors.centerIn: parent
            text: "#"
            color: Theme.textSuccess
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontSmall
            font.bold: true
        }
    }

    HorizontalHeaderView {
        id: columnHeader
        objectName: "sheetColumnHeader"
        anchors.left: table.left
        anchors.right: table.right
        anchors.top: corner.top
        syncView: table
        clip: true
        delegate: Rectangle {
            id: columnCell
            required property var display
            implicitWidth: 64
            implicitHeight: 30
            color: Theme.sheetHeaderFill
            border.color: Theme.sheetGridLine
            Text {
                anchors.centerIn: parent
                text: columnCell.display
                color: Theme.textSuccess
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                font.bold: true
            }
        }
    }

    VerticalHeaderView {
        id: rowHeader
        objectName: "sheetRowHeader"
        anchors.left: sheetTitle.left
        anchors.top: table.top
        anchors.bottom: table.bottom
        syncView: table
        clip: true
        delegate: Rectangle {
            id: rowCell
            required property var display
            implicitWidth: 48
            implicitHeight: 30
            color: Theme.sheetHeaderFill
            border.color: Theme.sheetGridLine
            Text {
                anchors.centerIn: parent
                text: rowCell.display
                color: Theme.textSuccess
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                font.bold: true
            }
        }
    }

    TableView {
        id: table
        objectName: "sheetTable"
        anchors.left: rowHeader.right
        anchors.top: columnHeader.bottom
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 24
        anchors.bottomMargin: 24
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: sheetPreview.sheetModel
        ScrollBar.vertical: ScrollBar {}
        ScrollBar.horizontal: ScrollBar {}

        // One line per cell, as wide as its text up to a bound; longer text ends in an ellipsis.
        delegate: Rectangle {
            id: sheetCell
            required property var display
            implicitWidth: Math.min(320, Math.max(64, cellText.implicitWidth + 16))
            implicitHeight: 30
            color: Theme.surface
            border.color: Theme.sheetGridLine
            Text {
                id: cellText
                anchors.fill: parent
                anchors.leftMargin: 8
                anchors.rightMargin: 8
                verticalAlignment: Text.AlignVCenter
                text: sheetCell.display
                textFormat: Text.PlainText
                maximumLineCount: 1
                elide: Text.ElideRight
                color: Theme.previewText
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
            }
        }
    }
}
