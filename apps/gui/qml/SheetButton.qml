import QtQuick
import QtQuick.Controls

// One action of a sheet: red when destructive, bold when it cancels.
Button {
    id: button
    property string actionStyle: "default"
    readonly property color textColour: actionStyle === "destructive" ? "#ff453a" : "#0a84ff"
    flat: true
    font.bold: actionStyle === "cancel"
    font.pixelSize: 17
    // A flat button draws its text in windowText, a pressed one in buttonText.
    palette.buttonText: textColour
    palette.windowText: textColour
    background: Rectangle {
        radius: 10
        color: button.down ? "#3a3a3c" : "#1c1c1e"
    }
}
