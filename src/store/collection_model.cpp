#include "store/collection_model.h"

#include <cctype>

#include "platform/ui/diagnostics.h"

namespace tockary {

const std::vector<SortDescriptor>& watchOrder(WatchOrder order) {
  static const std::vector<SortDescriptor> kOrders[] = {
      {{"merkki", true}},
      {{"merkki", true}, {"malli", true}},
      {{"varasarake2", true}, {"merkki", true}, {"malli", true}},
      {{"varasarake4", false}},
      {{"ostohinta", false}},
      {{"vuosimalli", false}},
      {{"ostopvm", false}},
      {{"koneistotyyppi", false}},
  };
  return kOrders[static_cast<int>(order)];
}

ManagedObjectModel collectionModel() {
  ManagedObjectModel model{std::string(kModelName), kModelVersion, collectionEntities()};
  // One index per order of the list, the sold-to text last: it then serves the list with the
  // sold watches and without them, and the store sorts only the watches of equal keys by id. The
  // brand order is the start of the brand-and-model one and needs none of its own.
  std::vector<std::vector<SortDescriptor>> indexes;
  for (WatchOrder order :
       {WatchOrder::BrandAndModel, WatchOrder::Status, WatchOrder::WearCount, WatchOrder::Price,
        WatchOrder::Year, WatchOrder::PurchaseDate, WatchOrder::Movement}) {
    indexes.push_back(watchOrder(order));
    indexes.back().push_back({std::string(kSoldToAttribute), true});
  }
  // The reminders look for the unsold watches last worn, or with a warranty ending, on one day.
  for (const char* date : {"varasarake5", "takuupvm"}) {
    indexes.push_back({{date, true}, {std::string(kSoldToAttribute), true}});
  }
  for (EntityDescription& entity : model.entities) {
    if (entity.name != Kello::entityName()) continue;
    entity.indexes = std::move(indexes);
    // The total wear count: every row's wear rate and the detail's keeper rate divide by it.
    entity.keptSums = {std::string(kWearCountAttribute)};
    // What the list's search looks in: brand, model, reference, serial number, caliber and the
    // notes (with the history log).
    entity.searchedAttributes = {"merkki",      "malli",    "refkoodi",
                                 "sarjanumero", "koneisto", "varasarake3"};
  }
  return model;
}

Predicate unsoldWatchesPredicate() {
  return Predicate(std::string(kSoldToAttribute) + " = %@", {std::string()});
}

Predicate soldWatchesPredicate() {
  return Predicate(std::string(kSoldToAttribute) + " != %@", {std::string()});
}

bool isSold(const Kello& watch) {
  const std::string* soldTo = watch.textAt(Kello::attribute(kSoldToAttribute));
  return soldTo == nullptr || !soldTo->empty();
}

double totalWearCount(ManagedObjectContext& context) {
  auto sum = context.aggregate(Kello::fetchRequest(), AggregateFunction::Sum, kWearCountAttribute);
  if (!sum) {
    diagnostic("Error when summing totals: " + sum.status().description());
    return 0;
  }
  return sum->value_or(0);
}

std::string watchLabel(const Kello& watch) {
  std::string label = watch.merkki().value_or("");
  const std::string model = watch.malli().value_or("");
  if (!model.empty()) label += " " + model;
  return label;
}

std::string watchLabel(const Kello* watch) {
  return watch == nullptr ? std::string(kNoWatchLabel) : watchLabel(*watch);
}

namespace {

// Whole digits and fraction digits without trailing zeros; nullopt for anything else.
std::optional<std::pair<std::string_view, std::string_view>> measureParts(std::string_view text) {
  const auto point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  auto digits = [](std::string_view s) {
    for (char c : s) {
      if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
    }
    return true;
  };
  if (whole.empty() || !digits(whole) || !digits(fraction)) return std::nullopt;
  if (point != std::string_view::npos && fraction.empty()) return std::nullopt;
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  return std::pair{whole, fraction};
}

}  // namespace

bool sameMeasure(std::string_view a, std::string_view b) {
  const auto left = measureParts(a);
  const auto right = measureParts(b);
  if (!left || !right) return a == b;
  return *left == *right;
}

std::string recordKindCaption(std::string_view entity) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {Kello::entityName(), "Watches"},
      {Huolto::entityName(), "Service records"},
      {Takuu::entityName(), "Warranty cards"},
      {Varataulu::entityName(), "Measurements"},
      {Mittaustieto::entityName(), "Measurement details (unused)"},
      {Kellokuvat::entityName(), "Watch pictures (unused)"},
  };
  for (const auto& [name, caption] : kCaptions) {
    if (name == entity) return std::string(caption);
  }
  return std::string(entity);
}

}  // namespace tockary
