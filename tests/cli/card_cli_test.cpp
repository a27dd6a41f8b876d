#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/image/image_codec.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

class CardCliTest : public CliTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        tockary({"add",  "--brand",         "Omega",   "--model",     "Speedmaster", "--year",
                 "1998", "--movement-type", "Manual",  "--caliber",   "1861",        "--diameter",
                 "42",   "--lug-width",     "20",      "--thickness", "13.5",        "--lug-to-lug",
                 "47.5", "--glass",         "Hesalite"})
            .status,
        0);
    ASSERT_EQ(tockary({"add", "--brand", "Seiko"}).status, 0);
  }

  static Image pngAt(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.size() > 8 ? bytes[1] : 0, 'P');  // "\x89PNG"
    auto image = ImageCodec().decode(bytes);
    EXPECT_TRUE(image.isOk()) << file;
    return image.isOk() ? *image : Image();
  }
};

TEST_F(CardCliTest, PrintsTheCardsTextsAndWritesTheWholeCard) {
  const fs::path file = scratch.path() / "card.png";
  const CliRun run = tockary({"card", "1", "-o", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Omega\nSpeedmaster\n1998\nWRIST STATISTICS:\n-----\n-----\nWear count: 0\n"
            "Wear rate: -----\nWATCH SPECIFICATIONS\nManual\n1861\n-----\n----- reserve hours\n"
            "47.5mm\n42mm\n20mm\n13.5mm\nHesalite\n----- crown type\n-----\n-----\n"
            "-----\n----- dial\nCard written to " +
                file.string() + ".\n");
  const Image card = pngAt(file);
  EXPECT_EQ(card.width(), 800);  // 400 x 615 points, the shadows included
  EXPECT_EQ(card.height(), 1230);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(CardCliTest, JsonNamesEachTextByItsRole) {
  ASSERT_EQ(tockary({"wear", "2"}).status, 0);
  const auto json = parsedJson(tockary({"--json", "card", "Kello/1"}));
  EXPECT_EQ(json["id"], "Kello/1");
  EXPECT_EQ(json["texts"].size(), 23U);
  EXPECT_EQ(json["texts"]["brand"], "Omega");
  EXPECT_EQ(json["texts"]["movementType"], "Manual");
  EXPECT_EQ(json["texts"]["wearRate"], "Wear rate: 0.0%");  // Seiko has the only wear
  EXPECT_EQ(json["texts"]["lastWorn"], "-----");
  EXPECT_TRUE(json["file"].is_null());
  EXPECT_EQ(json["statusIcon"], "NotSetGrey");

  const auto worn = parsedJson(tockary({"--json", "card", "2"}));
  EXPECT_EQ(worn["texts"]["wearCount"], "Wear count: 1");
  EXPECT_EQ(worn["texts"]["daysAgo"], "(0 days ago)");
}

TEST_F(CardCliTest, RefusesAFolderAMissingFolderAndAnUnknownWatch) {
  const fs::path folder = scratch.path() / "out";
  fs::create_directory(folder);
  const CliRun intoFolder = tockary({"card", "1", "-o", folder.string()});
  expectRefusal(intoFolder, "-o \"" + folder.string() + "\" is a directory; name a file in it, " +
                                "such as " + (folder / "card.png").string());
  EXPECT_TRUE(fs::is_empty(folder));

  const fs::path missing = scratch.path() / "no such folder" / "card.png";
  expectRefusal(tockary({"card", "1", "-o", missing.string()}),
                "-o \"" + missing.string() + "\" is in a folder that does not exist");
  EXPECT_FALSE(fs::exists(missing.parent_path()));

  const fs::path file = scratch.path() / "card.png";
  expectRefusal(tockary({"card", "9", "-o", file.string()}),
                "unknown watch id \"9\"; `tockary list` shows the ids");
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(CardCliTest, TheThirdFaceIsWrittenAsItsPicture) {
  const fs::path file = scratch.path() / "face.png";
  const CliRun run = tockary({"show", "1", "--face", "3", "--picture-out", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("  Diameter: 42 mm\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  Crown: ??\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Diagram written to " + file.string() + ".\n"), std::string::npos);
  const Image face = pngAt(file);
  EXPECT_EQ(face.width(), 1000);
  EXPECT_EQ(face.height(), 1000);

  const auto json =
      parsedJson(tockary({"--json", "show", "1", "--face", "3", "--picture-out", file.string()}));
  EXPECT_EQ(json["pictureOut"], file.string());
}

TEST_F(CardCliTest, ThePictureOfAnotherFaceOrIntoAFolderIsRefused) {
  const fs::path file = scratch.path() / "face.png";
  expectRefusal(tockary({"show", "1", "--picture-out", file.string()}),
                "--picture-out draws the dimension diagram; add --face 3");
  expectRefusal(tockary({"show", "1", "--face", "3", "--picture-out", scratch.path().string()}),
                "--picture-out \"" + scratch.path().string() +
                    "\" is a directory; name a file in it, " + "such as " +
                    (scratch.path() / "diagram.png").string());
  EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace tockary::testing
