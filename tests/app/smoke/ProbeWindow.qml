// A window with a workflow controller and the page objects the smoke automation looks up, nested
// below plain items. It logs what the automation does to it ("probe: ..." lines on stderr).
import QtQuick
import Korvex.FileRepair

Window {
    id: window

    property url startupFileUrl
    property string currentPage: "repair"

    width: 640
    height: 480
    visible: true
    color: "#F7F9F8"
    onCurrentPageChanged: console.log("probe: currentPage " + currentPage)

    RepairWorkflowController {
        id: workflow
        onStateChanged: console.log("probe: state " + state)
        onStatusChanged: console.log("probe: status " + status)
    }

    Item {
        anchors.fill: parent
        Item {
            objectName: "helpPage"
            property bool feedbackVisible: false
            onFeedbackVisibleChanged: console.log("probe: feedbackVisible " + feedbackVisible)
        }
        Item {
            Item {
                objectName: "settingsPage"
                property string section: "general"
                onSectionChanged: console.log("probe: section " + section)
            }
        }
    }

    Text {
        anchors.centerIn: parent
        text: workflow.state + "\n" + workflow.status
    }
}
