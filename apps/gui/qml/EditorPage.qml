import QtQuick
import QtQuick.Controls
import Tockary

Page {
    // The store identity of the record shown ("Kello/12"); empty for a new record.
    property string objectId
    background: Rectangle { color: "black" }
}
