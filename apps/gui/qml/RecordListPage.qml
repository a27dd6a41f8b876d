import QtQuick
import QtQuick.Controls
import Tockary

// A record list (services, warranty cards), one row per record, with + for a new one.
Page {
    id: page
    // The list's model (ServiceList, WarrantyList), and the records' name in objectNames in the
    // singular ("service") and the plural ("services").
    required property var records
    required property string name
    required property string names
    // The + button.
    signal insertNew()

    objectName: names + "Page"
    background: Rectangle { color: "black" }

    // Records may have changed on another screen: the list is rebuilt each time the page comes
    // back, whether by the stack or by the tabs.
    StackView.onActivated: records.viewWillAppear()
    onVisibleChanged: if (visible && StackView.status === StackView.Active) records.viewWillAppear()

    header: TopBar {
        title: page.records.title
        titleName: page.names + "Title"
        TopBarButton {
            objectName: "add" + page.name.charAt(0).toUpperCase() + page.name.slice(1) + "Button"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "+"
            glyph: true
            onClicked: page.insertNew()
        }
    }

    ListView {
        id: list
        objectName: page.name + "List"
        anchors.fill: parent
        clip: true
        model: page.records
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        delegate: RecordRow {
            width: list.width
            records: page.records
            name: page.name
        }
        remove: Transition { NumberAnimation { property: "opacity"; to: 0; duration: 200 } }
        add: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 200 } }
    }

    Label {
        objectName: "empty" + page.names.charAt(0).toUpperCase() + page.names.slice(1) + "Label"
        anchors.centerIn: parent
        width: parent.width - 64
        visible: page.records.count === 0
        text: page.records.captions.empty
        color: "#8e8e93"
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
    }
}
