import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Qt.labs.folderlistmodel
import Tockary

// The computer's folders and files in the app's colours and the window's size, to open a file
// or, `saving`, to name one: the photo gallery and the save dialog of "Save to File…". Its items
// are named after `prefix` ("pictureDialog", "pictureDialogPath", "pictureFilter", ...).
Rectangle {
    id: dialog
    objectName: prefix + "Dialog"
    visible: false
    color: "black"

    required property string prefix
    property bool saving: false
    // {title, accept, cancel, empty}; saving also {name, note}.
    required property var texts
    required property var filters
    required property url startFolder
    property string startName
    signal chosen(url file)
    signal cancelled()

    readonly property color accent: "#0a84ff"
    property url folder
    property url selected
    // While the filter list is open, Esc closes it rather than the dialog.
    readonly property bool menuOpen: filterBox.popup.visible

    function open() {
        filterBox.currentIndex = 0
        show(startFolder)
        nameField.text = startName
        visible = true
        // The name without its extension is what is retyped.
        if (saving)
            nameField.select(0, startName.lastIndexOf(".") > 0 ? startName.lastIndexOf(".") : startName.length)
    }
    function cancel() {
        visible = false
        cancelled()
    }
    function choose(file) {
        visible = false
        chosen(file)
    }
    function show(newFolder) {
        folder = newFolder
        selected = ""
        list.currentIndex = -1
        pathField.missing = false
        if (saving)
            nameField.forceActiveFocus()
        else
            list.forceActiveFocus()
    }
    // Saving: a name of a folder opens it, any other names the file to save.
    function saveAs(typed) {
        const found = Sheets.pathAt(typed, folder)
        if (found.url !== undefined && found.folder) {
            show(found.url)
            nameField.text = ""
        } else if (typed.trim().length > 0) {
            choose(Sheets.fileAt(typed, folder))
        }
    }
    function accept() {
        if (saving)
            saveAs(nameField.text)
        else
            choose(selected)
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
        } else if (saving) {
            saveAs(typed)
        } else {
            choose(found.url)
        }
    }
    // Points at an entry: a file is selected, a folder only marked.
    // Saving, a file pointed at gives its name.
    function point(index) {
        list.currentIndex = index
        selected = files.get(index, "fileIsDir") ? "" : files.get(index, "fileUrl")
        if (saving && !files.get(index, "fileIsDir"))
            nameField.text = files.get(index, "fileName")
    }
    function activate(index) {
        if (index < 0 || index >= files.count)
            return
        if (files.get(index, "fileIsDir"))
            show(files.get(index, "fileUrl"))
        else if (saving)
            saveAs(files.get(index, "fileName"))
        else
            choose(files.get(index, "fileUrl"))
    }

    // Nothing behind the dialog takes a tap while it is open.
    MouseArea {
        anchors.fill: parent
        onWheel: wheel => wheel.accepted = true
    }

    FolderListModel {
        id: files
        folder: dialog.folder
        nameFilters: dialog.filters[Math.max(0, filterBox.currentIndex)].globs
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
                objectName: dialog.prefix + "DialogCancel"
                anchors.left: parent.left
                anchors.leftMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.texts.cancel
                tint: dialog.accent
                onClicked: dialog.cancel()
            }
            TopBarButton {
                objectName: dialog.prefix + (dialog.saving ? "DialogSave" : "DialogOpen")
                anchors.right: parent.right
                anchors.rightMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.texts.accept
                font.bold: true
                enabled: dialog.saving ? nameField.text.trim().length > 0
                                       : dialog.selected.toString() !== ""
                tint: dialog.accent
                onClicked: dialog.accept()
            }
        }

        // Saving: the name to save under, and what is left out.
        RowLayout {
            visible: dialog.saving
            Layout.fillWidth: true
            Layout.leftMargin: 12
            Layout.rightMargin: 12
            Layout.bottomMargin: 8
            spacing: 8
            Label {
                text: dialog.texts.name || ""
                color: "#8e8e93"
            }
            TextField {
                id: nameField
                objectName: dialog.prefix + "DialogName"
                color: "white"
                selectByMouse: true
                Layout.fillWidth: true
                background: Rectangle {
                    radius: 8
                    color: "#1c1c1e"
                    border.color: nameField.activeFocus ? dialog.accent : "transparent"
                }
                onAccepted: dialog.saveAs(text)
            }
        }
        Label {
            objectName: dialog.prefix + "DialogNote"
            visible: dialog.saving && text.length > 0
            text: dialog.texts.note || ""
            color: "#8e8e93"
            wrapMode: Text.Wrap
            Layout.fillWidth: true
            Layout.leftMargin: 12
            Layout.rightMargin: 12
            Layout.bottomMargin: 8
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
                objectName: dialog.prefix + "DialogUp"
                text: "\u2039"
                glyph: true
                enabled: files.parentFolder.toString() !== ""
                tint: dialog.accent
                onClicked: dialog.up()
            }
            TextField {
                id: pathField
                objectName: dialog.prefix + "DialogPath"
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
            objectName: dialog.prefix + "DialogList"
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
                objectName: dialog.prefix + "DialogEntry_" + fileName
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
                onDoubleClicked: if (!fileIsDir) dialog.activate(index)
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
            objectName: dialog.prefix + "Filter"
            Layout.fillWidth: true
            Layout.margins: 12
            model: dialog.filters
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
                objectName: dialog.prefix + "Filter_" + index
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
