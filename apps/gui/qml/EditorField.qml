import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// One field of the watch form: typed, or filled by its wheel (tap to open it).
RowLayout {
    id: row
    required property var modelData
    readonly property bool typed: modelData.input === "keyboard"
    readonly property bool active: EditorScreen.activeOutlet === modelData.outlet
    spacing: 8

    Label {
        text: row.modelData.label
        color: "white"
        Layout.preferredWidth: 140
        elide: Text.ElideRight
    }
    TextField {
        id: input
        objectName: row.modelData.outlet
        text: EditorScreen.texts[row.modelData.outlet] ?? ""
        placeholderText: row.modelData.placeholder
        readOnly: !row.typed
        color: "white"
        placeholderTextColor: "#636366"
        Layout.fillWidth: true
        background: Rectangle {
            radius: 8
            color: "#1c1c1e"
            border.color: row.active ? "#0a84ff" : "transparent"
        }
        onActiveFocusChanged: if (activeFocus && row.typed) EditorScreen.beginEditing(row.modelData.outlet)
        onTextEdited: EditorScreen.editText(row.modelData.outlet, text)
        MouseArea {
            anchors.fill: parent
            enabled: !row.typed
            onClicked: {
                input.forceActiveFocus()
                EditorScreen.beginEditing(row.modelData.outlet)
            }
        }
    }
}
