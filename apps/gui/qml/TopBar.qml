import QtQuick
import QtQuick.Controls

// The bar above every page: one height, a black ground and a hairline under it. Its buttons are
// TopBarButtons so that they share one height and one baseline.
ToolBar {
    id: bar
    property string title
    property string titleName: "topBarTitle"
    implicitHeight: 48
    background: Rectangle {
        color: "black"
        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: 1
            color: "#2c2c2e"
        }
    }
    Label {
        objectName: bar.titleName
        anchors.centerIn: parent
        width: Math.min(implicitWidth, bar.width - 180)
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: bar.title
        visible: text.length > 0
        font.bold: true
        font.pixelSize: 17
        color: "white"
    }
}
