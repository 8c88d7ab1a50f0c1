import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import QtQuick.Layouts

// The whole repair workflow on one page: choose a damaged file, analyse it read-only, repair it
// quickly or with a healthy sample, follow the progress, inspect, save or discard the result.
// Everything shown is bound to the workflow controller; the page itself only decides which of the
// five stages to show. The stages stay in this file so their texts share the page's context.
Item {
    id: page

    required property var workflow
    required property var settings

    readonly property string workflowState: page.workflow.state
    readonly property bool resultStage: page.workflowState === "PreviewReady" || page.workflowState === "Saved"
    property bool advancedRepairView: false
    readonly property int activeStep: page.resultStage ? 3
        : page.workflowState === "Repairing" ? 2
        : page.workflowState === "AnalysisCompleted" || page.workflowState === "Analyzing" ? 1
        : 0

    // One read of the findings per change: every read rebuilds and translates the whole list.
    readonly property var findings: page.workflow.findings
    readonly property int findingCount: page.findings ? page.findings.length : 0

    readonly property string stageName: page.resultStage ? "result"
        : page.workflowState === "Repairing" ? "repairing"
        : page.advancedRepairView ? "advanced"
        : page.workflowState === "AnalysisCompleted" || page.workflowState === "Analyzing" || page.findingCount > 0 ? "analysis"
        : "welcome"

    // Outcome of the last save or report export on the result stage: "" (none yet), "ok" or
    // "failed". The controller's status then says what happened, also when it went wrong.
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

    function sampleFileName() {
        const parts = String(page.workflow.samplePath).split(/[\\/]/)
        return parts[parts.length - 1]
    }

    // Repeaters take fixed keys and translate in their delegates: a model built from translated
    // texts is rebuilt on every language switch, destroying delegates the layouts still hold.
    function stepLabel(step) {
        return [qsTr("选择文件"), qsTr("分析"), qsTr("修复"), qsTr("保存")][step]
    }
    function formatChipLabel(key) {
        return key === "image" ? qsTr("图片") : key === "media" ? qsTr("音视频") : key === "document" ? qsTr("文档") : "PDF"
    }
    function repairPhaseTitle(phase) {
        return [qsTr("检测结构"), qsTr("重建内容"), qsTr("独立验证")][phase]
    }
    function repairPhaseState(phase) {
        return [qsTr("完成"), qsTr("进行中"), qsTr("等待中")][phase]
    }
    function validationLabel(key) {
        switch (key) {
        case "sameSource": return qsTr("同源数据已恢复")
        case "safePreview": return qsTr("安全预览可用")
        case "extensionFailed": return qsTr("扩展名格式未通过")
        case "dataNotEmpty": return qsTr("恢复数据非空")
        case "originalUntouched": return qsTr("原文件未修改")
        case "structureComplete": return qsTr("结构完整")
        default: return qsTr("可正常解析")
        }
    }

    function acceptInput(url) {
        page.advancedRepairView = false
        page.workflow.selectInput(url)
    }

    function saveResultByRule() {
        if (page.settings.defaultSaveBehavior === "last" && page.settings.lastSaveDirectoryAvailable) {
            const saved = page.workflow.saveResult(page.settings.lastSaveDirectoryUrl)
            page.resultNotice = saved ? "ok" : "failed"
            if (saved && page.settings.openAfterSave)
                page.workflow.revealResult()
            if (!saved)
                outputDialog.open()
            return
        }
        outputDialog.open()
    }

    function saveIntoFolder(folder) {
        page.settings.rememberSaveDirectory(folder)
        const saved = page.workflow.saveResult(folder)
        page.resultNotice = saved ? "ok" : "failed"
        if (saved && page.settings.openAfterSave)
            page.workflow.revealResult()
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
                    color: "#10261B"
                    font.family: ApplicationFont.family
                    font.pixelSize: 28
                    font.bold: true
                }
                Label {
                    objectName: "formatsLabel"
                    Layout.minimumWidth: 0
                    Layout.maximumWidth: Math.max(0, page.width - 430)
                    text: qsTr("支持图片 · 视频 · DOCX/XLSX/PPTX · PDF")
                    color: "#7A8982"
                    font.family: ApplicationFont.family
                    font.pixelSize: 12
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
                    color: "#FFFFFF"
                    radius: 12
                    border.color: "#E0E7E3"

                    Column {
                        id: stepsColumn
                        anchors.fill: parent
                        anchors.margins: 10
                        topPadding: 14
                        spacing: 8

                        Repeater {
                            model: 4

                            Item {
                                id: stepItem
                                objectName: "stepItem" + index

                                required property int index
                                readonly property bool done: stepItem.index < page.activeStep
                                readonly property bool current: stepItem.index === page.activeStep

                                width: stepsColumn.width
                                height: stepCard.height + 38

                                Rectangle {
                                    id: stepCard
                                    objectName: "stepCard"
                                    width: parent.width
                                    height: Math.max(52, stepContent.implicitHeight + 20)
                                    radius: 8
                                    color: stepItem.current ? "#ECF9F1" : "transparent"
                                    border.color: stepItem.current ? "#07964D" : "transparent"
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
                                            color: stepItem.current ? "#07964D" : "#8A9690"
                                            font.family: ApplicationFont.family
                                            font.pixelSize: 18
                                            font.bold: true
                                        }
                                        Label {
                                            id: stepLabel
                                            objectName: "stepLabel"
                                            Layout.fillWidth: true
                                            Layout.minimumWidth: 0
                                            text: page.stepLabel(stepItem.index)
                                            horizontalAlignment: Text.AlignHCenter
                                            wrapMode: Text.WordWrap
                                            color: stepItem.current ? "#087A40" : "#66756E"
                                            font.family: ApplicationFont.family
                                            font.pixelSize: 13
                                            font.bold: stepItem.current
                                        }
                                    }
                                }
                                Rectangle {
                                    objectName: "stepConnector"
                                    visible: stepItem.index < 3
                                    width: 1
                                    height: 25
                                    x: (parent.width - width) / 2
                                    y: stepCard.height + 8
                                    color: stepItem.done ? "#52B77F" : "#D7DEDA"
                                }
                            }
                        }
                    }
                }

                Rectangle {
                    id: stagePanel
                    objectName: "stagePanel"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumHeight: stageLoader.item ? stageLoader.item.implicitHeight + 44 : 480
                    color: "#FFFFFF"
                    radius: 12
                    border.color: "#DDE5E1"
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
            qsTr("支持的文件 (*.jpg *.jpeg *.png *.bmp *.gif *.tif *.tiff *.webp *.mp4 *.m4v *.mov *.wmv *.docx *.xlsx *.pptx *.pdf)"),
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
        font.family: ApplicationFont.family

        ColumnLayout {
            width: discardDialog.availableWidth
            spacing: 16

            Label {
                Layout.fillWidth: true
                text: qsTr("临时修复文件会被安全删除，原始文件不会受到影响。")
                wrapMode: Text.Wrap
                color: "#66756E"
                font.family: ApplicationFont.family
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

    // A tooltip for a control that may be disabled: disabled items get no hover of their own, so
    // the wrapper watches the pointer.
    component DisabledTip: Item {
        id: tipHost

        property string tip: ""
        property Item control: null

        implicitWidth: tipHost.control ? tipHost.control.implicitWidth : 0
        implicitHeight: tipHost.control ? tipHost.control.implicitHeight : 0

        readonly property bool tipShown: tipHover.hovered && tipHost.control !== null && !tipHost.control.enabled && tipHost.tip !== ""

        HoverHandler {
            id: tipHover
        }
        ToolTip.visible: tipHost.tipShown
        ToolTip.text: tipHost.tip
    }

    // A bar 0..100 in the page's own look.
    component ProgressTrack: Rectangle {
        id: track

        property int value: 0
        property int trackHeight: 8

        implicitHeight: track.trackHeight
        radius: track.trackHeight / 2
        color: "#E8ECEA"

        Rectangle {
            objectName: "progressFill"
            width: track.width * Math.max(0, Math.min(100, track.value)) / 100
            height: parent.height
            radius: parent.radius
            color: "#07964D"
        }
    }

    // ---- Welcome stage ----

    Component {
        id: welcomeComponent

        ColumnLayout {
            objectName: "welcomeStage"
            spacing: 14

            Label {
                objectName: "welcomeHeading"
                Layout.fillWidth: true
                text: page.workflow.inputPath !== "" ? qsTr("文件已选择，开始只读分析") : qsTr("选择需要修复的文件")
                wrapMode: Text.Wrap
                color: "#10261B"
                font.family: ApplicationFont.family
                font.pixelSize: 21
                font.bold: true
            }

            Rectangle {
                id: dropZone
                objectName: "dropZone"
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.minimumHeight: Math.max(310, welcomeContent.implicitHeight + 40)
                radius: 12
                color: dropMouse.containsMouse ? "#F1FBF5" : "#FBFCFB"

                Canvas {
                    id: dropBorderCanvas
                    objectName: "dropBorderCanvas"
                    anchors.fill: parent
                    onWidthChanged: requestPaint()
                    onHeightChanged: requestPaint()
                    onPaint: {
                        const context = getContext("2d")
                        context.reset()
                        context.clearRect(0, 0, width, height)
                        context.strokeStyle = "#AFC3B9"
                        context.lineWidth = 1
                        context.setLineDash([7, 6])
                        context.beginPath()
                        context.roundedRect(1, 1, Math.max(0, width - 2), Math.max(0, height - 2), 12, 12)
                        context.stroke()
                    }
                }

                MouseArea {
                    id: dropMouse
                    objectName: "dropMouse"
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: inputDialog.open()
                }

                ColumnLayout {
                    id: welcomeContent
                    anchors.centerIn: parent
                    width: Math.min(dropZone.width - 36, 560)
                    spacing: 13

                    Image {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.preferredWidth: 72
                        Layout.preferredHeight: 56
                        source: "assets/upload-file.svg"
                        sourceSize.width: 144
                        sourceSize.height: 112
                    }
                    Label {
                        objectName: "welcomeFileLine"
                        Layout.fillWidth: true
                        text: page.workflow.inputName !== "" ? page.workflow.inputName : qsTr("拖入损坏文件，或点击选择文件")
                        horizontalAlignment: Text.AlignHCenter
                        color: "#173527"
                        font.family: ApplicationFont.family
                        font.pixelSize: 18
                        font.bold: true
                        // Eliding in the middle works on one line only.
                        wrapMode: page.workflow.inputName !== "" ? Text.NoWrap : Text.Wrap
                        elide: page.workflow.inputName !== "" ? Text.ElideMiddle : Text.ElideNone
                        maximumLineCount: page.workflow.inputName !== "" ? 1 : 5
                    }
                    Label {
                        objectName: "welcomeDetailLine"
                        Layout.fillWidth: true
                        text: page.workflow.inputPath !== ""
                              ? page.workflow.inputSizeText + "  ·  " + page.workflow.inputPath
                              : qsTr("支持常见文档、图片和视频格式")
                        horizontalAlignment: Text.AlignHCenter
                        color: "#78877F"
                        font.family: ApplicationFont.family
                        wrapMode: page.workflow.inputPath !== "" ? Text.NoWrap : Text.Wrap
                        elide: page.workflow.inputPath !== "" ? Text.ElideMiddle : Text.ElideNone
                        maximumLineCount: page.workflow.inputPath !== "" ? 1 : 2
                    }
                    GridLayout {
                        id: chipGrid
                        objectName: "chipGrid"
                        // Centred at its own width: a layout whose children fill would otherwise fill too.
                        Layout.fillWidth: false
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: welcomeContent.width
                        columns: welcomeContent.width < 480 ? 2 : 4
                        columnSpacing: 8
                        rowSpacing: 8

                        Repeater {
                            model: [
                                { key: "image", icon: "assets/file-image.svg" },
                                { key: "media", icon: "assets/file-video.svg" },
                                { key: "document", icon: "assets/file-docx.svg" },
                                { key: "pdf", icon: "assets/file-pdf.svg" }
                            ]
                            Rectangle {
                                id: formatChip
                                objectName: "formatChip"
                                required property var modelData
                                Layout.fillWidth: true
                                implicitWidth: chipContent.implicitWidth + 24
                                implicitHeight: 38
                                radius: 7
                                color: "#FFFFFF"
                                border.color: "#DEE5E1"

                                Row {
                                    id: chipContent
                                    anchors.centerIn: parent
                                    spacing: 6
                                    Image {
                                        anchors.verticalCenter: parent.verticalCenter
                                        width: 18
                                        height: 18
                                        source: formatChip.modelData.icon
                                        sourceSize.width: 36
                                        sourceSize.height: 36
                                    }
                                    Label {
                                        anchors.verticalCenter: parent.verticalCenter
                                        text: page.formatChipLabel(formatChip.modelData.key)
                                        color: "#34473E"
                                        font.family: ApplicationFont.family
                                        font.pixelSize: 12
                                    }
                                }
                            }
                        }
                    }
                    RowLayout {
                        objectName: "originalUntouchedRow"
                        Layout.fillWidth: false
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: welcomeContent.width
                        spacing: 6
                        Image {
                            Layout.preferredWidth: 18
                            Layout.preferredHeight: 18
                            source: "assets/status-check.svg"
                            sourceSize.width: 36
                            sourceSize.height: 36
                        }
                        Label {
                            Layout.maximumWidth: welcomeContent.width - 24
                            text: qsTr("不会修改原文件")
                            color: "#087A40"
                            font.family: ApplicationFont.family
                            font.bold: true
                            wrapMode: Text.Wrap
                        }
                    }
                    AppButton {
                        objectName: "chooseFileButton"
                        Layout.alignment: Qt.AlignHCenter
                        text: qsTr("选择文件")
                        iconSource: "assets/action-folder.svg"
                        onClicked: inputDialog.open()
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 10

                Label {
                    objectName: "welcomeStatus"
                    Layout.fillWidth: true
                    Layout.minimumWidth: 0
                    // Takes what the buttons leave; its wrapped text never pushes them.
                    Layout.preferredWidth: 1
                    text: page.workflow.inputPath !== "" ? page.workflow.status : qsTr("选择需要修复的文件")
                    wrapMode: Text.Wrap
                    color: page.workflowState === "Failed" ? "#B42318" : "#66756E"
                    font.family: ApplicationFont.family
                }
                AppButton {
                    objectName: "changeFileButton"
                    visible: page.workflow.inputPath !== ""
                    text: qsTr("更换文件")
                    variant: "secondary"
                    onClicked: inputDialog.open()
                }
                AppButton {
                    objectName: "analyzeButton"
                    text: qsTr("开始分析")
                    iconSource: "assets/action-analyze.svg"
                    enabled: page.workflow.canAnalyze
                    onClicked: page.workflow.analyze()
                }
            }
        }
    }

    // ---- Analysis stage ----

    Component {
        id: analysisComponent

        ColumnLayout {
            objectName: "analysisStage"
            spacing: 12

            readonly property bool failed: page.workflowState === "Failed"

            RowLayout {
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                spacing: 12

                Image {
                    objectName: "analysisFileIcon"
                    Layout.preferredWidth: 44
                    Layout.preferredHeight: 44
                    source: page.fileIcon()
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
                        Layout.fillWidth: true
                        Layout.minimumWidth: 0
                        text: page.workflow.inputName
                        elide: Text.ElideMiddle
                        color: "#10261B"
                        font.family: ApplicationFont.family
                        font.pixelSize: 17
                        font.bold: true
                        HoverHandler {
                            id: fileNameHover
                        }
                        ToolTip.visible: fileNameHover.hovered && analysisFileName.truncated
                        ToolTip.text: page.workflow.inputName
                    }
                    Label {
                        Layout.fillWidth: true
                        text: page.workflow.inputSizeText
                        color: "#78877F"
                        font.family: ApplicationFont.family
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
                        color: page.workflowState === "Analyzing" ? "#EEF4FF" : page.workflowState === "Failed" ? "#FEF3F2" : "#ECF9F1"

                        Label {
                            id: analysisStateLabel
                            objectName: "analysisStateLabel"
                            anchors.fill: parent
                            anchors.leftMargin: 14
                            anchors.rightMargin: 14
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            wrapMode: Text.WordWrap
                            text: page.workflowState === "Analyzing" ? qsTr("分析中…")
                                : page.workflowState === "Failed" ? qsTr("当前无法自动修复")
                                : page.workflow.repairability
                            color: page.workflowState === "Analyzing" ? "#175CD3" : page.workflowState === "Failed" ? "#B42318" : "#087A40"
                            font.family: ApplicationFont.family
                            font.pixelSize: 12
                            font.bold: true
                        }
                    }
                    AppButton {
                        objectName: "advancedRepairButton"
                        Layout.fillWidth: true
                        visible: page.workflowState === "Failed" || page.workflow.samplePath !== "" || page.workflow.sampleRequired
                        enabled: !page.workflow.busy
                        text: qsTr("高级修复")
                        variant: "secondary"
                        compact: true
                        iconSource: "assets/action-wrench.svg"
                        onClicked: page.advancedRepairView = true
                    }
                }
            }

            ProgressTrack {
                objectName: "analysisProgress"
                Layout.fillWidth: true
                visible: page.workflowState === "Analyzing"
                trackHeight: 8
                value: page.workflow.progress
            }

            RowLayout {
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                spacing: 8
                Label {
                    text: qsTr("诊断结果")
                    color: "#10261B"
                    font.family: ApplicationFont.family
                    font.pixelSize: 16
                    font.bold: true
                }
                Item {
                    Layout.fillWidth: true
                }
                Label {
                    objectName: "analysisVerdict"
                    Layout.minimumWidth: 0
                    Layout.maximumWidth: 340
                    text: page.workflowState === "Failed" || page.workflow.sampleRequired ? page.workflow.status : page.workflow.repairability
                    color: page.workflowState === "Failed" ? "#B42318" : "#66756E"
                    horizontalAlignment: Text.AlignRight
                    wrapMode: Text.WordWrap
                    font.family: ApplicationFont.family
                    font.pixelSize: 12
                }
            }

            Rectangle {
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.minimumHeight: 160
                color: "#FFFFFF"
                radius: 9
                border.color: "#DDE5E1"

                ListView {
                    id: findingsList
                    objectName: "findingsList"
                    anchors.fill: parent
                    anchors.margins: 4
                    clip: true
                    model: page.findings
                    ScrollBar.vertical: ScrollBar {}

                    delegate: Item {
                        id: findingRow
                        objectName: "findingRow"
                        required property var modelData
                        readonly property int severityCode: Number(findingRow.modelData.severityCode)

                        width: findingsList.width
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
                                Label {
                                    objectName: "findingMessage"
                                    Layout.fillWidth: true
                                    text: String(findingRow.modelData.message)
                                    wrapMode: Text.Wrap
                                    color: "#263B31"
                                    font.family: ApplicationFont.family
                                    font.bold: true
                                }
                                Label {
                                    Layout.fillWidth: true
                                    text: qsTr("修复过程中将保持原始文件只读")
                                    wrapMode: Text.Wrap
                                    color: "#7A8982"
                                    font.family: ApplicationFont.family
                                    font.pixelSize: 11
                                }
                            }
                        }
                        Rectangle {
                            anchors.left: parent.left
                            anchors.right: parent.right
                            anchors.bottom: parent.bottom
                            height: 1
                            color: "#EDF0EE"
                        }
                    }

                    Label {
                        objectName: "findingsEmptyLabel"
                        anchors.centerIn: parent
                        visible: page.findingCount === 0
                        text: page.workflowState === "Analyzing" ? qsTr("正在读取文件结构…") : qsTr("未发现结构化损坏项")
                        color: "#8A9690"
                        font.family: ApplicationFont.family
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true
                Layout.minimumWidth: 0
                spacing: 8
                AppButton {
                    objectName: "analysisChangeFileButton"
                    text: qsTr("更换文件")
                    variant: "secondary"
                    compact: true
                    enabled: !page.workflow.busy
                    onClicked: inputDialog.open()
                }
                Item {
                    Layout.fillWidth: true
                }
                DisabledTip {
                    control: quickRepairButton
                    tip: page.workflowState === "Failed" ? page.workflow.status : qsTr("请先完成文件分析")
                    AppButton {
                        id: quickRepairButton
                        objectName: "quickRepairButton"
                        anchors.fill: parent
                        text: page.workflowState === "Failed" ? qsTr("暂不可修复") : qsTr("快速修复")
                        compact: true
                        iconSource: "assets/action-wrench.svg"
                        enabled: page.workflow.canRepair && page.workflow.samplePath === ""
                        onClicked: page.workflow.repair("quick")
                    }
                }
            }
        }
    }

    // ---- Advanced-repair stage ----

    Component {
        id: advancedRepairComponent

        ColumnLayout {
            id: advancedPanel
            objectName: "advancedPanel"
            spacing: 14

            readonly property bool sampleSelected: page.workflow.samplePath !== ""
            readonly property bool sampleChecking: page.workflowState === "Analyzing"
            readonly property bool sampleCompatible: advancedPanel.sampleSelected && page.workflowState === "AnalysisCompleted" && page.workflow.canRepair
            readonly property bool sampleRejected: advancedPanel.sampleSelected && page.workflowState === "Failed"

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
                    text: qsTr("返回")
                    variant: "secondary"
                    compact: true
                    iconSource: "assets/action-arrow-left.svg"
                    onClicked: page.advancedRepairView = false
                }
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    Label {
                        text: qsTr("高级修复")
                        color: "#10261B"
                        font.family: ApplicationFont.family
                        font.pixelSize: 22
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        text: qsTr("使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。")
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
                            text: qsTr("快速修复无法安全完成")
                            color: "#8A4B08"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            Layout.fillWidth: true
                            text: qsTr("高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。")
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
                            text: qsTr("正常样本")
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
                                text: advancedPanel.look === "ready" ? qsTr("已完成带样本的分析")
                                    : advancedPanel.look === "rejected" ? qsTr("带样本的分析未通过")
                                    : advancedPanel.look === "checking" ? qsTr("正在带样本分析…")
                                    : qsTr("尚未选择")
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
                                source: advancedPanel.sampleSelected ? page.fileIcon() : "assets/file-generic.svg"
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
                                    text: advancedPanel.sampleSelected ? page.sampleFileName() : qsTr("请选择同设备、同格式的正常文件")
                                    elide: Text.ElideMiddle
                                    color: "#263B31"
                                    font.family: ApplicationFont.family
                                    font.bold: true
                                }
                                Label {
                                    objectName: "samplePathLabel"
                                    Layout.fillWidth: true
                                    Layout.minimumWidth: 0
                                    text: advancedPanel.sampleSelected ? page.workflow.samplePath : qsTr("例如同一相机、录制设备或同一导出配置生成的正常文件")
                                    elide: Text.ElideMiddle
                                    color: "#78877F"
                                    font.family: ApplicationFont.family
                                    font.pixelSize: 11
                                }
                            }
                            AppButton {
                                objectName: "chooseSampleButton"
                                text: advancedPanel.sampleSelected ? qsTr("更换样本") : qsTr("选择正常样本")
                                variant: "secondary"
                                compact: true
                                iconSource: "assets/action-folder-secondary.svg"
                                enabled: !page.workflow.busy
                                onClicked: sampleDialog.open()
                            }
                            AppButton {
                                objectName: "removeSampleButton"
                                visible: advancedPanel.sampleSelected
                                text: qsTr("移除")
                                variant: "secondary"
                                compact: true
                                enabled: !page.workflow.busy
                                onClicked: page.workflow.clearSample()
                            }
                        }
                    }

                    ProgressBar {
                        objectName: "sampleProgress"
                        Layout.fillWidth: true
                        visible: advancedPanel.sampleChecking
                        from: 0
                        to: 100
                        value: page.workflow.progress
                    }

                    Label {
                        objectName: "sampleMessage"
                        Layout.fillWidth: true
                        wrapMode: Text.Wrap
                        font.family: ApplicationFont.family
                        text: advancedPanel.look === "ready" ? qsTr("已带样本完成分析，可以开始高级修复。")
                            : advancedPanel.look === "rejected" ? qsTr("带样本的分析未通过：%1").arg(page.workflow.status)
                            : advancedPanel.look === "checking" ? qsTr("正在只读分析损坏文件，并参考所选样本…")
                            : qsTr("选择样本后会自动重新分析；分析完成前不会启用修复按钮。")
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
                    text: qsTr("更换待修复文件")
                    variant: "secondary"
                    compact: true
                    enabled: !page.workflow.busy
                    onClicked: inputDialog.open()
                }
                Item {
                    Layout.fillWidth: true
                }
                DisabledTip {
                    control: startAdvancedButton
                    tip: advancedPanel.sampleSelected ? qsTr("请等待带样本的分析完成") : qsTr("请先选择正常样本")
                    AppButton {
                        id: startAdvancedButton
                        objectName: "startAdvancedButton"
                        anchors.fill: parent
                        text: qsTr("开始高级修复")
                        iconSource: "assets/action-wrench.svg"
                        enabled: advancedPanel.sampleCompatible
                        onClicked: page.workflow.repair("advanced")
                    }
                }
            }
        }
    }

    // ---- Repair-progress stage ----

    Component {
        id: repairComponent

        ColumnLayout {
            objectName: "repairStage"
            spacing: 18

            RowLayout {
                Layout.fillWidth: true
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 4
                    Label {
                        Layout.fillWidth: true
                        text: qsTr("正在私有缓存中修复")
                        wrapMode: Text.Wrap
                        color: "#10261B"
                        font.family: ApplicationFont.family
                        font.pixelSize: 21
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        text: page.workflow.inputName
                        elide: Text.ElideMiddle
                        color: "#66756E"
                        font.family: ApplicationFont.family
                    }
                }
                Label {
                    objectName: "repairPercent"
                    text: page.workflow.progress + "%"
                    color: "#07964D"
                    font.family: ApplicationFont.family
                    font.pixelSize: 34
                    font.bold: true
                }
            }

            ProgressTrack {
                objectName: "repairProgress"
                Layout.fillWidth: true
                trackHeight: 10
                color: "#E7ECE9"
                value: page.workflow.progress
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 12
                Repeater {
                    model: [
                        { phase: 0, fill: "#07964D", mark: "", markColor: "#FFFFFF" },
                        { phase: 1, fill: "#07964D", mark: "2", markColor: "#FFFFFF" },
                        { phase: 2, fill: "#E5E9E7", mark: "3", markColor: "#66756E" }
                    ]
                    ColumnLayout {
                        id: phase
                        required property var modelData
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        spacing: 5
                        Rectangle {
                            Layout.alignment: Qt.AlignHCenter
                            Layout.preferredWidth: 34
                            Layout.preferredHeight: 34
                            radius: 17
                            color: phase.modelData.fill
                            Image {
                                anchors.centerIn: parent
                                visible: phase.modelData.mark === ""
                                width: 20
                                height: 20
                                source: "assets/status-check-white.svg"
                                sourceSize.width: 40
                                sourceSize.height: 40
                            }
                            Label {
                                anchors.centerIn: parent
                                visible: phase.modelData.mark !== ""
                                text: phase.modelData.mark
                                color: phase.modelData.markColor
                                font.family: ApplicationFont.family
                                font.bold: true
                            }
                        }
                        Label {
                            Layout.fillWidth: true
                            horizontalAlignment: Text.AlignHCenter
                            text: page.repairPhaseTitle(phase.modelData.phase)
                            wrapMode: Text.Wrap
                            color: "#34473E"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            Layout.fillWidth: true
                            horizontalAlignment: Text.AlignHCenter
                            text: page.repairPhaseState(phase.modelData.phase)
                            wrapMode: Text.Wrap
                            color: "#78877F"
                            font.family: ApplicationFont.family
                            font.pixelSize: 11
                        }
                    }
                }
            }

            Rectangle {
                Layout.fillWidth: true
                Layout.preferredHeight: 78
                radius: 9
                color: "#F1F7FF"
                border.color: "#B2D0F7"
                RowLayout {
                    anchors.fill: parent
                    anchors.margins: 14
                    spacing: 12
                    Image {
                        Layout.preferredWidth: 42
                        Layout.preferredHeight: 42
                        source: "assets/protected-file.svg"
                        sourceSize.width: 84
                        sourceSize.height: 84
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Label {
                            text: qsTr("原文件保持不变")
                            color: "#174A8B"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            Layout.fillWidth: true
                            text: qsTr("所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。")
                            wrapMode: Text.Wrap
                            color: "#4B6587"
                            font.family: ApplicationFont.family
                            font.pixelSize: 12
                        }
                    }
                }
            }

            Item {
                Layout.fillHeight: true
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 12
                Rectangle {
                    Layout.fillWidth: true
                    Layout.preferredHeight: 64
                    radius: 9
                    color: "#FBFCFB"
                    border.color: "#DDE5E1"
                    RowLayout {
                        anchors.fill: parent
                        anchors.margins: 13
                        spacing: 10
                        Image {
                            Layout.preferredWidth: 28
                            Layout.preferredHeight: 28
                            source: "assets/disk-safe.svg"
                            sourceSize.width: 56
                            sourceSize.height: 56
                        }
                        ColumnLayout {
                            Layout.fillWidth: true
                            spacing: 2
                            Label {
                                text: qsTr("磁盘空间安全")
                                color: "#34473E"
                                font.family: ApplicationFont.family
                                font.bold: true
                            }
                            Label {
                                Layout.fillWidth: true
                                text: qsTr("写入应用私有缓存，完成后再由你选择保存位置")
                                elide: Text.ElideRight
                                color: "#78877F"
                                font.family: ApplicationFont.family
                                font.pixelSize: 11
                            }
                        }
                        Image {
                            Layout.preferredWidth: 16
                            Layout.preferredHeight: 16
                            source: "assets/status-check.svg"
                            sourceSize.width: 32
                            sourceSize.height: 32
                        }
                        Label {
                            text: qsTr("空间充足")
                            color: "#087A40"
                            font.family: ApplicationFont.family
                            font.pixelSize: 12
                            font.bold: true
                        }
                    }
                }
                AppButton {
                    objectName: "cancelTaskButton"
                    text: qsTr("取消任务")
                    variant: "secondary"
                    onClicked: page.workflow.cancel()
                }
            }
        }
    }

    // ---- Result stage ----

    Component {
        id: resultComponent

        ColumnLayout {
            id: resultLayout
            objectName: "resultLayout"
            spacing: 12

            readonly property bool formatValid: page.workflow.formatValid
            readonly property bool saved: page.workflow.saved
            readonly property bool binaryKind: page.workflow.previewKind === "binary"

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
                              ? (resultLayout.saved ? qsTr("修复完成，结果已保存") : qsTr("修复完成，结果尚未保存"))
                              : (resultLayout.saved ? qsTr("同源数据已恢复，结果已保存") : qsTr("同源数据已恢复，结果尚未保存"))
                        color: "#10261B"
                        font.family: ApplicationFont.family
                        font.pixelSize: 20
                        font.bold: true
                    }
                    Rectangle {
                        objectName: "previewBadge"
                        visible: !resultLayout.saved
                        Layout.preferredWidth: previewBadgeText.implicitWidth + 20
                        Layout.preferredHeight: 26
                        radius: 13
                        color: "#EEF4FF"
                        Label {
                            id: previewBadgeText
                            anchors.centerIn: parent
                            text: qsTr("临时预览")
                            color: "#175CD3"
                            font.family: ApplicationFont.family
                            font.pixelSize: 11
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
                        text: resultLayout.formatValid ? qsTr("已通过独立格式验证") : qsTr("格式声明异常，已启用安全数据预览")
                        color: resultLayout.formatValid ? "#087A40" : "#B54708"
                        font.family: ApplicationFont.family
                        font.pixelSize: 12
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
                    readonly property int minimumPreviewHeight: page.workflow.previewKind === "video" ? 460 : 360
                    Layout.minimumHeight: previewFrame.minimumPreviewHeight
                    radius: 9
                    color: "#F8FAF9"
                    border.color: "#DDE5E1"

                    InternalPreview {
                        id: internalPreview
                        objectName: "repairResultPreview"
                        anchors.fill: parent
                        anchors.margins: 4
                        kind: page.workflow.previewKind
                        source: page.workflow.previewUrl
                        fileName: page.workflow.outputName
                    }
                }

                Rectangle {
                    id: detailFrame
                    objectName: "detailFrame"
                    readonly property bool twoColumns: resultPanels.columns === 2
                    Layout.preferredWidth: detailFrame.twoColumns ? 236 : resultLayout.width
                    Layout.minimumWidth: detailFrame.twoColumns ? 236 : 0
                    Layout.maximumWidth: detailFrame.twoColumns ? 236 : Number.POSITIVE_INFINITY
                    Layout.fillWidth: !detailFrame.twoColumns
                    Layout.fillHeight: detailFrame.twoColumns
                    Layout.minimumHeight: resultDetails.implicitHeight + 32
                    radius: 9
                    color: "#FFFFFF"
                    border.color: "#DDE5E1"

                    ColumnLayout {
                        id: resultDetails
                        anchors.fill: parent
                        anchors.margins: 16
                        spacing: 9

                        Label {
                            Layout.fillWidth: true
                            text: qsTr("输出文件")
                            wrapMode: Text.Wrap
                            color: "#10261B"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            objectName: "outputNameLabel"
                            Layout.fillWidth: true
                            text: page.workflow.outputName
                            elide: Text.ElideMiddle
                            color: "#34473E"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Label {
                            Layout.fillWidth: true
                            text: page.workflow.outputSizeText + "  ·  " + page.workflow.category
                            wrapMode: Text.Wrap
                            color: "#78877F"
                            font.family: ApplicationFont.family
                            font.pixelSize: 11
                        }
                        Rectangle {
                            Layout.fillWidth: true
                            Layout.preferredHeight: 1
                            color: "#E8ECEA"
                        }
                        Label {
                            Layout.fillWidth: true
                            text: qsTr("验证结果")
                            wrapMode: Text.Wrap
                            color: "#10261B"
                            font.family: ApplicationFont.family
                            font.bold: true
                        }
                        Repeater {
                            model: !resultLayout.formatValid ? ["sameSource", "safePreview", "extensionFailed"]
                                   : resultLayout.binaryKind ? ["dataNotEmpty", "safePreview", "originalUntouched"]
                                   : ["structureComplete", "parses", "originalUntouched"]
                            RowLayout {
                                id: validationRow
                                objectName: "validationRow" + index
                                required property string modelData
                                required property int index
                                readonly property bool warning: !resultLayout.formatValid && validationRow.index === 2
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
                                    Layout.fillWidth: true
                                    text: page.validationLabel(validationRow.modelData)
                                    wrapMode: Text.Wrap
                                    color: validationRow.warning ? "#B54708" : "#087A40"
                                    font.family: ApplicationFont.family
                                    font.bold: true
                                }
                            }
                        }
                        Label {
                            Layout.fillWidth: true
                            text: page.workflow.validationMessage
                            visible: text !== ""
                            wrapMode: Text.Wrap
                            color: "#78877F"
                            font.family: ApplicationFont.family
                            font.pixelSize: 11
                        }
                        Item {
                            Layout.fillHeight: true
                        }
                        Rectangle {
                            objectName: "cacheNotice"
                            visible: page.workflow.hasUnsavedResult
                            Layout.fillWidth: true
                            Layout.preferredHeight: Math.max(62, cacheNoticeContent.implicitHeight + 20)
                            radius: 7
                            color: "#EFF6FF"
                            border.color: "#B2D0F7"
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
                                    text: qsTr("当前结果仍在私有缓存，尚未保存到用户目录。")
                                    wrapMode: Text.Wrap
                                    color: "#174A8B"
                                    font.family: ApplicationFont.family
                                    font.pixelSize: 11
                                }
                            }
                        }
                    }
                }
            }

            Rectangle {
                objectName: "savedBar"
                readonly property bool shown: resultLayout.saved && page.workflow.outputPath !== ""
                visible: shown
                Layout.fillWidth: true
                Layout.preferredHeight: shown ? 42 : 0
                radius: 7
                color: "#F3F8F5"
                border.color: "#D7E6DE"
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
                        text: qsTr("已保存到")
                        color: "#087A40"
                        font.family: ApplicationFont.family
                        font.pixelSize: 12
                        font.bold: true
                    }
                    Label {
                        id: savedPathLabel
                        objectName: "savedPathLabel"
                        Layout.fillWidth: true
                        Layout.minimumWidth: 0
                        text: page.workflow.outputPath
                        elide: Text.ElideMiddle
                        maximumLineCount: 1
                        color: "#475467"
                        font.family: ApplicationFont.family
                        font.pixelSize: 12
                        HoverHandler {
                            id: savedPathHover
                            acceptedButtons: Qt.NoButton
                        }
                        ToolTip.visible: savedPathHover.hovered && savedPathLabel.truncated
                        ToolTip.delay: 400
                        ToolTip.text: page.workflow.outputPath
                    }
                    AppButton {
                        objectName: "revealButton"
                        text: qsTr("打开预览")
                        variant: "ghost"
                        compact: true
                        iconSource: "assets/action-folder-secondary.svg"
                        onClicked: page.workflow.revealResult()
                    }
                }
            }

            Label {
                objectName: "resultStatus"
                Layout.fillWidth: true
                visible: page.resultNotice !== ""
                text: page.workflow.status
                wrapMode: Text.Wrap
                color: page.resultNotice === "failed" ? "#B42318" : "#087A40"
                font.family: ApplicationFont.family
                font.pixelSize: 12
            }

            GridLayout {
                id: resultActions
                objectName: "resultActions"
                Layout.fillWidth: true
                columns: resultLayout.width >= 800 ? 4 : 2
                columnSpacing: 6
                rowSpacing: 8

                AppButton {
                    objectName: "saveButton"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumWidth: 0
                    Layout.preferredWidth: 1
                    text: qsTr("保存修复结果")
                    iconSource: "assets/action-save.svg"
                    enabled: !resultLayout.saved
                    onClicked: page.saveResultByRule()
                }
                AppButton {
                    objectName: "resetPreviewButton"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumWidth: 0
                    Layout.preferredWidth: 1
                    text: qsTr("重置预览")
                    variant: "secondary"
                    iconSource: "assets/action-preview.svg"
                    onClicked: internalPreview.resetView()
                }
                AppButton {
                    objectName: "exportReportButton"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumWidth: 0
                    Layout.preferredWidth: 1
                    text: qsTr("导出报告")
                    variant: "secondary"
                    iconSource: "assets/action-report.svg"
                    onClicked: reportDialog.open()
                }
                AppButton {
                    objectName: "repairAgainButton"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.minimumWidth: 0
                    Layout.preferredWidth: 1
                    text: qsTr("重新修复")
                    variant: "secondary"
                    iconSource: "assets/action-retry.svg"
                    onClicked: page.startOver()
                }
            }
        }
    }
}
