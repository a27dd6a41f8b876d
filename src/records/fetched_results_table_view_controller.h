#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/store/fetched_results_controller.h"
#include "platform/store/object_store.h"
#include "platform/ui/navigation_bar.h"
#include "store/app_services.h"

namespace tockary {

enum class RowAnimation { None, Fade };
enum class EditingStyle { None, Insert, Delete };

// One row inserted into or deleted from the table between two reloads.
struct TableRowChange {
  ResultsChangeType type = ResultsChangeType::Insert;
  IndexPath indexPath;
  RowAnimation animation = RowAnimation::Fade;
  friend bool operator==(const TableRowChange&, const TableRowChange&) = default;
};

// What the screen asks of its table view; the front end lays the rows out and animates them.
struct TableView {
  double rowHeight = 44.0;  // as laid out; record lists estimate from it
  bool automaticRowHeight = false;
  double estimatedRowHeight = 0;
  double estimatedSectionHeaderHeight = 0;
  double estimatedSectionFooterHeight = 0;
  int reloadCount = 0;
  // Inserts and deletes applied since the last reload, in order.
  std::vector<TableRowChange> rowChanges;

  // Front-end hooks; may be empty.
  std::function<void()> didReload;
  std::function<void(const TableRowChange&)> didChangeRow;
};

// The base of every screen that lists store records: connects the screen to the one container
// and its view context (opening the store on first use). On its own it shows nothing.
class FetchedResultsTableViewController {
 public:
  // `services` must outlive the screen. Opens the store when it is not open yet (a store that
  // cannot be opened is a fatal stop).
  explicit FetchedResultsTableViewController(AppServices& services);
  virtual ~FetchedResultsTableViewController() = default;
  FetchedResultsTableViewController(const FetchedResultsTableViewController&) = delete;
  FetchedResultsTableViewController& operator=(const FetchedResultsTableViewController&) = delete;

  virtual int numberOfSections() const { return 0; }
  virtual int numberOfRowsInSection(int /*section*/) const { return 0; }

  PersistentContainer& coreDataContainer;
  ManagedObjectContext& context;
  TableView tableView;
  NavigationBarStyle navigationBar;

 protected:
  // Rebuilds every visible row.
  virtual void reloadData();

  AppServices& services_;
};

// What a record list shows and where its rows lead.
struct RecordListDescription {
  std::string entityName;
  std::string sortKey;         // the one sort key, ascending
  std::string cellIdentifier;  // the reuse identifier of its rows
  std::string detailScreen;    // the screen a selected row opens with the record's id
};

// The list pattern of the record lists: a live list rebuilt on every appearance, one section
// without a section key, selection opening the detail screen with the record's id, swipe to
// delete, and inserts and deletes of the live list applied to the table with a fade.
class RecordListTableViewController : public FetchedResultsTableViewController,
                                      public FetchedResultsControllerDelegate {
 public:
  RecordListTableViewController(AppServices& services, RecordListDescription description);
  ~RecordListTableViewController() override;

  const RecordListDescription& description() const { return description_; }

  // Automatic row heights estimated from the row height, dark translucent bar with a black tint.
  virtual void viewDidLoad();
  // Rebuilds the live list, so changes made on other screens show.
  virtual void viewWillAppear();

  // Replaces the live list by one over the request; a failed fetch is ignored (the list keeps
  // what it held). Then the screen becomes the list's delegate and the table is reloaded.
  void buildFetchedResultsController(FetchRequest request);
  // The entity sorted by the description's key, no predicate.
  virtual FetchRequest listFetchRequest() const;

  // One section without a live list.
  int numberOfSections() const override;
  // 0 without a live list or for a section outside it.
  int numberOfRowsInSection(int section) const override;
  std::string titleForHeaderInSection(int section) const;
  std::vector<std::string> sectionIndexTitles() const;
  int sectionForSectionIndexTitle(const std::string& title, int index) const;

  // The record at a row; null outside the list.
  std::shared_ptr<ManagedObject> objectAt(IndexPath indexPath) const;
  // Every row's path, in list order.
  std::vector<IndexPath> allIndexPaths() const;
  // The row of a listed record; nullopt for one not in the list.
  std::optional<IndexPath> indexPathOf(const ObjectID& id) const;
  // Opens the detail screen with the id of the record at the row; nothing outside the list.
  virtual void didSelectRowAt(IndexPath indexPath);
  // Delete style only: deletes the record at the row and saves (a failed save is a fatal stop).
  virtual void commitEditingStyle(EditingStyle style, IndexPath indexPath);

  // May be null until the first build.
  FetchedResultsController* fetchedResultsController() const { return controller_.get(); }

  void didChange(const std::shared_ptr<ManagedObject>& object, ResultsChangeType type,
                 std::optional<IndexPath> indexPath,
                 std::optional<IndexPath> newIndexPath) override;

 protected:
  // Called after each row change applied to the table.
  virtual void rowsDidChange() {}

 private:
  void applyRowChange(TableRowChange change);

  RecordListDescription description_;
  std::unique_ptr<FetchedResultsController> controller_;
};

}  // namespace tockary
