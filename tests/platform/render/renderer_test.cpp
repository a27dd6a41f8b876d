#include "platform/render/renderer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/image/image_codec.h"
#include "support/pdf_reading.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr Rgba kRedRgba{1, 0, 0, 1};

Image decoded(const Result<Bytes>& png) {
  EXPECT_TRUE(png.isOk()) << png.status().description();
  if (!png) return {};
  Result<Image> image = ImageCodec().decode(*png);
  EXPECT_TRUE(image.isOk()) << image.status().description();
  return image.isOk() ? image.value() : Image();
}

// A 20 x 10 picture, red on the left half, blue on the right.
Bytes redBluePng() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) pixels.push_back(x < 10 ? kRed : kBlue);
  }
  return ImageCodec().encodePng(Image::fromArgb(20, 10, pixels)).value();
}

TextRun run(std::string text, double size = 20, std::string font = "HelveticaNeue") {
  return TextRun{std::move(text), std::move(font), size, kBlack, std::nullopt};
}

// The leftmost and rightmost columns and the top and bottom rows with ink; -1 when none.
struct Ink {
  int left = -1, right = -1, top = -1, bottom = -1;
};
Ink inkOf(const Image& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) >> 24) < 0x80) continue;
      if (ink.left < 0 || x < ink.left) ink.left = x;
      ink.right = std::max(ink.right, x);
      if (ink.top < 0) ink.top = y;
      ink.bottom = y;
    }
  }
  return ink;
}

// Rows of a picture that hold ink, as runs: how many separate bands of text there are.
int inkBands(const Image& image) {
  int bands = 0;
  bool inBand = false;
  for (int y = 0; y < image.height(); ++y) {
    bool inked = false;
    for (int x = 0; x < image.width() && !inked; ++x) inked = (image.pixel(x, y) >> 24) >= 0x80;
    if (inked && !inBand) ++bands;
    inBand = inked;
  }
  return bands;
}

Image textImage(DrawnText text, Size size) {
  Drawing drawing{size, {std::move(text)}};
  return decoded(renderPng(drawing));
}

TEST(PngRendererTest, SizeIsTheDrawingsTimesTheScaleRoundedUpAndEmptyPartsAreTransparent) {
  Drawing drawing{{100, 50}, {FilledRect{{10, 10, 20, 10}, kRedRgba}}};
  const Image twice = decoded(renderPng(drawing, 2));
  EXPECT_EQ(twice.width(), 200);
  EXPECT_EQ(twice.height(), 100);
  EXPECT_EQ(twice.pixel(30, 30), kRed);  // (15, 15) in points
  EXPECT_EQ(twice.pixel(19, 30), 0u);
  EXPECT_EQ(twice.pixel(0, 0), 0u);

  const Image fractional = decoded(renderPng(Drawing{{10.5, 3.2}, {}}));
  EXPECT_EQ(fractional.width(), 11);
  EXPECT_EQ(fractional.height(), 4);
}

TEST(PngRendererTest, RefusesSizesWithoutAreaOrBeyondTheCodecsLimits) {
  EXPECT_FALSE(renderPng(Drawing{{0, 10}, {}}).isOk());
  EXPECT_FALSE(renderPng(Drawing{{10, 10}, {}}, -1).isOk());
  const Result<Bytes> huge = renderPng(Drawing{{20000, 10}, {}});
  ASSERT_FALSE(huge.isOk());
  EXPECT_EQ(huge.status().description(),
            "An image of 20000 x 10 pixels is larger than the program draws");
}

TEST(PngRendererTest, PicturesFillTheirFrameAsTheirScalingSays) {
  const Bytes picture = redBluePng();
  DrawnPicture stretched{picture, {}, {0, 0, 40, 40}};
  const Image a = decoded(renderPng(Drawing{{40, 40}, {stretched}}));
  EXPECT_EQ(a.pixel(5, 2), kRed);
  EXPECT_EQ(a.pixel(35, 38), kBlue);

  DrawnPicture fit = stretched;
  fit.scaling = PictureScaling::AspectFit;  // 40 x 20, centred: rows 10 to 30
  const Image b = decoded(renderPng(Drawing{{40, 40}, {fit}}));
  EXPECT_EQ(b.pixel(20, 5), 0u);
  EXPECT_EQ(b.pixel(5, 20), kRed);

  DrawnPicture fill = stretched;
  fill.scaling = PictureScaling::AspectFill;  // 80 x 40, centred and cut at the frame
  fill.frame = {10, 0, 40, 40};
  const Image c = decoded(renderPng(Drawing{{60, 40}, {fill}}));
  EXPECT_EQ(c.pixel(5, 20), 0u);   // left of the frame: cut
  EXPECT_EQ(c.pixel(55, 20), 0u);  // right of the frame: cut
  EXPECT_EQ(c.pixel(15, 20), kRed);
  EXPECT_EQ(c.pixel(45, 20), kBlue);
}

