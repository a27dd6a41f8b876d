import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The detail screen of one watch.
Page {
    id: page
    objectName: "detailPage"
    // The store identity of the record shown ("Kello/12"); empty for a new record.
    property string objectId
    readonly property var outlets: WatchDetail.outlets
    background: Rectangle { color: "black" }

    Component.onCompleted: WatchDetail.open(objectId, width)

    function goBack() { page.StackView.view.pop() }

    header: TopBar {
        title: WatchDetail.title
        titleName: "detailTitle"
        TopBarButton {
            objectName: "backButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2039"
            glyph: true
            onClicked: page.goBack()
        }
        TopBarButton {
            objectName: "shareInfoButton"
            anchors.right: editButton.left
            anchors.verticalCenter: parent.verticalCenter
            text: WatchDetail.captions.share
            enabled: WatchDetail.found
            onClicked: WatchDetail.shareInfo()
        }
        TopBarButton {
            id: editButton
            objectName: "editButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: WatchDetail.captions.edit
            enabled: WatchDetail.found
            onClicked: WatchDetail.editSelectedWatch()
        }
    }

    Flickable {
        id: scroller
        objectName: "detailScroller"
        anchors.fill: parent
        anchors.bottomMargin: picker.visible ? picker.height : 0
        contentHeight: content.implicitHeight + 24
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: content
            width: scroller.width - 24
            x: 12
            y: 12
            spacing: 10

            DetailPicture {
                Layout.fillWidth: true
                Layout.preferredHeight: width
            }

            Label {
                objectName: "basicWatchDetailsLabel"
                Layout.fillWidth: true
                text: page.outlets.basicWatchDetailsLabel
                font.family: "Nimbus Sans"
                font.bold: true
                font.pixelSize: 18
                color: "white"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
            Label {
                objectName: "movementDetailsLabel"
                Layout.fillWidth: true
                text: page.outlets.movementDetailsLabel
                color: "#c7c7cc"
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }

            // Status: the big icon and the field both open the wheel.
            RowLayout {
                Layout.fillWidth: true
                spacing: 12
                ToolButton {
                    objectName: "statusButtonOutlet"
                    Layout.preferredWidth: 72
                    Layout.preferredHeight: 72
                    onClicked: WatchDetail.changeWatchStatus()
                    Accessible.name: page.outlets.statusTextField
                    contentItem: Image {
                        objectName: "statusBigIcon"
                        property string name: WatchDetail.statusIcon
                        fillMode: Image.PreserveAspectFit
                        sourceSize: Qt.size(144, 144)
                        source: AppShell.assetPicture(name)
                    }
                    background: null
                }
                ColumnLayout {
                    Layout.fillWidth: true
                    Label { text: WatchDetail.captions.status; color: "#8e8e93"; font.pixelSize: 12 }
                    ItemDelegate {
                        objectName: "statusTextField"
                        Layout.fillWidth: true
                        text: page.outlets.statusTextField
                        leftPadding: 0
                        palette.buttonText: "white"
                        font.pixelSize: 17
                        onClicked: WatchDetail.changeWatchStatus()
                    }
                }
            }

            // Wrist statistics and their two buttons.
            Repeater {
                model: WatchDetail.wearCaptions
                delegate: RowLayout {
                    required property var modelData
                    Layout.fillWidth: true
                    Label {
                        text: modelData.caption
                        color: "#8e8e93"
                        Layout.preferredWidth: 130
                    }
                    Label {
                        objectName: modelData.outlet
                        text: page.outlets[modelData.outlet] !== undefined ? page.outlets[modelData.outlet] : ""
                        color: "white"
                        Layout.fillWidth: true
                    }
                }
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 12
                Button {
                    objectName: "wearButton"
                    Layout.fillWidth: true
                    text: WatchDetail.captions.wear
                    enabled: WatchDetail.found
                    onClicked: WatchDetail.increaseTimesWornCounter()
                }
                Button {
                    objectName: "resetButton"
                    Layout.fillWidth: true
                    text: WatchDetail.captions.reset
                    enabled: WatchDetail.found
                    palette.buttonText: "#ff453a"
                    onClicked: WatchDetail.wearStatsReset()
                }
            }

            Repeater {
                model: WatchDetail.fieldCaptions
                delegate: ColumnLayout {
                    required property var modelData
                    Layout.fillWidth: true
                    spacing: 2
                    Label {
                        text: modelData.caption
                        color: "#8e8e93"
                        font.pixelSize: 12
                    }
                    Label {
                        objectName: modelData.outlet
                        Layout.fillWidth: true
                        bottomPadding: 6
                        text: page.outlets[modelData.outlet] !== undefined ? page.outlets[modelData.outlet] : ""
                        color: "white"
                        wrapMode: Text.Wrap
                        // An empty field says so quietly.
                        Label {
                            visible: parent.text.length === 0
                            text: "\u2014"
                            color: "#48484a"
                        }
                    }
                    Rectangle { Layout.fillWidth: true; height: 1; color: "#2c2c2e" }
                }
            }

            // The quick share and the four reports, each offered to the share sheet.
            Label {
                text: WatchDetail.captions.reports
                color: "#8e8e93"
                font.pixelSize: 12
                topPadding: 8
            }
            GridLayout {
                Layout.fillWidth: true
                Layout.bottomMargin: 16
                columns: 2
                columnSpacing: 12
                Button {
                    objectName: "shareWatchInfoButton"
                    Layout.fillWidth: true
                    Layout.columnSpan: 2
                    text: WatchDetail.captions.share
                    enabled: WatchDetail.found
                    onClicked: WatchDetail.shareWatchInfo()
                }
                Repeater {
                    model: WatchDetail.reportButtons
                    delegate: Button {
                        required property var modelData
                        objectName: "reportButton_" + modelData.action
                        Layout.fillWidth: true
                        text: modelData.title
                        enabled: WatchDetail.found
                        onClicked: WatchDetail.report(modelData.action)
                    }
                }
            }
        }
    }

    // The status wheel with its toolbar.
    Rectangle {
        id: picker
        objectName: "statusPicker"
        visible: WatchDetail.statusPickerShown
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 260
        color: "#1c1c1e"
        ToolBar {
            id: pickerBar
            width: parent.width
            background: Rectangle { color: "#2c2c2e" }
            ToolButton {
                objectName: "statusToolbarButton"
                anchors.right: parent.right
                text: WatchDetail.statusToolbarTitle
                palette.buttonText: "#0a84ff"
                onClicked: WatchDetail.doneStatusPicker()
            }
        }
        WheelColumn {
            id: wheel
            objectName: "statusWheel"
            anchors.top: pickerBar.bottom
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width
            wrap: false
            titles: WatchDetail.statusNames
            selected: WatchDetail.selectedStatusRow
            onChosen: row => WatchDetail.selectStatusRow(row)
            onConfirmed: WatchDetail.doneStatusPicker()
        }
        // The wheel takes the keys as it opens.
        onVisibleChanged: if (visible) wheel.forceActiveFocus()
    }
}
