import QtQuick
import Korvex.FileRepair
import QtQuick.Controls.Basic

// A read-only, selectable text view of the embedded preview, with a context menu that offers only
// what a read-only view can do.
TextArea {
    id: view

    readOnly: true
    selectByMouse: true
    persistentSelection: true
    color: Theme.previewText
    selectionColor: Theme.selection
    selectedTextColor: Theme.textControl
    background: Rectangle {
        color: Theme.surface
        border.color: Theme.panelBorder
    }

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: (eventPoint) => {
            contextMenu.x = eventPoint.position.x
            contextMenu.y = eventPoint.position.y
            contextMenu.open()
        }
    }
    Menu {
        id: contextMenu
        objectName: "contextMenu"
        MenuItem { text: qsTranslate("InternalPreview", "撤销"); enabled: false }
        MenuItem { text: qsTranslate("InternalPreview", "重做"); enabled: false }
        MenuSeparator {}
        MenuItem { text: qsTranslate("InternalPreview", "剪切"); enabled: false }
        MenuItem {
            objectName: "copyItem"
            text: qsTranslate("InternalPreview", "复制")
            enabled: view.selectedText !== ""
            onTriggered: view.copy()
        }
        MenuItem { text: qsTranslate("InternalPreview", "粘贴"); enabled: false }
        MenuItem { text: qsTranslate("InternalPreview", "删除"); enabled: false }
        MenuSeparator {}
        MenuItem {
            objectName: "selectAllItem"
            text: qsTranslate("InternalPreview", "全选")
            enabled: view.length > 0
            onTriggered: view.selectAll()
        }
    }
}
