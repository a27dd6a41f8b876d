#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "collection/my_watch_collection_table_view_controller.h"
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

// A store in a temporary directory, en_US in UTC, the clock at 10 June 2025 12:00, every
// diagnostic line collected and fatal stops thrown.
class CollectionTest : public ::testing::Test {
 protected:
  struct FatalStop {
    std::string message;
  };

  void SetUp() override {
    previousSink_ = setDiagnosticSink([this](std::string_view line) { lines.emplace_back(line); });
    previousFatal_ = setFatalHandler([](const std::string& message) { throw FatalStop{message}; });
    clock.set(at(2025, 6, 10, 12));
  }
  void TearDown() override {
    unlockStore();
    setDiagnosticSink(previousSink_);
    setFatalHandler(previousFatal_);
  }

  ManagedObjectContext& context() { return app.viewContext(); }

  // An unsold watch, saved.
  std::shared_ptr<Kello> watch(const std::string& brand, const std::string& model = "",
                               const std::string& soldTo = "") {
    auto kello = context().insertNewObject<Kello>();
    kello->setMerkki(brand);
    kello->setMalli(model);
    kello->setMyyntiliike(soldTo);
    save();
    return kello;
  }
  void save() { ASSERT_TRUE(context().save().isOk()); }

  std::unique_ptr<MyWatchCollectionTableViewController> openList() {
    auto list = std::make_unique<MyWatchCollectionTableViewController>(services);
    list->viewDidLoad();
    list->viewDidAppear();
    return list;
  }

  static std::vector<std::string> brands(MyWatchCollectionTableViewController& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.numberOfRowsInSection(0); ++row) {
      auto kello = list.watchAt({0, row});
      names.push_back(kello->merkki().value_or("") + (kello->malli()->empty() ? "" : " ") +
                      kello->malli().value_or(""));
    }
    return names;
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

  Date at(int y, int m, int d, int h = 0, int mi = 0) const {
    return formatters.calendar().dateFrom(y, m, d, h, mi);
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
  DiagnosticSink previousSink_;
  FatalHandler previousFatal_;
  sqlite3* locker_ = nullptr;
};

}  // namespace tockary::testing
