#pragma once

#include <array>
#include <span>
#include <string_view>

#include "platform/defaults/user_defaults.h"

namespace tockary {

// Every key the app writes to the defaults store; nothing else is ever written there.

// Display and behaviour flags, one settings switch each.
inline constexpr std::string_view kWarrantyInfoSettingOn = "warrantyInfoSettingOn";
inline constexpr std::string_view kWearRateSettingOn = "wearRateSettingOn";
inline constexpr std::string_view kHideSoldWatchesSettingOn = "hideSoldWatchesSettingOn";
inline constexpr std::string_view kTechDetailsSettingOn = "techDetailsSettingOn";
inline constexpr std::string_view kDwrswrSettingOn = "dwrswrSettingOn";
inline constexpr std::string_view kFadeSettingOn = "fadeSettingOn";
inline constexpr std::string_view kDataIndicatorSettingOn = "dataIndicatorSettingOn";
inline constexpr std::string_view kBadgesSettingOn = "badgesSettingOn";
inline constexpr std::string_view kOwnershipSettingOn = "ownershipSettingOn";
inline constexpr std::string_view kEnableWotdReminderSettingOn = "enableWotdReminderSettingOn";
inline constexpr std::string_view kEnableLongAccuracyReminderSettingOn =
    "enableLongAccuracyReminderSettingOn";
inline constexpr std::string_view kEnableWarrantyExpiringReminderSettingOn =
    "enableWarrantyExpiringReminderSettingOn";
inline constexpr std::string_view kEnableHistoryLogSettingOn = "enableHistoryLogSettingOn";
inline constexpr std::string_view kLogEachWearSettingOn = "logEachWearSettingOn";
inline constexpr std::string_view kLogEvery10thWearSettingOn = "logEvery10thWearSettingOn";
inline constexpr std::string_view kCompressWatchImagesSettingOn = "compressWatchImagesSettingOn";

// Sort choices of the collection list.
inline constexpr std::string_view kOrderByWearStats = "orderByWearStats";
inline constexpr std::string_view kOrderByBrandAndModel = "orderByBrandAndModel";
inline constexpr std::string_view kOrderByYear = "orderByYear";
inline constexpr std::string_view kOrderByPrice = "orderByPrice";
inline constexpr std::string_view kOrderByPurchaseDate = "orderByPurchaseDate";
inline constexpr std::string_view kOrderByMovementType = "orderByMovementType";
inline constexpr std::string_view kOrderByStatus = "orderByStatus";

// Sort choices of the measurement list.
inline constexpr std::string_view kOrderByWatch = "orderByWatch";
inline constexpr std::string_view kOrderByTotalAccuracy = "orderByTotalAccuracy";
inline constexpr std::string_view kOrderByAccuracyStatus = "orderByAccuracyStatus";

// The display and behaviour flags in the order the settings screen loads them.
inline constexpr std::array<std::string_view, 16> kDisplaySettingKeys = {
    kWarrantyInfoSettingOn,
    kWearRateSettingOn,
    kHideSoldWatchesSettingOn,
    kTechDetailsSettingOn,
    kDwrswrSettingOn,
    kFadeSettingOn,
    kDataIndicatorSettingOn,
    kBadgesSettingOn,
    kOwnershipSettingOn,
    kEnableWotdReminderSettingOn,
    kEnableLongAccuracyReminderSettingOn,
    kEnableWarrantyExpiringReminderSettingOn,
    kEnableHistoryLogSettingOn,
    kLogEachWearSettingOn,
    kLogEvery10thWearSettingOn,
    kCompressWatchImagesSettingOn,
};

inline constexpr std::array<std::string_view, 7> kCollectionSortKeys = {
    kOrderByWearStats,    kOrderByBrandAndModel, kOrderByYear,   kOrderByPrice,
    kOrderByPurchaseDate, kOrderByMovementType,  kOrderByStatus,
};

inline constexpr std::array<std::string_view, 3> kMeasurementSortKeys = {
    kOrderByWatch,
    kOrderByTotalAccuracy,
    kOrderByAccuracyStatus,
};

// The message of the sheets that offer a choice: the sort menus and the list's filter.
inline constexpr std::string_view kChooseOneMessage = "(Please choose one)";

// One entry of a sort menu and the key it sets.
struct SortMenuEntry {
  std::string_view title;
  std::string_view key;
};

// Stores true under `chosen` and false under every other key of `group`, so that exactly one
// is true. Returns false and writes nothing when `chosen` is not in `group`.
bool storeSortChoice(UserDefaults& defaults, std::span<const std::string_view> group,
                     std::string_view chosen);

}  // namespace tockary
