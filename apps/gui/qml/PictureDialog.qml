import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.folderlistmodel
import Tockary

// The photo gallery of this desktop: the computer's folders and pictures in the app's colours
// and the window's size. It opens where the last picture came from, else in the Pictures folder.
Rectangle {
    id: dialog
    objectName: "pictureDialog"
    visible: false
    color: "black"

    readonly property var texts: Sheets.pictureDialogTexts
    readonly property color accent: "#0a84ff"
    property url folder
    property url selected
    // While the filter list is open, Esc closes it rather than the dialog.
    readonly property bool menuOpen: filterBox.popup.visible

    function open() {
        filterBox.currentIndex = 0
        show(Sheets.pictureFolder)
        visible = true
    }
    function cancel() {
        visible = false
        Sheets.imagePickCancelled()
    }
    function choose(file) {
        visible = false
        Sheets.imageFileChosen(file)
    }
    function show(newFolder) {
        folder = newFolder
        selected = ""
        list.currentIndex = -1
        pathField.missing = false
        list.forceActiveFocus()
    }
    function up() {
        if (upButton.enabled)
            show(files.parentFolder)
    }
    // The path bar names a folder to show or a file to choose.
    function go(typed) {
        const found = Sheets.pathAt(typed, folder)
        if (found.url === undefined) {
            pathField.missing = true
        } else if (found.folder) {
            show(found.url)
        } else {
            choose(found.url)
        }
    }
    // Points at an entry: a file is selected, a folder only marked.
    function point(index) {
        list.currentIndex = index
        selected = files.get(index, "fileIsDir") ? "" : files.get(index, "fileUrl")
    }
    function activate(index) {
        if (index < 0 || index >= files.count)
            return
        if (files.get(index, "fileIsDir"))
            show(files.get(index, "fileUrl"))
        else
            choose(files.get(index, "fileUrl"))
    }

    Connections {
        target: Sheets
        function onImagePickRequested() { dialog.open() }
        // Answered elsewhere (a newer request): nothing is left to choose for.
        function onImagePickChanged() {
            if (!Sheets.imagePickPending && dialog.visible)
                dialog.visible = false
        }
    }

    // Nothing behind the dialog takes a tap while it is open.
    MouseArea {
        anchors.fill: parent
        onWheel: wheel => wheel.accepted = true
    }

    FolderListModel {
        id: files
        folder: dialog.folder
        nameFilters: Sheets.pictureFilters[filterBox.currentIndex].globs
        caseSensitive: false
        showDirsFirst: true
        sortCaseSensitive: false
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        TopBar {
            Layout.fillWidth: true
            title: dialog.texts.title
            TopBarButton {
                objectName: "pictureDialogCancel"
                anchors.left: parent.left
                anchors.leftMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.texts.cancel
                tint: dialog.accent
                onClicked: dialog.cancel()
            }
            TopBarButton {
                objectName: "pictureDialogOpen"
                anchors.right: parent.right
                anchors.rightMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.texts.open
                font.bold: true
                enabled: dialog.selected.toString() !== ""
                tint: dialog.accent
                onClicked: dialog.choose(dialog.selected)
            }
        }

        // The path bar: up one folder, or type where to go.
        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 8
            Layout.rightMargin: 12
            Layout.bottomMargin: 8
            spacing: 6
            TopBarButton {
                id: upButton
                objectName: "pictureDialogUp"
                text: "\u2039"
                glyph: true
                enabled: files.parentFolder.toString() !== ""
                tint: dialog.accent
                onClicked: dialog.up()
            }
            TextField {
                id: pathField
                objectName: "pictureDialogPath"
                property bool missing: false
                text: Sheets.pathOf(dialog.folder)
                color: "white"
                selectByMouse: true
                Layout.fillWidth: true
                background: Rectangle {
                    radius: 8
                    color: "#1c1c1e"
                    border.color: pathField.missing ? "#ff453a"
                                                    : pathField.activeFocus ? dialog.accent : "transparent"
                }
                onTextEdited: missing = false
                onAccepted: dialog.go(text)
            }
        }

        Rectangle { Layout.fillWidth: true; height: 1; color: "#2c2c2e" }

        ListView {
            id: list
            objectName: "pictureDialogList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: files
            currentIndex: -1
            keyNavigationEnabled: false
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            Keys.onUpPressed: dialog.point(Math.max(0, currentIndex - 1))
            Keys.onDownPressed: dialog.point(Math.min(count - 1, currentIndex + 1))
            Keys.onReturnPressed: dialog.activate(currentIndex)
            Keys.onEnterPressed: dialog.activate(currentIndex)
            Keys.onPressed: event => {
                if (event.key === Qt.Key_Backspace) {
                    dialog.up()
                    event.accepted = true
                }
            }

            delegate: ItemDelegate {
                id: entry
                required property int index
                required property string fileName
                required property url fileUrl
                required property bool fileIsDir
                objectName: "pictureDialogEntry_" + fileName
                width: list.width
                height: 48
                highlighted: ListView.isCurrentItem
                contentItem: RowLayout {
                    spacing: 12
                    // A folder: a tab and a body; a file: a sheet.
                    Item {
                        Layout.preferredWidth: 24
                        Layout.preferredHeight: 20
                        Rectangle {
                            visible: entry.fileIsDir
                            width: 10; height: 5; radius: 2
                            color: dialog.accent
                        }
                        Rectangle {
                            visible: entry.fileIsDir
                            y: 3; width: 24; height: 17; radius: 3
                            color: dialog.accent
                        }
                        Rectangle {
                            visible: !entry.fileIsDir
                            x: 4; width: 16; height: 20; radius: 2
                            color: "transparent"
                            border.color: "#8e8e93"
                            border.width: 2
                        }
                    }
                    Label {
                        text: entry.fileName
                        color: "white"
                        font.pixelSize: 16
                        elide: Text.ElideMiddle
                        Layout.fillWidth: true
                    }
                }
                background: Rectangle {
                    color: entry.highlighted ? "#1f3a5c" : entry.down ? "#2c2c2e" : "black"
                    Rectangle {
                        anchors.bottom: parent.bottom
                        x: 52
                        width: parent.width - x
                        height: 1
                        color: "#1c1c1e"
                    }
                }
                onClicked: {
                    list.forceActiveFocus()  // for the keys that follow
                    if (fileIsDir)
                        dialog.show(fileUrl)
                    else
                        dialog.point(index)
                }
                onDoubleClicked: if (!fileIsDir) dialog.choose(fileUrl)
            }

            Label {
                anchors.centerIn: parent
                visible: files.status === FolderListModel.Ready && files.count === 0
                text: dialog.texts.empty
                color: "#8e8e93"
            }
        }

        Rectangle { Layout.fillWidth: true; height: 1; color: "#2c2c2e" }

        ComboBox {
            id: filterBox
            objectName: "pictureFilter"
            Layout.fillWidth: true
            Layout.margins: 12
            model: Sheets.pictureFilters
            textRole: "name"
            onActivated: dialog.show(dialog.folder)
            // The box and its list in the app's dark colours.
            palette.button: "#1c1c1e"
            palette.mid: "#2c2c2e"
            palette.buttonText: "white"
            palette.window: "#2c2c2e"
            palette.dark: "#8e8e93"
            delegate: ItemDelegate {
                id: choice
                required property var modelData
                required property int index
                objectName: "pictureFilter_" + index
                width: filterBox.width
                text: modelData.name
                highlighted: filterBox.highlightedIndex === index
                contentItem: Label {
                    text: choice.text
                    font: choice.font
                    color: "white"
                    elide: Text.ElideRight
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle { color: choice.highlighted || choice.down ? "#3a3a3c" : "#2c2c2e" }
            }
        }
    }
}
