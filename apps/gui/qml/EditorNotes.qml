import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The notes of the watch form, with the button that stamps today's date into them.
ColumnLayout {
    id: notes
    // {outlet, caption, placeholder, kind}, as the form describes it.
    required property var field
    spacing: 6

    Button {
        objectName: "datestampButton"
        text: EditorScreen.labels.datestamp
        flat: true
        // A flat button draws its text in the window text colour.
        palette.windowText: "#0a84ff"
        onClicked: {
            EditorScreen.insertDatestamp()
            notesArea.forceActiveFocus()
            notesArea.cursorPosition = notesArea.length
        }
    }
    TextArea {
        id: notesArea
        objectName: notes.field.outlet
        text: EditorScreen.notes
        placeholderText: notes.field.placeholder
        wrapMode: TextEdit.Wrap
        color: "white"
        Layout.fillWidth: true
        Layout.minimumHeight: 140
        background: Rectangle { color: "#1c1c1e"; radius: 8 }
        onTextChanged: EditorScreen.setNotes(text)
    }
}
