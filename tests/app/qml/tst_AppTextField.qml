import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 400
    height: 200

    Component {
        id: fieldComponent
        AppTextField { placeholderText: "请输入邮箱" }
    }

    TestCase {
        name: "AppTextField"
        when: windowShown

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_lookAndStates() {
            const field = createTemporaryObject(fieldComponent, root)
            const background = findChild(field, "background")
            compare(field.implicitHeight, 44)
            compare(field.leftPadding, 13)
            compare(field.rightPadding, 13)
            compare(field.font.pixelSize, 14)
            sameColor(field.color, "#17251E", "text")
            sameColor(field.placeholderTextColor, "#98A29D", "placeholder")
            sameColor(field.selectionColor, "#BDEBD0", "selection")
            sameColor(field.selectedTextColor, "#17251E", "selected text")
            sameColor(background.color, "#FFFFFF", "fill")
            compare(background.radius, 8)
            compare(background.border.width, 1)
            sameColor(background.border.color, "#CBD5D0", "border")

            field.forceActiveFocus()
            keyClick(Qt.Key_A)
            compare(field.text, "a")
            compare(background.border.width, 2)
            sameColor(background.border.color, "#07964D", "focus border")

            field.enabled = false
            sameColor(background.color, "#F4F6F5", "disabled fill")
        }
    }
}
