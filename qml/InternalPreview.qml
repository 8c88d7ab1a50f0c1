import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Pdf
import QtMultimedia

// The decrypted preview copy of a repaired result, shown read-only inside the window by its kind.
// No view ever hands the file to another program.
Item {
    id: preview

    required property string kind
    required property url source
    required property string fileName

    property int officePage: 0
    readonly property alias videoWasStarted: playback.videoWasStarted
    readonly property alias playbackRequested: playback.playbackRequested
    readonly property alias playbackStartPending: playback.playbackStartPending
    readonly property alias playbackReloadPending: playback.playbackReloadPending
    readonly property alias playbackStartAttempts: playback.playbackStartAttempts
    readonly property alias playbackCommandGeneration: playback.playbackCommandGeneration
    readonly property alias mediaAtEnd: playback.mediaAtEnd
    readonly property alias playbackStartWatchdog: playback.playbackStartWatchdog
    readonly property alias playbackFailed: playback.playbackFailed
    readonly property alias player: player
    readonly property alias pdfDocument: pdfDocument
    readonly property alias officePreview: officePreview
    readonly property alias textPreview: textPreview
    readonly property alias binaryPreview: binaryPreview
    readonly property alias imagePreview: imagePreview
    readonly property alias videoOutput: videoOutput

    readonly property bool mediaKind: preview.kind === "video" || preview.kind === "audio"
    readonly property bool hasSource: String(preview.source) !== ""
    readonly property bool playing: player.playbackState === MediaPlayer.PlayingState

    // Largest side, in pixels, of a rendered PDF page: a page box of a few metres, or a large
    // user unit, at a high zoom would otherwise ask for an image of gigabytes.
    readonly property int maximumPdfPixels: 8192

    // Hex dumps need a fixed-pitch face to keep their columns; without the Windows face, the
    // system's monospace alias stands in.
    readonly property var installedFamilies: Qt.fontFamilies()
    readonly property string monospaceFamily: installedFamilies.indexOf("Consolas") >= 0 ? "Consolas" : "monospace"

    clip: true

    // m:ss below an hour, h:mm:ss from an hour on.
    function formatTime(ms) {
        const seconds = Math.max(0, Math.floor(ms / 1000))
        const twoDigits = value => (value < 10 ? "0" : "") + value
        const hours = Math.floor(seconds / 3600)
        const minutes = Math.floor(seconds / 60) % 60
        const clock = twoDigits(seconds % 60)
        return hours > 0 ? hours + ":" + twoDigits(minutes) + ":" + clock : minutes + ":" + clock
    }

    function cannotPlayText() {
        return qsTr("内置预览无法播放此文件，修复结果不受影响。")
    }

    function requestPlayback() { playback.requestPlayback() }
    function pausePlayback() { playback.pausePlayback() }
    function togglePlayback() { playback.togglePlayback() }
    function clearPlaybackRequest() { playback.clearPlaybackRequest() }

    function syncMedia() { playback.syncSource(preview.wantedMediaSource()) }

    // The synchronisations run from the source's change handler, before bindings that derive from
    // the source (hasSource) have followed it: they read the source itself.
    function sourceGiven() { return String(preview.source) !== "" }

    function syncOffice() {
        preview.officePage = 0
        if (preview.kind === "office" && preview.sourceGiven())
            officePreview.load(preview.source)
        else
            officePreview.clear()
    }

    function syncText() {
        if (preview.kind === "text" && preview.sourceGiven())
            textPreview.load(preview.source)
        else
            textPreview.clear()
    }

    function syncBinary() {
        if (preview.kind === "binary" && preview.sourceGiven())
            binaryPreview.load(preview.source)
        else
            binaryPreview.clear()
    }

    function syncImage() {
        if (preview.kind === "image" && preview.sourceGiven())
            imagePreview.load(preview.source)
        else
            imagePreview.clear()
    }

    function synchronise() {
        preview.syncMedia()
        preview.syncOffice()
        preview.syncText()
        preview.syncBinary()
        preview.syncImage()
    }

    // The zoom a page of the document may be drawn at without exceeding the pixel bound.
    function pdfScaleLimit(page) {
        const size = preview.pdfDocument.pagePointSize(Math.max(0, page))
        const side = Math.max(size.width, size.height) * Screen.devicePixelRatio
        return side > 0 ? preview.maximumPdfPixels / side : 5
    }

    function clampPdfScale() {
        const limit = preview.pdfScaleLimit(pdfView.currentPage)
        if (pdfView.renderScale > limit)
            pdfView.renderScale = limit
    }

    function setPdfZoom(scale) {
        pdfView.renderScale = Math.min(scale, preview.pdfScaleLimit(pdfView.currentPage))
    }

    function fitPdfWidth(page) {
        pdfView.scaleToWidth(pdfView.width - 36, pdfView.height - 28)
        preview.clampPdfScale()
        pdfView.fitted = true
        Qt.callLater(() => { // qmllint disable type
            if (preview && preview.kind === "pdf")
                pdfView.goToLocation(Math.max(0, page), Qt.point(0, 0), pdfView.renderScale)
        })
    }

    // Read from kind and source themselves: the change handlers run before bindings that depend
    // on them have been updated.
    function wantedMediaSource() {
        return preview.kind === "video" || preview.kind === "audio" ? preview.source : ""
    }

    function resetView() {
        if (preview.kind === "video") {
            playback.clearPlaybackRequest()
            player.stop()
            player.setPosition(0)
            playback.videoWasStarted = false
        } else if (preview.kind === "pdf") {
            preview.fitPdfWidth(0)
        } else if (preview.kind === "office") {
            preview.officePage = 0
        } else if (preview.kind === "image") {
            // The picture is read again from the file on show.
            preview.syncImage()
        }
    }

    onKindChanged: {
        playback.clearPlaybackRequest()
        preview.synchronise()
    }
    onSourceChanged: {
        playback.clearPlaybackRequest()
        playback.videoWasStarted = false
        preview.synchronise()
    }
    Component.onCompleted: {
        preview.synchronise()
    }

    OfficePreviewService {
        id: officePreview
    }
    TextPreviewService {
        id: textPreview
    }
    BinaryPreviewService {
        id: binaryPreview
    }
    ImagePreviewService {
        id: imagePreview
    }

    MediaPlayer {
        id: player
        videoOutput: videoOutput
        audioOutput: AudioOutput {
            id: audioOutput
            volume: 0.8
        }
    }

    PlaybackController {
        id: playback
        player: player
        wantedSource: preview.wantedMediaSource()
    }

    // Page count and page sizes. The pages themselves are drawn by the image reader from the
    // file (see pdfView): the toolkit's page views render on the loader thread through this
    // document, and crash when it closes or goes away (a stage change) while a page renders.
    PdfDocument {
        id: pdfDocument
        source: preview.kind === "pdf" ? preview.source : ""
        onStatusChanged: {
            pdfView.fitted = false
            if (pdfDocument.status === PdfDocument.Ready)
                Qt.callLater(() => { // qmllint disable type
                    if (preview)
                        preview.fitPdfWidth(0)
                })
        }
    }

    // A read-only, selectable text view with a context menu that offers only what a read-only
    // view can do.
    component ReadOnlyTextView: TextArea {
        id: view

        readOnly: true
        selectByMouse: true
        persistentSelection: true
        color: Theme.previewText
        selectionColor: Theme.selection
        selectedTextColor: Theme.textControl
        background: Rectangle {
            color: Theme.surface
            border.color: Theme.panelBorder
        }

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: (eventPoint) => {
                contextMenu.x = eventPoint.position.x
                contextMenu.y = eventPoint.position.y
                contextMenu.open()
            }
        }
        Menu {
            id: contextMenu
            objectName: "contextMenu"
            MenuItem { text: qsTr("撤销"); enabled: false }
            MenuItem { text: qsTr("重做"); enabled: false }
            MenuSeparator {}
            MenuItem { text: qsTr("剪切"); enabled: false }
            MenuItem {
                objectName: "copyItem"
                text: qsTr("复制")
                enabled: view.selectedText !== ""
                onTriggered: view.copy()
            }
            MenuItem { text: qsTr("粘贴"); enabled: false }
            MenuItem { text: qsTr("删除"); enabled: false }
            MenuSeparator {}
            MenuItem {
                objectName: "selectAllItem"
                text: qsTr("全选")
                enabled: view.length > 0
                onTriggered: view.selectAll()
            }
        }
    }

    // Qt 6.4's qmllint cannot follow the file's ids into inline components and delegates.
    // qmllint disable unqualified
    component MediaButton: AppButton {
        text: preview.playing ? qsTr("暂停") : qsTr("播放")
        iconSource: preview.playing ? "assets/media-pause.svg" : "assets/media-play.svg"
        onClicked: preview.togglePlayback()
    }

    component SeekSlider: Slider {
        id: slider
        from: 0
        to: Math.max(1, player.duration)
        enabled: player.seekable
        onMoved: player.setPosition(slider.value)
        Binding on value {
            when: !slider.pressed
            value: player.position
        }
    }
    // qmllint enable unqualified

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusControl
        color: Theme.previewArea

        Image {
            id: imageView
            objectName: "imageView"
            visible: preview.kind === "image"
            anchors.fill: parent
            anchors.margins: 18
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            cache: false
            // Decoded at the size shown: a photo of a hundred megapixels, or a header that only
            // claims one, must not be decoded at full resolution.
            sourceSize.width: Math.max(1, Math.ceil(imageView.width * Screen.devicePixelRatio))
            sourceSize.height: Math.max(1, Math.ceil(imageView.height * Screen.devicePixelRatio))
            // Only a picture whose full decode fits the memory budget reaches the decoder.
            source: preview.kind === "image" ? imagePreview.source : ""
        }
        Label {
            objectName: "imageError"
            visible: preview.kind === "image" && imagePreview.error !== ""
            anchors.centerIn: parent
            width: Math.min(parent.width - 40, 520)
            horizontalAlignment: Text.AlignHCenter
            text: imagePreview.error
            wrapMode: Text.Wrap
            color: Theme.textError
            font.family: Theme.fontFamily
        }

        Item {
            id: videoView
            objectName: "videoView"
            visible: preview.kind === "video"
            anchors.fill: parent

            Rectangle {
                id: videoSurface
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                anchors.bottomMargin: videoBar.height + 20
                radius: Theme.radiusControl
                color: Theme.videoBackdrop

                VideoOutput {
                    id: videoOutput
                    objectName: "videoOutput"
                    anchors.fill: parent
                    fillMode: VideoOutput.PreserveAspectFit
                }
                Label {
                    objectName: "videoPlaybackFailed"
                    visible: preview.playbackFailed
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: videoCentreButton.top
                    anchors.bottomMargin: 14
                    width: Math.min(parent.width - 40, 520)
                    text: preview.cannotPlayText()
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    color: Theme.surface
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontControl
                }
                AppButton {
                    id: videoCentreButton
                    objectName: "videoCentreButton"
                    anchors.centerIn: parent
                    visible: !preview.playing
                    iconSource: "assets/media-play.svg"
                    text: preview.mediaAtEnd ? qsTr("重新播放")
                        : preview.videoWasStarted ? qsTr("继续播放")
                        : qsTr("播放视频")
                    onClicked: preview.requestPlayback()
                }
            }
            // One row of play, position, slider, duration and mute where the slider keeps room to
            // seek; where a language's button texts leave it less, the slider and the times take a
            // row of their own above the two buttons.
            GridLayout {
                id: videoBar
                objectName: "videoBar"
                readonly property int minimumSliderWidth: 160
                readonly property bool oneRow: width >= videoPlayButton.implicitWidth + videoMuteButton.implicitWidth
                    + positionLabel.implicitWidth + durationLabel.implicitWidth + minimumSliderWidth + 4 * columnSpacing
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                anchors.bottomMargin: 10
                height: Math.max(oneRow ? 38 : 38 * 2 + rowSpacing, implicitHeight)
                columns: oneRow ? 5 : 4
                columnSpacing: 10
                rowSpacing: 6

                MediaButton {
                    id: videoPlayButton
                    objectName: "videoPlayButton"
                    compact: true
                    Layout.row: videoBar.oneRow ? 0 : 1
                    Layout.column: 0
                    Layout.columnSpan: videoBar.oneRow ? 1 : 2
                    Layout.alignment: Qt.AlignLeft | Qt.AlignVCenter
                }
                Label {
                    id: positionLabel
                    Layout.row: 0
                    Layout.column: videoBar.oneRow ? 1 : 0
                    text: preview.formatTime(player.position) // qmllint disable type
                    color: Theme.mediaTime
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
                SeekSlider {
                    objectName: "videoSlider"
                    Layout.row: 0
                    Layout.column: videoBar.oneRow ? 2 : 1
                    Layout.columnSpan: videoBar.oneRow ? 1 : 2
                    Layout.fillWidth: true
                    Layout.minimumWidth: videoBar.minimumSliderWidth
                }
                Label {
                    id: durationLabel
                    Layout.row: 0
                    Layout.column: 3
                    Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
                    text: preview.formatTime(player.duration) // qmllint disable type
                    color: Theme.mediaTime
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
                AppButton {
                    id: videoMuteButton
                    objectName: "muteButton"
                    compact: true
                    Layout.row: videoBar.oneRow ? 0 : 1
                    Layout.column: videoBar.oneRow ? 4 : 2
                    Layout.columnSpan: videoBar.oneRow ? 1 : 2
                    Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
                    text: audioOutput.muted ? qsTr("取消静音") : qsTr("静音")
                    iconSource: audioOutput.muted ? "assets/media-muted.svg" : "assets/media-volume.svg"
                    onClicked: audioOutput.muted = !audioOutput.muted
                }
            }
        }

        ColumnLayout {
            id: audioView
            objectName: "audioView"
            visible: preview.kind === "audio"
            anchors.centerIn: parent
            width: Math.min(parent.width - 60, 620)
            spacing: 18

            Label {
                Layout.fillWidth: true
                text: qsTr("音频预览")
                horizontalAlignment: Text.AlignHCenter
                color: Theme.textSuccess
                font.family: Theme.fontFamily
                font.pixelSize: 22
                font.bold: true
            }
            SeekSlider {
                objectName: "audioSlider"
                Layout.fillWidth: true
            }
            Label {
                objectName: "audioPlaybackFailed"
                visible: preview.playbackFailed
                Layout.fillWidth: true
                text: preview.cannotPlayText()
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                color: Theme.textError
                font.family: Theme.fontFamily
            }
            Row {
                Layout.alignment: Qt.AlignHCenter
                spacing: 12
                MediaButton {
                    objectName: "audioPlayButton"
                }
                Label {
                    objectName: "audioTime"
                    anchors.verticalCenter: parent.verticalCenter
                    text: preview.formatTime(player.position) + " / " + preview.formatTime(player.duration) // qmllint disable type
                    color: Theme.mediaTime
                    font.family: Theme.fontFamily
                }
            }
        }

        // A plain flickable: a scroll view sizes a text area itself, against the widths below.
        // It holds the binary view, and the text preview's error.
        Flickable {
            id: textScroll
            objectName: "textScroll"
            readonly property bool binary: preview.kind === "binary"
            visible: textScroll.binary || (preview.kind === "text" && !textPreview.ready)
            anchors.fill: parent
            anchors.margins: 14
            clip: true
            contentWidth: textView.width
            contentHeight: Math.max(textView.implicitHeight, textScroll.height)
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            ScrollBar.horizontal: ScrollBar {}

            ReadOnlyTextView {
                id: textView
                objectName: "textView"
                // Binary excerpts are long unbroken lines: the view grows sideways and scrolls
                // instead of cutting them at the edge.
                width: textScroll.binary ? Math.max(100, textScroll.width, textView.implicitWidth)
                                         : Math.max(100, textScroll.width)
                wrapMode: textScroll.binary ? TextEdit.NoWrap : TextEdit.Wrap
                textFormat: TextEdit.PlainText
                font.family: preview.monospaceFamily
                height: Math.max(textView.implicitHeight, textScroll.height)
                text: !textScroll.binary ? textPreview.error
                      : binaryPreview.ready ? binaryPreview.text : binaryPreview.error
                color: textScroll.binary && binaryPreview.ready ? Theme.previewText : Theme.textError
            }
        }

        // The text itself, as a list of short blocks of lines: only the blocks in sight are laid
        // out, so a million lines or one endless line open at once.
        Rectangle {
            visible: preview.kind === "text" && textPreview.ready
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
                model: textPreview.blockCount
                ScrollBar.vertical: ScrollBar {}

                // qmllint disable unqualified
                delegate: ReadOnlyTextView {
                    required property int index
                    objectName: "textBlock"
                    width: textList.width
                    wrapMode: TextEdit.Wrap
                    textFormat: TextEdit.PlainText
                    font.family: preview.monospaceFamily
                    topPadding: index === 0 ? 6 : 0
                    bottomPadding: index + 1 === textList.count ? 6 : 0
                    background: null
                    text: textPreview.ready ? textPreview.block(index) : ""
                }
                // qmllint enable unqualified
            }
        }

        Item {
            id: pdfArea
            objectName: "pdfViewArea"
            visible: preview.kind === "pdf"
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
                readonly property size pagePoints: preview.pdfDocument.status === PdfDocument.Ready
                    ? preview.pdfDocument.pagePointSize(pdfView.currentPage) : Qt.size(0, 0)
                readonly property alias sourceSize: pageImage.sourceSize

                function goToPage(page) {
                    if (page < 0 || page >= preview.pdfDocument.pageCount)
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
                onCurrentPageChanged: preview.clampPdfScale()

                Image {
                    id: pageImage
                    objectName: "pdfPageImage"
                    x: Math.max(0, (pdfView.width - width) / 2)
                    width: pdfView.pagePoints.width * pdfView.renderScale
                    height: pdfView.pagePoints.height * pdfView.renderScale
                    source: preview.pdfDocument.status === PdfDocument.Ready && pdfView.fitted
                            ? preview.pdfDocument.source : ""
                    currentFrame: pdfView.currentPage
                    sourceSize.width: Math.max(1, Math.min(preview.maximumPdfPixels,
                                                           Math.round(pageImage.width * Screen.devicePixelRatio)))
                    sourceSize.height: Math.max(1, Math.min(preview.maximumPdfPixels,
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
                            text: qsTr("上一页")
                            enabled: pdfView.currentPage > 0
                            onClicked: pdfView.goToPage(pdfView.currentPage - 1)
                        }
                        Label {
                            objectName: "pdfPageLabel"
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTr("%1 / %2").arg(Math.max(0, pdfView.currentPage + 1)).arg(Math.max(0, preview.pdfDocument.pageCount))
                            color: Theme.textBody
                            font.family: Theme.fontFamily
                        }
                        AppButton {
                            objectName: "pdfNext"
                            compact: true
                            text: qsTr("下一页")
                            enabled: pdfView.currentPage + 1 < preview.pdfDocument.pageCount
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
                            onClicked: preview.setPdfZoom(Math.max(0.25, pdfView.renderScale / 1.2))
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
                            onClicked: preview.setPdfZoom(Math.min(5, pdfView.renderScale * 1.2))
                        }
                        AppButton {
                            objectName: "pdfFitWidth"
                            compact: true
                            text: qsTr("适合宽度")
                            onClicked: preview.fitPdfWidth(pdfView.currentPage)
                        }
                    }
                }
            }
        }

        ColumnLayout {
            id: officeView
            objectName: "officeView"
            visible: preview.kind === "office"
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
                    visible: officePreview.kind !== "xlsx"
                    clip: true
                    contentWidth: officeText.width
                    contentHeight: Math.max(officeText.implicitHeight, officeScroll.height)
                    boundsBehavior: Flickable.StopAtBounds
                    ScrollBar.vertical: ScrollBar {}
                    ScrollBar.horizontal: ScrollBar {}

                    ReadOnlyTextView {
                        id: officeText
                        objectName: "officeText"
                        width: Math.max(100, officeScroll.width)
                        height: Math.max(officeText.implicitHeight, officeScroll.height)
                        textFormat: TextEdit.RichText
                        wrapMode: TextEdit.Wrap
                        // Only the page shown is read: the whole list would be copied at every read.
                        // Worksheets have a table view of their own.
                        text: officePreview.ready && officePreview.kind !== "xlsx" && preview.officePage < officePreview.pageCount
                              ? officePreview.page(preview.officePage) : ""
                    }
                }

                SheetPreview {
                    objectName: "sheetView"
                    anchors.fill: parent
                    anchors.margins: 8
                    visible: officePreview.kind === "xlsx" && officePreview.ready
                    sheetModel: officePreview.kind === "xlsx" && officePreview.ready ? officePreview.sheet(preview.officePage) : null
                }

                ColumnLayout {
                    anchors.centerIn: parent
                    width: Math.min(officeArea.width - 40, 520)
                    visible: !officePreview.ready
                    spacing: 10
                    Label {
                        objectName: "officeTitle"
                        Layout.fillWidth: true
                        horizontalAlignment: Text.AlignHCenter
                        text: officePreview.error !== "" ? qsTr("无法生成内部 Office 预览") : qsTr("正在生成安全只读预览…")
                        color: Theme.textProminent
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontSection
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        horizontalAlignment: Text.AlignHCenter
                        text: officePreview.error
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
                    text: qsTr("上一页")
                    enabled: officePreview.ready && preview.officePage > 0
                    onClicked: preview.officePage -= 1
                }
                Label {
                    objectName: "officePageLabel"
                    text: officePreview.ready ? qsTr("%1 / %2").arg(preview.officePage + 1).arg(officePreview.pageCount) : qsTr("0 / 0")
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                }
                AppButton {
                    objectName: "officeNext"
                    compact: true
                    text: qsTr("下一页")
                    enabled: officePreview.ready && preview.officePage + 1 < officePreview.pageCount
                    onClicked: preview.officePage += 1
                }
                Label {
                    Layout.fillWidth: true
                    text: officePreview.limitation
                    elide: Text.ElideRight
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
            }
        }

        ColumnLayout {
            objectName: "unsupportedView"
            visible: preview.kind === "unsupported" || preview.kind === "none"
            anchors.centerIn: parent
            width: Math.min(parent.width - 40, 520)
            spacing: 10
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("此格式尚未提供内部预览")
                wrapMode: Text.Wrap
                color: Theme.textProminent
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontItemTitle
                font.bold: true
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。")
                wrapMode: Text.Wrap
                color: Theme.textHint
                font.family: Theme.fontFamily
            }
        }
    }
}
