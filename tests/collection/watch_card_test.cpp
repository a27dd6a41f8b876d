#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "collection/collection_fixture.h"
#include "collection/row_popups.h"
#include "collection/watch_card.h"
#include "platform/image/image_codec.h"
#include "platform/render/renderer.h"

namespace tockary::testing {
namespace {

class WatchCardTest : public CollectionTest {
 protected:
  std::shared_ptr<Kello> fullWatch() {
    auto kello = watch("Omega", "Speedmaster");
    kello->setVuosimalli("1998");
    kello->setVarasarake5(at(2025, 6, 7, 23, 59));
    kello->setVarasarake4(3);
    kello->setKoneistotyyppi("Manual");
    kello->setKoneisto("1861");
    kello->setBph("21600");
    kello->setPowerreserve("48");
    kello->setVarasarake1("47.5");
    kello->setHalkaisija("42");
    kello->setLugivali("20");
    kello->setPaksuus("13.2");
    kello->setLasi("Hesalite");
    kello->setKruunu("Push-pull");
    kello->setVedenpitavyys("50m");
    kello->setBezelmateriaali("Aluminium");
    kello->setKuorenmateriaali("Steel");
    kello->setTauluvari("Black");
    kello->setVarasarake2("Needs a New Strap");
    save();
    return kello;
  }

  WatchCardTexts textsOf(const Kello& kello) {
    return watchCardTexts(kello, totalWearCount(context()), clock.now(), formatters);
  }

