import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The repair in progress: percentage, phases, the promise that the original stays untouched, and
// cancelling.
ColumnLayout {
    id: repairStage
    objectName: "repairStage"
    spacing: 18

    // What the workflow controller reports, passed in by the page.
    required property string inputName
    required property int progress
    // 0 the engine rebuilds the file, 1 the output is validated, 2 the result is sealed.
    required property int repairStep
    required property string status
    // Requests the page carries out.
    signal cancelRequested()

    // One phase of the repair: its mark, its name and where it stands.
    component Phase: ColumnLayout {
        id: phase
        required property color fill
        required property string mark
        required property color markColor
        required property string title
        required property string statusText
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        spacing: 5
        Rectangle {
            Layout.alignment: Qt.AlignHCenter
            Layout.preferredWidth: 34
            Layout.preferredHeight: 34
            radius: 17
            color: phase.fill
            Image {
                anchors.centerIn: parent
                visible: phase.mark === ""
                width: 20
                height: 20
                source: "assets/status-check-white.svg"
                sourceSize.width: 40
                sourceSize.height: 40
            }
            Label {
                anchors.centerIn: parent
                visible: phase.mark !== ""
                text: phase.mark
                color: phase.markColor
                font.family: Theme.fontFamily
                font.bold: true
            }
        }
        Label {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: phase.title
            wrapMode: Text.Wrap
            color: Theme.textBody
            font.family: Theme.fontFamily
            font.bold: true
        }
        Label {
            objectName: "progressStatusText"
            textFormat: Text.PlainText
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: phase.statusText
            wrapMode: Text.Wrap
            color: Theme.textHint
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
        }
    }

    RowLayout {
        Layout.fillWidth: true
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 4
            Label {
                Layout.fillWidth: true
                text: qsTranslate("RepairPage", "正在私有缓存中修复")
                wrapMode: Text.Wrap
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontStageHeading
                font.bold: true
            }
            Label {
                objectName: "progressFileName"
                textFormat: Text.PlainText
                Layout.fillWidth: true
                text: repairStage.inputName
                elide: Text.ElideMiddle
                color: Theme.textSecondary
                font.family: Theme.fontFamily
            }
        }
        Label {
            objectName: "repairPercent"
            text: repairStage.progress + "%"
            color: Theme.accent
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontDisplay
            font.bold: true
        }
    }

    ProgressTrack {
        objectName: "repairProgress"
        Layout.fillWidth: true
        trackHeight: 10
        color: Theme.headerBorder
        value: repairStage.progress
    }

    Label {
        objectName: "repairStatus"
        Layout.fillWidth: true
        text: repairStage.status
        textFormat: Text.PlainText
        elide: Text.ElideRight
        color: Theme.textSecondary
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontSmall
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        Phase {
            fill: Theme.accent
            mark: ""
            markColor: Theme.textOnAccent
            title: qsTranslate("RepairPage", "检测结构")
            statusText: qsTranslate("RepairPage", "完成")
        }
        Phase {
            objectName: "rebuildPhase"
            fill: Theme.accent
            mark: repairStage.repairStep > 0 ? "" : "2"
            markColor: Theme.textOnAccent
            title: qsTranslate("RepairPage", "重建内容")
            statusText: repairStage.repairStep > 0 ? qsTranslate("RepairPage", "完成") : qsTranslate("RepairPage", "进行中")
        }
        Phase {
            objectName: "verifyPhase"
            fill: repairStage.repairStep > 0 ? Theme.accent : Theme.phasePendingFill
            mark: repairStage.repairStep > 1 ? "" : "3"
            markColor: repairStage.repairStep > 0 ? Theme.textOnAccent : Theme.textSecondary
            title: qsTranslate("RepairPage", "独立验证")
            statusText: repairStage.repairStep === 0 ? qsTranslate("RepairPage", "等待中")
                        : repairStage.repairStep === 1 ? qsTranslate("RepairPage", "进行中")
                        : qsTranslate("RepairPage", "完成")
        }
    }

    Rectangle {
        Layout.fillWidth: true
        Layout.preferredHeight: 78
        radius: Theme.radiusInset
        color: Theme.promiseFill
        border.color: Theme.noteBorder
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
                    text: qsTranslate("RepairPage", "原文件保持不变")
                    color: Theme.textNote
                    font.family: Theme.fontFamily
                    font.bold: true
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。")
                    wrapMode: Text.Wrap
                    color: Theme.textPromiseDetail
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontSmall
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
            radius: Theme.radiusInset
            color: Theme.subtleFill
            border.color: Theme.panelBorder
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
                        text: qsTranslate("RepairPage", "磁盘空间安全")
                        color: Theme.textBody
                        font.family: Theme.fontFamily
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        text: qsTranslate("RepairPage", "写入应用私有缓存，完成后再由你选择保存位置")
                        elide: Text.ElideRight
                        color: Theme.textHint
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
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
                    text: qsTranslate("RepairPage", "空间充足")
                    color: Theme.textSuccess
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontSmall
                    font.bold: true
                }
            }
        }
        AppButton {
            objectName: "cancelTaskButton"
            text: qsTranslate("RepairPage", "取消任务")
            variant: "secondary"
            onClicked: repairStage.cancelRequested()
        }
    }
}
