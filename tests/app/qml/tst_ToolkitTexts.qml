import QtQuick
import QtTest
import Korvex.FileRepair

// Qt's own texts after a language switch at run time, in the real window.
Item {
    id: root
    width: 200
    height: 200

    Component {
        id: mainComponent
        Main {}
    }

    TestCase {
        name: "ToolkitTexts"
        when: windowShown

        function initTestCase() {
            uiLanguage.followSettings()
        }

        function cleanup() {
            settingsService.language = "zh-CN"
        }

        // Qt's own file dialog writes file sizes in the language chosen last, not in the one the
        // window was made in.
        function test_toolkitDialogSizesFollowEverySwitch() {
            settingsService.language = "zh-CN"
            verify(testFiles.makeFolder("sizes"))
            verify(testFiles.writeText("sizes/six.txt", "123456"))
            const window = createTemporaryObject(mainComponent, root)
            verify(window)
            tryVerify(() => window.visible)
            waitForRendering(window.contentItem)
            const dialog = findChild(window.repairPage, "inputDialog")
            dialog.currentFolder = testFiles.url("sizes")
            function texts(item, out) {
                if (item.visible && typeof item.text === "string")
                    out.push(item.text)
                for (let i = 0; i < item.children.length; ++i)
                    texts(item.children[i], out)
                return out
            }
            for (const code of ["en-US", "de-DE", "ja-JP", "zh-CN", "en-US"]) {
                settingsService.language = code
                const expected = Qt.locale(code.replace("-", "_")).formattedDataSize(6)
                dialog.open()
                const overlay = window.contentItem.parent
                tryVerify(() => findChild(overlay, "fileDialogDelegate0") !== null)
                tryVerify(() => texts(findChild(overlay, "fileDialogDelegate0"), []).indexOf(expected) >= 0, 60000,
                          code + ": " + expected + " not in " + JSON.stringify(texts(findChild(overlay, "fileDialogDelegate0"), [])))
                dialog.close()
                tryVerify(() => !dialog.visible)
            }
            verify(Qt.locale("de_DE").formattedDataSize(6) !== Qt.locale("zh_CN").formattedDataSize(6))
        }
    }
}
