import QtQuick
import QtQuick.Controls
import Tockary

// The detail of one warranty card: its watch and its picture, as wide as the page and zoomable
// (Ctrl with the mouse wheel, a pinch, a double click) up to what the screen allows; a zoomed
// picture pans by dragging.
Page {
    id: page
    objectName: "warrantyDetailPage"
    // The store identity of the card shown ("Takuu/3").
    property string objectId
    background: Rectangle { color: "black" }

    Component.onCompleted: WarrantyDetail.open(objectId)

    function goBack() { page.StackView.view.pop() }

    header: TopBar {
        title: WarrantyDetail.title
        titleName: "warrantyDetailTitle"
        TopBarButton {
            objectName: "warrantyBackButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2039"
            glyph: true
            onClicked: page.goBack()
        }
        TopBarButton {
            objectName: "warrantyEditButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: WarrantyDetail.captions.edit
            enabled: WarrantyDetail.found
            onClicked: WarrantyDetail.editSelectedWarranty()
        }
    }

    Label {
        id: watchLabel
        objectName: "warrantyLabel"
        x: 16
        y: 16
        width: parent.width - 32
        text: WarrantyDetail.label
        color: "white"
        font.pixelSize: 20
        font.bold: true
        wrapMode: Text.Wrap
    }

    Label {
        objectName: "warrantyPictureText"
        anchors.top: watchLabel.bottom
        anchors.topMargin: 24
        anchors.horizontalCenter: parent.horizontalCenter
        visible: WarrantyDetail.picture.length === 0
        text: WarrantyDetail.pictureText
        color: "#8e8e93"
    }

    // The scroll view: its content is the picture at the zoom the screen has set.
    Flickable {
        id: card
        objectName: "warrantyCardView"
        anchors.top: watchLabel.bottom
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        visible: WarrantyDetail.picture.length > 0
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        ScrollBar.horizontal: ScrollBar {}

        // Where the last zoom was asked for, in the content's coordinates: that point stays put.
        property point zoomCentre: Qt.point(0, 0)
        property real pinchStart: 1

        function layout() {
            const width = card.width * WarrantyDetail.zoom
            const height = card.width * WarrantyDetail.aspect * WarrantyDetail.zoom
            card.resizeContent(width, height, card.zoomCentre)
            card.returnToBounds()
        }
        // A point of the window in the content's coordinates.
        function contentPoint(scenePosition) {
            return card.contentItem.mapFromItem(null, scenePosition.x, scenePosition.y)
        }

        onWidthChanged: layout()
        Connections {
            target: WarrantyDetail
            function onChanged() {
                card.zoomCentre = Qt.point(0, 0)
                card.contentX = 0
                card.contentY = 0
                card.layout()
            }
            function onZoomChanged() { card.layout() }
        }

        Image {
            objectName: "warrantyCardImage"
            width: card.contentWidth
            height: card.contentHeight
            source: WarrantyDetail.picture
            sourceSize.width: Math.max(1, card.width * 2)
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            cache: false
        }

        WheelHandler {
            acceptedModifiers: Qt.ControlModifier
            target: null
            onWheel: event => {
                card.zoomCentre = card.contentPoint(point.scenePosition)
                WarrantyDetail.zoomByWheel(event.angleDelta.y)
            }
        }
        PinchHandler {
            target: null
            onActiveChanged: {
                if (active) {
                    card.pinchStart = WarrantyDetail.zoom
                    card.zoomCentre = card.contentPoint(centroid.scenePosition)
                }
            }
            onScaleChanged: if (active) WarrantyDetail.zoomTo(card.pinchStart * scale)
        }
        TapHandler {
            onDoubleTapped: {
                card.zoomCentre = card.contentPoint(point.scenePosition)
                WarrantyDetail.toggleZoom()
            }
        }
    }

    footer: ToolBar {
        implicitHeight: 56
        background: Rectangle {
            color: "black"
            Rectangle { width: parent.width; height: 1; color: "#2c2c2e" }
        }
        Button {
            objectName: "shareButton"
            anchors.centerIn: parent
            text: WarrantyDetail.captions.share
            enabled: WarrantyDetail.picture.length > 0
            onClicked: WarrantyDetail.shareWarranty()
        }
    }
}
