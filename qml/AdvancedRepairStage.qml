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
    readonly property bool sampleCompatible: advancedPanel.sampleSelected && advancedPanel.workflowState === WorkflowState.analysisCompleted && advancedPanel.canRepair
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
                color: "#10261B"
                font.family: ApplicationFont.family
                font.pixelSize: 22
                font.bold: true
            }
            Label {
                Layout.fillWidth: true
                text: qsTranslate("RepairPage", "使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。")
                color: "#66756E"
                font.family: ApplicationFont.family
                font.pixelSize: 12
                wrapMode: Text.Wrap
            }
        }
    }

    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 76
        radius: 9
        color: "#FFF8ED"
        border.color: "#F5D39C"
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
                    color: "#8A4B08"
                    font.family: ApplicationFont.family
                    font.bold: true
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。")
                    color: "#8A5B24"
                    font.family: ApplicationFont.family
                    font.pixelSize: 12
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
        radius: 10
        color: "#FBFCFB"
        border.color: advancedPanel.look === "ready" ? "#7BD3A2" : advancedPanel.look === "rejected" ? "#FDA29B" : "#DDE5E1"

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: 18
            spacing: 14

            RowLayout {
                Layout.fillWidth: true
                Label {
                    text: qsTranslate("RepairPage", "正常样本")
                    color: "#10261B"
                    font.family: ApplicationFont.family
                    font.pixelSize: 17
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
                    color: advancedPanel.look === "ready" ? "#ECF9F1"
                        : advancedPanel.look === "rejected" ? "#FEF3F2"
                        : advancedPanel.look === "checking" ? "#EEF4FF"
                        : "#F0F3F1"
                    Label {
                        id: sampleStatus
                        objectName: "sampleStatus"
                        anchors.centerIn: parent
                        text: advancedPanel.look === "ready" ? qsTranslate("RepairPage", "已完成带样本的分析")
                            : advancedPanel.look === "rejected" ? qsTranslate("RepairPage", "带样本的分析未通过")
                            : advancedPanel.look === "checking" ? qsTranslate("RepairPage", "正在带样本分析…")
                            : qsTranslate("RepairPage", "尚未选择")
                        color: advancedPanel.look === "ready" ? "#087A40"
                            : advancedPanel.look === "rejected" ? "#B42318"
                            : advancedPanel.look === "checking" ? "#175CD3"
                            : "#66756E"
                        font.family: ApplicationFont.family
                        font.pixelSize: 12
                        font.bold: true
                    }
                }
            }

            Rectangle {
                Layout.fillWidth: true
                Layout.preferredHeight: 82
                radius: 8
                color: "#FFFFFF"
                border.color: "#DDE5E1"
                RowLayout {
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
                            Layout.fillWidth: true
                            Layout.minimumWidth: 0
                            text: advancedPanel.sampleSelected ? advancedPanel.sampleFileName() : qsTranslate("RepairPage", "请选择同设备、同格式的正常文件")
                            elide: Text.ElideMiddle
                            color: "#263B31"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            objectName: "samplePathLabel"
                            Layout.fillWidth: true
                            Layout.minimumWidth: 0
                            text: advancedPanel.sampleSelected ? advancedPanel.samplePath : qsTranslate("RepairPage", "例如同一相机、录制设备或同一导出配置生成的正常文件")
                            elide: Text.ElideMiddle
                            color: "#78877F"
                            font.family: ApplicationFont.family
                            font.pixelSize: 11
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
                font.family: ApplicationFont.family
                text: advancedPanel.look === "ready" ? qsTranslate("RepairPage", "已带样本完成分析，可以开始高级修复。")
                    : advancedPanel.look === "rejected" ? qsTranslate("RepairPage", "带样本的分析未通过：%1").arg(advancedPanel.status)
                    : advancedPanel.look === "checking" ? qsTranslate("RepairPage", "正在只读分析损坏文件，并参考所选样本…")
                    : qsTranslate("RepairPage", "选择样本后会自动重新分析；分析完成前不会启用修复按钮。")
                color: advancedPanel.look === "ready" ? "#087A40" : advancedPanel.look === "rejected" ? "#B42318" : "#66756E"
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
