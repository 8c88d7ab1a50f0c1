import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The "general" section of the settings page: the interface language and theme.
SettingsCard {
    id: section
    objectName: "generalCard"

    required property var settings
    required property var languageCodes
    required property var languageLabels
    // Below 570 px the labels stand above their controls.
    required property bool narrow

    function languageIndex() {
        return Math.max(0, section.languageCodes.indexOf(section.settings.language))
    }
    // Puts the service's language back into the box, with its binding.
    function followLanguage() {
        languageBox.currentIndex = Qt.binding(function() { return section.languageIndex() })
    }
    implicitHeight: generalColumn.implicitHeight + 44

    ColumnLayout {
        id: generalColumn
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 22
        spacing: 14

        Label {
            text: qsTranslate("SettingsPage", "界面设置")
            color: Theme.textTitle
            font.family: Theme.fontFamily
            font.bold: true
            font.pixelSize: Theme.fontEmphasis
        }

        GridLayout {
            objectName: "generalGrid"
            Layout.fillWidth: true
            columns: section.narrow ? 1 : 2
            columnSpacing: 16
            rowSpacing: 14

            SettingsLabel { text: qsTranslate("SettingsPage", "界面语言") }
            AppComboBox {
                id: languageBox
                objectName: "languageBox"
                Layout.fillWidth: true
                model: section.languageLabels
                currentIndex: section.languageIndex()
                onActivated: function(index) {
                    section.settings.language = section.languageCodes[index]
                    section.followLanguage()
                }
            }

            SettingsLabel { text: qsTranslate("SettingsPage", "界面主题") }
            Rectangle {
                Layout.fillWidth: true
                implicitHeight: Math.max(42, themeText.implicitHeight + 20)
                color: Theme.readOnlyFill
                border.color: Theme.cardBorder
                radius: Theme.radiusControl
                Label {
                    id: themeText
                    anchors.fill: parent
                    anchors.leftMargin: 13
                    anchors.rightMargin: 13
                    verticalAlignment: Text.AlignVCenter
                    text: qsTranslate("SettingsPage", "浅色（已完成视觉验收）")
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: Math.max(62, noteText.implicitHeight + 22)
            color: Theme.noteFill
            border.color: Theme.noteBorder
            radius: Theme.radiusControl
            Label {
                id: noteText
                anchors.fill: parent
                anchors.margins: 11
                verticalAlignment: Text.AlignVCenter
                text: qsTranslate("SettingsPage", "支持八种界面语言，可立即切换；当前提供经过验收的浅色主题。")
                color: Theme.textNote
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                wrapMode: Text.Wrap
            }
        }
    }
}
