#pragma once

#include <memory>
#include <optional>
#include <string>

#include "store/records.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

// Service screens over a store with records made directly, as earlier saves left them.
class ServiceTest : public ScreenTest {
 protected:
  struct ServiceValues {
    std::optional<std::string> watch = {}, centre = {}, reason = {}, description = {};
    std::optional<Date> start = {}, back = {}, warranty = {};
    double cost = 0;
  };

  std::shared_ptr<Huolto> service(const ServiceValues& v) {
    auto record = context().insertNewObject<Huolto>();
    record->setHuollonkello(v.watch);
    record->setHuoltoliike(v.centre);
    record->setHuoltopvm(v.start);
    record->setHuollostapaluupvm(v.back);
    record->setHuoltotakuupvm(v.warranty);
    record->setHuoltosyy(v.reason);
    record->setHuoltokuvaus(v.description);
    record->setHuoltohinta(v.cost);
    EXPECT_TRUE(context().save().isOk());
    return record;
  }
};

}  // namespace tockary::testing
