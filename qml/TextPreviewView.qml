import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

// The text and binary views of the embedded preview.
Item {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    anchors.fill: parent
    // A plain flickable: a scroll view sizes a text area itself, against the widths below.
    // It holds the binary view, and the text preview's error.
    Flickable {
        id: textScroll
        objectName: "textScroll"
        readonly property bool binary: view.host.kind === "binary"
        visible: textScroll.binary || (view.host.kind === "text" && !view.host.textPreview.ready)
        anchors.fill: parent
        anchors.margins: 14
        clip: true
        contentWidth: textView.width
        contentHeight: Math.max(textView.implicitHeight, textScroll.height)
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        ScrollBar.horizontal: ScrollBar {}

        PreviewReadOnlyText {
            id: textView
            objectName: "textView"
            // Binary excerpts are long unbroken lines: the view grows sideways and scrolls
            // instead of cutting them at the edge.
            width: textScroll.binary ? Math.max(100, textScroll.width, textView.implicitWidth)
                                     : Math.max(100, textScroll.width)
            wrapMode: textScroll.binary ? TextEdit.NoWrap : TextEdit.Wrap
            textFormat: TextEdit.PlainText
            font.family: view.host.monospaceFamily
            height: Math.max(textView.implicitHeight, textScroll.height)
            text: !textScroll.binary ? view.host.textPreview.error
                  : view.host.binaryPreview.ready ? view.host.binaryPreview.text : view.host.binaryPreview.error
            color: textScroll.binary && view.host.binaryPreview.ready ? Theme.previewText : Theme.textError
        }
    }

    // The text itself, as a list of short blocks of lines: only the blocks in sight are laid
    // out, so a million lines or one endless line open at once.
    Rectangle {
        visible: view.host.kind === "text" && view.host.textPreview.ready
        anchors.fill: parent
        anchors.margins: 14
        color: Theme.surface
        border.color: Theme.panelBorder

        ListView {
            id: textList
            objectName: "textList"
            anchors.fill: parent
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: view.host.textPreview.blockCount
            ScrollBar.vertical: ScrollBar {}

            // qmllint disable unqualified
            delegate: PreviewReadOnlyText {
                required property int index
                objectName: "textBlock"
                width: textList.width
                wrapMode: TextEdit.Wrap
                textFormat: TextEdit.PlainText
                font.family: view.host.monospaceFamily
                topPadding: index === 0 ? 6 : 0
                bottomPadding: index + 1 === textList.count ? 6 : 0
                background: null
                text: view.host.textPreview.ready ? view.host.textPreview.block(index) : ""
            }
            // qmllint enable unqualified
        }
    }
}
