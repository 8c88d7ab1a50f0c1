import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// Advanced repair: choose a healthy sample of the same device and format, let the analysis run
// with it, then repair with it.
ColumnLayout {
    id: advancedPanel
    objectName: "advancedPanel"
    spacing: 14

    // What the workflow controller reports, passed in by the page.
    required property string workflowState
    required property bool busy
    required property bool canRepair
    required property int progress
    required property string samplePath
    required property string status
    required property string inputIcon

    // Requests the page carries out.
    signal clearSampleRequested()
    signal repairRequested(string mode)
    signal backRequested()
    signal chooseSampleRequested()
    signal chooseFileRequested()

    function sampleFileName() {
        const parts = String(advancedPanel.samplePath).split(/[\\/]/)
        return parts[parts.length - 1]
    }

    readonly property bool sampleSelected: advancedPanel.samplePath !== ""
    readonly property bool sampleChecking: advancedPanel.workflowState === WorkflowState.analyzing
    // After a stopped repair the analysis with this sample still stands (the controller says so
    // through canRepair), so the sample stays accepted.
    readonly property bool sampleCompatible: advancedPanel.sampleSelected && advancedPanel.canRepair
        && (advancedPanel.workflowState === WorkflowState.analysisCompleted || advancedPanel.workflowState === WorkflowState.cancelled)
    readonly property bool sampleRejected: advancedPanel.sampleSelected && advancedPanel.workflowState === WorkflowState.failed

    // The analysis with a sample does not prove the sample compatible (most engines do not
    // open it while analysing), so the display says what ran, not what was verified.
    readonly property string look: advancedPanel.sampleCompatible ? "ready"
        : advancedPanel.sampleRejected ? "rejected"
        : advancedPanel.sampleChecking ? "checking"
        : "none"

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        AppButton {
            objectName: "advancedBackButton"
            Layout.alignment: Qt.AlignTop
            text: qsTranslate("RepairPage", "返回")
            variant: "secondary"
            compact: true
            iconSource: "assets/action-arrow-left.svg"
            onClicked: advancedPanel.backRequested()
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            Label {
                text: qsTranslate("RepairPage", "高级修复")
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontPanelHeading
                font.bold: true
            }
            Label {
                Layout.fillWidth: true
                text: qsTranslate("RepairPage", "使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。")
                color: Theme.textSecondary
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
                wrapMode: Text.Wrap
            }
        }
    }

    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 76
        radius: Theme.radiusInset
        color: Theme.cautionFill
        border.color: Theme.cautionBorder
        RowLayout {
            anchors.fill: parent
            anchors.margins: 13
            spacing: 12
            Image {
                Layout.preferredWidth: 28
                Layout.preferredHeight: 28
                source: "assets/status-warning.svg"
                sourceSize.width: 56
                sourceSize.height: 56
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    text: qsTranslate("RepairPage", "快速修复无法安全完成")
                    color: Theme.textCaution
                    font.family: Theme.fontFamily
                    font.bold: true
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。")
                    color: Theme.textCautionDetail
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontSmall
                    wrapMode: Text.Wrap
                }
            }
        }
    }

    Rectangle {
        objectName: "samplePanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.minimumHeight: 250
        radius: Theme.radiusSample
        color: Theme.subtleFill
        border.color: advancedPanel.look === "ready" ? Theme.successBorder : advancedPanel.look === "rejected" ? Theme.errorBorder : Theme.panelBorder

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 18
            spacing: 14

            RowLayout {
                Layout.fillWidth: true
                Label {
                    text: qsTranslate("RepairPage", "正常样本")
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontItemTitle
                    font.bold: true
                }
                Item {
                    Layout.fillWidth: true
                }
                Rectangle {
                    objectName: "samplePill"
                    Layout.preferredWidth: sampleStatus.implicitWidth + 24
                    Layout.preferredHeight: 28
                    radius: 14
                    color: advancedPanel.look === "ready" ? Theme.successFill
                        : advancedPanel.look === "rejected" ? Theme.errorFill
                        : advancedPanel.look === "checking" ? Theme.infoFill
                        : Theme.neutralPillFill
                    Label {
                        id: sampleStatus
                        objectName: "sampleStatus"
                        anchors.centerIn: parent
                        text: advancedPanel.look === "ready" ? qsTranslate("RepairPage", "已完成带样本的分析")
                            : advancedPanel.look === "rejected" ? qsTranslate("RepairPage", "带样本的分析未通过")
                            : advancedPanel.look === "checking" ? qsTranslate("RepairPage", "正在带样本分析…")
                            : qsTranslate("RepairPage", "尚未选择")
                        color: advancedPanel.look === "ready" ? Theme.textSuccess
                            : advancedPanel.look === "rejected" ? Theme.textError
                            : advancedPanel.look === "checking" ? Theme.textInfo
                            : Theme.textSecondary
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontSmall
                        font.bold: true
                    }
                }
            }

            Rectangle {
                objectName: "sampleCard"
                Layout.fillWidth: true
                // Taller only when the two hints need more lines than the card has.
                Layout.preferredHeight: Math.max(82, sampleCardRow.implicitHeight + 24)
                radius: Theme.radiusControl
                color: Theme.surface
                border.color: Theme.panelBorder
                RowLayout {
                    id: sampleCardRow
                    anchors.fill: parent
                    anchors.margins: 12
                    spacing: 10
                    Image {
                        objectName: "sampleIcon"
                        Layout.preferredWidth: 36
                        Layout.preferredHeight: 36
                        source: advancedPanel.sampleSelected ? advancedPanel.inputIcon : "assets/file-generic.svg"
                        sourceSize.width: 72
                        sourceSize.height: 72
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.minimumWidth: 0
                        spacing: 2
                        Label {
                            objectName: "sampleName"
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            Layout.minimumWidth: 0
                            text: advancedPanel.sampleSelected ? advancedPanel.sampleFileName() : qsTranslate("RepairPage", "请选择同设备、同格式的正常文件")
                            // A file name is elided in its middle; the hint in its place is read whole.
                            elide: advancedPanel.sampleSelected ? Text.ElideMiddle : Text.ElideNone
                            wrapMode: advancedPanel.sampleSelected ? Text.NoWrap : Text.Wrap
                            color: Theme.textStrong
                            font.family: Theme.fontFamily
                            font.bold: true
                        }
                        Label {
                            objectName: "samplePathLabel"
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            Layout.minimumWidth: 0
                            text: advancedPanel.sampleSelected ? advancedPanel.samplePath : qsTranslate("RepairPage", "例如同一相机、录制设备或同一导出配置生成的正常文件")
                            elide: advancedPanel.sampleSelected ? Text.ElideMiddle : Text.ElideNone
                            wrapMode: advancedPanel.sampleSelected ? Text.NoWrap : Text.Wrap
                            color: Theme.textHint
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                        }
                    }
                    AppButton {
                        objectName: "chooseSampleButton"
                        text: advancedPanel.sampleSelected ? qsTranslate("RepairPage", "更换样本") : qsTranslate("RepairPage", "选择正常样本")
                        variant: "secondary"
                        compact: true
                        iconSource: "assets/action-folder-secondary.svg"
                        enabled: !advancedPanel.busy
                        onClicked: advancedPanel.chooseSampleRequested()
                    }
                    AppButton {
                        objectName: "removeSampleButton"
                        visible: advancedPanel.sampleSelected
                        text: qsTranslate("RepairPage", "移除")
                        variant: "secondary"
                        compact: true
                        enabled: !advancedPanel.busy
                        onClicked: advancedPanel.clearSampleRequested()
                    }
                }
            }

            ProgressBar {
                objectName: "sampleProgress"
                Layout.fillWidth: true
                visible: advancedPanel.sampleChecking
                from: 0
                to: 100
                value: advancedPanel.progress
            }

            Label {
                objectName: "sampleMessage"
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                font.family: Theme.fontFamily
                text: advancedPanel.look === "ready" ? qsTranslate("RepairPage", "已带样本完成分析，可以开始高级修复。")
                    : advancedPanel.look === "rejected" ? qsTranslate("RepairPage", "带样本的分析未通过：%1").arg(advancedPanel.status)
                    : advancedPanel.look === "checking" ? qsTranslate("RepairPage", "正在只读分析损坏文件，并参考所选样本…")
                    : qsTranslate("RepairPage", "选择样本后会自动重新分析；分析完成前不会启用修复按钮。")
                color: advancedPanel.look === "ready" ? Theme.textSuccess : advancedPanel.look === "rejected" ? Theme.textError : Theme.textSecondary
            }
            Item {
                Layout.fillHeight: true
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppButton {
            objectName: "advancedChangeInputButton"
            text: qsTranslate("RepairPage", "更换待修复文件")
            variant: "secondary"
            compact: true
            enabled: !advancedPanel.busy
            onClicked: advancedPanel.chooseFileRequested()
        }
        Item {
            Layout.fillWidth: true
        }
        DisabledTip {
            control: startAdvancedButton
            tip: advancedPanel.sampleSelected ? qsTranslate("RepairPage", "请等待带样本的分析完成") : qsTranslate("RepairPage", "请先选择正常样本")
            AppButton {
                id: startAdvancedButton
                objectName: "startAdvancedButton"
                anchors.fill: parent
                text: qsTranslate("RepairPage", "开始高级修复")
                iconSource: "assets/action-wrench.svg"
                enabled: advancedPanel.sampleCompatible
                onClicked: advancedPanel.repairRequested("advanced")
            }
        }
    }
}
