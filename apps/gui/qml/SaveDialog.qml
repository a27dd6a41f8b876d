import QtQuick
import Tockary

// "Save to File…" of the share sheet: names the file the shared item is saved to, starting in
// the Documents folder with the item's own name.
FileDialog {
    id: dialog
    prefix: "save"
    saving: true
    texts: Sheets.saveDialogTexts
    filters: Sheets.saveFilters
    startFolder: Sheets.saveFolder
    startName: Sheets.saveFileName
    onChosen: file => Sheets.saveShared(file)

    Connections {
        target: Sheets
        function onSaveDialogRequested() { dialog.open() }
    }
}
