import QtQuick

// A small picture of a collection row by its asset name; hidden when the name is empty.
Image {
    property string name
    property int size: 22
    visible: name.length > 0
    width: size
    height: size
    fillMode: Image.PreserveAspectFit
    sourceSize: Qt.size(width * 2, height * 2)
    asynchronous: true
    source: name.length > 0 ? "image://asset/" + name : ""
}
