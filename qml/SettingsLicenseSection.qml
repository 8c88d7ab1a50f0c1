import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The "license" section of the settings page: about the program and the licence documents.
SettingsCard {
    id: section
    objectName: "licenseCard"

    required property var settings
    // Below 650 px the three licence buttons stand one above the other.
    required property bool narrow
    implicitHeight: licenseColumn.implicitHeight + 40

    ColumnLayout {
        id: licenseColumn
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 20
        spacing: 14

        RowLayout {
            Layout.fillWidth: true
            spacing: 12
            Image {
                Layout.preferredWidth: 44
                Layout.preferredHeight: 44
                source: "assets/korvex_file_repair-app-icon-256.png"
                sourceSize.width: 88
                sourceSize.height: 88
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "关于 Korvex 文件修复")
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "Qt 6 · LGPLv3 动态链接")
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "版本 %1").arg(section.settings.applicationVersion)
                    color: Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    wrapMode: Text.Wrap
                }
            }
        }

        Label {
            Layout.fillWidth: true
            text: qsTranslate("SettingsPage", "许可证正文和第三方声明随程序提供，位于可执行文件旁的 licenses 文件夹。")
            color: Theme.textSecondary
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            wrapMode: Text.Wrap
        }

        GridLayout {
            objectName: "licenseButtons"
            Layout.fillWidth: true
            columns: section.narrow ? 1 : 3
            columnSpacing: 10
            rowSpacing: 10

            AppButton {
                objectName: "lgplButton"
                Layout.fillWidth: true
                compact: true
                variant: "secondary"
                text: qsTranslate("SettingsPage", "LGPLv3 正文")
                onClicked: section.settings.showLgplLicense()
            }
            AppButton {
                objectName: "noticesButton"
                Layout.fillWidth: true
                compact: true
                variant: "secondary"
                text: qsTranslate("SettingsPage", "第三方声明")
                onClicked: section.settings.showThirdPartyNotices()
            }
            AppButton {
                objectName: "qtSourceButton"
                Layout.fillWidth: true
                compact: true
                variant: "secondary"
                text: qsTranslate("SettingsPage", "获取对应 Qt 源码")
                onClicked: section.settings.showQtSourceInstructions()
            }
        }
    }
}
