import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The "repair" section of the settings page: save behaviour, cache limit, open-after-save, and the
// cache card with its two clean-ups.
ColumnLayout {
    id: section
    spacing: 14
    // Hidden, it keeps the column's width (see SettingsCard).
    implicitWidth: parent ? parent.width : 0
    Layout.fillWidth: true

    required property var settings
    required property var workflow
    // The unsaved result's path that every cache operation spares.
    required property string protectedOutputPath
    required property bool narrow

    signal clearExpiredRequested()

    // A control the user changed holds the value it was given; these put the service's back.
    function followSaveBehavior() {
        saveBehaviorBox.currentIndex = Qt.binding(function() { return section.settings.defaultSaveBehavior === "last" ? 1 : 0 })
    }
    function followCacheLimit() {
        cacheLimitField.text = Qt.binding(function() { return String(section.settings.cacheLimitMb) })
    }
    function followOpenAfterSave() {
        openAfterSaveSwitch.checked = Qt.binding(function() { return section.settings.openAfterSave })
    }
    // The service's values after it changed; a limit being typed is left alone.
    function followSettings() {
        section.followSaveBehavior()
        if (!cacheLimitField.activeFocus)
            section.followCacheLimit()
        section.followOpenAfterSave()
    }

    SettingsCard {
        objectName: "repairSettingsCard"
        implicitHeight: repairGrid.implicitHeight + 44

        GridLayout {
            id: repairGrid
            objectName: "repairGrid"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 22
            columns: section.narrow ? 1 : 2
            columnSpacing: 16
            rowSpacing: 14

            SettingsLabel { text: qsTranslate("SettingsPage", "默认保存行为") }
            AppComboBox {
                id: saveBehaviorBox
                objectName: "saveBehaviorBox"
                Layout.fillWidth: true
                Layout.minimumWidth: saveBehaviorBox.implicitWidth
                model: [qsTranslate("SettingsPage", "每次询问"), qsTranslate("SettingsPage", "使用上次保存目录")]
                currentIndex: section.settings.defaultSaveBehavior === "last" ? 1 : 0
                onActivated: function(index) {
                    section.settings.defaultSaveBehavior = index === 1 ? "last" : "ask"
                    section.followSaveBehavior()
                }
            }

            SettingsLabel { text: qsTranslate("SettingsPage", "上次保存目录") }
            Label {
                objectName: "lastSaveDirectoryLabel"
                Layout.fillWidth: true
                text: section.settings.lastSaveDirectoryAvailable ? section.settings.lastSaveDirectory
                                                               : qsTranslate("SettingsPage", "尚未选择有效目录")
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                color: section.settings.lastSaveDirectoryAvailable ? Theme.textBody : Theme.textDisabled
                font.family: Theme.fontFamily
            }

            SettingsLabel { text: qsTranslate("SettingsPage", "临时缓存上限") }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                AppTextField {
                    id: cacheLimitField
                    objectName: "cacheLimitField"
                    Layout.fillWidth: true
                    text: String(section.settings.cacheLimitMb)
                    inputMethodHints: Qt.ImhDigitsOnly
                    validator: IntValidator { bottom: 128; top: 4096 }
                    onEditingFinished: {
                        section.settings.cacheLimitMb = parseInt(text, 10)
                        section.followCacheLimit()
                        section.settings.enforceCacheLimit(section.protectedOutputPath)
                    }
                    // Input that is no acceptable limit never finishes editing; leaving
                    // the field shows the limit in effect again.
                    onActiveFocusChanged: {
                        if (!activeFocus)
                            section.followCacheLimit()
                    }
                }
                Label {
                    text: "MB"
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                }
            }

            SettingsLabel { text: qsTranslate("SettingsPage", "保存后在文件管理器中定位") }
            AppSwitch {
                id: openAfterSaveSwitch
                objectName: "openAfterSaveSwitch"
                checked: section.settings.openAfterSave
                onToggled: {
                    section.settings.openAfterSave = checked
                    section.followOpenAfterSave()
                }
            }
        }
    }

    SettingsCard {
        objectName: "cacheCard"
        implicitHeight: cacheRow.implicitHeight + 40

        // The texts over the full width and the buttons on a right-aligned row below: wrapping
        // texts beside the buttons changed the row's height while it was being laid out.
        ColumnLayout {
            id: cacheRow
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 20
            spacing: 14

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 6
                Label {
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "临时修复缓存")
                    color: Theme.textTitle
                    font.family: Theme.fontFamily
                    font.bold: true
                    font.pixelSize: Theme.fontSection
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "cacheUsage"
                    Layout.fillWidth: true
                    text: qsTranslate("SettingsPage", "当前占用：") + section.settings.cacheSizeText
                          + qsTranslate("SettingsPage", "；上限：%1 MB").arg(section.settings.cacheLimitMb)
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "cacheProtectionNote"
                    Layout.fillWidth: true
                    text: section.workflow.hasUnsavedResult
                          ? qsTranslate("SettingsPage", "当前未保存结果受到保护；清理不会触碰该任务或用户原始文件")
                          : qsTranslate("SettingsPage", "仅管理应用 repair-output 下、名称符合任务标识的缓存目录")
                    color: section.workflow.hasUnsavedResult ? Theme.textWarning : Theme.textHint
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    wrapMode: Text.Wrap
                }
            }

            RowLayout {
                Layout.alignment: Qt.AlignRight
                spacing: 10
                AppButton {
                    objectName: "enforceLimitButton"
                    compact: true
                    variant: "secondary"
                    text: qsTranslate("SettingsPage", "按上限整理")
                    enabled: !section.workflow.busy
                    onClicked: section.settings.enforceCacheLimit(section.protectedOutputPath)
                }
                AppButton {
                    objectName: "clearExpiredButton"
                    compact: true
                    variant: "secondary"
                    text: qsTranslate("SettingsPage", "清理过期缓存")
                    enabled: !section.workflow.busy
                    onClicked: section.clearExpiredRequested()
                }
            }
        }
    }
}
