import QtQuick
import QtTest
import QtQuick.Controls
import Korvex.FileRepair

Item {
    id: root
    width: 1000
    height: 720

    // Stands in for the settings service: its properties, signals and recording operations.
    Component {
        id: settingsComponent
        QtObject {
            property string language: "zh-CN"
            property string defaultSaveBehavior: "ask"
            property int cacheLimitMb: 512
            property bool openAfterSave: false
            property bool diagnosticsEnabled: false
            property string cacheSizeText: "12.0 MB"
            property string diagnosticsSizeText: "0 B"
            property string diagnosticsPath: "/home/u/.local/share/Korvex/diagnostics/events.jsonl"
            property string lastSaveDirectory: ""
            property bool lastSaveDirectoryAvailable: false
            property string applicationVersion: "1.0.4.0"
            property string legalTitle: ""
            property string legalText: ""
            property string status: "设置仅保存在当前用户配置目录"
            property var calls: []
            signal settingsChanged()
            signal legalDocumentRequested()

            function record(name, args) { calls = calls.concat([[name].concat(Array.prototype.slice.call(args))]) }
            function refreshCacheSize() { record("refreshCacheSize", arguments) }
            function enforceCacheLimit(path) { record("enforceCacheLimit", arguments) }
            function clearExpiredCache(path) { record("clearExpiredCache", arguments) }
            function clearDiagnosticData() { record("clearDiagnosticData", arguments) }
            function showLgplLicense() { legalTitle = "GNU LGPLv3 许可证"; legalText = "LGPL body"; legalDocumentRequested() }
            function showThirdPartyNotices() { legalTitle = "第三方软件声明"; legalText = "<b>notices</b>"; legalDocumentRequested() }
            function showQtSourceInstructions() { legalTitle = "获取对应 Qt 源码"; legalText = "Qt"; legalDocumentRequested() }
            // A reset changes the values behind the controls' backs, as the service's does.
            function resetDefaults() {
                record("resetDefaults", arguments)
                language = "zh-CN"; defaultSaveBehavior = "ask"; cacheLimitMb = 512
                openAfterSave = false; diagnosticsEnabled = false
                settingsChanged()
            }
            function callsOf(name) { return calls.filter(c => c[0] === name) }
        }
    }

    Component {
        id: workflowComponent
        QtObject {
            property bool hasUnsavedResult: false
            property string outputPath: "/cache/repair-output/session-1/task/result.drcache"
            property bool busy: false
        }
    }

    Component {
        id: pageComponent
        SettingsPage { anchors.fill: parent }
    }

    TestCase {
        name: "SettingsPage"
        when: windowShown

        property var settings
        property var workflow
        property var page

        function init() {
            settings = createTemporaryObject(settingsComponent, root)
            workflow = createTemporaryObject(workflowComponent, root)
            page = createTemporaryObject(pageComponent, root, { settings: settings, workflow: workflow })
            verify(page)
            waitForRendering(page)
        }

        function item(name) {
            const found = findChild(page, name)
            verify(found, name)
            return found
        }

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function click(name) {
            const button = item(name)
            verify(button.visible && button.enabled, name + " is not clickable")
            mouseClick(button)
        }

        function test_sections_data() {
            return [
                { tag: "general", card: "generalCard" },
                { tag: "repair", card: "repairSettingsCard" },
                { tag: "privacy", card: "privacyCard" },
                { tag: "license", card: "licenseCard" },
                { tag: "agreement", card: "agreementCard" },
                { tag: "privacyPolicy", card: "privacyPolicyCard" },
                { tag: "unknown", card: "" }
            ]
        }

        function test_sections(data) {
            page.section = data.tag
            const cards = ["generalCard", "repairSettingsCard", "cacheCard", "privacyCard", "licenseCard",
                           "agreementCard", "privacyPolicyCard"]
            for (const card of cards) {
                const expected = card === data.card || (data.tag === "repair" && card === "cacheCard")
                compare(item(card).visible, expected, card)
            }
            for (const key of ["general", "repair", "privacy", "license", "agreement", "privacyPolicy"])
                compare(item("sectionButton_" + key).variant, key === data.tag ? "primary" : "ghost", key)
            // The status line and the reset button are in every section.
            verify(item("statusLine").visible)
            verify(item("resetButton").visible)
            compare(settings.callsOf("refreshCacheSize").length, data.tag === "repair" ? 1 : 0)
        }

        function test_sectionButtonsSwitch() {
            click("sectionButton_privacy")
            compare(page.section, "privacy")
            click("sectionButton_repair")
            compare(page.section, "repair")
            compare(settings.callsOf("refreshCacheSize").length, 1)
        }

        function test_legalBodiesArePlainText() {
            page.section = "agreement"
            const title = findChild(item("agreementCard"), "legalPageTitle")
            compare(title.text, "Korvex 许可协议")
            const body = findChild(item("agreementCard"), "legalPageBody")
            compare(body.textFormat, Text.PlainText)
            verify(body.text.indexOf("一、软件许可") >= 0)
            verify(body.text.indexOf("七、协议更新") >= 0)
            const policy = findChild(item("privacyPolicyCard"), "legalPageBody")
            verify(policy.text.indexOf("八、未成年人及政策更新") >= 0)
        }

        // Every cache operation of the page spares the unsaved result's task.
        function test_cacheOperationsPassTheUnsavedResult_data() {
            return [
                { tag: "unsaved result", unsaved: true, path: "/cache/repair-output/session-1/task/result.drcache", note: "#B54708" },
                { tag: "nothing unsaved", unsaved: false, path: "", note: "#78877F" }
            ]
        }

        function test_cacheOperationsPassTheUnsavedResult(data) {
            workflow.hasUnsavedResult = data.unsaved
            page.section = "repair"
            sameColor(item("cacheProtectionNote").color, data.note, "protection note")

            click("enforceLimitButton")
            compare(settings.callsOf("enforceCacheLimit"), [["enforceCacheLimit", data.path]])

            click("clearExpiredButton")
            const dialog = item("cacheConfirmDialog")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "confirmButton"))
            compare(settings.callsOf("clearExpiredCache"), [["clearExpiredCache", data.path]])
            tryVerify(() => !dialog.visible)

            const field = item("cacheLimitField")
            field.forceActiveFocus()
            field.selectAll()
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_1)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_Return)
            compare(settings.cacheLimitMb, 1000)
            compare(settings.callsOf("enforceCacheLimit")[1], ["enforceCacheLimit", data.path])
        }

        function test_cacheButtonsWaitForARunningJob() {
            page.section = "repair"
            workflow.busy = true
            verify(!item("enforceLimitButton").enabled)
            verify(!item("clearExpiredButton").enabled)
            // The settings stay usable.
            verify(item("cacheLimitField").enabled)
            verify(item("openAfterSaveSwitch").enabled)
            workflow.busy = false
            verify(item("enforceLimitButton").enabled)
        }

        // The field never keeps a value that is not in effect: input the validator does not accept
        // goes back to the service's limit when the field is left, and a reset shows in it.
        function test_cacheLimitFieldShowsTheLimitInEffect() {
            page.section = "repair"
            const field = item("cacheLimitField")
            compare(field.text, "512")
            field.forceActiveFocus()
            field.selectAll()
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_5)
            keyClick(Qt.Key_0)
            compare(field.text, "50")
            keyClick(Qt.Key_Return) // not acceptable: editing does not finish
            compare(settings.callsOf("enforceCacheLimit").length, 0)
            item("openAfterSaveSwitch").forceActiveFocus()
            compare(field.text, "512")
            compare(settings.cacheLimitMb, 512)

            // Letters never enter the field.
            field.forceActiveFocus()
            field.selectAll()
            keyClick(Qt.Key_A)
            keyClick(Qt.Key_7)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            compare(field.text, "700")
            keyClick(Qt.Key_Tab)
            compare(settings.cacheLimitMb, 700)
            compare(field.text, "700")

            settings.resetDefaults()
            compare(field.text, "512")
        }

        // Switches and menus the user changed still follow the service afterwards.
        function test_controlsFollowTheServiceAfterUserChanges() {
            page.section = "repair"
            const openSwitch = item("openAfterSaveSwitch")
            mouseClick(openSwitch)
            verify(settings.openAfterSave)
            verify(openSwitch.checked)
            settings.openAfterSave = false // changed elsewhere
            verify(!openSwitch.checked)

            const behavior = item("saveBehaviorBox")
            behavior.forceActiveFocus()
            keyClick(Qt.Key_Down)
            compare(settings.defaultSaveBehavior, "last")
            compare(behavior.currentIndex, 1)

            page.section = "privacy"
            const diagnostics = item("diagnosticsSwitch")
            mouseClick(diagnostics)
            verify(settings.diagnosticsEnabled)
            compare(item("diagnosticsIcon").source.toString().indexOf("status-check.svg") >= 0, true)

            page.section = "general"
            const language = item("languageBox")
            language.forceActiveFocus()
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(settings.language, "en-US")

            settings.resetDefaults()
            verify(!openSwitch.checked)
            verify(!diagnostics.checked)
            compare(behavior.currentIndex, 0)
            compare(language.currentIndex, 0)
            compare(item("diagnosticsIcon").source.toString().indexOf("status-disabled.svg") >= 0, true)

            // A language changed by another path shows in the menu; an unknown one shows the first.
            settings.language = "ja-JP"
            compare(language.currentIndex, 6)
            settings.language = "pt-BR"
            compare(language.currentIndex, 0)
        }

        // A service that refuses a value: the switch shows what is in effect, not the click.
        function test_refusedValueIsNotShown() {
            page.section = "repair"
            const openSwitch = item("openAfterSaveSwitch")
            settings.openAfterSaveChanged.connect(function() { if (settings.openAfterSave) settings.openAfterSave = false })
            mouseClick(openSwitch)
            verify(!openSwitch.checked)
        }

        function test_lastSaveDirectory() {
            page.section = "repair"
            const label = item("lastSaveDirectoryLabel")
            compare(label.text, "尚未选择有效目录")
            sameColor(label.color, "#98A29D", "no folder")
            settings.lastSaveDirectory = "/home/u/<b>Saved</b>"
            settings.lastSaveDirectoryAvailable = true
            compare(label.text, "/home/u/<b>Saved</b>")
            compare(label.textFormat, Text.PlainText)
            sameColor(label.color, "#34473E", "folder")
        }

        function test_diagnosticsClearAsksFirst() {
            page.section = "privacy"
            compare(item("diagnosticsPathLabel").text, settings.diagnosticsPath)
            click("clearDiagnosticsButton")
            const dialog = item("diagnosticsConfirmDialog")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "cancelButton"))
            tryVerify(() => !dialog.visible)
            compare(settings.callsOf("clearDiagnosticData").length, 0)
            click("clearDiagnosticsButton")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "confirmButton"))
            compare(settings.callsOf("clearDiagnosticData").length, 1)
        }

        function test_resetAsksFirst() {
            click("resetButton")
            const dialog = item("resetConfirmDialog")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "confirmButton"))
            compare(settings.callsOf("resetDefaults").length, 1)
        }

        function test_legalDialogOpensOnEveryRequest() {
            page.section = "license"
            const dialog = item("legalDialog")
            click("noticesButton")
            tryVerify(() => dialog.opened)
            compare(dialog.title, "第三方软件声明")
            const text = findChild(dialog.contentItem, "legalText")
            compare(text.text, "<b>notices</b>")
            compare(text.textFormat, TextEdit.PlainText)
            verify(text.readOnly)
            mouseClick(findChild(dialog.contentItem, "legalCloseButton"))
            tryVerify(() => !dialog.visible)
            click("noticesButton")
            tryVerify(() => dialog.opened)
            mouseClick(findChild(dialog.contentItem, "legalCloseButton"))
            tryVerify(() => !dialog.visible)
            click("qtSourceButton")
            tryVerify(() => dialog.opened)
            compare(dialog.title, "获取对应 Qt 源码")
            compare(dialog.width, Math.min(page.width - 80, 780))
            compare(dialog.height, Math.min(page.height - 80, 640))
        }

        // The legal bodies are whole translated documents in each catalogue (a page made under a
        // language reads in it; this test engine does not retranslate pages already made).
        function test_legalBodiesAreTranslated_data() {
            return [
                { tag: "en-US", start: "Please read this agreement carefully", last: "7. Updates to this agreement", policy: "Privacy Policy" },
                { tag: "ja-JP", start: "Korvex ファイル修復（以下「本ソフトウェア」）", last: "七、契約の更新", policy: "プライバシー ポリシー" },
                { tag: "zh-CN", start: "请在使用 Korvex 文件修复", last: "七、协议更新", policy: "隐私政策" }
            ]
        }

        function test_legalBodiesAreTranslated(data) {
            verify(uiLanguage.apply(data.tag))
            const translated = createTemporaryObject(pageComponent, root, { settings: settings, workflow: workflow, section: "agreement" })
            const body = findChild(translated, "agreementCard")
            const text = findChild(body, "legalPageBody").text
            verify(text.startsWith(data.start), text.slice(0, 60))
            verify(text.indexOf(data.last) >= 0)
            compare(findChild(translated, "sectionButton_privacyPolicy").text, data.policy)
            uiLanguage.apply("zh-CN")
        }

        function test_narrowPagesStack() {
            page.section = "general"
            compare(item("generalGrid").columns, 2)
            page.section = "license"
            compare(item("licenseButtons").columns, 3)
            page.anchors.fill = undefined
            page.width = 900 // the scroll view gets less than 650
            waitForRendering(page)
            compare(item("licenseButtons").columns, 1)
            compare(item("generalGrid").columns, 2)
            page.width = 800 // and less than 570
            waitForRendering(page)
            compare(item("generalGrid").columns, 1)
            compare(item("repairGrid").columns, 1)
        }
    }
}
