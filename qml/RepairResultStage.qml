import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The result: the sealed preview, what was verified, and saving, exporting or starting over.
ColumnLayout {
    id: resultLayout
    objectName: "resultLayout"
    spacing: 12

    // What the workflow controller reports, passed in by the page.
    required property string category
    required property bool formatValid
    required property bool hasUnsavedResult
    required property string outputName
    required property string outputPath
    required property string outputSizeText
    required property string previewKind
    required property url previewUrl
    required property bool saved
    required property string status
    required property string validationMessage
    // What the user should know about the output before trusting it (engine notes, damage left).
    required property var warnings
    // Outcome of the last save or report export: "" (none yet), "ok" or "failed".
    required property string resultNotice

    // Requests the page carries out: it owns the controller, the save rule and the dialogs.
    signal revealRequested()
    signal saveRequested()
    signal exportReportRequested()
    signal startOverRequested()

    function validationLabel(key) {
        switch (key) {
        case "sameSource": return qsTranslate("RepairPage", "同源数据已恢复")
        case "safePreview": return qsTranslate("RepairPage", "安全预览可用")
        case "extensionFailed": return qsTranslate("RepairPage", "扩展名格式未通过")
        case "dataNotEmpty": return qsTranslate("RepairPage", "恢复数据非空")
        case "originalUntouched": return qsTranslate("RepairPage", "原文件未修改")
        case "structureComplete": return qsTranslate("RepairPage", "结构完整")
        case "warningsStand": return qsTranslate("RepairPage", "存在需要注意的警告")
        default: return qsTranslate("RepairPage", "可正常解析")
        }
    }

    // The three checks shown for this kind of result, as fixed keys translated by validationLabel.
    // A warning that stands keeps the verdict from reading as a complete structure.
    readonly property bool warningsStand: resultLayout.formatValid && resultLayout.warnings !== undefined
                                          && resultLayout.warnings.length > 0
    readonly property var validationKeys: !resultLayout.formatValid ? ["sameSource", "safePreview", "extensionFailed"]
        : resultLayout.warningsStand ? ["warningsStand", "parses", "originalUntouched"]
        : resultLayout.binaryKind ? ["dataNotEmpty", "safePreview", "originalUntouched"]
        : ["structureComplete", "parses", "originalUntouched"]

    // One verification line: a tick, or a warning sign for the failed extension check.
    component ValidationRow: RowLayout {
        id: validationRow
        objectName: "validationRow" + validationRow.index
        required property int index
        required property string label
        required property bool warning
        Layout.fillWidth: true
        spacing: 6
        Image {
            objectName: "validationIcon"
            Layout.preferredWidth: 16
            Layout.preferredHeight: 16
            source: validationRow.warning ? "assets/status-warning.svg" : "assets/status-check.svg"
            sourceSize.width: 32
            sourceSize.height: 32
        }
        Label {
            objectName: "validationLabel"
            textFormat: Text.PlainText
            Layout.fillWidth: true
            text: validationRow.label
            wrapMode: Text.Wrap
            color: validationRow.warning ? Theme.textWarning : Theme.textSuccess
            font.family: Theme.fontFamily
            font.bold: true
        }
    }

    readonly property bool binaryKind: resultLayout.previewKind === "binary"

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Label {
                objectName: "resultHeading"
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                wrapMode: Text.Wrap
                text: resultLayout.formatValid
                      ? (resultLayout.saved ? qsTranslate("RepairPage", "修复完成，结果已保存") : qsTranslate("RepairPage", "修复完成，结果尚未保存"))
                      : (resultLayout.saved ? qsTranslate("RepairPage", "同源数据已恢复，结果已保存") : qsTranslate("RepairPage", "同源数据已恢复，结果尚未保存"))
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontResultHeading
                font.bold: true
            }
            Rectangle {
                objectName: "previewBadge"
                visible: !resultLayout.saved
                Layout.preferredWidth: previewBadgeText.implicitWidth + 20
                Layout.preferredHeight: 26
                radius: 13
                color: Theme.infoFill
                Label {
                    id: previewBadgeText
                    anchors.centerIn: parent
                    text: qsTranslate("RepairPage", "临时预览")
                    color: Theme.textInfo
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 6
            Image {
                Layout.preferredWidth: 18
                Layout.preferredHeight: 18
                source: "assets/verify-link.svg"
                sourceSize.width: 36
                sourceSize.height: 36
            }
            Label {
                objectName: "verificationLine"
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                wrapMode: Text.Wrap
                text: !resultLayout.formatValid ? qsTranslate("RepairPage", "格式声明异常，已启用安全数据预览")
                      : resultLayout.warningsStand ? qsTranslate("RepairPage", "已通过独立格式验证，但有警告需要注意")
                      : qsTranslate("RepairPage", "已通过独立格式验证")
                color: resultLayout.formatValid && !resultLayout.warningsStand ? Theme.textSuccess : Theme.textWarning
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                font.bold: true
            }
        }
    }

    GridLayout {
        id: resultPanels
        objectName: "resultPanels"
        Layout.fillWidth: true
        Layout.fillHeight: true
        columns: resultLayout.width >= 600 ? 2 : 1
        columnSpacing: 14
        rowSpacing: 14

        Rectangle {
            id: previewFrame
            objectName: "previewFrame"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: 0
            readonly property int minimumPreviewHeight: resultLayout.previewKind === "video" ? 460 : 360
            Layout.minimumHeight: previewFrame.minimumPreviewHeight
            radius: Theme.radiusInset
            color: Theme.previewFill
            border.color: Theme.panelBorder

            InternalPreview {
                id: internalPreview
                objectName: "repairResultPreview"
                anchors.fill: parent
                anchors.margins: 4
                kind: resultLayout.previewKind
                source: resultLayout.previewUrl
                fileName: resultLayout.outputName
            }
        }

        Rectangle {
            id: detailFrame
            objectName: "detailFrame"
            readonly property bool twoColumns: resultPanels.columns === 2
            Layout.preferredWidth: detailFrame.twoColumns ? 236 : resultLayout.width
            Layout.minimumWidth: detailFrame.twoColumns ? 236 : 0
            Layout.maximumWidth: detailFrame.twoColumns ? 236 : Infinity
            Layout.fillWidth: !detailFrame.twoColumns
            Layout.fillHeight: detailFrame.twoColumns
            Layout.minimumHeight: resultDetails.implicitHeight + 32
            radius: Theme.radiusInset
            color: Theme.surface
            border.color: Theme.panelBorder

            ColumnLayout {
                id: resultDetails
                anchors.fill: parent
                anchors.margins: 16
                spacing: 9

                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "输出文件")
                    wrapMode: Text.Wrap
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.bold: true
                }
                Label {
                    objectName: "outputNameLabel"
                    textFormat: Text.PlainText
                    Layout.fillWidth: true
                    text: resultLayout.outputName
                    elide: Text.ElideMiddle
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                    font.bold: true
                }
                Label {
                    textFormat: Text.PlainText
                    Layout.fillWidth: true
                    text: resultLayout.outputSizeText + "  ·  " + resultLayout.category
                    wrapMode: Text.Wrap
                    color: Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 1
                    color: Theme.rule
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "验证结果")
                    wrapMode: Text.Wrap
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.bold: true
                }
                ValidationRow {
                    index: 0
                    label: resultLayout.validationLabel(resultLayout.validationKeys[0])
                    warning: resultLayout.warningsStand
                }
                ValidationRow {
                    index: 1
                    label: resultLayout.validationLabel(resultLayout.validationKeys[1])
                    warning: false
                }
                ValidationRow {
                    index: 2
                    label: resultLayout.validationLabel(resultLayout.validationKeys[2])
                    warning: !resultLayout.formatValid
                }
                Label {
                    textFormat: Text.PlainText
                    Layout.fillWidth: true
                    text: resultLayout.validationMessage
                    visible: text !== ""
                    wrapMode: Text.Wrap
                    color: Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                }
                // The warning rows sit in a positioner, not in the layout itself, and are counted
                // rather than listed: a language switch re-reads the warnings, and rows that a
                // layout still holds must not be made anew and destroyed under it (Qt 6.4's
                // layouts then reach the destroyed rows). The texts update in place.
                Column {
                    id: warningColumn
                    objectName: "outputWarnings"
                    Layout.fillWidth: true
                    visible: warningRepeater.count > 0
                    spacing: 9
                    Repeater {
                        id: warningRepeater
                        model: resultLayout.formatValid && resultLayout.warnings !== undefined ? resultLayout.warnings.length : 0
                        delegate: RowLayout {
                            id: warningRow
                            objectName: "outputWarning" + warningRow.index
                            required property int index
                            width: warningColumn.width // qmllint disable unqualified
                            spacing: 6
                            Image {
                                Layout.alignment: Qt.AlignTop
                                Layout.preferredWidth: 14
                                Layout.preferredHeight: 14
                                source: "assets/status-warning.svg"
                                sourceSize.width: 28
                                sourceSize.height: 28
                            }
                            Label {
                                objectName: "outputWarningText"
                                Layout.fillWidth: true
                                text: resultLayout.warnings[warningRow.index] ?? "" // qmllint disable unqualified
                                textFormat: Text.PlainText
                                wrapMode: Text.Wrap
                                color: Theme.textWarning
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                            }
                        }
                    }
                }
                Item {
                    Layout.fillHeight: true
                }
                Rectangle {
                    objectName: "cacheNotice"
                    visible: resultLayout.hasUnsavedResult
                    Layout.fillWidth: true
                    Layout.preferredHeight: Math.max(62, cacheNoticeContent.implicitHeight + 20)
                    radius: Theme.radiusCompact
                    color: Theme.noteFill
                    border.color: Theme.noteBorder
                    RowLayout {
                        id: cacheNoticeContent
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 8
                        Image {
                            Layout.preferredWidth: 16
                            Layout.preferredHeight: 16
                            source: "assets/info-circle.svg"
                            sourceSize.width: 32
                            sourceSize.height: 32
                        }
                        Label {
                            Layout.fillWidth: true
                            text: qsTranslate("RepairPage", "当前结果仍在私有缓存，尚未保存到用户目录。")
                            wrapMode: Text.Wrap
                            color: Theme.textNote
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                        }
                    }
                }
            }
        }
    }

    Rectangle {
        objectName: "savedBar"
        readonly property bool shown: resultLayout.saved && resultLayout.outputPath !== ""
        visible: shown
        Layout.fillWidth: true
        Layout.preferredHeight: shown ? 42 : 0
        radius: Theme.radiusCompact
        color: Theme.savedFill
        border.color: Theme.savedBorder
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 12
            anchors.rightMargin: 6
            spacing: 8
            Image {
                Layout.preferredWidth: 16
                Layout.preferredHeight: 16
                source: "assets/status-check.svg"
                sourceSize.width: 32
                sourceSize.height: 32
            }
            Label {
                text: qsTranslate("RepairPage", "已保存到")
                color: Theme.textSuccess
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                font.bold: true
            }
            Label {
                id: savedPathLabel
                objectName: "savedPathLabel"
                textFormat: Text.PlainText
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                text: resultLayout.outputPath
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: Theme.textGhost
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                HoverHandler {
                    id: savedPathHover
                    acceptedButtons: Qt.NoButton
                }
                PlainToolTip {
                    visible: savedPathHover.hovered && savedPathLabel.truncated
                    delay: 400
                    text: resultLayout.outputPath
                }
            }
            AppButton {
                objectName: "revealButton"
                text: qsTranslate("RepairPage", "打开预览")
                variant: "ghost"
                compact: true
                iconSource: "assets/action-folder-secondary.svg"
                onClicked: resultLayout.revealRequested()
            }
        }
    }

    Label {
        objectName: "resultStatus"
        textFormat: Text.PlainText
        Layout.fillWidth: true
        visible: resultLayout.resultNotice !== ""
        text: resultLayout.status
        wrapMode: Text.Wrap
        color: resultLayout.resultNotice === "failed" ? Theme.textError
             : resultLayout.resultNotice === "saving" ? Theme.textSecondary : Theme.textSuccess
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontSmall
    }

    GridLayout {
        id: resultActions
        objectName: "resultActions"
        Layout.fillWidth: true
        // Four in a row where the stage is wide, or wherever the four texts fit in one row (so a
        // saved result keeps its buttons in view); else two rows of two.
        readonly property real widestAction: Math.max(saveButton.implicitWidth, resetPreviewButton.implicitWidth,
                                                      exportReportButton.implicitWidth, repairAgainButton.implicitWidth)
        columns: resultLayout.width >= 800 || 4 * widestAction + 3 * columnSpacing <= resultLayout.width ? 4 : 2
        columnSpacing: 6
        rowSpacing: 8

        AppButton {
            id: saveButton
            objectName: "saveButton"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: 0
            Layout.preferredWidth: 1
            text: qsTranslate("RepairPage", "保存修复结果")
            iconSource: "assets/action-save.svg"
            enabled: !resultLayout.saved
            onClicked: resultLayout.saveRequested()
        }
        AppButton {
            id: resetPreviewButton
            objectName: "resetPreviewButton"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: 0
            Layout.preferredWidth: 1
            text: qsTranslate("RepairPage", "重置预览")
            variant: "secondary"
            iconSource: "assets/action-preview.svg"
            onClicked: internalPreview.resetView()
        }
        AppButton {
            id: exportReportButton
            objectName: "exportReportButton"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: 0
            Layout.preferredWidth: 1
            text: qsTranslate("RepairPage", "导出报告")
            variant: "secondary"
            iconSource: "assets/action-report.svg"
            onClicked: resultLayout.exportReportRequested()
        }
        AppButton {
            id: repairAgainButton
            objectName: "repairAgainButton"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumWidth: 0
            Layout.preferredWidth: 1
            text: qsTranslate("RepairPage", "重新修复")
            variant: "secondary"
            iconSource: "assets/action-retry.svg"
            onClicked: resultLayout.startOverRequested()
        }
    }
}
