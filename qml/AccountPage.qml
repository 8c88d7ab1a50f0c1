import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The optional online account: sign-in by code, password or Google, registration, password reset,
// and when signed in, sign-out and deletion. All work is the account service's; the page collects
// input, asks for consent and shows the service's state.
Item {
    id: page

    required property var account
    property string formMode: "code"
    property bool termsAccepted: false
    property bool consentWarningVisible: false
    readonly property string consentWarning: consentWarningVisible ? qsTr("请先勾选并同意 Korvex 许可协议与隐私政策") : ""
    property bool observedSignedIn: false

    readonly property bool signedIn: page.account.signedIn
    readonly property bool busy: page.account.busy
    readonly property bool phoneLogin: page.account.phoneCodeLoginAvailable
    readonly property bool signInMode: page.formMode === "code" || page.formMode === "password"
    readonly property bool codeShown: page.formMode === "code" || page.formMode === "reset"
    readonly property bool passwordShown: page.formMode !== "code"

    signal continueLocally()
    signal loginCompleted()
    signal openLegalPage(string section)

    function ensureConsent() {
        if (page.termsAccepted)
            return true
        page.consentWarningVisible = true
        return false
    }

    function requestCode() {
        if (page.formMode === "reset") {
            page.account.requestPasswordResetCode(identifierField.text)
            return
        }
        if (page.ensureConsent())
            page.account.requestVerificationCode(identifierField.text)
    }

    function submit() {
        if (page.formMode === "reset") {
            page.account.resetPassword(identifierField.text, codeField.text, passwordField.text)
            return
        }
        if (!page.ensureConsent())
            return
        if (page.formMode === "code")
            page.account.signIn(identifierField.text, codeField.text)
        else if (page.formMode === "password")
            page.account.signInWithPassword(identifierField.text, passwordField.text)
        else
            page.account.registerWithPassword(identifierField.text, passwordField.text, displayNameField.text)
    }

    function google() {
        if (page.account.oauthPending)
            page.account.cancelOAuth()
        else if (page.ensureConsent())
            page.account.startGoogleSignIn()
    }

    function setTermsAccepted(accepted) {
        page.termsAccepted = accepted
        if (accepted)
            page.consentWarningVisible = false
    }

    Component.onCompleted: page.observedSignedIn = page.account.signedIn

    Connections {
        target: page.account
        function onAccountChanged() {
            const now = page.account.signedIn
            if (now && !page.observedSignedIn)
                page.loginCompleted()
            page.observedSignedIn = now
            if (!now) {
                page.termsAccepted = false
                page.consentWarningVisible = false
            }
        }
    }

    component FieldLabel: Text {
        color: Theme.textBody
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontControl
        font.bold: true
        Layout.topMargin: 4
    }

    // One line, elided at the right; the whole text as a tool tip while it is cut.
    component ElidedLine: Text {
        id: line
        Layout.fillWidth: true
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        font.family: Theme.fontFamily
        PlainToolTip {
            visible: lineHover.hovered && line.truncated
            text: line.text
        }
        HoverHandler { id: lineHover }
    }

    component LegalLink: Button {
        id: link
        flat: true
        padding: 0
        implicitHeight: 20
        implicitWidth: link.implicitContentWidth
        hoverEnabled: true
        Accessible.name: link.text
        background: null
        contentItem: Text {
            text: link.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            font.underline: true
            color: link.hovered ? Theme.linkHovered : Theme.link
            verticalAlignment: Text.AlignVCenter
        }
    }

    component SmallLabel: Text {
        color: Theme.textSecondary
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
    }

    Text {
        objectName: "headerTitle"
        x: 42
        y: 30
        width: Math.max(0, page.width - 84)
        text: page.signedIn ? qsTr("账户信息") : qsTr("登录 Korvex")
        color: Theme.textTitle
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontAccountTitle
        font.bold: true
        elide: Text.ElideRight
    }

    Flickable {
        id: viewport
        objectName: "viewport"
        anchors.fill: parent
        anchors.topMargin: 94
        anchors.leftMargin: 20
        anchors.rightMargin: 20
        anchors.bottomMargin: 20
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        contentWidth: Math.max(width, block.width)
        contentHeight: Math.max(height, block.height)
        ScrollBar.vertical: ScrollBar { objectName: "verticalScrollBar"; policy: viewport.contentHeight > viewport.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff }
        ScrollBar.horizontal: ScrollBar { objectName: "horizontalScrollBar"; policy: viewport.contentWidth > viewport.width ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff }

        // 820 wide where there is room; narrower, down to the smallest window, the notice beside
        // the card gives up its width (its picture shrinks) and the card keeps its own.
        Item {
            id: block
            objectName: "block"
            width: Math.max(700, Math.min(820, viewport.width))
            height: Math.max(560, card.height)
            x: Math.round((viewport.contentWidth - width) / 2)
            y: Math.round((viewport.contentHeight - height) / 2)

            Item {
                id: localNotice
                objectName: "localNotice"
                width: block.width - card.width - 60 * (block.width - 700) / 120 - 24 * (820 - block.width) / 120
                height: localPicture.height + 90
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter

                Image {
                    id: localPicture
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 0
                    width: Math.min(250, localNotice.width)
                    height: width
                    sourceSize.width: 500
                    sourceSize.height: 500
                    source: "assets/account-local.svg"
                }
                Text {
                    y: localPicture.height + 4
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    text: qsTr("文件修复始终在本机完成")
                    color: Theme.textSuccess
                    font.family: Theme.fontFamily
                    font.bold: true
                }
            }

            Rectangle {
                id: card
                objectName: "card"
                width: 470
                // Taller only by the lines a language's consent sentence or status needs beyond one
                // and two.
                height: (page.signedIn ? 370 : 540) + (page.signedIn ? 0 : Math.max(0, consentRow.implicitHeight - 20))
                        + Math.max(0, statusBox.Layout.preferredHeight - 46)
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                radius: 14
                color: Theme.surface
                border.color: Theme.cardBorder

                ColumnLayout {
                    anchors.fill: parent
                    anchors.margins: 26
                    spacing: 5

                    Text {
                        objectName: "cardTitle"
                        text: page.signedIn ? qsTr("已登录")
                            : page.formMode === "register" ? qsTr("创建账号")
                            : page.formMode === "reset" ? qsTr("重置密码")
                            : qsTr("登录线上账号")
                        color: Theme.textTitle
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontResultHeading
                        font.bold: true
                    }

                    RowLayout {
                        objectName: "modeRow"
                        visible: !page.signedIn && page.signInMode && Qt.platform.os !== "osx"
                        spacing: 8
                        Layout.fillWidth: true
                        AppButton {
                            objectName: "modeCodeButton"
                            Layout.fillWidth: true
                            Layout.preferredWidth: 1
                            compact: true
                            enabled: !page.busy
                            variant: page.formMode === "code" ? "primary" : "secondary"
                            text: page.phoneLogin ? qsTr("邮箱 / 手机验证码") : qsTr("邮箱验证码")
                            onClicked: page.formMode = "code"
                        }
                        AppButton {
                            objectName: "modePasswordButton"
                            Layout.fillWidth: true
                            Layout.preferredWidth: 1
                            compact: true
                            enabled: !page.busy
                            variant: page.formMode === "password" ? "primary" : "secondary"
                            text: qsTr("账号密码")
                            onClicked: page.formMode = "password"
                        }
                    }

                    FieldLabel {
                        visible: !page.signedIn
                        text: page.formMode === "code" && page.phoneLogin ? qsTr("邮箱或手机号码") : qsTr("邮箱")
                    }
                    AppTextField {
                        id: identifierField
                        objectName: "identifierField"
                        visible: !page.signedIn
                        enabled: !page.busy
                        Layout.fillWidth: true
                        readonly property bool phoneCase: page.formMode === "code" && page.phoneLogin
                        placeholderText: phoneCase ? qsTr("邮箱，或 +86 开头的手机号码") : qsTr("请输入邮箱")
                        inputMethodHints: phoneCase ? Qt.ImhNone : Qt.ImhEmailCharactersOnly
                    }
                    AppTextField {
                        id: displayNameField
                        objectName: "displayNameField"
                        visible: !page.signedIn && page.formMode === "register"
                        enabled: !page.busy
                        Layout.fillWidth: true
                        placeholderText: qsTr("显示名称（可选）")
                    }

                    FieldLabel {
                        visible: !page.signedIn && page.codeShown
                        text: qsTr("验证码")
                    }
                    RowLayout {
                        visible: !page.signedIn && page.codeShown
                        spacing: 8
                        Layout.fillWidth: true
                        AppTextField {
                            id: codeField
                            objectName: "codeField"
                            Layout.fillWidth: true
                            enabled: !page.busy
                            placeholderText: qsTr("请输入验证码")
                            inputMethodHints: Qt.ImhDigitsOnly
                        }
                        AppButton {
                            objectName: "codeButton"
                            compact: true
                            variant: "secondary"
                            enabled: !page.busy && page.account.verificationExpiresIn <= 0
                            text: page.account.verificationExpiresIn > 0 ? qsTr("%1 秒").arg(page.account.verificationExpiresIn)
                                : qsTr("获取验证码")
                            onClicked: page.requestCode()
                        }
                    }

                    FieldLabel {
                        visible: !page.signedIn && page.passwordShown
                        text: page.formMode === "reset" ? qsTr("新密码") : qsTr("密码")
                    }
                    AppTextField {
                        id: passwordField
                        objectName: "passwordField"
                        visible: !page.signedIn && page.passwordShown
                        enabled: !page.busy
                        Layout.fillWidth: true
                        echoMode: TextInput.Password
                        placeholderText: page.formMode === "reset" ? qsTr("至少 8 位新密码") : qsTr("请输入密码")
                    }

                    ElidedLine {
                        objectName: "nameLine"
                        visible: page.signedIn
                        text: page.account.displayName !== "" ? page.account.displayName : page.account.email
                        color: Theme.textBody
                        font.pixelSize: Theme.fontItemTitle
                        font.bold: true
                    }
                    ElidedLine {
                        objectName: "emailLine"
                        visible: page.signedIn
                        text: page.account.email
                        color: Theme.textSecondary
                        font.pixelSize: Theme.fontControl
                    }

                    AppButton {
                        objectName: "mainButton"
                        visible: !page.signedIn
                        enabled: !page.busy
                        Layout.fillWidth: true
                        Layout.topMargin: 6
                        variant: "primary"
                        text: page.busy ? qsTr("正在处理…")
                            : page.formMode === "register" ? qsTr("创建并登录")
                            : page.formMode === "reset" ? qsTr("确认重置密码")
                            : qsTr("登录")
                        onClicked: page.submit()
                    }

                    Button {
                        id: googleButton
                        objectName: "googleButton"
                        visible: !page.signedIn && page.signInMode
                        enabled: !page.busy || page.account.oauthPending
                        Layout.fillWidth: true
                        implicitHeight: 44
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontBody
                        text: page.account.oauthPending ? qsTr("取消 Google 登录") : qsTr("使用 Google 账号登录")
                        onClicked: page.google()
                        contentItem: Item {
                            Image {
                                objectName: "googleMark"
                                x: 12 - googleButton.leftPadding
                                anchors.verticalCenter: parent.verticalCenter
                                width: 18
                                height: 18
                                sourceSize.width: 36
                                sourceSize.height: 36
                                source: "assets/google-g.png"
                                opacity: googleButton.enabled ? 1 : 0.45
                            }
                            Text {
                                objectName: "googleLabel"
                                anchors.centerIn: parent
                                text: googleButton.text
                                font: googleButton.font
                                color: googleButton.enabled ? Theme.googleText : Theme.textDisabled
                            }
                        }
                        background: Rectangle {
                            objectName: "googleBackground"
                            radius: 4
                            color: googleButton.pressed ? Theme.googlePressedFill : Theme.surface
                            border.width: 1
                            border.color: googleButton.enabled ? Theme.googleBorder : Theme.disabledBorder
                        }
                    }

                    RowLayout {
                        visible: !page.signedIn
                        Layout.fillWidth: true
                        Item { Layout.fillWidth: true }
                        AppButton {
                            objectName: "switchFormLink"
                            compact: true
                            variant: "ghost"
                            enabled: !page.busy
                            text: page.signInMode ? qsTr("创建账号") : qsTr("返回登录")
                            onClicked: page.formMode = page.signInMode ? "register" : "code"
                        }
                        AppButton {
                            objectName: "forgotPasswordLink"
                            visible: page.formMode !== "reset"
                            compact: true
                            variant: "ghost"
                            enabled: !page.busy
                            text: qsTr("忘记密码")
                            onClicked: page.formMode = "reset"
                        }
                        Item { Layout.fillWidth: true }
                    }

                    AppButton {
                        objectName: "signOutButton"
                        visible: page.signedIn
                        enabled: !page.busy
                        Layout.fillWidth: true
                        variant: "secondary"
                        text: qsTr("退出登录")
                        onClicked: page.account.signOut()
                    }
                    AppButton {
                        objectName: "deleteButton"
                        visible: page.signedIn
                        enabled: !page.busy
                        Layout.fillWidth: true
                        variant: "ghost"
                        text: qsTr("永久删除账号")
                        onClicked: deleteDialog.open()
                    }
                    AppButton {
                        objectName: "continueButton"
                        visible: !page.signedIn
                        enabled: !page.busy
                        Layout.fillWidth: true
                        variant: "secondary"
                        text: qsTr("暂不登录，继续使用")
                        onClicked: {
                            page.account.skipLogin()
                            page.continueLocally()
                        }
                    }

                    Rectangle {
                        id: statusBox
                        objectName: "statusBox"
                        Layout.fillWidth: true
                        // Taller where the status needs a third line.
                        Layout.preferredHeight: Math.max(46, statusText.implicitHeight + 18)
                        radius: Theme.radiusControl
                        // A failure is never shown in the success colours.
                        color: page.account.statusIsError ? Theme.errorFill : page.account.backendConfigured ? Theme.noticeSuccessFill : Theme.noticeWarningFill
                        Text {
                            id: statusText
                            objectName: "statusText"
                            anchors.fill: parent
                            anchors.margins: 9
                            // Server and browser texts arrive here: never read them as markup.
                            textFormat: Text.PlainText
                            text: page.account.status
                            wrapMode: Text.Wrap
                            elide: Text.ElideRight
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: page.account.statusIsError ? Theme.textError : page.account.backendConfigured ? Theme.textSuccess : Theme.textWarning
                        }
                    }

                    // Wraps onto a second line where a language's sentence is longer than the card.
                    Flow {
                        id: consentRow
                        objectName: "consentRow"
                        visible: !page.signedIn
                        spacing: 4
                        Layout.fillWidth: true
                        CheckBox {
                            id: consentBox
                            objectName: "consentBox"
                            implicitWidth: 20
                            implicitHeight: 20
                            padding: 0
                            enabled: !page.busy
                            checked: page.termsAccepted
                            Accessible.name: qsTr("同意 Korvex 许可协议与隐私政策")
                            // A click must not cut the box loose from termsAccepted, or a reset
                            // after sign-out would leave it looking ticked.
                            onToggled: {
                                page.setTermsAccepted(consentBox.checked)
                                consentBox.checked = Qt.binding(() => page.termsAccepted)
                            }
                            indicator: Rectangle {
                                objectName: "consentIndicator"
                                width: 17
                                height: 17
                                x: (consentBox.width - width) / 2
                                y: (consentBox.height - height) / 2
                                radius: 3
                                color: consentBox.checked ? Theme.accent : Theme.surface
                                border.color: consentBox.checked ? Theme.accent : Theme.textDisabled
                                border.width: consentBox.activeFocus ? 2 : 1
                                Text {
                                    anchors.centerIn: parent
                                    visible: consentBox.checked
                                    text: "✓"
                                    color: Theme.textOnAccent
                                    font.pixelSize: Theme.fontControl
                                    font.bold: true
                                }
                            }
                            contentItem: Item {}
                        }
                        SmallLabel { text: qsTr("我已阅读并同意"); height: 20; verticalAlignment: Text.AlignVCenter }
                        LegalLink {
                            objectName: "agreementLink"
                            text: qsTr("Korvex 许可协议")
                            onClicked: page.openLegalPage("agreement")
                        }
                        SmallLabel { text: qsTr("与"); height: 20; verticalAlignment: Text.AlignVCenter }
                        LegalLink {
                            objectName: "privacyLink"
                            text: qsTr("隐私政策")
                            onClicked: page.openLegalPage("privacyPolicy")
                        }
                    }

                    Text {
                        objectName: "consentWarningText"
                        visible: !page.signedIn && page.consentWarning !== ""
                        Layout.fillWidth: true
                        horizontalAlignment: Text.AlignHCenter
                        text: page.consentWarning
                        color: Theme.textError
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                    }

                    Item { Layout.fillHeight: true }
                }
            }
        }
    }

    Dialog {
        id: deleteDialog
        objectName: "deleteDialog"
        parent: page
        anchors.centerIn: parent
        modal: true
        title: qsTr("永久删除账号？")
        standardButtons: Dialog.Cancel | Dialog.Ok
        onOpened: deleteDialog.standardButton(Dialog.Ok).text = Qt.binding(() => qsTr("永久删除"))
        onAccepted: page.account.deleteAccount()
        Label {
            width: 430
            wrapMode: Text.Wrap
            color: Theme.textBody
            font.family: Theme.fontFamily
            text: qsTr("删除后，此账号的所有登录方式和个人资料都会被移除，且无法恢复。本机文件和修复结果不受影响。")
        }
    }
}
