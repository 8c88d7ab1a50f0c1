import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// Language, save behaviour, cache limit and expiry, diagnostics and the legal texts. The page keeps
// no settings of its own: every control shows a service property and writes back through it.
Item {
    id: page

    required property var settings
    required property var workflow
    property string section: "general"
    readonly property var languageCodes: ["zh-CN", "zh-TW", "en-US", "de-DE", "fr-FR", "it-IT", "ja-JP", "es-ES"]
    readonly property var languageLabels: ["简体中文", "繁體中文", "English", "Deutsch", "Français", "Italiano", "日本語", "Español"]

    // Fixed section keys, labels translated per button: a model of translated texts would be
    // rebuilt on every language switch, destroying the buttons while the column still holds them.
    function sectionLabel(key) {
        switch (key) {
        case "general": return qsTr("常规")
        case "repair": return qsTr("修复与存储")
        case "privacy": return qsTr("隐私与安全")
        case "license": return qsTr("开源许可证")
        case "agreement": return qsTr("Korvex 许可协议")
        default: return qsTr("隐私政策")
        }
    }

    // A button of the section list on the left.
    component SectionButton: AppButton {
        id: sectionButton
        required property string key
        objectName: "sectionButton_" + sectionButton.key
        Layout.fillWidth: true
    }

    // The two documents are one translatable text each, so every catalogue holds them whole.
    readonly property string agreementText: qsTr("请在使用 Korvex 文件修复（以下简称“本软件”）前仔细阅读本协议。您勾选同意，或登录、注册并继续使用账号服务，即表示您接受本协议。\n\n"
            + "一、软件许可\n我们授予您有限的、非独占的、不可转让的许可，允许您在您控制的设备上安装和运行本软件。您的文件及修复后的文件始终归您所有。\n\n"
            + "二、本地修复与账号服务\n选择、分析、修复和预览文件均在您的设备上完成。登录不会上传任何文件；登录仅用于识别账号和管理设备会话。\n\n"
            + "三、账号与安全\n请妥善保管验证码、密码以及通过其他服务商登录的凭据。不得冒用他人身份、攻击服务或大量滥用验证码。如发现异常，请退出登录或重置密码。\n\n"
            + "四、修复结果与风险\n文件修复存在不确定性。本软件不会改动原始文件，修复结果先保存在临时缓存中，或保存到您选择的新位置。我们不保证所有损坏都能修复，本软件也不能替代备份。保存或使用结果前，请在内置预览和目标应用中检查。\n\n"
            + "五、开源软件权利\n本软件使用 Qt 等开源组件。如本协议与这些组件的许可证冲突，以其许可证为准。本协议不限制您依据 LGPLv3 及类似许可证替换或修改这些库、以及为调试这些修改而进行修改的权利。\n\n"
            + "六、责任限制与终止\n在适用法律允许的范围内，本软件按“现状”提供。如您违反本协议、非法使用本软件或攻击服务安全，我们可以终止本许可。法律保护的消费者权利不受影响。\n\n"
            + "七、协议更新\n重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。发布者及其联系方式以发布者公布的信息为准。")

    readonly property string privacyPolicyText: qsTr("本政策说明 Korvex 文件修复如何处理与客户端及账号服务有关的信息。\n\n"
            + "一、不会上传的内容\n您选择的文件、文件内容、修复后的文件和预览内容仅在您的设备上处理，不会因登录或诊断开关而上传。客户端不会扫描您未选择的文件夹。\n\n"
            + "二、账号服务处理的信息\n登录时，账号服务处理以下信息：电子邮件地址或手机号、显示名称、验证码校验结果、加密的密码凭据、外部登录账号的标识、设备指纹哈希、设备名称、平台、应用版本和登录时间。客户端从不保存明文密码、短信或邮件验证码以及 Google 授权码。\n\n"
            + "三、处理目的\n创建和验证账号、防止滥用、保持设备会话、恢复登录以及安全审计。您的文件绝不会用于广告、模型训练或用户画像。\n\n"
            + "四、第三方服务\n使用 Google 登录时，系统浏览器会连接 Google，由 Google 按其自身政策处理登录；我们仅请求 openid、email 和 profile 范围。短信和邮件服务商只会收到发送验证码所需的号码或地址及消息内容。\n\n"
            + "五、本机存储\n刷新令牌以受保护的形式保存在当前用户的配置中：在 Windows 上由当前用户的 DPAPI 保护，在 macOS 上存放在钥匙串中，在其他系统上用仅当前用户可读的密钥加密。设置、匿名诊断事件和临时修复缓存位于当前用户的文件夹中。匿名诊断默认关闭，仅记录时间、事件名和应用版本，可在“隐私与安全”页面清除。\n\n"
            + "六、保存期限与安全\n账号和设备记录在提供服务、处理争议和履行法定义务所需的期间内保留。验证码有效期很短，发送频率和尝试次数均受限制。我们采用加密传输、令牌轮换、设备撤销和最小权限原则，但任何联网系统都无法保证绝对安全。\n\n"
            + "七、您的选择与权利\n您无需登录即可使用本地分析和修复；您可以退出登录、清除诊断日志和临时缓存，也可以在“账户信息”中永久删除账号。其他请求请通过发布者公布的联系渠道提出。\n\n"
            + "八、未成年人及政策更新\n本软件不面向依法不能表示同意的未成年人。重大变更将在应用内或账号中心公告；法律要求时，我们会再次征求您的同意。")

    // The unsaved result's path: every cache operation from this page spares its task.
    function protectedOutputPath() {
        return page.workflow.hasUnsavedResult ? page.workflow.outputPath : ""
    }

    onSectionChanged: {
        if (section === "repair")
            page.settings.refreshCacheSize()
    }

    // A control the user changed holds the value it was given, not the service's; the sections put
    // the service's value back (with its binding), so a refused value, a reset or a language switch
    // made elsewhere shows in the control.
    Connections {
        target: page.settings
        function onLanguageChanged(language) { generalSection.followLanguage() }
        function onSettingsChanged() {
            repairSection.followSettings()
            privacySection.followDiagnostics()
        }
        function onLegalDocumentRequested() { legalDialog.open() }
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 30
        anchors.rightMargin: 30
        anchors.topMargin: 26
        anchors.bottomMargin: 26
        spacing: 18

        ColumnLayout {
            Layout.preferredWidth: Math.max(176, Math.min(220, page.width * 0.25))
            Layout.maximumWidth: Layout.preferredWidth
            Layout.fillHeight: true
            spacing: 6

            Label {
                Layout.fillWidth: true
                Layout.bottomMargin: 14
                text: qsTr("设置")
                color: Theme.textTitle
                font.family: Theme.fontFamily
                font.bold: true
                font.pixelSize: Theme.fontPageTitle
                wrapMode: Text.Wrap
            }

            SectionButton {
                key: "general"
                text: page.sectionLabel("general")
                variant: page.section === "general" ? "primary" : "ghost"
                onClicked: page.section = "general"
            }
            SectionButton {
                key: "repair"
                text: page.sectionLabel("repair")
                variant: page.section === "repair" ? "primary" : "ghost"
                onClicked: page.section = "repair"
            }
            SectionButton {
                key: "privacy"
                text: page.sectionLabel("privacy")
                variant: page.section === "privacy" ? "primary" : "ghost"
                onClicked: page.section = "privacy"
            }
            SectionButton {
                key: "license"
                text: page.sectionLabel("license")
                variant: page.section === "license" ? "primary" : "ghost"
                onClicked: page.section = "license"
            }
            SectionButton {
                key: "agreement"
                text: page.sectionLabel("agreement")
                variant: page.section === "agreement" ? "primary" : "ghost"
                onClicked: page.section = "agreement"
            }
            SectionButton {
                key: "privacyPolicy"
                text: page.sectionLabel("privacyPolicy")
                variant: page.section === "privacyPolicy" ? "primary" : "ghost"
                onClicked: page.section = "privacyPolicy"
            }

            Item { Layout.fillHeight: true }

            Label {
                Layout.fillWidth: true
                text: qsTr("版本 %1").arg(page.settings.applicationVersion)
                color: Theme.textDisabled
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                wrapMode: Text.Wrap
            }
        }

        ScrollView {
            id: scroller
            objectName: "settingsScroll"
            Layout.fillWidth: true
            Layout.fillHeight: true
            // The width comes from the row, never from the cards, whose grids follow it.
            Layout.preferredWidth: 1
            Layout.minimumWidth: 0
            clip: true
            contentWidth: availableWidth
            ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

            ColumnLayout {
                width: scroller.availableWidth - 12
                spacing: 14

                SettingsGeneralSection {
                    id: generalSection
                    visible: page.section === "general"
                    settings: page.settings
                    languageCodes: page.languageCodes
                    languageLabels: page.languageLabels
                    narrow: scroller.availableWidth < 570
                }

                SettingsRepairSection {
                    id: repairSection
                    visible: page.section === "repair"
                    settings: page.settings
                    workflow: page.workflow
                    protectedOutputPath: page.protectedOutputPath()
                    narrow: scroller.availableWidth < 570
                    onClearExpiredRequested: cacheConfirmDialog.open()
                }

                SettingsPrivacySection {
                    id: privacySection
                    visible: page.section === "privacy"
                    settings: page.settings
                    onClearDiagnosticsRequested: diagnosticsConfirmDialog.open()
                }

                SettingsLicenseSection {
                    visible: page.section === "license"
                    settings: page.settings
                    narrow: scroller.availableWidth < 650
                }

                // --- Agreement and privacy policy ---
                SettingsLegalDocument {
                    objectName: "agreementCard"
                    visible: page.section === "agreement"
                    pageTitle: qsTr("Korvex 许可协议")
                    pageSubtitle: qsTr("版本 1.1 · 生效日期：2026 年 9 月 1 日")
                    bodyText: page.agreementText
                }

                SettingsLegalDocument {
                    objectName: "privacyPolicyCard"
                    visible: page.section === "privacyPolicy"
                    pageTitle: qsTr("Korvex 隐私政策")
                    pageSubtitle: qsTr("版本 1.1 · 生效日期：2026 年 9 月 1 日")
                    bodyText: page.privacyPolicyText
                }

                Label {
                    objectName: "statusLine"
                    Layout.fillWidth: true
                    text: page.settings.status
                    textFormat: Text.PlainText
                    color: Theme.textSecondary
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    wrapMode: Text.Wrap
                }

                AppButton {
                    objectName: "resetButton"
                    Layout.alignment: Qt.AlignRight
                    compact: true
                    variant: "ghost"
                    text: qsTr("恢复默认设置")
                    onClicked: resetConfirmDialog.open()
                }
            }
        }
    }

    SettingsConfirmDialog {
        id: cacheConfirmDialog
        objectName: "cacheConfirmDialog"
        title: qsTr("确认清理过期缓存")
        message: qsTr("仅删除超过 7 天且名称符合任务标识的缓存目录。当前未保存结果和用户原始文件不会被删除。")
        confirmText: qsTr("确认清理")
        onConfirmed: page.settings.clearExpiredCache(page.protectedOutputPath())
    }

    SettingsConfirmDialog {
        id: diagnosticsConfirmDialog
        objectName: "diagnosticsConfirmDialog"
        title: qsTr("清除本地诊断日志？")
        message: qsTr("将永久删除本机匿名诊断事件。该操作不会改变诊断开关。")
        confirmText: qsTr("清除日志")
        confirmVariant: "danger"
        onConfirmed: page.settings.clearDiagnosticData()
    }

    SettingsConfirmDialog {
        id: resetConfirmDialog
        objectName: "resetConfirmDialog"
        title: qsTr("恢复默认设置？")
        message: qsTr("将重置保存行为、缓存上限和隐私开关，但不会删除现有修复缓存或诊断文件。")
        confirmText: qsTr("恢复默认")
        onConfirmed: page.settings.resetDefaults()
    }

    Dialog {
        id: legalDialog
        objectName: "legalDialog"
        anchors.centerIn: parent
        width: Math.min(page.width - 80, 780)
        height: Math.min(page.height - 80, 640)
        modal: true
        standardButtons: Dialog.NoButton
        title: page.settings.legalTitle
        font.family: Theme.fontFamily

        ColumnLayout {
            anchors.fill: parent
            spacing: 12

            ScrollView {
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true

                TextArea {
                    objectName: "legalText"
                    text: page.settings.legalText
                    textFormat: TextEdit.PlainText
                    readOnly: true
                    selectByMouse: true
                    wrapMode: TextEdit.Wrap
                    color: Theme.textBody
                    font.family: Theme.fontFamily
                    background: Rectangle {
                        color: Theme.windowBackground
                        border.color: Theme.cardBorder
                        radius: Theme.radiusControl
                    }
                }
            }

            AppButton {
                objectName: "legalCloseButton"
                Layout.alignment: Qt.AlignRight
                compact: true
                variant: "secondary"
                text: qsTr("关闭")
                onClicked: legalDialog.close()
            }
        }
    }
}
