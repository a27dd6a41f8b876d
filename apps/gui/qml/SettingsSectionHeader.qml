import QtQuick
import QtQuick.Controls

Label {
    topPadding: 22
    bottomPadding: 6
    leftPadding: 12
    color: "#8e8e93"
    font.pixelSize: 13
    font.capitalization: Font.AllUppercase
}
