#include "detail/watch_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "detail/detail_fixture.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "platform/image/image_codec.h"
#include "store/share_rules.h"
#include "support/pdf_reading.h"

namespace tockary::testing {
namespace {

Bytes picture(std::uint32_t colour, ImageFormat format = ImageFormat::Png) {
  const std::array<std::uint32_t, 4> pixels{colour, colour, colour, colour};
  const Image image = Image::fromArgb(2, 2, pixels);
  const ImageCodec codec;
  return (format == ImageFormat::Png ? codec.encodePng(image) : codec.encodeJpeg(image, 0.9))
      .value();
}

// The texts of a drawing's text blocks, each run's text joined.
std::vector<std::string> blockTexts(const Drawing& page) {
  std::vector<std::string> texts;
  for (const DrawingElement& element : page.elements) {
    if (const auto* text = std::get_if<DrawnText>(&element)) {
      std::string joined;
      for (const TextRun& run : text->runs) joined += run.text;
      texts.push_back(joined);
    }
  }
  return texts;
}

std::vector<DrawnText> blocks(const Drawing& page) {
  std::vector<DrawnText> found;
  for (const DrawingElement& element : page.elements) {
    if (const auto* text = std::get_if<DrawnText>(&element)) found.push_back(*text);
  }
  return found;
}

std::vector<Frame> pictureFrames(const Drawing& page) {
  std::vector<Frame> frames;
  for (const DrawingElement& element : page.elements) {
    if (const auto* drawn = std::get_if<DrawnPicture>(&element)) frames.push_back(drawn->frame);
  }
  return frames;
}

class WatchReportTest : public DetailTest {
 protected:
  // Every field the report shows.
  std::shared_ptr<Kello> fullWatch(const std::string& brand = "Alpha") {
    auto w = newWatch(brand);
    w->setMalli(std::string("Beta"));
    w->setVuosimalli(std::string("1998"));
    w->setRefkoodi(std::string("R-1"));
    w->setSarjanumero(std::string("S-2"));
    w->setKoneistotyyppi(std::string("Automatic"));
    w->setKoneisto(std::string("8500"));
    w->setPowerreserve(std::string("60"));
    w->setBph(std::string("25200"));
    w->setHalkaisija(std::string("41.5"));
    w->setLugivali(std::string("20"));
    w->setVarasarake1(std::string("48"));
    w->setPaksuus(std::string("12"));
    w->setKuorenmateriaali(std::string("Steel"));
    w->setBezelmateriaali(std::string("Ceramic"));
    w->setTauluvari(std::string("Black"));
    w->setLasi(std::string("Sapphire"));
    w->setKruunu(std::string("Screw-down"));
    w->setVedenpitavyys(std::string("100m"));
    w->setKomplikaatio1(std::string("Date"));
    w->setKomplikaatio6(std::string("GMT"));
    w->setOstoliike(std::string("Dealer"));
    w->setSetlaajuus(std::string("Box"));
    w->setOstopvm(at(2020, 2, 29));
    w->setTakuupvm(at(2025, 2, 28));
    w->setOstohinta(1250);
    w->setKellokuva(picture(0xFFFF0000));
    w->setVarasarake6(picture(0xFF0000FF));
    EXPECT_TRUE(context().save().isOk());
    return w;
  }

  std::unique_ptr<TarkasteleKelloaTableViewController> open(const Kello& watch) {
    auto screen = std::make_unique<TarkasteleKelloaTableViewController>(services, watch.objectID());
    screen->viewDidLoad();
    screen->setDocumentsFolder(documents);
    return screen;
  }

  Drawing page(const Kello& watch, ReportLayout layout) {
    return watchReportPage(layout, open(watch)->snapshot(), {}, {}, formatters, clock.now());
  }

  std::vector<ShareRequest> shared() const {
    std::vector<ShareRequest> requests;
    for (const auto& event : presenter.events()) {
      if (const auto* share = std::get_if<RecordingPresenter::Share>(&event)) {
        requests.push_back(share->request);
      }
    }
    return requests;
  }

