import QtQuick
import Korvex.FileRepair
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
    readonly property alias audioOutput: audioOutput
    readonly property alias playback: playback
    readonly property alias pdfDocument: pdfDocument
    readonly property alias officePreview: officePreview
    readonly property alias textPreview: textPreview
    readonly property alias binaryPreview: binaryPreview
    readonly property alias imagePreview: imagePreview
    readonly property alias videoOutput: videoView.videoOutput

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
        const limit = preview.pdfScaleLimit(pdfPreview.pdfView.currentPage)
        if (pdfPreview.pdfView.renderScale > limit)
            pdfPreview.pdfView.renderScale = limit
    }

    function setPdfZoom(scale) {
        pdfPreview.pdfView.renderScale = Math.min(scale, preview.pdfScaleLimit(pdfPreview.pdfView.currentPage))
    }

    function fitPdfWidth(page) {
        pdfPreview.pdfView.scaleToWidth(pdfPreview.pdfView.width - 36, pdfPreview.pdfView.height - 28)
        preview.clampPdfScale()
        pdfPreview.pdfView.fitted = true
        Qt.callLater(() => { // qmllint disable type
            if (preview && preview.kind === "pdf")
                pdfPreview.pdfView.goToLocation(Math.max(0, page), Qt.point(0, 0), pdfPreview.pdfView.renderScale)
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
        videoOutput: videoView.videoOutput
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
            pdfPreview.pdfView.fitted = false
            if (pdfDocument.status === PdfDocument.Ready)
                Qt.callLater(() => { // qmllint disable type
                    if (preview)
                        preview.fitPdfWidth(0)
                })
        }
    }



    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusControl
        color: Theme.previewArea

        ImagePreviewView {
            anchors.fill: parent
            host: preview
        }
        VideoPreviewView {
            id: videoView
            host: preview
        }
        AudioPreviewView {
            host: preview
        }
        TextPreviewView {
            host: preview
        }
        PdfPreviewView {
            id: pdfPreview
            host: preview
        }
        OfficePreviewView {
            host: preview
        }
        UnsupportedPreviewView {
            host: preview
        }
    }
}
