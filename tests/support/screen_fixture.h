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
#include "store/app_delegate.h"
#include "store/app_services.h"
#include "store/records.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// What a screen model is built on, for tests: a store in a temporary directory, in-memory
// preferences, en_US in UTC, a fixed clock and a recording presenter. Every diagnostic line is
// collected in `lines`, and a fatal stop throws FatalStop instead of ending the test program.
class ScreenTest : public ::testing::Test {
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

  ManagedObjectContext& context() { return app.viewContext(); }

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

  // The write lock can still be had, but the store refuses every change to a watch, so a save
  // fails after the lock was taken (as on a full disk).
  void refuseWatchWrites() {
    for (const char* event : {"INSERT", "UPDATE", "DELETE"}) {
      storeSql(std::string("CREATE TRIGGER refuse_") + event + " BEFORE " + event +
               " ON Kello BEGIN SELECT RAISE(ABORT, 'watch writes refused'); END");
    }
  }
  void allowWatchWrites() {
    for (const char* event : {"INSERT", "UPDATE", "DELETE"})
      storeSql(std::string("DROP TRIGGER refuse_") + event);
  }

  // A watch saved as the editor saves it; unsold while `soldTo` is empty.
  std::shared_ptr<Kello> watch(const std::string& brand, const std::string& model,
                               const std::string& soldTo = "") {
    auto record = context().insertNewObject<Kello>();
    record->setMerkki(brand);
    record->setMalli(model);
    record->setMyyntiliike(soldTo);
    EXPECT_TRUE(context().save().isOk());
    return record;
  }

  Date at(int y, int m, int d, int h = 0, int mi = 0, int s = 0) const {
    return formatters.calendar().dateFrom(y, m, d, h, mi, s);
  }

  TempDir dir;
  AppDelegate app{dir.path(), StoreOptions{std::chrono::milliseconds(50)}};
  MemoryUserDefaults defaults;
  Formatters formatters{"en_US", "UTC"};
  FixedClock clock;
  RecordingPresenter presenter;
  AppServices services{app, defaults, formatters, clock, presenter};
  std::vector<std::string> lines;

 private:
  void storeSql(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(app.persistentContainer().storeFile().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
  }

  DiagnosticSink previousSink_;
  FatalHandler previousFatal_;
  sqlite3* locker_ = nullptr;
};

}  // namespace tockary::testing
