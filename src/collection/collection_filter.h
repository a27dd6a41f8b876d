#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/store/predicate.h"

namespace tockary {

enum class SoldFilter { Any, Sold, Unsold };

// What the collection list is narrowed to, on top of its own setting that hides sold watches:
// words to search for (in brand, model, reference, serial number, caliber and notes, case and
// accents ignored), one status, one movement type and sold or unsold. The parts combine with AND.
struct CollectionFilter {
  std::string searchText;
  std::optional<std::string> status;        // a status name as the app shows it
  std::optional<std::string> movementType;  // an entry of the movement type catalogue
  SoldFilter sold = SoldFilter::Any;

  // Whether any part narrows the list (a search without a word does not).
  bool isActive() const;
  // Whether the menu's parts (all but the search) narrow the list.
  bool hasMenuChoices() const;
  friend bool operator==(const CollectionFilter&, const CollectionFilter&) = default;
};

// The condition of the filter's parts; nullopt when none narrows.
std::optional<Predicate> filterPredicate(const CollectionFilter& filter);

// The status or movement type a person typed, as the app names it ("keeper" gives "Keeper");
// nullopt for anything else.
std::optional<std::string> statusNamed(std::string_view typed);
std::optional<std::string> movementTypeNamed(std::string_view typed);
// The accepted movement types joined by ", ", for messages that list them.
std::string movementTypeNames();

// The line over a filtered list: the menu's choices and how many of the list's watches the
// filter lets through ("Keeper · Sold · 3 of 120 watches"); empty when nothing narrows the list.
std::string filterLineText(const CollectionFilter& filter, std::int64_t shown, std::int64_t listed);

// The filter menu's texts and the identities of its actions.
inline constexpr std::string_view kFilterMenuTitle = "Filter the Watches by:";
inline constexpr std::string_view kStatusMenuTitle = "Show the Watches with the Status:";
inline constexpr std::string_view kMovementMenuTitle = "Show the Watches with the Movement:";
inline constexpr std::string_view kStatusFilterAction = "filterByStatus";
inline constexpr std::string_view kMovementFilterAction = "filterByMovementType";
inline constexpr std::string_view kSoldOnlyAction = "soldOnly";
inline constexpr std::string_view kUnsoldOnlyAction = "unsoldOnly";
inline constexpr std::string_view kSoldAndUnsoldAction = "soldAndUnsold";
inline constexpr std::string_view kClearFilterAction = "clearFilter";
// The first entry of a choice sheet, which drops that part of the filter.
struct AnyChoice {
  std::string_view identity;
  std::string_view title;
};
inline constexpr AnyChoice kAnyStatus = {"anyStatus", "Any status"};
inline constexpr AnyChoice kAnyMovementType = {"anyMovementType", "Any movement type"};

}  // namespace tockary