TEST(PngRendererTest, RectanglesRoundTheirCornersDrawTheirBorderInsideAndCastAShadow) {
  FilledRect card;
  card.frame = {10, 10, 60, 40};
  card.colour = kRedRgba;
  card.cornerRadius = 10;
  card.borderWidth = 4;
  card.borderColour = Rgba{0, 0, 1, 1};
  card.shadow = Shadow{6, 6, 0, kBlack};
  const Image image = decoded(renderPng(Drawing{{100, 80}, {card}}));
  EXPECT_EQ(image.pixel(40, 30), kRed);         // inside
  EXPECT_EQ(image.pixel(40, 11), kBlue);        // the border, inside the top edge
  EXPECT_EQ(image.pixel(40, 8), 0u);            // nothing outside the frame above
  EXPECT_EQ(image.pixel(11, 11), 0u);           // the rounded corner is cut
  EXPECT_EQ(image.pixel(40, 53), 0xFF000000u);  // the shadow, below and right
  EXPECT_EQ(image.pixel(73, 30), 0xFF000000u);
  EXPECT_EQ(image.pixel(12, 53), 0u);  // nothing left of the moved shape

  // A blurred shadow fades out beyond the shape.
  card.shadow = Shadow{0, 0, 8, kBlack};
  card.borderWidth = 0;
  const Image blurred = decoded(renderPng(Drawing{{100, 80}, {card}}));
  const auto alpha = [&](int x, int y) { return blurred.pixel(x, y) >> 24; };
  EXPECT_GT(alpha(40, 52), 0u);
  EXPECT_LT(alpha(40, 52), 0xFFu);
  EXPECT_GT(alpha(40, 52), alpha(40, 58));
  EXPECT_EQ(blurred.pixel(40, 30), kRed);
}

TEST(PngRendererTest, APictureWithRoundedCornersIsClippedToThem) {
  DrawnPicture rounded{redBluePng(), {}, {0, 0, 40, 40}};
  rounded.cornerRadius = 12;
  const Image image = decoded(renderPng(Drawing{{40, 40}, {rounded}}));
  EXPECT_EQ(image.pixel(0, 0), 0u);
  EXPECT_EQ(image.pixel(39, 39), 0u);
  EXPECT_EQ(image.pixel(5, 20), kRed);
  EXPECT_EQ(image.pixel(35, 20), kBlue);
}

TEST(PngRendererTest, AssetsAreDrawnByNameAndAPictureThatCannotBeDrawnFailsTheRendering) {
  DrawnPicture asset{{}, "nopic.png", {0, 0, 20, 20}};
  EXPECT_NE(inkOf(decoded(renderPng(Drawing{{20, 20}, {asset}}))).left, -1);

  asset.assetName = "no such picture";
  const Result<Bytes> missing = renderPng(Drawing{{20, 20}, {asset}});
  ASSERT_FALSE(missing.isOk());
  EXPECT_NE(missing.status().description().find("no such asset"), std::string::npos)
      << missing.status().description();

  const DrawnPicture corrupt{Bytes{0x89, 'P', 'N', 'G', 1, 2, 3}, {}, {0, 0, 20, 20}};
  const Result<Bytes> refused = renderPng(Drawing{{20, 20}, {corrupt}});
  ASSERT_FALSE(refused.isOk());
  EXPECT_TRUE(refused.status().description().starts_with("The picture cannot be used: "))
      << refused.status().description();
}

