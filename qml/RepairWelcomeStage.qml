import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The first stage: choose the damaged file (dialog or drop) and start the read-only analysis.
ColumnLayout {
    id: welcomeStage
    objectName: "welcomeStage"
    spacing: 14

    // What the workflow controller reports, passed in by the page.
    required property string workflowState
    required property bool canAnalyze
    required property string inputName
    required property string inputPath
    required property string inputSizeText
    required property string status
    // Requests the page carries out; it owns the file dialog the drop zone and both file buttons
    // ask for.
    signal analyzeRequested()
    signal chooseFileRequested()

    // One supported family: icon and name.
    component FormatChip: Rectangle {
        id: formatChip
        objectName: "formatChip"
        required property string icon
        required property string label
        Layout.fillWidth: true
        implicitWidth: chipContent.implicitWidth + 24
        implicitHeight: 38
        radius: Theme.radiusCompact
        color: Theme.surface
        border.color: Theme.chipBorder

        Row {
            id: chipContent
            anchors.centerIn: parent
            spacing: 6
            Image {
                anchors.verticalCenter: parent.verticalCenter
                width: 18
                height: 18
                source: formatChip.icon
                sourceSize.width: 36
                sourceSize.height: 36
            }
            Label {
                anchors.verticalCenter: parent.verticalCenter
                text: formatChip.label
                color: Theme.textBody
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSmall
            }
        }
    }

    Label {
        objectName: "welcomeHeading"
        Layout.fillWidth: true
        text: welcomeStage.inputPath !== "" ? qsTranslate("RepairPage", "文件已选择，开始只读分析") : qsTranslate("RepairPage", "选择需要修复的文件")
        wrapMode: Text.Wrap
        color: Theme.textTitle
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontStageHeading
        font.bold: true
    }

    Rectangle {
        id: dropZone
        objectName: "dropZone"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.minimumHeight: Math.max(310, welcomeContent.implicitHeight + 40)
        radius: Theme.radiusPanel
        color: dropMouse.containsMouse ? Theme.dropHoverFill : Theme.subtleFill

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
                context.strokeStyle = Theme.dropBorder
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
            onClicked: welcomeStage.chooseFileRequested()
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
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: welcomeStage.inputName !== "" ? welcomeStage.inputName : qsTranslate("RepairPage", "拖入损坏文件，或点击选择文件")
                horizontalAlignment: Text.AlignHCenter
                color: Theme.textProminent
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontEmphasis
                font.bold: true
                // Eliding in the middle works on one line only.
                wrapMode: welcomeStage.inputName !== "" ? Text.NoWrap : Text.Wrap
                elide: welcomeStage.inputName !== "" ? Text.ElideMiddle : Text.ElideNone
                maximumLineCount: welcomeStage.inputName !== "" ? 1 : 5
            }
            Label {
                objectName: "welcomeDetailLine"
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: welcomeStage.inputPath !== ""
                      ? welcomeStage.inputSizeText + "  ·  " + welcomeStage.inputPath
                      : qsTranslate("RepairPage", "支持常见文档、图片、音频和视频格式")
                horizontalAlignment: Text.AlignHCenter
                color: Theme.textHint
                font.family: Theme.fontFamily
                wrapMode: welcomeStage.inputPath !== "" ? Text.NoWrap : Text.Wrap
                elide: welcomeStage.inputPath !== "" ? Text.ElideMiddle : Text.ElideNone
                maximumLineCount: welcomeStage.inputPath !== "" ? 1 : 2
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

                FormatChip {
                    icon: "assets/file-image.svg"
                    label: qsTranslate("RepairPage", "图片")
                }
                FormatChip {
                    icon: "assets/file-video.svg"
                    label: qsTranslate("RepairPage", "音视频")
                }
                FormatChip {
                    icon: "assets/file-docx.svg"
                    label: qsTranslate("RepairPage", "文档")
                }
                FormatChip {
                    icon: "assets/file-pdf.svg"
                    label: "PDF"
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
                    text: qsTranslate("RepairPage", "不会修改原文件")
                    color: Theme.textSuccess
                    font.family: Theme.fontFamily
                    font.bold: true
                    wrapMode: Text.Wrap
                }
            }
            AppButton {
                objectName: "chooseFileButton"
                Layout.alignment: Qt.AlignHCenter
                text: qsTranslate("RepairPage", "选择文件")
                iconSource: "assets/action-folder.svg"
                onClicked: welcomeStage.chooseFileRequested()
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 10

        Label {
            id: welcomeStatus
            objectName: "welcomeStatus"
            textFormat: Text.PlainText
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            // Takes what the buttons leave; its wrapped text never pushes them.
            Layout.preferredWidth: 1
            // A long file name inside the status is elided in its middle, so the line keeps to
            // the width instead of wrapping the name over many lines.
            text: welcomeStage.inputPath !== ""
                ? welcomeStage.status.replace(welcomeStage.inputName, statusNameMetrics.elidedText)
                : qsTranslate("RepairPage", "选择需要修复的文件")
            wrapMode: Text.Wrap

            TextMetrics {
                id: statusNameMetrics
                font: welcomeStatus.font
                text: welcomeStage.inputName
                elide: Text.ElideMiddle
                elideWidth: Math.max(80, welcomeStatus.width * 0.6)
            }
            color: welcomeStage.workflowState === WorkflowState.failed ? Theme.textError : Theme.textSecondary
            font.family: Theme.fontFamily
        }
        AppButton {
            objectName: "changeFileButton"
            visible: welcomeStage.inputPath !== ""
            text: qsTranslate("RepairPage", "更换文件")
            variant: "secondary"
            onClicked: welcomeStage.chooseFileRequested()
        }
        AppButton {
            objectName: "analyzeButton"
            text: qsTranslate("RepairPage", "开始分析")
            iconSource: "assets/action-analyze.svg"
            enabled: welcomeStage.canAnalyze
            onClicked: welcomeStage.analyzeRequested()
        }
    }
}
