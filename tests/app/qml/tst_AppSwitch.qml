import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 200
    height: 100

    Component {
        id: switchComponent
        AppSwitch {}
    }

    TestCase {
        name: "AppSwitch"
        when: windowShown

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_lookAndSlide() {
            const control = createTemporaryObject(switchComponent, root)
            const track = findChild(control, "track")
            const knob = findChild(control, "knob")
            compare(control.implicitWidth, 46)
            compare(control.implicitHeight, 26)
            compare(track.width, 44)
            compare(track.height, 24)
            compare(track.radius, 12)
            compare(knob.width, 18)
            compare(knob.radius, 9)
            compare(knob.x, 3)
            sameColor(track.color, "#C7CFCA", "off fill")
            sameColor(track.border.color, "#B8C1BC", "off border")

            mouseClick(control)
            // The state changes at once; the knob slides over 120 ms.
            verify(control.checked)
            sameColor(track.color, "#07964D", "on fill")
            sameColor(track.border.color, "#07964D", "on border")
            verify(knob.x < 44 - 18 - 3, "knob jumped to " + knob.x)
            tryCompare(knob, "x", 44 - 18 - 3, 1000)

            mouseClick(control)
            verify(!control.checked)
            tryCompare(knob, "x", 3, 1000)
        }

        function test_keyboardToggles() {
            const control = createTemporaryObject(switchComponent, root)
            control.forceActiveFocus()
            keyClick(Qt.Key_Space)
            verify(control.checked)
        }
    }
}
