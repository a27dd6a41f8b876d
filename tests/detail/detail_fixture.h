#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "store/app_delegate.h"
#include "store/app_services.h"
#include "store/records.h"
#include "support/recording_presenter.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

// A store in a temporary directory, en_US in UTC, a clock at 5 December 2026 14:30, and every
// diagnostic line collected.
class DetailTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    clock.set(at(2026, 12, 5, 14, 30));
  }

  std::shared_ptr<Kello> newWatch(const std::string& brand, double timesWorn = 0) {
    auto watch = app.viewContext().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMyyntiliike(std::string());
    if (timesWorn != 0) watch->setVarasarake4(timesWorn);
    EXPECT_TRUE(app.viewContext().save().isOk());
    return watch;
  }

  void logOn(bool each, bool tenth) {
    defaults.setBool(true, kEnableHistoryLogSettingOn);
    defaults.setBool(each, kLogEachWearSettingOn);
    defaults.setBool(tenth, kLogEvery10thWearSettingOn);
  }

  // The watch as a fresh process would read it from the file.
  std::shared_ptr<Kello> reread(const Kello& watch) {
    reopened_ =
        std::make_unique<AppDelegate>(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    return reopened_->viewContext().existingObject<Kello>(watch.objectID());
  }

 private:
  std::unique_ptr<AppDelegate> reopened_;
};

}  // namespace tockary::testing
