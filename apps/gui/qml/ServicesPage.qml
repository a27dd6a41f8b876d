import QtQuick
import QtQuick.Controls
import Tockary

// The service records, one row per record, by watch.
Page {
    id: page
    objectName: "servicesPage"
    background: Rectangle { color: "black" }

    // Records may have changed on another screen: the list is rebuilt each time the page comes
    // back, whether by the stack or by the tabs.
    StackView.onActivated: ServiceList.viewWillAppear()
    onVisibleChanged: if (visible && StackView.status === StackView.Active) ServiceList.viewWillAppear()

    header: TopBar {
        title: ServiceList.title
        titleName: "servicesTitle"
        TopBarButton {
            objectName: "addServiceButton"
            anchors.right: parent.right
            anchors.rightMargin: 4
            anchors.verticalCenter: parent.verticalCenter
            text: "+"
            glyph: true
            onClicked: ServiceList.insertNewService()
        }
    }

    ListView {
        id: list
        objectName: "serviceList"
        anchors.fill: parent
        clip: true
        model: ServiceList
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        delegate: ServiceRow {
            width: list.width
        }
        remove: Transition { NumberAnimation { property: "opacity"; to: 0; duration: 200 } }
        add: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 200 } }
    }

    Label {
        objectName: "emptyServicesLabel"
        anchors.centerIn: parent
        width: parent.width - 64
        visible: ServiceList.count === 0
        text: ServiceList.captions.empty
        color: "#8e8e93"
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
    }
}
