#include "gui/record_screens_support.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

using namespace std::chrono;

// The Measurements tab driven as a user does, on a clock the test sets: the list with its
// summary and order menu, and the measurement screen through its start and end.
class MeasurementScreensTest : public RecordScreensTest {
 protected:
  void SetUp() override {
    clock.set(Date(sys_days{2024y / March / 10} + 14h + 30min + 20s));
    appClock = &clock;
    RecordScreensTest::SetUp();
  }

  std::shared_ptr<Varataulu> addMeasurement(const std::string& watch, const char* status,
                                            double rate, Date start) {
    auto record = context().insertNewObject<Varataulu>();
    record->setVaraString1(watch);
    record->setVaraString5(std::string(status));
    record->setVaraPVM1(start);
    record->setVaraPVM2(start);
    record->setVaraDouble1(rate);
    record->setVaraString2(std::string(status) == "Valmis" ? std::to_string(rate) : "");
    return record;
  }

  std::vector<std::shared_ptr<Varataulu>> measurements() {
    return context().fetch<Varataulu>(Varataulu::fetchRequest()).value();
  }

  // Shows the list, fetched afresh as each visit of the tab does.
  void openMeasurements() {
    click(item("tab_settings"));
    click(item("tab_measurements"));
    ASSERT_TRUE(waitFor([&] { return item("measurementsPage") != nullptr; }));
  }

  QQuickItem* row(const Varataulu& record) { return recordRow("measurementRow_", record); }

  QString textOf(const QString& name) { return textIn(window()->contentItem(), name); }

  QString startButtonPicture() {
    QQuickItem* image = item("startButtonImage");
    return image == nullptr ? QString("<none>") : image->property("source").toString();
  }

  // The watches in list order.
  QStringList listedWatches() {
    QStringList watches;
    QQuickItem* list = item("measurementList");
    if (list == nullptr) return {"<no list>"};
    QQuickItem* content = list->property("contentItem").value<QQuickItem*>();
    std::vector<std::pair<double, QString>> rows;
    for (QQuickItem* child : content->childItems()) {
      if (!child->objectName().startsWith("measurementRow_") || !child->isVisible()) continue;
      rows.emplace_back(child->y(), textIn(child, "measurementWatch"));
    }
    std::ranges::sort(rows);
    for (const auto& [y, watch] : rows) watches << watch;
    return watches;
  }

  FixedClock clock;
};

TEST_F(MeasurementScreensTest, AMeasurementIsStartedEndedAndFinishedFromTheList) {
  openMeasurements();
  EXPECT_EQ(textOf("measurementsTitle"), "Measurements");
  ASSERT_NE(item("emptyMeasurementsLabel"), nullptr);

  click(item("addMeasurementButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  settle();
  // The watch field asked to be edited first: its wheel is open on the first unsold watch.
  EXPECT_EQ(toolbarTitle(), "Choose Watch for measurement: ");
  EXPECT_EQ(wheelTitles("wheel_0"), QStringList({"Omega Speedmaster", "Seiko SKX007"}));
  scroll(item("wheel_0"), 1);
  EXPECT_EQ(fieldText("watchToMeasureTextField"), "Seiko SKX007");
  confirmWheel();
  click(item("measureEnvironmentTextField"));
  EXPECT_EQ(fieldText("measureEnvironmentTextField"), "On wrist");
  dragWheelTo("wheel_0", "On winder");
  confirmWheel();
  EXPECT_EQ(fieldText("measureEnvironmentTextField"), "On winder");

  // The phone's time ticks on with the clock.
  EXPECT_EQ(textOf("clockLabel"), "3/10/24, 2:30:20\u202fPM");
  clock.advance(1s);
  EXPECT_TRUE(waitFor([&] { return textOf("clockLabel") == "3/10/24, 2:30:21\u202fPM"; }))
      << textOf("clockLabel").toStdString();
  EXPECT_TRUE(startButtonPicture().contains("AccuracyStart")) << startButtonPicture().toStdString();
  EXPECT_EQ(item("plusMinButton"), nullptr);

  // The second hand at twelve: start; the watch showed two minutes more than the phone.
  click(item("startButton"));
  EXPECT_TRUE(startButtonPicture().endsWith("AccuracyStartConfirm"))
      << startButtonPicture().toStdString();
  EXPECT_EQ(textOf("startMeasurementTimeLabel"), "14:30");
  EXPECT_EQ(textOf("realStartDateLabel"), "3/10/24, 2:30:21\u202fPM");
  click(item("plusMinButton"));
  click(item("plusMinButton"));
  EXPECT_EQ(textOf("startMeasurementTimeLabel"), "14:32");
  screenshot("start-matched");
  click(item("startButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") == nullptr; }));

  auto stored = measurements();
  ASSERT_EQ(stored.size(), 1u);
  const auto record = stored.front();
  EXPECT_EQ(record->varaString1(), "Seiko SKX007");
  EXPECT_EQ(record->varaString3(), "On winder");
  EXPECT_EQ(record->varaString5(), "Started");
  EXPECT_EQ(record->varaPVM1(), Date(sys_days{2024y / March / 10} + 14h + 30min + 21s));
  EXPECT_EQ(record->varaPVM2(), Date(sys_days{2024y / March / 10} + 14h + 32min));
  QQuickItem* listed = row(*record);
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(textIn(listed, "measurementResult"), "IN PROGRESS...");
  EXPECT_EQ(textIn(listed, "measurementDuration"), "Measuring: 0 minute(s)");
  EXPECT_EQ(textIn(listed, "measurementStart"), "Measure start date: 3/10/24");

  // A day later the running time has moved on.
  clock.set(Date(sys_days{2024y / March / 11} + 14h + 32min + 26s));
  openMeasurements();
  listed = row(*record);
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(textIn(listed, "measurementDuration"), "Measuring: 24h 2min");

  click(listed);
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  EXPECT_TRUE(startButtonPicture().endsWith("AccuracyStop")) << startButtonPicture().toStdString();
  EXPECT_EQ(fieldText("watchToMeasureTextField"), "Seiko SKX007");
  EXPECT_EQ(item("wheelPanel"), nullptr);
  click(item("startButton"));
  EXPECT_TRUE(startButtonPicture().endsWith("AccuracyStopConfirm"));
  EXPECT_EQ(textOf("endMeasurementLabel"), "14:32");
  click(item("plusMinButton"));
  EXPECT_EQ(textOf("endMeasurementLabel"), "14:33");
  screenshot("end-matched");
  click(item("startButton"));

  // The watch ran 86460 s while the phone ran 86525 s.
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_EQ(app->presenter().headline().toStdString(),
            "Measurement result so far: \n \n -64.9 sec/d");
  EXPECT_EQ(app->presenter().message().toStdString(),
            "This measurement has been taken based on a period of longer than 12 hours, this "
            "result can be considered accurate within the abilities of this test.");
  screenshot("result-alert");
  pressAction("finishMeasurement");
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") == nullptr; }));

  EXPECT_EQ(record->varaString5(), "Valmis");
  listed = row(*record);
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(textIn(listed, "measurementResult"), "-64.9 sec/d");
  EXPECT_EQ(textIn(listed, "measurementDuration"), "Measure ready, duration: 24 hour(s)");
  EXPECT_EQ(textOf("summaryLine_0"), "Seiko SKX007: 1 measurement, -64.9 sec/d");
  screenshot("list-finished");

  // Finished, it opens read only: its result and nothing to press or turn.
  click(listed);
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  EXPECT_EQ(textOf("userInfoLabel"),
            "This measurement is ready. The accuracy of the watch was: \n\n  -64.9 sec/d");
  EXPECT_EQ(item("startButton"), nullptr);
  EXPECT_EQ(item("plusMinButton"), nullptr);
  click(item("watchToMeasureTextField"));
  EXPECT_EQ(item("wheelPanel"), nullptr);
  screenshot("finished");
  click(item("measurementBackButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") == nullptr; }));

  // Swiped left, the row offers Delete, which deletes without asking.
  listed = row(*record);
  ASSERT_NE(listed, nullptr);
  dragItem(listed, QPoint(-160, 0));
  settle(400);
  QQuickItem* remove = find(listed, "deleteAction");
  ASSERT_NE(remove, nullptr);
  click(remove);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(measurements().empty());
  EXPECT_TRUE(waitFor([&] { return item("emptyMeasurementsLabel") != nullptr; }));
  EXPECT_EQ(item("summaryLine_0"), nullptr);
}

