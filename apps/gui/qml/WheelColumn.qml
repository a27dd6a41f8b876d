import QtQuick
import QtQuick.Controls

// One column of a wheel picker. `startIndex` is where it stands when shown; `chosen` reports a
// row the user turned it to.
Tumbler {
    id: wheel
    property int startIndex: 0
    // The text of a row when the model is a count rather than a list of texts.
    property var textOf: null
    signal chosen(int row)

    // Reports turns only once it stands at its row: setting a model turns a Tumbler to row 0 on
    // its own, which must not reach the form.
    property bool ready: false
    visibleItemCount: 5

    function place() {
        ready = false
        if (count > 0 && startIndex >= 0 && startIndex < count) {
            currentIndex = startIndex
            // Opens standing at its row, without spinning there.
            positionViewAtIndex(startIndex, Tumbler.Center)
        }
        if (count > 0)
            Qt.callLater(arm)
    }
    function arm() { ready = count > 0 }
    onStartIndexChanged: place()
    onCountChanged: place()
    Component.onCompleted: place()
    onCurrentIndexChanged: if (ready) chosen(currentIndex)

    delegate: Label {
        required property var modelData
        required property int index
        text: wheel.textOf ? wheel.textOf(index) : modelData
        color: "white"
        font.pixelSize: 20
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        opacity: 1.0 - Math.abs(Tumbler.displacement) / (wheel.visibleItemCount / 2)
    }
}
