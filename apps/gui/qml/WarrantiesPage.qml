import QtQuick
import Tockary

// The warranty cards, one row per card, by watch.
RecordListPage {
    records: WarrantyList
    name: "warranty"
    names: "warranties"
    onInsertNew: WarrantyList.insertNewWarranty()
}
