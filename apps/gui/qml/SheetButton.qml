import QtQuick
import QtQuick.Controls

// One action of a sheet: red when destructive, bold when it cancels.
Button {
    property string actionStyle: "default"
    flat: true
    font.bold: actionStyle === "cancel"
    font.pixelSize: 17
    palette.buttonText: actionStyle === "destructive" ? "#ff453a" : "#0a84ff"
    background: Rectangle {
        radius: 10
        color: parent.down ? "#3a3a3c" : "#1c1c1e"
    }
}
