import QtQuick
import QtTest
import Korvex.FileRepair

Item {
    id: root
    width: 600
    height: 400

    AppButton { id: button; text: "修复" }
    NavItem { id: nav; text: "设置" }
    AppComboBox { id: combo; model: ["简体中文"] }
    AppSwitch { id: toggle }
    AppTextField { id: field }

    TestCase {
        name: "ApplicationFont"
        when: windowShown

        function cleanupTestCase() {
            uiLanguage.apply("zh-CN")
        }

        function test_controlsFollowLanguageChanges_data() {
            return [
                { tag: "en-US", code: "en-US", family: "Segoe UI" },
                { tag: "ja-JP", code: "ja-JP", family: "Yu Gothic UI" },
                { tag: "zh-TW", code: "zh-TW", family: "Microsoft JhengHei UI" },
                { tag: "zh-CN", code: "zh-CN", family: "Microsoft YaHei UI" },
            ]
        }

        function test_controlsFollowLanguageChanges(data) {
            verify(uiLanguage.apply(data.code))
            compare(ApplicationFont.family, data.family)
            for (const control of [button, nav, combo, toggle, field])
                compare(control.font.family, data.family, control.toString())
            compare(findChild(nav, "label").font.family, data.family)
            compare(findChild(combo, "displayText").font.family, data.family)
        }

        function test_settingsServiceIsPublished() {
            compare(settingsService.language, "zh-CN")
            compare(settingsService.cacheLimitMb, 512)
        }
    }
}
