import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

ApplicationWindow {
    id: window
    width: 430
    height: 932
    minimumWidth: 360
    visible: true
    title: "Tockary"
    color: "black"
    palette.window: "black"
    palette.windowText: "white"
    palette.base: "#1c1c1e"
    palette.text: "white"
    palette.button: "#2c2c2e"
    palette.buttonText: "white"
    palette.highlight: "#0a84ff"

    // Shows every page once; the self-test calls it.
    function visitEveryScreen() {
        for (let i = 0; i < tabs.count; ++i)
            tabs.currentIndex = i
        tabs.currentIndex = 0
        for (const page of Sheets.pages) {
            openPage(page, "")
            collectionStack.pop(null, StackView.Immediate)
        }
        pictureDialog.open()
        pictureDialog.visible = false
        saveDialog.open()
        saveDialog.visible = false
    }

    function openPage(page, objectId) {
        tabs.currentIndex = 0
        collectionStack.push(page, { "objectId": objectId }, StackView.Immediate)
    }

    // The Collection tab always shows the list. A page that must ask before it is left (the
    // editor with something typed) asks, and the list follows the answer.
    function showList() {
        const top = collectionStack.currentItem
        if (collectionStack.depth > 1 && typeof top.leaveForList === "function")
            top.leaveForList()
        else
            collectionStack.pop(null, StackView.Immediate)
    }

    // Esc answers what is in front: a file dialog as its Cancel does, the shown sheet as its
    // cancel action does, else the page as its back button does.
    function pressEscape() {
        if (pictureDialog.visible) {
            pictureDialog.cancel()
            return
        }
        if (saveDialog.visible) {
            saveDialog.cancel()
            return
        }
        if (Sheets.visible) {
            Sheets.dismiss()
            return
        }
        const top = collectionStack.currentItem
        if (tabs.currentIndex === 0 && collectionStack.depth > 1 && typeof top.goBack === "function")
            top.goBack()
    }

    Shortcut {
        sequence: StandardKey.Cancel
        enabled: !pictureDialog.menuOpen && !saveDialog.menuOpen
        onActivated: window.pressEscape()
    }

    Connections {
        target: EditorScreen
        function onLeftForList() { collectionStack.pop(null, StackView.Immediate) }
    }

    Connections {
        target: Sheets
        function onScreenRequested(page, objectId) { window.openPage(page, objectId) }
        function onPopRequested(count) {
            for (let i = 0; i < count && collectionStack.depth > 1; ++i)
                collectionStack.pop(StackView.Immediate)
        }
    }

    StackLayout {
        anchors.fill: parent
        anchors.bottomMargin: tabs.height
        currentIndex: tabs.currentIndex
        StackView {
            id: collectionStack
            objectName: "collectionStack"
            initialItem: CollectionPage {}
        }
        SettingsPage {}
    }

    TabBar {
        id: tabs
        objectName: "tabs"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        background: Rectangle {
            color: "black"
            Rectangle { width: parent.width; height: 1; color: "#2c2c2e" }
        }
        Repeater {
            model: AppShell.tabs
            TabButton {
                id: tab
                required property var modelData
                required property int index
                objectName: "tab_" + index
                text: modelData.title
                focusPolicy: Qt.NoFocus
                implicitHeight: 52
                readonly property color tint: checked ? "#0a84ff" : "#8e8e93"
                background: Rectangle { color: "black" }
                contentItem: Column {
                    spacing: 2
                    topPadding: 4
                    TabIcon {
                        anchors.horizontalCenter: parent.horizontalCenter
                        name: tab.modelData.icon
                        tint: tab.tint
                    }
                    Label {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: tab.text
                        font.pixelSize: 11
                        font.bold: tab.checked
                        color: tab.tint
                    }
                }
                Accessible.name: text
                onClicked: if (index === 0) window.showList()
            }
        }
    }

    SheetOverlay {
        anchors.fill: parent
    }

    PictureDialog {
        id: pictureDialog
        anchors.fill: parent
    }

    SaveDialog {
        id: saveDialog
        anchors.fill: parent
    }
}
