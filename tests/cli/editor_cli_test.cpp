#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/image/image_codec.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;

bool near(std::uint32_t actual, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) -
                 static_cast<int>((expected >> shift) & 0xFF)) > 60)
      return false;
  }
  return true;
}

class EditorCliTest : public ::testing::Test {
 protected:
  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }

  std::vector<std::shared_ptr<Kello>> watches() {
    reader = std::make_unique<AppDelegate>(data);
    return reader->viewContext().fetch<Kello>(Kello::fetchRequest()).value();
  }

  // A JPEG of `width` x `height`, red on the left half and blue on the right.
  std::filesystem::path jpeg(const std::string& name, int width, int height, bool exifRotated) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) pixels.push_back(x < width / 2 ? kRed : kBlue);
    Bytes bytes = codec.encodeJpeg(Image::fromArgb(width, height, pixels), 0.9).value();
    if (exifRotated) {  // EXIF orientation 6: turn 90 degrees clockwise to show
      const Bytes exif = {0xFF, 0xE1, 0x00, 0x22, 'E',  'x',  'i',  'f',  0,    0,    'I',  'I',
                          0x2A, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x12, 0x01, 0x03, 0x00,
                          0x01, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
      bytes.insert(bytes.begin() + 2, exif.begin(), exif.end());
    }
    const auto file = scratch.path() / name;
    writeFile(file, std::string(bytes.begin(), bytes.end()));
    return file;
  }

  static void expectRefusal(const CliRun& run, const std::string& start) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("tockary: " + start)) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  std::unique_ptr<AppDelegate> reader;
  ImageCodec codec;
};

TEST_F(EditorCliTest, AddedWatchShowsOnItsDetailScreen) {
  const CliRun added =
      tockary({"add", "--brand", "Alpha", "--model", "Beta", "--year", "1998", "--movement-type",
               "Automatic", "--caliber", "8500", "--reserve-hours", "60", "--vph", "25200"});
  ASSERT_EQ(added.status, 0) << added.err;
  ASSERT_EQ(added.out, "Added watch 1.\n");
  const CliRun shown = tockary({"show", "1"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out.rfind("ALPHA\nAlpha, Beta  ( 1998 )\nThis watch has an Automatic 8500 "
                            "movement with 60 hours power reserve. The movement has a frequency "
                            "of 25200 vph.\nPicture: front picture\n",
                            0),
            0u)
      << shown.out;
  EXPECT_EQ(parsedJson(tockary({"--json", "add", "--brand", "Gamma"})),
            (nlohmann::ordered_json{{"id", 2}}));

  const auto stored = watches();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0]->myyntiliike(), "");
  EXPECT_EQ(imageFormatOf(stored[0]->kellokuva().value()), ImageFormat::Png);  // placeholder
}

TEST_F(EditorCliTest, ValuesTheFormWouldNotAcceptAreRefusedAndNothingIsSaved) {
  expectRefusal(tockary({"add", "--brand", "Alpha", "--movement-type", "Automatc"}),
                "--movement-type \"Automatc\" is refused; accepted: \"Automatic\", "
                "\"Electro-Mechanical\", \"Kinetic\", \"Manual\", \"Mechanical Quartz\", "
                "\"Quartz\", \"Smartwatch\", \"Spring Drive\", \"Solar\", \"Tuning Fork\", "
                "\"Tourbillon\", \"Other\"\n");
  expectRefusal(tockary({"add", "--diameter", "40.05"}), "--diameter \"40.05\" is refused");
  expectRefusal(tockary({"add", "--year", "1799"}), "--year \"1799\" is refused");
  expectRefusal(tockary({"add", "--purchase-price", "twelve"}),
                "--purchase-price \"twelve\" is refused; accepted: a number without a currency "
                "sign, such as 1200.50 or 1200,50\n");
  expectRefusal(tockary({"add", "--sold-price", "€900"}), "--sold-price \"€900\" is refused");
  expectRefusal(tockary({"add", "--purchase-date", "17.5.2024"}),
                "--purchase-date \"17.5.2024\" is refused; accepted: a date such as 2024-05-17 "
                "or 5/17/24; an empty value clears it\n");
  expectRefusal(tockary({"add", "--glass", "Domed Sapphire"}), "--glass \"Domed Sapphire\"");
  expectRefusal(tockary({"edit", "7", "--brand", "X"}), "unknown watch id \"7\"");
  EXPECT_TRUE(watches().empty());
}

