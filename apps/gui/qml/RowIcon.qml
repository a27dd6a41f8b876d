import QtQuick
import Tockary

// A small picture of a collection row by its asset name; hidden when the name is empty. Those
// who do not see it get it in words. A pressable one opens its pop-up instead of the row.
Image {
    id: icon
    property string name
    property bool pressable: false
    signal clicked()
    property int size: 22
    visible: name.length > 0
    width: size
    height: size
    fillMode: Image.PreserveAspectFit
    sourceSize: Qt.size(width * 2, height * 2)
    asynchronous: true
    source: AppShell.assetPicture(name)
    Accessible.role: Accessible.Graphic
    Accessible.name: CollectionList.imageDescription(name)
    MouseArea {
        anchors.fill: parent
        enabled: icon.pressable
        onClicked: icon.clicked()
    }
}
