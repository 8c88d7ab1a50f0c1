import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic
import QtQuick.Layouts

// A legal document of the settings page (the licence agreement, the privacy policy): title,
// subtitle and the body as plain text.
Rectangle {
    id: legalCard
    property string pageTitle
    property string pageSubtitle
    property string bodyText

    color: Theme.surface
    radius: Theme.radiusPanel
    border.color: Theme.cardBorder
    implicitWidth: parent ? parent.width : 0
    Layout.fillWidth: true
    implicitHeight: legalColumn.implicitHeight + 44

    ColumnLayout {
        id: legalColumn
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 22
        spacing: 10

        Label {
            objectName: "legalPageTitle"
            Layout.fillWidth: true
            text: legalCard.pageTitle
            wrapMode: Text.Wrap
            color: Theme.textTitle
            font.family: Theme.fontFamily
            font.bold: true
            font.pixelSize: Theme.fontPanelHeading
        }
        Label {
            Layout.fillWidth: true
            text: legalCard.pageSubtitle
            wrapMode: Text.Wrap
            color: Theme.textHint
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.rule
        }
        Text {
            objectName: "legalPageBody"
            Layout.fillWidth: true
            text: legalCard.bodyText
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: Theme.textBody
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontControl
            lineHeight: 1.55
        }
    }
}