  std::filesystem::path documents = dir.path() / "Documents";
};

TEST_F(WatchReportTest, TheRegularReportsBlocksHoldEveryLineWithItsTabsAndLineEnds) {
  const auto texts = blockTexts(page(*fullWatch(), ReportLayout::Regular));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Alpha\nBeta\n" + std::string(59, '_') + std::string(14, '\n') +
                          "Movement:                              \n"
                          "Movement type:\t\t\tAutomatic\n"
                          "Movement:\t\t\t\t8500\n"
                          "Power reserve:\t\t\t60 hours\n"
                          "Vibrations per hour:\t\t25200\n\n"
                          "Case Details:                          \n"
                          "Case Diameter(mm):\t\t41.5\n"
                          "Lug Width(mm):\t\t\t20\n"
                          "Lug-to-Lug(mm):\t\t\t48\n"
                          "Thickness(mm):\t\t\t12\n"
                          "Case Material:\t\t\tSteel\n"
                          "Bezel Material\t\t\tCeramic\n"
                          "Dial Color:\t\t\t\tBlack\n"
                          "Glass: \t\t\t\tSapphire\n"
                          "Crown Type:\t\t\tScrew-down\n"
                          "Water Resistance:\t\t100m\n\n"
                          "Ownership:                \n"
                          "Purchased from:\t\t\tDealer\n"
                          "Purchase Date:\t\t\t2/29/20\n"
                          "Purchase price:\t\t\t$1,250\n"
                          "Warranty ends:\t\t\t2/28/25\n"
                          "Set includes:\t\t\tBox\n\n"
                          "Complications:                             \n"
                          "Date\n\n\n\n\nGMT\n" +
                          std::string(60, '_') + "\n" + " " +
                          formatters.fullDateMediumTime(clock.now()));
  EXPECT_EQ(texts[1],
            "Basic Information:                 \n"
            "Manufacture year:\t\t\t1998\n"
            "Reference code:\t\t\t\tR-1\n"
            "Serial number:\t\t\t\tS-2\n");
}

TEST_F(WatchReportTest, TheOtherLayoutsDifferInTabsLineEndsTitleAndPrice) {
  const auto w = fullWatch();
  const auto twoPictures = blockTexts(page(*w, ReportLayout::RegularTwoPictures));
  EXPECT_TRUE(twoPictures[0].starts_with("Alpha\nBeta\n" + std::string(69, '_') +
                                         std::string(18, '\n') + "Movement:"));
  EXPECT_NE(twoPictures[0].find("\nCrown Type:\t\t\t\tScrew-down\nWater Resistance:\t\t\t100m\n\n"),
            std::string::npos);
  EXPECT_NE(twoPictures[0].find("\nPurchase price:\t\t\t$1,250\n"), std::string::npos);
  EXPECT_NE(twoPictures[0].find("GMT\n" + std::string(62, '_') + "\n "), std::string::npos);
  EXPECT_EQ(twoPictures[1],
            "Basic Information:                 \nManufacture year:\t\t\t1998\n"
            "Reference code:\t\t\tR-1\nSerial number:\t\t\tS-2\n\n");

  // The square pages end below the case details; the rest continues under the basic
  // information, closed by a rule as wide as that column.
  const auto forSale = blockTexts(page(*w, ReportLayout::ForSale));
  EXPECT_TRUE(forSale[0].starts_with("For Sale\nAlpha Beta\n" + std::string(76, '_') +
                                     std::string(21, '\n') + "Movement:"));
  EXPECT_TRUE(forSale[0].ends_with("\nWater Resistance:\t\t\t100m\n\n")) << forSale[0];
  EXPECT_TRUE(
      forSale[1].starts_with("Basic Information:                 \n"
                             "Manufacture year:\t\t\t1998\nReference code:\t\t\tR-1\n"
                             "Serial number:\t\t\tS-2\n\nOwnership:                \n"
                             "Purchased from:\t\t\tDealer\n"))
      << forSale[1];
  EXPECT_NE(forSale[1].find("\nAsking price:\t\t\t$1,250\n\n\n\nWarranty ends:"),
            std::string::npos);
  EXPECT_EQ(forSale[1].find("Purchase price:"), std::string::npos);
  EXPECT_NE(forSale[1].find("\nGMT\n\n" + std::string(43, '_') + "\n "), std::string::npos);

  const auto forSale2 = blockTexts(page(*w, ReportLayout::ForSaleTwoPictures));
  const std::string& s = forSale2[0];
  EXPECT_TRUE(s.starts_with("For Sale\nAlpha Beta\n" + std::string(75, '_') +
                            std::string(19, '\n') + "Movement:"));
  for (const char* line :
       {"\nVibrations per hour:\t\t\t25200\n\n", "\nCase Diameter(mm):\t\t\t41.5\n",
        "\nBezel Material\t\t\t\tCeramic\n", "\nGlass: \t\t\t\t\tSapphire\n"}) {
    EXPECT_NE(s.find(line), std::string::npos) << line;
  }
  EXPECT_TRUE(s.ends_with("\nWater Resistance:\t\t\t100m\n\n\n\n\n")) << s;
  const std::string& tail = forSale2[1];
  for (const char* line : {"\nSerial number:\t\t\tS-2\n\nOwnership:",
                           "\nAsking price:\t\t\t\t$1,250\n\n\n\nWarranty ends:",
                           "\nSet includes:\t\t\t\tBox\nComplications:"}) {
    EXPECT_NE(tail.find(line), std::string::npos) << line;
  }
  EXPECT_NE(tail.find("\nGMT\n" + std::string(43, '_') + "\n "), std::string::npos);
}

TEST_F(WatchReportTest, AbsentValuesLeaveEmptyTextsHyphensForDatesAndHoursForThePowerReserve) {
  auto w = newWatch("Alpha");
  const std::string text = blockTexts(page(*w, ReportLayout::Regular))[0];
  EXPECT_TRUE(text.starts_with("Alpha\n\n"));
  EXPECT_NE(text.find("\nMovement type:\t\t\t\nMovement:\t\t\t\t\nPower reserve:\t\t\t hours\n"),
            std::string::npos);
  EXPECT_NE(text.find("\nPurchase Date:\t\t\t-----\nPurchase price:\t\t\t-----\n"
                      "Warranty ends:\t\t\t-----\n"),
            std::string::npos);
  // A price of 0 is a price.
  w->setOstohinta(0);
  ASSERT_TRUE(context().save().isOk());
  EXPECT_NE(blockTexts(page(*w, ReportLayout::Regular))[0].find("\nPurchase price:\t\t\t$0\n"),
            std::string::npos);
}

TEST_F(WatchReportTest, EachLayoutHasItsPageSizePicturesFontsAndBlockFrames) {
  struct Expected {
    ReportLayout layout;
    Size page;
    std::vector<Frame> pictures;
    double heading, body;
    Frame basic;
  };
  const Expected expected[] = {
      {ReportLayout::Regular, {595.2, 841.8}, {{50, 125, 200, 200}}, 14, 10, {255, 122, 305, 380}},
      {ReportLayout::RegularTwoPictures,
       {595.2, 841.8},
       {{50, 125, 220, 220}, {301, 125, 220, 220}},
       12,
       9,
       {301, 360, 282, 380}},
      {ReportLayout::ForSale,
       {595.2, 595.2},
       {{50, 110, 226, 226}},
       10,
       9,
       {295, 118, 595.2 - 50 - 295, 380}},
      {ReportLayout::ForSaleTwoPictures,
       {595.2, 595.2},
       {{50, 113, 200, 200}, {301, 113, 200, 200}},
       10,
       8,
       {301, 317, 595.2 - 50 - 301, 380}},  // to the page's margin
  };
  const auto w = fullWatch();
  for (const Expected& e : expected) {
    SCOPED_TRACE(static_cast<int>(e.layout));
    const Drawing drawn = page(*w, e.layout);
    EXPECT_EQ(drawn.size, e.page);
    EXPECT_EQ(pictureFrames(drawn), e.pictures);
    const auto b = blocks(drawn);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].frame, (Frame{50, 50, e.page.width - 100, e.page.height - 100}));
    EXPECT_EQ(b[1].frame, e.basic);
    // Title, long rule, heading, then a body line.
    EXPECT_EQ(b[0].runs[0].fontName, "HelveticaNeue-Bold");
    EXPECT_EQ(b[0].runs[0].pointSize, 22);
    EXPECT_EQ(b[0].runs[1].fontName, "HelveticaNeue-Bold");
    EXPECT_EQ(b[0].runs[1].pointSize, e.heading);
    EXPECT_EQ(b[0].runs[2].pointSize, e.heading);
    EXPECT_EQ(b[0].runs[3].fontName, "HelveticaNeue");
    EXPECT_EQ(b[0].runs[3].pointSize, e.body);
    EXPECT_EQ(b[0].runs.back().fontName, "HelveticaNeue");  // the footer
    EXPECT_EQ(b[1].runs[0].pointSize, e.heading);
    EXPECT_EQ(b[1].runs[1].pointSize, e.body);
  }
}

