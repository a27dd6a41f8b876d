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

    // The tab shown, by name.
    readonly property string currentTab: AppShell.tabs[tabs.currentIndex]?.name ?? ""
    function tabIndex(name) { return AppShell.tabs.findIndex(tab => tab.name === name) }
    // The stack of pages of a tab that has one.
    function stackOf(tab) {
        if (tab === "collection")
            return collectionStack
        if (tab === "measurements")
            return measurementStack
        if (tab === "services")
            return serviceStack
        if (tab === "warranties")
            return warrantyStack
        return null
    }

    // Shows every page once; the self-test calls it.
    function visitEveryScreen() {
        for (let i = 0; i < tabs.count; ++i)
            tabs.currentIndex = i
        tabs.currentIndex = 0
        for (const entry of Sheets.pages) {
            openPage(entry.page, entry.tab, entry.properties)
            stackOf(entry.tab).pop(null, StackView.Immediate)
        }
        tabs.currentIndex = 0
        pictureDialog.open()
        pictureDialog.visible = false
        saveDialog.open()
        saveDialog.visible = false
    }

    function openPage(page, tab, properties) {
        tabs.currentIndex = tabIndex(tab)
        stackOf(tab).push(page, properties, StackView.Immediate)
    }

    // A tab with pages always shows its list. A page that must ask before it is left (the editor
    // with something typed) asks, and the list follows the answer.
    function showList(tab) {
        const stack = stackOf(tab)
        if (!stack)
            return
        const top = stack.currentItem
        if (stack.depth > 1 && typeof top.leaveForList === "function")
            top.leaveForList()
        else
            stack.pop(null, StackView.Immediate)
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
        if (backupDialogs.cancelShown())
            return
        if (Sheets.visible) {
            Sheets.dismiss()
            return
        }
        const stack = stackOf(currentTab)
        if (stack && stack.depth > 1 && typeof stack.currentItem.goBack === "function")
            stack.currentItem.goBack()
    }

    Shortcut {
        sequence: StandardKey.Cancel
        enabled: !pictureDialog.menuOpen && !saveDialog.menuOpen && !backupDialogs.menuOpen
        onActivated: window.pressEscape()
    }

    Connections {
        target: Sheets
        function onScreenRequested(page, tab, properties) { window.openPage(page, tab, properties) }
        function onPopRequested(count) {
            const stack = window.stackOf(window.currentTab)
            for (let i = 0; stack && i < count && stack.depth > 1; ++i)
                stack.pop(StackView.Immediate)
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
        StackView {
            id: measurementStack
            objectName: "measurementStack"
            initialItem: MeasurementsPage {}
        }
        StackView {
            id: serviceStack
            objectName: "serviceStack"
            initialItem: ServicesPage {}
        }
        StackView {
            id: warrantyStack
            objectName: "warrantyStack"
            initialItem: WarrantiesPage {}
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
                objectName: "tab_" + modelData.name
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
                    // The tint marks the selected tab; bold would widen "Measurements" past its
                    // tab.
                    Label {
                        objectName: "tabTitle"
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: Math.min(implicitWidth, tab.width - 4)
                        text: tab.text
                        font.pixelSize: 11
                        elide: Text.ElideRight
                        color: tab.tint
                    }
                }
                Accessible.name: text
                onClicked: window.showList(modelData.name)
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

    BackupDialogs {
        id: backupDialogs
        anchors.fill: parent
    }

    // A restore replaces every record a page may show: each tab goes back to its list, which
    // fetches afresh when shown.
    Connections {
        target: BackupModel
        function onRestored() {
            for (const tab of AppShell.tabs)
                window.showList(tab.name)
            SettingsModel.reload()
        }
    }
}
