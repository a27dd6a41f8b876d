#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "service/insert_service_table_view_controller.h"
#include "service/service_fixture.h"

namespace tockary::testing {
namespace {

constexpr std::string_view kWatch = "watchToServiceTextField";
constexpr std::string_view kStart = "serviceStartDateTextField";
constexpr std::string_view kCost = "serviceCostTextField";

class ServiceEditorTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    clock.set(at(2024, 5, 17, 14, 30));
  }
  std::unique_ptr<InsertServiceTableViewController> openInsert() {
    auto editor = std::make_unique<InsertServiceTableViewController>(services);
    editor->openForInsert();
    editor->viewDidLoad();
    return editor;
  }
  std::unique_ptr<InsertServiceTableViewController> openEdit(const ObjectID& id) {
    auto editor = std::make_unique<InsertServiceTableViewController>(services);
    editor->openForEdit(id, "Edit Service");
    editor->viewDidLoad();
    return editor;
  }
  std::shared_ptr<Huolto> stored(const ObjectID& id) {
    AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    auto record = reopened.viewContext().existingObject<Huolto>(id);
    // Keep the values beyond the reopened store's life.
    auto copy = context().makeDetachedObject<Huolto>();
    if (!record) return nullptr;
    for (const char* key : {"huoltoliike", "huollonkello", "huoltopvm", "huollostapaluupvm",
                            "huoltotakuupvm", "huoltosyy", "huoltohinta", "huoltokuvaus"}) {
      copy->setValueForKey(key, record->valueForKey(key));
    }
    return copy;
  }
  int pops() const {
    int count = 0;
    for (const auto& event : presenter.events())
      if (const auto* pop = std::get_if<RecordingPresenter::Pop>(&event)) count += pop->count;
    return count;
  }
};

TEST_F(ServiceEditorTest, AnEmptyWatchFieldStoresTenHyphensOnInsertAndNothingOnEdit) {
  auto editor = openInsert();
  EXPECT_EQ(editor->title(), "Add Service");
  EXPECT_EQ(editor->firstResponder(), kWatch);
  EXPECT_EQ(editor->text(kWatch), "");
  ASSERT_TRUE(editor->replaceText("serviceCentreTextField", 0, 0, "Watchmaker Oy"));
  auto id = editor->saveNewService();
  ASSERT_TRUE(id);
  EXPECT_EQ(pops(), 1);
  EXPECT_EQ(stored(*id)->huollonkello(), "----------");
  EXPECT_EQ(stored(*id)->huoltoliike(), "Watchmaker Oy");
  EXPECT_EQ(stored(*id)->huoltopvm(), std::nullopt);

  presenter.clear();
  auto edit = openEdit(*id);
  EXPECT_EQ(edit->title(), "Edit Service");
  EXPECT_EQ(edit->firstResponder(), "");
  EXPECT_EQ(edit->text(kWatch), "----------");
  ASSERT_TRUE(edit->enterValue(kWatch, "").isOk());
  ASSERT_TRUE(edit->saveNewService());
  EXPECT_EQ(pops(), 2);  // past the detail, to the list
  EXPECT_EQ(stored(*id)->huollonkello(), "");
  EXPECT_EQ(stored(*id)->huoltoliike(), "Watchmaker Oy");
}

TEST_F(ServiceEditorTest, EditFillsTheFormAndSavesItBack) {
  auto record = service({.watch = "Seiko SKX007",
                         .centre = "Watchmaker Oy",
                         .reason = "Slow",
                         .description = "Gaskets",
                         .start = at(2024, 5, 1),
                         .back = at(2024, 5, 10),
                         .cost = 1200.5});
  auto editor = openEdit(record->objectID());
  EXPECT_EQ(editor->text(kStart), "5/1/24");
  EXPECT_EQ(editor->text("serviceEndDateTextField"), "5/10/24");
  EXPECT_EQ(editor->text("serviceWarrantyEndDateTextfield"), "");
  EXPECT_EQ(editor->text(kCost), "1200.5");  // no grouping: it must read back
  EXPECT_EQ(editor->text("serviceInfoTextView"), "Gaskets");
  ASSERT_TRUE(editor->enterValue("serviceWarrantyEndDateTextfield", "2026-05-10").isOk());
  ASSERT_TRUE(editor->saveNewService());
  const auto saved = stored(record->objectID());
  EXPECT_EQ(saved->huollonkello(), "Seiko SKX007");
  EXPECT_EQ(saved->huoltohinta(), 1200.5);
  EXPECT_EQ(saved->huoltopvm(), at(2024, 5, 1));
  EXPECT_EQ(saved->huoltotakuupvm(), at(2026, 5, 10));
  EXPECT_EQ(saved->huoltosyy(), "Slow");
}

