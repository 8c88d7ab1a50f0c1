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
                font.family: ApplicationFont.family
                font.bold: true
            }
        }
        Label {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: phase.title
            wrapMode: Text.Wrap
            color: "#34473E"
            font.family: ApplicationFont.family
            font.bold: true
        }
        Label {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: phase.statusText
            wrapMode: Text.Wrap
            color: "#78877F"
            font.family: ApplicationFont.family
            font.pixelSize: 11
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
                color: "#10261B"
                font.family: ApplicationFont.family
                font.pixelSize: 21
                font.bold: true
            }
            Label {
                Layout.fillWidth: true
                text: repairStage.inputName
                elide: Text.ElideMiddle
                color: "#66756E"
                font.family: ApplicationFont.family
            }
        }
        Label {
            objectName: "repairPercent"
            text: repairStage.progress + "%"
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
        value: repairStage.progress
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        Phase {
            fill: "#07964D"
            mark: ""
            markColor: "#FFFFFF"
            title: qsTranslate("RepairPage", "检测结构")
            statusText: qsTranslate("RepairPage", "完成")
        }
        Phase {
            fill: "#07964D"
            mark: "2"
            markColor: "#FFFFFF"
            title: qsTranslate("RepairPage", "重建内容")
            statusText: qsTranslate("RepairPage", "进行中")
        }
        Phase {
            fill: "#E5E9E7"
            mark: "3"
            markColor: "#66756E"
            title: qsTranslate("RepairPage", "独立验证")
            statusText: qsTranslate("RepairPage", "等待中")
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
                    text: qsTranslate("RepairPage", "原文件保持不变")
                    color: "#174A8B"
                    font.family: ApplicationFont.family
                    font.bold: true
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("RepairPage", "所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。")
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
                        text: qsTranslate("RepairPage", "磁盘空间安全")
                        color: "#34473E"
                        font.family: ApplicationFont.family
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        text: qsTranslate("RepairPage", "写入应用私有缓存，完成后再由你选择保存位置")
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
                    text: qsTranslate("RepairPage", "空间充足")
                    color: "#087A40"
                    font.family: ApplicationFont.family
                    font.pixelSize: 12
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
