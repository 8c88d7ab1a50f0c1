import QtQuick
import Korvex.FileRepair

// A bar 0..100 in the repair page's own look.
Rectangle {
    id: track

    property int value: 0
    property int trackHeight: 8

    implicitHeight: track.trackHeight
    radius: track.trackHeight / 2
    color: Theme.rule

    Rectangle {
        objectName: "progressFill"
        width: track.width * Math.max(0, Math.min(100, track.value)) / 100
        height: parent.height
        radius: parent.radius
        color: Theme.accent
    }
}
