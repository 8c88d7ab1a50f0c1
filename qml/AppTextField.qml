import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

TextField {
    id: control

    implicitHeight: 44
    leftPadding: 13
    rightPadding: 13
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontBody
    color: Theme.textControl
    placeholderTextColor: Theme.textDisabled
    selectionColor: Theme.selection
    selectedTextColor: Theme.textControl

    background: Rectangle {
        objectName: "background"
        radius: Theme.radiusControl
        color: control.enabled ? Theme.surface : Theme.fieldDisabledFill
        border.color: control.activeFocus ? Theme.accent : Theme.controlBorder
        border.width: control.activeFocus ? 2 : 1
    }
}
