import QtQuick
import Tockary

// The photo gallery of this desktop. It opens where the last picture came from, else in the
// Pictures folder.
FileDialog {
    id: dialog
    prefix: "picture"
    texts: Sheets.pictureDialogTexts
    filters: Sheets.pictureFilters
    startFolder: Sheets.pictureFolder
    onChosen: file => Sheets.imageFileChosen(file)
    onCancelled: Sheets.imagePickCancelled()

    Connections {
        target: Sheets
        function onImagePickRequested() { dialog.open() }
        // Answered elsewhere (a newer request): nothing is left to choose for.
        function onImagePickChanged() {
            if (!Sheets.imagePickPending && dialog.visible)
                dialog.visible = false
        }
    }
}
