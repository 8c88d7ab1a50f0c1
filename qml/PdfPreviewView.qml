import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Pdf

// The PDF view of the embedded preview: one page at a time and the page and zoom toolbar.
Item {
    id: view

    // The InternalPreview this view belongs to: its kind, source, services and view.host.player.
    required property var host
    readonly property alias pdfView: pdfView
    objectName: "pdfViewArea"
    visible: view.host.kind === "pdf"
    anchors.fill: parent

    // One page at a time, scrollable, at renderScale pixels per point.
    Flickable {
        id: pdfView
        objectName: "pdfView"

        property int currentPage: 0
        property real renderScale: 1
        // No page is drawn before the first fit: at zoom 1 a page of a few metres would
        // be rendered at full size first.
        property bool fitted: false
        readonly property size pagePoints: view.host.pdfDocument.status === PdfDocument.Ready
            ? view.host.pdfDocument.pagePointSize(pdfView.currentPage) : Qt.size(0, 0)
        readonly property alias sourceSize: pageImage.sourceSize

        function goToPage(page) {
            if (page < 0 || page >= view.host.pdfDocument.pageCount)
                return
            pdfView.currentPage = page
            pdfView.contentX = 0
            pdfView.contentY = 0
        }
        function goToLocation(page, location, zoom) {
            pdfView.renderScale = zoom
            pdfView.goToPage(page)
            pdfView.contentX = Math.max(0, location.x * zoom)
            pdfView.contentY = Math.max(0, location.y * zoom)
        }
        function scaleToWidth(width, height) {
            if (pdfView.pagePoints.width > 0)
                pdfView.renderScale = Math.max(0.01, width) / pdfView.pagePoints.width
        }

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: pdfToolbar.top
        anchors.margins: 10
        clip: true
        contentWidth: Math.max(pdfView.width, pageImage.width)
        contentHeight: Math.max(pdfView.height, pageImage.height)
        ScrollBar.vertical: ScrollBar {}
        ScrollBar.horizontal: ScrollBar {}
        onCurrentPageChanged: view.host.clampPdfScale()

        Image {
            id: pageImage
            objectName: "pdfPageImage"
            x: Math.max(0, (pdfView.width - width) / 2)
            width: pdfView.pagePoints.width * pdfView.renderScale
            height: pdfView.pagePoints.height * pdfView.renderScale
            source: view.host.pdfDocument.status === PdfDocument.Ready && pdfView.fitted
                    ? view.host.pdfDocument.source : ""
            currentFrame: pdfView.currentPage
            sourceSize.width: Math.max(1, Math.min(view.host.maximumPdfPixels,
                                                   Math.round(pageImage.width * Screen.devicePixelRatio)))
            sourceSize.height: Math.max(1, Math.min(view.host.maximumPdfPixels,
                                                    Math.round(pageImage.height * Screen.devicePixelRatio)))
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            cache: false
        }
    }
    Rectangle {
        id: pdfToolbar
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 78
        color: Theme.surface
        border.color: Theme.panelBorder

        Column {
            anchors.centerIn: parent
            spacing: 2
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 8
                AppButton {
                    objectName: "pdfPrevious"
                    compact: true
                    text: qsTranslate("InternalPreview", "上一页")
                    enabled: pdfView.currentPage > 0
                    onClicked: pdfView.goToPage(pdfView.currentPage - 1)
                }
                Label {
                    objectName: "pdfPageLabel"
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTranslate("InternalPreview", "%1 / %2").arg(Math.max(0, pdfView.currentPage + 1)).arg(Math.max(0, view.host.pdfDocument.pageCount))
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                }
                AppButton {
                    objectName: "pdfNext"
                    compact: true
                    text: qsTranslate("InternalPreview", "下一页")
                    enabled: pdfView.currentPage + 1 < view.host.pdfDocument.pageCount
                    onClicked: pdfView.goToPage(pdfView.currentPage + 1)
                }
            }
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 8
                AppButton {
                    objectName: "pdfZoomOut"
                    compact: true
                    text: "−"
                    onClicked: view.host.setPdfZoom(Math.max(0.25, pdfView.renderScale / 1.2))
                }
                Label {
                    objectName: "pdfZoomLabel"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 50
                    horizontalAlignment: Text.AlignHCenter
                    text: Math.round(pdfView.renderScale * 100) + "%"
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                }
                AppButton {
                    objectName: "pdfZoomIn"
                    compact: true
                    text: "+"
                    onClicked: view.host.setPdfZoom(Math.min(5, pdfView.renderScale * 1.2))
                }
                AppButton {
                    objectName: "pdfFitWidth"
                    compact: true
                    text: qsTranslate("InternalPreview", "适合宽度")
                    onClicked: view.host.fitPdfWidth(pdfView.currentPage)
                }
            }
        }
    }
}
