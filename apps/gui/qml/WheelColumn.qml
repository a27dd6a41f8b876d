import QtQuick
import QtQuick.Controls

// One column of a wheel picker: its rows' titles and the row chosen, both as the form has them.
// `chosen` reports a row the user turned it to.
Tumbler {
    id: wheel
    property var titles: []
    property int selected: 0
    signal chosen(int row)

    // Reports turns only while it stands where the form put it: a new model turns a Tumbler on
    // its own, which must not reach the form.
    property bool ready: false
    visibleItemCount: 5

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
    onTitlesChanged: sync()
    onSelectedChanged: Qt.callLater(place)
    onCountChanged: Qt.callLater(place)
    Component.onCompleted: sync()
    onCurrentIndexChanged: if (ready) chosen(currentIndex)

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
