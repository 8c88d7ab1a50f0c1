import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// A confirmation of the settings page: a message, "取消" and the confirming button.
Dialog {
    id: confirm
    property string message
    property string confirmText
    property string confirmVariant: "primary"
    signal confirmed()

    anchors.centerIn: parent
    width: 430
    modal: true
    standardButtons: Dialog.NoButton
    font.family: Theme.fontFamily

    ColumnLayout {
        anchors.fill: parent
        spacing: 16
        Label {
            Layout.fillWidth: true
            text: confirm.message
            color: Theme.textSecondary
            font.family: Theme.fontFamily
            wrapMode: Text.Wrap
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            Item { Layout.fillWidth: true }
            AppButton {
                objectName: "cancelButton"
                compact: true
                variant: "secondary"
                text: qsTranslate("SettingsPage", "取消")
                onClicked: confirm.close()
            }
            AppButton {
                objectName: "confirmButton"
                compact: true
                variant: confirm.confirmVariant
                text: confirm.confirmText
                onClicked: {
                    confirm.confirmed()
                    confirm.close()
                }
            }
        }
    }
}
