// The screens as the README shows them: a varied collection with pictures, driven by the mouse.
// scripts/update-screenshots copies what these tests save into docs/screenshots/.

#include <QBuffer>
#include <QPainter>

#include <cmath>

#include "collection/watch_card.h"
#include "gui/collection_screen_support.h"
#include "gui/warranty_card_picture.h"
#include "platform/image/qt_image.h"
#include "platform/render/renderer.h"
#include "settings/preference_keys.h"
#include "support/pdf_reading.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

// A watch face drawn for the collection: case and dial colours, hands at a time of its own.
Bytes dialPicture(QColor background, QColor dial, QColor hands, int hour, int minute) {
  QImage image(480, 480, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(240, 240);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(200, 200, 205));
  painter.drawEllipse(centre, 200, 200);
  painter.setBrush(dial);
  painter.drawEllipse(centre, 178, 178);
  painter.setPen(QPen(hands, 6, Qt::SolidLine, Qt::RoundCap));
  for (int mark = 0; mark < 12; ++mark) {
    const double angle = mark * M_PI / 6;
    painter.drawLine(centre + QPointF(std::sin(angle) * 150, -std::cos(angle) * 150),
                     centre + QPointF(std::sin(angle) * 168, -std::cos(angle) * 168));
  }
  const double hourAngle = (hour % 12 + minute / 60.0) * M_PI / 6;
  const double minuteAngle = minute * M_PI / 30;
  painter.setPen(QPen(hands, 14, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(std::sin(hourAngle) * 95, -std::cos(hourAngle) * 95));
  painter.setPen(QPen(hands, 9, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre,
                   centre + QPointF(std::sin(minuteAngle) * 145, -std::cos(minuteAngle) * 145));
  painter.end();
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(encoded.begin(), encoded.end());
}

class UserScreenshots : public CollectionScreenTest {
 protected:
  struct Spec {
    const char* brand;
    const char* model;
    const char* year;
    const char* movement;
    const char* status;
    double wears;
    int boughtYear;
    QColor dial;
    QColor hands;
  };

  void SetUp() override {
    CollectionScreenTest::SetUp();
    UserDefaults& defaults = app->services().defaults;
    for (std::string_view key :
         {kBadgesSettingOn, kOwnershipSettingOn, kDataIndicatorSettingOn, kFadeSettingOn,
          kWearRateSettingOn, kWarrantyInfoSettingOn, kTechDetailsSettingOn, kDwrswrSettingOn}) {
      defaults.setBool(true, key);
    }
    const Calendar& calendar = app->services().formatters.calendar();
    const Date now = app->services().clock.now();
    const int thisYear = calendar.localDateTime(now).year;
    const Spec specs[] = {
        {"Omega", "Speedmaster", "1998", "Manual", "Keeper", 142, 2019, QColor(20, 22, 26),
         Qt::white},
        {"Seiko", "SKX007", "2005", "Automatic", "On Winder", 35, 2016, QColor(15, 15, 15),
         QColor(240, 165, 0)},
        {"Rolex", "Explorer", "2012", "Automatic", "Grail", 480, 2014, QColor(25, 25, 25),
         QColor(230, 230, 230)},
        {"Tudor", "Black Bay 58", "2020", "Automatic", "In Watchbox", 12, thisYear,
         QColor(20, 45, 95), QColor(225, 190, 120)},
        {"Grand Seiko", "SBGA211", "2019", "Spring Drive", "Short List", 60, 2021,
         QColor(235, 238, 240), QColor(60, 80, 110)},
        {"Casio", "F-91W", "1991", "Quartz", "Needs Battery", 3, 2010, QColor(70, 70, 70),
         QColor(250, 250, 250)},
        {"Sinn", "556", "2016", "Automatic", "Serviced", 201, 2017, QColor(10, 10, 12), Qt::white},
        {"Longines", "Spirit", "2022", "Automatic", "Incoming", 0, thisYear, QColor(30, 60, 40),
         QColor(240, 230, 200)},
        {"Hamilton", "Khaki Field", "2018", "Manual", "For Sale", 88, 2018, QColor(40, 45, 35),
         QColor(245, 240, 220)},
        {"Nomos", "Tangente", "2015", "Manual", "Willing To Flip", 51, 2015, QColor(245, 243, 238),
         QColor(30, 30, 60)},
    };
    int index = 0;
    for (const Spec& spec : specs) {
      auto watch = addWatch(spec.brand, spec.model, spec.year);
      watch->setKoneistotyyppi(std::string(spec.movement));
      watch->setVarasarake2(std::string(spec.status));
      watch->setVarasarake4(spec.wears);
      watch->setOstopvm(calendar.dateFrom(spec.boughtYear, 1 + index % 12, 3 + index));
      watch->setOstohinta(300.0 + 450 * index);
      watch->setHalkaisija(std::to_string(36 + index % 7));
      watch->setLugivali(index % 2 == 0 ? "20" : "22");
      watch->setKellokuva(
          dialPicture(QColor(28, 28, 30), spec.dial, spec.hands, 10 + index, 8 + 5 * index));
      if (spec.wears > 0) {
        // Worn lately, but the watch for sale has waited in its box for months.
        const int daysAgo = spec.status == std::string("For Sale") ? 120 : index;
        watch->setVarasarake5(now - std::chrono::hours(24 * daysAgo));
      }
      if (spec.brand == std::string("Tudor")) {
        watch->setTakuupvm(now + std::chrono::hours(24 * 5));
      }
      if (spec.brand == std::string("Nomos")) {
        watch->setMyyntiliike(std::string("A collector"));
        watch->setMyyntipvm(calendar.dateFrom(2024, 6, 1));
        watch->setMyyntihinta(2600);
      }
      watches.push_back(watch);
      ++index;
    }
    ASSERT_TRUE(app->services().context().save().isOk());
    revisitCollection();
    settle(500);
  }

  std::vector<std::shared_ptr<Kello>> watches;
};

TEST_F(UserScreenshots, Collection) {
  QQuickItem* list = item("collectionList");
  ASSERT_NE(list, nullptr);
  // The list opens at its top: the first row whole under the bar.
  ASSERT_NE(row(*watches[5]), nullptr);  // Casio comes first
  EXPECT_EQ(row(*watches[5])->mapToItem(list, QPointF(0, 0)).y(), 0);
  settle(1000);  // pictures are decoded off the GUI thread
  screenshot("collection");
}

TEST_F(UserScreenshots, DetailFaces) {
  scrollToRow(*watches[0]);
  click(row(*watches[0]));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  settle(800);
  screenshot("detail-front");
  click(item("flipButton"));
  settle(900);
  screenshot("detail-back");
  click(item("flipButton"));
  settle(900);
  ASSERT_NE(item("tekstiView"), nullptr);
  screenshot("detail-diagram");
}

TEST_F(UserScreenshots, Report) {
  const std::filesystem::path documents = dir.path() / "Documents";
  std::filesystem::create_directories(dir.path() / "config");
  writeFile(dir.path() / "config" / "user-dirs.dirs",
            "XDG_DOCUMENTS_DIR=\"" + documents.string() + "\"\n");
  const ScopedEnvironment config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
  scrollToRow(*watches[0]);
  click(row(*watches[0]));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  dragDetailUntilShown("reportButton_PDF");
  click(item("reportButton_PDF"));
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Share"; }));
  const auto reports = namesIn(documents);
  ASSERT_EQ(reports.size(), 1u);
  const QImage page = toQImage(pdfPage(documents / reports[0], 60));
  ASSERT_FALSE(page.isNull());
  page.save(QString::fromStdString(screenshotFile("report").string()));

  pressAction("cancel");
  dragDetailUntilShown("reportButton_PDF_FOR_SALE");
  click(item("reportButton_PDF_FOR_SALE"));
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Share"; })) << sheetHeadline().toStdString();
  const QImage forSale = toQImage(pdfPage(documents / reports[0], 60));
  ASSERT_FALSE(forSale.isNull());
  forSale.save(QString::fromStdString(screenshotFile("report-for-sale").string()));
}

TEST_F(UserScreenshots, EditorWithAWheel) {
  scrollToRow(*watches[0]);
  click(row(*watches[0]));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  click(item("editButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  settle(500);
  click(item("movementTypeTextField"));
  ASSERT_TRUE(waitFor([&] { return item("wheelPanel") != nullptr; }));
  settle(500);
  screenshot("editor-wheel");
}

TEST_F(UserScreenshots, BadgeSheet) {
  auto watch = watches[8];  // one wear short of its hundredth
  watch->setVarasarake4(99);
  ASSERT_TRUE(app->services().context().save().isOk());
  click(row(*watch));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  click(item("wearButton"));
  pressAction("confirmWear");
  ASSERT_TRUE(waitFor([&] { return sheetHeadline().startsWith("Badge unlocked"); }));
  settle(4500);  // the badge grows into place
  screenshot("badge-sheet");
}

TEST_F(UserScreenshots, ComparisonAndKeeperRate) {
  click(find(row(*watches[5]), "dwrButton"));  // the first row
  ASSERT_TRUE(waitFor([&] { return sheetHeadline().contains("Compared to my"); }));
  settle(300);
  screenshot("comparison-sheet");
  pressAction("keeperRate");
  ASSERT_TRUE(waitFor([&] { return sheetHeadline().startsWith("Keeper Rate:"); }));
  settle(300);
  screenshot("keeper-rate-sheet");
}

TEST_F(UserScreenshots, WatchOfTheDay) {
  click(item("watchOfTheDayButton"));
  ASSERT_TRUE(waitFor([&] { return sheetHeadline().startsWith("Watch Of The Day:"); }));
  settle(2000);  // the picture spins and comes to rest
  screenshot("watch-of-the-day");
}

TEST_F(UserScreenshots, WatchCard) {
  click(find(row(*watches[5]), "statusButtonOutlet"));  // the first row
  ASSERT_TRUE(waitFor([&] { return item("sheetImage_5") != nullptr; }));
  settle(3500);  // the status icon springs into place
  screenshot("watch-card");

  // The card as one picture, as `tockary card -o` writes it.
  auto card = watchCard(*watches[5], app->services());
  ASSERT_TRUE(card.isOk()) << card.status().description();
  const Result<Bytes> png = renderPng(watchCardDrawing(card->sheet), 2);
  ASSERT_TRUE(png.isOk()) << png.status().description();
  writeFile(screenshotFile("watch-card-picture"), std::string(png->begin(), png->end()));
}

TEST_F(UserScreenshots, Summary) {
  click(item("summaryButton"));
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "My watch collection summary: "; }));
  settle(300);
  screenshot("summary-sheet");
}

// A few service visits of the collection's watches, opened from the Services tab.
TEST_F(UserScreenshots, Services) {
  const Calendar& calendar = app->services().formatters.calendar();
  struct Visit {
    const char* watch;
    const char* centre;
    int year, month, day;
    int returnDays;    // 0: still away
    int warrantyDays;  // 0: none
    const char* reason;
    double cost;
    const char* description;
  };
  const Visit visits[] = {
      {"Omega Speedmaster", "Omega Service Centre", 2024, 3, 4, 42, 730, "Full service", 1150,
       "Movement overhauled, new crystal gasket.\nPressure tested to 5 bar."},
      {"Rolex Explorer", "Watchmaker Oy", 2023, 10, 16, 63, 0, "Running 12 s/day fast", 780,
       "Cleaned and regulated."},
      {"Seiko SKX007", "", 2025, 5, 20, 0, 0, "Bezel insert", 45, ""},
      {"Casio F-91W", "Kiosk", 2024, 8, 2, 0, 0, "Battery", 6, ""},
  };
  for (const Visit& visit : visits) {
    auto service = app->services().context().insertNewObject<Huolto>();
    const Date start = calendar.dateFrom(visit.year, visit.month, visit.day);
    service->setHuollonkello(std::string(visit.watch));
    service->setHuoltoliike(std::string(visit.centre));
    service->setHuoltopvm(start);
    if (visit.returnDays > 0)
      service->setHuollostapaluupvm(start + std::chrono::hours(24 * visit.returnDays));
    if (visit.warrantyDays > 0)
      service->setHuoltotakuupvm(start + std::chrono::hours(24 * visit.warrantyDays));
    service->setHuoltosyy(std::string(visit.reason));
    service->setHuoltohinta(visit.cost);
    service->setHuoltokuvaus(std::string(visit.description));
  }
  ASSERT_TRUE(app->services().context().save().isOk());

  click(item("tab_services"));
  ASSERT_TRUE(waitFor([&] { return item("servicesPage") != nullptr; }));
  settle(300);
  screenshot("services");

  QQuickItem* first = nullptr;
  ASSERT_TRUE(waitFor([&] {
    first = find(item("serviceList"), "serviceTitle");
    return first != nullptr && first->property("text").toString().startsWith("Casio");
  }));
  QQuickItem* omega = nullptr;
  for (QQuickItem* row :
       item("serviceList")->property("contentItem").value<QQuickItem*>()->childItems()) {
    if (find(row, "serviceTitle") != nullptr &&
        find(row, "serviceTitle")->property("text").toString().startsWith("Omega"))
      omega = row;
  }
  ASSERT_NE(omega, nullptr);
  click(omega);
  ASSERT_TRUE(waitFor([&] { return item("serviceDetailPage") != nullptr; }));
  settle(300);
  screenshot("service-detail");

  click(item("serviceEditButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  click(item("serviceEndDateTextField"));
  ASSERT_TRUE(waitFor([&] { return item("wheelPanel") != nullptr; }));
  settle(500);
  screenshot("service-editor-wheel");
}

TEST_F(UserScreenshots, Measurements) {
  const Date now = app->services().clock.now();
  auto& context = app->services().context();
  struct Run {
    const char* watch;
    const char* environment;
    std::chrono::minutes ago;
    double rate;  // seconds per day; NaN while running
    const char* result;
    const char* duration;
  };
  const Run runs[] = {
      {"Seiko SKX007", "On wrist", std::chrono::minutes(26 * 60 + 5), NAN, "", ""},
      {"Omega Speedmaster", "On table dial up", std::chrono::minutes(9 * 24 * 60), 4.8, "4.8 sec/d",
       "Measure ready, duration: 25 hour(s)"},
      {"Omega Speedmaster", "On wrist", std::chrono::minutes(20 * 24 * 60), 1.2, "1.2 sec/d",
       "Measure ready, duration: 23 hour(s)"},
      {"Rolex Explorer", "On winder", std::chrono::minutes(5 * 24 * 60), -1.5, "-1.5 sec/d",
       "Measure ready, duration: 31 hour(s)"},
  };
  for (const Run& run : runs) {
    auto record = context.insertNewObject<Varataulu>();
    const Date start = now - run.ago;
    record->setVaraString1(std::string(run.watch));
    record->setVaraString3(std::string(run.environment));
    record->setVaraPVM1(start);
    record->setVaraPVM2(start - std::chrono::seconds(30));
    record->setVaraString5(std::string(std::isnan(run.rate) ? "Started" : "Valmis"));
    record->setVaraString2(std::string(run.result));
    if (!std::isnan(run.rate)) {
      record->setVaraDouble1(run.rate);
      record->setVaraString4(std::string(run.duration));
    }
  }
  ASSERT_TRUE(context.save().isOk());

  click(item("tab_measurements"));
  ASSERT_TRUE(waitFor([&] { return item("measurementsPage") != nullptr; }));
  settle(300);
  screenshot("measurements");

  // A new measurement, started and being matched to the watch.
  click(item("addMeasurementButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  click(item("toolbarButton"));
  click(item("startButton"));
  click(item("plusMinButton"));
  settle(300);
  screenshot("measurement-start");
  click(item("measurementBackButton"));
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") == nullptr; }));

  // The running one, its end being matched.
  QQuickItem* running = nullptr;
  for (QQuickItem* row :
       item("measurementList")->property("contentItem").value<QQuickItem*>()->childItems()) {
    if (find(row, "measurementResult") != nullptr &&
        find(row, "measurementResult")->property("text").toString() == "IN PROGRESS...")
      running = row;
  }
  ASSERT_NE(running, nullptr);
  click(running);
  ASSERT_TRUE(waitFor([&] { return item("measurementPage") != nullptr; }));
  click(item("startButton"));
  settle(300);
  screenshot("measurement-end");
}

// Warranty cards of some of the collection's watches, photographed, opened from the Warranties
// tab.
TEST_F(UserScreenshots, Warranties) {
  for (const char* watch : {"Omega Speedmaster", "Seiko SKX007", "Tudor Black Bay 58"}) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    warrantyCardPicture().save(&buffer, "PNG");
    auto card = app->services().context().insertNewObject<Takuu>();
    card->setTakuunKello(std::string(watch));
    card->setTakuuKortti(Bytes(png.begin(), png.end()));
  }
  ASSERT_TRUE(app->services().context().save().isOk());

  click(item("tab_warranties"));
  ASSERT_TRUE(waitFor([&] { return item("warrantiesPage") != nullptr; }));
  settle(300);
  screenshot("warranties");

  QQuickItem* omega = nullptr;
  ASSERT_TRUE(waitFor([&] {
    omega = find(item("warrantyList"), "warrantyTitle");
    return omega != nullptr && omega->property("text").toString() == "Omega Speedmaster";
  }));
  click(omega);
  ASSERT_TRUE(waitFor([&] {
    QQuickItem* image = item("warrantyCardImage");
    return image != nullptr && image->property("status").toInt() == 1;  // Image.Ready
  }));
  settle(300);
  screenshot("warranty-detail");

  click(item("warrantyEditButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  click(item("brandAndModelTextField"));
  ASSERT_TRUE(waitFor([&] { return item("wheelPanel") != nullptr; }));
  settle(500);
  screenshot("warranty-editor");
}

TEST_F(UserScreenshots, Settings) {
  click(item("tab_settings"));
  ASSERT_TRUE(waitFor([&] { return item("settingsPage") != nullptr; }));
  settle(300);
  screenshot("settings");
}

}  // namespace
}  // namespace tockary::testing
