#include "accuracy/accuracy_table_view_controller.h"

#include "accuracy/accuracy_form.h"
#include "accuracy/measurement.h"
#include "platform/ui/diagnostics.h"

namespace tockary {

const std::array<SortMenuEntry, 3> kMeasurementSortMenu = {{
    {"Watch", kOrderByWatch},
    {"Accuracy", kOrderByTotalAccuracy},
    {"In progress measurements", kOrderByAccuracyStatus},
}};

AccuracyTableViewController::AccuracyTableViewController(AppServices& services)
    : RecordListTableViewController(
          services, RecordListDescription{std::string(Varataulu::entityName()), "varaString1",
                                          "watchAccuracy", std::string(kMeasurementScreen)}) {}

void AccuracyTableViewController::viewDidLoad() {
  RecordListTableViewController::viewDidLoad();
  titleViewImage = kTitleImage;
  reloadData();
  timerScheduled = true;
}

void AccuracyTableViewController::viewWillAppear() { fetchAgain(); }

void AccuracyTableViewController::fetchAgain() {
  summary_ = accuracySummary(context);
  buildFetchedResultsController(listFetchRequest());
}

void AccuracyTableViewController::reloadCollection() { reloadData(); }

FetchRequest AccuracyTableViewController::listFetchRequest() const {
  FetchRequest request = RecordListTableViewController::listFetchRequest();
  // A later true key replaces an earlier one.
  const std::pair<std::string_view, std::string_view> orders[] = {
      {kOrderByWatch, "varaString1"},
      {kOrderByTotalAccuracy, "varaDouble1"},
      {kOrderByAccuracyStatus, "varaString5"},
  };
  for (const auto& [key, attribute] : orders) {
    if (services_.defaults.flag(key) == true)
      request.sortDescriptors = {{std::string(attribute), true}};
  }
  return request;
}

std::shared_ptr<Varataulu> AccuracyTableViewController::measurementAt(IndexPath indexPath) const {
  return std::dynamic_pointer_cast<Varataulu>(objectAt(indexPath));
}

std::optional<AccuracyTableViewCell> AccuracyTableViewController::cellForRowAt(
    IndexPath indexPath) const {
  const auto record = measurementAt(indexPath);
  if (!record) return std::nullopt;
  AccuracyTableViewCell cell;
  cell.mitattuKelloLabel = record->varaString1().value_or("");
  cell.mittausTapa = record->varaString3().value_or("");
  cell.tulosLabel = record->varaString2().value_or("");
  const auto start = record->varaPVM1();
  if (start) cell.mittausPVMLabel = "Measure start date: " + services_.formatters.shortDate(*start);
  const auto status = record->varaString5();
  if (status == kMeasurementStarted) {
    cell.tulosLabel = kInProgress;
    if (start) {
      cell.mittauksenKestoLabel =
          runningTimeText(services_.formatters.calendar(), *start, services_.clock.now());
    }
  } else if (status == kMeasurementReady) {
    cell.mittauksenKestoLabel = record->varaString4().value_or("");
  }
  cell.mittausID = record->objectID();
  return cell;
}

std::vector<AccuracyTableViewCell> AccuracyTableViewController::allRows() const {
  std::vector<AccuracyTableViewCell> rows;
  for (int section = 0; section < numberOfSections(); ++section) {
    for (int row = 0; row < numberOfRowsInSection(section); ++row) {
      if (auto cell = cellForRowAt({section, row})) rows.push_back(std::move(*cell));
    }
  }
  return rows;
}

std::optional<IndexPath> AccuracyTableViewController::indexPathOf(const ObjectID& mittausID) const {
  for (int section = 0; section < numberOfSections(); ++section) {
    for (int row = 0; row < numberOfRowsInSection(section); ++row) {
      const auto record = objectAt({section, row});
      if (record && record->objectID() == mittausID) return IndexPath{section, row};
    }
  }
  return std::nullopt;
}

void AccuracyTableViewController::insertNewMeasurement() {
  services_.presenter.push(ScreenRequest{std::string(kMeasurementScreen), {}, {}});
}

void AccuracyTableViewController::orderRowsBy() {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Order the measurements by:";
  sheet.message = kChooseOneMessage;
  for (const SortMenuEntry& entry : kMeasurementSortMenu) {
    const std::string title(entry.title);
    sheet.actions.push_back({std::string(entry.key), title, ActionStyle::Default,
                             [this, title] { chooseSortEntry(title); }});
  }
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

bool AccuracyTableViewController::chooseSortEntry(std::string_view title) {
  for (const SortMenuEntry& entry : kMeasurementSortMenu) {
    if (entry.title != title) continue;
    storeSortChoice(services_.defaults, kMeasurementSortKeys, entry.key);
    fetchAgain();
    return true;
  }
  return false;
}

void AccuracyTableViewController::commitEditingStyle(EditingStyle style, IndexPath indexPath) {
  if (style != EditingStyle::Delete || !objectAt(indexPath)) return;
  RecordListTableViewController::commitEditingStyle(style, indexPath);
  fetchAgain();
}

}  // namespace tockary
