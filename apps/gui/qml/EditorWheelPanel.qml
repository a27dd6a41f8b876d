import QtQuick
import QtQuick.Controls
import Tockary

// The wheel of the field being edited, column by column as the form gives it, with its toolbar
// button. `editor` is an EditorScreen, or another screen adapter with the same wheel members.
Rectangle {
    id: panel
    objectName: "wheelPanel"
    required property QtObject editor
    visible: panel.editor.wheelOutlet.length > 0
    height: visible ? toolbar.height + 216 : 0
    color: "#1c1c1e"

    // Gives the keys to the first column.
    function takeFocus() {
        const first = columns.itemAt(0)
        if (first)
            first.forceActiveFocus()
    }
    // Left and Right stop at the ends, Tab goes round.
    function focusColumn(index, round) {
        const count = columns.count
        if (round)
            index = ((index % count) + count) % count
        const column = columns.itemAt(index)
        if (column)
            column.forceActiveFocus()
    }

    // A wheel that opens takes the keys.
    Connections {
        target: panel.editor
        function onWheelChanged() { Qt.callLater(panel.takeFocus) }
    }

    ToolBar {
        id: toolbar
        anchors.left: parent.left
        anchors.right: parent.right
        background: Rectangle { color: "#2c2c2e" }
        ToolButton {
            objectName: "toolbarButton"
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: panel.editor.toolbarTitle
            palette.buttonText: "#0a84ff"
            background: Item {}
            onClicked: panel.editor.pressToolbarButton()
        }
    }

    Row {
        objectName: "wheelColumns"
        anchors.top: toolbar.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        height: 216
        Repeater {
            id: columns
            model: panel.editor.wheelColumnCount
            WheelColumn {
                required property int index
                readonly property var column: panel.editor.wheelColumns[index]
                                              ?? ({ "titles": [], "width": 0, "selected": 0 })
                objectName: "wheel_" + index
                // A column the form gives no width takes the whole panel.
                width: column.width > 0 ? Math.min(column.width, panel.width) : panel.width
                height: 216
                titles: column.titles
                selected: column.selected
                onChosen: row => panel.editor.selectRow(index, row)
                onStep: (by, round) => panel.focusColumn(index + by, round)
                onConfirmed: panel.editor.pressToolbarButton()
            }
        }
    }
}
