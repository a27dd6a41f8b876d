#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "service/service_fixture.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"

namespace tockary::testing {
namespace {

class ServiceDetailTest : public ServiceTest {
 protected:
  ServiceDetailOutputs shown(const ObjectID& id) {
    TarkasteleHuoltoaTableViewController detail(services, id);
    detail.viewDidLoad();
    return detail.outputs();
  }
};

TEST_F(ServiceDetailTest, ShowsEveryValueWithCurrencyCost) {
  auto record = service({.watch = "Seiko SKX007",
                         .centre = "Watchmaker Oy",
                         .reason = "Running slow",
                         .description = "Full service",
                         .start = at(2024, 5, 17),
                         .back = at(2024, 6, 1),
                         .warranty = at(2026, 6, 1),
                         .cost = 1200.5});
  const auto out = shown(record->objectID());
  EXPECT_EQ(out.huoltoLiikeTextField, "Watchmaker Oy");
  EXPECT_EQ(out.huollettavaKelloTextField, "Seiko SKX007");
  EXPECT_EQ(out.huoltoPVMTextField, "5/17/24");
  EXPECT_EQ(out.huollostaPaluuPVMTextField, "6/1/24");
  EXPECT_EQ(out.huoltoTakuuPaattyTextfield, "6/1/26");
  EXPECT_EQ(out.huollonSyyTextField, "Running slow");
  EXPECT_EQ(out.huoltoHinta, "$1,200.5");
  EXPECT_EQ(out.huollonKuvausTextView, "Full service");
  EXPECT_EQ(out.huollonKuvausCursor, 0u);
}

TEST_F(ServiceDetailTest, AbsentEmptyAndZeroValuesShowFiveHyphens) {
  auto record = service({.watch = "", .centre = std::nullopt, .reason = "", .cost = 0});
  const auto out = shown(record->objectID());
  for (const std::string* text :
       {&out.huoltoLiikeTextField, &out.huollettavaKelloTextField, &out.huoltoPVMTextField,
        &out.huollostaPaluuPVMTextField, &out.huoltoTakuuPaattyTextfield, &out.huollonSyyTextField,
        &out.huoltoHinta}) {
    EXPECT_EQ(*text, "-----");
  }
  EXPECT_EQ(out.huollonKuvausTextView, "");
  EXPECT_EQ(shown(service({.cost = -0.0})->objectID()).huoltoHinta, "-----");
  EXPECT_EQ(shown(service({.cost = 0.004})->objectID()).huoltoHinta, "$0");
}

TEST_F(ServiceDetailTest, AnUnknownRecordShowsNothingAndEditOpensTheEditorWithItsTitle) {
  TarkasteleHuoltoaTableViewController gone(services, ObjectID{"Huolto", 99});
  gone.viewDidLoad();
  EXPECT_FALSE(gone.found());
  EXPECT_EQ(gone.outputs().huoltoHinta, "-----");

  auto record = service({.watch = "A"});
  TarkasteleHuoltoaTableViewController detail(services, record->objectID());
  detail.viewDidLoad();
  detail.editSelectedService();
  const auto& request = std::get<ScreenRequest>(presenter.events().back());
  EXPECT_EQ(request.screen, "InsertServiceTableViewController");
  EXPECT_EQ(request.objectId, record->objectID().text());
  EXPECT_EQ(request.arguments.at("tempEditTitleMuutos"), "Edit Service");
  EXPECT_EQ(detail.captionedOutputs().front().first, "Service Centre");
  EXPECT_EQ(*detail.captionedOutputs().back().second, "");
}

}  // namespace
}  // namespace tockary::testing
