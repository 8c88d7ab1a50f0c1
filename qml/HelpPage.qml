import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtCore
import QtQuick.Layouts

// Usage help and the problem-report form. The settings service sends, copies and exports the
// report; the page only binds to it.
Item {
    id: page

    required property var settings
    required property var account
    property bool feedbackVisible: false
    property string outcome: ""
    property string ticket: ""

    readonly property bool validFeedback: description.text.trim().length > 0 && description.text.length <= 6000
    readonly property string systemInfo: {
        void page.settings.language // re-read when the language (the last line) changes
        return page.settings.feedbackSystemInfo()
    }
    readonly property string feedbackText: qsTr("反馈内容") + "\n\n" + description.text.trim()
        + (includeSystem.checked ? "\n\n" + qsTr("技术信息") + "\n" + page.systemInfo : "")

    signal navigate(string destination)

    // An outcome shows where the user looks: the line below the buttons is scrolled into view.
    onOutcomeChanged: {
        if (page.outcome !== "")
            revealTimer.restart()
    }
    // After the layouts have placed the line that just appeared.
    Timer {
        id: revealTimer
        interval: 30
        onTriggered: page.revealOutcome()
    }
    function revealOutcome() {
        const flick = scroller.contentItem as Flickable
        const line = outcomeLine
        if (!line.visible)
            return
        const top = line.mapToItem(flick.contentItem, 0, 0).y
        if (top + line.height > flick.contentY + flick.height)
            flick.contentY = Math.max(0, Math.min(top + line.height + 8 - flick.height, flick.contentHeight - flick.height))
        else if (top < flick.contentY)
            flick.contentY = Math.max(0, top - 8)
    }

    // The export dialog opens with a file name filled in (so its button works at once) that is
    // practically never the name of an existing file.
    function openExportDialog() {
        let folder = String(exportDialog.currentFolder)
        if (folder === "")
            folder = String(StandardPaths.writableLocation(StandardPaths.DocumentsLocation))
        exportDialog.currentFolder = folder
        exportDialog.selectedFile = folder + "/korvex-feedback-" + Qt.formatDateTime(new Date(), "yyyyMMdd-HHmmss") + ".txt"
        exportDialog.open()
    }

    Connections {
        target: page.settings
        function onFeedbackFinished(result, ticket) {
            page.outcome = result
            page.ticket = ticket
        }
    }

    component HelpCard: Rectangle {
        id: card
        property string title
        property string body

        Layout.fillWidth: true
        implicitHeight: cardColumn.implicitHeight + 36
        color: Theme.surface
        border.color: Theme.cardBorder
        radius: Theme.radiusPanel

        ColumnLayout {
            id: cardColumn
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 18
            spacing: 8

            Label {
                Layout.fillWidth: true
                text: card.title
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSection
                font.bold: true
                wrapMode: Text.Wrap
            }
            Label {
                Layout.fillWidth: true
                text: card.body
                textFormat: Text.PlainText
                color: Theme.textSecondary
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontControl
                lineHeight: 1.3
                wrapMode: Text.Wrap
            }
        }
    }

    ScrollView {
        id: scroller
        objectName: "helpScroll"
        anchors.fill: parent
        anchors.margins: 26
        clip: true
        contentWidth: availableWidth
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

        ColumnLayout {
            width: scroller.availableWidth
            spacing: 16

            Label {
                Layout.fillWidth: true
                text: qsTr("帮助与反馈")
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontPageTitle
                font.bold: true
                wrapMode: Text.Wrap
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                AppButton {
                    objectName: "helpViewButton"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    text: qsTr("使用帮助")
                    variant: page.feedbackVisible ? "secondary" : "primary"
                    onClicked: page.feedbackVisible = false
                }
                AppButton {
                    objectName: "feedbackViewButton"
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    text: qsTr("问题反馈")
                    variant: page.feedbackVisible ? "primary" : "secondary"
                    onClicked: page.feedbackVisible = true
                }
            }

            // --- Help ---
            ColumnLayout {
                objectName: "helpView"
                Layout.fillWidth: true
                visible: !page.feedbackVisible
                spacing: 12

                HelpCard {
                    title: qsTr("如何修复文件？")
                    body: qsTr("选择受损文件 → 开始分析 → 执行修复 → 预览并保存到新位置。修复不会覆盖原文件，请保留原始备份。")
                }
                HelpCard {
                    title: qsTr("支持哪些文件？")
                    body: qsTr("支持图片（含相机 RAW）、视频、音频，以及 PDF、Word、Excel、PowerPoint、RTF、文本等文档。修复效果取决于损坏程度；已丢失的数据不一定能够恢复。")
                }
                HelpCard {
                    title: qsTr("修复完成后为什么仍需保存？")
                    body: qsTr("预览中的结果仍是临时文件。请使用“保存修复结果”另存到自己的目录；关闭程序或重新修复会清除未保存的结果。保存后请用目标应用再次验证。")
                }
                HelpCard {
                    title: qsTr("文件会被上传吗？")
                    body: qsTr("分析、修复和预览都在这台电脑上完成。登录使用在线账号服务，但不会上传正在修复的文件。请勿在反馈中填写密码、验证码或敏感文件内容。")
                }

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 10
                    AppButton {
                        objectName: "goRepairButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: qsTr("文件修复")
                        variant: "primary"
                        onClicked: page.navigate("repair")
                    }
                    AppButton {
                        objectName: "goSettingsButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: qsTr("设置")
                        variant: "secondary"
                        onClicked: page.navigate("settings")
                    }
                }
            }

            // --- Feedback ---
            ColumnLayout {
                objectName: "feedbackView"
                Layout.fillWidth: true
                visible: page.feedbackVisible
                spacing: 14

                Label {
                    Layout.fillWidth: true
                    text: qsTr("点击“提交反馈”后，填写的内容将发送至 Korvex 支持后台。请勿填写敏感信息；复制和导出不会发送。")
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTr("请描述问题、重现步骤和预期结果（最多 6000 字符）。请勿包含密码、验证码或敏感文件内容。")
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }

                ScrollView {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 180
                    clip: true

                    TextArea {
                        id: description
                        objectName: "feedbackDescription"
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        placeholderText: qsTr("例如：执行了哪些操作？出现了什么错误？")
                        placeholderTextColor: Theme.textDisabled
                        color: Theme.textTitle
                        padding: 12
                        selectByMouse: true
                        enabled: !page.settings.feedbackBusy
                        font.family: Theme.fontFamily
                        onTextChanged: page.outcome = ""
                        background: Rectangle {
                            color: Theme.surface
                            border.color: Theme.controlBorder
                            radius: Theme.radiusControl
                        }
                    }
                }

                Label {
                    objectName: "feedbackCounter"
                    Layout.fillWidth: true
                    text: qsTr("%1 / 6000 字符").arg(description.text.length)
                    color: description.text.length > 6000 ? Theme.textError : Theme.textSecondary
                    font.family: Theme.fontFamily
                }

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    CheckBox {
                        id: includeSystem
                        objectName: "includeSystem"
                        enabled: !page.settings.feedbackBusy
                        Accessible.name: includeSystemLabel.text
                        onCheckedChanged: page.outcome = ""
                    }
                    Label {
                        id: includeSystemLabel
                        Layout.fillWidth: true
                        text: qsTr("附加技术信息：仅包含应用、Qt、操作系统版本、架构和界面语言，不包含账户、文件、路径或日志。")
                        color: Theme.textSecondary
                        font.family: Theme.fontFamily
                        wrapMode: Text.Wrap
                    }
                }

                Label {
                    objectName: "systemInfoLabel"
                    Layout.fillWidth: true
                    visible: includeSystem.checked
                    text: page.systemInfo
                    textFormat: Text.PlainText
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 10
                    AppButton {
                        objectName: "submitFeedbackButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: page.settings.feedbackBusy ? qsTr("正在提交…") : qsTr("提交反馈")
                        enabled: page.validFeedback && !page.settings.feedbackBusy && page.outcome !== "submitted"
                        onClicked: page.settings.submitFeedback(page.account.apiBaseUrl, description.text, includeSystem.checked)
                    }
                    AppButton {
                        objectName: "copyFeedbackButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: qsTr("复制反馈")
                        enabled: page.validFeedback && !page.settings.feedbackBusy
                        onClicked: page.outcome = page.settings.copyFeedback(page.feedbackText) ? "copied" : "error"
                    }
                    AppButton {
                        objectName: "exportFeedbackButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: qsTr("导出反馈")
                        variant: "secondary"
                        enabled: page.validFeedback
                        onClicked: page.openExportDialog()
                    }
                }

                Label {
                    id: outcomeLine
                    objectName: "feedbackOutcome"
                    Layout.fillWidth: true
                    visible: text.length > 0
                    text: page.outcomeText(page.outcome, page.ticket)
                    textFormat: Text.PlainText
                    color: page.outcome === "error" ? Theme.textError : Theme.textSuccess
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
            }
        }
    }

    function outcomeText(outcome, ticket) {
        switch (outcome) {
        case "submitted": return qsTr("反馈已提交，编号：%1").arg(ticket)
        case "limited": return qsTr("提交过于频繁，请稍后再试。")
        case "copied": return qsTr("已复制到剪贴板，尚未发送。")
        case "saved": return qsTr("反馈已保存到所选文件，尚未发送。")
        case "error": return qsTr("操作未完成。请检查网络或保存位置，稍后重试；也可复制或导出反馈。")
        default: return ""
        }
    }

    // Saves a report the user chose to keep; the page's outcome line tells how it went.
    function exportTo(fileUrl) {
        page.outcome = page.settings.saveFeedback(fileUrl, page.feedbackText) ? "saved" : "error"
    }

    FileDialog {
        id: exportDialog
        objectName: "exportDialog"
        title: qsTr("导出反馈")
        fileMode: FileDialog.SaveFile
        acceptLabel: qsTr("导出反馈")
        defaultSuffix: "txt"
        nameFilters: [qsTr("文本文件 (*.txt)")]
        onAccepted: page.exportTo(selectedFile)
    }
}
