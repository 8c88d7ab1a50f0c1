import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The Office view of the embedded preview: the pages (sheets as a grid) and the page bar.
ColumnLayout {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    objectName: "officeView"
    visible: view.host.kind === "office"
    anchors.fill: parent
    anchors.margins: 10
    spacing: 8

    Rectangle {
        id: officeArea
        Layout.fillWidth: true
        Layout.fillHeight: true
        color: Theme.pageDeskFill
        border.color: Theme.pageDeskBorder
        radius: 6

        Flickable {
            id: officeScroll
            anchors.fill: parent
            anchors.margins: 8
            visible: view.host.officePreview.kind !== "xlsx"
            clip: true
            contentWidth: officeText.width
            contentHeight: Math.max(officeText.implicitHeight, officeScroll.height)
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            ScrollBar.horizontal: ScrollBar {}

            PreviewReadOnlyText {
                id: officeText
                objectName: "officeText"
                width: Math.max(100, officeScroll.width)
                height: Math.max(officeText.implicitHeight, officeScroll.height)
                textFormat: TextEdit.RichText
                wrapMode: TextEdit.Wrap
                // Only the page shown is read: the whole list would be copied at every read.
                // Worksheets have a table view of their own.
                text: view.host.officePreview.ready && view.host.officePreview.kind !== "xlsx" && view.host.officePage < view.host.officePreview.pageCount
                      ? view.host.officePreview.page(view.host.officePage) : ""
            }
        }

        SheetPreview {
            objectName: "sheetView"
            anchors.fill: parent
            anchors.margins: 8
            visible: view.host.officePreview.kind === "xlsx" && view.host.officePreview.ready
            sheetModel: view.host.officePreview.kind === "xlsx" && view.host.officePreview.ready ? view.host.officePreview.sheet(view.host.officePage) : null
        }

        ColumnLayout {
            anchors.centerIn: parent
            width: Math.min(officeArea.width - 40, 520)
            visible: !view.host.officePreview.ready
            spacing: 10
            Label {
                objectName: "officeTitle"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: view.host.officePreview.error !== "" ? qsTranslate("InternalPreview", "无法生成内部 Office 预览") : qsTranslate("InternalPreview", "正在生成安全只读预览…")
                color: Theme.textProminent
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSection
                font.bold: true
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                textFormat: Text.PlainText
                text: view.host.officePreview.error
                wrapMode: Text.Wrap
                color: Theme.textError
                font.family: Theme.fontFamily
            }
        }
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppButton {
            objectName: "officePrevious"
            compact: true
            text: qsTranslate("InternalPreview", "上一页")
            enabled: view.host.officePreview.ready && view.host.officePage > 0
            onClicked: view.host.officePage -= 1
        }
        Label {
            objectName: "officePageLabel"
            text: view.host.officePreview.ready ? qsTranslate("InternalPreview", "%1 / %2").arg(view.host.officePage + 1).arg(view.host.officePreview.pageCount) : qsTranslate("InternalPreview", "0 / 0")
            color: Theme.textBody
            font.family: Theme.fontFamily
        }
        AppButton {
            objectName: "officeNext"
            compact: true
            text: qsTranslate("InternalPreview", "下一页")
            enabled: view.host.officePreview.ready && view.host.officePage + 1 < view.host.officePreview.pageCount
            onClicked: view.host.officePage += 1
        }
        Item {
            Layout.fillWidth: true
        }
    }
    // What the safe preview leaves out, in full: on a line of its own under the page buttons, so a
    // narrow window wraps it instead of cutting it.
    Label {
        objectName: "officeLimitation"
        Layout.fillWidth: true
        visible: text !== ""
        textFormat: Text.PlainText
        text: view.host.officePreview.limitation
        wrapMode: Text.Wrap
        color: Theme.textSecondary
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
    }
}
