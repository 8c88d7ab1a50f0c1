import QtQuick
import QtTest
import QtMultimedia
import QtQuick.Pdf
import Korvex.FileRepair

// The embedded preview: each kind loading a real file, the bounds on decoded images and rendered
// PDF pages, the sideways-scrolling binary view, and the playback requests against a scripted
// player (generations, at most four starts, reload at the end, clips shorter than the end margin).
Item {
    id: root
    width: 900
    height: 620

    Component {
        id: previewComponent
        InternalPreview {
            width: root.width
            height: root.height
            kind: "none"
            source: ""
            fileName: ""
        }
    }

    // A player that does only what the test tells it; play() is counted.
    Component {
        id: fakePlayerComponent
        QtObject {
            property int playbackState: MediaPlayer.StoppedState
            property int mediaStatus: MediaPlayer.LoadedMedia
            property int position: 0
            property int duration: 0
            property url source
            property int plays: 0
            property int stops: 0
            property var sources: []
            signal errorOccurred(int error, string errorString)
            function play() { plays += 1 }
            function pause() { playbackState = MediaPlayer.PausedState }
            function stop() { stops += 1 }
            onSourceChanged: sources = sources.concat([String(source)])
        }
    }

    Component {
        id: controllerComponent
        PlaybackController {}
    }

    TestCase {
        name: "InternalPreview"
        when: windowShown

        property string fixtures: ""

        function initTestCase() {
            verify(testFiles.makeFolder("previews"))
            fixtures = testFiles.path("previews")
            compare(testFiles.run("python3", [testFiles.sourceFolder + "/tests/app/qml/make_preview_fixtures.py", fixtures]), 0)
        }

        function fixture(name) {
            return "file://" + fixtures + "/" + name
        }

        function make(kind, name) {
            const item = createTemporaryObject(previewComponent, root, { kind: kind, source: name ? fixture(name) : "" })
            verify(item)
            return item
        }

        function test_formatTime_data() {
            return [
                { tag: "zero", ms: 0, text: "0:00" },
                { tag: "negative", ms: -5000, text: "0:00" },
                { tag: "fraction", ms: 999, text: "0:00" },
                { tag: "minute", ms: 65000, text: "1:05" },
                { tag: "last second below an hour", ms: 3599999, text: "59:59" },
                { tag: "one hour", ms: 3600000, text: "1:00:00" },
                { tag: "over an hour", ms: (62 * 60 + 5) * 1000, text: "1:02:05" },
                { tag: "two hours", ms: ((2 * 60 + 5) * 60 + 3) * 1000, text: "2:05:03" },
                { tag: "a day and more", ms: 100 * 3600 * 1000, text: "100:00:00" },
            ]
        }

        function test_formatTime(data) {
            const item = make("none")
            compare(item.formatTime(data.ms), data.text)
        }

        // However narrow the preview and however long the button texts, the slider keeps room to
        // seek and nothing in the bar overlaps or leaves it.
        function test_videoBarKeepsTheSliderUsable_data() {
            return [
                { tag: "wide", width: 900, play: "播放", mute: "静音", rows: 1 },
                { tag: "long button texts", width: 560, play: "Riproduci il video", mute: "Disattiva l’audio del video", rows: 2 },
                { tag: "narrow", width: 420, play: "播放", mute: "取消静音", rows: 2 },
            ]
        }

        function test_videoBarKeepsTheSliderUsable(data) {
            const item = make("video")
            item.width = data.width
            const bar = findChild(item, "videoBar")
            const play = findChild(item, "videoPlayButton")
            const mute = findChild(item, "muteButton")
            play.text = data.play
            mute.text = data.mute
            waitForRendering(item)
            const slider = findChild(item, "videoSlider")
            verify(slider.width >= 160, "slider " + slider.width + " wide")
            compare(bar.oneRow, data.rows === 1)
            const boxes = []
            for (let i = 0; i < bar.children.length; ++i) {
                const child = bar.children[i]
                if (!child.visible)
                    continue
                verify(child.x >= 0 && child.y >= 0 && child.x + child.width <= bar.width + 0.5
                       && child.y + child.height <= bar.height + 0.5, "inside the " + bar.width + " x " + bar.height + " bar: " + child + " " + child.x + "," + child.y + " " + child.width + " x " + child.height)
                boxes.push(child)
            }
            for (let i = 0; i < boxes.length; ++i)
                for (let j = i + 1; j < boxes.length; ++j) {
                    const a = boxes[i], b = boxes[j]
                    verify(a.x + a.width <= b.x + 0.5 || b.x + b.width <= a.x + 0.5
                           || a.y + a.height <= b.y + 0.5 || b.y + b.height <= a.y + 0.5, "overlap: " + a + " " + b)
                }
            // The picture ends above the bar.
            const surface = findChild(item, "videoOutput").parent
            verify(surface.y + surface.height <= bar.y, "video surface above the bar")
        }

        function test_noneAndUnsupported() {
            for (const kind of ["none", "unsupported"]) {
                const item = make(kind)
                verify(findChild(item, "unsupportedView").visible, kind)
                verify(!findChild(item, "imageView").visible)
            }
        }

        // A 6000 x 4000 picture is decoded at the size of the view, not at full resolution.
        function test_imageDecodedAtViewSize() {
            const item = make("image", "large.png")
            const image = findChild(item, "imageView")
            verify(image.visible)
            tryCompare(image, "status", Image.Ready, 10000)
            // Within a few per cent of the view's pixels (the toolkit rounds the fit to one side),
            // far below the 24 megapixels of the file.
            const viewPixels = image.width * image.height * Screen.devicePixelRatio * Screen.devicePixelRatio
            verify(image.implicitWidth * image.implicitHeight <= viewPixels * 1.1,
                   "decoded " + image.implicitWidth + " x " + image.implicitHeight)
            verify(image.implicitWidth > 100)
            compare(image.cache, false)
        }

        // The first block of the text list, once laid out.
        function firstTextBlock(item) {
            tryVerify(() => item.textPreview.ready)
            const list = findChild(item, "textList")
            tryVerify(() => findChild(list, "textBlock") !== null)
            return findChild(list, "textBlock")
        }

        function test_text() {
            const item = make("text", "notes.txt")
            const view = firstTextBlock(item)
            verify(view.text.startsWith("第一行 修复后的文本"))
            compare(view.wrapMode, TextEdit.Wrap)
            verify(Qt.colorEqual(view.color, "#24382F"))
            verify(view.readOnly)
        }

        function test_textError() {
            const item = make("text", "missing.txt")
            const view = findChild(item, "textView")
            tryVerify(() => item.textPreview.error !== "")
            verify(findChild(item, "textScroll").visible)
            compare(view.text, item.textPreview.error)
            verify(Qt.colorEqual(view.color, "#B42318"))
        }

        // A 7.7 MB single-column CSV and one 256 KiB line without a space: only a few blocks are
        // laid out, none over 4096 characters or with a line over 1000.
        // The text blocks the list holds as items (in sight or cached around it).
        function laidOutBlocks(list) {
            const blocks = []
            for (let i = 0; i < list.contentItem.children.length; ++i) {
                const child = list.contentItem.children[i]
                if (child.objectName === "textBlock" && child.visible)
                    blocks.push(child)
            }
            return blocks
        }

        function test_largeTextShownInBlocks_data() {
            return [
                { tag: "1.1 million lines", file: "column.csv", lines: 64 },
                { tag: "one long line", file: "longline.txt", lines: 4 },
            ]
        }

        function test_largeTextShownInBlocks(data) {
            const item = make("text", data.file)
            tryVerify(() => item.textPreview.ready, 20000)
            const list = findChild(item, "textList")
            verify(list.visible)
            verify(!findChild(item, "textScroll").visible)
            compare(findChild(item, "textView").text, "")
            tryCompare(list, "count", item.textPreview.blockCount)
            verify(list.count > 50)
            tryVerify(() => findChild(list, "textBlock") !== null)
            waitForRendering(list)
            const blocks = laidOutBlocks(list)
            verify(blocks.length > 0 && blocks.length < 30, blocks.length + " blocks laid out")
            for (const block of blocks) {
                verify(block.text.length <= 4096, block.text.length + " characters in a block")
                const lines = block.text.split("\n")
                compare(lines.length, data.lines)
                for (const line of lines)
                    verify(line.length <= 1000)
            }
            // Scrolling to the end lays out the last blocks, not everything in between.
            list.positionViewAtEnd()
            waitForRendering(list)
            const last = laidOutBlocks(list)
            verify(last.length < 30)
        }

        // A progressive JPEG of a few hundred bytes declaring 40000 x 40000 never reaches the decoder.
        function test_imageRefusedByDeclaredSize() {
            const item = make("image", "tiny.jpg")
            const image = findChild(item, "imageView")
            const error = findChild(item, "imageError")
            compare(String(image.source), "")
            compare(image.status, Image.Null)
            verify(error.visible)
            verify(error.text.startsWith("图片尺寸 40000 × 40000 过大"), error.text)
            verify(Qt.colorEqual(error.color, "#B42318"))

            item.source = fixture("large.png")
            tryCompare(image, "status", Image.Ready, 10000)
            verify(!error.visible)
        }

        // One line of 21000 characters: the view is as wide as the line and scrolls sideways.
        function test_binaryScrollsSideways() {
            const item = make("binary", "blob.raw")
            const view = findChild(item, "textView")
            const scroll = findChild(item, "textScroll")
            tryVerify(() => item.binaryPreview.ready)
            compare(view.wrapMode, TextEdit.NoWrap)
            tryVerify(() => view.width > scroll.width * 2, 5000, "view width " + view.width)
            verify(scroll.contentWidth > scroll.width)
            scroll.contentX = scroll.contentWidth - scroll.width
            verify(scroll.contentX > 0)
        }

        function test_office() {
            const item = make("office", "letter.docx")
            tryVerify(() => item.officePreview.ready, 5000)
            compare(findChild(item, "officePageLabel").text, "1 / " + item.officePreview.pageCount)
            verify(findChild(item, "officeText").text.length > 0)
            verify(!findChild(item, "officePrevious").enabled)
            // What the safe preview leaves out is read in full, also in a preview as narrow as the
            // smallest window gives it.
            item.width = 440
            const note = findChild(item, "officeLimitation")
            verify(note.text.length > 0)
            waitForRendering(item)
            verify(!note.truncated, note.text)

            item.source = fixture("table.xlsx")
            tryVerify(() => item.officePreview.ready && item.officePreview.kind === "xlsx", 5000)
            // A worksheet shows as a table of its cells up to the last one used, not as rich text.
            const sheet = findChild(item, "sheetView")
            verify(sheet.visible)
            compare(findChild(item, "officeText").length, 0)
            compare(findChild(sheet, "sheetTitle").text, "工作表 1")
            const table = findChild(sheet, "sheetTable")
            tryCompare(table, "rows", 5)
            compare(table.columns, 3)
            compare(table.model.data(table.model.index(4, 2)), "C5 value")
            compare(findChild(item, "officePageLabel").text, "1 / 1")

            item.source = fixture("missing.docx")
            tryVerify(() => item.officePreview.error !== "")
            compare(findChild(item, "officePageLabel").text, "0 / 0")
            compare(findChild(item, "officeTitle").text, "无法生成内部 Office 预览")
        }

        function test_pdfPages() {
            const item = make("pdf", "pages.pdf")
            tryCompare(item.pdfDocument, "status", PdfDocument.Ready, 10000)
            compare(item.pdfDocument.pageCount, 3)
            const label = findChild(item, "pdfPageLabel")
            tryCompare(label, "text", "1 / 3")
            const page = findChild(item, "pdfPageImage")
            tryCompare(page, "status", Image.Ready, 10000)
            compare(page.frameCount, 3)
            // Fitted to the width at page 1.
            const view = findChild(item, "pdfView")
            fuzzyCompare(page.width, view.width - 36, 1)
            verify(!findChild(item, "pdfPrevious").enabled)
            mouseClick(findChild(item, "pdfNext"))
            tryCompare(label, "text", "2 / 3")
            tryCompare(page, "currentFrame", 1)
            for (let i = 0; i < 20; ++i)
                mouseClick(findChild(item, "pdfZoomOut"))
            fuzzyCompare(view.renderScale, 0.25, 0.001)
            for (let i = 0; i < 30; ++i)
                mouseClick(findChild(item, "pdfZoomIn"))
            fuzzyCompare(view.renderScale, 5, 0.001)
            compare(findChild(item, "pdfZoomLabel").text, "500%")
            item.resetView()
            tryCompare(label, "text", "1 / 3")

            item.kind = "none"
            compare(String(item.pdfDocument.source), "")
        }

        // Leaving a PDF while its page still renders (a stage change right after the result
        // appeared) must not take the program down.
        function test_pdfClosedWhileRendering() {
            for (let i = 0; i < 5; ++i) {
                const item = make("pdf", "pages.pdf")
                tryCompare(item.pdfDocument, "status", PdfDocument.Ready, 10000)
                mouseClick(findChild(item, "pdfZoomIn"))
                if (i % 2)
                    item.kind = "none"
                item.destroy()
                wait(i * 5)
            }
            wait(300)
        }

        // A page of 200 x 200 inches never asks for an image larger than the pixel bound.
        function test_pdfPixelBound() {
            const item = make("pdf", "huge.pdf")
            tryCompare(item.pdfDocument, "status", PdfDocument.Ready, 10000)
            const view = findChild(item, "pdfView")
            const side = 14400 * Screen.devicePixelRatio
            for (let i = 0; i < 30; ++i)
                mouseClick(findChild(item, "pdfZoomIn"))
            verify(view.renderScale * side <= item.maximumPdfPixels + 1, "scale " + view.renderScale)
            verify(view.sourceSize.width <= item.maximumPdfPixels + 1, "width " + view.sourceSize.width)
        }

        // A page of 30000 points: no render is ever asked for above the pixel bound, the first
        // one included (before the page is fitted to the width).
        function test_pdfFirstRenderWithinPixelBound() {
            const item = make("none")
            const page = findChild(item, "pdfPageImage")
            let requests = 0
            let largest = 0
            const record = () => {
                if (String(page.source) === "")
                    return
                requests += 1
                largest = Math.max(largest, page.sourceSize.width, page.sourceSize.height)
            }
            page.sourceChanged.connect(record)
            page.sourceSizeChanged.connect(record)
            item.source = fixture("giant.pdf")
            item.kind = "pdf"
            tryCompare(page, "status", Image.Ready, 20000)
            verify(requests > 0)
            verify(largest <= item.maximumPdfPixels, "largest requested side " + largest)
            fuzzyCompare(page.width, findChild(item, "pdfView").width - 36, 1)
        }

        function test_contextMenu() {
            const item = make("text", "notes.txt")
            const view = firstTextBlock(item)
            const menu = findChild(view, "contextMenu")
            mouseClick(view, 20, 10, Qt.RightButton)
            tryVerify(() => menu.opened)
            const items = []
            for (let i = 0; i < menu.count; ++i) {
                const entry = menu.itemAt(i)
                if (entry.text !== undefined && entry.text !== "")
                    items.push(entry.text + (entry.enabled ? "+" : "-"))
            }
            compare(items, ["撤销-", "重做-", "剪切-", "复制-", "粘贴-", "删除-", "全选+"])
            menu.close()
            view.selectAll()
            verify(findChild(menu, "copyItem").enabled)
        }

        // ---- playback requests ----

        function makeController(player, wanted) {
            const control = createTemporaryObject(controllerComponent, root, { player: player, wantedSource: wanted })
            verify(control)
            return control
        }

        function test_atEndNeedsLongerClip_data() {
            return [
                { tag: "50 ms clip at 0", duration: 50, position: 0, status: MediaPlayer.LoadedMedia, atEnd: false },
                { tag: "100 ms clip at 0", duration: 100, position: 0, status: MediaPlayer.LoadedMedia, atEnd: false },
                { tag: "50 ms clip reported at end", duration: 50, position: 50, status: MediaPlayer.EndOfMedia, atEnd: true },
                { tag: "10 s clip near the end", duration: 10000, position: 9950, status: MediaPlayer.BufferedMedia, atEnd: true },
                { tag: "10 s clip in the middle", duration: 10000, position: 5000, status: MediaPlayer.BufferedMedia, atEnd: false },
                { tag: "unknown duration", duration: 0, position: 0, status: MediaPlayer.LoadedMedia, atEnd: false },
            ]
        }

        function test_atEndNeedsLongerClip(data) {
            const player = createTemporaryObject(fakePlayerComponent, root,
                                                 { duration: data.duration, position: data.position, mediaStatus: data.status })
            const control = makeController(player, "file:///clip.wav")
            compare(control.mediaAtEnd, data.atEnd)
            // A request on a short clip at 0 plays it; it does not reload it.
            control.requestPlayback()
            wait(0)
            tryVerify(() => player.plays === 1)
            compare(control.playbackReloadPending, data.atEnd)
        }

        function test_watchdogGivesUpAfterFourStarts() {
            const player = createTemporaryObject(fakePlayerComponent, root, { duration: 5000 })
            const control = makeController(player, "file:///clip.mp4")
            control.requestPlayback()
            verify(control.playbackRequested)
            verify(control.videoWasStarted)
            tryVerify(() => !control.playbackRequested, 3000)
            compare(player.plays, 4)
            verify(control.playbackFailed)
            wait(800)
            compare(player.plays, 4)
            // Asking again tries again, without the old failure showing meanwhile.
            control.requestPlayback()
            verify(!control.playbackFailed)
        }

        function test_playingStopsTheWatchdog() {
            const player = createTemporaryObject(fakePlayerComponent, root, { duration: 5000 })
            const control = makeController(player, "file:///clip.mp4")
            control.requestPlayback()
            tryCompare(player, "plays", 1)
            player.playbackState = MediaPlayer.PlayingState
            verify(!control.playbackStartPending)
            verify(!control.playbackStartWatchdog.running)
            wait(800)
            compare(player.plays, 1)
            // The bar button pauses.
            control.togglePlayback()
            verify(!control.playbackRequested)
            compare(player.playbackState, MediaPlayer.PausedState)
        }

        function test_secondClickPausesBeforePlayerReports() {
            const player = createTemporaryObject(fakePlayerComponent, root, { duration: 5000 })
            const control = makeController(player, "file:///clip.mp4")
            control.togglePlayback()
            control.togglePlayback()
            verify(!control.playbackRequested)
            wait(50)
            compare(player.plays, 0)     // the deferred start of the first click is void
        }

        function test_replayReloads() {
            const player = createTemporaryObject(fakePlayerComponent, root,
                                                 { duration: 5000, position: 5000, mediaStatus: MediaPlayer.EndOfMedia })
            const control = makeController(player, "file:///clip.wmv")
            verify(control.mediaAtEnd)
            control.requestPlayback()
            verify(control.playbackReloadPending)
            compare(String(player.source), "")
            tryCompare(player, "plays", 1)
            compare(String(player.source), "file:///clip.wmv")
        }

        function test_newSourceCancelsPendingStart() {
            const item = make("video", "clip.mp4")
            item.requestPlayback()
            const generation = item.playbackCommandGeneration
            item.source = fixture("tone.wav")
            verify(item.playbackCommandGeneration > generation)
            verify(!item.playbackRequested)
            verify(!item.videoWasStarted)
            compare(findChild(item, "videoCentreButton").text, "播放视频")
        }

        // Real clips of each kind the engine repairs, played by the media backend the program
        // uses, on a machine that may have no audio device: the position moves and nothing fails.
        function test_mediaPlays_data() {
            return [
                { tag: "H.264 and AAC in MP4", kind: "video", file: "clip.mp4" },
                { tag: "WAV", kind: "audio", file: "tone.wav" },
                { tag: "MP3", kind: "audio", file: "tone.mp3", make: ["-c:a", "libmp3lame"] },
                { tag: "AAC in M4A", kind: "audio", file: "tone.m4a", make: ["-c:a", "aac"] },
                { tag: "FLAC", kind: "audio", file: "tone.flac", make: [] },
            ]
        }

        function test_mediaPlays(data) {
            if (data.make)
                compare(testFiles.run("ffmpeg", ["-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=3"]
                                      .concat(data.make).concat([fixtures + "/" + data.file])), 0)
            const item = make(data.kind, data.file)
            tryVerify(() => item.player.duration > 0, 15000, item.player.errorString)
            item.requestPlayback()
            tryVerify(() => item.player.position > 300 || item.playbackFailed, 15000)
            verify(!item.playbackFailed, item.player.errorString)
            item.pausePlayback()
        }

        // A medium the player cannot open says so, in the user's language, in both views.
        function test_cannotPlaySaysSo_data() {
            return [
                { tag: "video, Chinese", kind: "video", language: "zh-CN", label: "videoPlaybackFailed",
                  text: "内置预览无法播放此文件，修复结果不受影响。" },
                { tag: "audio, English", kind: "audio", language: "en-US", label: "audioPlaybackFailed",
                  text: "The built-in preview cannot play this file. The repaired result is not affected." },
            ]
        }

        function test_cannotPlaySaysSo(data) {
            verify(testFiles.writeRepeated("previews/noise.mp4", "not a medium ", 4000))
            verify(uiLanguage.apply(data.language))
            const item = make(data.kind, "noise.mp4")
            const label = findChild(item, data.label)
            verify(!label.visible || item.playbackFailed)
            item.requestPlayback()
            tryVerify(() => item.playbackFailed, 15000)
            verify(label.visible)
            compare(label.text, data.text)
            tryVerify(() => !item.playing)
            compare(findChild(item, data.kind + "PlayButton").text, data.language === "zh-CN" ? "播放" : "Play")
        }

        function cleanup() {
            verify(uiLanguage.apply("zh-CN"))
        }

        function test_mediaSourceReplacedOnlyWhenDifferent() {
            const item = make("audio", "tone.wav")
            compare(String(item.player.source), fixture("tone.wav"))
            item.kind = "video"
            compare(String(item.player.source), fixture("tone.wav"))
            item.kind = "text"
            compare(String(item.player.source), "")
        }
    }
}
