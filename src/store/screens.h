#pragma once

// The screens one screen may open, by the names under which front ends know them.

#include <string_view>

namespace tockary {

inline constexpr std::string_view kWatchDetailScreen = "TarkasteleKelloaTableViewController";
inline constexpr std::string_view kWatchEditorScreen = "InsertWatchTableViewController";

}  // namespace tockary
