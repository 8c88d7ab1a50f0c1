import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 640
    height: 480

    Component {
        id: buttonComponent
        AppButton { text: "开始修复" }
    }

    TestCase {
        name: "AppButton"
        when: windowShown

        function make(properties) {
            const button = createTemporaryObject(buttonComponent, root, properties)
            verify(button)
            waitForRendering(button)
            return button
        }

        function sameColor(actual, expected, what) {
            verify(Qt.colorEqual(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_colours_data() {
            return [
                { tag: "primary", variant: "primary", enabled: true, text: "#FFFFFF", fill: "#07964D", border: "#07964D", borderWidth: 1, bold: true },
                { tag: "secondary", variant: "secondary", enabled: true, text: "#17251E", fill: "#FFFFFF", border: "#CBD5D0", borderWidth: 1, bold: false },
                { tag: "danger", variant: "danger", enabled: true, text: "#B42318", fill: "#FFFFFF", border: "#FDA29B", borderWidth: 1, bold: false },
                { tag: "ghost", variant: "ghost", enabled: true, text: "#475467", fill: "transparent", border: "transparent", borderWidth: 0, bold: false },
                { tag: "unknown variant draws as secondary", variant: "fancy", enabled: true, text: "#17251E", fill: "#FFFFFF", border: "#CBD5D0", borderWidth: 1, bold: false },
                { tag: "disabled primary", variant: "primary", enabled: false, text: "#98A29D", fill: "#F0F2F1", border: "#D9DEDB", borderWidth: 1, bold: true },
                { tag: "disabled danger", variant: "danger", enabled: false, text: "#98A29D", fill: "#F0F2F1", border: "#D9DEDB", borderWidth: 1, bold: false },
                { tag: "disabled ghost has no border", variant: "ghost", enabled: false, text: "#98A29D", fill: "#F0F2F1", border: "#D9DEDB", borderWidth: 0, bold: false },
            ]
        }

        function test_colours(data) {
            const button = make({ variant: data.variant, enabled: data.enabled })
            const background = findChild(button, "background")
            const label = findChild(button, "label")
            sameColor(label.color, data.text, "text")
            sameColor(background.color, data.fill, "fill")
            compare(background.border.width, data.borderWidth)
            if (data.borderWidth > 0)
                sameColor(background.border.color, data.border, "border")
            compare(button.font.bold, data.bold)
            if (data.fill !== "transparent") {
                // What is drawn, not only what is bound: a pixel inside the border, above the text.
                const image = grabImage(button)
                sameColor(image.pixel(button.width / 2, 4), data.fill, "drawn fill")
            }
        }

        function test_hoverAndPress_data() {
            return [
                { tag: "primary", variant: "primary", hovered: "#0AA758", pressed: "#08783D" },
                { tag: "secondary", variant: "secondary", hovered: "#F5FAF7", pressed: "#EDF7F1" },
                { tag: "danger", variant: "danger", hovered: "#FEF3F2", pressed: "#FEF3F2" },
                { tag: "ghost", variant: "ghost", hovered: "#F3F6F4", pressed: "#F3F6F4" },
            ]
        }

        function test_hoverAndPress(data) {
            const button = make({ variant: data.variant })
            const background = findChild(button, "background")
            mouseMove(button, button.width / 2, button.height / 2)
            tryVerify(() => button.hovered)
            sameColor(background.color, data.hovered, "hovered")
            mousePress(button)
            sameColor(background.color, data.pressed, "pressed")
            mouseRelease(button)
        }

        function test_sizes() {
            // At least 44 (36 compact) high, more when the font's line is taller than 24 (16).
            const normal = make({})
            compare(normal.implicitHeight, Math.max(44, Math.ceil(findChild(normal, "label").implicitHeight) + 20))
            compare(normal.implicitWidth, 132)
            compare(normal.font.pixelSize, 14)
            compare(findChild(normal, "background").radius, 8)
            compare(normal.leftPadding, 14)
            compare(normal.rightPadding, 14)
            const compact = make({ compact: true })
            compare(compact.implicitHeight, Math.max(36, Math.ceil(findChild(compact, "label").implicitHeight) + 20))
            verify(compact.implicitHeight < normal.implicitHeight)
            compare(compact.implicitWidth, 104)
            compare(compact.font.pixelSize, 13)
            compare(findChild(compact, "background").radius, 7)
            // A long text sets the width: content + 28.
            const wide = make({ text: "保存到上次选择的有效目录并在文件管理器中定位结果" })
            const label = findChild(wide, "label")
            verify(wide.implicitWidth > 132)
            fuzzyCompare(wide.implicitWidth, Math.ceil(label.implicitWidth) + 28, 1)
        }

        function test_longTextWrapsAndGrows() {
            const button = make({ text: "保存到上次选择的有效目录并在文件管理器中定位结果", width: 150 })
            const label = findChild(button, "label")
            tryVerify(() => label.lineCount > 1)
            verify(button.height > 44, "height " + button.height)
            fuzzyCompare(button.implicitHeight, Math.ceil(label.implicitHeight) + 20, 1)
            verify(label.width <= button.availableWidth)
        }

        function test_icon() {
            const plain = make({})
            const plainIcon = findChild(plain, "icon")
            verify(!plainIcon.visible)
            compare(plainIcon.width, 0)
            compare(findChild(plain, "label").x, 0)

            const withIcon = make({ iconSource: "qrc:/qt/qml/Korvex/FileRepair/qml/assets/korvex_file_repair-app-icon-256.png" })
            const icon = findChild(withIcon, "icon")
            verify(icon.visible)
            compare(icon.width, 17)
            compare(icon.height, 17)
            compare(icon.sourceSize.width, 34)
            compare(icon.opacity, 1)
            compare(findChild(withIcon, "label").x, 17 + 7)
            withIcon.enabled = false
            compare(icon.opacity, 0.5)
        }

        function test_clickIsTheButtons() {
            const button = make({})
            const spy = createTemporaryObject(signalSpyComponent, root, { target: button, signalName: "clicked" })
            mouseClick(button)
            compare(spy.count, 1)
            button.enabled = false
            mouseClick(button)
            compare(spy.count, 1)
        }
    }

    Component {
        id: signalSpyComponent
        SignalSpy {}
    }
}
