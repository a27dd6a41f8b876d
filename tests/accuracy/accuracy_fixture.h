#pragma once

#include <memory>
#include <optional>
#include <string>

#include "store/records.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

// Measurement screens over a store with watches and measurement records made directly.
class AccuracyTest : public ScreenTest {
 protected:
  struct MeasurementValues {
    std::optional<std::string> watch = {}, result = {}, environment = {}, duration = {},
                               status = {};
    std::optional<Date> realStart = {}, watchStart = {};
    double rate = 0;
  };

  std::shared_ptr<Varataulu> measurement(const MeasurementValues& v) {
    auto record = context().insertNewObject<Varataulu>();
    record->setVaraString1(v.watch);
    record->setVaraString2(v.result);
    record->setVaraString3(v.environment);
    record->setVaraString4(v.duration);
    record->setVaraString5(v.status);
    record->setVaraPVM1(v.realStart);
    record->setVaraPVM2(v.watchStart);
    record->setVaraDouble1(v.rate);
    EXPECT_TRUE(context().save().isOk());
    return record;
  }

  // The record as another program reads it from the store file.
  std::shared_ptr<Varataulu> stored(const ObjectID& id) {
    reader_ =
        std::make_unique<AppDelegate>(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    return reader_->viewContext().existingObject<Varataulu>(id);
  }

 private:
  std::unique_ptr<AppDelegate> reader_;
};

}  // namespace tockary::testing
