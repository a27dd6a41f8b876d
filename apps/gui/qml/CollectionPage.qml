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

    // The search narrows the list as one types; the filter menu and the active filter beside
    // and below it.
    Column {
        id: searchBar
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 8
        spacing: 4
        Row {
            width: parent.width
            spacing: 4
            TextField {
                id: searchField
                objectName: "searchField"
                width: parent.width - filterButton.width - parent.spacing
                placeholderText: CollectionList.captions.search
                rightPadding: clearSearch.width + 4
                inputMethodHints: Qt.ImhNoPredictiveText
                onTextChanged: CollectionList.searchFor(text)
                // Esc empties the field first; only an empty one leaves Esc to the window.
                Keys.onShortcutOverride: event => event.accepted = event.key === Qt.Key_Escape && text.length > 0
                Keys.onEscapePressed: clear()
                ToolButton {
                    id: clearSearch
                    objectName: "clearSearchButton"
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    visible: searchField.text.length > 0
                    focusPolicy: Qt.NoFocus
                    text: "\u2715"
                    Accessible.name: CollectionList.captions.clearSearch
                    onClicked: searchField.clear()
                }
            }
            TopBarButton {
                id: filterButton
                objectName: "filterButton"
                text: CollectionList.captions.filter
                onClicked: CollectionList.presentFilterMenu()
            }
        }
        Label {
            objectName: "filterLine"
            width: parent.width
            visible: text.length > 0
            text: CollectionList.filterLine
            color: "#8e8e93"
            elide: Text.ElideRight
        }
    }

    ListView {
        id: list
        objectName: "collectionList"
        anchors.top: searchBar.bottom
        anchors.topMargin: 8
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
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
        text: CollectionList.emptyText
        color: "#8e8e93"
    }
}
