#include "collection/collection_filter.h"

#include <vector>

#include "platform/format/utf8_text.h"
#include "store/collection_model.h"
#include "watch/movement_types.h"
#include "watch/watch_status.h"

namespace tockary {

namespace {

constexpr std::string_view kStatusAttribute = "varasarake2";
constexpr std::string_view kMovementTypeAttribute = "koneistotyyppi";

bool hasWord(std::string_view text) {
  return text.find_first_not_of(" \t\n\r\f") != std::string_view::npos;
}

}  // namespace

bool CollectionFilter::isActive() const { return hasWord(searchText) || hasMenuChoices(); }

bool CollectionFilter::hasMenuChoices() const {
  return status || movementType || sold != SoldFilter::Any;
}

std::optional<Predicate> filterPredicate(const CollectionFilter& filter) {
  std::vector<Predicate> parts;
  if (hasWord(filter.searchText)) {
    parts.emplace_back("SELF CONTAINS[cd] %@", std::vector<Value>{filter.searchText});
  }
  if (filter.status == kNotSetStatus) {
    // A watch shows "Not Set" for the marker, for no status at all and for any text that is not
    // a status: it has none of the others.
    for (const WatchStatus& status : kWatchStatuses) {
      if (status.name == kNotSetStatus) continue;
      parts.emplace_back(std::string(kStatusAttribute) + " != %@",
                         std::vector<Value>{std::string(status.name)});
    }
  } else if (filter.status) {
    parts.emplace_back(std::string(kStatusAttribute) + " = %@", std::vector<Value>{*filter.status});
  }
  if (filter.movementType) {
    parts.emplace_back(std::string(kMovementTypeAttribute) + " = %@",
                       std::vector<Value>{*filter.movementType});
  }
  if (filter.sold == SoldFilter::Sold) parts.push_back(soldWatchesPredicate());
  if (filter.sold == SoldFilter::Unsold) parts.push_back(unsoldWatchesPredicate());
  if (parts.empty()) return std::nullopt;
  return Predicate::andPredicate(parts);
}

std::optional<std::string> statusNamed(std::string_view typed) {
  for (const WatchStatus& status : kWatchStatuses) {
    if (equalIgnoringAsciiCase(status.name, typed)) return std::string(status.name);
  }
  return std::nullopt;
}

std::optional<std::string> movementTypeNamed(std::string_view typed) {
  for (const std::string_view type : kMovementTypes) {
    if (equalIgnoringAsciiCase(type, typed)) return std::string(type);
  }
  return std::nullopt;
}

std::string movementTypeNames() {
  std::string names;
  for (const std::string_view type : kMovementTypes) {
    if (!names.empty()) names += ", ";
    names += type;
  }
  return names;
}

std::string filterLineText(const CollectionFilter& filter, std::int64_t shown,
                           std::int64_t listed) {
  if (!filter.isActive()) return {};
  std::vector<std::string> parts;
  if (filter.status) parts.push_back(*filter.status);
  if (filter.movementType) parts.push_back(*filter.movementType);
  if (filter.sold == SoldFilter::Sold) parts.emplace_back("Sold");
  if (filter.sold == SoldFilter::Unsold) parts.emplace_back("Unsold");
  parts.push_back(std::to_string(shown) + " of " + std::to_string(listed) +
                  (listed == 1 ? " watch" : " watches"));
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += " \u00B7 ";
    text += part;
  }
  return text;
}

}  // namespace tockary