TEST_F(WatchReportTest,
       AReportIsWrittenToTheDocumentsFolderAndOfferedWithoutTheExcludedActivities) {
  auto screen = open(*fullWatch());
  const Result<std::filesystem::path> file = screen->PDF();
  ASSERT_TRUE(file.isOk()) << file.status().description();
  EXPECT_EQ(*file, documents / "Alpha Beta.pdf");
  EXPECT_EQ(pdfInfo(*file, "Title"), "Alpha Beta");
  EXPECT_TRUE(pdfInfo(*file, "Page size").starts_with("595.2 x 841.8 pts"));
  const std::string text = pdfText(*file);
  for (const char* shown :
       {"Basic Information:", "Movement:", "Case Details:", "Ownership:", "Complications:",
        "Purchase price:", "Power reserve:", "60 hours", "Manufacture year:", "1998"}) {
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  }
  const auto requests = shared();
  ASSERT_EQ(requests.size(), 1u);
  ASSERT_EQ(requests[0].items.size(), 1u);
  ASSERT_NE(requests[0].items[0].asFile(), nullptr);
  EXPECT_EQ(requests[0].items[0].asFile()->path, *file);
  EXPECT_EQ(
      requests[0].excludedActivityTypes,
      std::vector<ShareActivity>(kExcludedShareActivities.begin(), kExcludedShareActivities.end()));

  // For sale: its title first, on its square page, the asking price and the footer on it too.
  const Result<std::filesystem::path> sale = screen->PDF2_FOR_SALE();
  ASSERT_TRUE(sale.isOk()) << sale.status().description();
  EXPECT_EQ(*sale, *file);  // the same name: the earlier report is replaced
  EXPECT_EQ(namesIn(documents), std::vector<std::string>{"Alpha Beta.pdf"});
  EXPECT_TRUE(pdfInfo(*sale, "Page size").starts_with("595.2 x 595.2 pts"));
  const std::string saleText = pdfText(*sale);
  EXPECT_TRUE(saleText.substr(saleText.find_first_not_of(" \n")).starts_with("For Sale"))
      << saleText;
  for (const char* shown :
       {"Case Details:", "Water Resistance:", "Ownership:", "Asking price:", "$1,250",
        "Set includes:", "Complications:", "GMT", "Saturday, December 5, 2026 at 2:30:00"}) {
    EXPECT_NE(saleText.find(shown), std::string::npos) << shown << "\n" << saleText;
  }
  EXPECT_EQ(saleText.find("Purchase price:"), std::string::npos);
}

