import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

Page {
    background: Rectangle { color: "black" }
    header: ToolBar {
        background: Rectangle { color: "black" }
        Label {
            anchors.centerIn: parent
            text: AppShell.tabTitles[1]
            font.bold: true
            color: "white"
        }
    }

    Component.onCompleted: SettingsModel.reload()

    ListView {
        id: list
        anchors.fill: parent
        clip: true
        model: SettingsModel
        delegate: ItemDelegate {
            required property string key
            required property string label
            required property bool on
            required property bool enabled
            width: list.width
            height: 52
            contentItem: RowLayout {
                Label {
                    text: label
                    color: enabled ? "white" : "#636366"
                    Layout.fillWidth: true
                    elide: Text.ElideRight
                }
                Switch {
                    objectName: "switch_" + key
                    checked: on
                    enabled: parent.parent.enabled
                    onToggled: SettingsModel.setSwitch(key, checked)
                }
            }
        }
        footer: Button {
            width: list.width
            text: SettingsModel.exportTitle
            onClicked: SettingsModel.exportCollection()
        }
    }
}