TEST(PngRendererTest, TextStartsAtTheFramesTopLeftStopsAtTabsEvery28PointsAndIsClipped) {
  const Ink plain = inkOf(textImage({{run("H")}, {10, 10, 200, 100}}, {300, 200}));
  EXPECT_GE(plain.left, 10);
  EXPECT_LE(plain.left, 13);
  EXPECT_GE(plain.top, 10);
  EXPECT_LE(plain.top, 18);

  const Ink oneTab = inkOf(textImage({{run("\tH")}, {10, 10, 200, 100}}, {300, 200}));
  EXPECT_EQ(oneTab.left - plain.left, 28);
  const Ink threeTabs = inkOf(
      textImage({{run("ab\t\t\tH", 20, "HelveticaNeue-Bold")}, {10, 10, 200, 100}}, {300, 200}));
  EXPECT_GE(threeTabs.right, 10 + 84);
  EXPECT_LE(threeTabs.right, 10 + 84 + 16);

  // Nothing of the text outside its frame.
  const Ink clipped = inkOf(textImage({{run("WWWWWWWWWW", 40)}, {10, 10, 30, 20}}, {300, 200}));
  EXPECT_GE(clipped.left, 10);
  EXPECT_LE(clipped.right, 39);
  EXPECT_LE(clipped.bottom, 29);
}

TEST(PngRendererTest, TextBreaksAtLineBreaksAndWrapsAtTheFramesWidth) {
  EXPECT_EQ(inkBands(textImage({{run("HHH\nHHH")}, {0, 0, 300, 200}}, {300, 200})), 2);
  EXPECT_EQ(inkBands(textImage({{run("HHH\n\nHHH")}, {0, 0, 300, 200}}, {300, 200})), 2);
  const Image wrapped = textImage({{run("HHHH HHHH HHHH")}, {0, 0, 70, 200}}, {300, 200});
  EXPECT_EQ(inkBands(wrapped), 3);
  EXPECT_LT(inkOf(wrapped).right, 70);

  // Runs of several fonts follow one another on the line.
  const Image runs =
      textImage({{run("HH"), run("HH", 30, "Courier-Bold")}, {0, 0, 300, 200}}, {300, 200});
  EXPECT_EQ(inkBands(runs), 1);
  EXPECT_GT(inkOf(runs).right, inkOf(textImage({{run("HH")}, {0, 0, 300, 200}}, {300, 200})).right);
}

TEST(PngRendererTest, CentredAndRightAlignedTextAndShadows) {
  DrawnText centred{{run("H")}, {0, 0, 200, 50}, TextAlignment::Centre};
  const Ink middle = inkOf(textImage(centred, {200, 50}));
  EXPECT_NEAR((middle.left + middle.right) / 2.0, 100, 3);
  centred.alignment = TextAlignment::Right;
  EXPECT_GE(inkOf(textImage(centred, {200, 50})).right, 190);

  TextRun shadowed = run("H", 30);
  shadowed.colour = {1, 1, 1, 1};
  shadowed.shadow = Shadow{4, 4, 0, kBlack};
  const Image sharp = textImage({{shadowed}, {0, 0, 100, 60}}, {100, 60});
  const Ink white = inkOf(textImage({{run("H", 30)}, {0, 0, 100, 60}}, {100, 60}));
  // The shadow shows beyond the white letter, four points lower and to the right.
  const Ink both = inkOf(sharp);
  EXPECT_EQ(both.left, white.left);
  EXPECT_EQ(both.top, white.top);
  EXPECT_EQ(both.right, white.right + 4);
  EXPECT_EQ(both.bottom, white.bottom + 4);
  EXPECT_EQ(sharp.pixel(white.left + 1, white.top + 1) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(sharp.pixel(both.right - 1, both.bottom - 1) & 0xFFFFFF, 0u);

  shadowed.shadow->blurRadius = 6;
  const Image soft = textImage({{shadowed}, {0, 0, 100, 60}}, {100, 60});
  const std::uint32_t edge = soft.pixel(white.right + 5, (white.top + white.bottom) / 2 + 4);
  EXPECT_GT(edge >> 24, 0u);     // a blurred shadow reaches beyond the letter's edge...
  EXPECT_LT(edge >> 24, 0xFFu);  // ...and fades there
}

class PdfRendererTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path file = dir.path() / "Alpha Beta.pdf";
};

TEST_F(PdfRendererTest, PagesHaveTheDrawingsExactSizeInPointsAndTheTitleEntry) {
  Drawing tall{{595.2, 841.8}, {DrawnText{{run("Hello Tockary", 12)}, {50, 50, 400, 100}}}};
  Drawing square{{595.2, 595.2}, {DrawnText{{run("Second page", 12)}, {50, 50, 400, 100}}}};
  ASSERT_TRUE(writePdf({tall, square}, "Alpha Beta", file).isOk());
  EXPECT_EQ(pdfInfo(file, "Title"), "Alpha Beta");
  EXPECT_EQ(pdfInfo(file, "Pages"), "2");
  // pdfinfo names the paper size that comes closest: "(A4)".
  EXPECT_TRUE(pdfInfo(file, "Page size").starts_with("595.2 x 841.8 pts"));
  const std::string sizes =
      commandOutput("pdfinfo -f 1 -l 2 " + shellQuoted(file) + " | grep 'size:'");
  EXPECT_NE(sizes.find("Page    1 size:  595.2 x 841.8 pts"), std::string::npos) << sizes;
  EXPECT_NE(sizes.find("Page    2 size:  595.2 x 595.2 pts"), std::string::npos) << sizes;
  const std::string text = pdfText(file);
  EXPECT_NE(text.find("Hello Tockary"), std::string::npos) << text;
  EXPECT_NE(text.find("Second page"), std::string::npos) << text;
}

