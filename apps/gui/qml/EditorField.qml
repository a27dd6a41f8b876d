import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// One field of a form: typed, or filled by its wheel (tap to open it).
RowLayout {
    id: row
    // {outlet, caption, placeholder, kind}, as the form describes it.
    required property var field
    required property QtObject editor
    readonly property bool typed: field.kind === "text" || field.kind === "number"
    readonly property bool active: row.editor.editedOutlet === field.outlet
    // Tapped while its wheel is open.
    signal wheelWanted()
    spacing: 8

    Label {
        text: row.field.caption
        color: "white"
        Layout.preferredWidth: 140
        elide: Text.ElideRight
    }
    TextField {
        id: input
        objectName: row.field.outlet
        text: row.editor.texts[row.field.outlet] ?? ""
        placeholderText: row.field.placeholder
        readOnly: !row.typed
        inputMethodHints: row.field.kind === "number" ? Qt.ImhFormattedNumbersOnly : Qt.ImhNone
        color: "white"
        placeholderTextColor: "#636366"
        Layout.fillWidth: true
        background: Rectangle {
            radius: 8
            color: "#1c1c1e"
            border.color: row.active ? "#0a84ff" : "transparent"
        }
        onActiveFocusChanged: if (activeFocus && row.typed) row.editor.beginEditing(row.field.outlet)
        onTextEdited: row.editor.editText(row.field.outlet, text)
        MouseArea {
            anchors.fill: parent
            enabled: !row.typed
            // The wheel takes the keys as it opens; a second tap keeps the row it was turned to
            // and gives the keys back to it.
            onClicked: {
                if (row.active)
                    row.wheelWanted()
                else
                    row.editor.beginEditing(row.field.outlet)
            }
        }
    }
}
