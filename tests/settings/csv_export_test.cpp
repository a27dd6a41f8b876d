#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "settings/csv_export.h"
#include "settings/settings_table_view_controller.h"
#include "support/scoped_environment.h"
#include "support/screen_fixture.h"

namespace tockary {
namespace {

namespace fs = std::filesystem;
using testing::readFile;

// The settings screen's export, with the temporary directory pointed at the test's own folder.
class CsvExportTest : public testing::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    fs::create_directory(tmp());
  }

  fs::path tmp() const { return dir.path() / "tmp"; }

  std::shared_ptr<Kello> watch(const std::string& brand, const std::string& model) {
    auto kello = context().insertNewObject<Kello>();
    kello->setMerkki(brand);
    kello->setMalli(model);
    return kello;
  }

  // Exports through the screen, as the button does; the file's text.
  std::string exported() {
    EXPECT_TRUE(context().save());
    SettingsTableViewController screen(services);
    auto result = screen.exportCollectionToCSV();
    EXPECT_TRUE(result.isOk()) << result.status().description();
    return readFile(csvExportFile());
  }

  // The lines after the header, each without its line feed.
  std::vector<std::string> rows() {
    const std::string text = exported();
    EXPECT_TRUE(text.starts_with(kCsvHeader));
    std::vector<std::string> lines;
    std::istringstream in(text.substr(kCsvHeader.size()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testing::ScopedEnvironment temporaryFolder_{"TMPDIR", tmp().string()};
};

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::string::size_type start = 0;
  for (auto comma = line.find(','); comma != std::string::npos; comma = line.find(',', start)) {
    out.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  out.push_back(line.substr(start));
  return out;
}

TEST_F(CsvExportTest, HeaderIsExact) {
  EXPECT_EQ(kCsvHeader.size(), 338U);
  EXPECT_EQ(fields(std::string(kCsvHeader.substr(0, kCsvHeader.size() - 1))).size(), 35U);
  EXPECT_NE(kCsvHeader.find("Glass, CrownType, WaterResistance,Comp1"), std::string_view::npos);
  EXPECT_TRUE(kCsvHeader.ends_with("WearCount,SetCompleteness\n"));
}

TEST_F(CsvExportTest, EmptyCollectionIsTheHeaderAloneAndIsShared) {
  EXPECT_EQ(exported(), kCsvHeader);
  EXPECT_EQ(csvExportFile(), tmp() / "Tockary.csv");

  ASSERT_EQ(presenter.events().size(), 1U);
  const auto* share = std::get_if<RecordingPresenter::Share>(&presenter.events()[0]);
  ASSERT_NE(share, nullptr);
  ASSERT_EQ(share->request.items.size(), 1U);
  ASSERT_NE(share->request.items[0].asFile(), nullptr);
  EXPECT_EQ(share->request.items[0].asFile()->path, tmp() / "Tockary.csv");
  const std::vector<ShareActivity> excluded = {
      ShareActivity::AssignToContact,    ShareActivity::SaveToCameraRoll,
      ShareActivity::PostToFlickr,       ShareActivity::PostToVimeo,
      ShareActivity::PostToTencentWeibo, ShareActivity::PostToTwitter,
      ShareActivity::PostToFacebook,     ShareActivity::OpenInIBooks};
  EXPECT_EQ(share->request.excludedActivityTypes, excluded);
}

TEST_F(CsvExportTest, EveryColumnOfASoldWatch) {
  auto kello = watch("Omega", "Speedmaster");
  kello->setVuosimalli("1969");
  kello->setRefkoodi("145.022");
  kello->setSarjanumero("27500000");
  kello->setKoneistotyyppi("Manual");
  kello->setKoneisto("861");
  kello->setPowerreserve("48");
  kello->setBph("21600");
  kello->setHalkaisija("42");
  kello->setPaksuus("14.5");
  kello->setVarasarake1("48");
  kello->setLugivali("20");
  kello->setKuorenmateriaali("Steel");
  kello->setBezelmateriaali("Aluminium");
  kello->setTauluvari("Black");
  kello->setLasi("Hesalite");
  kello->setKruunu("Push/Pull");
  kello->setVedenpitavyys("5 ATM");
  kello->setKomplikaatio1("Chronograph");
  kello->setKomplikaatio6("Tachymeter");
  kello->setOstoliike("Shop");
  kello->setOstohinta(4200);
  kello->setMyyntiliike("Buyer");
  kello->setMyyntihinta(5100.5);
  kello->setOstopvm(at(2019, 3, 9));
  kello->setMyyntipvm(at(2024, 5, 17, 23, 59));
  kello->setTakuupvm(at(2021, 12, 31));
  kello->setVarasarake2("Sold");
  kello->setVarasarake3("Notes, \"never\" exported\n");
  kello->setVarasarake4(12);
  kello->setSetlaajuus("Full Set");

  const auto lines = rows();
  ASSERT_EQ(lines.size(), 1U);
  // 5100.5 rounds half to even, the platform formatter's default.
  EXPECT_EQ(lines[0],
            "Omega,Speedmaster,1969,145.022,27500000,Manual,861,48,21600,42,14.5,48,20,Steel,"
            "Aluminium,Black,Hesalite,Push/Pull,5 ATM,Chronograph,,,,,Tachymeter,Shop,4200,Buyer,"
            "5100,3/9/19,5/17/24,12/31/21,Sold,12,Full Set");
}

TEST_F(CsvExportTest, MissingValuesAreEmptyFieldsAndPricesZero) {
  auto kello = watch("Seiko", "SKX007");
  kello->setVarasarake2("Keeper");
  const auto lines = rows();
  ASSERT_EQ(lines.size(), 1U);
  // No dates: four commas in a row between the sold price and the status.
  EXPECT_NE(lines[0].find(",0,,0,,,,Keeper,0,"), std::string::npos) << lines[0];
  EXPECT_EQ(fields(lines[0]).size(), 35U);
  EXPECT_TRUE(lines[0].ends_with(",0,"));  // no set completeness
}

TEST_F(CsvExportTest, NumbersAreWholeAndUngrouped) {
  watch("A", "1")->setOstohinta(0);
  watch("A", "2")->setOstohinta(1234567.5);
  watch("A", "3")->setOstohinta(2.5);
  watch("A", "4")->setOstohinta(-7);
  const auto lines = rows();
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_EQ(fields(lines[0])[26], "0");
  EXPECT_EQ(fields(lines[1])[26], "1234568");
  EXPECT_EQ(fields(lines[2])[26], "2");
  EXPECT_EQ(fields(lines[3])[26], "-7");
}

TEST_F(CsvExportTest, GroupedQuartzRatesLoseTheirComma) {
  watch("A", "1")->setBph("32,768Hz");
  watch("A", "2")->setBph("262,144Hz");
  watch("A", "3")->setBph("28800");
  const auto lines = rows();
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(fields(lines[0])[8], "32768Hz");
  EXPECT_EQ(fields(lines[1])[8], "262144Hz");
  EXPECT_EQ(fields(lines[2])[8], "28800");
  for (const auto& line : lines) EXPECT_EQ(fields(line).size(), 35U);
}

TEST_F(CsvExportTest, FieldsWithCommasQuotesOrLineBreaksAreQuoted) {
  auto kello = watch("Smith, Jones & Co", "The \"Big\" One");
  kello->setRefkoodi("first line\nsecond line");
  kello->setOstoliike("carriage\rreturn");
  kello->setMyyntiliike("plain 'single' quotes; semicolons");
  kello->setSetlaajuus("Box, papers");
  const auto lines = exported();
  EXPECT_EQ(lines.substr(kCsvHeader.size()),
            "\"Smith, Jones & Co\",\"The \"\"Big\"\" One\",,\"first line\nsecond line\","
            ",,,,,,,,,,,,,,,,,,,,,\"carriage\rreturn\",0,plain 'single' quotes; semicolons,0,,,,,0,"
            "\"Box, papers\"\n");
}

TEST_F(CsvExportTest, InvalidUtf8BecomesReplacementCharacters) {
  watch("Caf\xe9", "ok");
  const auto lines = rows();
  ASSERT_EQ(lines.size(), 1U);
  EXPECT_TRUE(lines[0].starts_with("Caf\xef\xbf\xbd,ok,"));
}

TEST_F(CsvExportTest, OrderedByBrandThenModelWithEqualKeysInStoreOrder) {
  watch("Tudor", "Black Bay")->setRefkoodi("1");
  watch("Omega", "Seamaster")->setRefkoodi("2");
  watch("Omega", "Aqua Terra")->setRefkoodi("3");
  watch("Omega", "Seamaster")->setRefkoodi("4");
  watch("omega", "Aqua Terra")->setRefkoodi("5");  // text sorts by its bytes: lower case last
  std::vector<std::string> references;
  for (const auto& line : rows()) references.push_back(fields(line)[3]);
  EXPECT_EQ(references, (std::vector<std::string>{"3", "2", "4", "1", "5"}));
}

TEST_F(CsvExportTest, DatesFollowTheLocale) {
  Formatters german("de_DE", "UTC");
  auto kello = watch("A", "B");
  kello->setOstopvm(at(2024, 5, 17));
  kello->setOstohinta(1500);
  std::string line;
  appendCsvLine(line, *kello, german);
  EXPECT_NE(line.find(",1500,,0,17.05.24,,,,0,\n"), std::string::npos) << line;
}

TEST_F(CsvExportTest, FileIsPrivateAndReplacedWhole) {
  fs::create_directory(tmp());
  {
    std::ofstream earlier(tmp() / "Tockary.csv");
    earlier << "an earlier export that is longer than the new one will be, by far\n";
  }
  EXPECT_EQ(exported(), kCsvHeader);
  struct stat info {};
  ASSERT_EQ(::stat((tmp() / "Tockary.csv").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600);
  // Nothing of the writing is left beside it.
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(tmp())) files.push_back(entry.path());
  EXPECT_EQ(files, std::vector<fs::path>{tmp() / "Tockary.csv"});
}

TEST_F(CsvExportTest, WriteFailureIsReportedAndNothingIsShared) {
  // The temporary directory is a plain file: nothing can be created in it.
  fs::remove(tmp());
  { std::ofstream(tmp()) << "x"; }
  watch("A", "B");
  ASSERT_TRUE(context().save());
  SettingsTableViewController screen(services);
  lines.clear();
  const auto result = screen.exportCollectionToCSV();
  ASSERT_FALSE(result.isOk());
  EXPECT_NE(result.status().description().find("Tockary.csv"), std::string::npos);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0], "Failed to create file");
  EXPECT_EQ(lines[1], result.status().description());
  EXPECT_TRUE(presenter.events().empty());
}

TEST_F(CsvExportTest, UnsavedChangesAreExported) {
  auto kello = watch("Saved", "Watch");
  ASSERT_TRUE(context().save());
  kello->setMalli("Renamed");
  SettingsTableViewController screen(services);
  ASSERT_TRUE(screen.exportCollectionToCSV().isOk());
  EXPECT_TRUE(
      readFile(csvExportFile()).ends_with("\nSaved,Renamed,,,,,,,,,,,,,,,,,,,,,,,,,0,,0,,,,,0,\n"));
}

}  // namespace
}  // namespace tockary
