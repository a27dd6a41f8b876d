import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The notes of a form, with the button that stamps today's date into them where the form has one.
ColumnLayout {
    id: notes
    // {outlet, caption, placeholder, kind}, as the form describes it.
    required property var field
    required property EditorScreen editor
    spacing: 6

    Button {
        objectName: "datestampButton"
        visible: text.length > 0
        text: notes.editor.labels.datestamp
        flat: true
        // A flat button draws its text in the window text colour.
        palette.windowText: "#0a84ff"
        onClicked: {
            notes.editor.insertDatestamp()
            notesArea.forceActiveFocus()
            notesArea.cursorPosition = notesArea.length
        }
    }
    TextArea {
        id: notesArea
        objectName: notes.field.outlet
        text: notes.editor.texts[notes.field.outlet] ?? ""
        placeholderText: notes.field.placeholder
        wrapMode: TextEdit.Wrap
        color: "white"
        Layout.fillWidth: true
        Layout.minimumHeight: 140
        background: Rectangle { color: "#1c1c1e"; radius: 8 }
        onTextChanged: notes.editor.setNotes(notes.field.outlet, text)
    }
}
