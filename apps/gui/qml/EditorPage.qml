import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The watch form: a new watch for an empty objectId, else that watch in edit mode.
Page {
    id: page
    objectName: "editorPage"
    // The store identity of the record shown ("Kello/12"); empty for a new record.
    property string objectId
    background: Rectangle { color: "black" }

    Component.onCompleted: EditorScreen.open(objectId)

    header: ToolBar {
        implicitHeight: 44
        background: Rectangle { color: "black" }
        RowLayout {
            anchors.fill: parent
            ToolButton {
                objectName: "editorBackButton"
                text: "\u2039"
                font.pixelSize: 28
                palette.buttonText: "#0a84ff"
                background: Item {}
                onClicked: if (page.StackView.view) page.StackView.view.pop(StackView.Immediate)
            }
            Label {
                objectName: "editorTitle"
                text: EditorScreen.title
                font.bold: true
                color: "white"
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            ToolButton {
                objectName: "saveButton"
                text: EditorScreen.labels.save
                font.bold: true
                palette.buttonText: "#0a84ff"
                background: Item {}
                onClicked: EditorScreen.save()
            }
        }
    }

    Flickable {
        id: form
        objectName: "editorForm"
        anchors.fill: parent
        anchors.bottomMargin: wheelPanel.visible ? wheelPanel.height : 0
        contentHeight: content.implicitHeight + 32
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: content
            x: 16
            y: 16
            width: form.width - 32
            spacing: 6

            EditorSectionTitle { text: EditorScreen.labels.pictures }
            Row {
                id: slots
                spacing: 12
                readonly property real slotWidth: (content.width - spacing) / 2
                Layout.fillWidth: true
                Repeater {
                    model: [1, 2]
                    Column {
                        id: slot
                        required property int modelData
                        spacing: 4
                        Label {
                            text: slot.modelData === 1 ? EditorScreen.labels.front
                                                       : EditorScreen.labels.back
                            color: "#8e8e93"
                        }
                        Image {
                            id: slotImage
                            objectName: slot.modelData === 1 ? "cameraImageView"
                                                             : "cameraImageViewBack"
                            readonly property real aspect: slot.modelData === 1
                                                           ? EditorScreen.frontAspect
                                                           : EditorScreen.backAspect
                            source: slot.modelData === 1 ? EditorScreen.frontPicture
                                                         : EditorScreen.backPicture
                            width: slots.slotWidth
                            height: width * (aspect > 0 ? aspect : 1)
                            sourceSize.width: Math.max(1, width)
                            fillMode: Image.PreserveAspectFit
                            asynchronous: false
                            cache: false
                            Rectangle {
                                anchors.fill: parent
                                color: "transparent"
                                border.color: "#3a3a3c"
                                radius: 6
                            }
                            MouseArea {
                                anchors.fill: parent
                                onClicked: EditorScreen.tapForPhoto(slot.modelData)
                            }
                        }
                    }
                }
            }
            Label {
                text: EditorScreen.labels.pictureHint
                color: "#8e8e93"
                font.pixelSize: 12
            }
            Label {
                objectName: "pictureError"
                visible: text.length > 0
                text: EditorScreen.pictureError
                color: "#ff453a"
                wrapMode: Text.Wrap
                Layout.fillWidth: true
            }

            Repeater {
                model: EditorScreen.sections
                ColumnLayout {
                    required property var modelData
                    spacing: 6
                    Layout.fillWidth: true
                    EditorSectionTitle { text: modelData.title }
                    Repeater {
                        model: modelData.rows
                        EditorField {
                            Layout.fillWidth: true
                        }
                    }
                }
            }

            EditorSectionTitle { text: EditorScreen.labels.notes }
            Button {
                objectName: "datestampButton"
                text: EditorScreen.labels.datestamp
                flat: true
                palette.buttonText: "#0a84ff"
                onClicked: {
                    EditorScreen.insertDatestamp()
                    notesArea.forceActiveFocus()
                    notesArea.cursorPosition = notesArea.length
                }
            }
            TextArea {
                id: notesArea
                objectName: "notesTextView"
                text: EditorScreen.notes
                wrapMode: TextEdit.Wrap
                color: "white"
                Layout.fillWidth: true
                Layout.minimumHeight: 140
                background: Rectangle { color: "#1c1c1e"; radius: 8 }
                onTextChanged: EditorScreen.setNotes(text)
            }
        }
    }

    EditorWheelPanel {
        id: wheelPanel
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
