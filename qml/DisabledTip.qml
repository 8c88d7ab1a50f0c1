import QtQuick
import QtQuick.Controls.Basic

// A tooltip for a control that may be disabled: disabled items get no hover of their own, so
// the wrapper watches the pointer.
Item {
    id: tipHost

    property string tip: ""
    property Item control: null

    implicitWidth: tipHost.control ? tipHost.control.implicitWidth : 0
    implicitHeight: tipHost.control ? tipHost.control.implicitHeight : 0

    readonly property bool tipShown: tipHover.hovered && tipHost.control !== null && !tipHost.control.enabled && tipHost.tip !== ""

    HoverHandler {
        id: tipHover
    }
    ToolTip.visible: tipHost.tipShown
    ToolTip.text: tipHost.tip
}