TEST_F(MeasurementScreensTest, ContinuingLeavesTheMeasurementRunning) {
  const auto record = addMeasurement("Omega Speedmaster", "Started", 0, clock.now() - 2h);
  ASSERT_TRUE(context().save().isOk());
  openMeasurements();
  click(row(*record));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  click(item("startButton"));
  click(item("startButton"));
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_EQ(app->presenter().message().toStdString(),
            "Measurement duration is less than 12 hours. For a more accurate result, please wait "
            "at least 12 hours.");
  pressAction("continueMeasuring");
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") == nullptr; }));
  EXPECT_EQ(record->varaString5(), "Started");
  EXPECT_EQ(textIn(row(*record), "measurementDuration"), "Measuring: 2h 0min");
}

TEST_F(MeasurementScreensTest, TheOrderMenuAndTheInstructionsAreSheets) {
  const Date now = clock.now();
  addMeasurement("Omega Speedmaster", "Valmis", 4.8, now - 48h);
  addMeasurement("Casio F-91W", "Started", 0, now - 1h);
  addMeasurement("Seiko SKX007", "Valmis", -9.6, now - 30h);
  ASSERT_TRUE(context().save().isOk());
  openMeasurements();
  // Without a stored choice the list is by watch.
  ASSERT_TRUE(waitFor([&] { return listedWatches().size() == 3; }));
  EXPECT_EQ(listedWatches(), QStringList({"Casio F-91W", "Omega Speedmaster", "Seiko SKX007"}));

  click(item("orderMeasurementsButton"));
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(app->presenter().headline(), "Order the measurements by:");
  pressAction("orderByTotalAccuracy");
  EXPECT_EQ(app->services().defaults.flag(kOrderByTotalAccuracy), true);
  EXPECT_TRUE(waitFor([&] {
    return listedWatches() == QStringList({"Seiko SKX007", "Casio F-91W", "Omega Speedmaster"});
  })) << listedWatches().join(", ").toStdString();

  click(item("orderMeasurementsButton"));
  pressAction("orderByAccuracyStatus");
  EXPECT_TRUE(waitFor([&] { return listedWatches().front() == "Casio F-91W"; }));

  click(item("addMeasurementButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  click(item("instructionsButton"));
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(app->presenter().headline(), "Accuracy measurement instructions: ");
  screenshot("instructions");
  pressKey(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
}

}  // namespace
}  // namespace tockary::testing
