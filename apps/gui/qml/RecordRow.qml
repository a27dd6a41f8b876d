import QtQuick
import QtQuick.Controls
import Tockary

// One record of a record list: its title and its subtitle, if it has one. Swipe left: delete.
SwipeDelegate {
    id: row
    objectName: name + "Row_" + objectId
    // The model of the list (ServiceList, WarrantyList) and the records' name in objectNames.
    required property var records
    required property string name

    required property int index
    required property string title
    required property string subtitle
    required property string objectId

    padding: 0
    implicitHeight: 66
    onClicked: row.records.select(index)
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
            text: row.records.captions.delete
            color: "white"
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        onClicked: {
            row.swipe.close()
            row.records.deleteRow(row.index)
        }
    }

    contentItem: Item {
        Column {
            x: 16
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            RowText {
                objectName: row.name + "Title"
                text: row.title
                font.bold: true
                font.pixelSize: 16
            }
            RowText {
                objectName: row.name + "Subtitle"
                text: row.subtitle
                visible: text.length > 0
                font.pixelSize: 13
                color: "#c7c7cc"
            }
        }
    }
}
