import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// Timing a watch against the phone: a new measurement for an empty objectId, else the stored one
// (running: ready for its end; finished: its result, read only).
Page {
    id: page
    objectName: "measurementPage"
    // The store identity of the measurement shown ("Varataulu/3"); empty for a new one.
    property string objectId
    background: Rectangle { color: "black" }

    Component.onCompleted: {
        Measurement.open(objectId)
        clock.text = Measurement.clockText()
    }

    function goBack() { Measurement.goBack() }

    // The phone's time, to the second.
    Timer {
        interval: 1000
        repeat: true
        running: page.visible
        onTriggered: clock.text = Measurement.clockText()
    }

    header: TopBar {
        title: Measurement.title
        titleName: "measurementTitle"
        TopBarButton {
            objectName: "measurementBackButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2039"
            glyph: true
            onClicked: page.goBack()
        }
        TopBarButton {
            objectName: "instructionsButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: Measurement.captions.instructions
            glyph: true
            onClicked: Measurement.ohje()
        }
    }

    // The label with this outlet, as the screen gives it.
    function label(outlet) {
        return Measurement.labels.find(l => l.outlet === outlet) ?? ({ "text": "", "shown": false })
    }
    // The time of day being matched: the start's, else the end's.
    readonly property var matched: label("startMeasurementTimeLabel").shown
                                   ? label("startMeasurementTimeLabel")
                                   : label("endMeasurementLabel")

    Flickable {
        id: scroller
        objectName: "measurementForm"
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
            width: scroller.width - 32
            spacing: 10

            Repeater {
                model: Measurement.fields
                EditorField {
                    required property var modelData
                    field: modelData
                    editor: Measurement
                    enabled: !Measurement.readOnly
                    opacity: enabled ? 1 : 0.6
                    Layout.fillWidth: true
                }
            }

            Label {
                objectName: "userInfoLabel"
                text: page.label("userInfoLabel").text
                visible: page.label("userInfoLabel").shown
                color: "white"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: 15
                Layout.fillWidth: true
                Layout.topMargin: 6
            }

            // The phone's own time, ticking.
            Column {
                visible: !Measurement.readOnly
                Layout.alignment: Qt.AlignHCenter
                Label {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: Measurement.captions.clock
                    color: "#8e8e93"
                    font.pixelSize: 12
                }
                Label {
                    id: clock
                    objectName: "clockLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    color: "white"
                    font.pixelSize: 22
                    font.family: "Nimbus Mono PS"
                    font.bold: true
                }
            }

            // The button of every step: its picture says what the next press does.
            AbstractButton {
                objectName: "startButton"
                visible: Measurement.startButtonShown
                implicitWidth: 180
                implicitHeight: 180
                Layout.alignment: Qt.AlignHCenter
                focusPolicy: Qt.NoFocus
                contentItem: Image {
                    objectName: "startButtonImage"
                    source: AppShell.assetPicture(Measurement.startButtonImage)
                    sourceSize: Qt.size(360, 360)
                    fillMode: Image.PreserveAspectFit
                    opacity: parent.down ? 0.7 : 1
                }
                background: Item {}
                onClicked: Measurement.startAccuracyMetering()
            }

            // The time being matched to the watch, with "-" and "+".
            Rectangle {
                objectName: "kelloTaustaView"
                visible: Measurement.panelShown
                radius: 12
                color: "#1c1c1e"
                implicitHeight: 76
                Layout.fillWidth: true
                RowLayout {
                    anchors.fill: parent
                    anchors.margins: 8
                    Button {
                        objectName: "minusMinButton"
                        visible: Measurement.minusShown
                        text: "\u2212"
                        font.pixelSize: 30
                        focusPolicy: Qt.NoFocus
                        implicitWidth: 64
                        Layout.fillHeight: true
                        onClicked: Measurement.decreaseAccuracyMinute()
                    }
                    Label {
                        objectName: page.matched.outlet ?? ""
                        text: page.matched.text
                        color: "white"
                        font.pixelSize: 40
                        font.bold: true
                        horizontalAlignment: Text.AlignHCenter
                        Layout.fillWidth: true
                    }
                    Button {
                        objectName: "plusMinButton"
                        visible: Measurement.plusShown
                        text: "+"
                        font.pixelSize: 30
                        focusPolicy: Qt.NoFocus
                        implicitWidth: 64
                        Layout.fillHeight: true
                        onClicked: Measurement.increaseAccuracyMinute()
                    }
                }
            }

            // The dates and the result, each under its caption once it has one.
            Repeater {
                model: Measurement.labels.filter(l => l.shown && l.outlet !== "userInfoLabel"
                                                 && l.outlet !== "startMeasurementTimeLabel"
                                                 && l.outlet !== "endMeasurementLabel")
                RowLayout {
                    required property var modelData
                    Layout.fillWidth: true
                    Label {
                        text: modelData.caption
                        color: "#8e8e93"
                        Layout.preferredWidth: 120
                    }
                    Label {
                        objectName: modelData.outlet
                        text: modelData.text
                        color: "white"
                        wrapMode: Text.Wrap
                        Layout.fillWidth: true
                    }
                }
            }
        }
    }

    EditorWheelPanel {
        id: wheelPanel
        editor: Measurement
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
}
