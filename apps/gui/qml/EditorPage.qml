import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// An editor form, laid out from its field descriptors: a new record for an empty objectId, else
// that record in edit mode.
Page {
    id: page
    objectName: "editorPage"
    // The store identity of the record shown ("Kello/12"); empty for a new record.
    property string objectId
    // Which editor: "watch", "service", ...
    property string form
    // What the opener hands over besides the record.
    property var handOver: ({})
    readonly property EditorScreen editor: Editors.form(page.form)
    background: Rectangle { color: "black" }

    Component.onCompleted: editor.open(objectId, handOver)

    // Leaving without saving asks first where the form asks.
    function goBack() { editor.goBack() }
    function leaveForList() { editor.leaveForList() }
    Connections {
        target: page.editor
        function onLeftForList() { page.StackView.view.pop(null, StackView.Immediate) }
    }

    // The control that fills a field of this kind.
    function controlFor(kind) {
        if (kind === "picture")
            return "EditorPicture.qml"
        if (kind === "notes")
            return "EditorNotes.qml"
        return "EditorField.qml"
    }

    // The field being edited stays in sight above its wheel, also when the wheel's panel opens
    // under it.
    readonly property string editedOutlet: editor.editedOutlet
    onEditedOutletChanged: Qt.callLater(keepEditedInView)
    function findIn(item, name) {
        if (item.objectName === name)
            return item
        for (let i = 0; i < item.children.length; ++i) {
            const found = findIn(item.children[i], name)
            if (found)
                return found
        }
        return null
    }
    function keepEditedInView() {
        const field = editedOutlet.length > 0 ? findIn(content, editedOutlet) : null
        if (!field)
            return
        const margin = 12
        const top = field.mapToItem(formView.contentItem, 0, 0).y - margin
        const bottom = top + field.height + 2 * margin
        let y = formView.contentY
        if (bottom > y + formView.height)
            y = bottom - formView.height
        if (top < y)
            y = top
        formView.contentY = Math.max(0, Math.min(y, formView.contentHeight - formView.height))
    }

    header: TopBar {
        title: page.editor.title
        titleName: "editorTitle"
        TopBarButton {
            objectName: "editorBackButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2039"
            glyph: true
            onClicked: page.goBack()
        }
        TopBarButton {
            objectName: "saveButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: page.editor.labels.save
            font.bold: true
            onClicked: page.editor.save()
        }
    }

    Flickable {
        id: formView
        objectName: "editorForm"
        anchors.fill: parent
        anchors.bottomMargin: wheelPanel.visible ? wheelPanel.height : 0
        contentHeight: content.implicitHeight + 32
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        onHeightChanged: Qt.callLater(page.keepEditedInView)

        ColumnLayout {
            id: content
            x: 16
            y: 16
            width: formView.width - 32
            spacing: 6

            // The form's fields in its order, under their sections, each as its kind is filled;
            // pictures stand side by side.
            Repeater {
                model: page.editor.sections
                ColumnLayout {
                    id: section
                    required property var modelData
                    readonly property bool hasPictures: modelData.fields.some(f => f.kind === "picture")
                    spacing: 6
                    Layout.fillWidth: true
                    EditorSectionTitle { text: section.modelData.title }
                    Flow {
                        id: fields
                        spacing: 8
                        Layout.fillWidth: true
                        Repeater {
                            model: section.modelData.fields
                            Loader {
                                required property var modelData
                                width: modelData.kind === "picture"
                                       ? (fields.width - fields.spacing) / 2 : fields.width
                                Component.onCompleted: setSource(page.controlFor(modelData.kind),
                                                                 { "field": modelData,
                                                                   "editor": page.editor })
                                onLoaded: if (item.wheelWanted) item.wheelWanted.connect(wheelPanel.takeFocus)
                            }
                        }
                    }
                    Label {
                        visible: section.hasPictures
                        text: page.editor.labels.pictureHint
                        color: "#8e8e93"
                        font.pixelSize: 12
                    }
                    Label {
                        objectName: "pictureError"
                        visible: section.hasPictures && text.length > 0
                        text: page.editor.pictureError
                        color: "#ff453a"
                        wrapMode: Text.Wrap
                        Layout.fillWidth: true
                    }
                }
            }
        }
    }

    EditorWheelPanel {
        id: wheelPanel
        editor: page.editor
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
