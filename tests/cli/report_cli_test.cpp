#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/image/image_codec.h"
#include "store/app_delegate.h"
#include "store/records.h"
#include "support/pdf_reading.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

class ReportCliTest : public CliTest {
 protected:
  void SetUp() override {
    const std::vector<std::uint32_t> pixels(16 * 16, 0xFF336699);
    const Image image = Image::fromArgb(16, 16, pixels);
    front = scratch.path() / "front.jpg";
    const Bytes jpeg = ImageCodec().encodeJpeg(image, 0.9).value();
    writeFile(front, std::string(jpeg.begin(), jpeg.end()));
    back = scratch.path() / "back.png";
    const Bytes png = ImageCodec().encodePng(image).value();
    writeFile(back, std::string(png.begin(), png.end()));
    fs::create_directories(out);
  }

  // Adds a watch and returns the status of the add.
  int add(std::vector<std::string> fields) {
    fields.insert(fields.begin(), "add");
    const CliRun added = run(fields);
    EXPECT_EQ(added.status, 0) << added.err;
    return added.status;
  }

  // A watch stored as no editor stores one: without the pictures the editor puts in by default.
  void store(const std::string& brand, std::optional<fs::path> frontPicture) {
    AppDelegate writer(data);
    auto watch = writer.viewContext().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMyyntiliike(std::string());
    if (frontPicture) {
      const std::string bytes = readFile(*frontPicture);
      watch->setKellokuva(Bytes(bytes.begin(), bytes.end()));
    }
    ASSERT_TRUE(writer.viewContext().save().isOk());
  }

  CliRun run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--locale", "en_US"});
    return tockary(arguments);
  }

  std::vector<std::string> written() const { return namesIn(out); }

  fs::path front, back;
  fs::path out = scratch.path() / "reports";
};

