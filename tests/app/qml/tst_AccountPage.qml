import QtQuick
import QtTest
import QtQuick.Controls
import Korvex.FileRepair

Item {
    id: root
    width: 1000
    height: 720

    // Stands in for the account service: the same properties, and operations that record calls.
    Component {
        id: accountComponent
        QtObject {
            property bool signedIn: false
            property bool busy: false
            property bool oauthPending: false
            property bool phoneCodeLoginAvailable: false
            property bool backendConfigured: true
            property string email: ""
            property string displayName: ""
            property string status: "登录为可选项"
            property bool statusIsError: false
            property int verificationExpiresIn: 0
            property var calls: []
            signal accountChanged()

            function record(name, args) { calls = calls.concat([[name].concat(Array.prototype.slice.call(args))]); return true }
            function requestVerificationCode(identifier) { return record("requestVerificationCode", arguments) }
            function requestPasswordResetCode(email) { return record("requestPasswordResetCode", arguments) }
            function signIn(identifier, code) { return record("signIn", arguments) }
            function signInWithPassword(email, password) { return record("signInWithPassword", arguments) }
            function registerWithPassword(email, password, name) { return record("registerWithPassword", arguments) }
            function resetPassword(email, code, password) { return record("resetPassword", arguments) }
            function startGoogleSignIn() { return record("startGoogleSignIn", arguments) }
            function cancelOAuth() { record("cancelOAuth", arguments) }
            function signOut() { record("signOut", arguments) }
            function deleteAccount() { return record("deleteAccount", arguments) }
            function skipLogin() { record("skipLogin", arguments) }
            function setSignedIn(value) { signedIn = value; accountChanged() }
        }
    }

    Component {
        id: pageComponent
        AccountPage { anchors.fill: parent }
    }

    SignalSpy { id: completedSpy; signalName: "loginCompleted" }
    SignalSpy { id: continueSpy; signalName: "continueLocally" }
    SignalSpy { id: legalSpy; signalName: "openLegalPage" }

    TestCase {
        name: "AccountPage"
        when: windowShown

        property var account
        property var page

        function init() {
            account = createTemporaryObject(accountComponent, root)
            page = createTemporaryObject(pageComponent, root, { account: account })
            verify(page)
            completedSpy.target = page
            continueSpy.target = page
            legalSpy.target = page
            completedSpy.clear()
            continueSpy.clear()
            legalSpy.clear()
            waitForRendering(page)
        }

        function item(name) {
            const found = findChild(page, name)
            verify(found, name)
            return found
        }

        function shown(name) {
            const found = item(name)
            return found.visible
        }

        function press(name) {
            const control = item(name)
            verify(control.visible && control.enabled, name + " can be pressed")
            mouseClick(control)
        }

        function type(name, text) {
            const field = item(name)
            field.text = text
        }

        function names() { return account.calls.map(call => call[0]) }

        function test_consentGuardsSignInButNotReset_data() {
            return [
                { tag: "code: get code", mode: "code", control: "codeButton", call: ["requestVerificationCode", "me@example.com"] },
                { tag: "code: sign in", mode: "code", control: "mainButton", call: ["signIn", "me@example.com", "123456"] },
                { tag: "password: sign in", mode: "password", control: "mainButton", call: ["signInWithPassword", "me@example.com", "pw"] },
                { tag: "register", mode: "register", control: "mainButton", call: ["registerWithPassword", "me@example.com", "pw", "Me"] },
                { tag: "google", mode: "code", control: "googleButton", call: ["startGoogleSignIn"] },
                { tag: "reset: get code", mode: "reset", control: "codeButton", call: ["requestPasswordResetCode", "me@example.com"], free: true },
                { tag: "reset: confirm", mode: "reset", control: "mainButton", call: ["resetPassword", "me@example.com", "123456", "pw"], free: true },
            ]
        }

        function test_consentGuardsSignInButNotReset(data) {
            page.formMode = data.mode
            type("identifierField", "me@example.com")
            type("codeField", "123456")
            type("passwordField", "pw")
            type("displayNameField", "Me")
            press(data.control)
            if (data.free) {
                compare(account.calls, [data.call])
                compare(page.consentWarning, "")
                return
            }
            compare(account.calls, [])
            compare(page.consentWarning, "请先勾选并同意 Korvex 许可协议与隐私政策")
            verify(shown("consentWarningText"))
            // Ticking the box hides the warning; the same action then goes through.
            mouseClick(item("consentBox"))
            verify(page.termsAccepted)
            compare(page.consentWarning, "")
            verify(!shown("consentWarningText"))
            press(data.control)
            compare(account.calls, [data.call])
        }

        function test_modesShowTheirFields_data() {
            return [
                { tag: "code", mode: "code", display: false, code: true, password: false, google: true, modes: true, title: "登录线上账号", main: "登录", link: "创建账号", forgot: true },
                { tag: "password", mode: "password", display: false, code: false, password: true, google: true, modes: true, title: "登录线上账号", main: "登录", link: "创建账号", forgot: true },
                { tag: "register", mode: "register", display: true, code: false, password: true, google: false, modes: false, title: "创建账号", main: "创建并登录", link: "返回登录", forgot: true },
                { tag: "reset", mode: "reset", display: false, code: true, password: true, google: false, modes: false, title: "重置密码", main: "确认重置密码", link: "返回登录", forgot: false },
            ]
        }

        function test_modesShowTheirFields(data) {
            page.formMode = data.mode
            verify(shown("identifierField"))
            compare(shown("displayNameField"), data.display)
            compare(shown("codeField"), data.code)
            compare(shown("codeButton"), data.code)
            compare(shown("passwordField"), data.password)
            compare(shown("googleButton"), data.google)
            compare(shown("modeRow"), data.modes)
            compare(shown("forgotPasswordLink"), data.forgot)
            compare(item("cardTitle").text, data.title)
            compare(item("mainButton").text, data.main)
            compare(item("switchFormLink").text, data.link)
            compare(item("passwordField").placeholderText, data.mode === "reset" ? "至少 8 位新密码" : "请输入密码")
            compare(item("card").height, 540)
        }

        function test_modeTransitions() {
            press("modePasswordButton")
            compare(page.formMode, "password")
            compare(item("modePasswordButton").variant, "primary")
            compare(item("modeCodeButton").variant, "secondary")
            press("modeCodeButton")
            compare(page.formMode, "code")
            press("switchFormLink")
            compare(page.formMode, "register")
            press("forgotPasswordLink")
            compare(page.formMode, "reset")
            press("switchFormLink")
            compare(page.formMode, "code")
            page.formMode = "password"
            press("switchFormLink")
            compare(page.formMode, "register")
            press("switchFormLink")
            compare(page.formMode, "code")
        }

        function test_phoneLoginTexts() {
            compare(item("modeCodeButton").text, "邮箱验证码")
            compare(item("identifierField").placeholderText, "请输入邮箱")
            compare(item("identifierField").inputMethodHints, Qt.ImhEmailCharactersOnly)
            account.phoneCodeLoginAvailable = true
            compare(item("modeCodeButton").text, "邮箱 / 手机验证码")
            compare(item("identifierField").placeholderText, "邮箱，或 +86 开头的手机号码")
            compare(item("identifierField").inputMethodHints, Qt.ImhNone)
            page.formMode = "password"
            compare(item("identifierField").placeholderText, "请输入邮箱")
        }

        function test_busyDisablesInputsButNotGoogleCancel() {
            account.busy = true
            account.oauthPending = true
            for (const name of ["identifierField", "codeField", "codeButton", "mainButton", "modeCodeButton",
                                "modePasswordButton", "switchFormLink", "forgotPasswordLink", "continueButton", "consentBox"])
                verify(!item(name).enabled, name + " disabled while busy")
            verify(item("agreementLink").enabled)
            verify(item("privacyLink").enabled)
            compare(item("mainButton").text, "正在处理…")
            compare(item("googleButton").text, "取消 Google 登录")
            // Cancelling needs no consent.
            press("googleButton")
            compare(names(), ["cancelOAuth"])
            account.oauthPending = false
            verify(!item("googleButton").enabled)
            compare(item("googleButton").text, "使用 Google 账号登录")
            compare(findChild(page, "googleMark").opacity, 0.45)
            verify(Qt.colorEqual(findChild(page, "googleLabel").color, "#98A29D"))
        }

        function test_codeCountdown() {
            account.verificationExpiresIn = 42
            compare(item("codeButton").text, "42 秒")
            verify(!item("codeButton").enabled)
            account.verificationExpiresIn = 0
            compare(item("codeButton").text, "获取验证码")
            verify(item("codeButton").enabled)
        }

        function test_signInTrackingAndSignedInView() {
            page.termsAccepted = true
            account.email = "a.very.long.address.that.does.not.fit.on.one.line.at.all.not.even.close.to.it@example.com"
            account.displayName = ""
            account.setSignedIn(true)
            compare(completedSpy.count, 1)
            // A second notice while signed in completes nothing again.
            account.accountChanged()
            compare(completedSpy.count, 1)
            compare(item("headerTitle").text, "账户信息")
            compare(item("cardTitle").text, "已登录")
            compare(item("card").height, 370)
            for (const name of ["identifierField", "mainButton", "googleButton", "continueButton", "consentRow", "modeRow"])
                verify(!shown(name), name + " hidden when signed in")
            verify(shown("signOutButton") && shown("deleteButton"))
            // The name line falls back to the e-mail, and both are cut on one line.
            compare(item("nameLine").text, account.email)
            tryVerify(() => item("emailLine").truncated)
            account.displayName = "Mei"
            compare(item("nameLine").text, "Mei")

            press("signOutButton")
            compare(names(), ["signOut"])
            account.setSignedIn(false)
            verify(!page.termsAccepted)
            verify(!item("consentBox").checked)
            compare(item("headerTitle").text, "登录 Korvex")

            // Signing in again (a background restore too) completes once more.
            account.setSignedIn(true)
            compare(completedSpy.count, 2)
        }

        function test_consentBoxFollowsSignOutAfterAClick() {
            mouseClick(item("consentBox"))
            verify(item("consentBox").checked)
            account.setSignedIn(true)
            account.setSignedIn(false)
            verify(!page.termsAccepted)
            verify(!item("consentBox").checked)
            mouseClick(item("consentBox"))
            verify(page.termsAccepted)
        }

        function test_statusIsPlainText() {
            account.status = "<img src=\"http://127.0.0.1:1/x.png\"><b>bold</b>"
            const status = item("statusText")
            compare(status.textFormat, Text.PlainText)
            compare(status.text, account.status)
            verify(Qt.colorEqual(status.color, "#087A40"))
            verify(Qt.colorEqual(item("statusBox").color, "#EEF8F2"))
            account.backendConfigured = false
            verify(Qt.colorEqual(status.color, "#B54708"))
            verify(Qt.colorEqual(item("statusBox").color, "#FFF7ED"))
        }

        function test_failureIsNeverStyledAsSuccess() {
            account.status = "Host api.example.invalid not found"
            account.statusIsError = true
            verify(Qt.colorEqual(item("statusText").color, "#B42318"))
            verify(Qt.colorEqual(item("statusBox").color, "#FEF3F2"))
            account.statusIsError = false
            verify(Qt.colorEqual(item("statusText").color, "#087A40"))
        }

        function test_continueAndLegalLinks() {
            press("continueButton")
            compare(names(), ["skipLogin"])
            compare(continueSpy.count, 1)
            mouseClick(item("agreementLink"))
            mouseClick(item("privacyLink"))
            compare(legalSpy.count, 2)
            compare(legalSpy.signalArguments[0][0], "agreement")
            compare(legalSpy.signalArguments[1][0], "privacyPolicy")
        }

        function test_deleteDialog() {
            account.setSignedIn(true)
            press("deleteButton")
            const dialog = item("deleteDialog")
            tryCompare(dialog, "opened", true)
            compare(dialog.title, "永久删除账号？")
            compare(dialog.standardButton(Dialog.Ok).text, "永久删除")
            dialog.reject()
            tryCompare(dialog, "visible", false)
            compare(account.calls, [])
            press("deleteButton")
            tryCompare(dialog, "opened", true)
            dialog.accept()
            compare(names(), ["deleteAccount"])
        }

        function test_blockCentredOrScrolled() {
            const viewport = item("viewport")
            const block = item("block")
            compare(block.width, 820)
            compare(block.height, 560)
            compare(block.x, Math.round((viewport.width - 820) / 2))
            compare(block.y, Math.round((viewport.height - 560) / 2))
            verify(item("verticalScrollBar").policy !== ScrollBar.AlwaysOn) // the content fits
            page.anchors.fill = undefined
            page.width = 600
            page.height = 400
            compare(block.x, 0)
            compare(block.y, 0)
            compare(item("verticalScrollBar").policy, ScrollBar.AlwaysOn)
            compare(item("horizontalScrollBar").policy, ScrollBar.AlwaysOn)
        }
    }
}
