import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

Switch {
    id: control

    implicitWidth: 46
    implicitHeight: 26
    padding: 0
    font.family: Theme.fontFamily

    // Pages put their own label beside the switch.
    contentItem: Item {}

    indicator: Rectangle {
        objectName: "track"
        x: control.leftPadding
        anchors.verticalCenter: parent.verticalCenter
        width: 44
        height: 24
        radius: Theme.radiusPanel
        color: control.checked ? Theme.accent : Theme.switchTrackOff
        border.color: control.checked ? Theme.accent : Theme.switchBorderOff

        Rectangle {
            objectName: "knob"
            width: 18
            height: 18
            radius: Theme.radiusInset
            anchors.verticalCenter: parent.verticalCenter
            x: control.checked ? parent.width - width - 3 : 3
            color: Theme.surface

            Behavior on x {
                NumberAnimation { duration: 120 }
            }
        }
    }

    background: Item {}
}
