#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "collection/collection_filter.h"
#include "collection/my_watch_collection_table_view_cell.h"
#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "records/fetched_results_table_view_controller.h"
#include "settings/preference_keys.h"
#include "store/records.h"

namespace tockary {

// The entries of the "Order the Watches by:" sheet in the order it shows them (before "Cancel").
extern const std::array<SortMenuEntry, 7> kCollectionSortMenu;

// The leading swipe action of a row: logs a wear at once.
struct ContextualAction {
  std::string title;
  std::string imageName;
  Rgba backgroundColor;
  std::function<void()> handler;
};

// The home screen: every watch (or only the unsold ones), in the chosen order, one row each.
class MyWatchCollectionTableViewController : public RecordListTableViewController {
 public:
  // How often the front end runs initiateNotifications while the screen exists.
  static constexpr std::chrono::seconds kNotificationRebuildInterval{60};
  static constexpr double kEstimatedRowHeight = 149.0;
  static constexpr std::string_view kTitleImage = "Dureduveve.png";
  static constexpr std::string_view kQuickWearImage = "WearToday";
  // The screen's own pictures (not its rows'), for the asset check.
  static std::vector<std::string> screenImageNames() {
    return {std::string(kTitleImage), std::string(kQuickWearImage)};
  }

  // `services` must outlive the screen. Opens the store.
  explicit MyWatchCollectionTableViewController(AppServices& services);

  // Rebuilds every pending reminder; run once on load and then by the front end's timer.
  // Empty: nothing happens.
  std::function<void()> initiateNotifications;
  // Prints the pending reminders to the console, once on load before the rebuild.
  std::function<void()> printPendingNotificationRequests;

  bool kelloIsFaceUp = true;
  int apuluku = 0;
  std::string titleViewImage;
  // Set by viewDidLoad: the front end then runs initiateNotifications every interval.
  bool timerScheduled = false;

  // Prints the pending reminders, runs the rebuild, asks for the timer, styles the table and the
  // bar.
  void viewDidLoad() override;
  // The list fetch, on every appearance.
  void viewDidAppear();
  // What the timer does.
  void timerFired();

  // The list's fetch: unsold watches only when hideSoldWatchesSettingOn is true, and only those
  // the filter lets through; the order of the last true sort key, status before all, brand when
  // none is set.
  FetchRequest listFetchRequest() const override;
  // Whether the list leaves the sold watches out (hideSoldWatchesSettingOn is true).
  bool hidesSoldWatches() const;
  // Whether the list shows the watch as far as the sold setting goes (the filter aside), told
  // without fetching the list.
  bool listShows(const Kello& watch) const;

  // The search and the filter menu's choices; the screen starts with none.
  const CollectionFilter& filter() const { return filter_; }
  // Narrows the list to `filter` and fetches it.
  void setFilter(CollectionFilter filter);
  // What typing in the search field does: the same filter with this text.
  void searchFor(std::string text);
  // Presents "Filter the Watches by:": a status or a movement type (each from a sheet of its
  // own), sold or unsold watches only, both, or no choice at all; the search stays.
  void presentFilterMenu();
  // For a filtered list, its choices and how many of the list's watches it shows
  // ("Keeper · 3 of 120 watches"); empty when nothing narrows the list. The summary and the
  // statistics describe the whole collection whatever the filter.
  std::string filterLine();
  // Shown over an empty list: an invitation to add a watch, or that nothing matches the filter.
  std::string_view emptyListText() const;
  // Rebuilds the live list with listFetchRequest() and reloads the rows.
  void performListFetch();

  std::shared_ptr<Kello> watchAt(IndexPath indexPath) const;
  // The row of a listed watch; nullopt for one not in the list (or hidden as sold).
  std::optional<IndexPath> indexPathOf(const ObjectID& watch) const;
  // The row at a path, filled for the current screen state; nullopt outside the list. Figures
  // shared by every row (flags, wear total, now) are read once per reload.
  std::optional<MyWatchCollectionTableViewCell> cellForRowAt(IndexPath indexPath);
  // Every row in list order, all held at once (for tests and measurements); a front end asks
  // only for the rows it shows.
  std::vector<MyWatchCollectionTableViewCell> allRows();

  // Opens the editor for a new watch.
  void insertNewWatch();

  // Presents "Order the Watches by:"; each entry stores its key (and clears the six others) and
  // runs the list fetch.
  void orderRowsBy();
  // What choosing an entry does, without the sheet. False for a title not in the menu.
  bool chooseSortEntry(std::string_view title);

  void flippaaKuvat();
  void infoVaihto();

  // Delete style: presents the confirmation sheet for the watch at the row. "Confirm delete"
  // deletes that watch (the one shown when the sheet opened), fetches the list and saves; a
  // failed save is a fatal stop, a busy store deletes nothing and shows the busy alert. Records
  // naming the watch by its label stay.
  void commitEditingStyle(EditingStyle style, IndexPath indexPath) override;
  // The same confirmation for a watch the list shows, without fetching the list; nothing for a
  // watch it does not show.
  void confirmDeletion(const Kello& watch);

  // The row's quick-wear action; nullopt outside the list. It wears the watch of the row when
  // the action was made, if that still exists. A busy store logs nothing and shows the busy
  // alert.
  std::optional<ContextualAction> leadingSwipeActionFor(IndexPath indexPath);
  // The outcome of the last delete or quick wear (ok before any).
  const Status& saveStatus() const { return saveStatus_; }
  // "Last: " + last-worn date (or nothing) + "\nWear count: " + count.
  std::string quickWearTitle(const Kello& watch) const;

  // The list's own sums ("sumTotal"), fresh from the store.
  double totalWearCount();
  double collectionCost();
  double soldWatchesCost();
  double soldWatchesProceeds();

 protected:
  void reloadData() override;
  void rowsDidChange() override { rowInputs_.reset(); }

 private:
  const RowInputs& rowInputs();
  void presentDeletion(const Kello& watch);

  // A sheet of `names` and, first, the entry `any` (its title and identity) that drops `part`.
  // A sheet action's handler that applies `change` to the filter and lists again.
  std::function<void()> filterChange(std::function<void(CollectionFilter&)> change);
  void presentChoices(std::string_view title, AnyChoice any,
                      std::span<const std::string_view> names,
                      std::optional<std::string> CollectionFilter::*part);

  std::optional<RowInputs> rowInputs_;
  CollectionFilter filter_;
  Status saveStatus_;
};

}  // namespace tockary