TEST_F(ServiceEditorTest, WatchPickerOffersEveryWatchOrThePlaceholder) {
  auto empty = openInsert();
  empty->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(empty->text(kWatch), "Placeholder(Watch collection is empty)");
  EXPECT_FALSE(empty->pickerViewDidSelectRow(0, 0));
  ASSERT_TRUE(empty->pressToolbarButton());
  auto id = empty->saveNewService();
  ASSERT_TRUE(id);
  EXPECT_EQ(stored(*id)->huollonkello(), "Placeholder(Watch collection is empty)");

  watch("Seiko", "SKX007");
  watch("Omega", "", "Sold to a friend");
  auto editor = openInsert();
  EXPECT_EQ(editor->kelloPickerData(), (std::vector<std::string>{"Seiko SKX007", "Omega"}));
  editor->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(editor->text(kWatch), "Seiko SKX007");
  const auto wheel = editor->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->toolbarTitle, "Choose Watch for Service: ");
  EXPECT_TRUE(editor->pickerViewDidSelectRow(1, 0));
  EXPECT_FALSE(editor->pickerViewDidSelectRow(2, 0));
  EXPECT_EQ(editor->text(kWatch), "Omega");
  ASSERT_TRUE(editor->pressToolbarButton());
  EXPECT_FALSE(editor->shownWheel());
  // Opening it again keeps a label the picker offers.
  editor->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(editor->text(kWatch), "Omega");
  EXPECT_EQ(editor->shownWheel()->columns[0].selected, 1);
}

TEST_F(ServiceEditorTest, WatchByLabelOrIdAnythingElseIsRefused) {
  auto seiko = watch("Seiko", "SKX007");
  auto editor = openInsert();
  ASSERT_TRUE(editor->enterValue(kWatch, seiko->objectID().text()).isOk());
  EXPECT_EQ(editor->text(kWatch), "Seiko SKX007");
  const Status refused = editor->enterValue(kWatch, "Rolex");
  EXPECT_EQ(refused.description(),
            "\"Rolex\" is refused; accepted: a watch label the picker offers (\"Seiko SKX007\"), "
            "the id of one of these watches such as Kello/1, or \"\" for none");
  EXPECT_FALSE(editor->enterValue(kWatch, "Huolto/1").isOk());
  EXPECT_EQ(editor->text(kWatch), "Seiko SKX007");
}

TEST_F(ServiceEditorTest, DateFieldsTakeTodayAndCloseWithTheirButtons) {
  auto editor = openInsert();
  const std::pair<std::string_view, std::string_view> fields[] = {
      {kStart, "Choose Service Start Date"},
      {"serviceEndDateTextField", "Choose Service End Date"},
      {"serviceWarrantyEndDateTextfield", "Choose Service Warranty End Date"}};
  for (const auto& [outlet, button] : fields) {
    editor->textFieldDidBeginEditing(outlet);
    EXPECT_EQ(editor->text(outlet), "5/17/24");
    ASSERT_TRUE(editor->shownWheel());
    EXPECT_EQ(editor->shownWheel()->toolbarTitle, button);
    ASSERT_TRUE(editor->pressToolbarButton());
    EXPECT_EQ(editor->editedField(), "");
  }
  // A date already there stays when the field is opened; the wheel changes it.
  editor->datePickerValueChanged(at(2020, 1, 1));
  EXPECT_EQ(editor->text(kStart), "5/17/24");
  editor->textFieldDidBeginEditing(kStart);
  editor->datePickerValueChanged(at(2024, 2, 29));
  EXPECT_EQ(editor->text(kStart), "2/29/24");
  editor->endEditing();
  editor->textFieldDidBeginEditing(kStart);
  EXPECT_EQ(editor->text(kStart), "2/29/24");
  EXPECT_EQ(InsertServiceTableViewController::kDatePickerHeight, 250.0);
}

TEST_F(ServiceEditorTest, CurrencySignsAndUnreadableValuesAreRefused) {
  auto editor = openInsert();
  for (const char* sign : {"€", "₳", "$", "₡", "£", "₵", "¥", "₮"}) {
    EXPECT_FALSE(editor->replaceText(kCost, 0, 0, std::string("12") + sign)) << sign;
  }
  EXPECT_TRUE(editor->replaceText("serviceCentreTextField", 0, 0, "$hop"));
  EXPECT_TRUE(editor->replaceText("serviceInfoTextView", 0, 0, "Cost 20 €"));
  EXPECT_EQ(editor->text(kCost), "");
  EXPECT_EQ(editor->enterValue(kCost, "€250").description(),
            "\"€250\" is refused; accepted: a number without a currency sign, such as 250.50 or "
            "250,50");
  EXPECT_FALSE(editor->enterValue(kCost, "cheap").isOk());
  EXPECT_FALSE(editor->enterValue(kStart, "31/31/2024").isOk());
  EXPECT_EQ(editor->text(kStart), "");
  ASSERT_TRUE(editor->enterValue(kCost, "250,5").isOk());
  auto id = editor->saveNewService();
  ASSERT_TRUE(id);
  EXPECT_EQ(stored(*id)->huoltohinta(), 250.5);
  EXPECT_EQ(stored(*id)->huoltokuvaus(), "Cost 20 €");
}

TEST_F(ServiceEditorTest, ABusyStoreKeepsTheFormAndAGoneRecordReturnsToTheList) {
  auto editor = openInsert();
  ASSERT_TRUE(editor->enterValue("serviceReasonTextField", "Slow").isOk());
  lockStore();
  const auto busy = editor->saveNewService();
  EXPECT_FALSE(busy);
  EXPECT_EQ(pops(), 0);
  ASSERT_NE(presenter.lastSheet(), nullptr);
  unlockStore();
  EXPECT_TRUE(editor->saveNewService());
  EXPECT_EQ(pops(), 1);

  auto record = service({.watch = "A"});
  auto edit = openEdit(record->objectID());
  context().deleteObject(record);
  ASSERT_TRUE(context().save().isOk());
  presenter.clear();
  EXPECT_FALSE(edit->saveNewService());
  EXPECT_EQ(pops(), 2);
}

}  // namespace
}  // namespace tockary::testing
