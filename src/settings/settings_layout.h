#pragma once

#include <span>
#include <string_view>

namespace tockary {

// A group of consecutive settings switches (in load order) as the screen shows them.
struct SettingsSectionInfo {
  std::string_view title;
  std::string_view footer;  // what the group's switches do, in a sentence or two
  int firstSwitch;          // index into settingsSwitches()
  int switchCount;
};

// The sections of the settings screen, covering every switch once, in order.
std::span<const SettingsSectionInfo> settingsSections();

inline constexpr std::string_view kExportSectionTitle = "Export";
inline constexpr std::string_view kExportButtonTitle = "Export Collection to CSV";
inline constexpr std::string_view kExportFooter =
    "Writes every watch to Tockary.csv and offers it to other apps.";

}  // namespace tockary
