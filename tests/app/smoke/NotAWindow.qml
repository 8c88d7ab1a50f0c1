// A main "window" that is no window: nothing can be shown or captured.
import QtQuick

Item {
    property url startupFileUrl
    property string currentPage: "repair"
}