  RowPopups popups{services};
};

TEST_F(WatchCardTest, AFullWatchFillsEveryText) {
  auto kello = fullWatch();
  watch("Seiko")->setVarasarake4(1);
  save();
  const WatchCardTexts expected = {
      "Omega",
      "Speedmaster",
      "1998",
      "WRIST STATISTICS:",
      "Last worn: 6/7/25",
      "(3 days ago)",  // 23:59 three calendar days before noon
      "Wear count: 3",
      "Wear rate: 75.0%",
      "WATCH SPECIFICATIONS",
      "Manual",
      "1861",
      "21600 vibrations per hour",
      "48 hours power reserve",
      "47.5mm",
      "42mm",
      "20mm",
      "13.2mm",
      "Hesalite",
      "Push-pull crown",
      "(W.R. 50m)",
      "Aluminium",
      "Steel",
      "Black dial",
  };
  EXPECT_EQ(textsOf(*kello), expected);
}

TEST_F(WatchCardTest, MissingValuesShowTheirPlaceholders) {
  auto kello = watch("Omega");  // the editor saves empty texts, not nulls
  kello->setKoneistotyyppi("");
  kello->setKoneisto("");
  kello->setBph("");
  kello->setPowerreserve("");
  kello->setKruunu("");
  save();
  const WatchCardTexts texts = textsOf(*kello);
  EXPECT_EQ(texts[9], "----- mvmt. type");
  EXPECT_EQ(texts[10], "-----");
  EXPECT_EQ(texts[11], "-----");
  EXPECT_EQ(texts[12], "----- reserve hours");
  EXPECT_EQ(texts[1], "-----");  // the empty model
  EXPECT_EQ(texts[2], "-----");  // a year never written
  EXPECT_EQ(texts[4], "-----");
  EXPECT_EQ(texts[5], "-----");
  for (std::size_t i = 13; i <= 16; ++i) EXPECT_EQ(texts[i], "-----") << kCardTextRoles[i];
  EXPECT_EQ(texts[18], "----- crown type");
  EXPECT_EQ(texts[19], "-----");
  EXPECT_EQ(texts[22], "----- dial");
}

TEST_F(WatchCardTest, ANeverWornWatchShowsNoWearsAndItsRate) {
  auto worn = watch("Seiko");
  worn->setVarasarake4(4);
  auto never = watch("Omega");
  save();
  WatchCardTexts texts = textsOf(*never);
  EXPECT_EQ(texts[6], "Wear count: 0");
  EXPECT_EQ(texts[7], "Wear rate: 0.0%");

  // A collection without any wear has no rate to give: never "nan%".
  worn->setVarasarake4(0);
  save();
  texts = textsOf(*never);
  EXPECT_EQ(texts[6], "Wear count: 0");
  EXPECT_EQ(texts[7], "Wear rate: -----");
}

TEST_F(WatchCardTest, DaysAgoCountsCalendarDays) {
  auto kello = watch("Omega");
  kello->setVarasarake5(at(2025, 6, 10, 0, 0));
  save();
  EXPECT_EQ(textsOf(*kello)[5], "(0 days ago)");
  kello->setVarasarake5(at(2025, 6, 9, 23, 59));
  save();
  EXPECT_EQ(textsOf(*kello)[5], "(1 days ago)");
  kello->setVarasarake5(at(2024, 12, 31, 12));
  save();
  EXPECT_EQ(textsOf(*kello)[4], "Last worn: 12/31/24");
  EXPECT_EQ(textsOf(*kello)[5], "(161 days ago)");
}

TEST_F(WatchCardTest, ThePanelDrawsTwentyThreeTextsAtTheirOriginsInThreeStyles) {
  WatchCardTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = std::string(kCardTextRoles[i]);
  const Drawing panel = watchCardPanel(texts);
  EXPECT_EQ(panel.size, (Size{2400, 4000}));
  struct Expected {
    double x, y;
    const char* font;
    double size;
    const char* text;
  };
  const std::vector<Expected> expected = {
      {100, 770, "HelveticaNeue-Bold", 90, "brand"},
      {100, 890, "HelveticaNeue-Bold", 90, "model"},
      {100, 1010, "HelveticaNeue-Bold", 90, "year"},
      {100, 1200, "HelveticaNeue-Bold", 70, "statisticsHeading"},
      {100, 1280, "HelveticaNeue-Bold", 70, "lastWorn"},
      {100, 1360, "HelveticaNeue-Bold", 70, "daysAgo"},
      {100, 1440, "HelveticaNeue-Bold", 70, "wearCount"},
      {100, 1520, "HelveticaNeue-Bold", 70, "wearRate"},
      {1300, 1200, "HelveticaNeue-Bold", 70, "specificationsHeading"},
      {1300, 1280, "HelveticaNeue-Bold", 70, "movementType"},
      {1300, 1360, "HelveticaNeue-Bold", 70, "calibre"},
      {1300, 1440, "HelveticaNeue-Bold", 70, "beatRate"},
      {1300, 1520, "HelveticaNeue-Bold", 70, "powerReserve"},
      {480, 2500, "Courier-Bold", 70, "diameter"},
      {1070, 2500, "Courier-Bold", 70, "thickness"},
      {1420, 2850, "Courier-Bold", 70, "lugToLug"},
      {1620, 2150, "Courier-Bold", 70, "glass"},
      {800, 3250, "Courier-Bold", 70, "dial"},
      {235, 1855, "Courier-Bold", 70, "lugWidth"},
      {1620, 1900, "Courier-Bold", 70, "crown"},
      {1620, 1980, "Courier-Bold", 70, "waterResistance"},
      {1620, 2300, "Courier-Bold", 70, "bezel"},
      {1620, 2470, "Courier-Bold", 70, "case"},
  };
  ASSERT_EQ(panel.elements.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto* text = std::get_if<DrawnText>(&panel.elements[i]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->frame, (Frame{expected[i].x, expected[i].y, 2500, 448})) << i;
    EXPECT_EQ(text->alignment, TextAlignment::Left);
    ASSERT_EQ(text->runs.size(), 1U);
    const TextRun& run = text->runs[0];
    EXPECT_EQ(run.text, expected[i].text);
    EXPECT_EQ(run.fontName, expected[i].font) << i;
    EXPECT_EQ(run.pointSize, expected[i].size) << i;
    EXPECT_EQ(run.colour, (Rgba{1, 1, 1, 1}));
    EXPECT_EQ(run.shadow, (Shadow{3, 3, 0, kBlack}));
  }
}

// Whether any pixel in the rectangle is nearly white and opaque (a drawn text).
bool hasWhiteIn(const Image& image, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const std::uint32_t p = image.pixel(x, y);
      if ((p >> 24) > 0xF0 && (p & 0xFF) > 0xF0 && ((p >> 8) & 0xFF) > 0xF0) return true;
    }
  }
  return false;
}

