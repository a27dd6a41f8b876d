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
#include "platform/ui/presenter.h"
#include "settings/preference_keys.h"
#include "store/app_delegate.h"
#include "store/app_services.h"
#include "store/records.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// A store in a temporary directory, en_US in UTC, a clock at 5 December 2026 14:30, and every
// diagnostic line collected.
class DetailTest : public ::testing::Test {
 protected:
  struct FatalStop {
    std::string message;
  };

  void SetUp() override {
    previousSink_ = setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); });
    previousFatal_ = setFatalHandler([](const std::string& message) { throw FatalStop{message}; });
  }
  void TearDown() override {
    unlockStore();
    setDiagnosticSink(previousSink_);
    setFatalHandler(previousFatal_);
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

  // Another connection holds the write lock, so the next save fails after the busy timeout.
  void lockStore() {
    ASSERT_EQ(sqlite3_open(app.persistentContainer().storeFile().c_str(), &locker_), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(locker_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  }
  void unlockStore() {
    if (locker_ == nullptr) return;
    sqlite3_exec(locker_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(locker_);
    locker_ = nullptr;
  }

  // The watch as a fresh process would read it from the file.
  std::shared_ptr<Kello> reread(const Kello& watch) {
    reopened_ =
        std::make_unique<AppDelegate>(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    return reopened_->viewContext().existingObject<Kello>(watch.objectID());
  }

  Date at(int y, int m, int d, int h = 0, int mi = 0) const {
    return formatters.calendar().dateFrom(y, m, d, h, mi);
  }

  TempDir dir;
  AppDelegate app{dir.path(), StoreOptions{std::chrono::milliseconds(50)}};
  MemoryUserDefaults defaults;
  Formatters formatters{"en_US", "UTC"};
  FixedClock clock{formatters.calendar().dateFrom(2026, 12, 5, 14, 30)};
  RecordingPresenter presenter;
  AppServices services{app, defaults, formatters, clock, presenter};
  std::vector<std::string> lines;

 private:
  DiagnosticSink previousSink_;
  FatalHandler previousFatal_;
  sqlite3* locker_ = nullptr;
  std::unique_ptr<AppDelegate> reopened_;
};

}  // namespace tockary::testing
