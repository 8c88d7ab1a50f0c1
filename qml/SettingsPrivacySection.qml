import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The "privacy" section of the settings page: local processing, the diagnostics switch and log.
SettingsCard {
    id: section
    objectName: "privacyCard"

    required property var settings

    signal clearDiagnosticsRequested()

    // Puts the service's switch state back, with its binding.
    function followDiagnostics() {
        diagnosticsSwitch.checked = Qt.binding(function() { return section.settings.diagnosticsEnabled })
    }
    implicitHeight: privacyColumn.implicitHeight + 40

    ColumnLayout {
        id: privacyColumn
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 20
        spacing: 14

        Label {
            text: qsTranslate("SettingsPage", "隐私与安全状态")
            color: Theme.textTitle
            font.family: Theme.fontFamily
            font.bold: true
            font.pixelSize: Theme.fontSection
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Image {
                Layout.preferredWidth: 18
                Layout.preferredHeight: 18
                source: "assets/status-check.svg"
                sourceSize.width: 36
                sourceSize.height: 36
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "文件完全本地处理")
                    color: Theme.textSuccess
                    font.family: Theme.fontFamily
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "修复文件始终在本地，不会上传或共享。")
                    color: Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    wrapMode: Text.Wrap
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.rule
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Image {
                objectName: "diagnosticsIcon"
                Layout.preferredWidth: 18
                Layout.preferredHeight: 18
                source: section.settings.diagnosticsEnabled ? "assets/status-check.svg"
                                                         : "assets/status-disabled.svg"
                sourceSize.width: 36
                sourceSize.height: 36
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "本地匿名诊断日志")
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "仅记录时间、事件名和应用版本，不记录文件名、路径或内容，也不会自动上传。")
                    color: Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    wrapMode: Text.Wrap
                }
            }
            AppSwitch {
                id: diagnosticsSwitch
                objectName: "diagnosticsSwitch"
                checked: section.settings.diagnosticsEnabled
                onToggled: {
                    section.settings.diagnosticsEnabled = checked
                    section.followDiagnostics()
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    objectName: "diagnosticsSize"
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "日志占用：") + section.settings.diagnosticsSizeText
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "diagnosticsPathLabel"
                    Layout.fillWidth: true
                    text: section.settings.diagnosticsPath
                    textFormat: Text.PlainText
                    elide: Text.ElideMiddle
                    color: Theme.textDisabled
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontTiny
                }
            }
            AppButton {
                objectName: "clearDiagnosticsButton"
                compact: true
                variant: "secondary"
                text: qsTranslate("SettingsPage", "清除日志")
                onClicked: section.clearDiagnosticsRequested()
            }
        }
    }
}