TEST_F(WatchReportTest, ABrandWithASlashStaysInTheDocumentsFolder) {
  auto screen = open(*fullWatch("A/B"));
  const Result<std::filesystem::path> file = screen->PDF_FOR_SALE();
  ASSERT_TRUE(file.isOk()) << file.status().description();
  EXPECT_EQ(*file, documents / "A-B Beta.pdf");
  EXPECT_EQ(namesIn(documents), std::vector<std::string>{"A-B Beta.pdf"});
  EXPECT_EQ(pdfInfo(*file, "Title"), "A/B Beta");  // the title entry keeps what was typed

  auto dots = fullWatch("..");
  dots->setMalli(std::string());
  ASSERT_TRUE(context().save().isOk());
  const Result<std::filesystem::path> odd = open(*dots)->PDF();
  ASSERT_TRUE(odd.isOk()) << odd.status().description();
  EXPECT_EQ(odd->parent_path(), documents);
}

TEST_F(WatchReportTest, NoReportWithoutThePicturesTheLayoutNeeds) {
  auto w = fullWatch();
  w->setVarasarake6(std::nullopt);
  ASSERT_TRUE(context().save().isOk());
  auto screen = open(*w);
  for (auto twoPictures : {&TarkasteleKelloaTableViewController::PDF2,
                           &TarkasteleKelloaTableViewController::PDF2_FOR_SALE}) {
    const auto refused = ((*screen).*twoPictures)();
    ASSERT_FALSE(refused.isOk());
    EXPECT_EQ(refused.status().description(),
              "The report needs the back picture, and the watch has none");
  }
  EXPECT_TRUE(screen->PDF().isOk());  // one picture is enough here

  auto bare = newWatch("Alpha");
  auto none = open(*bare);
  EXPECT_EQ(none->PDF().status().description(),
            "The report needs the front picture, and the watch has none");
  EXPECT_EQ(none->shareWatchInfo().description(),
            "Sharing needs the front picture, and the watch has none");
  screen->flipWatchPhoto();  // the back: none
  EXPECT_EQ(screen->PDF().status().description(),
            "The report needs the back picture, and the watch has none");
  screen->flipWatchPhoto();  // the diagram
  EXPECT_EQ(screen->PDF_FOR_SALE().status().description(),
            "The report needs a picture of the watch, and the screen shows the dimension diagram");

  w->setKellokuva(Bytes{0xFF, 0xD8, 0xFF, 1, 2});  // a broken JPEG
  ASSERT_TRUE(context().save().isOk());
  const auto broken = open(*w)->PDF();
  ASSERT_FALSE(broken.isOk());
  EXPECT_TRUE(broken.status().description().starts_with("The picture cannot be used: "));

  EXPECT_EQ(shared().size(), 1u);  // only the one report made
  EXPECT_EQ(namesIn(documents), std::vector<std::string>{"Alpha Beta.pdf"});
}

