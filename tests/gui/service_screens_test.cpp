#include "gui/record_screens_support.h"

namespace tockary::testing {
namespace {

// The Services tab driven as a user does: the list, the detail and the one editor page serving
// the service form.
class ServiceScreensTest : public RecordScreensTest {
 protected:
  std::vector<std::shared_ptr<Huolto>> services() {
    return context().fetch<Huolto>(Huolto::fetchRequest()).value();
  }

  std::string today() { return app->services().formatters.shortDate(app->services().clock.now()); }

  void openServices() {
    click(item("tab_services"));
    ASSERT_TRUE(waitFor([&] { return item("servicesPage") != nullptr; }));
  }

  QQuickItem* serviceRow(const Huolto& service) { return recordRow("serviceRow_", service); }

  QString detailValue(const QString& caption) {
    QQuickItem* value = item("value_" + caption);
    return value == nullptr ? QString("<none>") : value->property("text").toString();
  }

  int depth() { return item("serviceStack")->property("depth").toInt(); }
};

TEST_F(ServiceScreensTest, AServiceAddedThroughTheFormIsListedWithItsDates) {
  openServices();
  EXPECT_EQ(item("servicesTitle")->property("text").toString(), "Services");
  ASSERT_NE(item("emptyServicesLabel"), nullptr);
  screenshot("empty-list");

  click(item("addServiceButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  settle();
  EXPECT_EQ(item("editorTitle")->property("text").toString(), "Add Service");
  // The watch field asked to be edited first: its wheel is open on the first watch.
  EXPECT_EQ(toolbarTitle(), "Choose Watch for Service: ");
  EXPECT_EQ(fieldText("watchToServiceTextField"), "Omega Speedmaster");
  EXPECT_EQ(wheelTitles("wheel_0"), QStringList({"Omega Speedmaster", "Seiko SKX007"}));
  // A form without pictures or a datestamp shows none.
  EXPECT_EQ(item("cameraImageView"), nullptr);
  EXPECT_EQ(item("datestampButton"), nullptr);
  screenshot("editor-watch-wheel");

  tapField("serviceCentreTextField");
  EXPECT_EQ(item("wheelPanel"), nullptr);
  typeText(window(), "Watchmaker Oy");

  // The field opens its wheel on the watch it shows; the mouse wheel turns it to the second.
  tapField("watchToServiceTextField");
  EXPECT_EQ(wheelShows("wheel_0"), "Omega Speedmaster");
  scroll(item("wheel_0"), 1);
  EXPECT_EQ(fieldText("watchToServiceTextField"), "Seiko SKX007");
  confirmWheel();

  tapField("serviceStartDateTextField");
  EXPECT_EQ(toolbarTitle(), "Choose Service Start Date");
  EXPECT_EQ(fieldText("serviceStartDateTextField").toStdString(), today());
  dragWheelTo("wheel_2", "2024");
  dragWheelTo("wheel_0", "March");
  dragWheelTo("wheel_1", "15");
  EXPECT_EQ(fieldText("serviceStartDateTextField"), "3/15/24");
  confirmWheel();

  // Confirmed untouched, the return date is today's.
  tapField("serviceEndDateTextField");
  EXPECT_EQ(toolbarTitle(), "Choose Service End Date");
  confirmWheel();
  EXPECT_EQ(fieldText("serviceEndDateTextField").toStdString(), today());

  tapField("serviceCostTextField");
  typeText(window(), "250.50");
  tapField("serviceInfoTextView");
  typeText(window(), "Full service");
  pressKey(Qt::Key_Return);
  typeText(window(), "New gaskets");
  saveForm();

  // Back on the list, one screen below the editor.
  EXPECT_EQ(depth(), 1);
  const auto stored = services();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->huollonkello(), "Seiko SKX007");
  EXPECT_EQ(stored.front()->huoltoliike(), "Watchmaker Oy");
  EXPECT_EQ(stored.front()->huoltohinta(), 250.5);
  EXPECT_EQ(stored.front()->huoltokuvaus(), "Full service\nNew gaskets");
  QQuickItem* row = serviceRow(*stored.front());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(textIn(row, "serviceTitle"), "Seiko SKX007 (Watchmaker Oy)");
  EXPECT_EQ(textIn(row, "serviceSubtitle").toStdString(), "3/15/24 -> " + today());
  EXPECT_EQ(item("emptyServicesLabel"), nullptr);
  screenshot("list-after-save");
}

TEST_F(ServiceScreensTest, ARecordIsOpenedEditedAndSwipedAway) {
  const Calendar& calendar = app->services().formatters.calendar();
  auto service = context().insertNewObject<Huolto>();
  service->setHuollonkello(std::string("Omega Speedmaster"));
  service->setHuoltoliike(std::string("Omega Boutique"));
  service->setHuoltopvm(calendar.dateFrom(2024, 1, 10));
  service->setHuoltosyy(std::string("Running slow"));
  service->setHuoltohinta(250.0);
  service->setHuoltokuvaus(std::string("Demagnetised\nRegulated"));
  ASSERT_TRUE(context().save().isOk());

  openServices();
  QQuickItem* row = serviceRow(*service);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(textIn(row, "serviceSubtitle"), "1/10/24 ->");
  click(row);
  ASSERT_TRUE(waitFor([&] { return item("serviceDetailPage") != nullptr; }));
  EXPECT_EQ(detailValue("Service Centre"), "Omega Boutique");
  EXPECT_EQ(detailValue("Watch"), "Omega Speedmaster");
  EXPECT_EQ(detailValue("Service Start Date"), "1/10/24");
  EXPECT_EQ(detailValue("Return Date"), "-----");
  EXPECT_EQ(detailValue("Service Warranty Until"), "-----");
  EXPECT_EQ(detailValue("Reason"), "Running slow");
  EXPECT_EQ(detailValue("Cost"), "$250");
  EXPECT_EQ(detailValue("Description"), "Demagnetised\nRegulated");
  screenshot("detail");

  click(item("serviceEditButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  settle();
  EXPECT_EQ(item("editorTitle")->property("text").toString(), "Edit Service");
  EXPECT_EQ(fieldText("serviceReasonTextField"), "Running slow");
  EXPECT_EQ(fieldText("serviceCostTextField"), "250");
  // Nothing opens by itself in edit mode.
  EXPECT_EQ(item("wheelPanel"), nullptr);
  tapField("serviceReasonTextField");
  QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
  typeText(window(), "Crown stuck");
  tapField("serviceCentreTextField");
  QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
  typeText(window(), "Watchmaker Oy");
  saveForm();

  // Two screens back: the detail is skipped.
  EXPECT_EQ(item("serviceDetailPage"), nullptr);
  EXPECT_NE(item("servicesPage"), nullptr);
  EXPECT_EQ(depth(), 1);
  EXPECT_EQ(service->huoltosyy(), "Crown stuck");
  row = serviceRow(*service);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(textIn(row, "serviceTitle"), "Omega Speedmaster (Watchmaker Oy)");

  // Swiped left, the row offers Delete, which deletes without asking.
  dragItem(row, QPoint(-160, 0));
  settle(400);
  QQuickItem* remove = find(row, "deleteAction");
  ASSERT_NE(remove, nullptr);
  EXPECT_EQ(remove->property("contentItem").value<QQuickItem*>()->property("text").toString(),
            "Delete");
  screenshot("swiped");
  click(remove);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(services().empty());
  EXPECT_TRUE(waitFor([&] { return item("emptyServicesLabel") != nullptr; }));
}

TEST_F(ServiceScreensTest, TheCostFieldRefusesACurrencySign) {
  openServices();
  click(item("addServiceButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  tapField("serviceCostTextField");
  typeText(window(), "120");
  typeText(window(), "$");
  EXPECT_EQ(fieldText("serviceCostTextField"), "120");
  typeText(window(), ".5");
  EXPECT_EQ(fieldText("serviceCostTextField"), "120.5");
  EXPECT_EQ(editorOf("service").form()->text("serviceCostTextField"), "120.5");
  // The service centre is not filtered.
  tapField("serviceCentreTextField");
  typeText(window(), "$hop");
  EXPECT_EQ(fieldText("serviceCentreTextField"), "$hop");
}

}  // namespace
}  // namespace tockary::testing
