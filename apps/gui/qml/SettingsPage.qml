import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// Sixteen switches in their sections, each stored the moment it is toggled, the export, and
// backup and restore.
Page {
    id: page
    objectName: "settingsPage"
    background: Rectangle { color: "black" }
    header: TopBar {
        titleName: "settingsTitle"
        title: AppShell.tabs.find(tab => tab.name === "settings").title
    }

    // Flags change elsewhere too (the rows store their first-time values): load them afresh
    // each time the page is shown.
    Component.onCompleted: SettingsModel.reload()
    onVisibleChanged: if (visible) SettingsModel.reload()

    // The export reads the store, which belongs to this thread, so it runs here: the indicator
    // is shown first and the export starts once a frame with it has been drawn.
    property bool exporting: false
    function runExport() {
        if (!exporting)
            return
        SettingsModel.exportCollection()
        exporting = false
    }
    Connections {
        target: page.exporting ? page.Window.window : null
        function onFrameSwapped() { Qt.callLater(page.runExport) }
    }
    // Should no frame come (a window out of sight), the export starts all the same.
    Timer {
        running: page.exporting
        interval: 250
        onTriggered: page.runExport()
    }

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
            SettingsButton {
                objectName: "exportButton"
                width: parent.width
                text: SettingsModel.exportTitle
                enabled: !page.exporting
                onClicked: page.exporting = true
            }
            SettingsFooter {
                width: parent.width
                text: SettingsModel.exportFooter
            }
            SettingsSectionHeader {
                width: parent.width
                text: BackupModel.sectionTitle
            }
            SettingsButton {
                objectName: "backUpButton"
                width: parent.width
                text: BackupModel.backUpTitle
                enabled: !BackupModel.backingUp
                onClicked: BackupModel.chooseBackupFile()
            }
            SettingsButton {
                objectName: "restoreButton"
                width: parent.width
                text: BackupModel.restoreTitle
                enabled: !BackupModel.backingUp
                onClicked: BackupModel.chooseRestoreFile()
            }
            ProgressBar {
                objectName: "backupProgress"
                width: parent.width
                visible: BackupModel.backingUp
                value: BackupModel.progress
            }
            SettingsFooter {
                width: parent.width
                text: BackupModel.footer
            }
            Item { width: 1; height: 24 }
        }
    }

    BusyIndicator {
        objectName: "exportBusy"
        anchors.centerIn: parent
        running: page.exporting
        visible: running
    }
}