TEST_F(WatchReportTest, AReportThatCannotBeWrittenIsNotShared) {
  writeFile(documents, "a file where the folder should be");
  auto screen = open(*fullWatch());
  const auto failed = screen->PDF();
  ASSERT_FALSE(failed.isOk());
  EXPECT_TRUE(shared().empty());
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().starts_with("Could not create PDF file: ")) << lines.back();
}

TEST_F(WatchReportTest, TheQuickShareHandsOnTwentyItemsInOrder) {
  auto w = fullWatch();
  const Bytes jpeg = picture(0xFF00FF00, ImageFormat::Jpeg);
  w->setKellokuva(jpeg);
  ASSERT_TRUE(context().save().isOk());
  auto screen = open(*w);
  ASSERT_TRUE(screen->shareInfo().isOk());
  const auto requests = shared();
  ASSERT_EQ(requests.size(), 1u);
  const auto& items = requests[0].items;
  ASSERT_EQ(items.size(), 20u);
  const ShareItem::Data* png = items[0].asData();
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(imageFormatOf(png->bytes), ImageFormat::Png);
  EXPECT_EQ(png->fileName, "Alpha Beta.png");
  EXPECT_EQ(png->mimeType, "image/png");
  std::vector<std::string> texts;
  for (std::size_t i = 1; i < items.size(); ++i) {
    ASSERT_NE(items[i].asText(), nullptr) << i;
    texts.push_back(*items[i].asText());
  }
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Alpha, Beta  ( 1998 )",
                       "This watch has an Automatic 8500 movement with 60 hours power reserve. The "
                       "movement has a frequency of 25200 vph.",
                       "Purchased: 2/29/20", "Warranty Until: 2/28/25", "Diameter: 41.5",
                       "Case Material: Steel", "Thickness: 12", "Lug Width: 20",
                       "Bezel Material: Ceramic", "Glass: Sapphire", "Dial Color: Black",
                       "Crown Type: Screw-down", "Date", "", "", "", "", "GMT", "Includes: Box"}));
  EXPECT_EQ(requests[0].excludedActivityTypes.size(), kExcludedShareActivities.size());

  // The back face shares the back picture, as it is.
  screen->flipWatchPhoto();
  ASSERT_TRUE(screen->shareWatchInfo().isOk());
  EXPECT_EQ(shared().back().items[0].asData()->bytes, *screen->snapshot().tempKelloKuvaBack);
}

}  // namespace
}  // namespace tockary::testing
