import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 400
    height: 400

    Component {
        id: comboComponent
        AppComboBox {
            width: 240
            model: ["简体中文", "English", "Deutsch"]
        }
    }

    TestCase {
        name: "AppComboBox"
        when: windowShown

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_look() {
            const combo = createTemporaryObject(comboComponent, root)
            const background = findChild(combo, "background")
            compare(combo.implicitHeight, 42)
            compare(combo.leftPadding, 13)
            compare(combo.rightPadding, 36)
            compare(combo.font.pixelSize, 13)
            compare(findChild(combo, "displayText").text, "简体中文")
            const arrow = findChild(combo, "arrow")
            compare(arrow.text, "⌄")
            compare(arrow.x + arrow.width, combo.width - 13)
            sameColor(background.color, "#FFFFFF", "fill")
            sameColor(background.border.color, "#CBD5D0", "border")
            compare(background.border.width, 1)
            combo.forceActiveFocus()
            sameColor(background.border.color, "#07964D", "focus border")
            compare(background.border.width, 2)
        }

        function test_popupListsEntriesOnlyWhileOpen() {
            const combo = createTemporaryObject(comboComponent, root)
            const list = combo.popup.contentItem
            compare(list.count, 0)
            mouseClick(combo)
            tryVerify(() => combo.popup.opened)
            compare(list.count, 3)
            // The list grows to its content: every entry is shown, no scrolling.
            tryVerify(() => list.itemAtIndex(2) !== null)
            tryCompare(combo.popup, "height", 3 * 38 + 8)
            compare(combo.popup.y, combo.height + 4)
            compare(combo.popup.width, combo.width)
            const entry = list.itemAtIndex(1)
            compare(entry.width, combo.width - 8)
            compare(entry.height, 38)
            keyClick(Qt.Key_Down)
            tryCompare(combo, "highlightedIndex", 1)
            sameColor(findChild(entry, "entryBackground").color, "#EAF8F0", "highlighted entry")
            sameColor(findChild(list.itemAtIndex(0), "entryBackground").color, "transparent", "other entry")
            keyClick(Qt.Key_Return)
            tryVerify(() => !combo.popup.visible)
            compare(combo.currentIndex, 1)
            compare(findChild(combo, "displayText").text, "English")
            compare(list.count, 0)
        }
    }
}