TEST_F(ReportCliTest, WritesTheReportNamedAfterTheWatchAndPrintsItsPath) {
  add({"--brand", "Alpha", "--model", "Beta", "--movement-type", "Automatic", "--front-picture",
       front.string()});
  const CliRun regular = run({"report", "1", "--layout", "regular", "-o", out.string()});
  ASSERT_EQ(regular.status, 0) << regular.err;
  const fs::path file = out / "Alpha Beta.pdf";
  EXPECT_EQ(regular.out, file.string() + "\n");
  EXPECT_EQ(regular.err, "");
  EXPECT_EQ(pdfInfo(file, "Title"), "Alpha Beta");
  EXPECT_TRUE(pdfInfo(file, "Page size").starts_with("595.2 x 841.8 pts"));
  const std::string text = pdfText(file);
  for (const char* line : {"Basic Information:", "Movement:", "Case Details:", "Ownership:",
                           "Complications:", "Movement type:", "Automatic"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  // No dates: hyphens; no power reserve: the hours alone.
  for (const char* line : {"Purchase Date:", "Warranty ends:"}) {
    const std::size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    const std::string rest = text.substr(at, text.find('\n', at) - at);
    EXPECT_TRUE(rest.ends_with(" -----")) << rest;
  }
  const std::size_t reserve = text.find("Power reserve:");
  ASSERT_NE(reserve, std::string::npos);
  EXPECT_TRUE(text.substr(reserve, text.find('\n', reserve) - reserve).ends_with(" hours"));

  const auto json =
      parsedJson(run({"--json", "report", "1", "--layout", "for-sale", "-o", out.string()}));
  EXPECT_EQ(json["id"], 1);
  EXPECT_EQ(json["layout"], "for-sale");
  EXPECT_EQ(json["title"], "Alpha Beta");
  EXPECT_EQ(json["path"], file.string());
  // The same name: the regular report was replaced.
  EXPECT_EQ(written(), std::vector<std::string>{"Alpha Beta.pdf"});
  EXPECT_TRUE(pdfInfo(file, "Page size").starts_with("595.2 x 595.2 pts"));
  const std::string forSale = pdfText(file);
  EXPECT_TRUE(forSale.substr(forSale.find_first_not_of(" \n")).starts_with("For Sale\n"))
      << forSale;
  EXPECT_NE(forSale.find("Asking price:"), std::string::npos) << forSale;
  EXPECT_EQ(forSale.find("Purchase price:"), std::string::npos);
}

TEST_F(ReportCliTest, TwoPictureLayoutsNeedTheBackPictureAndNothingIsWrittenWithoutIt) {
  store("Alpha", front);
  store("Gamma", std::nullopt);
  for (const char* layout : {"regular-2", "for-sale-2"}) {
    const CliRun refused = run({"report", "1", "--layout", layout, "-o", out.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "tockary: The report needs the back picture, and the watch has none\n");
  }
  const CliRun none = run({"report", "2", "--layout", "regular", "-o", out.string()});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "tockary: The report needs the front picture, and the watch has none\n");
  EXPECT_TRUE(written().empty());

  add({"--brand", "Delta", "--front-picture", front.string(), "--back-picture", back.string()});
  const CliRun both = run({"report", "3", "--layout", "for-sale-2", "-o", out.string()});
  EXPECT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(written(), std::vector<std::string>{"Delta .pdf"});
}

TEST_F(ReportCliTest, ABrandWithASlashIsWrittenInsideTheFolder) {
  add({"--brand", "A/B", "--model", "../Beta", "--front-picture", front.string()});
  const CliRun made = run({"report", "1", "--layout", "regular", "-o", out.string()});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out, (out / "A-B ..-Beta.pdf").string() + "\n");
  EXPECT_EQ(written(), std::vector<std::string>{"A-B ..-Beta.pdf"});
  EXPECT_EQ(pdfInfo(out / "A-B ..-Beta.pdf", "Title"), "A/B ../Beta");
}

TEST_F(ReportCliTest, WithoutAFolderTheReportGoesToTheDocumentsFolder) {
  const fs::path documents = scratch.path() / "My Documents";
  fs::create_directories(scratch.path() / "config");
  writeFile(scratch.path() / "config" / "user-dirs.dirs",
            "XDG_DOCUMENTS_DIR=\"" + documents.string() + "\"\n");
  const ScopedEnvironment config{"XDG_CONFIG_HOME", (scratch.path() / "config").string()};
  add({"--brand", "Alpha", "--model", "Beta", "--front-picture", front.string()});
  const CliRun made = run({"report", "1", "--layout", "regular"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out, (documents / "Alpha Beta.pdf").string() + "\n");
  EXPECT_TRUE(fs::is_regular_file(documents / "Alpha Beta.pdf"));
}

TEST_F(ReportCliTest, RefusesAnUnknownLayoutAndAFolderThatIsNone) {
  add({"--brand", "Alpha", "--front-picture", front.string()});
  const CliRun layout = run({"report", "1", "--layout", "poster", "-o", out.string()});
  EXPECT_EQ(layout.status, 2);
  EXPECT_NE(layout.err.find("poster"), std::string::npos) << layout.err;
  EXPECT_EQ(run({"report", "1", "-o", out.string()}).status, 2);  // no layout
  const fs::path file = out / "file.txt";
  writeFile(file, "x");
  expectRefusal(run({"report", "1", "--layout", "regular", "-o", file.string()}),
                "-o \"" + file.string() + "\" is not a folder; name an existing folder");
  expectRefusal(
      run({"share", "1", "-o", (out / "missing").string()}),
      "-o \"" + (out / "missing").string() + "\" is not a folder; name an existing folder");
  expectRefusal(run({"report", "9", "--layout", "regular", "-o", out.string()}),
                "unknown watch id \"9\"; `tockary list` shows the ids");
  EXPECT_EQ(written(), std::vector<std::string>{"file.txt"});
}

TEST_F(ReportCliTest, ShareListsTheTwentyItemsInOrderAndWritesThePicture) {
  add({"--brand", "Alpha", "--model", "Beta", "--year", "1998", "--diameter", "40.5", "--comp2",
       "Day", "--set-completeness", "Full Set", "--purchase-date", "2020-02-29", "--front-picture",
       front.string()});
  const CliRun shared = run({"share", "1", "-o", out.string()});
  ASSERT_EQ(shared.status, 0) << shared.err;
  const fs::path picture = out / "Alpha Beta.png";
  const std::string png = readFile(picture);
  EXPECT_EQ(imageFormatOf(Bytes(png.begin(), png.end())), ImageFormat::Png);
  EXPECT_EQ(shared.out, "1. Picture: Alpha Beta.png (image/png, " + std::to_string(png.size()) +
                            " bytes), written to " + picture.string() +
                            "\n"
                            "2. Text: Alpha, Beta  ( 1998 )\n"
                            "3. Text: No movement details\n"
                            "4. Text: Purchased: 2/29/20\n"
                            "5. Text: Warranty Until: \n"
                            "6. Text: Diameter: 40.5\n"
                            "7. Text: Case Material: \n"
                            "8. Text: Thickness: \n"
                            "9. Text: Lug Width: \n"
                            "10. Text: Bezel Material: \n"
                            "11. Text: Glass: \n"
                            "12. Text: Dial Color: \n"
                            "13. Text: Crown Type: \n"
                            "14. Text: \n"
                            "15. Text: Day\n"
                            "16. Text: \n"
                            "17. Text: \n"
                            "18. Text: \n"
                            "19. Text: \n"
                            "20. Text: Includes: Full Set\n");

  const auto json = parsedJson(run({"--json", "share", "1", "-o", out.string()}));
  ASSERT_EQ(json["items"].size(), 20u);
  EXPECT_EQ(json["items"][0]["writtenTo"], picture.string());
  EXPECT_EQ(json["items"][19]["text"], "Includes: Full Set");

  store("Gamma", std::nullopt);
  const CliRun none = run({"share", "2", "-o", out.string()});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "tockary: Sharing needs the front picture, and the watch has none\n");
  EXPECT_EQ(written(), std::vector<std::string>{"Alpha Beta.png"});
}

}  // namespace
}  // namespace tockary::testing
