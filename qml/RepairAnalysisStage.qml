import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The analysis stage: the file, the verdict pill, the findings list and the quick repair.
ColumnLayout {
    id: analysisStage
    objectName: "analysisStage"
    spacing: 12

    // What the workflow controller reports, passed in by the page.
    required property string workflowState
    required property bool busy
    required property bool canRepair
    required property bool canAnalyze
    required property string inputName
    required property string inputSizeText
    required property int progress
    required property string repairability
    required property string samplePath
    required property bool sampleRequired
    required property string status
    // The page's one read of the findings: every read rebuilds and translates the whole list.
    required property var findings
    required property int findingCount
    required property string inputIcon
    // The rows of the list: identical findings (same severity, text and subject) once, with how
    // often they were reported, in the order they first appear.
    readonly property var findingRows: analysisStage.groupFindings(analysisStage.findings)

    function groupFindings(list) {
        const rows = []
        const index = {}
        for (let i = 0; list && i < list.length; ++i) {
            const entry = list[i]
            const subject = entry.subject === undefined ? "" : String(entry.subject)
            const key = Number(entry.severityCode) + "\n" + String(entry.message) + "\n" + subject
            if (index[key] !== undefined) {
                rows[index[key]].count += 1
                continue
            }
            index[key] = rows.length
            rows.push({ message: String(entry.message), subject: subject, severityCode: Number(entry.severityCode), count: 1 })
        }
        return rows
    }

    // A stopped analysis leaves nothing to repair from: the file is offered for analysis again.
    readonly property bool analysisStopped: analysisStage.workflowState === WorkflowState.cancelled && !analysisStage.canRepair

    // Damage that the quick repair cannot mend (a sample is needed, or a warning or error the
    // engine cannot repair) is never shown as good news.
    readonly property bool damageStands: analysisStage.sampleRequired
        || (analysisStage.findings ? analysisStage.findings.some(f => f.severityCode >= 1 && f.repairable === false) : false)

    // Requests the page carries out.
    signal repairRequested(string mode)
    signal analyzeRequested()
    signal chooseFileRequested()
    signal advancedRepairRequested()

    RowLayout {
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 12

        Image {
            objectName: "analysisFileIcon"
            Layout.preferredWidth: 44
            Layout.preferredHeight: 44
            source: analysisStage.inputIcon
            sourceSize.width: 88
            sourceSize.height: 88
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            spacing: 2
            Label {
                id: analysisFileName
                objectName: "analysisFileName"
                textFormat: Text.PlainText
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                text: analysisStage.inputName
                elide: Text.ElideMiddle
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontItemTitle
                font.bold: true
                HoverHandler {
                    id: fileNameHover
                }
                PlainToolTip {
                    visible: fileNameHover.hovered && analysisFileName.truncated
                    text: analysisStage.inputName
                }
            }
            Label {
                Layout.fillWidth: true
                text: analysisStage.inputSizeText
                color: Theme.textHint
                font.family: Theme.fontFamily
            }
        }
        ColumnLayout {
            Layout.minimumWidth: 0
            Layout.preferredWidth: 220
            Layout.maximumWidth: 220
            spacing: 7

            Rectangle {
                objectName: "analysisStatePill"
                Layout.fillWidth: true
                // A longer verdict wraps and the pill grows, rather than cutting the verdict.
                Layout.preferredHeight: Math.max(30, analysisStateLabel.implicitHeight + 12)
                radius: 15
                clip: true
                color: analysisStage.workflowState === WorkflowState.analyzing ? Theme.infoFill
                     : analysisStage.workflowState === WorkflowState.failed ? Theme.errorFill
                     : analysisStage.damageStands ? Theme.warningFill : Theme.successFill

                Label {
                    id: analysisStateLabel
                    objectName: "analysisStateLabel"
                    anchors.fill: parent
                    anchors.leftMargin: 14
                    anchors.rightMargin: 14
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    wrapMode: Text.WordWrap
                    text: analysisStage.workflowState === WorkflowState.analyzing ? qsTranslate("RepairPage", "分析中…")
                        : analysisStage.workflowState === WorkflowState.failed ? qsTranslate("RepairPage", "当前无法自动修复")
                        : analysisStage.repairability
                    color: analysisStage.workflowState === WorkflowState.analyzing ? Theme.textInfo
                         : analysisStage.workflowState === WorkflowState.failed ? Theme.textError
                         : analysisStage.damageStands ? Theme.textWarning : Theme.textSuccess
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontSmall
                    font.bold: true
                }
            }
            AppButton {
                objectName: "advancedRepairButton"
                Layout.fillWidth: true
                visible: analysisStage.workflowState === WorkflowState.failed || analysisStage.samplePath !== ""
                         || analysisStage.sampleRequired
                enabled: !analysisStage.busy
                text: qsTranslate("RepairPage", "高级修复")
                variant: "secondary"
                compact: true
                iconSource: "assets/action-wrench.svg"
                onClicked: analysisStage.advancedRepairRequested()
            }
        }
    }

    ProgressTrack {
        objectName: "analysisProgress"
        Layout.fillWidth: true
        visible: analysisStage.workflowState === WorkflowState.analyzing
        trackHeight: 8
        value: analysisStage.progress
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 8
        Label {
            text: qsTranslate("RepairPage", "诊断结果")
            color: Theme.textTitle
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontSection
            font.bold: true
        }
        Item {
            Layout.fillWidth: true
        }
        Label {
            objectName: "analysisVerdict"
            textFormat: Text.PlainText
            Layout.minimumWidth: 0
            Layout.maximumWidth: 340
            text: analysisStage.workflowState === WorkflowState.failed || analysisStage.sampleRequired
                  ? analysisStage.status : analysisStage.repairability
            color: analysisStage.workflowState === WorkflowState.failed ? Theme.textError : Theme.textSecondary
            horizontalAlignment: Text.AlignRight
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontSmall
        }
    }

    Rectangle {
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.minimumHeight: 160
        color: Theme.surface
        radius: Theme.radiusInset
        border.color: Theme.panelBorder

        ListView {
            id: findingsList
            objectName: "findingsList"
            anchors.fill: parent
            anchors.margins: 4
            clip: true
            model: analysisStage.findingRows
            ScrollBar.vertical: ScrollBar {}

            delegate: Item {
                id: findingRow
                objectName: "findingRow"
                required property var modelData
                readonly property int severityCode: Number(findingRow.modelData.severityCode)

                width: findingRow.ListView.view.width
                height: Math.max(62, findingContent.implicitHeight + 20)

                RowLayout {
                    id: findingContent
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    spacing: 10

                    Image {
                        objectName: "severityIcon"
                        Layout.preferredWidth: 26
                        Layout.preferredHeight: 26
                        Layout.alignment: Qt.AlignTop
                        source: findingRow.severityCode === 2 ? "assets/status-error.svg"
                            : findingRow.severityCode === 1 ? "assets/status-warning.svg"
                            : "assets/info-circle.svg"
                        sourceSize.width: 52
                        sourceSize.height: 52
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 1
                        RowLayout {
                            Layout.fillWidth: true
                            spacing: 8
                            Label {
                                objectName: "findingMessage"
                                textFormat: Text.PlainText
                                Layout.fillWidth: true
                                text: findingRow.modelData.message
                                wrapMode: Text.Wrap
                                color: Theme.textStrong
                                font.family: Theme.fontFamily
                                font.bold: true
                            }
                            Label {
                                objectName: "findingCount"
                                Layout.alignment: Qt.AlignTop
                                visible: findingRow.modelData.count > 1
                                text: "× " + findingRow.modelData.count
                                color: Theme.textSecondary
                                font.family: Theme.fontFamily
                                font.bold: true
                            }
                        }
                        Label {
                            objectName: "findingSubject"
                            textFormat: Text.PlainText
                            Layout.fillWidth: true
                            visible: text !== ""
                            text: findingRow.modelData.subject
                            elide: Text.ElideMiddle
                            color: Theme.textSecondary
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                        }
                        Label {
                            Layout.fillWidth: true
                            text: qsTranslate("RepairPage", "修复过程中将保持原始文件只读")
                            wrapMode: Text.Wrap
                            color: Theme.textCaption
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                        }
                    }
                }
                Rectangle {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    height: 1
                    color: Theme.listDivider
                }
            }

            Label {
                objectName: "findingsEmptyLabel"
                anchors.centerIn: parent
                visible: analysisStage.findingCount === 0
                text: analysisStage.workflowState === WorkflowState.analyzing ? qsTranslate("RepairPage", "正在读取文件结构…") : qsTranslate("RepairPage", "未发现结构化损坏项")
                color: Theme.textFaint
                font.family: Theme.fontFamily
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 8
        AppButton {
            objectName: "analysisChangeFileButton"
            text: qsTranslate("RepairPage", "更换文件")
            variant: "secondary"
            compact: true
            enabled: !analysisStage.busy
            onClicked: analysisStage.chooseFileRequested()
        }
        Item {
            Layout.fillWidth: true
        }
        AppButton {
            objectName: "analysisRestartButton"
            visible: analysisStage.analysisStopped
            text: qsTranslate("RepairPage", "开始分析")
            compact: true
            iconSource: "assets/action-analyze.svg"
            enabled: analysisStage.canAnalyze
            onClicked: analysisStage.analyzeRequested()
        }
        DisabledTip {
            visible: !analysisStage.analysisStopped
            control: quickRepairButton
            tip: analysisStage.workflowState === WorkflowState.failed ? analysisStage.status : qsTranslate("RepairPage", "请先完成文件分析")
            AppButton {
                id: quickRepairButton
                objectName: "quickRepairButton"
                anchors.fill: parent
                text: analysisStage.workflowState === WorkflowState.failed ? qsTranslate("RepairPage", "暂不可修复") : qsTranslate("RepairPage", "快速修复")
                compact: true
                iconSource: "assets/action-wrench.svg"
                enabled: analysisStage.canRepair && analysisStage.samplePath === ""
                onClicked: analysisStage.repairRequested("quick")
            }
        }
    }
}
