import QtQuick
import QtQuick.Controls
import Tockary

// A picture slot of a form: what it shows, at the height of its picture; a tap offers
// another picture.
Column {
    id: slot
    // {outlet, caption, placeholder, kind}, as the form describes it.
    required property var field
    required property EditorScreen editor
    readonly property var picture: slot.editor.pictures[field.outlet] ?? ({ "source": "", "aspect": 0 })
    spacing: 4

    Label {
        text: slot.field.caption
        color: "#8e8e93"
    }
    // A watch without this picture shows the picture that invites one.
    Image {
        objectName: slot.field.outlet
        source: slot.picture.source.length > 0 ? slot.picture.source
                                               : AppShell.assetPicture(slot.field.placeholder)
        width: slot.width
        height: width * (slot.picture.aspect > 0 ? slot.picture.aspect : 1)
        sourceSize.width: Math.max(1, width * 2)
        fillMode: Image.PreserveAspectFit
        cache: false
        Rectangle {
            anchors.fill: parent
            color: "transparent"
            border.color: "#3a3a3c"
            radius: 6
        }
        MouseArea {
            anchors.fill: parent
            onClicked: slot.editor.tapPicture(slot.field.outlet)
        }
    }
}
