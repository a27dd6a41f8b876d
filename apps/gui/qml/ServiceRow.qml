import QtQuick
import QtQuick.Controls
import Tockary

// One service record of the list: its title and its dates. Swipe left: delete.
SwipeDelegate {
    id: row
    objectName: "serviceRow_" + objectId

    required property int index
    required property string title
    required property string subtitle
    required property string objectId

    padding: 0
    implicitHeight: 66
    onClicked: ServiceList.select(index)
    ListView.onReused: swipe.close()

    background: Rectangle {
        color: row.pressed ? "#1c1c1e" : "black"
        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.leftMargin: 16
            height: 1
            color: "#2c2c2e"
        }
    }

    swipe.right: AbstractButton {
        objectName: "deleteAction"
        anchors.right: parent.right
        width: 100
        height: row.height
        background: Rectangle { color: "#ff3b30" }
        contentItem: Label {
            text: ServiceList.captions.delete
            color: "white"
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        onClicked: {
            row.swipe.close()
            ServiceList.deleteRow(row.index)
        }
    }

    contentItem: Item {
        Column {
            x: 16
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            RowText {
                objectName: "serviceTitle"
                text: row.title
                font.bold: true
                font.pixelSize: 16
            }
            RowText {
                objectName: "serviceSubtitle"
                text: row.subtitle
                visible: text.length > 0
                font.pixelSize: 13
                color: "#c7c7cc"
            }
        }
    }
}
