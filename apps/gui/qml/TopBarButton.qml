import QtQuick
import QtQuick.Controls

// A button of the top bar: a word, or a glyph such as "‹" or "+", always 40 points high with its
// text centred, so that every bar's buttons line up.
ToolButton {
    id: button
    property bool glyph: false
    property color tint: "#0a84ff"
    implicitHeight: 40
    implicitWidth: Math.max(40, label.implicitWidth + 20)
    focusPolicy: Qt.NoFocus  // typing goes on where it was
    background: Item {}
    contentItem: Label {
        id: label
        text: button.text
        font.pixelSize: button.glyph ? 30 : 17
        font.bold: button.font.bold
        // Glyphs sit a little high in their line; this puts their middle on the words' middle.
        topPadding: button.glyph ? -3 : 0
        color: !button.enabled ? "#636366" : button.down ? Qt.darker(button.tint, 1.4) : button.tint
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
