import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

TextField {
    id: control

    implicitHeight: 44
    leftPadding: 13
    rightPadding: 13
    font.family: ApplicationFont.family
    font.pixelSize: 14
    color: "#17251E"
    placeholderTextColor: "#98A29D"
    selectionColor: "#BDEBD0"
    selectedTextColor: "#17251E"

    background: Rectangle {
        objectName: "background"
        radius: 8
        color: control.enabled ? "#FFFFFF" : "#F4F6F5"
        border.color: control.activeFocus ? "#07964D" : "#CBD5D0"
        border.width: control.activeFocus ? 2 : 1
    }
}
