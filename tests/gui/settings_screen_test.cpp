#include "gui/gui_test_support.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

using SettingsScreenTest = GuiTest;

TEST_F(SettingsScreenTest, ASwitchStoresItsFlagWithItsSideEffect) {
  click(item("tab_1"));
  auto* eachWear = item("switch_logEachWearSettingOn");
  ASSERT_NE(eachWear, nullptr);
  screenshot("settings");
  click(eachWear);
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::False);
  click(item("switch_logEvery10thWearSettingOn"));
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::False);
  EXPECT_TRUE(
      waitFor([&] { return !item("switch_logEachWearSettingOn")->property("checked").toBool(); }));
  screenshot("settings-after");
}

}  // namespace
}  // namespace tockary::testing
