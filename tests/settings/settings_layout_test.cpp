#include <gtest/gtest.h>

#include "settings/settings_layout.h"
#include "settings/settings_table_view_controller.h"

namespace tockary {
namespace {

// A gap or an overlap would hide a switch from the screen or show it twice.
TEST(SettingsLayoutTest, SectionsCoverEverySwitchOnceInLoadOrder) {
  int next = 0;
  for (const SettingsSectionInfo& section : settingsSections()) {
    EXPECT_EQ(section.firstSwitch, next) << section.title;
    EXPECT_GT(section.switchCount, 0) << section.title;
    EXPECT_FALSE(section.footer.empty()) << section.title;
    next += section.switchCount;
  }
  EXPECT_EQ(next, static_cast<int>(settingsSwitches().size()));
  // The two wear-logging switches sit with the history log switch that enables them.
  const auto& history = settingsSections()[2];
  EXPECT_EQ(settingsSwitches()[history.firstSwitch].key, "enableHistoryLogSettingOn");
  EXPECT_EQ(settingsSwitches()[history.firstSwitch + 2].key, "logEvery10thWearSettingOn");
}

}  // namespace
}  // namespace tockary
