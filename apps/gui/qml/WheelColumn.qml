import QtQuick
import QtQuick.Controls

// One column of a wheel picker: its rows' titles and the row chosen, both as the form has them.
// `chosen` reports every row the user turns it to, by a drag, a flick, the mouse wheel (one notch,
// one row) or the Up and Down keys. Left and Right ask for the neighbouring column, Tab and
// Backtab for the next one round the wheel (`step`); Return asks for the wheel's confirm
// (`confirmed`).
Tumbler {
    id: wheel
    property var titles: []
    property int selected: 0
    signal chosen(int row)
    signal step(int columns, bool round)
    signal confirmed()

    // Reports turns only while it stands where the form put it: a new model turns a Tumbler on
    // its own, which must not reach the form.
    property bool ready: false
    // What the mouse wheel turned short of a whole notch (touchpads send fractions).
    property real wheelRest: 0
    visibleItemCount: 5
    focusPolicy: Qt.StrongFocus

    function sameTitles() {
        if (!model || model.length !== titles.length)
            return false
        for (let i = 0; i < titles.length; ++i) {
            if (model[i] !== titles[i])
                return false
        }
        return true
    }
    // A new model only when the rows changed (a shorter month), so that a turn in progress is
    // not undone. The wheel is placed once every binding has its new value: the rows and the
    // chosen row change one after the other.
    function sync() {
        if (!sameTitles()) {
            ready = false
            model = titles
        }
        Qt.callLater(place)
    }
    function place() {
        // Never against the user's hand: a moving wheel is placed once it stops.
        if (moving)
            return
        if (count > 0 && selected >= 0 && selected < count && currentIndex !== selected) {
            ready = false
            currentIndex = selected
            // Stands at its row at once, without spinning there.
            positionViewAtIndex(selected, Tumbler.Center)
        }
        if (!ready && count > 0)
            Qt.callLater(arm)
    }
    function arm() {
        if (selected >= 0 && selected < count && currentIndex !== selected)
            place()
        else
            ready = count > 0
    }
    // Turns by whole rows, round the ends where the wheel runs round.
    function turnBy(rows) {
        if (count === 0 || rows === 0)
            return
        let row = currentIndex + rows
        row = wrap ? ((row % count) + count) % count : Math.max(0, Math.min(count - 1, row))
        currentIndex = row
    }
    onTitlesChanged: sync()
    onSelectedChanged: Qt.callLater(place)
    onCountChanged: Qt.callLater(place)
    onMovingChanged: {
        if (moving)
            forceActiveFocus()
        else
            Qt.callLater(place)
    }
    Component.onCompleted: sync()
    onCurrentIndexChanged: if (ready) chosen(currentIndex)

    Keys.onPressed: event => {
        switch (event.key) {
        case Qt.Key_Up:
            turnBy(-1)
            break
        case Qt.Key_Down:
            turnBy(1)
            break
        case Qt.Key_Left:
            step(-1, false)
            break
        case Qt.Key_Right:
            step(1, false)
            break
        case Qt.Key_Backtab:
            step(-1, true)
            break
        case Qt.Key_Tab:
            step(1, true)
            break
        case Qt.Key_Return:
        case Qt.Key_Enter:
            confirmed()
            break
        default:
            return
        }
        event.accepted = true
    }

    // The row in the middle, framed while the column has the keys.
    Rectangle {
        z: -1
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        height: wheel.availableHeight / wheel.visibleItemCount
        radius: 8
        color: "#2c2c2e"
        border.color: wheel.activeFocus ? "#0a84ff" : "transparent"
        border.width: 2
    }

    // Above the rows: the mouse wheel turns the column by rows, not by pixels, and a press gives
    // it the keys; the press itself goes on to the rows, which follow the drag.
    MouseArea {
        anchors.fill: parent
        z: 1
        onPressed: mouse => {
            wheel.forceActiveFocus()
            mouse.accepted = false
        }
        onWheel: event => {
            wheel.forceActiveFocus()
            wheel.wheelRest += event.angleDelta.y
            const notches = Math.trunc(wheel.wheelRest / 120)
            wheel.wheelRest -= notches * 120
            // Turning the wheel towards oneself brings the later rows.
            wheel.turnBy(-notches)
        }
    }

    delegate: Label {
        required property var modelData
        required property int index
        text: modelData
        color: "white"
        font.pixelSize: 20
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        opacity: 1.0 - Math.abs(Tumbler.displacement) / (wheel.visibleItemCount / 2)
    }
}
