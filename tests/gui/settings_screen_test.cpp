#include <QColor>

#include "gui/editor_gui_support.h"
#include "settings/csv_export.h"
#include "settings/preference_keys.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

class SettingsScreenTest : public EditorGuiTest {
 protected:
  // Taps a switch as a user does, after scrolling the list to it.
  void tap(QQuickItem* control) {
    scrollIntoView("settingsList", control);
    click(control);
  }
};

bool checked(QQuickItem* control) { return control->property("checked").toBool(); }

TEST_F(SettingsScreenTest, TheTwoWearLogSwitchesExcludeEachOther) {
  click(item("tab_settings"));
  auto* eachWear = item("switch_logEachWearSettingOn");
  auto* everyTenth = item("switch_logEvery10thWearSettingOn");
  ASSERT_NE(eachWear, nullptr);
  ASSERT_NE(everyTenth, nullptr);
  EXPECT_EQ(item("label_logEachWearSettingOn")->property("text").toString(), "Log each wear");
  EXPECT_EQ(item("settingsTitle")->property("text").toString(), "Settings");
  screenshot("settings");

  tap(eachWear);
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::False);
  EXPECT_TRUE(waitFor([&] { return checked(eachWear) && !checked(everyTenth); }));

  tap(everyTenth);
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::False);
  EXPECT_TRUE(waitFor([&] { return !checked(eachWear) && checked(everyTenth); }));

  // Turning one off turns the other on: never both off once touched.
  tap(everyTenth);
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::False);
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::True);
  EXPECT_TRUE(waitFor([&] { return checked(eachWear) && !checked(everyTenth); }));
  screenshot("settings-after");
}

TEST_F(SettingsScreenTest, HistoryLogOffGreysTheWearLogSwitchesAndKeepsTheirFlags) {
  click(item("tab_settings"));
  tap(item("switch_enableHistoryLogSettingOn"));  // on
  tap(item("switch_logEachWearSettingOn"));
  tap(item("switch_enableHistoryLogSettingOn"));  // off
  EXPECT_EQ(app->services().defaults.value(kEnableHistoryLogSettingOn), StoredFlag::False);
  auto* eachWear = item("switch_logEachWearSettingOn");
  ASSERT_NE(eachWear, nullptr);
  EXPECT_TRUE(waitFor([&] { return !eachWear->isEnabled(); }));
  EXPECT_FALSE(item("switch_logEvery10thWearSettingOn")->isEnabled());
  EXPECT_NE(item("label_logEachWearSettingOn")->property("color").value<QColor>(), QColor("white"));
  screenshot("history-log-off");

  // A greyed switch does not move or store anything when tapped.
  tap(eachWear);
  EXPECT_TRUE(checked(eachWear));
  EXPECT_EQ(app->services().defaults.value(kLogEachWearSettingOn), StoredFlag::True);
  EXPECT_EQ(app->services().defaults.value(kLogEvery10thWearSettingOn), StoredFlag::False);
}

TEST_F(SettingsScreenTest, ExportButtonWritesTheFileAndOffersItForSharing) {
  const auto tmp = dir.path() / "tmp";
  std::filesystem::create_directory(tmp);
  const ScopedEnvironment temporaryFolder("TMPDIR", tmp.string());
  auto& context = app->services().context();
  for (const char* brand : {"Tudor", "Omega, S.A."}) {
    auto watch = context.insertNewObject<Kello>();
    watch->setMerkki(std::string(brand));
    watch->setMalli("Diver");
  }
  ASSERT_TRUE(context.save());

  click(item("tab_settings"));
  QQuickItem* button = item("exportButton");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->property("text").toString(), "Export Collection to CSV");
  scrollIntoView("settingsList", button);
  click(button);
  EXPECT_TRUE(waitFor([&] { return app->presenter().lastShareRequest().has_value(); }));
  EXPECT_TRUE(waitFor([&] { return item("exportBusy") == nullptr; }));

  const auto file = tmp / "Tockary.csv";
  const std::string text = readFile(file);
  EXPECT_EQ(text.substr(0, kCsvHeader.size()), kCsvHeader);
  EXPECT_EQ(text.substr(kCsvHeader.size(), 19), "\"Omega, S.A.\",Diver");
  EXPECT_NE(text.find("\nTudor,Diver,"), std::string::npos);
  const auto& request = app->presenter().lastShareRequest();
  ASSERT_TRUE(request.has_value());
  ASSERT_EQ(request->items.size(), 1U);
  ASSERT_NE(request->items[0].asFile(), nullptr);
  EXPECT_EQ(request->items[0].asFile()->path, file);
  EXPECT_EQ(request->excludedActivityTypes.size(), 8U);
}

}  // namespace
}  // namespace tockary::testing
