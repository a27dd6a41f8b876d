import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tockary

// The screens' action sheets (from the bottom, the cancel action on a card of its own) and
// alerts (centred, the cancel action last).
Item {
    id: overlay
    visible: Sheets.visible

    readonly property color accent: "#0a84ff"
    readonly property color destructive: "#ff453a"
    readonly property bool hasCancel: Sheets.cancelAction.identity !== undefined

    // The sheet takes the keyboard, so that nothing is typed into the screen behind it, and gives
    // it back when it closes.
    property Item focusBefore: null
    function holds(item) {
        for (let up = item; up; up = up.parent) {
            if (up === overlay)
                return true
        }
        return false
    }
    onVisibleChanged: {
        if (visible) {
            if (!holds(Window.activeFocusItem))
                focusBefore = Window.activeFocusItem
            if (Sheets.textFields.length === 0)
                forceActiveFocus()
        } else if (focusBefore) {
            focusBefore.forceActiveFocus()
            focusBefore = null
        }
    }

    // A tap beside the sheet answers it as Esc does.
    Rectangle {
        anchors.fill: parent
        color: "#80000000"
        MouseArea {
            objectName: "sheetBackdrop"
            anchors.fill: parent
            onClicked: Sheets.dismiss()
        }
    }

    Rectangle {
        id: card
        objectName: "sheetCard"
        width: Math.min(overlay.width - 16, Sheets.actionSheet ? 414 : 300)
        // A sheet taller than the window scrolls its buttons instead of losing the first ones.
        height: Math.min(column.implicitHeight + 24,
                         overlay.height - 24 - (cancelCard.visible ? cancelCard.height + 8 : 0))
        radius: 14
        color: "#2c2c2e"
        anchors.horizontalCenter: parent.horizontalCenter
        y: Sheets.actionSheet
           ? overlay.height - height - 12 - (cancelCard.visible ? cancelCard.height + 8 : 0)
           : (overlay.height - height) / 2

        MouseArea { anchors.fill: parent }  // a tap on the card is not a tap beside it

        Flickable {
            id: scroller
            objectName: "sheetScroller"
            anchors.fill: parent
            anchors.margins: 12
            contentHeight: column.implicitHeight
            interactive: contentHeight > height
            clip: interactive
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { visible: scroller.interactive }
            ColumnLayout {
                id: column
                width: scroller.width
                spacing: 8
                Label {
                    objectName: "sheetHeadline"
                    text: Sheets.headline
                    visible: text.length > 0
                    font.family: Sheets.headlineFamily
                    font.bold: Sheets.headlineBold
                    font.pixelSize: Sheets.headlineSize > 0 ? Sheets.headlineSize : 17
                    color: "white"
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                    Layout.fillWidth: true
                }
                Label {
                    objectName: "sheetMessage"
                    text: Sheets.message
                    visible: text.length > 0
                    font.family: Sheets.messageFamily
                    font.bold: Sheets.messageBold
                    font.pixelSize: Sheets.messageSize > 0 ? Sheets.messageSize : 13
                    color: "#ebebf5"
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                    Layout.fillWidth: true
                }
                Repeater {
                    model: Sheets.textFields
                    TextField {
                        required property var modelData
                        required property int index
                        objectName: "sheetField_" + index
                        placeholderText: modelData.placeholder
                        text: modelData.text
                        inputMethodHints: modelData.numeric ? Qt.ImhFormattedNumbersOnly : Qt.ImhNone
                        Layout.fillWidth: true
                        Component.onCompleted: if (index === 0) forceActiveFocus()
                        onTextChanged: Sheets.setFieldText(index, text)
                        onAccepted: Sheets.submit()
                    }
                }
                // Each button is named after its action's identity, which never changes with its title.
                Repeater {
                    model: Sheets.actions
                    SheetButton {
                        required property var modelData
                        visible: modelData.identity !== Sheets.cancelAction.identity
                        objectName: "sheetAction_" + modelData.identity
                        text: modelData.title
                        actionStyle: modelData.style
                        Layout.fillWidth: true
                        onClicked: Sheets.choose(modelData.identity)
                    }
                }
                // An alert's cancel action comes last, set apart.
                SheetButton {
                    objectName: overlay.hasCancel ? "sheetAction_" + Sheets.cancelAction.identity : ""
                    visible: !Sheets.actionSheet && overlay.hasCancel
                    text: overlay.hasCancel ? Sheets.cancelAction.title : ""
                    actionStyle: "cancel"
                    Layout.fillWidth: true
                    Layout.topMargin: 8
                    onClicked: Sheets.choose(Sheets.cancelAction.identity)
                }
            }
        }

        // The sheet's decorative pictures, in its own coordinates; some sit above it.
        Item {
            id: pictures
            anchors.left: parent.left
            anchors.top: parent.top
            Repeater {
                model: Sheets.images
                Image {
                    id: picture
                    required property var modelData
                    required property int index
                    objectName: "sheetImage_" + index
                    source: modelData.source
                    // Frames count from the card's left edge, or from its centre.
                    // The origin stays bound while the place is animated: the card may still be
                    // laid out when the animation starts.
                    readonly property real originX: modelData.fromCentre ? card.width / 2 : 0
                    property real placeX: modelData.x
                    x: modelData.centred ? (card.width - width) / 2 : originX + placeX
                    y: modelData.y
                    width: modelData.width
                    height: modelData.height
                    opacity: modelData.alpha
                    sourceSize.width: modelData.toWidth
                    sourceSize.height: modelData.toHeight
                    fillMode: Image.PreserveAspectFit
                    ParallelAnimation {
                        id: grow
                        NumberAnimation { target: picture; property: "placeX"; to: picture.modelData.toX; duration: picture.modelData.duration; easing.type: Easing.OutBack }
                        NumberAnimation { target: picture; property: "opacity"; to: picture.modelData.toAlpha; duration: picture.modelData.duration }
                        NumberAnimation { target: picture; property: "y"; to: picture.modelData.toY; duration: picture.modelData.duration; easing.type: Easing.OutBack }
                        NumberAnimation { target: picture; property: "width"; to: picture.modelData.toWidth; duration: picture.modelData.duration; easing.type: Easing.OutBack }
                        NumberAnimation { target: picture; property: "height"; to: picture.modelData.toHeight; duration: picture.modelData.duration; easing.type: Easing.OutBack }
                    }
                    // The picture's frame, border and shadow, drawn behind it.
                    Rectangle {
                        z: -1
                        anchors.fill: parent
                        color: picture.modelData.background.length > 0 ? picture.modelData.background : "transparent"
                        radius: picture.modelData.radius
                        border.color: picture.modelData.borderColor
                        border.width: picture.modelData.borderWidth
                    }
                    Rectangle {
                        z: -2
                        x: picture.modelData.shadowX - picture.modelData.shadowRadius / 2
                        y: picture.modelData.shadowY - picture.modelData.shadowRadius / 2
                        width: parent.width + picture.modelData.shadowRadius
                        height: parent.height + picture.modelData.shadowRadius
                        radius: picture.modelData.radius + picture.modelData.shadowRadius / 2
                        color: "black"
                        opacity: picture.modelData.shadowOpacity * 0.5
                        visible: picture.modelData.shadowRadius > 0
                    }
                    SequentialAnimation {
                        id: spin
                        RotationAnimation { target: picture; to: picture.modelData.spinDegrees || 0; duration: picture.modelData.spinDuration || 0 }
                        RotationAnimation { target: picture; to: 0; duration: picture.modelData.returnDuration || 0 }
                    }
                    Component.onCompleted: {
                        if (modelData.animated)
                            grow.start()
                        if (modelData.spins)
                            spin.start()
                    }
                }
            }
        }
    }

    Rectangle {
        id: cancelCard
        visible: Sheets.actionSheet && overlay.hasCancel
        width: card.width
        height: cancelButton.implicitHeight + 16
        radius: 14
        color: "#2c2c2e"
        anchors.horizontalCenter: parent.horizontalCenter
        y: overlay.height - height - 12
        MouseArea { anchors.fill: parent }
        SheetButton {
            id: cancelButton
            objectName: overlay.hasCancel ? "sheetAction_" + Sheets.cancelAction.identity : ""
            anchors.fill: parent
            anchors.margins: 8
            text: overlay.hasCancel ? Sheets.cancelAction.title : ""
            actionStyle: "cancel"
            onClicked: Sheets.choose(Sheets.cancelAction.identity)
        }
    }
}
