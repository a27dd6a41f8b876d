import QtQuick
import QtQuick.Controls

// One text line of a collection row.
Label {
    width: parent ? parent.width : implicitWidth
    elide: Text.ElideRight
    color: "white"
    font.family: "Nimbus Sans"
    font.pixelSize: 14
    styleColor: "black"
    style: Text.Raised
}
