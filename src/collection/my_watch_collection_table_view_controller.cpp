#include "collection/my_watch_collection_table_view_controller.h"

#include <utility>

#include "collection/collection_captions.h"
#include "collection/collection_statistics.h"
#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "store/collection_model.h"
#include "store/screens.h"
#include "store/store_busy_alert.h"
#include "watch/movement_types.h"
#include "watch/watch_status.h"
#include "watch/wear_counter.h"

namespace tockary {

const std::array<SortMenuEntry, 7> kCollectionSortMenu = {{
    {"Brand and Model", kOrderByBrandAndModel},
    {"Movement type", kOrderByMovementType},
    {"Purchase Date", kOrderByPurchaseDate},
    {"Purchase Price", kOrderByPrice},
    {"Watch Status", kOrderByStatus},
    {"Wear Rate", kOrderByWearStats},
    {"Year of manufacture", kOrderByYear},
}};

namespace {

constexpr Rgba kSwipeGray{0.5, 0.5, 0.5, 1.0};

RecordListDescription collectionList() {
  return {std::string(Kello::entityName()), "merkki",
          std::string(MyWatchCollectionTableViewCell::kReuseIdentifier),
          std::string(kWatchDetailScreen)};
}

}  // namespace

MyWatchCollectionTableViewController::MyWatchCollectionTableViewController(AppServices& services)
    : RecordListTableViewController(services, collectionList()) {}

void MyWatchCollectionTableViewController::viewDidLoad() {
  if (printPendingNotificationRequests) printPendingNotificationRequests();
  if (initiateNotifications) initiateNotifications();
  timerScheduled = true;
  tableView.estimatedRowHeight = kEstimatedRowHeight;
  tableView.estimatedSectionHeaderHeight = 0;
  tableView.estimatedSectionFooterHeight = 0;
  navigationBar = NavigationBarStyle{BarStyle::Default, false, kBlack};
  titleViewImage = kTitleImage;
}

void MyWatchCollectionTableViewController::viewDidAppear() { performListFetch(); }

void MyWatchCollectionTableViewController::timerFired() {
  if (initiateNotifications) initiateNotifications();
}

FetchRequest MyWatchCollectionTableViewController::listFetchRequest() const {
  const UserDefaults& defaults = services_.defaults;
  FetchRequest request = Kello::fetchRequest();
  std::vector<Predicate> conditions;
  if (hidesSoldWatches()) conditions.push_back(unsoldWatchesPredicate());
  if (auto filtered = filterPredicate(filter_)) conditions.push_back(std::move(*filtered));
  if (!conditions.empty()) request.predicate = Predicate::andPredicate(conditions);

  auto set = [&defaults](std::string_view key) { return defaults.flag(key) == true; };
  // Later keys win over earlier ones (the year over the price); the status order wins over all.
  // The sheet keeps one key true, so this only decides for hand-edited preferences.
  WatchOrder order = WatchOrder::Brand;
  if (set(kOrderByWearStats)) order = WatchOrder::WearCount;
  if (set(kOrderByBrandAndModel)) order = WatchOrder::BrandAndModel;
  if (set(kOrderByPrice)) order = WatchOrder::Price;
  if (set(kOrderByYear)) order = WatchOrder::Year;
  if (set(kOrderByPurchaseDate)) order = WatchOrder::PurchaseDate;
  if (set(kOrderByMovementType)) order = WatchOrder::Movement;
  if (set(kOrderByStatus)) order = WatchOrder::Status;
  request.sortDescriptors = watchOrder(order);
  return request;
}

bool MyWatchCollectionTableViewController::hidesSoldWatches() const {
  return services_.defaults.flag(kHideSoldWatchesSettingOn) == true;
}

bool MyWatchCollectionTableViewController::listShows(const Kello& watch) const {
  return !watch.isDeleted() && !(hidesSoldWatches() && isSold(watch));
}

void MyWatchCollectionTableViewController::performListFetch() {
  buildFetchedResultsController(listFetchRequest());
}

std::shared_ptr<Kello> MyWatchCollectionTableViewController::watchAt(IndexPath indexPath) const {
  auto object = objectAt(indexPath);
  if (!object || object->entity().name != Kello::entityName()) return nullptr;
  return std::static_pointer_cast<Kello>(object);
}

std::optional<IndexPath> MyWatchCollectionTableViewController::indexPathOf(
    const ObjectID& watch) const {
  if (fetchedResultsController() == nullptr) return std::nullopt;
  return fetchedResultsController()->indexPathForObject(watch);
}

void MyWatchCollectionTableViewController::reloadData() {
  rowInputs_.reset();
  RecordListTableViewController::reloadData();
}

const RowInputs& MyWatchCollectionTableViewController::rowInputs() {
  if (!rowInputs_) {
    const RowPreferences preferences = RowPreferences::read(services_.defaults);
    // The sum runs over every watch: only for rows that show the wear rate.
    const double wearTotal = preferences.wearRate == StoredFlag::True ? totalWearCount() : 0;
    rowInputs_ = RowInputs{{kelloIsFaceUp, apuluku}, preferences, wearTotal, services_.clock.now()};
  }
  rowInputs_->screen = {kelloIsFaceUp, apuluku};
  return *rowInputs_;
}

std::optional<MyWatchCollectionTableViewCell> MyWatchCollectionTableViewController::cellForRowAt(
    IndexPath indexPath) {
  auto watch = watchAt(indexPath);
  if (!watch) return std::nullopt;
  return fillRow(watch, rowInputs(), services_.defaults, services_.formatters);
}

std::vector<MyWatchCollectionTableViewCell> MyWatchCollectionTableViewController::allRows() {
  std::vector<MyWatchCollectionTableViewCell> rows;
  for (int section = 0; section < numberOfSections(); ++section) {
    const int count = numberOfRowsInSection(section);
    rows.reserve(rows.size() + static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
      if (auto cell = cellForRowAt({section, row})) rows.push_back(std::move(*cell));
    }
  }
  return rows;
}

void MyWatchCollectionTableViewController::insertNewWatch() {
  services_.presenter.push(ScreenRequest{std::string(kWatchEditorScreen), {}, {}});
}

void MyWatchCollectionTableViewController::orderRowsBy() {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Order the Watches by:";
  sheet.message = kChooseOneMessage;
  // Each entry is known by the preference it sets.
  for (const SortMenuEntry& entry : kCollectionSortMenu) {
    const std::string title(entry.title);
    sheet.actions.push_back({std::string(entry.key), title, ActionStyle::Default,
                             [this, title] { chooseSortEntry(title); }});
  }
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

bool MyWatchCollectionTableViewController::chooseSortEntry(std::string_view title) {
  for (const SortMenuEntry& entry : kCollectionSortMenu) {
    if (entry.title != title) continue;
    storeSortChoice(services_.defaults, kCollectionSortKeys, entry.key);
    performListFetch();
    return true;
  }
  return false;
}

void MyWatchCollectionTableViewController::setFilter(CollectionFilter filter) {
  filter_ = std::move(filter);
  performListFetch();
}

void MyWatchCollectionTableViewController::searchFor(std::string text) {
  CollectionFilter searched = filter_;
  searched.searchText = std::move(text);
  setFilter(std::move(searched));
}

void MyWatchCollectionTableViewController::presentFilterMenu() {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = kFilterMenuTitle;
  sheet.message = kChooseOneMessage;
  sheet.actions.push_back(
      {std::string(kStatusFilterAction), "Status\u2026", ActionStyle::Default, [this] {
         std::vector<std::string_view> names;
         for (const WatchStatus& status : kWatchStatuses) {
           names.push_back(status.name);
         }
         presentChoices(kStatusMenuTitle, kAnyStatus, names, &CollectionFilter::status);
       }});
  sheet.actions.push_back(
      {std::string(kMovementFilterAction), "Movement type\u2026", ActionStyle::Default, [this] {
         presentChoices(kMovementMenuTitle, kAnyMovementType, kMovementTypes,
                        &CollectionFilter::movementType);
       }});
  sheet.actions.push_back({std::string(kSoldOnlyAction), "Sold watches only", ActionStyle::Default,
                           filterChange([](CollectionFilter& f) { f.sold = SoldFilter::Sold; })});
  sheet.actions.push_back({std::string(kUnsoldOnlyAction), "Unsold watches only",
                           ActionStyle::Default,
                           filterChange([](CollectionFilter& f) { f.sold = SoldFilter::Unsold; })});
  sheet.actions.push_back({std::string(kSoldAndUnsoldAction), "Sold and unsold",
                           ActionStyle::Default,
                           filterChange([](CollectionFilter& f) { f.sold = SoldFilter::Any; })});
  if (filter_.hasMenuChoices()) {
    sheet.actions.push_back({std::string(kClearFilterAction), "Clear the filter",
                             ActionStyle::Destructive, filterChange([](CollectionFilter& f) {
                               f = CollectionFilter{f.searchText, {}, {}, SoldFilter::Any};
                             })});
  }
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

std::function<void()> MyWatchCollectionTableViewController::filterChange(
    std::function<void(CollectionFilter&)> change) {
  return [this, change = std::move(change)] {
    CollectionFilter changed = filter_;
    change(changed);
    setFilter(std::move(changed));
  };
}

void MyWatchCollectionTableViewController::presentChoices(
    std::string_view title, AnyChoice any, std::span<const std::string_view> names,
    std::optional<std::string> CollectionFilter::*part) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = title;
  sheet.message = kChooseOneMessage;
  auto choose = [this, part](std::optional<std::string> value) {
    return filterChange([part, value](CollectionFilter& f) { f.*part = value; });
  };
  // Each entry is known by its name, which is also what it shows.
  sheet.actions.push_back({std::string(any.identity), std::string(any.title), ActionStyle::Default,
                           choose(std::nullopt)});
  for (const std::string_view name : names) {
    sheet.actions.push_back(
        {std::string(name), std::string(name), ActionStyle::Default, choose(std::string(name))});
  }
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

std::string MyWatchCollectionTableViewController::filterLine() {
  if (!filter_.isActive()) return {};
  // Beside the list as it is without the filter: the sold setting still holds.
  FetchRequest unfiltered = Kello::fetchRequest();
  if (hidesSoldWatches()) unfiltered.predicate = unsoldWatchesPredicate();
  const auto listed = context.count(unfiltered);
  return filterLineText(filter_, numberOfRowsInSection(0), listed ? listed.value() : 0);
}

std::string_view MyWatchCollectionTableViewController::emptyListText() const {
  return filter_.isActive() ? kNoMatchingWatchesText : kEmptyCollectionText;
}

void MyWatchCollectionTableViewController::flippaaKuvat() {
  kelloIsFaceUp = !kelloIsFaceUp;
  reloadData();
}

void MyWatchCollectionTableViewController::infoVaihto() {
  apuluku = apuluku >= 5 || apuluku < 0 ? 0 : apuluku + 1;
  reloadData();
}

void MyWatchCollectionTableViewController::commitEditingStyle(EditingStyle style,
                                                              IndexPath indexPath) {
  if (style != EditingStyle::Delete) return;
  if (auto watch = watchAt(indexPath)) presentDeletion(*watch);
}

void MyWatchCollectionTableViewController::confirmDeletion(const Kello& watch) {
  if (listShows(watch)) presentDeletion(watch);
}

void MyWatchCollectionTableViewController::presentDeletion(const Kello& watch) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Please confirm that you wish to delete this watch record";
  sheet.message = "(This cannot be undone).";
  // The watch, not its row: the rows may have moved by the time the user confirms. By its id,
  // as the list keeps only the records of the rows last shown.
  sheet.actions.push_back(
      {"confirmDelete", "Confirm delete", ActionStyle::Destructive, [this, id = watch.objectID()] {
         auto doomed = context.existingObject<Kello>(id);
         if (!doomed) return;
         // Under the write lock, so a busy store leaves no delete pending.
         saveStatus_ = context.performWrite({}, [&] {
           context.deleteObject(doomed);
           performListFetch();
         });
         if (presentIfStoreBusy(saveStatus_, services_.presenter)) return;
         if (!saveStatus_) fatalStop(saveStatus_);
       }});
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

std::string MyWatchCollectionTableViewController::quickWearTitle(const Kello& watch) const {
  const auto lastWorn = watch.varasarake5();
  return "Last: " + (lastWorn ? services_.formatters.shortDate(*lastWorn) : std::string()) +
         "\nWear count: " + wholeNumberText(watch.varasarake4());
}

std::optional<ContextualAction> MyWatchCollectionTableViewController::leadingSwipeActionFor(
    IndexPath indexPath) {
  auto watch = watchAt(indexPath);
  if (!watch) return std::nullopt;
  return ContextualAction{quickWearTitle(*watch), std::string(kQuickWearImage), kSwipeGray,
                          [this, id = watch->objectID()] {
                            auto kello = context.existingObject<Kello>(id);
                            if (!kello) return;
                            saveStatus_ = quickLogWear(*kello, services_);
                            presentIfStoreBusy(saveStatus_, services_.presenter);
                            // The row stays where it is but shows its new count at once.
                            reloadData();
                          }};
}

double MyWatchCollectionTableViewController::totalWearCount() {
  return tockary::totalWearCount(context);
}

double MyWatchCollectionTableViewController::collectionCost() {
  return tockary::collectionCost(context);
}

double MyWatchCollectionTableViewController::soldWatchesCost() {
  return tockary::soldWatchesCost(context);
}

double MyWatchCollectionTableViewController::soldWatchesProceeds() {
  return tockary::soldWatchesProceeds(context);
}

}  // namespace tockary
