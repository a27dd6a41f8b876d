#include "records/fetched_results_table_view_controller.h"

#include <utility>

#include "platform/ui/diagnostics.h"

namespace tockary {

FetchedResultsTableViewController::FetchedResultsTableViewController(AppServices& services)
    : coreDataContainer(services.app.persistentContainer()),
      context(coreDataContainer.viewContext()),
      services_(services) {}

void FetchedResultsTableViewController::reloadData() {
  ++tableView.reloadCount;
  tableView.rowChanges.clear();
  if (tableView.didReload) tableView.didReload();
}

RecordListTableViewController::RecordListTableViewController(AppServices& services,
                                                             RecordListDescription description)
    : FetchedResultsTableViewController(services), description_(std::move(description)) {}

RecordListTableViewController::~RecordListTableViewController() {
  if (controller_) controller_->delegate = nullptr;
}

void RecordListTableViewController::viewDidLoad() {
  tableView.automaticRowHeight = true;
  tableView.estimatedRowHeight = tableView.rowHeight;
  navigationBar = NavigationBarStyle{BarStyle::Black, true, kBlack};
}

void RecordListTableViewController::viewWillAppear() {
  buildFetchedResultsController(listFetchRequest());
}

FetchRequest RecordListTableViewController::listFetchRequest() const {
  FetchRequest request(description_.entityName);
  request.sortDescriptors = {{description_.sortKey, true}};
  return request;
}

void RecordListTableViewController::buildFetchedResultsController(FetchRequest request) {
  auto controller = std::make_unique<FetchedResultsController>(std::move(request), context);
  // A failed fetch leaves the rows as they were: keep the old list rather than show nothing.
  if (controller->performFetch().isOk() || !controller_) {
    if (controller_) controller_->delegate = nullptr;
    controller_ = std::move(controller);
  }
  controller_->delegate = this;
  reloadData();
}

int RecordListTableViewController::numberOfSections() const {
  if (!controller_) return 1;
  return static_cast<int>(controller_->sections().size());
}

int RecordListTableViewController::numberOfRowsInSection(int section) const {
  if (!controller_ || section < 0) return 0;
  const auto& sections = controller_->sections();
  if (section >= static_cast<int>(sections.size())) return 0;
  return static_cast<int>(sections[section].objects.size());
}

std::string RecordListTableViewController::titleForHeaderInSection(int section) const {
  if (!controller_ || section < 0) return {};
  const auto& sections = controller_->sections();
  if (section >= static_cast<int>(sections.size())) return {};
  return sections[section].name;
}

std::vector<std::string> RecordListTableViewController::sectionIndexTitles() const {
  if (!controller_) return {};
  return controller_->sectionIndexTitles();
}

int RecordListTableViewController::sectionForSectionIndexTitle(const std::string& title,
                                                               int index) const {
  if (!controller_) return -1;
  return controller_->sectionForSectionIndexTitle(title, index);
}

std::shared_ptr<ManagedObject> RecordListTableViewController::objectAt(IndexPath indexPath) const {
  if (!controller_) return nullptr;
  return controller_->objectAtIndexPath(indexPath);
}

std::vector<IndexPath> RecordListTableViewController::allIndexPaths() const {
  std::vector<IndexPath> paths;
  for (int section = 0; section < numberOfSections(); ++section) {
    for (int row = 0; row < numberOfRowsInSection(section); ++row) paths.push_back({section, row});
  }
  return paths;
}

std::optional<IndexPath> RecordListTableViewController::indexPathOf(const ObjectID& id) const {
  if (!controller_) return std::nullopt;
  for (const IndexPath& path : allIndexPaths()) {
    if (controller_->objectIDAtIndexPath(path) == id) return path;
  }
  return std::nullopt;
}

void RecordListTableViewController::didSelectRowAt(IndexPath indexPath) {
  // The id is all the detail screen needs: the record is not built for it.
  const auto id = controller_ ? controller_->objectIDAtIndexPath(indexPath) : std::nullopt;
  if (!id) return;
  services_.presenter.push(ScreenRequest{description_.detailScreen, id->text(), {}});
}

void RecordListTableViewController::commitEditingStyle(EditingStyle style, IndexPath indexPath) {
  if (style != EditingStyle::Delete) return;
  auto record = objectAt(indexPath);
  if (!record) return;
  context.deleteObject(record);
  if (Status saved = context.save(); !saved) fatalStop(saved);
}

void RecordListTableViewController::didChange(const std::shared_ptr<ManagedObject>& /*object*/,
                                              ResultsChangeType type,
                                              std::optional<IndexPath> indexPath,
                                              std::optional<IndexPath> newIndexPath) {
  // Moves and updates wait for the rebuild on the next appearance.
  if (type == ResultsChangeType::Insert && newIndexPath) {
    applyRowChange({type, *newIndexPath, RowAnimation::Fade});
  } else if (type == ResultsChangeType::Delete && indexPath) {
    applyRowChange({type, *indexPath, RowAnimation::Fade});
  }
}

void RecordListTableViewController::applyRowChange(TableRowChange change) {
  tableView.rowChanges.push_back(change);
  if (tableView.didChangeRow) tableView.didChangeRow(change);
  rowsDidChange();
}

}  // namespace tockary
