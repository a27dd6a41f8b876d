#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

class WarrantyCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(tockary({"add", "--brand", "Omega", "--model", "Speedmaster/Moonwatch"}).status, 0);
    const std::vector<std::uint32_t> pixels(12 * 6, 0xFF336699);
    const Image image = Image::fromArgb(12, 6, pixels);
    jpegFile = scratch.path() / "card.jpg";
    writeFile(jpegFile, text(ImageCodec().encodeJpeg(image, 0.9).value()));
    pngFile = scratch.path() / "card.png";
    writeFile(pngFile, text(ImageCodec().encodePng(image).value()));
  }

  CliRun tockary(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }

  static std::string text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

  // Every card as stored: its label and its picture's bytes.
  std::vector<std::pair<std::string, std::string>> cards() {
    AppDelegate reader(data);
    std::vector<std::pair<std::string, std::string>> stored;
    for (const auto& card : reader.viewContext().fetch<Takuu>(Takuu::fetchRequest()).value()) {
      stored.emplace_back(card->takuunKello().value_or("(null)"),
                          card->takuuKortti() ? text(*card->takuuKortti()) : "(null)");
    }
    return stored;
  }

  static void expectRefusal(const CliRun& run, const std::string& line) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tockary: " + line + "\n");
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  std::filesystem::path jpegFile, pngFile;
};

TEST_F(WarrantyCliTest, AddListShowEditAndDelete) {
  const CliRun added = tockary({"warranty", "add", "--watch", "1", "--picture", jpegFile.string()});
  EXPECT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "Added warranty card 1.\n");
  ASSERT_EQ(tockary({"warranty", "add"}).status, 0);

  const auto stored = cards();
  ASSERT_EQ(stored.size(), 2U);
  EXPECT_EQ(stored[0].first, "Omega Speedmaster/Moonwatch");
  EXPECT_EQ(imageFormatOf(Bytes(stored[0].second.begin(), stored[0].second.end())),
            ImageFormat::Png);
  EXPECT_EQ(stored[1].first, "----------");
  EXPECT_EQ(stored[1].second, text(AssetCatalog().imageNamed("WCard_nopic.png").value()));

  EXPECT_EQ(tockary({"warranty", "list"}).out,
            "2  ----------\n"
            "1  Omega Speedmaster/Moonwatch\n");
  const CliRun show = tockary({"warranty", "show", "1"});
  EXPECT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.out,
            "Watch: Omega Speedmaster/Moonwatch\n"
            "Warranty Card: PNG picture, 12 x 6 pixels, " +
                std::to_string(stored[0].second.size()) + " bytes\n");
  const auto json = parsedJson(tockary({"--json", "warranty", "show", "1"}));
  EXPECT_EQ(json["id"], 1);
  EXPECT_EQ(json["brandAndModelLabel"], "Omega Speedmaster/Moonwatch");
  EXPECT_EQ(json["warrantyCardScrollView"]["bytes"], stored[0].second.size());
  EXPECT_EQ(json["warrantyCardScrollView"]["picture"], "Takuu/1/card");

  // Left out, the picture stays byte for byte; an empty watch stays empty.
  const CliRun edited = tockary({"warranty", "edit", "1", "--watch", ""});
  EXPECT_EQ(edited.status, 0) << edited.err;
  EXPECT_EQ(edited.out, "Saved warranty card 1.\n");
  EXPECT_EQ(cards()[0], std::make_pair(std::string(), stored[0].second));
  ASSERT_EQ(tockary({"warranty", "edit", "2", "--picture", pngFile.string()}).status, 0);
  EXPECT_EQ(cards()[1].first, "----------");
  EXPECT_EQ(cards()[1].second, readFile(pngFile));  // decoded and encoded again, the same

  const CliRun asked = tockary({"warranty", "delete", "2"});
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_EQ(asked.out, "Nothing was deleted: add --yes to delete warranty card 2 (----------).\n");
  EXPECT_EQ(cards().size(), 2U);
  const CliRun deleted = tockary({"warranty", "delete", "2", "--yes"});
  EXPECT_EQ(deleted.out, "Deleted warranty card 2 (----------).\n");
  EXPECT_EQ(cards().size(), 1U);
  EXPECT_EQ(tockary({"warranty", "list"}).out, "1  \n");
}

