import QtQuick
import QtTest
import QtMultimedia
import QtQuick.Pdf
import Korvex.FileRepair

// The real window with the real workflow controller and engine on damaged files made here:
// navigation, the header, the reactions to state changes, every stage from selection to a saved
// result and a report, cancel, discard, the close guard, and each preview kind. Captures of the
// window at each stage go to <build>/tests/app/screenshots.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {}
    }

    // Records the window's calls; answers the save preferences the result stage reads.
    Component {
        id: settingsRecorder
        QtObject {
            property var events: []
            property int refreshes: 0
            property var limits: []
            property string defaultSaveBehavior: "ask"
            property bool lastSaveDirectoryAvailable: false
            property url lastSaveDirectoryUrl
            property bool openAfterSave: false
            function recordDiagnosticEvent(name) { events = events.concat([name]) }
            function refreshCacheSize() { refreshes += 1 }
            function enforceCacheLimit(path) { limits = limits.concat([path]) }
            function rememberSaveDirectory(folder) { return true }
        }
    }

    TestCase {
        id: test
        name: "MainWindow"
        when: windowShown

        property string inputs: ""

        function initTestCase() {
            verify(testFiles.makeFolder("inputs"))
            inputs = testFiles.path("inputs")
            compare(testFiles.run("python3", [testFiles.sourceFolder + "/tests/app/qml/make_damaged_fixtures.py", inputs]), 0)
        }

        function input(name) {
            return "file://" + inputs + "/" + name
        }

        function makeWindow(properties) {
            const window = createTemporaryObject(mainComponent, root, properties || {})
            verify(window)
            tryVerify(() => window.visible && window.active !== undefined)
            waitForRendering(window.contentItem)
            return window
        }

        function capture(window, name) {
            waitForRendering(window.contentItem)
            // The whole window, dialogs included.
            const image = grabImage(window.contentItem)
            image.save(testFiles.screenshotFolder + "/" + name + ".png")
            verify(testFiles.exists(testFiles.screenshotFolder + "/" + name + ".png"), "capture " + name)
        }

        function stage(window) {
            return findChild(window.repairPage, "stageLoader").item.objectName
        }

        function analyse(window, name) {
            const workflow = window.repairPage.workflow
            window.repairPage.acceptInput(input(name))
            compare(workflow.state, "FileSelected", workflow.status)
            mouseClick(findChild(window.repairPage, "analyzeButton"))
            tryCompare(workflow, "state", "AnalysisCompleted", 30000)
            return workflow
        }

        function repairQuickly(window) {
            const workflow = window.repairPage.workflow
            const button = findChild(window.repairPage, "quickRepairButton")
            verify(button.enabled)
            mouseClick(button)
            tryVerify(() => workflow.state === "PreviewReady" || workflow.state === "Failed", 60000)
            compare(workflow.state, "PreviewReady", workflow.status)
        }

        function test_navigation_data() {
            return [
                { tag: "repair", page: "repair", index: 0, title: "文件修复", active: "navRepair" },
                { tag: "settings", page: "settings", index: 1, title: "设置", active: "navSettings" },
                { tag: "help", page: "help", index: 3, title: "帮助与反馈", active: "navHelp" },
                { tag: "account", page: "account", index: 2, title: "账户", active: "navAccount" },
                { tag: "unknown", page: "somewhere", index: 2, title: "账户", active: "" },
            ]
        }

        function test_navigation(data) {
            const window = makeWindow()
            window.currentPage = data.page
            compare(findChild(window.contentItem, "pageStack").currentIndex, data.index)
            compare(findChild(window.contentItem, "pageTitle").text, data.title)
            for (const name of ["navRepair", "navSettings", "navHelp", "navAbout", "navAccount"])
                compare(findChild(window.contentItem, name).active, name === data.active, name)
            capture(window, "page-" + data.tag)
        }

        function test_sidebarAndHeader() {
            const window = makeWindow()
            compare(window.width, 1120)
            compare(window.height, 760)
            compare(findChild(window.contentItem, "sidebar").width, 204)
            verify(findChild(window.contentItem, "header").height >= 62)
            verify(!findChild(window.contentItem, "unsavedBadge").visible)
            compare(findChild(window.contentItem, "navAccount").text, "登录（可选）")
            const profile = findChild(window.contentItem, "profileButton")
            compare(findChild(profile, "profileText").text, "未登录")
            compare(profile.height, 38)
            verify(profile.width >= 112 && profile.width <= 220)
            const badge = findChild(window.contentItem, "localBadge")
            verify(badge.width <= Math.max(170, window.width * 0.2) + 0.5)
            verify(badge.height >= 34)
            // "关于" opens the settings page and never turns active itself.
            mouseClick(findChild(window.contentItem, "navAbout"))
            compare(window.currentPage, "settings")
            verify(!findChild(window.contentItem, "navAbout").active)
            mouseClick(findChild(window.contentItem, "profileButton"))
            compare(window.currentPage, "account")
        }

        function test_startupFile() {
            const window = makeWindow({ startupFileUrl: input("photo.jpg") })
            const workflow = window.repairPage.workflow
            compare(workflow.state, "FileSelected")
            compare(workflow.inputName, "photo.jpg")
            compare(stage(window), "welcomeStage")
            capture(window, "stage-1-file-selected")

            const idle = makeWindow()
            compare(idle.repairPage.workflow.state, "Idle")
            capture(idle, "stage-0-welcome")
        }

        // One diagnostics event and one cache refresh per real state change; the cache limit on
        // reaching a result (protecting it) and on saving (protecting nothing).
        function test_photoFromSelectionToSavedResultAndReport() {
            const settings = createTemporaryObject(settingsRecorder, root)
            const window = makeWindow({ settings: settings })
            const page = window.repairPage
            const workflow = analyse(window, "photo.jpg")
            compare(stage(window), "analysisStage")
            tryVerify(() => findChild(page, "findingsList").count > 0)
            capture(window, "stage-2-analysis")

            repairQuickly(window)
            compare(stage(window), "resultLayout")
            verify(findChild(window.contentItem, "unsavedBadge").visible)
            compare(workflow.previewKind, "image")
            const preview = findChild(page, "repairResultPreview")
            tryCompare(findChild(preview, "imageView"), "status", Image.Ready, 10000)
            capture(window, "stage-4-result-image")

            compare(settings.events, ["workflow.FileSelected", "workflow.Analyzing", "workflow.AnalysisCompleted",
                                      "workflow.Repairing", "workflow.PreviewReady"])
            compare(settings.refreshes, 5)
            compare(settings.limits, [workflow.outputPath])

            // Leaving the page removes the decrypted preview; coming back decrypts it again, off the
            // GUI thread.
            window.currentPage = "settings"
            compare(workflow.previewKind, "none")
            window.currentPage = "repair"
            tryCompare(workflow, "previewKind", "image", 60000)

            // Save through the folder dialog.
            verify(testFiles.makeFolder("saved"))
            const outputDialog = findChild(page, "outputDialog")
            mouseClick(findChild(page, "saveButton"))
            tryVerify(() => outputDialog.visible)
            outputDialog.currentFolder = testFiles.url("saved")
            outputDialog.selectedFolder = testFiles.url("saved")
            outputDialog.accept()
            tryCompare(workflow, "state", "Saved")
            compare(testFiles.list(testFiles.path("saved")).length, 1)
            verify(findChild(page, "savedBar").visible)
            verify(!findChild(page, "saveButton").enabled)
            verify(!findChild(window.contentItem, "unsavedBadge").visible)
            compare(findChild(page, "resultStatus").text, workflow.status)
            compare(settings.limits, [settings.limits[0], ""])
            compare(settings.events[settings.events.length - 1], "workflow.Saved")
            // At the window's first size the saved result keeps all four buttons in view.
            for (const name of ["saveButton", "resetPreviewButton", "exportReportButton", "repairAgainButton"]) {
                const button = findChild(page, name)
                const box = button.mapToItem(window.contentItem, 0, 0, button.width, button.height)
                verify(box.y + box.height <= window.contentItem.height, name + " below the fold: " + JSON.stringify(box))
            }
            // The picture stays on show from the saved file, also after "重置预览".
            const imageView = findChild(preview, "imageView")
            compare(String(preview.source), String(workflow.previewUrl))
            tryCompare(imageView, "status", Image.Ready, 10000)
            verify(imageView.visible && imageView.paintedWidth > 0, "saved picture shown")
            verify(!findChild(preview, "imageError").visible, preview.imagePreview.error)
            mouseClick(findChild(page, "resetPreviewButton"))
            tryCompare(imageView, "status", Image.Ready, 10000)
            verify(imageView.visible && imageView.paintedWidth > 0, "picture shown after resetting the preview")
            capture(window, "stage-5-saved")

            // Export the report; its outcome is shown.
            verify(testFiles.makeFolder("reports"))
            const reportDialog = findChild(page, "reportDialog")
            // The saved bar pushed the buttons below the fold: the page scrolls to them.
            const exportButton = findChild(page, "exportReportButton")
            const scroll = findChild(page, "repairScroll")
            scroll.contentItem.contentY = scroll.contentItem.contentHeight - scroll.contentItem.height
            waitForRendering(window.contentItem)
            mouseClick(exportButton)
            tryVerify(() => reportDialog.visible)
            reportDialog.currentFolder = testFiles.url("reports")
            reportDialog.selectedFolder = testFiles.url("reports")
            reportDialog.accept()
            tryVerify(() => testFiles.list(testFiles.path("reports")).length === 1, 5000, workflow.status)
            const report = testFiles.readText(testFiles.path("reports") + "/" + testFiles.list(testFiles.path("reports"))[0])
            verify(JSON.parse(report) !== null)
            verify(Qt.colorEqual(findChild(page, "resultStatus").color, "#087A40"))

            // After saving, "重新修复" starts over at once.
            mouseClick(findChild(page, "repairAgainButton"))
            compare(workflow.state, "Idle")
            compare(stage(window), "welcomeStage")
        }

        function test_cancel() {
            const settings = createTemporaryObject(settingsRecorder, root)
            const window = makeWindow({ settings: settings })
            const workflow = window.repairPage.workflow
            // A gigabyte of nothing (sparse): its analysis outlasts the cancel, which stops the
            // engine within its next 16 MiB instead of after the whole file. The time-out only
            // guards against a hang.
            verify(testFiles.writeText("inputs/long.mp4", ""))
            verify(testFiles.truncate(inputs + "/long.mp4", 1024 * 1024 * 1024))
            window.repairPage.acceptInput(input("long.mp4"))
            workflow.analyze()
            workflow.cancel()
            tryVerify(() => !workflow.busy, 120000)
            compare(workflow.state, "Cancelled")
            compare(workflow.status, "任务已取消，原文件未被修改")
            capture(window, "stage-cancelled")
            // The extra announcements of a starting job record nothing twice.
            compare(settings.events, ["workflow.FileSelected", "workflow.Analyzing", "workflow.Cancelled"])
        }

        // The result of each kind of damaged file shows in its own view, loaded from the decrypted
        // preview copy.
        function test_previewKinds_data() {
            return [
                { tag: "photo", file: "photo.jpg", kind: "image" },
                { tag: "pdf", file: "paper.pdf", kind: "pdf" },
                { tag: "docx", file: "letter.docx", kind: "office" },
                { tag: "wav", file: "voice.wav", kind: "audio" },
            ]
        }

        function test_previewKinds(data) {
            const window = makeWindow()
            const workflow = analyse(window, data.file)
            repairQuickly(window)
            compare(workflow.previewKind, data.kind)
            const preview = findChild(window.repairPage, "repairResultPreview")
            compare(preview.kind, data.kind)
            compare(String(preview.source), String(workflow.previewUrl))
            if (data.kind === "image")
                tryCompare(findChild(preview, "imageView"), "status", Image.Ready, 10000)
            else if (data.kind === "pdf")
                tryCompare(findChild(preview, "pdfPageImage"), "status", Image.Ready, 10000)
            else if (data.kind === "office")
                tryVerify(() => preview.officePreview.ready && findChild(preview, "officeText").text.indexOf("Paragraph 1") >= 0, 10000)
            else
                tryVerify(() => preview.player.mediaStatus === MediaPlayer.LoadedMedia && preview.player.duration > 0, 10000,
                          "media status " + preview.player.mediaStatus + " " + preview.player.errorString)
            capture(window, "stage-4-result-" + data.kind)
        }

        // Saving points the preview at the saved file: the document view shows it again.
        function test_officePreviewAfterSaving() {
            const window = makeWindow()
            const page = window.repairPage
            const workflow = analyse(window, "letter.docx")
            repairQuickly(window)
            const preview = findChild(page, "repairResultPreview")
            tryVerify(() => preview.officePreview.ready, 10000)
            verify(testFiles.makeFolder("saved-docx"))
            const dialog = findChild(page, "outputDialog")
            mouseClick(findChild(page, "saveButton"))
            tryVerify(() => dialog.visible)
            dialog.currentFolder = testFiles.url("saved-docx")
            dialog.selectedFolder = testFiles.url("saved-docx")
            dialog.accept()
            tryCompare(workflow, "state", "Saved")
            compare(String(preview.source), String(workflow.previewUrl))
            tryVerify(() => preview.officePreview.ready && findChild(preview, "officeText").text.indexOf("Paragraph 1") >= 0, 10000,
                      "office preview: " + preview.officePreview.error)
        }

        function test_advancedRepairWithSample() {
            const window = makeWindow()
            const page = window.repairPage
            const workflow = analyse(window, "camera.mp4")
            // The lost index can only be rebuilt from a sample: the analysis says so and offers the
            // advanced repair at once, before any quick repair has failed.
            verify(workflow.sampleRequired)
            compare(findChild(page, "analysisVerdict").text, "文件关键头部已缺失，请进入高级修复并选择兼容的正常样本")
            const advanced = findChild(page, "advancedRepairButton")
            verify(advanced.visible)
            capture(window, "stage-2-analysis-needs-sample")
            mouseClick(advanced)
            compare(stage(window), "advancedPanel")
            compare(findChild(page, "sampleStatus").text, "尚未选择")
            verify(!findChild(page, "startAdvancedButton").enabled)
            capture(window, "stage-3-advanced-empty")

            const dialog = findChild(page, "sampleDialog")
            mouseClick(findChild(page, "chooseSampleButton"))
            tryVerify(() => dialog.visible)
            dialog.close()
            dialog.selectedFile = input("sample.mp4")
            dialog.accepted()
            // The controller analyses again with the sample; the stage stays.
            tryVerify(() => !workflow.busy && workflow.state === "AnalysisCompleted", 30000)
            compare(workflow.samplePath, inputs + "/sample.mp4")
            compare(stage(window), "advancedPanel")
            compare(findChild(page, "sampleName").text, "sample.mp4")
            compare(findChild(page, "sampleStatus").text, "已完成带样本的分析")
            const start = findChild(page, "startAdvancedButton")
            verify(start.enabled)
            capture(window, "stage-3-advanced-sample")
            mouseClick(start)
            tryVerify(() => workflow.state === "PreviewReady" || workflow.state === "Failed", 60000)
            compare(workflow.state, "PreviewReady", workflow.status)
            compare(stage(window), "resultLayout")
            compare(workflow.previewKind, "video")
            // The clip rebuilt with the sample's index opens in the player.
            const preview = findChild(page, "repairResultPreview")
            tryVerify(() => preview.player.mediaStatus === MediaPlayer.LoadedMedia && preview.player.duration > 0, 10000,
                      "media status " + preview.player.mediaStatus + " " + preview.player.errorString)
            compare(findChild(preview, "videoCentreButton").text, "播放视频")
            capture(window, "stage-4-result-video")

            // Repair again with an unsaved result asks first; confirming starts over.
            const scroll = findChild(page, "repairScroll")
            scroll.contentItem.contentY = scroll.contentItem.contentHeight - scroll.contentItem.height
            waitForRendering(window.contentItem)
            mouseClick(findChild(page, "repairAgainButton"))
            const discard = findChild(page, "discardDialog")
            tryVerify(() => discard.opened)
            capture(window, "discard-dialog")
            mouseClick(findChild(discard.contentItem, "discardConfirmButton"))
            compare(workflow.state, "Idle")
            // The advanced stage stays chosen, now empty; its back button leads to the welcome stage.
            compare(stage(window), "advancedPanel")
            mouseClick(findChild(page, "advancedBackButton"))
            compare(stage(window), "welcomeStage")
        }

        function test_progressStageCapture() {
            const window = makeWindow()
            const workflow = analyse(window, "photo.jpg")
            // The stage as it shows while a repair runs.
            workflow.repair("quick")
            if (workflow.state === "Repairing")
                capture(window, "stage-3-repairing")
            compare(stage(window), workflow.state === "Repairing" ? "repairStage" : "resultLayout")
            tryVerify(() => !workflow.busy, 60000)
        }

        function test_closeGuard() {
            const window = makeWindow()
            const workflow = analyse(window, "photo.jpg")
            repairQuickly(window)
            const dialog = findChild(window, "unsavedExitDialog")
            verify(dialog)
            window.currentPage = "help"
            window.close()
            verify(window.visible)
            tryVerify(() => dialog.opened)
            compare(dialog.width, 450)
            capture(window, "close-guard")
            mouseClick(findChild(dialog.contentItem, "exitCancelButton"))
            tryVerify(() => !dialog.visible)
            compare(window.currentPage, "help")
            compare(workflow.state, "PreviewReady")

            window.close()
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "exitBackButton"))
            tryVerify(() => !dialog.visible)
            compare(window.currentPage, "repair")
            verify(window.visible)

            // Without an unsaved result the window closes at once.
            workflow.discardUnsavedResult()
            window.close()
            tryVerify(() => !window.visible)
            verify(!dialog.visible)
        }
    }
}
