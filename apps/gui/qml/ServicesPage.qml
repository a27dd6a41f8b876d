import QtQuick
import Tockary

// The service records, one row per record, by watch.
RecordListPage {
    records: ServiceList
    name: "service"
    names: "services"
    onInsertNew: ServiceList.insertNewService()
}