TEST_F(WatchCardTest, TheSheetShowsTheCardAndSpringsTheStatusIcon) {
  auto kello = fullWatch();
  kello->setKellokuva(Bytes{1, 2, 3});
  save();
  ASSERT_TRUE(popups.pelikorttiShow(kello));
  ASSERT_NE(presenter.lastSheet(), nullptr);
  const Sheet& sheet = *presenter.lastSheet();
  EXPECT_FALSE(sheet.title.has_value());
  EXPECT_FALSE(sheet.message.has_value());
  ASSERT_EQ(sheet.actions.size(), 1U);
  EXPECT_EQ(sheet.actions[0].identity, kOkAction);
  EXPECT_EQ(sheet.actions[0].title, "OK");
  EXPECT_TRUE(sheet.press(kOkAction).isOk());

  ASSERT_EQ(sheet.images.size(), 6U);
  for (const SheetImage& image : sheet.images) EXPECT_TRUE(image.xFromCentre);
  const SheetImage& outer = sheet.images[0];
  EXPECT_EQ(outer.frame, (Frame{-190, -585, 360, 570}));
  EXPECT_EQ(outer.decoration.cornerRadius, 25);
  EXPECT_EQ(outer.decoration.borderWidth, 7);
  const SheetImage& inner = sheet.images[1];
  EXPECT_EQ(inner.frame, (Frame{-160, -500, 300, 500}));
  EXPECT_EQ(inner.alpha, 0.92);
  const SheetImage& picture = sheet.images[2];
  EXPECT_EQ(picture.frame, (Frame{-72, -90, 150, 80}));
  EXPECT_EQ(picture.picture, (Bytes{1, 2, 3}));
  EXPECT_EQ(sheet.images[3].assetName, "watch_dimensions");

  const SheetImage& status = sheet.images[4];
  EXPECT_EQ(status.assetName, "StatusNeedStrap20");  // the strap for its lug width
  EXPECT_EQ(status.frame, (Frame{-47, -520, 10, 10}));
  EXPECT_EQ(status.alpha, 0.1);
  EXPECT_EQ(status.animatedTo, (Frame{-47, -520, 100, 100}));
  EXPECT_EQ(status.animatedAlpha, 1.0);
  EXPECT_EQ(status.animation, (SpringAnimation{3.0, 0.8, 0.5}));

  // The panel, shown over the inner card: the brand where the title starts, the wear rate in
  // the left column, nothing at the right of the title.
  const SheetImage& panel = sheet.images[5];
  EXPECT_EQ(panel.frame, inner.frame);
  const auto decoded = ImageCodec().decode(panel.picture);
  ASSERT_TRUE(decoded.isOk());
  const Image& image = *decoded;
  ASSERT_EQ(image.width(), 600);
  ASSERT_EQ(image.height(), 1000);
  EXPECT_TRUE(hasWhiteIn(image, 25, 192, 150, 215));  // "Omega" at (100, 770) / 4
  EXPECT_TRUE(hasWhiteIn(image, 25, 380, 150, 395));  // "Wear rate: 75.0%" at (100, 1520) / 4
  EXPECT_FALSE(hasWhiteIn(image, 400, 192, 600, 215));
  EXPECT_FALSE(hasWhiteIn(image, 0, 0, 600, 180));  // above the title: room for the status icon
}

