import QtQuick
import QtQuick.Controls
import Tockary

// One measurement of the list: the watch and where it was kept, the result (or that it is still
// running), the start date and how long it has run. Swipe left: delete.
SwipeDelegate {
    id: row
    objectName: "measurementRow_" + objectId

    required property int index
    required property string watch
    required property string environment
    required property string result
    required property string startDate
    required property string duration
    required property string objectId

    padding: 0
    implicitHeight: 96
    onClicked: MeasurementList.select(index)
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
            text: MeasurementList.captions.delete
            color: "white"
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        onClicked: {
            row.swipe.close()
            MeasurementList.deleteRow(row.index)
        }
    }

    contentItem: Item {
        Column {
            x: 16
            width: parent.width - 32
            anchors.verticalCenter: parent.verticalCenter
            spacing: 3
            Item {
                width: parent.width
                height: watchText.implicitHeight
                RowText {
                    id: watchText
                    objectName: "measurementWatch"
                    width: parent.width - resultText.implicitWidth - 12
                    text: row.watch
                    font.bold: true
                    font.pixelSize: 16
                }
                RowText {
                    id: resultText
                    objectName: "measurementResult"
                    anchors.right: parent.right
                    width: implicitWidth
                    text: row.result
                    font.bold: true
                    font.pixelSize: 16
                    color: "#0a84ff"
                }
            }
            RowText {
                objectName: "measurementEnvironment"
                text: row.environment
                visible: text.length > 0
                font.pixelSize: 13
                color: "#c7c7cc"
            }
            RowText {
                objectName: "measurementStart"
                text: row.startDate
                visible: text.length > 0
                font.pixelSize: 13
                color: "#8e8e93"
            }
            RowText {
                objectName: "measurementDuration"
                text: row.duration
                visible: text.length > 0
                font.pixelSize: 13
                color: "#8e8e93"
            }
        }
    }
}
