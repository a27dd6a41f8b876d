#pragma once

// The fixed captions of the collection screen's own buttons.

#include <string_view>

namespace tockary {

inline constexpr std::string_view kSortButtonTitle = "Sort";
inline constexpr std::string_view kDeleteActionTitle = "Delete";
// The two view toggles: the info lines and the picture side.
inline constexpr std::string_view kInfoModeButtonTitle = "Info";
inline constexpr std::string_view kFlipPicturesButtonTitle = "Flip";
// The collection-wide sheets: the watch of the day and the summary.
inline constexpr std::string_view kWatchOfTheDayButtonTitle = "\u2684";  // a die: a draw
inline constexpr std::string_view kSummaryButtonTitle = "\u03A3";        // a sum
// Shown over an empty list.
inline constexpr std::string_view kEmptyCollectionText = "No watches yet: tap + to add one.";
inline constexpr std::string_view kNoMatchingWatchesText =
    "No watch matches the search and filter.";
// The search field over the list and the button of the filter menu beside it.
inline constexpr std::string_view kSearchPlaceholder =
    "Search brand, model, reference, notes\u2026";
inline constexpr std::string_view kFilterButtonTitle = "Filter";
inline constexpr std::string_view kClearSearchTitle = "Clear the search";

}  // namespace tockary
