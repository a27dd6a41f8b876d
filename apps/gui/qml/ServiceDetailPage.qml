import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The detail of one service record: every value under its caption, read only.
Page {
    id: page
    objectName: "serviceDetailPage"
    // The store identity of the record shown ("Huolto/3").
    property string objectId
    background: Rectangle { color: "black" }

    Component.onCompleted: ServiceDetail.open(objectId)

    function goBack() { page.StackView.view.pop() }

    header: TopBar {
        title: ServiceDetail.title
        titleName: "serviceDetailTitle"
        TopBarButton {
            objectName: "serviceBackButton"
            anchors.left: parent.left
            anchors.leftMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "\u2039"
            glyph: true
            onClicked: page.goBack()
        }
        TopBarButton {
            objectName: "serviceEditButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: ServiceDetail.captions.edit
            enabled: ServiceDetail.found
            onClicked: ServiceDetail.editSelectedService()
        }
    }

    Flickable {
        id: scroller
        objectName: "serviceDetailScroller"
        anchors.fill: parent
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
                model: ServiceDetail.fields
                delegate: ColumnLayout {
                    id: entry
                    required property var modelData
                    Layout.fillWidth: true
                    spacing: 4
                    Label {
                        text: entry.modelData.caption
                        color: "#8e8e93"
                        font.pixelSize: 12
                    }
                    Label {
                        objectName: "value_" + entry.modelData.caption
                        visible: !entry.modelData.multiline
                        Layout.fillWidth: true
                        bottomPadding: 6
                        text: entry.modelData.text
                        color: "white"
                        font.pixelSize: 16
                        wrapMode: Text.Wrap
                    }
                    // The description reads as a text view: framed, from its beginning.
                    TextArea {
                        objectName: "value_" + entry.modelData.caption
                        visible: entry.modelData.multiline
                        Layout.fillWidth: true
                        Layout.minimumHeight: 120
                        readOnly: true
                        text: entry.modelData.text
                        cursorPosition: 0
                        wrapMode: TextEdit.Wrap
                        color: "white"
                        background: Rectangle { color: "#1c1c1e"; radius: 8 }
                    }
                    Rectangle {
                        visible: !entry.modelData.multiline
                        Layout.fillWidth: true
                        height: 1
                        color: "#2c2c2e"
                    }
                }
            }
        }
    }
}
