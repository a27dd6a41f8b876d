import QtQuick
import QtQuick.Controls

// A row of the settings screen that does something when tapped.
Button {
    height: 48
    flat: true
    palette.buttonText: "#0a84ff"
    background: Rectangle { color: parent.down ? "#2c2c2e" : "#1c1c1e" }
}
