import QtQuick
import QtTest
import Korvex.FileRepair

// The repair page's rules against a recording stand-in for the workflow controller and the
// settings service: stage selection, step rail, icons, pills, result texts, the save rule and the
// status shown after a save or report export.
Item {
    id: root
    width: 1000
    height: 760

    Component {
        id: workflowStub
        QtObject {
            property string state: "Idle"
            property bool busy: false
            property string inputPath: ""
            property string inputName: ""
            property string inputSizeText: "0 B"
            property string samplePath: ""
            property bool sampleRequired: false
            property string status: "请选择需要分析的文件"
            property string repairability: ""
            property int progress: 0
            property int repairStep: 0
            property var findings: []
            property var warnings: []
            property bool canAnalyze: !busy && inputPath !== ""
            property bool canRepair: !busy && state === "AnalysisCompleted"
            property string previewKind: "none"
            property url previewUrl
            property string outputName: ""
            property string outputPath: ""
            property string outputSizeText: ""
            property string category: ""
            property string validationMessage: ""
            property bool formatValid: true
            readonly property bool hasUnsavedResult: state === "PreviewReady"
            readonly property bool saved: state === "Saved"
            property var calls: []
            property bool saveSucceeds: true
            property bool exportSucceeds: true
            property string failureStatus: "目标目录不存在或不可写"
            // Whether saveResult ends the save before it returns, or leaves it running (busy)
            // until finishPendingSave, as the controller does with a large result.
            property bool deferSave: false

            signal saveFinished(bool saved)

            function record(call) { calls = calls.concat([call]) }
            function selectInput(url) { record("selectInput " + url) }
            function selectSample(url) { record("selectSample " + url) }
            function clearSample() { record("clearSample") }
            function analyze() { record("analyze") }
            function repair(mode) { record("repair " + mode) }
            function cancel() { record("cancel") }
            function reset() { record("reset"); state = "Idle" }
            function revealResult() { record("revealResult") }
            function saveResult(folder) {
                record("saveResult " + folder)
                if (busy)
                    return false
                busy = true
                if (!deferSave)
                    finishPendingSave()
                return true
            }
            function finishPendingSave() {
                busy = false
                status = saveSucceeds ? "已安全保存：x" : failureStatus
                if (saveSucceeds)
                    state = "Saved"
                saveFinished(saveSucceeds)
            }
            function exportReport(folder) {
                record("exportReport " + folder)
                status = exportSucceeds ? "报告已导出" : "报告导出失败：磁盘已满"
                return exportSucceeds
            }
        }
    }

    Component {
        id: settingsStub
        QtObject {
            property string defaultSaveBehavior: "ask"
            property bool lastSaveDirectoryAvailable: false
            property url lastSaveDirectoryUrl: "file:///tmp/last"
            property bool openAfterSave: false
            property var calls: []
            function rememberSaveDirectory(folder) { calls = calls.concat(["remember " + folder]); return true }
        }
    }

    Component {
        id: pageComponent
        RepairPage {
            width: root.width
            height: root.height
        }
    }

    TestCase {
        name: "RepairPage"
        when: windowShown

        property var workflow
        property var settings
        property var page

        function init() {
            workflow = createTemporaryObject(workflowStub, root)
            settings = createTemporaryObject(settingsStub, root)
            page = createTemporaryObject(pageComponent, root, { workflow: workflow, settings: settings })
            verify(page)
        }

        function stage() {
            return findChild(page, "stageLoader").item
        }

        // The way a user accepts the folder dialog: opened, a folder chosen, accepted.
        function acceptFolder(dialog, folder) {
            dialog.open()
            dialog.currentFolder = folder
            dialog.selectedFolder = folder
            dialog.accept()
            tryVerify(() => !dialog.visible)
        }

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_stageSelection_data() {
            return [
                { tag: "idle", state: "Idle", findings: 0, advanced: false, stage: "welcomeStage", step: 0 },
                { tag: "file selected", state: "FileSelected", findings: 0, advanced: false, stage: "welcomeStage", step: 0 },
                { tag: "analysing", state: "Analyzing", findings: 0, advanced: false, stage: "analysisStage", step: 1 },
                { tag: "analysed", state: "AnalysisCompleted", findings: 0, advanced: false, stage: "analysisStage", step: 1 },
                { tag: "failed without findings", state: "Failed", findings: 0, advanced: false, stage: "welcomeStage", step: 0 },
                { tag: "failed with findings", state: "Failed", findings: 2, advanced: false, stage: "analysisStage", step: 0 },
                { tag: "cancelled with findings", state: "Cancelled", findings: 1, advanced: false, stage: "analysisStage", step: 0 },
                { tag: "advanced while idle", state: "Idle", findings: 0, advanced: true, stage: "advancedPanel", step: 0 },
                { tag: "advanced while analysing", state: "Analyzing", findings: 0, advanced: true, stage: "advancedPanel", step: 1 },
                { tag: "repairing beats advanced", state: "Repairing", findings: 1, advanced: true, stage: "repairStage", step: 2 },
                { tag: "preview ready", state: "PreviewReady", findings: 1, advanced: true, stage: "resultLayout", step: 3 },
                { tag: "saved", state: "Saved", findings: 0, advanced: false, stage: "resultLayout", step: 3 },
            ]
        }

        function test_stageSelection(data) {
            const list = []
            for (let i = 0; i < data.findings; ++i)
                list.push({ message: "损坏 " + i, severityCode: 1 })
            workflow.findings = list
            workflow.state = data.state
            page.advancedRepairView = data.advanced
            compare(stage().objectName, data.stage)
            compare(page.activeStep, data.step)
            // The rail: earlier steps ticked, the active one highlighted.
            for (let i = 0; i < 4; ++i) {
                const item = findChild(page, "stepItem" + i)
                compare(findChild(item, "stepCheck").visible, i < data.step, "tick of step " + i)
                sameColor(findChild(item, "stepCard").color, i === data.step ? "#ECF9F1" : "transparent", "card " + i)
            }
        }

        // Whatever width the page gets, the rail's one-pixel connectors sit on whole pixels: the
        // software renderer drops such a line at a half-pixel position.
        function test_stepConnectorsOnWholePixels() {
            for (const width of [1000, 1001, 1117.5, 1240.25]) {
                page.width = width
                waitForRendering(page)
                for (let i = 0; i < 3; ++i) {
                    const line = findChild(findChild(page, "stepItem" + i), "stepConnector")
                    const origin = line.mapToItem(page, 0, 0)
                    compare(origin.x, Math.round(origin.x), "connector " + i + " at page width " + width)
                    compare(origin.y, Math.round(origin.y), "connector " + i + " at page width " + width)
                }
            }
            page.width = Qt.binding(() => root.width)
        }

        function test_fileIcon_data() {
            return [
                { tag: "upper-case JPG", name: "IMG_0001.JPG", kind: "none", icon: "assets/file-image.svg" },
                { tag: "doc", name: "report.doc", kind: "none", icon: "assets/file-docx.svg" },
                { tag: "json", name: "data.json", kind: "none", icon: "assets/file-docx.svg" },
                { tag: "raw", name: "shot.raw", kind: "none", icon: "assets/file-image.svg" },
                { tag: "mp3", name: "song.mp3", kind: "none", icon: "assets/file-generic.svg" },
                { tag: "pdf", name: "a.PDF", kind: "none", icon: "assets/file-pdf.svg" },
                { tag: "pdf by preview kind", name: "scan.bin", kind: "pdf", icon: "assets/file-pdf.svg" },
                { tag: "wmv", name: "clip.wmv", kind: "none", icon: "assets/file-video.svg" },
                { tag: "no suffix", name: "README", kind: "none", icon: "assets/file-generic.svg" },
            ]
        }

        function test_fileIcon(data) {
            workflow.inputName = data.name
            workflow.previewKind = data.kind
            compare(page.fileIcon(), data.icon)
        }

        function test_welcome() {
            const heading = findChild(page, "welcomeHeading")
            compare(heading.text, "选择需要修复的文件")
            compare(findChild(page, "welcomeStatus").text, "选择需要修复的文件")
            verify(!findChild(page, "changeFileButton").visible)
            verify(!findChild(page, "analyzeButton").enabled)

            workflow.inputPath = "/data/photos/IMG_0001.JPG"
            workflow.inputName = "IMG_0001.JPG"
            workflow.inputSizeText = "1.5 KB"
            workflow.state = "FileSelected"
            workflow.status = "已选择 IMG_0001.JPG；原文件将保持只读"
            compare(heading.text, "文件已选择，开始只读分析")
            compare(findChild(page, "welcomeFileLine").text, "IMG_0001.JPG")
            compare(findChild(page, "welcomeDetailLine").text, "1.5 KB  ·  /data/photos/IMG_0001.JPG")
            compare(findChild(page, "welcomeStatus").text, workflow.status)
            verify(findChild(page, "changeFileButton").visible)
            const analyze = findChild(page, "analyzeButton")
            verify(analyze.enabled)
            mouseClick(analyze)
            compare(workflow.calls, ["analyze"])

            workflow.state = "Failed"
            workflow.status = "所选文件不存在或不是普通文件"
            sameColor(findChild(page, "welcomeStatus").color, "#B42318", "failure status")
        }

        // A name near the system's limit is elided in its middle inside the status line, which
        // stays short and keeps the buttons beside it.
        function test_longNameInTheStatus() {
            const name = "Urlaubsfoto_" + "ä".repeat(110) + "_final.jpg"
            workflow.inputPath = "/data/" + name
            workflow.inputName = name
            workflow.state = "FileSelected"
            workflow.status = "已选择 " + name + "；原文件将保持只读"
            const status = findChild(page, "welcomeStatus")
            waitForRendering(page)
            verify(status.lineCount <= 2, status.lineCount + " lines")
            verify(status.text.startsWith("已选择 Urlaubsfoto_"), status.text)
            verify(status.text.endsWith("_final.jpg；原文件将保持只读"), status.text)
            verify(status.text.indexOf("…") > 0, status.text)
            const analyze = findChild(page, "analyzeButton")
            verify(analyze.mapToItem(page, 0, 0).y < status.mapToItem(page, 0, 0).y + status.height, "button beside the status")
        }

        function test_chipColumns() {
            const grid = findChild(page, "chipGrid")
            compare(grid.columns, 4)
            page.width = 560
            tryCompare(grid, "columns", 2)
        }

        function test_formatsLabelNarrow() {
            page.width = 420
            tryCompare(findChild(page, "formatsLabel"), "width", 0)
        }

        function test_dropArea() {
            const drop = findChild(page, "dropArea")
            verify(drop.enabled)
            page.advancedRepairView = true
            page.acceptInput("file:///a.jpg")
            verify(!page.advancedRepairView)
            compare(workflow.calls, ["selectInput file:///a.jpg"])
            workflow.busy = true
            verify(!drop.enabled)
            workflow.busy = false
            workflow.state = "PreviewReady"
            verify(!drop.enabled)
        }

        function test_inputDialogAcceptance() {
            page.advancedRepairView = true
            const dialog = findChild(page, "inputDialog")
            compare(dialog.nameFilters.length, 2)
            compare(dialog.nameFilters[1], "所有文件 (*)")
            verify(testFiles.writeText("clip.mp4", "x"))
            dialog.selectedFile = testFiles.url("clip.mp4")
            dialog.accepted()
            verify(!page.advancedRepairView)
            compare(workflow.calls, ["selectInput " + testFiles.url("clip.mp4")])
        }

        // The input dialog offers every file the engine repairs - audio, Matroska and WebM, camera
        // RAW, in the upper case cameras write - from its very first opening, and hides the rest.
        function test_inputDialogShowsSupportedFilesAtFirstOpen() {
            const dialog = findChild(page, "inputDialog")
            verify(testFiles.makeFolder("dialog"))
            for (const name of ["song.mp3", "take.flac", "voice.wav", "memo.m4a", "film.mkv", "clip.webm",
                                "old.avi", "IMG_0001.DNG", "DSC_0002.NEF", "notes.txt", "report.pdf"])
                verify(testFiles.writeText("dialog/" + name, "x"))
            for (const name of ["server.pid", "archive.7z", "setup.exe"])
                verify(testFiles.writeText("dialog/" + name, "x"))
            const offered = /\((.*)\)$/.exec(dialog.nameFilters[0])[1].split(" ")
            compare(offered, SupportedFiles.patterns)
            for (const pattern of ["*.mp3", "*.flac", "*.wav", "*.m4a", "*.mkv", "*.webm", "*.avi", "*.dng", "*.DNG"])
                verify(offered.indexOf(pattern) >= 0, pattern)

            dialog.currentFolder = testFiles.url("dialog")
            dialog.open()
            // Qt's own dialog lies in the window's overlay, outside the page.
            const windowItem = page.Window.window.contentItem
            tryVerify(() => findChild(windowItem.parent || windowItem, "fileDialogListView") !== null)
            const list = findChild(windowItem.parent || windowItem, "fileDialogListView")
            function shown() {
                const names = []
                for (let i = 0; i < list.model.count; ++i)
                    names.push(list.model.get(i, "fileName"))
                return names.sort()
            }
            const expected = ["DSC_0002.NEF", "IMG_0001.DNG", "clip.webm", "film.mkv", "memo.m4a", "notes.txt", "old.avi",
                              "report.pdf", "song.mp3", "take.flac", "voice.wav"]
            // The folder is read in the background: wait for the filtered listing.
            tryVerify(() => JSON.stringify(shown()) === JSON.stringify(expected), 60000)
            compare(shown(), expected)
            dialog.close()
            tryVerify(() => !dialog.visible)
        }

        function test_analysisStage() {
            workflow.inputPath = "/d/clip.mp4"
            workflow.inputName = "clip.mp4"
            workflow.state = "Analyzing"
            workflow.busy = true
            compare(findChild(page, "analysisStateLabel").text, "分析中…")
            verify(findChild(page, "analysisProgress").visible)
            compare(findChild(page, "findingsEmptyLabel").text, "正在读取文件结构…")

            workflow.busy = false
            workflow.state = "AnalysisCompleted"
            workflow.repairability = "检测到可尝试修复的问题"
            workflow.findings = [
                { message: "缺少索引", severityCode: 2 },
                { message: "时间戳异常", severityCode: 1 },
                { message: "附加信息", severityCode: 0 },
            ]
            verify(!findChild(page, "analysisProgress").visible)
            compare(findChild(page, "analysisStateLabel").text, "检测到可尝试修复的问题")
            sameColor(findChild(page, "analysisStatePill").color, "#ECF9F1", "pill")
            const list = findChild(page, "findingsList")
            tryCompare(list, "count", 3)
            verify(!findChild(page, "findingsEmptyLabel").visible)
            const icons = ["assets/status-error.svg", "assets/status-warning.svg", "assets/info-circle.svg"]
            for (let i = 0; i < 3; ++i) {
                list.currentIndex = i
                const row = list.currentItem
                verify(String(findChild(row, "severityIcon").source).endsWith(icons[i]), "icon " + i)
                compare(findChild(row, "findingMessage").text, workflow.findings[i].message)
            }
            verify(!findChild(page, "advancedRepairButton").visible)
            const quick = findChild(page, "quickRepairButton")
            verify(quick.enabled)
            compare(quick.text, "快速修复")
            mouseClick(quick)
            compare(workflow.calls, ["repair quick"])

            // A sample set: quick repair off, advanced repair offered.
            workflow.samplePath = "/d/good.mp4"
            verify(!quick.enabled)
            verify(findChild(page, "advancedRepairButton").visible)

            // An analysis that found the file needs a sample offers it too, and says why.
            workflow.samplePath = ""
            workflow.sampleRequired = true
            workflow.repairability = "未确认存在可自动修复的问题"
            workflow.status = "文件关键头部已缺失，请进入高级修复并选择兼容的正常样本"
            verify(findChild(page, "advancedRepairButton").visible)
            compare(findChild(page, "analysisVerdict").text, workflow.status)
            // A recording without its index is no good news: the pill is not green.
            sameColor(findChild(page, "analysisStatePill").color, "#FFF6E8", "pill")
            sameColor(findChild(page, "analysisStateLabel").color, "#B54708", "pill text")
            workflow.sampleRequired = false
            verify(!findChild(page, "advancedRepairButton").visible)
            // Nor is damage the engine says it cannot repair.
            workflow.findings = [{ message: "缺少索引", severityCode: 2, repairable: false }]
            sameColor(findChild(page, "analysisStatePill").color, "#FFF6E8", "pill")
            workflow.findings = [{ message: "缺少索引", severityCode: 2, repairable: true }]
            sameColor(findChild(page, "analysisStatePill").color, "#ECF9F1", "pill")

            workflow.state = "Failed"
            workflow.status = "文件头已损坏"
            compare(findChild(page, "analysisStateLabel").text, "当前无法自动修复")
            compare(findChild(page, "analysisVerdict").text, "文件头已损坏")
            compare(quick.text, "暂不可修复")
            verify(!quick.enabled)
            const advanced = findChild(page, "advancedRepairButton")
            verify(advanced.visible)
            mouseClick(advanced)
            verify(page.advancedRepairView)
            compare(stage().objectName, "advancedPanel")
        }

        // Each row says what its finding is about; findings the user could not tell apart are one
        // row with their count, in the order they first came.
        function test_findingsNamedAndCounted() {
            workflow.inputPath = "/d/letter.docx"
            workflow.inputName = "letter.docx"
            workflow.state = "AnalysisCompleted"
            const index = "文件容器索引损坏"
            const findings = []
            for (let i = 0; i < 7; ++i)
                findings.push({ message: index, subject: "word/document.xml", severityCode: 1 })
            findings.splice(2, 0, { message: index, subject: "word/styles.xml", severityCode: 1 })
            findings.push({ message: index, subject: "word/document.xml", severityCode: 2 })
            findings.push({ message: "文件结束结构缺失", subject: "", severityCode: 1 })
            findings.push({ message: "文件结束结构缺失", severityCode: 1 })
            workflow.findings = findings
            const list = findChild(page, "findingsList")
            tryCompare(list, "count", 4)
            const expected = [
                { subject: "word/document.xml", count: 7, message: index },
                { subject: "word/styles.xml", count: 1, message: index },
                { subject: "word/document.xml", count: 1, message: index },
                { subject: "", count: 2, message: "文件结束结构缺失" },
            ]
            for (let i = 0; i < expected.length; ++i) {
                list.currentIndex = i
                const row = list.currentItem
                compare(findChild(row, "findingMessage").text, expected[i].message, "row " + i)
                const subject = findChild(row, "findingSubject")
                compare(subject.visible, expected[i].subject !== "", "subject shown in row " + i)
                compare(subject.text, expected[i].subject, "row " + i)
                const count = findChild(row, "findingCount")
                compare(count.visible, expected[i].count > 1, "count shown in row " + i)
                if (expected[i].count > 1)
                    compare(count.text, "× " + expected[i].count)
            }
        }

        function test_emptyAnalysis() {
            workflow.inputPath = "/d/a.pdf"
            workflow.state = "AnalysisCompleted"
            compare(findChild(page, "findingsEmptyLabel").text, "未发现结构化损坏项")
        }

        // The sample display says what ran: an analysis with the sample, not a compatibility
        // proof the engines never made.
        function test_samplePill_data() {
            return [
                { tag: "no sample", state: "AnalysisCompleted", sample: "", busy: false, text: "尚未选择", fill: "#F0F3F1", message: "选择样本后会自动重新分析；分析完成前不会启用修复按钮。", enabled: false },
                { tag: "sample before any analysis", state: "FileSelected", sample: "/s/good.mp4", busy: false, text: "尚未选择", fill: "#F0F3F1", message: "选择样本后会自动重新分析；分析完成前不会启用修复按钮。", enabled: false },
                { tag: "analysing with sample", state: "Analyzing", sample: "/s/good.mp4", busy: true, text: "正在带样本分析…", fill: "#EEF4FF", message: "正在只读分析损坏文件，并参考所选样本…", enabled: false },
                { tag: "analysed with sample", state: "AnalysisCompleted", sample: "C:\\s\\good.mp4", busy: false, text: "已完成带样本的分析", fill: "#ECF9F1", message: "已带样本完成分析，可以开始高级修复。", enabled: true },
                { tag: "failed with sample", state: "Failed", sample: "/s/good.mp4", busy: false, text: "带样本的分析未通过", fill: "#FEF3F2", message: "带样本的分析未通过：样本编码参数不同", enabled: false },
                // A stopped advanced repair leaves the analysis with the sample standing.
                { tag: "repair with sample stopped", state: "Cancelled", sample: "/s/good.mp4", busy: false, canRepair: true, text: "已完成带样本的分析", fill: "#ECF9F1", message: "已带样本完成分析，可以开始高级修复。", enabled: true },
            ]
        }

        function test_samplePill(data) {
            page.advancedRepairView = true
            workflow.inputPath = "/d/bad.mp4"
            workflow.inputName = "bad.mp4"
            workflow.samplePath = data.sample
            workflow.busy = data.busy
            workflow.status = "样本编码参数不同"
            workflow.state = data.state
            if (data.canRepair !== undefined)
                workflow.canRepair = data.canRepair
            compare(findChild(page, "sampleStatus").text, data.text)
            sameColor(findChild(page, "samplePill").color, data.fill, "pill")
            compare(findChild(page, "sampleMessage").text, data.message)
            compare(findChild(page, "startAdvancedButton").enabled, data.enabled)
            compare(findChild(page, "removeSampleButton").visible, data.sample !== "")
            compare(findChild(page, "sampleProgress").visible, data.state === "Analyzing")
            if (data.sample !== "")
                compare(findChild(page, "sampleName").text, "good.mp4")
            verify(!findChild(page, "sampleStatus").text.includes("兼容性验证通过"))
        }

        function test_advancedActions() {
            page.advancedRepairView = true
            workflow.inputPath = "/d/bad.mp4"
            workflow.samplePath = "/s/good.mp4"
            workflow.state = "AnalysisCompleted"
            mouseClick(findChild(page, "startAdvancedButton"))
            mouseClick(findChild(page, "removeSampleButton"))
            const dialog = findChild(page, "sampleDialog")
            verify(testFiles.writeText("other.mp4", "x"))
            dialog.selectedFile = testFiles.url("other.mp4")
            dialog.accepted()
            compare(workflow.calls, ["repair advanced", "clearSample", "selectSample " + testFiles.url("other.mp4")])
            mouseClick(findChild(page, "advancedBackButton"))
            verify(!page.advancedRepairView)
        }

        function test_disabledTooltip() {
            workflow.inputPath = "/d/a.jpg"
            workflow.busy = true
            workflow.state = "Analyzing"
            workflow.findings = [{ message: "x", severityCode: 1 }]
            const quick = findChild(page, "quickRepairButton")
            verify(!quick.enabled)
            const host = quick.parent
            mouseMove(host, host.width / 2, host.height / 2)
            tryVerify(() => host.tipShown)
            compare(host.tip, "请先完成文件分析")
        }

        // After a stop the user is never left with only a greyed button: a stopped analysis offers
        // the analysis again, a stopped repair (whose analysis stands) the repair.
        function test_afterCancelling_data() {
            return [
                { tag: "analysis stopped", canRepair: false, restart: true, quickEnabled: false },
                { tag: "quick repair stopped", canRepair: true, restart: false, quickEnabled: true },
            ]
        }

        function test_afterCancelling(data) {
            workflow.inputPath = "/d/a.jpg"
            workflow.inputName = "a.jpg"
            workflow.findings = [{ message: "x", severityCode: 1 }]
            workflow.state = "Cancelled"
            workflow.canRepair = data.canRepair
            compare(page.stageName, "analysis")
            const restart = findChild(page, "analysisRestartButton")
            const quick = findChild(page, "quickRepairButton")
            compare(restart.visible, data.restart)
            compare(quick.parent.visible, !data.restart)
            compare(quick.enabled, data.quickEnabled)
            waitForRendering(page)
            if (data.restart) {
                verify(restart.enabled)
                compare(restart.text, "开始分析")
                mouseClick(restart)
                compare(workflow.calls, ["analyze"])
            } else {
                mouseClick(quick)
                compare(workflow.calls, ["repair quick"])
            }
        }

        function test_progressStage() {
            workflow.inputName = "clip.mp4"
            workflow.state = "Repairing"
            workflow.progress = 0
            compare(findChild(page, "repairPercent").text, "0%")
            workflow.progress = 99
            compare(findChild(page, "repairPercent").text, "99%")
            const track = findChild(page, "repairProgress")
            compare(track.height, 10)
            fuzzyCompare(findChild(track, "progressFill").width, track.width * 0.99, 0.5)
            mouseClick(findChild(page, "cancelTaskButton"))
            compare(workflow.calls, ["cancel"])
        }

        function test_progressStepsMove() {
            workflow.state = "Repairing"
            const rebuild = findChild(page, "rebuildPhase")
            const verify = findChild(page, "verifyPhase")
            const steps = [
                { step: 0, status: "正在私有缓存中生成修复结果…", rebuild: "进行中", verify: "等待中", verifyMark: "3" },
                { step: 1, status: "正在独立验证修复结果…", rebuild: "完成", verify: "进行中", verifyMark: "3" },
                { step: 2, status: "正在加密封存修复结果…", rebuild: "完成", verify: "完成", verifyMark: "" },
            ]
            for (const s of steps) {
                workflow.repairStep = s.step
                workflow.status = s.status
                compare(findChild(page, "repairStatus").text, s.status)
                compare(rebuild.statusText, s.rebuild)
                compare(rebuild.mark, s.step > 0 ? "" : "2")
                compare(verify.statusText, s.verify)
                compare(verify.mark, s.verifyMark)
            }
        }

        function test_warningsKeepTheVerdictFromGreen() {
            workflow.formatValid = true
            workflow.previewKind = "pdf"
            workflow.warnings = ["PDF 文档目录（根对象）缺失，输出可能需要手工恢复", "<b>plain</b>"]
            workflow.state = "PreviewReady"
            const row = findChild(page, "validationRow0")
            compare(findChild(row, "validationLabel").text, "存在需要注意的警告")
            verify(String(findChild(row, "validationIcon").source).endsWith("status-warning.svg"))
            compare(findChild(page, "verificationLine").text, "已通过独立格式验证，但有警告需要注意")
            sameColor(findChild(page, "verificationLine").color, "#B54708", "verification")
            const second = findChild(page, "outputWarning1")
            compare(findChild(second, "outputWarningText").text, "<b>plain</b>")
            compare(findChild(second, "outputWarningText").textFormat, Text.PlainText)
            workflow.warnings = []
            compare(findChild(row, "validationLabel").text, "结构完整")
            compare(findChild(page, "outputWarning0"), null)
        }

        // File names, paths, statuses and engine texts are shown as they are, never read as markup:
        // a file named like an alarm stays a file name.
        function test_namesAreNeverMarkup_data() {
            const hostile = "<font color=red size=7><b>VIRUS FOUND<br>.wav"
            return [
                { tag: "welcome", state: "FileSelected", findings: 0, labels: ["welcomeFileLine", "welcomeDetailLine", "welcomeStatus"] },
                { tag: "analysis", state: "AnalysisCompleted", findings: 1, labels: ["analysisFileName", "findingMessage"] },
                { tag: "failed analysis", state: "Failed", findings: 1, labels: ["analysisFileName", "analysisVerdict"] },
                { tag: "repairing", state: "Repairing", findings: 1, labels: ["progressFileName", "progressStatusText"] },
                { tag: "result", state: "PreviewReady", findings: 1, labels: ["outputNameLabel", "resultStatus", "validationLabel"] },
                { tag: "saved", state: "Saved", findings: 0, labels: ["savedPathLabel", "resultStatus"] },
            ].map(row => Object.assign(row, { hostile: hostile }))
        }

        function test_namesAreNeverMarkup(data) {
            workflow.inputPath = "/d/" + data.hostile
            workflow.inputName = data.hostile
            workflow.outputName = data.hostile
            workflow.outputPath = "/d/" + data.hostile
            workflow.status = "已选择 " + data.hostile
            workflow.validationMessage = data.hostile
            workflow.findings = data.findings > 0 ? [{ message: data.hostile, severityCode: 2 }] : []
            workflow.busy = data.state === "Repairing"
            workflow.state = data.state
            for (const name of data.labels) {
                const label = findChild(page, name)
                verify(label, name)
                compare(label.textFormat, Text.PlainText, name)
            }
            // The name itself is shown whole, its brackets and all.
            verify(findChild(page, data.labels[0]).text.indexOf("<font color=red") >= 0, data.labels[0])
        }

        function test_resultTexts_data() {
            return [
                { tag: "valid unsaved", valid: true, state: "PreviewReady", kind: "image", heading: "修复完成，结果尚未保存", rows: ["结构完整", "可正常解析", "原文件未修改"] },
                { tag: "valid saved", valid: true, state: "Saved", kind: "image", heading: "修复完成，结果已保存", rows: ["结构完整", "可正常解析", "原文件未修改"] },
                { tag: "valid binary", valid: true, state: "PreviewReady", kind: "binary", heading: "修复完成，结果尚未保存", rows: ["恢复数据非空", "安全预览可用", "原文件未修改"] },
                { tag: "invalid unsaved", valid: false, state: "PreviewReady", kind: "binary", heading: "同源数据已恢复，结果尚未保存", rows: ["同源数据已恢复", "安全预览可用", "扩展名格式未通过"] },
                { tag: "invalid saved", valid: false, state: "Saved", kind: "binary", heading: "同源数据已恢复，结果已保存", rows: ["同源数据已恢复", "安全预览可用", "扩展名格式未通过"] },
            ]
        }

        function test_resultTexts(data) {
            workflow.formatValid = data.valid
            workflow.previewKind = data.kind
            workflow.outputPath = "/out/a_repaired.jpg"
            workflow.state = data.state
            compare(findChild(page, "resultHeading").text, data.heading)
            compare(findChild(page, "previewBadge").visible, data.state !== "Saved")
            compare(findChild(page, "cacheNotice").visible, data.state === "PreviewReady")
            compare(findChild(page, "savedBar").visible, data.state === "Saved")
            compare(findChild(page, "saveButton").enabled, data.state !== "Saved")
            sameColor(findChild(page, "verificationLine").color, data.valid ? "#087A40" : "#B54708", "verification")
            for (let i = 0; i < 3; ++i) {
                const row = findChild(page, "validationRow" + i)
                compare(findChild(row, "validationLabel").text, data.rows[i])
                const warning = !data.valid && i === 2
                verify(String(findChild(row, "validationIcon").source).endsWith(warning ? "status-warning.svg" : "status-check.svg"))
            }
            compare(findChild(page, "repairResultPreview").kind, data.kind)
        }

        function test_resultColumns() {
            workflow.state = "PreviewReady"
            const panels = findChild(page, "resultPanels")
            const actions = findChild(page, "resultActions")
            compare(panels.columns, 2)
            verify(findChild(page, "resultLayout").width < 800)
            compare(actions.columns, 4)       // narrower than 800, but the four texts fit in a row
            findChild(page, "saveButton").text = "Reparaturergebnis dauerhaft speichern"
            tryCompare(actions, "columns", 2) // a text too long for a quarter: two rows of two
            compare(findChild(page, "detailFrame").width, 236)
            page.width = 1400
            tryCompare(actions, "columns", 4)
            page.width = 700
            tryCompare(panels, "columns", 1)
            workflow.previewKind = "video"
            compare(findChild(page, "previewFrame").minimumPreviewHeight, 460)
        }

        function test_saveRule_data() {
            return [
                { tag: "ask", behaviour: "ask", available: true, succeeds: true, reveal: true, calls: [], dialog: true, notice: "" },
                { tag: "last, folder gone", behaviour: "last", available: false, succeeds: true, reveal: false, calls: [], dialog: true, notice: "" },
                { tag: "last, saves and reveals", behaviour: "last", available: true, succeeds: true, reveal: true, calls: ["saveResult file:///tmp/last", "revealResult"], dialog: false, notice: "ok" },
                { tag: "last, saves", behaviour: "last", available: true, succeeds: true, reveal: false, calls: ["saveResult file:///tmp/last"], dialog: false, notice: "ok" },
                { tag: "last, save fails", behaviour: "last", available: true, succeeds: false, reveal: true, calls: ["saveResult file:///tmp/last"], dialog: true, notice: "failed" },
            ]
        }

        function test_saveRule(data) {
            workflow.state = "PreviewReady"
            settings.defaultSaveBehavior = data.behaviour
            settings.lastSaveDirectoryAvailable = data.available
            settings.openAfterSave = data.reveal
            workflow.saveSucceeds = data.succeeds
            const dialog = findChild(page, "outputDialog")
            mouseClick(findChild(page, "saveButton"))
            compare(workflow.calls, data.calls)
            compare(dialog.visible, data.dialog)
            compare(page.resultNotice, data.notice)
            dialog.close()
        }

        // A large result is written off the GUI thread: the page tells the outcome (and reveals the
        // file) only once the controller says the save has ended, and asks for no second save
        // meanwhile.
        function test_saveEndsLater_data() {
            return [
                { tag: "saved", succeeds: true, notice: "ok", calls: ["saveResult file:///tmp/last", "revealResult"], dialog: false },
                { tag: "failed", succeeds: false, notice: "failed", calls: ["saveResult file:///tmp/last"], dialog: true },
            ]
        }

        function test_saveEndsLater(data) {
            workflow.state = "PreviewReady"
            workflow.deferSave = true
            workflow.saveSucceeds = data.succeeds
            settings.defaultSaveBehavior = "last"
            settings.lastSaveDirectoryAvailable = true
            settings.openAfterSave = true
            const dialog = findChild(page, "outputDialog")
            mouseClick(findChild(page, "saveButton"))
            compare(workflow.calls, ["saveResult file:///tmp/last"])
            // The status line shows the save's progress meanwhile.
            compare(page.resultNotice, "saving")
            verify(findChild(page, "resultStatus").visible)
            mouseClick(findChild(page, "saveButton"))
            compare(workflow.calls, ["saveResult file:///tmp/last"])
            verify(!dialog.visible)
            workflow.finishPendingSave()
            compare(page.resultNotice, data.notice)
            compare(workflow.calls, data.calls)
            compare(dialog.visible, data.dialog)
            dialog.close()
        }

        // A quick repair that failed where a repair with a sample may still succeed stays on the
        // analysis stage with the advanced repair offered, also when the analysis listed nothing.
        function test_failedQuickRepairOffersAdvanced() {
            workflow.inputPath = "/tmp/photo.jpg"
            workflow.inputName = "photo.jpg"
            workflow.state = "Failed"
            workflow.status = "修复失败"
            compare(page.stageName, "welcome")
            workflow.sampleRequired = true
            compare(page.stageName, "analysis")
            const advanced = findChild(stage(), "advancedRepairButton")
            verify(advanced.visible)
            mouseClick(advanced)
            compare(page.stageName, "advanced")
        }

        function test_saveThroughDialog() {
            workflow.state = "PreviewReady"
            settings.openAfterSave = true
            workflow.saveSucceeds = false
            const dialog = findChild(page, "outputDialog")
            verify(testFiles.makeFolder("out"))
            const folder = testFiles.url("out")
            acceptFolder(dialog, folder)
            compare(settings.calls, ["remember " + folder])
            compare(workflow.calls, ["saveResult " + folder])
            // The failure is visible on the stage, in red, with the controller's reason.
            const status = findChild(page, "resultStatus")
            verify(status.visible)
            compare(status.text, "目标目录不存在或不可写")
            sameColor(status.color, "#B42318", "failure")
            compare(page.workflowState, "PreviewReady")

            workflow.saveSucceeds = true
            acceptFolder(dialog, folder)
            compare(workflow.calls, ["saveResult " + folder, "saveResult " + folder, "revealResult"])
            compare(findChild(page, "resultStatus").text, "已安全保存：x")
            sameColor(findChild(page, "resultStatus").color, "#087A40", "success")
        }

        function test_reportExportOutcomeShown() {
            workflow.state = "PreviewReady"
            verify(!findChild(page, "resultStatus").visible)
            workflow.exportSucceeds = false
            const dialog = findChild(page, "reportDialog")
            verify(testFiles.makeFolder("reports"))
            acceptFolder(dialog, testFiles.url("reports"))
            compare(workflow.calls, ["exportReport " + testFiles.url("reports")])
            const status = findChild(page, "resultStatus")
            verify(status.visible)
            compare(status.text, "报告导出失败：磁盘已满")
            sameColor(status.color, "#B42318", "failure")
        }

        function test_repairAgain() {
            workflow.state = "PreviewReady"
            mouseClick(findChild(page, "repairAgainButton"))
            const dialog = findChild(page, "discardDialog")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "discardCancelButton"))
            tryVerify(() => !dialog.visible)
            compare(workflow.calls, [])
            mouseClick(findChild(page, "repairAgainButton"))
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "discardConfirmButton"))
            compare(workflow.calls, ["reset"])

            workflow.calls = []
            workflow.state = "Saved"
            mouseClick(findChild(page, "repairAgainButton"))
            compare(workflow.calls, ["reset"])
            verify(!dialog.visible)
        }
    }
}
