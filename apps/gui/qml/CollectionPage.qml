import QtQuick
import QtQuick.Controls
import Tockary

// The home screen: the collection, one row per watch, in the chosen order.
Page {
    id: page
    objectName: "collectionPage"
    background: Rectangle { color: "black" }

    // Rows, sort order and flags may have changed on another screen or tab: one fetch each time
    // the page comes back, whether by the stack or by the tabs.
    StackView.onActivated: CollectionList.viewDidAppear()
    onVisibleChanged: if (visible && StackView.status === StackView.Active) CollectionList.viewDidAppear()

    header: TopBar {
        id: bar
        // Three buttons a side; the title takes the room left between them.
        readonly property real sideWidth: Math.max(leftButtons.width, rightButtons.width) + 8
        Row {
            id: leftButtons
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            TopBarButton {
                objectName: "infoModeButton"
                text: CollectionList.captions.infoMode
                onClicked: CollectionList.nextInfoMode()
            }
            TopBarButton {
                objectName: "flipPicturesButton"
                text: CollectionList.captions.flip
                onClicked: CollectionList.flipPictures()
            }
            TopBarButton {
                objectName: "watchOfTheDayButton"
                text: CollectionPopups.captions.watchOfTheDay
                glyph: true
                onClicked: CollectionPopups.watchOfTheDay()
            }
        }
        Image {
            objectName: "titleImage"
            anchors.centerIn: parent
            height: 36
            width: Math.min(150, bar.width - 2 * bar.sideWidth)
            visible: width >= 60
            fillMode: Image.PreserveAspectFit
            sourceSize: Qt.size(300, 72)
            source: AppShell.assetPicture(CollectionList.titleImage)
        }
        Row {
            id: rightButtons
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            TopBarButton {
                objectName: "summaryButton"
                text: CollectionPopups.captions.summary
                glyph: true
                onClicked: CollectionPopups.summary()
            }
            TopBarButton {
                objectName: "sortButton"
                text: CollectionList.captions.sort
                onClicked: CollectionList.orderRowsBy()
            }
            TopBarButton {
                objectName: "addButton"
                text: "+"
                glyph: true
                onClicked: CollectionList.insertNewWatch()
            }
        }
    }

    ListView {
        id: list
        objectName: "collectionList"
        anchors.fill: parent
        clip: true
        model: CollectionList
        // Rows are built only for what is on screen (and a little beyond).
        cacheBuffer: 2 * CollectionList.estimatedRowHeight
        reuseItems: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        // A list looked at from its top stays at its top when rows come in above the first one
        // shown (a watch added elsewhere, the first fetch); one scrolled down keeps its rows.
        property bool atTop: true
        onMovementEnded: atTop = atYBeginning
        onCountChanged: if (atTop) Qt.callLater(positionViewAtBeginning)
        delegate: CollectionRow {
            width: list.width
            height: CollectionList.estimatedRowHeight
        }
        remove: Transition { NumberAnimation { property: "opacity"; to: 0; duration: 200 } }
        add: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 200 } }
    }

    Label {
        objectName: "emptyCollectionLabel"
        anchors.centerIn: parent
        visible: CollectionList.count === 0
        text: CollectionList.captions.empty
        color: "#8e8e93"
    }
}
