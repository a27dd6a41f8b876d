#include "collection/collection_statistics.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "store/records.h"

namespace tockary {

namespace {

FetchRequest watchesMatching(Predicate predicate) {
  FetchRequest request = Kello::fetchRequest();
  request.predicate = std::move(predicate);
  return request;
}

std::string attributeFormat(std::string_view attribute, std::string_view op) {
  return std::string(attribute) + " " + std::string(op) + " %@";
}

// The whole text as a number written with a point, whatever the locale; nullopt otherwise.
std::optional<double> completeDecimal(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

double sumOfWatches(ManagedObjectContext& context, std::string_view attribute,
                    const Predicate& predicate) {
  auto sum = context.aggregate(watchesMatching(predicate), AggregateFunction::Sum, attribute);
  if (!sum) {
    diagnostic("Error when summing totals: " + sum.status().description());
    return 0;
  }
  return sum->value_or(0);
}

double collectionCost(ManagedObjectContext& context) {
  return sumOfWatches(context, "ostohinta", unsoldWatchesPredicate());
}

double soldWatchesCost(ManagedObjectContext& context) {
  return sumOfWatches(context, "ostohinta", soldWatchesPredicate());
}

double soldWatchesProceeds(ManagedObjectContext& context) {
  return sumOfWatches(context, "myyntihinta", soldWatchesPredicate());
}

double closenessToAverage(double value, double average) {
  if (value < average) return (value - average) / average * 100 + 100;
  if (value > average) return 100 - (value - average) / average * 100;
  if (value == average) return 100;
  return 0;
}

WatchFamily::WatchFamily(ManagedObjectContext& context, Predicate familyPredicate)
    : context_(context), familyPredicate_(std::move(familyPredicate)) {}

double WatchFamily::average(std::string_view attribute) const {
  const Predicate predicate = Predicate::andPredicate(
      {familyPredicate_, Predicate(attributeFormat(attribute, "!="), {std::string("0.0")}),
       Predicate(attributeFormat(attribute, "!="), {std::string()})});
  auto average =
      context_.aggregate(watchesMatching(predicate), AggregateFunction::Average, attribute);
  if (!average) {
    diagnostic("Error when averaging totals: " + average.status().description());
    return 0;
  }
  return average->value_or(0);
}

double WatchFamily::count(const Predicate& predicate) const {
  auto n = context_.count(watchesMatching(predicate));
  if (!n) {
    diagnostic("Error when summing totals: " + n.status().description());
    return -1;
  }
  return static_cast<double>(*n);
}

double WatchFamily::share(std::string_view attribute, std::string_view value) const {
  const Predicate nonEmpty(attributeFormat(attribute, "!="), {std::string()});
  const double matching = count(
      Predicate::andPredicate({Predicate(attributeFormat(attribute, "=="), {std::string(value)}),
                               familyPredicate_, nonEmpty}));
  if (matching < 0) return 0;
  const double counted = count(Predicate::andPredicate({familyPredicate_, nonEmpty}));
  if (counted < 0) return 0;
  return matching / counted * 100.0;
}

double WatchFamily::brandShare(std::string_view brand) const {
  const double matching = count(
      Predicate::andPredicate({Predicate("merkki == %@", {std::string(brand)}), familyPredicate_}));
  if (matching < 0) return 0;
  const double counted = count(familyPredicate_);
  if (counted < 0) return 0;
  return matching / counted * 100.0;
}

double WatchFamily::closeness(const ObjectID& watch, std::string_view attribute) const {
  auto kello = context_.existingObject<Kello>(watch);
  // Callers pass a watch they show; one deleted meanwhile scores nothing rather than failing.
  if (!kello) return 0;
  const Value stored = kello->valueForKey(attribute);
  const auto* text = std::get_if<std::string>(&stored);
  if (text == nullptr) return 0;
  const auto value = completeDecimal(*text);
  if (!value) return 0;
  return closenessToAverage(*value, average(attribute));
}

double WatchFamily::diameterCloseness(const ObjectID& watch) const {
  const double result = closeness(watch, "halkaisija");
  diagnostic("Halkaisija tulos(class): " + formatOneDecimal(result));
  return result;
}

double WatchFamily::thicknessCloseness(const ObjectID& watch) const {
  const double result = closeness(watch, "paksuus");
  diagnostic("Paksuus tulos(class): " + formatOneDecimal(result));
  return result;
}

double WatchFamily::yearCloseness(const ObjectID& watch) const {
  const double result = closeness(watch, "vuosimalli");
  diagnostic("Vuosi tulos(class): " + formatOneDecimal(result));
  return result;
}

DreamWatch::DreamWatch(ManagedObjectContext& context)
    : WatchFamily(context, unsoldWatchesPredicate()) {}

double DreamWatch::totalWearCount() const { return tockary::totalWearCount(context_); }

SoldWatch::SoldWatch(ManagedObjectContext& context)
    : WatchFamily(context, soldWatchesPredicate()) {}

}  // namespace tockary