TEST_F(EditorCliTest, PicturesAreStoredUprightAndSquareAndBrokenFilesRefused) {
  const CliRun added = tockary({"add", "--brand", "Photo", "--front-picture",
                                jpeg("front.jpg", 60, 40, false).string(), "--back-picture",
                                jpeg("portrait.jpg", 40, 20, true).string()});
  ASSERT_EQ(added.status, 0) << added.err;
  const auto stored = watches();
  ASSERT_EQ(stored.size(), 1u);
  const auto front = codec.decode(stored[0]->kellokuva().value()).value();
  EXPECT_EQ(front.width(), 40);
  EXPECT_EQ(front.height(), 40);
  // Upright 20 x 40 with red on top, cropped to its centred 20 x 20: red above blue.
  const auto back = codec.decode(stored[0]->varasarake6().value()).value();
  ASSERT_EQ(back.width(), 20);
  ASSERT_EQ(back.height(), 20);
  EXPECT_TRUE(near(back.pixel(10, 3), kRed)) << std::hex << back.pixel(10, 3);
  EXPECT_TRUE(near(back.pixel(10, 16), kBlue)) << std::hex << back.pixel(10, 16);

  const auto whole = readFile(jpeg("cut.jpg", 60, 40, false));
  writeFile(scratch.path() / "cut.jpg", whole.substr(0, whole.size() / 2));
  expectRefusal(tockary({"edit", "1", "--front-picture", (scratch.path() / "cut.jpg").string()}),
                "--front-picture \"" + (scratch.path() / "cut.jpg").string() +
                    "\": The picture cannot be used: the file is truncated or damaged");
  expectRefusal(tockary({"add", "--back-picture", "/nonexistent/back.png"}),
                "--back-picture \"/nonexistent/back.png\" cannot be read: No such file or "
                "directory; accepted: a regular file holding a PNG or JPEG picture\n");
  EXPECT_EQ(watches().size(), 1u);
  EXPECT_EQ(codec.decode(watches()[0]->kellokuva().value())->width(), 40);
}

TEST_F(EditorCliTest, EditKeepsOmittedValuesAndLogsTheSale) {
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  ASSERT_EQ(tockary({"add", "--brand", "Alpha", "--purchase-price", "1 200,50", "--purchase-date",
                     "2024-05-17", "--notes", "Boxed"})
                .status,
            0);
  const CliRun edited = tockary({"edit", "1", "--sold-to", "A collector", "--sold-date",
                                 "2025-01-31", "--sold-price", "900"});
  ASSERT_EQ(edited.status, 0) << edited.err;
  EXPECT_EQ(edited.out, "Saved watch 1.\n");
  const auto w = watches().at(0);
  const std::string today = Formatters("en_US", "UTC").shortDate(SystemClock().now());
  EXPECT_EQ(w->merkki(), "Alpha");
  EXPECT_EQ(w->ostohinta(), 1200.5);
  EXPECT_EQ(w->myyntihinta(), 900);
  EXPECT_EQ(w->myyntiliike(), "A collector");
  EXPECT_EQ(w->ostopvm(), Formatters("en_US", "UTC").parseIsoDate("2024-05-17"));
  EXPECT_EQ(w->myyntipvm(), Formatters("en_US", "UTC").parseIsoDate("2025-01-31"));
  EXPECT_EQ(w->varasarake3(), today + ":  Watch was added to Tockary-collection.\n\nBoxed\n" +
                                  today + ":  Watch was marked sold");

  ASSERT_EQ(tockary({"edit", "1", "--purchase-date", ""}).status, 0);
  EXPECT_EQ(watches().at(0)->ostopvm(), std::nullopt);
}

TEST_F(EditorCliTest, CataloguesPrintEveryValueByteForByte) {
  const CliRun glass = tockary({"catalogues", "glass"});
  ASSERT_EQ(glass.status, 0) << glass.err;
  EXPECT_EQ(glass.out,
            "Glass (--glass):\n  Acrylic Glass\n  Box Crystal\n  Domed Plexi\n  Double Domed "
            "Plexi\n  Domed Sapphire \n  Double Domed Sapphire\n  Hardlex\n  Hesalite\n  K1 "
            "Mineral Glass\n  Mineral Glass\n  Nano-Ceramic Glass\n  Plexi Glass\n  Sapphire "
            "Crystal\n");
  // Any of the six complication options names their shared wheel.
  EXPECT_EQ(
      tockary({"catalogues", "comp4"})
          .out.rfind("Complication 1 (--comp1, --comp2, --comp3, --comp4, --comp5, --comp6):\n", 0),
      0u);
  EXPECT_EQ(tockary({"catalogues", "diameter"}).out,
            "Diameter (mm) (--diameter):\n  millimetres from 1 to 100, optionally with \".\" and "
            "a fraction from 0 to 99 without leading zeros, such as 40 or 40.5\n");

  const auto all = parsedJson(tockary({"--json", "catalogues"}));
  EXPECT_NE(std::ranges::find(all["water-resistance"], "250ATM"), all["water-resistance"].end());
  EXPECT_EQ(all["reserve-hours"].front(), "479");
  EXPECT_EQ(all["year"].back(), "1800");
  EXPECT_EQ(all["comp1"].size(), 48u);
  EXPECT_FALSE(all.contains("comp2"));
  ASSERT_EQ(all["lug-to-lug"].size(), 3u);
  EXPECT_EQ(all["lug-to-lug"][2].back(), "99");  // "100" is never shown
  expectRefusal(tockary({"catalogues", "colours"}), "unknown catalogue \"colours\"; accepted: ");
}

TEST_F(EditorCliTest, EveryFormFieldIsAnOptionWithItsCaptionAndAnExample) {
  const CliRun help = tockary({"add", "--help"});
  ASSERT_EQ(help.status, 0) << help.err;
  for (const char* line :
       {"--diameter TEXT", "Diameter (mm), measure: --diameter \"40.5\"", "--glass TEXT",
        "Glass, catalogue (tockary catalogues glass lists its values)", "--front-picture FILE",
        "--notes TEXT", "--warranty-end-date TEXT",
        "Purchase date, date, ISO or the locale's short date; \"\" clears it"}) {
    EXPECT_NE(help.out.find(line), std::string::npos) << line << "\n" << help.out;
  }
}

}  // namespace
}  // namespace tockary::testing
