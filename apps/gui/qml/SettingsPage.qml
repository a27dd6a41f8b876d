import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// Sixteen switches in their sections, each stored the moment it is toggled, and the export.
Page {
    objectName: "settingsPage"
    background: Rectangle { color: "black" }
    header: TopBar {
        title: AppShell.tabs[1].title
    }

    // Flags change elsewhere too (the rows store their first-time values): load them afresh
    // each time the page is shown.
    Component.onCompleted: SettingsModel.reload()
    onVisibleChanged: if (visible) SettingsModel.reload()

    ListView {
        id: list
        objectName: "settingsList"
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        clip: true
        model: SettingsModel
        section.property: "section"
        section.delegate: SettingsSectionHeader {
            required property string section
            width: list.width
            text: section
        }
        delegate: Column {
            id: row
            required property string key
            required property string label
            required property bool on
            required property var model
            readonly property bool usable: model.enabled
            required property string footer
            width: list.width
            Rectangle {
                width: parent.width
                height: 48
                color: "#1c1c1e"
                Label {
                    objectName: "label_" + row.key
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.right: control.left
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.label
                    font.pixelSize: 16
                    color: row.usable ? "white" : "#636366"
                    elide: Text.ElideRight
                }
                SettingsSwitch {
                    id: control
                    objectName: "switch_" + row.key
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    checked: row.on
                    enabled: row.usable
                    onToggled: SettingsModel.setSwitch(row.key, checked)
                }
                Rectangle {
                    anchors.bottom: parent.bottom
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.right: parent.right
                    height: 1
                    color: "#2c2c2e"
                }
            }
            SettingsFooter {
                width: parent.width
                text: row.footer
            }
        }
        footer: Column {
            width: list.width
            SettingsSectionHeader {
                width: parent.width
                text: SettingsModel.exportSectionTitle
            }
            Button {
                objectName: "exportButton"
                width: parent.width
                height: 48
                text: SettingsModel.exportTitle
                flat: true
                palette.buttonText: "#0a84ff"
                background: Rectangle { color: parent.down ? "#2c2c2e" : "#1c1c1e" }
                onClicked: SettingsModel.exportCollection()
            }
            SettingsFooter {
                width: parent.width
                text: SettingsModel.exportFooter
            }
            Item { width: 1; height: 24 }
        }
    }
}
