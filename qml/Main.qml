import QtQuick
import Korvex.FileRepair
import QtQuick.Controls
import QtQuick.Layouts

ApplicationWindow {
    id: window

    property url startupFileUrl
    property color accent: "#07964D"
    property color textPrimary: "#10261B"
    property color textSecondary: "#66756E"

    width: 1120
    height: 760
    minimumWidth: 980
    minimumHeight: 680
    visible: true
    title: qsTr("Korvex 文件修复")
    color: "#F7F9F8"

    ColumnLayout {
        anchors.centerIn: parent
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
            font.family: ApplicationFont.family
            font.pixelSize: 19
            font.bold: true
        }
        Label {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("文件修复")
            color: window.textSecondary
            font.family: ApplicationFont.family
            font.pixelSize: 13
        }
    }
}