TEST_F(PdfRendererTest, TheDrawingStandsAtTheTopOfAPageOfFractionalHeight) {
  // 50.6 points high: the writer's own page is 51, the drawing must not move by the difference.
  Drawing page{
      {100.2, 50.6},
      {FilledRect{{0, 0, 100.2, 10}, kRedRgba}, FilledRect{{0, 40.6, 100.2, 10}, kRedRgba}}};
  ASSERT_TRUE(writePdf({page}, "", file).isOk());
  const Image pixels = pdfPage(file, 720);  // ten pixels a point
  ASSERT_EQ(pixels.height(), 506);
  EXPECT_EQ(pixels.pixel(50, 0), kRed);
  EXPECT_EQ(pixels.pixel(50, 98), kRed);
  EXPECT_EQ(pixels.pixel(50, 102), kWhite);
  EXPECT_EQ(pixels.pixel(50, 403), kWhite);
  EXPECT_EQ(pixels.pixel(50, 408), kRed);
  EXPECT_EQ(pixels.pixel(50, 505), kRed);
}

TEST_F(PdfRendererTest, NamedFontsAreTheirInstalledStandIns) {
  Drawing page{{300, 200},
               {DrawnText{{run("Bold ", 12, "HelveticaNeue-Bold"), run("plain ", 12),
                           run("mono", 12, "Courier-Bold")},
                          {10, 10, 280, 100}}}};
  ASSERT_TRUE(writePdf({page}, "Fonts", file).isOk());
  const std::string fonts = pdfFonts(file);
  EXPECT_NE(fonts.find("NimbusSans-Bold"), std::string::npos) << fonts;
  EXPECT_NE(fonts.find("NimbusSans-Regular"), std::string::npos) << fonts;
  EXPECT_NE(fonts.find("NimbusMonoPS-Bold"), std::string::npos) << fonts;
}

TEST_F(PdfRendererTest, ReplacesAnExistingFileWholeAndLeavesItWhenTheDrawingFails) {
  writeFile(file, "an earlier report");
  const Drawing page{{100, 100}, {}};
  ASSERT_TRUE(writePdf({page}, "New", file).isOk());
  EXPECT_EQ(pdfInfo(file, "Title"), "New");

  const std::string before = readFile(file);
  const Drawing broken{{100, 100}, {DrawnPicture{Bytes{1, 2, 3}, {}, {0, 0, 10, 10}}}};
  EXPECT_FALSE(writePdf({broken}, "Broken", file).isOk());
  EXPECT_EQ(readFile(file), before);
  EXPECT_FALSE(writePdf({}, "None", file).isOk());
  EXPECT_FALSE(writePdf({Drawing{{0, 100}, {}}}, "Flat", file).isOk());
  EXPECT_EQ(readFile(file), before);

  // Nothing is left beside the file, and a missing folder is an error naming the file.
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Alpha Beta.pdf"});
  const auto nowhere = dir.path() / "missing" / "x.pdf";
  const Status failed = writePdf({page}, "x", nowhere);
  ASSERT_FALSE(failed.isOk());
  EXPECT_NE(failed.description().find(nowhere.string()), std::string::npos) << failed.description();
}

TEST_F(PdfRendererTest, ALinkInThePlaceOfTheFileIsReplacedNotFollowed) {
  const auto elsewhere = dir.path() / "elsewhere.txt";
  writeFile(elsewhere, "not a report");
  std::filesystem::create_symlink(elsewhere, file);
  ASSERT_TRUE(writePdf({Drawing{{100, 100}, {}}}, "Linked", file).isOk());
  EXPECT_FALSE(std::filesystem::is_symlink(file));
  EXPECT_EQ(readFile(elsewhere), "not a report");
}

}  // namespace
}  // namespace tockary::testing
