import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The wheel of the field being edited, with its toolbar button: a catalogue or number wheel, the
// three measure columns, or the date wheels.
Rectangle {
    id: panel
    objectName: "wheelPanel"
    visible: EditorScreen.pickerVisible || EditorScreen.dateVisible
    height: visible ? toolbar.height + 216 : 0
    color: "#1c1c1e"

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
            text: EditorScreen.toolbarTitle
            palette.buttonText: "#0a84ff"
            background: Item {}
            onClicked: EditorScreen.pressToolbarButton()
        }
    }

    Row {
        objectName: "pickerWheels"
        visible: EditorScreen.pickerVisible
        anchors.top: toolbar.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        height: 216
        Repeater {
            model: EditorScreen.pickerColumns
            WheelColumn {
                required property var modelData
                required property int index
                objectName: "wheel_" + index
                width: Math.min(modelData.width, panel.width)
                height: 216
                model: modelData.titles
                startIndex: modelData.selected
                onChosen: row => EditorScreen.selectRow(index, row)
            }
        }
    }

    Row {
        objectName: "dateWheels"
        visible: EditorScreen.dateVisible
        anchors.top: toolbar.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        height: 216
        spacing: 4
        function chosen() {
            EditorScreen.selectDate(EditorScreen.firstDateYear + yearWheel.currentIndex,
                                    monthWheel.currentIndex + 1, dayWheel.currentIndex + 1)
        }
        WheelColumn {
            id: monthWheel
            objectName: "dateMonthWheel"
            width: 150
            height: 216
            model: EditorScreen.dateVisible ? EditorScreen.monthNames : []
            startIndex: EditorScreen.dateMonth - 1
            onChosen: parent.chosen()
        }
        WheelColumn {
            id: dayWheel
            objectName: "dateDayWheel"
            width: 60
            height: 216
            model: EditorScreen.dateVisible ? 31 : 0
            startIndex: EditorScreen.dateDay - 1
            textOf: i => String(i + 1)
            onChosen: parent.chosen()
        }
        WheelColumn {
            id: yearWheel
            objectName: "dateYearWheel"
            width: 90
            height: 216
            model: EditorScreen.dateVisible
                   ? EditorScreen.lastDateYear - EditorScreen.firstDateYear + 1 : 0
            startIndex: EditorScreen.dateYear - EditorScreen.firstDateYear
            textOf: i => String(EditorScreen.firstDateYear + i)
            onChosen: parent.chosen()
        }
    }
}