TEST_F(WarrantyCliTest, ShareWritesThePngAndListsTheItemsInOrder) {
  ASSERT_EQ(tockary({"warranty", "add", "--watch", "1", "--picture", jpegFile.string()}).status, 0);
  const std::string png = cards()[0].second;
  const auto out = scratch.path() / "shared.png";
  const CliRun shared = tockary({"warranty", "share", "1", "-o", out.string()});
  EXPECT_EQ(shared.status, 0) << shared.err;
  EXPECT_EQ(shared.out, "1. Picture: Warranty card - Omega Speedmaster-Moonwatch.png (image/png, " +
                            std::to_string(png.size()) + " bytes), written to " + out.string() +
                            "\n2. Text: Omega Speedmaster/Moonwatch\n");
  EXPECT_EQ(readFile(out), png);

  const auto json = parsedJson(tockary({"--json", "warranty", "share", "1", "-o", out.string()}));
  ASSERT_EQ(json["items"].size(), 2U);
  EXPECT_EQ(json["items"][0]["mimeType"], "image/png");
  EXPECT_EQ(json["items"][0]["writtenTo"], out.string());
  EXPECT_EQ(json["items"][1]["text"], "Omega Speedmaster/Moonwatch");
}

TEST_F(WarrantyCliTest, ShareRefusesABadFileAndACardWithoutPicture) {
  ASSERT_EQ(tockary({"warranty", "add"}).status, 0);
  expectRefusal(tockary({"warranty", "share", "1", "-o", scratch.path().string()}),
                "-o \"" + scratch.path().string() + "\" is a directory");
  const auto missing = scratch.path() / "no" / "card.png";
  expectRefusal(tockary({"warranty", "share", "1", "-o", missing.string()}),
                "-o \"" + missing.string() + "\" is in a folder that does not exist");
  expectRefusal(tockary({"warranty", "share", "7", "-o", "x.png"}),
                "unknown warranty id \"7\"; `tockary warranty list` shows the ids");

  {
    AppDelegate writer(data);
    auto card = writer.viewContext().insertNewObject<Takuu>();
    card->setTakuunKello("Seiko");
    ASSERT_TRUE(writer.viewContext().save().isOk());
  }
  const auto out = scratch.path() / "none.png";
  const CliRun none = tockary({"warranty", "share", "2", "-o", out.string()});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "tockary: warranty card 2 has no picture to share\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(WarrantyCliTest, BadInputWritesNothing) {
  ASSERT_EQ(tockary({"warranty", "add", "--watch", "1"}).status, 0);
  const auto before = cards();
  const std::string folder = scratch.path().string();
  expectRefusal(tockary({"warranty", "add", "--picture", folder}),
                "--picture \"" + folder +
                    "\" is a directory; accepted: a regular file holding a PNG or JPEG picture");
  const std::string missing = (scratch.path() / "missing.png").string();
  expectRefusal(tockary({"warranty", "edit", "1", "--picture", missing}),
                "--picture \"" + missing +
                    "\" cannot be read: No such file or directory; accepted: a regular file "
                    "holding a PNG or JPEG picture");
  const auto notes = scratch.path() / "notes.txt";
  writeFile(notes, "not a picture\n");
  const CliRun text =
      tockary({"warranty", "edit", "1", "--watch", "", "--picture", notes.string()});
  EXPECT_EQ(text.status, 2);
  EXPECT_EQ(text.err.rfind(
                "tockary: --picture \"" + notes.string() + "\": The picture cannot be used: ", 0),
            0U)
      << text.err;
  EXPECT_NE(text.err.find("; accepted: a complete PNG or JPEG picture\n"), std::string::npos);
  expectRefusal(
      tockary({"warranty", "add", "--watch", "Rolex", "--picture", pngFile.string()}),
      "--watch \"Rolex\" is refused; accepted: a watch label the picker offers "
      "(\"Omega Speedmaster/Moonwatch\"), the id of one of these watches such as Kello/1, or "
      "\"\" for none");
  expectRefusal(tockary({"warranty", "show", "9"}),
                "unknown warranty id \"9\"; `tockary warranty list` shows the ids");
  expectRefusal(tockary({"warranty", "edit", "Huolto/1", "--watch", ""}),
                "unknown warranty id \"Huolto/1\"; `tockary warranty list` shows the ids");
  expectRefusal(tockary({"warranty", "delete", "9", "--yes"}),
                "unknown warranty id \"9\"; `tockary warranty list` shows the ids");
  EXPECT_EQ(cards(), before);
  EXPECT_EQ(tockary({"--json", "warranty", "list"}).out,
            "[\n  {\n    \"id\": 1,\n    \"title\": \"Omega Speedmaster/Moonwatch\"\n  }\n]\n");
}

}  // namespace
}  // namespace tockary::testing
