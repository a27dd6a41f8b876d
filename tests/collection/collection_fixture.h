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
#include "settings/preference_keys.h"
#include "store/app_delegate.h"
#include "store/app_services.h"
#include "store/records.h"
#include "support/recording_presenter.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

// A store in a temporary directory, en_US in UTC, the clock at 10 June 2025 12:00, every
// diagnostic line collected and fatal stops thrown.
class CollectionTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    clock.set(at(2025, 6, 10, 12));
  }

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
};

}  // namespace tockary::testing
