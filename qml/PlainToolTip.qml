import QtQuick
import QtQuick.Controls.Basic

// The tool tip for names, paths and texts that are not the program's own: shown as plain text, so
// markup in a file name ("<b>...") is never rendered. (The attached ToolTip shows rich text.)
ToolTip {
    id: tip
    contentItem: Text {
        objectName: "plainToolTipText"
        text: tip.text
        textFormat: Text.PlainText
        font: tip.font
        wrapMode: Text.Wrap
        color: tip.palette.toolTipText
    }
}
