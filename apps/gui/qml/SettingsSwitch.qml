import QtQuick
import QtQuick.Controls

// A switch drawn as the phone draws it: green track when on, grey when off, white knob.
Switch {
    id: control
    opacity: enabled ? 1.0 : 0.4
    indicator: Rectangle {
        implicitWidth: 51
        implicitHeight: 31
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: height / 2
        color: control.checked ? "#30d158" : "#39393d"
        Behavior on color { ColorAnimation { duration: 150 } }
        Rectangle {
            width: 27
            height: 27
            radius: 13.5
            y: 2
            x: control.checked ? parent.width - width - 2 : 2
            color: "white"
            Behavior on x { NumberAnimation { duration: 150 } }
        }
    }
}
