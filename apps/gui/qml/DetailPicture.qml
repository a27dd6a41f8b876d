import QtQuick
import QtQuick.Controls
import Tockary

// The watch picture with its three faces; a tap flips to the next one, the new face being
// drawn half-way through the turn.
Item {
    id: box
    objectName: "kelloImageView"

    Item {
        id: face
        anchors.fill: parent
        transform: Rotation {
            id: turn
            origin.x: face.width / 2
            origin.y: face.height / 2
            axis { x: 0; y: 1; z: 0 }
            angle: 0
        }

        Image {
            id: picture
            objectName: "detailPictureImage"
            anchors.fill: parent
            fillMode: Image.PreserveAspectFit
            sourceSize: Qt.size(box.width * 2, box.width * 2)
            asynchronous: true
            source: WatchDetail.picture
            Accessible.role: Accessible.Graphic
            Accessible.name: WatchDetail.pictureText
        }

        // Face 3: the dimension texts over the diagram, laid out on their 500 x 500 overlay.
        Item {
            objectName: "tekstiView"
            visible: WatchDetail.diagramShown
            width: 500
            height: 500
            scale: Math.min(box.width, box.height) / 500
            transformOrigin: Item.TopLeft
            x: (box.width - Math.min(box.width, box.height)) / 2
            Repeater {
                model: WatchDetail.diagramShown ? WatchDetail.diagram.texts : []
                delegate: Text {
                    required property var modelData
                    objectName: "diagram_" + modelData.role
                    x: modelData.x
                    y: modelData.y
                    width: modelData.width
                    height: modelData.height
                    text: modelData.text
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    color: "white"
                    font.family: "Nimbus Sans"
                    font.bold: true
                    font.pixelSize: WatchDetail.diagram.fontSize
                    style: Text.Raised
                    styleColor: "black"
                }
            }
        }
    }

    TapHandler {
        enabled: !flip.running
        onTapped: flip.start()
    }

    SequentialAnimation {
        id: flip
        NumberAnimation { target: turn; property: "angle"; from: 0; to: 90; duration: WatchDetail.flipMilliseconds / 2 }
        ScriptAction { script: WatchDetail.flipWatchPhoto() }
        NumberAnimation { target: turn; property: "angle"; from: -90; to: 0; duration: WatchDetail.flipMilliseconds / 2 }
    }

    ToolButton {
        objectName: "flipButton"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        text: "\u21bb"
        font.pixelSize: 22
        palette.buttonText: "#0a84ff"
        enabled: !flip.running
        onClicked: flip.start()
    }
}
