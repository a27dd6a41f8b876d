import QtQuick
import Tockary

// The settings screen's two file dialogs: where to save a backup, and which one to restore.
Item {
    id: dialogs
    readonly property bool menuOpen: backupDialog.menuOpen || restoreDialog.menuOpen

    // Esc: the open dialog goes as its Cancel does; false when neither is open.
    function cancelShown() {
        for (const dialog of [backupDialog, restoreDialog]) {
            if (dialog.visible) {
                dialog.cancel()
                return true
            }
        }
        return false
    }

    FileDialog {
        id: backupDialog
        anchors.fill: parent
        prefix: "backup"
        saving: true
        texts: BackupModel.backupDialogTexts
        filters: BackupModel.filters
        startFolder: BackupModel.folder
        startName: BackupModel.suggestedName
        onChosen: file => BackupModel.backUp(file)
    }

    FileDialog {
        id: restoreDialog
        anchors.fill: parent
        prefix: "restore"
        texts: BackupModel.restoreDialogTexts
        filters: BackupModel.filters
        startFolder: BackupModel.folder
        onChosen: file => BackupModel.restore(file)
    }

    Connections {
        target: BackupModel
        function onBackupDialogRequested() { backupDialog.open() }
        function onRestoreDialogRequested() { restoreDialog.open() }
    }
}
