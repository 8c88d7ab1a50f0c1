// A window without a workflow controller and without the help page's feedback controls.
import QtQuick

Window {
    property url startupFileUrl
    property string currentPage: "repair"
    width: 640
    height: 480
    visible: true
    color: "#F7F9F8"
}
