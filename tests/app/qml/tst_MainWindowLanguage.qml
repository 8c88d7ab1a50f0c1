import QtQuick
import QtTest
import Korvex.FileRepair

// The real window switched through every UI language from the settings page's own language box,
// the way a user does it: the catalogue is swapped and the loaded QML retranslated each time, and
// every page is shown in between. Once on the welcome stage, once with a repaired result waiting,
// which must survive every switch.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {}
    }

    TestCase {
        name: "MainWindowLanguage"
        when: windowShown

        readonly property var codes: ["zh-CN", "zh-TW", "en-US", "de-DE", "fr-FR", "it-IT", "ja-JP", "es-ES"]
        // The settings page's title in each language, as its catalogue has it.
        readonly property var settingsTitles: ["设置", "設定", "Settings", "Einstellungen", "Paramètres",
                                               "Impostazioni", "設定", "Configuración"]
        property string inputs: ""

        function initTestCase() {
            // The program's own connection: a language set through the settings service is applied.
            uiLanguage.followSettings()
            verify(testFiles.makeFolder("inputs"))
            inputs = testFiles.path("inputs")
            compare(testFiles.run("python3", [testFiles.sourceFolder + "/tests/app/qml/make_damaged_fixtures.py", inputs]), 0)
        }

        function init() {
            failOnWarning(/Polish loop detected/)
        }

        function cleanup() {
            settingsService.language = "zh-CN"
        }

        function chooseLanguage(window, index) {
            mouseClick(findChild(window.contentItem, "navSettings"))
            const page = window.settingsPage
            page.section = "general"
            const box = findChild(page, "languageBox")
            waitForRendering(window.contentItem)
            mouseClick(box)
            tryVerify(() => box.popup.opened)
            const list = findChild(box.popup.contentItem, "list") || box.popup.contentItem
            tryVerify(() => list.itemAtIndex(index) !== null)
            list.positionViewAtIndex(index, 0)
            const entry = list.itemAtIndex(index)
            waitForRendering(window.contentItem)
            mouseClick(entry)
            tryVerify(() => !box.popup.visible)
            compare(settingsService.language, codes[index])
        }

        function visitEveryPage(window) {
            for (const nav of ["navRepair", "navHelp", "navAccount", "navAbout", "navSettings"]) {
                mouseClick(findChild(window.contentItem, nav))
                waitForRendering(window.contentItem)
            }
            for (const section of ["general", "repair", "privacy", "license", "agreement", "privacyPolicy"]) {
                mouseClick(findChild(window.settingsPage, "sectionButton_" + section))
                waitForRendering(window.contentItem)
            }
            mouseClick(findChild(window.contentItem, "navRepair"))
            waitForRendering(window.contentItem)
        }

        // The step rail breaks lines between words only (CJK labels may break anywhere).
        // The welcome stage's chips and its promise row are centred at their own width.
        function stepLabelsKeepTheirWords(window, code) {
            for (const name of ["chipGrid", "originalUntouchedRow"]) {
                const item = findChild(window.repairPage, name)
                if (item === null)
                    continue
                const box = item.mapToItem(item.parent, 0, 0)
                verify(item.width < item.parent.width - 40, code + ": " + name + " fills the stage")
                verify(Math.abs(box.x + item.width / 2 - item.parent.width / 2) <= 1, code + ": " + name + " is not centred")
            }
            if (code.startsWith("zh") || code.startsWith("ja"))
                return
            for (let step = 0; step < 4; ++step) {
                const label = findChild(findChild(window.repairPage, "stepItem" + step), "stepLabel")
                verify(label.lineCount <= label.text.split(" ").length, code + ": " + label.text + " in " + label.lineCount + " lines")
            }
        }

        // Qt's own file and folder dialogs speak the language chosen last, whichever it was
        // before and whether or not they were open in between.
        function test_toolkitDialogsFollowEverySwitch() {
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            tryVerify(() => window.visible)
            waitForRendering(window.contentItem)
            const buttons = { "zh-CN": ["打开", "取消"], "en-US": ["Open", "Cancel"], "de-DE": ["Öffnen", "Abbrechen"] }
            function shownButtons(dialog) {
                dialog.open()
                tryVerify(() => uiLanguage.shownDialogButtonTexts(window.contentItem).length >= 2)
                const texts = uiLanguage.shownDialogButtonTexts(window.contentItem)
                dialog.close()
                tryVerify(() => uiLanguage.shownDialogButtonTexts(window.contentItem).length === 0)
                return texts
            }
            const inputDialog = findChild(window.repairPage, "inputDialog")
            const sampleDialog = findChild(window.repairPage, "sampleDialog")
            // One dialog opened before every switch, one for the first time after the last.
            for (const code of ["en-US", "zh-CN", "en-US", "de-DE", "zh-CN", "en-US", "zh-CN"]) {
                settingsService.language = code
                const texts = shownButtons(inputDialog)
                for (const text of buttons[code])
                    verify(texts.indexOf(text) >= 0, code + ": " + JSON.stringify(texts))
            }
            settingsService.language = "en-US"
            const texts = shownButtons(sampleDialog)
            for (const text of buttons["en-US"])
                verify(texts.indexOf(text) >= 0, "first opened in en-US: " + JSON.stringify(texts))
        }

        function test_switchEveryLanguageOnEveryPage_data() {
            return [
                { tag: "welcome stage", repaired: false },
                { tag: "repaired result waiting", repaired: true },
            ]
        }

        function test_switchEveryLanguageOnEveryPage(data) {
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            tryVerify(() => window.visible)
            waitForRendering(window.contentItem)
            const workflow = window.repairPage.workflow
            if (data.repaired) {
                window.repairPage.acceptInput("file://" + inputs + "/photo.jpg")
                workflow.analyze()
                tryCompare(workflow, "state", "AnalysisCompleted", 30000)
                workflow.repair("quick")
                tryCompare(workflow, "state", "PreviewReady", 60000)
                verify(workflow.hasUnsavedResult)
            }
            const output = workflow.outputPath

            for (let round = 0; round < 3; ++round) {
                // Every language once, starting one further each round, ending on a new one.
                for (let step = 1; step <= codes.length; ++step) {
                    const index = (round + step) % codes.length
                    chooseLanguage(window, index)
                    compare(findChild(window.contentItem, "pageTitle").text, settingsTitles[index], codes[index])
                    visitEveryPage(window)
                    stepLabelsKeepTheirWords(window, codes[index])
                }
            }

            if (data.repaired) {
                compare(workflow.state, "PreviewReady")
                verify(workflow.hasUnsavedResult)
                compare(workflow.outputPath, output)
                verify(findChild(window.contentItem, "unsavedBadge").visible)
                verify(findChild(window.repairPage, "validationRow0") !== null)
            }
            chooseLanguage(window, 0)
            compare(findChild(window.contentItem, "pageTitle").text, "设置")
        }
    }
}
