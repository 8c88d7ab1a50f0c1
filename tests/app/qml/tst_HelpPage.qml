import QtQuick
import QtTest
import QtQuick.Controls
import Korvex.FileRepair

Item {
    id: root
    width: 1000
    height: 900

    // Stands in for the settings service's feedback side: recording operations and its signal.
    Component {
        id: settingsComponent
        QtObject {
            property string language: "zh-CN"
            property bool feedbackBusy: false
            property bool copyResult: true
            property bool saveResult: true
            property var calls: []
            signal feedbackFinished(string result, string ticket)

            function record(name, args) { calls = calls.concat([[name].concat(Array.prototype.slice.call(args))]) }
            function feedbackSystemInfo() { return "Korvex File Repair 1.0.4.0\nQt: 6.4.2\nOS: debian 12\nArchitecture: x86_64\nLanguage: " + language }
            function submitFeedback(base, message, includeSystem) { record("submitFeedback", arguments) }
            function copyFeedback(text) { record("copyFeedback", arguments); return copyResult }
            function saveFeedback(url, text) { record("saveFeedback", arguments); return saveResult }
            function callsOf(name) { return calls.filter(c => c[0] === name) }
        }
    }

    Component {
        id: accountComponent
        QtObject {
            property url apiBaseUrl: "http://127.0.0.1:8080/api"
        }
    }

    Component {
        id: pageComponent
        HelpPage { anchors.fill: parent }
    }

    SignalSpy { id: navigateSpy; signalName: "navigate" }

    TestCase {
        name: "HelpPage"
        when: windowShown

        property var settings
        property var account
        property var page

        function init() {
            settings = createTemporaryObject(settingsComponent, root)
            account = createTemporaryObject(accountComponent, root)
            page = createTemporaryObject(pageComponent, root, { settings: settings, account: account })
            verify(page)
            navigateSpy.target = page
            navigateSpy.clear()
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

        function openForm(text) {
            page.feedbackVisible = true
            item("feedbackDescription").text = text
        }

        function test_viewsAndShortcuts() {
            verify(item("helpView").visible)
            verify(!item("feedbackView").visible)
            compare(item("helpViewButton").variant, "primary")
            mouseClick(item("goRepairButton"))
            mouseClick(item("goSettingsButton"))
            compare(navigateSpy.count, 2)
            compare(navigateSpy.signalArguments[0][0], "repair")
            compare(navigateSpy.signalArguments[1][0], "settings")
            mouseClick(item("feedbackViewButton"))
            verify(page.feedbackVisible)
            verify(item("feedbackView").visible)
            compare(item("feedbackViewButton").variant, "primary")
            compare(item("helpViewButton").variant, "secondary")
        }

        function test_limits_data() {
            return [
                { tag: "empty", text: "", valid: false },
                { tag: "spaces only", text: "   \n  ", valid: false },
                { tag: "6000 characters", text: "x".repeat(6000), valid: true },
                { tag: "6001 characters", text: "x".repeat(6001), valid: false },
                { tag: "padded", text: "  x  ", valid: true }
            ]
        }

        function test_limits(data) {
            openForm(data.text)
            compare(page.validFeedback, data.valid)
            compare(item("submitFeedbackButton").enabled, data.valid)
            compare(item("copyFeedbackButton").enabled, data.valid)
            compare(item("exportFeedbackButton").enabled, data.valid)
            compare(item("feedbackCounter").text, data.text.length + " / 6000 字符")
            sameColor(item("feedbackCounter").color, data.text.length > 6000 ? "#B42318" : "#66756E", "counter")
        }

        function test_feedbackTextLayout() {
            openForm("  Vorschau bleibt leer \n")
            compare(page.feedbackText, "反馈内容\n\nVorschau bleibt leer")
            verify(!item("systemInfoLabel").visible)
            mouseClick(item("includeSystem"))
            verify(item("systemInfoLabel").visible)
            compare(page.feedbackText, "反馈内容\n\nVorschau bleibt leer\n\n技术信息\n" + settings.feedbackSystemInfo())
            // A language switch shows in the system lines at once.
            settings.language = "de-DE"
            verify(page.systemInfo.endsWith("Language: de-DE"))
            verify(page.feedbackText.endsWith("Language: de-DE"))

            mouseClick(item("copyFeedbackButton"))
            compare(settings.callsOf("copyFeedback"), [["copyFeedback", page.feedbackText]])
            compare(page.outcome, "copied")
            compare(item("feedbackOutcome").text, "已复制到剪贴板，尚未发送。")
        }

        function test_submitSendsTheUntrimmedDescription() {
            openForm(" Absturz ")
            mouseClick(item("includeSystem"))
            mouseClick(item("submitFeedbackButton"))
            const calls = settings.callsOf("submitFeedback")
            compare(calls.length, 1)
            compare(calls[0][1].toString(), "http://127.0.0.1:8080/api")
            compare(calls[0][2], " Absturz ")
            compare(calls[0][3], true)

            settings.feedbackFinished("submitted", "FR-0123456789abcdef0123456789abcdef")
            compare(item("feedbackOutcome").text, "反馈已提交，编号：FR-0123456789abcdef0123456789abcdef")
            sameColor(item("feedbackOutcome").color, "#087A40", "success")
            verify(!item("submitFeedbackButton").enabled)
            // Editing clears the outcome and allows sending again.
            item("feedbackDescription").text = " Absturz! "
            compare(page.outcome, "")
            verify(!item("feedbackOutcome").visible)
            verify(item("submitFeedbackButton").enabled)
        }

        function test_busyDisablesEditingButNotExport() {
            openForm("report")
            settings.feedbackBusy = true
            verify(!item("feedbackDescription").enabled)
            verify(!item("includeSystem").enabled)
            verify(!item("submitFeedbackButton").enabled)
            verify(!item("copyFeedbackButton").enabled)
            verify(item("exportFeedbackButton").enabled)
            compare(item("submitFeedbackButton").text, "正在提交…")
            settings.feedbackBusy = false
            compare(item("submitFeedbackButton").text, "提交反馈")
        }

        function test_outcomeLines_data() {
            return [
                { tag: "limited", text: "提交过于频繁，请稍后再试。", color: "#087A40" },
                { tag: "error", text: "操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。", color: "#B42318" }
            ]
        }

        function test_outcomeLines(data) {
            openForm("report")
            settings.feedbackFinished(data.tag, "")
            compare(item("feedbackOutcome").text, data.text)
            sameColor(item("feedbackOutcome").color, data.color, data.tag)
            mouseClick(item("includeSystem")) // a change of the check box clears it too
            compare(page.outcome, "")
        }

        function test_failedCopyAndExport() {
            openForm("report")
            settings.copyResult = false
            mouseClick(item("copyFeedbackButton"))
            compare(page.outcome, "error")
            page.exportTo("file:///tmp/feedback.txt")
            compare(page.outcome, "saved")
            compare(item("feedbackOutcome").text, "反馈已保存到所选文件，尚未发送。")
            compare(settings.callsOf("saveFeedback")[0][2], page.feedbackText)
            settings.saveResult = false
            page.exportTo("file:///tmp/feedback.txt")
            compare(page.outcome, "error")
        }

        function test_exportDialog() {
            const dialog = item("exportDialog")
            compare(dialog.title, "导出反馈")
            compare(dialog.defaultSuffix, "txt")
            compare(dialog.nameFilters, ["文本文件 (*.txt)"])
            compare(dialog.acceptLabel, "导出反馈")
            // The dialog opens with a file name, so accepting it at once writes the report there.
            openForm("report")
            mouseClick(item("exportFeedbackButton"))
            tryVerify(() => dialog.visible)
            const chosen = String(dialog.selectedFile)
            verify(/\/korvex-feedback-\d{8}-\d{6}\.txt$/.test(chosen), chosen)
            dialog.accept()
            compare(settings.callsOf("saveFeedback").length, 1)
            compare(String(settings.callsOf("saveFeedback")[0][1]), chosen)
            compare(page.outcome, "saved")
        }

        // The outcome line is scrolled into view, also when the form is taller than the page.
        function test_outcomeScrolledIntoView() {
            page.anchors.fill = undefined
            page.width = 700
            page.height = 150
            openForm("report")
            waitForRendering(page)
            settings.feedbackFinished("error", "")
            const line = item("feedbackOutcome")
            const scroll = findChild(page, "helpScroll").contentItem
            tryVerify(() => {
                const top = line.mapToItem(scroll, 0, 0).y
                return top >= 0 && top + line.height <= scroll.height
            }, 3000, "outcome line outside the view")
        }
    }
}
