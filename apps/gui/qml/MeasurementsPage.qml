import QtQuick
import QtQuick.Controls
import Tockary

// The accuracy measurements, running and finished, with each watch's accuracy above them.
Page {
    id: page
    objectName: "measurementsPage"
    background: Rectangle { color: "black" }

    // Measurements may have changed on another screen: the list is fetched again each time the
    // page comes back, whether by the stack or by the tabs.
    StackView.onActivated: MeasurementList.viewWillAppear()
    onVisibleChanged: if (visible && StackView.status === StackView.Active) MeasurementList.viewWillAppear()

    // Running times advance while the list is in view.
    Timer {
        objectName: "measurementRefresh"
        interval: MeasurementList.refreshInterval
        repeat: true
        running: page.visible && page.StackView.status === StackView.Active
        onTriggered: MeasurementList.reloadCollection()
    }

    header: TopBar {
        title: MeasurementList.title
        titleName: "measurementsTitle"
        TopBarButton {
            objectName: "orderMeasurementsButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: MeasurementList.captions.sort
            onClicked: MeasurementList.orderRowsBy()
        }
        TopBarButton {
            objectName: "addMeasurementButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "+"
            glyph: true
            onClicked: MeasurementList.insertNewMeasurement()
        }
    }

    ListView {
        id: list
        objectName: "measurementList"
        anchors.fill: parent
        clip: true
        model: MeasurementList
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        header: Column {
            objectName: "measurementSummary"
            width: list.width
            topPadding: MeasurementList.summary.length > 0 ? 12 : 0
            bottomPadding: topPadding
            Repeater {
                model: MeasurementList.summary
                Label {
                    required property string modelData
                    required property int index
                    objectName: "summaryLine_" + index
                    x: 16
                    width: list.width - 32
                    text: modelData
                    color: "#c7c7cc"
                    font.pixelSize: 13
                    wrapMode: Text.Wrap
                }
            }
            Rectangle {
                visible: MeasurementList.summary.length > 0
                width: list.width
                height: 1
                color: "#2c2c2e"
            }
        }
        delegate: MeasurementRow {
            width: list.width
        }
        remove: Transition { NumberAnimation { property: "opacity"; to: 0; duration: 200 } }
        add: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 200 } }
    }

    Label {
        objectName: "emptyMeasurementsLabel"
        anchors.centerIn: parent
        width: parent.width - 64
        visible: MeasurementList.count === 0
        text: MeasurementList.captions.empty
        color: "#8e8e93"
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
    }
}
