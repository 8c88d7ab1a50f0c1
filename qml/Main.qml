import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// The one application window: sidebar, header with status badges and the profile button, and the
// stack of pages. It owns the repair workflow and the account service, answers the pages' requests
// for navigation, reacts to workflow state changes for the whole application, and keeps a
// repaired result from being lost by closing the window.
ApplicationWindow {
    id: window

    property string currentPage: "repair"
    property url startupFileUrl
    property color accent: Theme.accent
    property color textPrimary: Theme.textTitle
    property color textSecondary: Theme.textSecondary
    // The settings service start-up publishes; a property so that the window's calls can be
    // observed. It is a context property, which qmllint cannot see.
    property var settings: settingsService // qmllint disable unqualified

    readonly property bool signedIn: accountService.signedIn
    readonly property string accountEmail: window.signedIn ? accountService.email : ""

    readonly property int pageIndex: window.currentPage === "repair" ? 0
        : window.currentPage === "settings" ? 1
        : window.currentPage === "help" ? 3
        : 2
    readonly property string pageTitle: window.currentPage === "repair" ? qsTr("文件修复")
        : window.currentPage === "settings" ? qsTr("设置")
        : window.currentPage === "help" ? qsTr("帮助与反馈")
        : qsTr("账户")

    // The last workflow state the window reacted to. The controller also emits stateChanged when
    // only busy-derived values changed; those must not log a second event or walk the cache again.
    property string handledWorkflowState: ""

    readonly property alias repairPage: repairPage
    readonly property alias settingsPage: settingsPage
    readonly property alias accountPage: accountPage
    readonly property alias helpPage: helpPage

    // The controls' locale (Qt's own dialogs format sizes and dates with it) follows the UI
    // language; left alone it keeps the language the window was made in.
    locale: Qt.locale(String(window.settings.language).replace("-", "_")) // qmllint disable type

    width: 1120
    height: 760
    minimumWidth: 980
    minimumHeight: 680
    visible: true
    title: qsTr("Korvex 文件修复")
    color: Theme.windowBackground

    RepairWorkflowController {
        id: repairWorkflow
    }
    AccountService {
        id: accountService
    }

    // Cache trimming and the diagnostics log may be missing from the service in some builds; the
    // window then skips those calls.
    function callSettings(name, argument) {
        if (typeof window.settings[name] !== "function")
            return
        if (argument === undefined)
            window.settings[name]()
        else
            window.settings[name](argument)
    }

    function handleWorkflowState() {
        const state = repairWorkflow.state
        if (state === window.handledWorkflowState)
            return
        window.handledWorkflowState = state
        window.callSettings("recordDiagnosticEvent", "workflow." + state)
        window.callSettings("refreshCacheSize")
        if (state === WorkflowState.previewReady || state === WorkflowState.saved)
            window.callSettings("enforceCacheLimit", repairWorkflow.hasUnsavedResult ? repairWorkflow.outputPath : "")
    }

    function openSettingsSection(section) {
        window.currentPage = "settings"
        settingsPage.section = section
    }

    onCurrentPageChanged: {
        if (window.currentPage === "repair")
            repairWorkflow.preparePreview()
        else
            repairWorkflow.releasePreview()
    }

    onClosing: (close) => {
        if (repairWorkflow.hasUnsavedResult) {
            close.accepted = false
            unsavedExitDialog.open()
        }
    }

    Connections {
        target: repairWorkflow
        function onStateChanged() { window.handleWorkflowState() }
    }

    Component.onCompleted: {
        window.handledWorkflowState = repairWorkflow.state
        if (String(window.startupFileUrl) !== "")
            repairWorkflow.selectInput(window.startupFileUrl)
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Rectangle {
            id: sidebar
            objectName: "sidebar"
            Layout.preferredWidth: 204
            Layout.fillHeight: true
            color: Theme.surface
            border.color: Theme.chromeBorder

            ColumnLayout {
                anchors.fill: parent
                anchors.leftMargin: 14
                anchors.rightMargin: 14
                anchors.topMargin: 22
                anchors.bottomMargin: 18
                spacing: 6

                ColumnLayout {
                    Layout.fillWidth: true
                    Layout.bottomMargin: 28
                    spacing: 8

                    Image {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.preferredWidth: 50
                        Layout.preferredHeight: 50
                        source: "assets/korvex_file_repair-app-icon-256.png"
                        sourceSize.width: 100
                        sourceSize.height: 100
                    }
                    Label {
                        Layout.alignment: Qt.AlignHCenter
                        text: "Korvex"
                        color: window.textPrimary
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontHeaderTitle
                        font.bold: true
                    }
                    Label {
                        Layout.fillWidth: true
                        text: qsTr("文件修复")
                        color: window.textSecondary
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontControl
                        horizontalAlignment: Text.AlignHCenter
                        wrapMode: Text.Wrap
                    }
                }

                NavItem {
                    objectName: "navRepair"
                    Layout.fillWidth: true
                    text: qsTr("文件修复")
                    iconSource: "assets/nav-file-repair.svg"
                    active: window.currentPage === "repair"
                    onClicked: window.currentPage = "repair"
                }
                NavItem {
                    objectName: "navSettings"
                    Layout.fillWidth: true
                    text: qsTr("设置")
                    iconSource: "assets/nav-settings.svg"
                    active: window.currentPage === "settings"
                    onClicked: window.currentPage = "settings"
                }
                Item {
                    Layout.fillHeight: true
                }
                NavItem {
                    objectName: "navHelp"
                    Layout.fillWidth: true
                    text: qsTr("帮助与反馈")
                    iconSource: "assets/nav-help.svg"
                    active: window.currentPage === "help"
                    onClicked: window.currentPage = "help"
                }
                NavItem {
                    objectName: "navAbout"
                    Layout.fillWidth: true
                    text: qsTr("关于")
                    iconSource: "assets/nav-about.svg"
                    active: false
                    onClicked: window.openSettingsSection("license")
                }
                Rectangle {
                    Layout.fillWidth: true
                    Layout.topMargin: 6
                    Layout.bottomMargin: 6
                    Layout.preferredHeight: 1
                    color: Theme.chromeBorder
                }
                NavItem {
                    objectName: "navAccount"
                    Layout.fillWidth: true
                    text: window.signedIn ? window.accountEmail : qsTr("登录（可选）")
                    iconSource: "assets/nav-account.svg"
                    active: window.currentPage === "account"
                    onClicked: window.currentPage = "account"
                }
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            Rectangle {
                id: header
                objectName: "header"
                Layout.fillWidth: true
                Layout.preferredHeight: Math.max(62, headerRow.implicitHeight + 20)
                color: Theme.surface
                border.color: Theme.headerBorder

                RowLayout {
                    id: headerRow
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.leftMargin: 28
                    anchors.rightMargin: 28
                    spacing: 12

                    Label {
                        id: pageTitleLabel
                        objectName: "pageTitle"
                        Layout.fillWidth: true
                        // Never narrower than its longest word: a title such as "Dateireparatur"
                        // is not broken inside the word when the badges take the row.
                        Layout.minimumWidth: Math.ceil(titleWordMetrics.advanceWidth) + 1
                        text: window.pageTitle
                        wrapMode: Text.WordWrap

                        TextMetrics {
                            id: titleWordMetrics
                            font: pageTitleLabel.font
                            text: String(window.pageTitle).split(" ").reduce((longest, word) => word.length > longest.length ? word : longest, "")
                        }
                        color: window.textPrimary
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontHeaderTitle
                        font.bold: true
                    }

                    Rectangle {
                        id: unsavedBadge
                        objectName: "unsavedBadge"
                        visible: repairWorkflow.hasUnsavedResult
                        Layout.preferredWidth: unsavedMetrics.advanceWidth + 42
                        Layout.minimumWidth: Layout.preferredWidth
                        Layout.preferredHeight: 30
                        radius: 15
                        color: Theme.warningFill
                        border.color: Theme.warningBorder

                        TextMetrics {
                            id: unsavedMetrics
                            font: unsavedLabel.font
                            text: unsavedLabel.text
                        }
                        Row {
                            anchors.centerIn: parent
                            spacing: 5
                            Image {
                                anchors.verticalCenter: parent.verticalCenter
                                width: 12
                                height: 12
                                source: "assets/status-unsaved.svg"
                                sourceSize.width: 24
                                sourceSize.height: 24
                            }
                            Label {
                                id: unsavedLabel
                                anchors.verticalCenter: parent.verticalCenter
                                text: qsTr("结果尚未保存")
                                color: Theme.textWarning
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontSmall
                            }
                        }
                    }

                    Rectangle {
                        id: localBadge
                        objectName: "localBadge"
                        Layout.preferredWidth: Math.min(localMetrics.advanceWidth + 50, Math.max(170, window.width * 0.2))
                        // Its text wraps: the badge gives way before the page title does (a layout
                        // keeps an item that does not fill at its preferred width).
                        Layout.fillWidth: true
                        Layout.minimumWidth: Math.min(Layout.preferredWidth, 120)
                        Layout.maximumWidth: Layout.preferredWidth
                        Layout.preferredHeight: Math.max(34, localLabel.height + 14)
                        radius: 17
                        color: Theme.localBadgeFill
                        border.color: Theme.localBadgeBorder

                        TextMetrics {
                            id: localMetrics
                            font: localLabel.font
                            text: localLabel.text
                        }
                        RowLayout {
                            anchors.fill: parent
                            anchors.leftMargin: 12
                            anchors.rightMargin: 12
                            spacing: 5
                            Image {
                                Layout.preferredWidth: 16
                                Layout.preferredHeight: 16
                                source: "assets/status-check.svg"
                                sourceSize.width: 32
                                sourceSize.height: 32
                            }
                            Label {
                                id: localLabel
                                objectName: "localLabel"
                                Layout.fillWidth: true
                                Layout.minimumWidth: 0
                                text: qsTr("完全本地处理")
                                color: Theme.textSuccess
                                wrapMode: Text.Wrap
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontSmall
                                font.bold: true
                            }
                        }
                    }

                    Button {
                        id: profileButton
                        objectName: "profileButton"

                        readonly property string labelText: window.signedIn ? window.accountEmail : qsTr("未登录")
                        readonly property real preferred: Math.min(220, Math.max(112, profileMetrics.advanceWidth + 76))
                        // Set by the label: an id inside contentItem would stop Qt deferring it.
                        property bool labelTruncated: false

                        flat: true
                        hoverEnabled: true
                        Layout.preferredWidth: profileButton.preferred
                        Layout.minimumWidth: window.signedIn ? 112 : profileButton.preferred
                        Layout.maximumWidth: 220
                        Layout.preferredHeight: 38
                        leftPadding: 12
                        rightPadding: 10
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontControl
                        onClicked: window.currentPage = "account"

                        TextMetrics {
                            id: profileMetrics
                            font: profileButton.font
                            text: profileButton.labelText
                        }
                        PlainToolTip {
                            visible: profileButton.hovered && profileButton.labelTruncated
                            delay: 500
                            text: window.signedIn ? window.accountEmail : profileButton.labelText
                        }

                        contentItem: RowLayout {
                            spacing: 6
                            Image {
                                Layout.alignment: Qt.AlignVCenter
                                Layout.preferredWidth: 18
                                Layout.preferredHeight: 18
                                source: "assets/nav-account.svg"
                                sourceSize.width: 36
                                sourceSize.height: 36
                            }
                            Label {
                                objectName: "profileText"
                                textFormat: Text.PlainText
                                Layout.fillWidth: true
                                Layout.minimumWidth: 0
                                Layout.alignment: Qt.AlignVCenter
                                text: profileButton.labelText
                                color: Theme.textBody
                                font: profileButton.font
                                elide: Text.ElideRight
                                maximumLineCount: 1
                                onTruncatedChanged: profileButton.labelTruncated = truncated
                            }
                            Image {
                                Layout.alignment: Qt.AlignVCenter
                                Layout.preferredWidth: 16
                                Layout.preferredHeight: 16
                                source: "assets/chevron-down.svg"
                                sourceSize.width: 32
                                sourceSize.height: 32
                            }
                        }
                        background: Rectangle {
                            radius: 19
                            color: profileButton.hovered ? Theme.profileHoveredFill : Theme.readOnlyFill
                        }
                    }
                }
            }

            StackLayout {
                id: pageStack
                objectName: "pageStack"
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentIndex: window.pageIndex

                RepairPage {
                    id: repairPage
                    objectName: "repairPage"
                    workflow: repairWorkflow
                    settings: window.settings
                }

                SettingsPage {
                    id: settingsPage
                    objectName: "settingsPage"
                    settings: window.settings
                    workflow: repairWorkflow
                }
                AccountPage {
                    id: accountPage
                    account: accountService
                    onLoginCompleted: window.currentPage = "repair"
                    onContinueLocally: window.currentPage = "repair"
                    onOpenLegalPage: (section) => window.openSettingsSection(section)
                }
                HelpPage {
                    id: helpPage
                    objectName: "helpPage"
                    settings: window.settings
                    account: accountService
                    onNavigate: (destination) => window.currentPage = destination
                }
            }
        }
    }


    Dialog {
        id: unsavedExitDialog
        objectName: "unsavedExitDialog"
        modal: true
        x: Math.round((window.width - width) / 2)
        y: Math.round((window.height - height) / 2)
        width: 450
        title: qsTr("修复结果尚未保存")
        standardButtons: Dialog.NoButton
        font.family: Theme.fontFamily

        ColumnLayout {
            width: parent.width
            spacing: 18

            Label {
                Layout.fillWidth: true
                text: qsTr("关闭窗口会删除本次临时修复结果。你可以返回文件修复页面先保存结果。")
                color: window.textSecondary
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontBody
                wrapMode: Text.Wrap
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                Item {
                    Layout.fillWidth: true
                }
                AppButton {
                    objectName: "exitCancelButton"
                    text: qsTr("取消")
                    variant: "secondary"
                    compact: true
                    onClicked: unsavedExitDialog.close()
                }
                AppButton {
                    objectName: "exitBackButton"
                    text: qsTr("返回保存")
                    variant: "primary"
                    compact: true
                    onClicked: {
                        window.currentPage = "repair"
                        unsavedExitDialog.close()
                    }
                }
                AppButton {
                    objectName: "exitDiscardButton"
                    text: qsTr("放弃并关闭")
                    variant: "danger"
                    compact: true
                    onClicked: {
                        repairWorkflow.discardUnsavedResult()
                        unsavedExitDialog.close()
                        Qt.quit()
                    }
                }
            }
        }
    }
}
