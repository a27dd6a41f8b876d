import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

Label {
    color: "#8e8e93"
    font.pixelSize: 13
    font.capitalization: Font.AllUppercase
    Layout.topMargin: 14
}
