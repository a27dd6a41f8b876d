import QtQuick
import QtQuick.Controls
import Tockary

// One watch of the collection list as its row model gives it. Swipe right: the quick wear
// action; swipe left: delete.
SwipeDelegate {
    id: row
    objectName: "row_" + watchId

    required property int index
    required property var watchId
    required property string objectId
    required property string picture
    required property real pictureOpacity
    required property bool pictureRotates
    required property string manufacturerText
    required property string modelText
    required property string yearText
    required property color yearColor
    required property bool yearShadow
    required property string dotsImage
    required property string statusImage
    required property string badge1Image
    required property string badge2Image
    required property string badge3Image
    required property string badge4Image
    required property string stripeImage
    required property string indicatorImage
    required property string wearRateText
    required property string warrantyText
    required property color warrantyColor
    required property bool quickInfoShown
    required property string rateImage

    // The swipe action, read when the row is swiped open (not for every row built).
    property var wearAction: swipe.position > 0 ? CollectionList.quickWearAction(index) : ({})

    padding: 0
    onClicked: CollectionList.select(index)
    ListView.onReused: swipe.close()

    background: Rectangle {
        color: row.pressed ? "#1c1c1e" : "black"
        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.leftMargin: 12
            height: 1
            color: "#2c2c2e"
        }
    }

    swipe.left: AbstractButton {
        objectName: "quickWearAction"
        anchors.left: parent.left
        width: 170
        height: row.height
        background: Rectangle {
            color: row.wearAction.color !== undefined ? row.wearAction.color : "gray"
        }
        contentItem: Column {
            topPadding: (row.height - implicitHeight) / 2
            spacing: 6
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 40
                height: 40
                sourceSize: Qt.size(80, 80)
                source: row.wearAction.image !== undefined ? AppShell.assetPicture(row.wearAction.image) : ""
            }
            Label {
                objectName: "quickWearTitle"
                anchors.horizontalCenter: parent.horizontalCenter
                text: row.wearAction.title !== undefined ? row.wearAction.title : ""
                color: "white"
                horizontalAlignment: Text.AlignHCenter
            }
        }
        onClicked: {
            row.swipe.close()
            CollectionList.quickWear(row.index)
        }
    }

    swipe.right: AbstractButton {
        objectName: "deleteAction"
        anchors.right: parent.right
        width: 100
        height: row.height
        background: Rectangle { color: "#ff3b30" }
        contentItem: Label {
            text: CollectionList.captions.delete
            color: "white"
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        onClicked: {
            row.swipe.close()
            CollectionList.requestDelete(row.index)
        }
    }

    contentItem: Item {
        // The ownership stripe runs along the left edge.
        Image {
            objectName: "vuosiOutlet"
            visible: row.stripeImage.length > 0
            x: 0
            y: 8
            width: 8
            height: parent.height - 16
            sourceSize: Qt.size(16, 266)
            asynchronous: true
            source: AppShell.assetPicture(row.stripeImage)
            Accessible.role: Accessible.Graphic
            Accessible.name: CollectionList.imageDescription(row.stripeImage)
            MouseArea {
                anchors.fill: parent
                anchors.leftMargin: -4
                anchors.rightMargin: -4
                onClicked: CollectionPopups.ownership(row.index)
            }
        }

        Item {
            id: pictureBox
            x: 14
            anchors.verticalCenter: parent.verticalCenter
            width: 118
            height: 118
            opacity: row.pictureOpacity

            Image {
                objectName: "watchImageView"
                anchors.fill: parent
                visible: !row.pictureRotates
                fillMode: Image.PreserveAspectFit
                sourceSize: Qt.size(236, 236)
                asynchronous: true
                source: row.pictureRotates ? "" : row.picture
            }
            // A watch on its winder: the picture cut to its ellipse, turning.
            Canvas {
                id: winder
                objectName: "winderImageView"
                anchors.fill: parent
                visible: row.pictureRotates
                property string url: row.pictureRotates ? row.picture : ""
                onUrlChanged: if (url.length > 0) loadImage(url)
                onImageLoaded: requestPaint()
                onPaint: {
                    const context = getContext("2d")
                    context.reset()
                    if (url.length === 0 || !isImageLoaded(url))
                        return
                    context.beginPath()
                    context.ellipse(0, 0, width, height)
                    context.clip()
                    context.drawImage(url, 0, 0, width, height)
                }
                RotationAnimator on rotation {
                    running: winder.visible
                    from: 0
                    to: 360
                    duration: 8000
                    loops: Animation.Infinite
                }
            }
        }

        Column {
            x: pictureBox.x + pictureBox.width + 12
            y: 14
            width: parent.width - x - 56
            spacing: 3
            RowText { objectName: "manufacturerLabel"; text: row.manufacturerText; font.bold: true; font.pixelSize: 17 }
            RowText { objectName: "modelLabel"; text: row.modelText }
            RowText {
                objectName: "yearLabel"
                text: row.yearText
                color: row.yearColor
                style: row.yearShadow ? Text.Raised : Text.Normal
            }
            RowText {
                objectName: "wearRateLabel"
                text: row.wearRateText
                visible: text.length > 0
                font.pixelSize: 12
                color: "#c7c7cc"
            }
            RowText {
                objectName: "warrantyEndsLabel"
                text: row.warrantyText
                visible: text.length > 0
                font.pixelSize: 12
                color: row.warrantyColor
            }
            // The completeness ring leads, so that it stands in one place whatever badges follow.
            Row {
                spacing: 4
                topPadding: 2
                RowIcon { objectName: "indicatorButtonOutlet"; name: row.indicatorImage }
                RowIcon { objectName: "badge1Outlet"; name: row.badge1Image; pressable: true; onClicked: CollectionPopups.badge(row.index, 1) }
                RowIcon { objectName: "badge2Outlet"; name: row.badge2Image; pressable: true; onClicked: CollectionPopups.badge(row.index, 2) }
                RowIcon { objectName: "badge3Outlet"; name: row.badge3Image; pressable: true; onClicked: CollectionPopups.badge(row.index, 3) }
                RowIcon { objectName: "badge4Outlet"; name: row.badge4Image; pressable: true; onClicked: CollectionPopups.badge(row.index, 4) }
            }
        }

        // The right column: status, info mode, the two pop-up buttons.
        Column {
            anchors.right: parent.right
            anchors.rightMargin: 12
            y: 12
            spacing: 6
            RowIcon { objectName: "statusButtonOutlet"; name: row.statusImage; size: 36; pressable: true; onClicked: CollectionPopups.card(row.index) }
            RowIcon { objectName: "dotsButton"; name: row.dotsImage; size: 36; height: 12 }
            RowIcon { objectName: "dwrButton"; name: row.rateImage; size: 36; pressable: true; onClicked: CollectionPopups.rate(row.index) }
            // The technical-details button, drawn rather than taken from a font.
            Rectangle {
                objectName: "quickInfoButton"
                visible: row.quickInfoShown
                x: 7
                width: 22
                height: 22
                radius: 11
                color: "transparent"
                border.color: "#0a84ff"
                border.width: 2
                Text {
                    anchors.centerIn: parent
                    text: "i"
                    font.family: "Nimbus Sans"
                    font.bold: true
                    font.pixelSize: 14
                    color: "#0a84ff"
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: CollectionPopups.technical(row.index)
                }
            }
        }
    }
}
