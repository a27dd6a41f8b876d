import QtQuick
import QtQuick.Controls

// What a section's switches do; nothing when the text is empty.
Label {
    visible: text.length > 0
    topPadding: 6
    leftPadding: 12
    rightPadding: 12
    color: "#8e8e93"
    font.pixelSize: 12
    wrapMode: Text.Wrap
}
