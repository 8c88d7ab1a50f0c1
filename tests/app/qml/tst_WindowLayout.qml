import QtQuick
import QtTest
import Korvex.FileRepair

// The real window at its smallest size in every UI language: the account card, the settings
// cards, the advanced-repair stage and a video result with its player bar keep every child inside
// its parent, and no text is cut where the page shows it whole (only file names, paths and
// addresses are elided). Captures go to <build>/tests/app/screenshots/layout-<language>-<view>.png.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {
            width: 980
            height: 680
        }
    }

    TestCase {
        name: "WindowLayout"
        when: windowShown

        readonly property var codes: ["zh-CN", "zh-TW", "en-US", "de-DE", "fr-FR", "it-IT", "ja-JP", "es-ES"]
        // Texts that are elided by design: names, paths, addresses and the engine's own limitation note.
        readonly property var elidedByDesign: ["analysisFileName", "welcomeFileLine", "welcomeDetailLine", "outputNameLabel",
            "savedPathLabel", "sampleName", "samplePathLabel", "lastSaveDirectoryLabel", "diagnosticsPathLabel",
            "nameLine", "emailLine", "profileButtonText", "officeLimitation", "headerTitle", "displayText"]
        property string inputs: ""

        function initTestCase() {
            uiLanguage.followSettings()
            verify(testFiles.makeFolder("inputs"))
            inputs = testFiles.path("inputs")
            compare(testFiles.run("python3", [testFiles.sourceFolder + "/tests/app/qml/make_damaged_fixtures.py", inputs]), 0)
        }

        function cleanup() {
            settingsService.language = "zh-CN"
        }

        function capture(window, name) {
            waitForRendering(window.contentItem)
            grabImage(window.contentItem).save(testFiles.screenshotFolder + "/layout-" + name + ".png")
        }

        function shown(item) {
            for (let at = item; at; at = at.parent) {
                if (!at.visible || at.opacity === 0)
                    return false
            }
            return item.width > 0 && item.height > 0
        }

        // Every shown item under `container` lies inside it (one pixel of rounding allowed).
        function insideOf(container, what) {
            const walk = (item) => {
                for (let i = 0; i < item.children.length; ++i) {
                    const child = item.children[i]
                    if (!shown(child))
                        continue
                    const box = child.mapToItem(container, 0, 0, child.width, child.height)
                    verify(box.x >= -1 && box.y >= -1 && box.x + box.width <= container.width + 1
                           && box.y + box.height <= container.height + 1,
                           what + ": " + (child.objectName || child) + " at " + JSON.stringify(box)
                           + " leaves its " + container.width + " x " + container.height + " parent")
                    walk(child)
                }
            }
            walk(container)
        }

        // No shown text under `item` is elided or cut off by a line limit, except the named ones.
        function nothingCut(item, what) {
            const walk = (at) => {
                for (let i = 0; i < at.children.length; ++i) {
                    const child = at.children[i]
                    if (!shown(child))
                        continue
                    if (child.truncated !== undefined && child.text !== undefined && elidedByDesign.indexOf(child.objectName) < 0)
                        verify(!child.truncated, what + ": \"" + child.text + "\" is cut (" + (child.objectName || child) + ")")
                    walk(child)
                }
            }
            walk(item)
        }

        function test_everyLanguageFitsTheSmallestWindow() {
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            tryVerify(() => window.visible)
            compare(window.width, window.minimumWidth)
            compare(window.height, window.minimumHeight)
            const page = window.repairPage
            const workflow = page.workflow

            // The advanced-repair stage of a recording that needs a sample.
            page.acceptInput("file://" + inputs + "/camera.mp4")
            workflow.analyze()
            tryVerify(() => !workflow.busy && workflow.state === "AnalysisCompleted", 30000)
            mouseClick(findChild(page, "advancedRepairButton"))
            for (const code of codes) {
                settingsService.language = code
                waitForRendering(window.contentItem)
                insideOf(findChild(page, "sampleCard"), code + " sample card")
                nothingCut(findChild(page, "advancedPanel"), code + " advanced stage")
                capture(window, code + "-advanced")
            }

            // A repaired recording with its player bar.
            settingsService.language = "zh-CN"
            workflow.selectSample("file://" + inputs + "/sample.mp4")
            tryVerify(() => !workflow.busy && workflow.state === "AnalysisCompleted", 30000)
            workflow.repair("advanced")
            tryVerify(() => workflow.state === "PreviewReady" || workflow.state === "Failed", 60000)
            compare(workflow.state, "PreviewReady", workflow.status)
            compare(workflow.previewKind, "video")
            for (const code of codes) {
                settingsService.language = code
                window.currentPage = "repair"
                waitForRendering(window.contentItem)
                const bar = findChild(page, "videoBar")
                verify(findChild(page, "videoSlider").width >= 160, code + ": the slider has room to seek")
                insideOf(bar, code + " video bar")
                // Beside the unsaved badge the page title still breaks between words only.
                const title = findChild(window.contentItem, "pageTitle")
                if (!code.startsWith("zh") && !code.startsWith("ja"))
                    verify(title.lineCount <= title.text.split(" ").length, code + ": \"" + title.text + "\" in " + title.lineCount + " lines")
                verify(findChild(window.contentItem, "unsavedBadge").visible)
                insideOf(findChild(window.contentItem, "header"), code + " header")
                nothingCut(findChild(page, "resultLayout"), code + " result stage")
                capture(window, code + "-video")

                window.currentPage = "account"
                waitForRendering(window.contentItem)
                const card = findChild(window.contentItem, "card")
                const viewport = findChild(window.contentItem, "viewport")
                verify(viewport.contentWidth <= viewport.width, code + ": the account page scrolls sideways")
                insideOf(card, code + " account card")
                nothingCut(card, code + " account card")
                capture(window, code + "-account")

                window.currentPage = "settings"
                for (const section of ["general", "repair", "privacy", "license"]) {
                    window.settingsPage.section = section
                    waitForRendering(window.contentItem)
                    for (const name of ["generalCard", "repairSettingsCard", "cacheCard", "privacyCard", "licenseCard"]) {
                        const settingsCard = findChild(window.settingsPage, name)
                        if (settingsCard && shown(settingsCard)) {
                            insideOf(settingsCard, code + " " + name)
                            nothingCut(settingsCard, code + " " + name)
                        }
                    }
                    capture(window, code + "-settings-" + section)
                }
                const sidebar = findChild(window.contentItem, "navAccount").parent
                nothingCut(sidebar, code + " sidebar")
            }
        }
    }
}
