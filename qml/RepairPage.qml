import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Layouts

// The whole repair workflow on one page: choose a damaged file, analyse it read-only, repair it
// quickly or with a healthy sample, follow the progress, inspect, save or discard the result.
// Everything shown is bound to the workflow controller; the page itself only decides which of the
// five stages to show, and owns the dialogs and the save rule. Each stage is a file of its own
// (Repair*Stage.qml, AdvancedRepairStage.qml) whose texts keep this page's translation context.
Item {
    id: page

    required property var workflow
    required property var settings

    readonly property string workflowState: page.workflow.state
    readonly property bool resultStage: page.workflowState === WorkflowState.previewReady || page.workflowState === WorkflowState.saved
    property bool advancedRepairView: false
    readonly property int activeStep: page.resultStage ? 3
        : page.workflowState === WorkflowState.repairing ? 2
        : page.workflowState === WorkflowState.analysisCompleted || page.workflowState === WorkflowState.analyzing ? 1
        : 0

    // One read of the findings per change: every read rebuilds and translates the whole list.
    readonly property var findings: page.workflow.findings
    readonly property int findingCount: page.findings ? page.findings.length : 0

    readonly property string stageName: page.resultStage ? "result"
        : page.workflowState === WorkflowState.repairing ? "repairing"
        : page.advancedRepairView ? "advanced"
        : page.workflowState === WorkflowState.analysisCompleted || page.workflowState === WorkflowState.analyzing || page.findingCount > 0
          || page.workflow.sampleRequired ? "analysis"
        : "welcome"

    // Outcome of the last save or report export on the result stage: "" (none yet), "saving" (the
    // save runs; the status shows its progress), "ok" or "failed". The controller's status then
    // says what happened, also when it went wrong.
    property string resultNotice: ""

    onResultStageChanged: page.resultNotice = ""

    function fileIcon() {
        const name = String(page.workflow.inputName).toLowerCase()
        if (name.endsWith(".pdf") || page.workflow.previewKind === "pdf")
            return "assets/file-pdf.svg"
        if (/\.(doc|docx|xls|xlsx|ppt|pptx|txt|csv|xml|json|rtf)$/.test(name))
            return "assets/file-docx.svg"
        if (/\.(mp4|m4v|mov|wmv)$/.test(name))
            return "assets/file-video.svg"
        if (/\.(jpg|jpeg|png|bmp|gif|tif|tiff|webp|raw)$/.test(name))
            return "assets/file-image.svg"
        return "assets/file-generic.svg"
    }

    function stepLabel(step) {
        return [qsTr("选择文件"), qsTr("分析"), qsTr("修复"), qsTr("保存")][step]
    }

    function acceptInput(url) {
        page.advancedRepairView = false
        page.workflow.selectInput(url)
    }

    // How the save under way was asked for: "last" (the remembered folder, which falls back to the
    // folder dialog when it fails) or "dialog"; empty while none runs.
    property string pendingSave: ""

    function saveResultByRule() {
        if (page.settings.defaultSaveBehavior === "last" && page.settings.lastSaveDirectoryAvailable) {
            page.startSave(page.settings.lastSaveDirectoryUrl, "last")
            return
        }
        outputDialog.open()
    }

    function saveIntoFolder(folder) {
        page.settings.rememberSaveDirectory(folder)
        page.startSave(folder, "dialog")
    }

    // The controller writes the result off the GUI thread and tells the end by saveFinished; a
    // save it refuses at once ends here.
    function startSave(folder, rule) {
        if (page.workflow.busy || page.pendingSave !== "")
            return
        page.pendingSave = rule
        page.resultNotice = "saving"
        if (!page.workflow.saveResult(folder) && page.pendingSave === rule) {
            page.pendingSave = ""
            page.finishSave(false, rule)
        }
    }

    function finishSave(saved, rule) {
        page.resultNotice = saved ? "ok" : "failed"
        if (saved && page.settings.openAfterSave)
            page.workflow.revealResult()
        if (!saved && rule === "last")
            outputDialog.open()
    }

    Connections {
        target: page.workflow
        ignoreUnknownSignals: true
        function onSaveFinished(saved) {
            const rule = page.pendingSave
            if (rule === "")
                return
            page.pendingSave = ""
            page.finishSave(saved, rule)
        }
    }

    function exportReportInto(folder) {
        page.resultNotice = page.workflow.exportReport(folder) ? "ok" : "failed"
    }

    function startOver() {
        if (page.workflow.hasUnsavedResult)
            discardDialog.open()
        else
            page.workflow.reset()
    }

    ScrollView {
        id: repairScroll
        objectName: "repairScroll"
        anchors.fill: parent
        anchors.leftMargin: 26
        anchors.rightMargin: 26
        anchors.topMargin: 22
        anchors.bottomMargin: 22
        contentWidth: availableWidth
        rightPadding: 12
        clip: true
        ScrollBar.vertical.policy: repairColumn.height - repairScroll.availableHeight > 1 ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

        ColumnLayout {
            id: repairColumn
            width: repairScroll.availableWidth
            height: Math.max(repairScroll.availableHeight, implicitHeight)
            spacing: 16

            RowLayout {
                Layout.fillWidth: true
                spacing: 12

                Label {
                    Layout.fillWidth: true
                    Layout.minimumWidth: 0
                    text: qsTr("Korvex 文件修复")
                    wrapMode: Text.Wrap
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontPageTitle
                    font.bold: true
                }
                Label {
                    objectName: "formatsLabel"
                    Layout.minimumWidth: 0
                    Layout.maximumWidth: Math.max(0, page.width - 430)
                    text: qsTr("支持图片 · 视频 · 音频 · 文档 · PDF")
                    color: Theme.textCaption
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontSmall
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignRight
                }
            }

            RowLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                spacing: 16

                Rectangle {
                    id: stepRail
                    objectName: "stepRail"
                    Layout.preferredWidth: 164
                    Layout.minimumWidth: 164
                    Layout.maximumWidth: 164
                    Layout.fillHeight: true
                    color: Theme.surface
                    radius: Theme.radiusPanel
                    border.color: Theme.stepRailBorder

                    Column {
                        id: stepsColumn
                        anchors.fill: parent
                        anchors.margins: 10
                        topPadding: 14
                        spacing: 8

                        StepItem {
                            index: 0
                            activeStep: page.activeStep
                            label: page.stepLabel(0)
                        }
                        StepItem {
                            index: 1
                            activeStep: page.activeStep
                            label: page.stepLabel(1)
                        }
                        StepItem {
                            index: 2
                            activeStep: page.activeStep
                            label: page.stepLabel(2)
                        }
                        StepItem {
                            index: 3
                            activeStep: page.activeStep
                            label: page.stepLabel(3)
                        }
                    }
                }

                Rectangle {
                    id: stagePanel
                    objectName: "stagePanel"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumHeight: stageLoader.item ? (stageLoader.item as Item).implicitHeight + 44 : 480
                    color: Theme.surface
                    radius: Theme.radiusPanel
                    border.color: Theme.panelBorder
                    clip: true

                    Loader {
                        id: stageLoader
                        objectName: "stageLoader"
                        anchors.fill: parent
                        anchors.margins: 22
                        sourceComponent: page.stageName === "result" ? resultComponent
                            : page.stageName === "repairing" ? repairComponent
                            : page.stageName === "advanced" ? advancedRepairComponent
                            : page.stageName === "analysis" ? analysisComponent
                            : welcomeComponent
                    }
                }
            }
        }
    }

    DropArea {
        id: dropArea
        objectName: "dropArea"
        anchors.fill: parent
        enabled: !page.workflow.busy && !page.resultStage
        onDropped: (drop) => {
            if (!drop.hasUrls || drop.urls.length === 0)
                return
            page.acceptInput(drop.urls[0])
            drop.accept()
        }
    }

    // ---- Dialogs (all belong to the page, not to a stage) ----

    FileDialog {
        id: inputDialog
        objectName: "inputDialog"
        title: qsTr("选择需要修复的文件")
        fileMode: FileDialog.OpenFile
        nameFilters: [
            // Every name the engine repairs; the patterns themselves are never translated.
            qsTr("支持的文件") + " (" + Array.from(SupportedFiles.patterns).join(" ") + ")",
            qsTr("所有文件 (*)")
        ]
        onAccepted: page.acceptInput(inputDialog.selectedFile)
    }

    FileDialog {
        id: sampleDialog
        objectName: "sampleDialog"
        title: qsTr("选择同设备、同格式的正常样本")
        fileMode: FileDialog.OpenFile
        onAccepted: page.workflow.selectSample(sampleDialog.selectedFile)
    }

    FolderDialog {
        id: outputDialog
        objectName: "outputDialog"
        title: qsTr("选择修复结果保存目录")
        onAccepted: page.saveIntoFolder(outputDialog.selectedFolder)
    }

    FolderDialog {
        id: reportDialog
        objectName: "reportDialog"
        title: qsTr("选择完整报告保存目录")
        onAccepted: page.exportReportInto(reportDialog.selectedFolder)
    }

    Dialog {
        id: discardDialog
        objectName: "discardDialog"
        modal: true
        anchors.centerIn: parent
        width: 430
        title: qsTr("放弃未保存结果？")
        standardButtons: Dialog.NoButton
        font.family: Theme.fontFamily

        ColumnLayout {
            width: discardDialog.availableWidth
            spacing: 16

            Label {
                Layout.fillWidth: true
                text: qsTr("临时修复文件会被安全删除，原始文件不会受到影响。")
                wrapMode: Text.Wrap
                color: Theme.textSecondary
                font.family: Theme.fontFamily
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                Item {
                    Layout.fillWidth: true
                }
                AppButton {
                    objectName: "discardCancelButton"
                    text: qsTr("取消")
                    variant: "secondary"
                    compact: true
                    onClicked: discardDialog.close()
                }
                AppButton {
                    objectName: "discardConfirmButton"
                    text: qsTr("确认放弃")
                    variant: "danger"
                    compact: true
                    onClicked: {
                        discardDialog.close()
                        page.workflow.reset()
                    }
                }
            }
        }
    }


    // One step of the rail: ticked once passed, highlighted while current.
    component StepItem: Item {
        id: stepItem
        objectName: "stepItem" + stepItem.index

        required property int index
        required property int activeStep
        required property string label
        readonly property bool done: stepItem.index < stepItem.activeStep
        readonly property bool current: stepItem.index === stepItem.activeStep

        width: parent.width
        height: stepCard.height + 38

        Rectangle {
            id: stepCard
            objectName: "stepCard"
            width: parent.width
            height: Math.max(52, stepContent.implicitHeight + 20)
            radius: Theme.radiusControl
            color: stepItem.current ? Theme.successFill : "transparent"
            border.color: stepItem.current ? Theme.accent : "transparent"
            border.width: stepItem.current ? 1 : 0

            RowLayout {
                id: stepContent
                anchors.centerIn: parent
                spacing: 8
                // The label's natural width, measured apart from the label: a wrapped
                // label reports a narrower implicit width, which would narrow the row
                // and break the word again.
                width: Math.min(stepCard.width - 20, 18 + spacing + Math.ceil(stepMetrics.advanceWidth) + 2)

                TextMetrics {
                    id: stepMetrics
                    font: stepLabel.font
                    text: stepLabel.text
                }

                Image {
                    objectName: "stepCheck"
                    visible: stepItem.done
                    Layout.preferredWidth: 18
                    Layout.preferredHeight: 18
                    source: "assets/status-check.svg"
                    sourceSize.width: 36
                    sourceSize.height: 36
                }
                Label {
                    visible: !stepItem.done
                    Layout.preferredWidth: 18
                    text: String(stepItem.index + 1)
                    horizontalAlignment: Text.AlignHCenter
                    color: stepItem.current ? Theme.accent : Theme.textFaint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontEmphasis
                    font.bold: true
                }
                Label {
                    id: stepLabel
                    objectName: "stepLabel"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 0
                    text: stepItem.label
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    color: stepItem.current ? Theme.textSuccess : Theme.textSecondary
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontControl
                    font.bold: stepItem.current
                }
            }
        }
        Rectangle {
            objectName: "stepConnector"
            visible: stepItem.index < 3
            width: 1
            height: 25
            // Whole pixels: a one-pixel line at a fractional x is dropped by the software renderer.
            x: Math.round((parent.width - width) / 2)
            y: Math.round(stepCard.height + 8)
            color: stepItem.done ? Theme.stepConnectorDone : Theme.stepConnector
        }
    }

    // ---- Stages: one file each, given what they show; the page keeps the controller calls, the
    // dialogs and the save rule ----
    // These components are created only by the page's own stageLoader, in the page's context, so
    // the page's ids resolve; qmllint of Qt 6.4 cannot follow ids into a Component and would call
    // every one of these bindings unqualified.
    // qmllint disable unqualified

    Component {
        id: welcomeComponent
        RepairWelcomeStage {
            workflowState: page.workflowState
            canAnalyze: page.workflow.canAnalyze
            inputName: page.workflow.inputName
            inputPath: page.workflow.inputPath
            inputSizeText: page.workflow.inputSizeText
            status: page.workflow.status
            onAnalyzeRequested: page.workflow.analyze()
            onChooseFileRequested: inputDialog.open()
        }
    }

    Component {
        id: analysisComponent
        RepairAnalysisStage {
            workflowState: page.workflowState
            busy: page.workflow.busy
            canRepair: page.workflow.canRepair
            canAnalyze: page.workflow.canAnalyze
            inputName: page.workflow.inputName
            inputSizeText: page.workflow.inputSizeText
            progress: page.workflow.progress
            repairability: page.workflow.repairability
            samplePath: page.workflow.samplePath
            sampleRequired: page.workflow.sampleRequired
            status: page.workflow.status
            findings: page.findings
            findingCount: page.findingCount
            inputIcon: page.fileIcon()
            onRepairRequested: (mode) => page.workflow.repair(mode)
            onAnalyzeRequested: page.workflow.analyze()
            onChooseFileRequested: inputDialog.open()
            onAdvancedRepairRequested: page.advancedRepairView = true
        }
    }

    Component {
        id: advancedRepairComponent
        AdvancedRepairStage {
            workflowState: page.workflowState
            busy: page.workflow.busy
            canRepair: page.workflow.canRepair
            progress: page.workflow.progress
            samplePath: page.workflow.samplePath
            status: page.workflow.status
            inputIcon: page.fileIcon()
            onClearSampleRequested: page.workflow.clearSample()
            onRepairRequested: (mode) => page.workflow.repair(mode)
            onBackRequested: page.advancedRepairView = false
            onChooseSampleRequested: sampleDialog.open()
            onChooseFileRequested: inputDialog.open()
        }
    }

    Component {
        id: repairComponent
        RepairProgressStage {
            inputName: page.workflow.inputName
            progress: page.workflow.progress
            repairStep: page.workflow.repairStep
            status: page.workflow.status
            onCancelRequested: page.workflow.cancel()
        }
    }

    Component {
        id: resultComponent
        RepairResultStage {
            category: page.workflow.category
            formatValid: page.workflow.formatValid
            hasUnsavedResult: page.workflow.hasUnsavedResult
            outputName: page.workflow.outputName
            outputPath: page.workflow.outputPath
            outputSizeText: page.workflow.outputSizeText
            previewKind: page.workflow.previewKind
            previewUrl: page.workflow.previewUrl
            saved: page.workflow.saved
            status: page.workflow.status
            validationMessage: page.workflow.validationMessage
            warnings: page.workflow.warnings
            resultNotice: page.resultNotice
            onRevealRequested: page.workflow.revealResult()
            onSaveRequested: page.saveResultByRule()
            onExportReportRequested: reportDialog.open()
            onStartOverRequested: page.startOver()
        }
    }
    // qmllint enable unqualified
}
