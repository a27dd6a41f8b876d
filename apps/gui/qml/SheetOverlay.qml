import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The screens' action sheets (from the bottom) and alerts (centred).
Item {
    visible: Sheets.visible

    Rectangle {
        anchors.fill: parent
        color: "#80000000"
        MouseArea { anchors.fill: parent }
    }

    Rectangle {
        id: card
        width: Math.min(parent.width - 16, 400)
        height: column.implicitHeight + 24
        radius: 14
        color: "#2c2c2e"
        anchors.horizontalCenter: parent.horizontalCenter
        y: Sheets.actionSheet ? parent.height - height - 12 : (parent.height - height) / 2

        ColumnLayout {
            id: column
            anchors.fill: parent
            anchors.margins: 12
            spacing: 8
            Label {
                text: Sheets.headline
                visible: text.length > 0
                font.family: Sheets.headlineFont.length > 0 ? "Nimbus Sans" : font.family
                font.bold: true
                font.pixelSize: Sheets.headlineSize > 0 ? Sheets.headlineSize : 17
                color: "white"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
            }
            Label {
                text: Sheets.message
                visible: text.length > 0
                font.family: Sheets.messageFont.length > 0 ? "Nimbus Sans" : font.family
                font.pixelSize: Sheets.messageSize > 0 ? Sheets.messageSize : 13
                color: "white"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                Layout.fillWidth: true
            }
            Repeater {
                model: Sheets.actions
                Button {
                    required property string modelData
                    required property int index
                    text: modelData
                    Layout.fillWidth: true
                    Layout.topMargin: Sheets.actionStyles[index] === "cancel" ? 8 : 0
                    palette.buttonText: Sheets.actionStyles[index] === "destructive" ? "#ff453a"
                                                                                    : "#0a84ff"
                    font.bold: Sheets.actionStyles[index] === "cancel"
                    onClicked: Sheets.choose(index)
                }
            }
        }
    }
}
