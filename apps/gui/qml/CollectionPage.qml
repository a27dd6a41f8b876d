import QtQuick
import QtQuick.Controls
import Tockary

Page {
    background: Rectangle { color: "black" }
    header: ToolBar {
        background: Rectangle { color: "black" }
        Label {
            anchors.centerIn: parent
            text: AppShell.tabTitles[0]
            font.bold: true
            color: "white"
        }
    }
}
