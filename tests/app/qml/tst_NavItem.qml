import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 400
    height: 300

    Component {
        id: navComponent
        NavItem { text: "文件修复" }
    }

    TestCase {
        name: "NavItem"
        when: windowShown

        function make(properties) {
            const item = createTemporaryObject(navComponent, root, properties)
            verify(item)
            waitForRendering(item)
            return item
        }

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_symbolWithoutIcon() {
            const item = make({})
            const symbol = findChild(item, "symbol")
            verify(symbol.visible)
            compare(symbol.text, "•")
            verify(!findChild(item, "icon").visible)
            sameColor(symbol.color, "#66756E", "inactive glyph")
            item.active = true
            sameColor(symbol.color, "#07964D", "active glyph")
            item.symbol = "★"
            compare(symbol.text, "★")
        }

        function test_icon() {
            const item = make({ iconSource: "qrc:/qt/qml/Korvex/FileRepair/qml/assets/korvex_file_repair-app-icon-256.png" })
            const icon = findChild(item, "icon")
            verify(icon.visible)
            verify(!findChild(item, "symbol").visible)
            compare(icon.width, 20)
            compare(icon.sourceSize.width, 40)
            compare(icon.opacity, 0.78)
            item.active = true
            compare(icon.opacity, 1)
        }

        function test_states() {
            const item = make({})
            const label = findChild(item, "label")
            const background = findChild(item, "background")
            compare(item.implicitHeight, 46)
            compare(item.implicitWidth, 160)
            compare(item.font.pixelSize, 14)
            sameColor(label.color, "#34473E", "text")
            verify(!label.font.bold)
            sameColor(background.color, "transparent", "fill")
            compare(background.border.width, 0)

            mouseMove(item, item.width / 2, item.height / 2)
            tryVerify(() => item.hovered)
            sameColor(background.color, "#F4F7F5", "hovered fill")

            item.active = true
            sameColor(label.color, "#087A40", "active text")
            verify(label.font.bold)
            sameColor(background.color, "#EAF8F0", "active fill")
            sameColor(background.border.color, "#95D8B0", "active border")
            compare(background.border.width, 1)
            compare(background.radius, 8)
        }

        // Japanese and Chinese labels break between words, never inside one.
        function test_labelsBreakBetweenWords_data() {
            return [
                { tag: "katakana and bracket", text: "サインイン（任意）", words: ["サインイン", "（任意）"] },
                { tag: "katakana, particle, katakana", text: "ヘルプとフィードバック", words: ["ヘルプ", "と", "フィードバック"] },
            ]
        }

        function test_labelsBreakBetweenWords(data) {
            const joiner = "\u2060"
            const joined = Theme.keepWords(data.text)
            compare(joined.split(joiner).join(""), data.text)
            // Joined inside each word, free between them.
            compare(joined, data.words.map(word => word.split("").join(joiner)).join(""))
            // In the sidebar's entry width the label takes two lines, one word each.
            const item = make({ text: data.text, width: 176 })
            const label = findChild(item, "label")
            tryCompare(label, "lineCount", 2)
        }

        function test_longLabelGrows() {
            const item = make({ text: "帮助与反馈帮助与反馈帮助与反馈帮助与反馈", width: 160 })
            const label = findChild(item, "label")
            tryVerify(() => label.lineCount > 1)
            verify(item.height > 46)
        }
    }
}
