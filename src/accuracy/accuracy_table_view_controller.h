#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accuracy/accuracy_summary.h"
#include "records/fetched_results_table_view_controller.h"
#include "settings/preference_keys.h"
#include "store/records.h"

namespace tockary {

// One row of the measurement list ("watchAccuracy").
struct AccuracyTableViewCell {
  std::string mitattuKelloLabel;     // the watch
  std::string mittausTapa;           // the environment
  std::string tulosLabel;            // the result, or "IN PROGRESS..." while running
  std::string mittausPVMLabel;       // "Measure start date: " and the start; empty without one
  std::string mittauksenKestoLabel;  // the running time, or the stored duration once finished
  ObjectID mittausID;
};

// The entries of "Order the measurements by:" in the order it shows them (before "Cancel").
extern const std::array<SortMenuEntry, 3> kMeasurementSortMenu;

// The list of every measurement, running and finished, in the chosen order, with the accuracy
// of each watch above it.
class AccuracyTableViewController : public RecordListTableViewController {
 public:
  // How often the front end calls reloadCollection(), so that running times advance.
  static constexpr std::chrono::seconds kRefreshInterval{60};
  static constexpr std::string_view kTitleImage = "ZozizuvEzuroziz.png";
  static constexpr std::string_view kInProgress = "IN PROGRESS...";
  // Shown over an empty list.
  static constexpr std::string_view kEmptyListHint = "No measurements yet. Tap + to start one.";

  // `services` must outlive the screen. Opens the store.
  explicit AccuracyTableViewController(AppServices& services);

  std::string titleViewImage;
  // Set by viewDidLoad: the front end then calls reloadCollection() every interval.
  bool timerScheduled = false;

  void viewDidLoad() override;
  // The fetch of the list and of the summary, on every appearance.
  void viewWillAppear() override;
  // What the timer does: the rows again, with running times as of now.
  void reloadCollection();

  // Every measurement, by the last true sort key: watch, result (most negative first) or status
  // (running first); by watch when none is set.
  FetchRequest listFetchRequest() const override;

  std::shared_ptr<Varataulu> measurementAt(IndexPath indexPath) const;
  // The row at a path, running times as of now; nullopt outside the list.
  std::optional<AccuracyTableViewCell> cellForRowAt(IndexPath indexPath) const;
  // Every row in list order.
  std::vector<AccuracyTableViewCell> allRows() const;
  std::optional<IndexPath> indexPathOf(const ObjectID& mittausID) const;

  // Each watch's accuracy over its finished measurements, as of the last fetch; one line each.
  const std::vector<WatchAccuracy>& summary() const { return summary_; }

  // Opens the measurement screen for a new measurement.
  void insertNewMeasurement();

  // Presents "Order the measurements by:"; each entry stores its key (and clears the two others)
  // and fetches again.
  void orderRowsBy();
  // What choosing an entry does, without the sheet. False for a title not in the menu.
  bool chooseSortEntry(std::string_view title);

  // Delete style: deletes the record at once, without a question, fetches again and saves (a
  // failed save is a fatal stop).
  void commitEditingStyle(EditingStyle style, IndexPath indexPath) override;

 private:
  void fetchAgain();

  std::vector<WatchAccuracy> summary_;
};

}  // namespace tockary
