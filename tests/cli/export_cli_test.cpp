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

// What Python's csv module reads back: fields joined by U+001F, rows by U+001E.
constexpr const char* kCsvReader = R"(import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
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

TEST_F(ExportCliTest, PythonsCsvModuleReadsEveryFieldBack) {
  if (std::system("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  addAwkwardWatches();
  const fs::path file = scratch.path() / "watches.csv";
  ASSERT_EQ(tockary({"export-csv", "-o", file.string()}).status, 0);
  const fs::path script = scratch.path() / "read.py";
  { std::ofstream(script) << kCsvReader; }
  const fs::path read = scratch.path() / "read.txt";
  const std::string command =
      "python3 '" + script.string() + "' '" + file.string() + "' > '" + read.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);

  const auto rows = split(readFile(read));
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

}  // namespace
}  // namespace tockary::testing
