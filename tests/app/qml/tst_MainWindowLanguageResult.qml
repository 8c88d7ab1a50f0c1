import QtQuick
import QtTest
import Korvex.FileRepair

// A language switch while a result with a warning row waits, then starting over and choosing the
// next file, as a user does it: the result's rows made in the old language are gone by then, and
// nothing may lay them out again.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {}
    }

    TestCase {
        name: "MainWindowLanguageResult"
        when: windowShown

        readonly property var codes: ["zh-CN", "zh-TW", "en-US", "de-DE", "fr-FR", "it-IT", "ja-JP", "es-ES"]
        property string inputs: ""

        function initTestCase() {
            uiLanguage.followSettings()
            verify(testFiles.makeFolder("inputs"))
            inputs = testFiles.path("inputs")
            // A healthy TIFF: its quick repair stands with a warning row on the result.
            compare(testFiles.run("convert", ["-size", "96x64", "gradient:red-blue", inputs + "/healthy.tif"]), 0)
        }

        function cleanup() {
            settingsService.language = "zh-CN"
        }

        function chooseLanguage(window, code) {
            mouseClick(findChild(window.contentItem, "navSettings"))
            const page = window.settingsPage
            page.section = "general"
            const box = findChild(page, "languageBox")
            waitForRendering(window.contentItem)
            mouseClick(box)
            tryVerify(() => box.popup.opened)
            const index = codes.indexOf(code)
            const list = findChild(box.popup.contentItem, "list") || box.popup.contentItem
            tryVerify(() => list.itemAtIndex(index) !== null)
            list.positionViewAtIndex(index, 0)
            const entry = list.itemAtIndex(index)
            waitForRendering(window.contentItem)
            mouseClick(entry)
            tryVerify(() => !box.popup.visible)
            compare(settingsService.language, code)
        }

        function stage(window) {
            return findChild(window.repairPage, "stageLoader").item
        }

        function test_startOverAfterSwitchingWithAWarningRow_data() {
            return [
                { tag: "ja-JP", language: "ja-JP" },
                { tag: "de-DE", language: "de-DE" },
            ]
        }

        function test_startOverAfterSwitchingWithAWarningRow(data) {
            settingsService.language = "en-US"
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            window.width = 980
            window.height = 680
            tryVerify(() => window.visible)
            waitForRendering(window.contentItem)
            const workflow = window.repairPage.workflow

            chooseLanguage(window, data.language)
            mouseClick(findChild(window.contentItem, "navRepair"))
            waitForRendering(window.contentItem)
            mouseClick(findChild(stage(window), "chooseFileButton"))
            const input = findChild(window.repairPage, "inputDialog")
            tryVerify(() => input.visible)
            waitForRendering(window.contentItem)
            input.currentFolder = testFiles.url("inputs")
            input.selectedFile = testFiles.url("inputs/healthy.tif")
            input.accepted()
            input.close()
            tryVerify(() => !input.visible)
            tryCompare(workflow, "state", "FileSelected")
            waitForRendering(window.contentItem)
            mouseClick(findChild(stage(window), "analyzeButton"))
            tryCompare(workflow, "state", "AnalysisCompleted", 60000)
            waitForRendering(window.contentItem)
            mouseClick(findChild(stage(window), "quickRepairButton"))
            tryCompare(workflow, "state", "PreviewReady", 120000)
            verify(workflow.warnings.length > 0, "no warning row: " + JSON.stringify(workflow.warnings))
            tryVerify(() => findChild(stage(window), "outputWarning0") !== null)
            waitForRendering(window.contentItem)
            const row = findChild(stage(window), "outputWarning0")
            const shownBefore = findChild(row, "outputWarningText").text

            chooseLanguage(window, "en-US")
            mouseClick(findChild(window.contentItem, "navRepair"))
            waitForRendering(window.contentItem)
            // The row stays the one the layout holds; only its text follows the language.
            verify(findChild(stage(window), "outputWarning0") === row, "the warning row was made anew")
            verify(findChild(row, "outputWarningText").text !== shownBefore, "still " + shownBefore)
            const again = findChild(stage(window), "repairAgainButton")
            verify(again)
            compare(again.text, "Repair again")
            // Scrolled down to the buttons, as at the smallest window size.
            const flick = findChild(window.repairPage, "repairScroll").contentItem
            for (let i = 0; i < 20 && flick.contentY < flick.contentHeight - flick.height - 1; ++i) {
                mouseWheel(flick, flick.width / 2, flick.height / 2, 0, -120)
                waitForRendering(window.contentItem)
            }
            flick.contentY = Math.max(0, flick.contentHeight - flick.height)
            waitForRendering(window.contentItem)
            mouseClick(again)
            const discard = findChild(window.repairPage, "discardDialog")
            tryVerify(() => discard.opened)
            mouseClick(findChild(discard.contentItem, "discardConfirmButton"))
            tryVerify(() => !window.repairPage.resultStage)
            waitForRendering(window.contentItem)

            // The stage now shown offers the next file; its dialog opens over a laid-out page.
            const chooser = findChild(stage(window), "chooseFileButton") || findChild(stage(window), "analysisChangeFileButton")
            verify(chooser, "no way to choose the next file on " + window.repairPage.stageName)
            mouseClick(chooser)
            const dialog = findChild(window.repairPage, "inputDialog")
            tryVerify(() => dialog.visible)
            waitForRendering(window.contentItem)
            dialog.close()
            tryVerify(() => !dialog.visible)
            waitForRendering(window.contentItem)
            verify(window.visible)
        }
    }
}
