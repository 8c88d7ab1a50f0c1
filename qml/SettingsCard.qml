import QtQuick
import Korvex.FileRepair
import QtQuick.Layouts

// A card of the settings page. A card the column hides keeps the column's width: laid out at zero
// width, its rows would wrap every word and re-lay themselves without end.
Rectangle {
    color: Theme.surface
    radius: Theme.radiusPanel
    border.color: Theme.cardBorder
    implicitWidth: parent ? parent.width : 0
    Layout.fillWidth: true
}
