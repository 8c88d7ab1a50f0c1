import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

Switch {
    id: control

    implicitWidth: 46
    implicitHeight: 26
    padding: 0
    font.family: ApplicationFont.family

    // Pages put their own label beside the switch.
    contentItem: Item {}

    indicator: Rectangle {
        objectName: "track"
        x: control.leftPadding
        anchors.verticalCenter: parent.verticalCenter
        width: 44
        height: 24
        radius: 12
        color: control.checked ? "#07964D" : "#C7CFCA"
        border.color: control.checked ? "#07964D" : "#B8C1BC"

        Rectangle {
            objectName: "knob"
            width: 18
            height: 18
            radius: 9
            anchors.verticalCenter: parent.verticalCenter
            x: control.checked ? parent.width - width - 3 : 3
            color: "#FFFFFF"

            Behavior on x {
                NumberAnimation { duration: 120 }
            }
        }
    }

    background: Item {}
}
