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

    // Shows each tab once; the self-test calls it.
    function visitEveryScreen() {
        for (let i = 0; i < tabs.count; ++i) {
            tabs.currentIndex = i
        }
        tabs.currentIndex = 0
    }

    StackLayout {
        anchors.fill: parent
        anchors.bottomMargin: tabs.height
        currentIndex: tabs.currentIndex
        CollectionPage {}
        SettingsPage {}
    }

    TabBar {
        id: tabs
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        background: Rectangle { color: "black" }
        Repeater {
            model: AppShell.tabTitles
            TabButton {
                required property string modelData
                text: modelData
                palette.buttonText: checked ? "#0a84ff" : "#8e8e93"
                background: Rectangle { color: "black" }
            }
        }
    }

    SheetOverlay {
        anchors.fill: parent
    }
}
