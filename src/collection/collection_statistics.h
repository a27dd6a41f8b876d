#pragma once

#include <string>
#include <string_view>

#include "platform/store/object_store.h"
#include "platform/store/predicate.h"

namespace tockary {

// sum: of one attribute over the watches matching `predicate` ("sumTotal"). A failed query
// prints "Error when summing totals: " and the error, and gives 0.
double sumOfWatches(ManagedObjectContext& context, std::string_view attribute,
                    const Predicate& predicate);

// The list's money sums ("sumTotal"): purchase prices of the unsold watches, purchase prices and
// sold prices of the sold ones.
double collectionCost(ManagedObjectContext& context);
double soldWatchesCost(ManagedObjectContext& context);
double soldWatchesProceeds(ManagedObjectContext& context);

// The aggregates of one family of watches, computed fresh from the store on every call.
// Percentages are unrounded; a family without a counted watch gives NaN (or an infinity) as
// the division gives it, and callers print it as it formats.
class WatchFamily {
 public:
  // `context` must outlive the family.
  WatchFamily(ManagedObjectContext& context, Predicate familyPredicate);

  // The average of a numeric or measure attribute over the family, leaving out the empty text
  // and "0.0" (and 0 for the Double prices). 0 when nothing counts; a failed query prints
  // "Error when averaging totals: " and the error, and gives 0.
  double average(std::string_view attribute) const;
  // The share in percent of the family's watches with a non-empty `attribute` that have `value`.
  // A failed count prints "Error when summing totals: " and gives 0.
  double share(std::string_view attribute, std::string_view value) const;
  // The share in percent of the whole family (empty brands included) that has `brand`.
  double brandShare(std::string_view brand) const;
  // How close the watch's `attribute` is to the family average, in percent:
  // 100 × (1 − |v − m| ÷ m), unclamped. 0 when the attribute is missing or not a complete
  // decimal number with a point ("40.5"; not "40,5" or "40 mm"), or the watch is gone.
  double closeness(const ObjectID& watch, std::string_view attribute) const;

  double averageDiameter() const { return average("halkaisija"); }
  double averageThickness() const { return average("paksuus"); }
  double averageLugToLug() const { return average("varasarake1"); }
  double averageYear() const { return average("vuosimalli"); }
  double averagePurchasePrice() const { return average("ostohinta"); }
  double averageSoldPrice() const { return average("myyntihinta"); }

  double dialColourShare(std::string_view colour) const { return share("tauluvari", colour); }
  double caseMaterialShare(std::string_view material) const {
    return share("kuorenmateriaali", material);
  }
  double movementTypeShare(std::string_view type) const { return share("koneistotyyppi", type); }

  // Each prints its result as a diagnostic line.
  double diameterCloseness(const ObjectID& watch) const;
  double thicknessCloseness(const ObjectID& watch) const;
  double yearCloseness(const ObjectID& watch) const;

 protected:
  ManagedObjectContext& context_;

 private:
  double count(const Predicate& predicate) const;

  Predicate familyPredicate_;
};

// The unsold watches: what the Keeper Rate and the comparison sheet compare a kept watch with.
class DreamWatch : public WatchFamily {
 public:
  explicit DreamWatch(ManagedObjectContext& context);
  // The collection's total wear count, sold watches included.
  double totalWearCount() const;
};

// The sold watches: what the Seller Rate compares a sold watch with.
class SoldWatch : public WatchFamily {
 public:
  explicit SoldWatch(ManagedObjectContext& context);
};

// The closeness formula on its own: 100 at the average, one point less per percent of deviation.
// 0 when either value is NaN.
double closenessToAverage(double value, double average);

}  // namespace tockary