TEST_F(WatchCardTest, StatusIconsFollowTheRowsTable) {
  auto kello = watch("Omega");
  const auto iconFor = [&](const std::string& status, const std::string& lugWidth) {
    kello->setVarasarake2(status);
    kello->setLugivali(lugWidth);
    EXPECT_TRUE(popups.pelikorttiShow(kello));
    return presenter.lastSheet()->images[4].assetName;
  };
  EXPECT_EQ(iconFor("Keeper", "20"), "StatusKeeper");
  EXPECT_EQ(iconFor("Needs a New Strap", "19"), "StatusNeedStrap");
  EXPECT_EQ(iconFor("Needs a New Strap", "24"), "StatusNeedStrap24");
  EXPECT_EQ(iconFor("_Not Set_", ""), "NotSetGrey");
  EXPECT_EQ(iconFor("In Service", ""), "InService");
}

TEST_F(WatchCardTest, AWatchWithoutAPictureLeavesItsFrameEmptyAndNoWatchShowsNothing) {
  auto kello = watch("Omega");
  ASSERT_TRUE(popups.pelikorttiShow(kello));
  const SheetImage& picture = presenter.lastSheet()->images[2];
  EXPECT_TRUE(picture.picture.empty());
  EXPECT_TRUE(picture.assetName.empty());
  EXPECT_EQ(picture.decoration.borderWidth, 4);

  const auto shownBefore = presenter.events().size();
  EXPECT_FALSE(popups.pelikorttiShow(nullptr));
  EXPECT_EQ(presenter.events().size(), shownBefore);
}

TEST_F(WatchCardTest, TheWholeCardIsOnePictureAsItRestsOnceShown) {
  auto kello = fullWatch();
  auto card = watchCard(*kello, services);
  ASSERT_TRUE(card.isOk());
  const Drawing drawing = watchCardDrawing(card->sheet);
  // From the outer card's shadow (its blur of 20 around it, moved by (4, 4)) to the inner card's
  // shadow below its bottom, which lies 15 points below the outer card's.
  EXPECT_EQ(drawing.size, (Size{400, 615}));
  std::vector<std::string> assets;
  const DrawnPicture* panel = nullptr;
  for (const DrawingElement& element : drawing.elements) {
    if (const auto* picture = std::get_if<DrawnPicture>(&element)) {
      if (!picture->assetName.empty()) assets.push_back(picture->assetName);
      if (!picture->encoded.empty()) panel = picture;
    }
  }
  EXPECT_EQ(assets, (std::vector<std::string>{"watch_dimensions", "StatusNeedStrap20"}));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->frame, (Frame{46, 101, 300, 500}));
  // The outer card: rounded, its shadow under it, its gray border drawn over what it holds.
  const auto* outer = std::get_if<FilledRect>(&drawing.elements[0]);
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->frame, (Frame{16, 16, 360, 570}));
  EXPECT_EQ(outer->cornerRadius, 25);
  EXPECT_EQ(outer->shadow, (Shadow{4, 4, 20, Rgba{0, 0, 0, 1}}));
  const auto* outerBorder = std::get_if<FilledRect>(&drawing.elements[1]);
  ASSERT_NE(outerBorder, nullptr);
  EXPECT_EQ(outerBorder->borderWidth, 7);
  EXPECT_EQ(outerBorder->colour.alpha, 0);
  // The inner card at its layer opacity, its shadow too.
  const auto* inner = std::get_if<FilledRect>(&drawing.elements[2]);
  ASSERT_NE(inner, nullptr);
  EXPECT_DOUBLE_EQ(inner->colour.alpha, 0.92);
  ASSERT_TRUE(inner->shadow.has_value());
  EXPECT_DOUBLE_EQ(inner->shadow->colour.alpha, 0.9 * 0.92);

  const auto png = ImageCodec().decode(renderPng(drawing, 2).value());
  ASSERT_TRUE(png.isOk());
  EXPECT_EQ(png->width(), 800);
  EXPECT_EQ(png->height(), 1230);
}

}  // namespace
}  // namespace tockary::testing
