#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "settings/csv_export.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

class ExportCliTest : public CliTest {
 protected:
  void SetUp() override { fs::create_directory(tmp()); }
  fs::path tmp() const { return scratch.path() / "tmp"; }

  // Two watches whose free texts hold every character that needs quoting.
  void addAwkwardWatches() {
    ASSERT_EQ(tockary({"add", "--brand", "Smith, Jones", "--model", "The \"Big\" One",
                       "--reference", "line one\nline two", "--purchased-from", "Shop, \"Ltd\"",
                       "--sold-to", "A buyer\nwith two lines", "--set-completeness", "Full Set",
                       "--purchase-price", "1200"})
                  .status,
              0);
    ASSERT_EQ(tockary({"add", "--brand", "Alpha", "--model", "Plain", "--vph", "262144Hz"}).status,
              0);
  }

  ScopedEnvironment temporaryFolder_{"TMPDIR", tmp().string()};
};

TEST_F(ExportCliTest, WritesTheTemporaryFileAndPrintsItsPath) {
  const CliRun run = tockary({"export-csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (tmp() / "Tockary.csv").string() + "\n");
  EXPECT_EQ(readFile(tmp() / "Tockary.csv"), kCsvHeader);
}

TEST_F(ExportCliTest, WritesTheNamedFileAndCountsItsRowsInJson) {
  addAwkwardWatches();
  const fs::path file = scratch.path() / "watches.csv";
  const CliRun run = tockary({"--json", "export-csv", "-o", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(parsedJson(run), (nlohmann::ordered_json{{"path", file.string()}, {"rows", 2}}));
  const std::string text = readFile(file);
  EXPECT_TRUE(text.starts_with(std::string(kCsvHeader) + "Alpha,Plain,"));
  EXPECT_NE(text.find(",262144Hz,"), std::string::npos);
  EXPECT_NE(text.find("\n\"Smith, Jones\",\"The \"\"Big\"\" One\",,\"line one\nline two\","),
            std::string::npos)
      << text;
  EXPECT_FALSE(fs::exists(tmp() / "Tockary.csv"));

  const CliRun plain = tockary({"export-csv", "--output", file.string()});
  EXPECT_EQ(plain.out, file.string() + "\n");
}

TEST_F(ExportCliTest, RefusesAFolderOrAMissingFolderAndWritesNothing) {
  const CliRun folder = tockary({"export-csv", "-o", tmp().string()});
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.err, "tockary: -o \"" + tmp().string() +
                            "\" is a directory; name a file in it, " + "such as " +
                            (tmp() / "Tockary.csv").string() + "\n");
  EXPECT_TRUE(fs::is_empty(tmp()));

  const fs::path missing = scratch.path() / "no such folder" / "watches.csv";
  const CliRun run = tockary({"export-csv", "-o", missing.string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "tockary: -o \"" + missing.string() + "\" is in a folder that does not exist\n");
  EXPECT_FALSE(fs::exists(missing.parent_path()));
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(fs::exists(data));  // the store was not even opened

  EXPECT_EQ(tockary({"export-csv", "-o", ""}).status, 2);
}

TEST_F(ExportCliTest, AFileThatCannotBeWrittenExitsWithOneLine) {
  const fs::path notAFolder = scratch.path() / "plain-file";
  { std::ofstream(notAFolder) << "x"; }
  const ScopedEnvironment brokenTemporaryFolder("TMPDIR", notAFolder.string());
  const CliRun run = tockary({"export-csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tockary: the export was not written: cannot create " +
                         (notAFolder / "Tockary.csv").string() + ": Not a directory\n");
  EXPECT_TRUE(run.out.empty());
}

// What Python's csv module reads back (commas, or the delimiter given second): fields joined by
// U+001F, rows by U+001E.
constexpr const char* kCsvReader = R"(import csv, sys
delimiter = sys.argv[2] if len(sys.argv) > 2 else ','
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f, delimiter=delimiter))
sys.stdout.write('\x1e'.join('\x1f'.join(row) for row in rows))
)";

std::vector<std::vector<std::string>> split(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  for (const char c : text) {
    if (c == '\x1e') {
      rows.emplace_back(1);
    } else if (c == '\x1f') {
      rows.back().emplace_back();
    } else {
      rows.back().back() += c;
    }
  }
  return rows;
}

// The rows of a CSV file as Python's csv module reads them.
std::vector<std::vector<std::string>> readWithPython(const fs::path& file,
                                                     const std::string& delimiter = ",") {
  const fs::path script = file.parent_path() / "read.py";
  { std::ofstream(script) << kCsvReader; }
  const fs::path read = file.parent_path() / "read.txt";
  const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + file.string() +
                              "' '" + delimiter + "' > '" + read.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return split(readFile(read));
}

TEST_F(ExportCliTest, PythonsCsvModuleReadsEveryFieldBack) {
  addAwkwardWatches();
  const fs::path file = scratch.path() / "watches.csv";
  ASSERT_EQ(tockary({"export-csv", "-o", file.string()}).status, 0);

  const auto rows = readWithPython(file);
  ASSERT_EQ(rows.size(), 3U);
  for (const auto& row : rows) EXPECT_EQ(row.size(), 35U);
  EXPECT_EQ(rows[0][18], " WaterResistance");  // the header keeps its blank
  EXPECT_EQ(rows[1][0], "Alpha");
  EXPECT_EQ(rows[1][8], "262144Hz");
  const auto& awkward = rows[2];
  EXPECT_EQ(awkward[0], "Smith, Jones");
  EXPECT_EQ(awkward[1], "The \"Big\" One");
  EXPECT_EQ(awkward[3], "line one\nline two");
  EXPECT_EQ(awkward[25], "Shop, \"Ltd\"");
  EXPECT_EQ(awkward[26], "1200");
  EXPECT_EQ(awkward[27], "A buyer\nwith two lines");
  EXPECT_EQ(awkward[34], "Full Set");
}

// LibreOffice Calc opens the export (commas, double quotes, UTF-8, nothing guessed) and saves it
// again with tabs: every field comes back as Python read it from the export itself.
TEST_F(ExportCliTest, LibreOfficeCalcReadsTheSameFieldsBack) {
  addAwkwardWatches();
  const fs::path file = scratch.path() / "watches.csv";
  ASSERT_EQ(tockary({"export-csv", "-o", file.string()}).status, 0);
  const fs::path converted = scratch.path() / "converted";
  fs::create_directory(converted);
  const std::string command =
      "soffice -env:UserInstallation=file://" + (scratch.path() / "office-profile").string() +
      " --headless --infilter='CSV:44,34,76,1,,1033,false,false,false'"
      " --convert-to 'csv:Text - txt - csv (StarCalc):9,34,76,1' --outdir '" +
      converted.string() + "' '" + file.string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const auto calc = readWithPython(converted / "watches.csv", "\t");
  const auto original = readWithPython(file);
  ASSERT_EQ(calc.size(), 3U);
  for (const auto& row : calc) EXPECT_EQ(row.size(), 35U);
  EXPECT_EQ(calc, original);
  EXPECT_EQ(calc[2][0], "Smith, Jones");
  EXPECT_EQ(calc[2][3], "line one\nline two");
}

}  // namespace
}  // namespace tockary::testing
