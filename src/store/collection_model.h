#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/store/model.h"
#include "platform/store/object_store.h"
#include "platform/store/predicate.h"
#include "store/records.h"

namespace tockary {

// The name of the model, and so of the store file.
inline constexpr std::string_view kModelName = "Ro_Rurav_Ozaruvuziz";
// Raised whenever an entity or attribute is added; stores of older versions gain the columns.
inline constexpr int kModelVersion = 1;

ManagedObjectModel collectionModel();

// A watch is sold exactly when its sold-to text is not the empty string (a null one counts as
// sold, as the store's != does). Sale date and price do not decide it.
inline constexpr std::string_view kSoldToAttribute = "myyntiliike";
Predicate unsoldWatchesPredicate();
Predicate soldWatchesPredicate();
bool isSold(const Kello& watch);

// The orders the collection list sorts watches in; equal keys keep the store's order.
enum class WatchOrder {
  Brand,
  BrandAndModel,
  Status,
  WearCount,
  Price,
  Year,
  PurchaseDate,
  Movement
};
const std::vector<SortDescriptor>& watchOrder(WatchOrder order);

// The total wear count: sum: of varasarake4 over every watch, sold ones included ("sumTotal"),
// as the store keeps it. A failed query prints "Error when summing totals: " and the error, and
// gives 0.
inline constexpr std::string_view kWearCountAttribute = "varasarake4";
double totalWearCount(ManagedObjectContext& context);

// The pictures a watch shows until it has its own: what the editor stores for a new watch
// without pictures, and what a row shows for a missing side.
inline constexpr std::string_view kFrontPlaceholderPicture = "insertpic_front.png";
inline constexpr std::string_view kBackPlaceholderPicture = "insertpic_back.png";

// How service, warranty and measurement records name their watch: brand and model joined by one
// blank, or the brand alone when the model is empty.
inline constexpr std::string_view kNoWatchLabel = "----------";
std::string watchLabel(const Kello& watch);
// kNoWatchLabel for no watch.
std::string watchLabel(const Kello* watch);

// Whether two measure texts (whole millimetres, optionally "." and a fraction) denote one
// length: 40.5 and 40.50 do, and so do 40 and 40.0. Texts that are not measures compare as text.
bool sameMeasure(std::string_view a, std::string_view b);

// What the records of an entity are, in words: "Watches", "Service records", ... (the entity's
// own name when the model does not know it).
std::string recordKindCaption(std::string_view entity);

}  // namespace tockary
