#include "gui/editor_gui_support.h"
#include "platform/format/clock.h"
#include "settings/preference_keys.h"
#include "support/session_bus.h"

namespace tockary::testing {
namespace {

// The app on a session bus of the test's own with a stand-in notification service, its clock
// at 10:01 on a day whose warranty notice is due at 10:00.
class RemindersGuiTest : public EditorGuiTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bus.start());
    ASSERT_TRUE(bus.startService({"--capabilities", "body"}));
    clock.set(Formatters("en_US", "UTC").calendar().dateFrom(2026, 12, 7, 10, 1));
    appClock = &clock;
    EditorGuiTest::SetUp();
  }

  SessionBus bus{TOCKARY_DBUS_DAEMON, TOCKARY_NOTIFICATION_RECORDER};
  FixedClock clock;
};

TEST_F(RemindersGuiTest, TurningTheWarrantyRemindersOnShowsTheDueOneOnTheDesktop) {
  auto watch = app->services().context().insertNewObject<Kello>();
  watch->setMerkki("Seiko");
  watch->setMalli("Turtle");
  watch->setMyyntiliike("");
  watch->setTakuupvm(app->services().formatters.calendar().dateFrom(2027, 1, 6, 12, 0));
  ASSERT_TRUE(app->services().context().save().isOk());

  click(item("tab_settings"));
  auto* control = item("switch_enableWarrantyExpiringReminderSettingOn");
  ASSERT_NE(control, nullptr);
  scrollIntoView("settingsList", control);
  click(control);
  ASSERT_EQ(app->services().defaults.value(kEnableWarrantyExpiringReminderSettingOn),
            StoredFlag::True);

  EXPECT_EQ(bus.nextPosted(),
            (Posted{"Tockary", "Seiko Turtle", "Warranty expires in: 30 days", ""}));

  // Off again: the next rebuild leaves nothing to show.
  click(control);
  clock.set(app->services().formatters.calendar().dateFrom(2026, 12, 8, 10, 0));
  restartApp();
  EXPECT_FALSE(bus.nextPosted(std::chrono::milliseconds(1500)));
}

}  // namespace
}  // namespace tockary::testing
