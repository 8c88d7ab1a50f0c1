import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The label of a setting in the settings page's grids.
Label {
    color: Theme.textBody
    font.family: Theme.fontFamily
    font.bold: true
    wrapMode: Text.Wrap
    Layout.fillWidth: true
}
