#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "settings/csv_columns.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDateRefusal =
    "is refused; accepted: a date such as 2024-05-17 or 5/17/24; an empty value clears it";

class ImportCliTest : public CliTest {
 protected:
  CliRun run(std::vector<std::string> arguments, const fs::path& dataDir) {
    arguments.insert(arguments.begin(), {"--data-dir", dataDir.string(), "--locale", "en_US"});
    return runTockary(arguments, scratch.path());
  }
  CliRun tockary(std::vector<std::string> arguments) { return run(std::move(arguments), data); }

  // A file of the header and one line per row; each row names the columns it fills.
  fs::path csvFile(const std::vector<std::map<std::string, std::string>>& rows,
                   const std::string& name = "watches.csv") {
    std::string text(kCsvHeader);
    for (const auto& row : rows) {
      std::string line;
      for (const CsvColumn& column : kCsvColumns) {
        if (!line.empty()) line += ',';
        const auto given = row.find(std::string(column.name.substr(column.name[0] == ' ')));
        if (given != row.end()) line += given->second;
      }
      text += line + "\n";
    }
    const fs::path file = scratch.path() / name;
    writeFile(file, text);
    return file;
  }

  std::string exported(const fs::path& dataDir, const std::string& name) {
    const fs::path file = scratch.path() / name;
    const CliRun done = run({"export-csv", "-o", file.string()}, dataDir);
    EXPECT_EQ(done.status, 0) << done.err;
    return readFile(file);
  }

  std::vector<std::shared_ptr<Kello>> watches(const fs::path& dataDir) {
    reader_ = std::make_unique<AppDelegate>(dataDir);
    return reader_->viewContext().fetch<Kello>(Kello::fetchRequest()).value();
  }

  std::unique_ptr<AppDelegate> reader_;
};

TEST_F(ImportCliTest, ExportImportedIntoAnEmptyCollectionExportsTheSameFile) {
  ASSERT_EQ(tockary({"add",
                     "--brand",
                     "Smith, Jones",
                     "--model",
                     "The \"Big\" One",
                     "--reference",
                     "line one\nline two",
                     "--serial-number",
                     "Nº 7",
                     "--purchased-from",
                     "Zürich, \"Ltd\"",
                     "--purchase-date",
                     "2021-03-04",
                     "--purchase-price",
                     "1200,50",
                     "--sold-to",
                     "A buyer\r\nwith two lines",
                     "--sold-date",
                     "2024-12-31",
                     "--sold-price",
                     "2 500",
                     "--year",
                     "1998",
                     "--movement-type",
                     "Automatic",
                     "--vph",
                     "32768Hz",
                     "--diameter",
                     "40.5",
                     "--lug-width",
                     "22",
                     "--crown-type",
                     "Screw-Down",
                     "--water-resistance",
                     "20 ATM",
                     "--set-completeness",
                     "Full Set",
                     "--warranty-end-date",
                     "2026-01-02"})
                .status,
            0);
  ASSERT_EQ(tockary({"add", "--brand", "Séiko", "--model", "ŁÓDŹ 日本"}).status, 0);
  ASSERT_EQ(tockary({"add"}).status, 0);  // every field empty
  ASSERT_EQ(tockary({"add"}).status, 0);  // and another one alike
  ASSERT_EQ(tockary({"status", "2", "Grail"}).status, 0);
  ASSERT_EQ(tockary({"status", "3", "Not Set"}).status, 0);
  ASSERT_EQ(tockary({"adjust", "2", "60", "--yes"}).status, 0);
  const std::string before = exported(data, "before.csv");
  ASSERT_NE(before.find("\"Smith, Jones\",\"The \"\"Big\"\" One\""), std::string::npos) << before;
  ASSERT_NE(before.find(",32768Hz,"), std::string::npos);
  ASSERT_NE(before.find(",Grail,60,"), std::string::npos);

  const fs::path empty = home.path() / "other";
  const CliRun imported = run({"import-csv", (scratch.path() / "before.csv").string()}, empty);
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, "4 watches imported\n");
  EXPECT_EQ(imported.err, "");
  EXPECT_EQ(exported(empty, "after.csv"), before);
}

TEST_F(ImportCliTest, RowsAreSavedAsTheEditorSavesANewWatch) {
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  const fs::path file = csvFile({{{"Brand", "Oris"}, {"PurchasePrice", "\"1.200,50\""}}});
  ASSERT_EQ(tockary({"import-csv", file.string()}).status, 0);
  ASSERT_EQ(tockary({"add", "--brand", "Oris"}).status, 0);

  const auto stored = watches(data);
  ASSERT_EQ(stored.size(), 2U);
  const Kello& imported = *stored[0];
  const Kello& added = *stored[1];
  EXPECT_EQ(imported.ostohinta(), 1200.5);
  EXPECT_EQ(imported.malli(), std::string());  // empty, as the form saves an empty field
  EXPECT_EQ(imported.ostopvm(), std::nullopt);
  EXPECT_EQ(imported.varasarake2(), std::nullopt);
  EXPECT_EQ(imported.varasarake3(), added.varasarake3());  // the history log's added line
  EXPECT_TRUE(imported.varasarake3()->find("added") != std::string::npos) << *added.varasarake3();
  EXPECT_EQ(imported.kellokuva(), added.kellokuva());  // the placeholder pictures
  EXPECT_EQ(imported.varasarake6(), added.varasarake6());
  EXPECT_TRUE(imported.hasKellokuva());
}

TEST_F(ImportCliTest, ABadValueImportsNothingUnlessSkipBadIsGiven) {
  std::vector<std::map<std::string, std::string>> rows;
  for (int i = 2; i <= 8; ++i) {
    rows.push_back({{"Brand", "Brand " + std::to_string(i)}, {"PurchaseDate", "5/17/24"}});
  }
  rows[5]["PurchaseDate"] = "13/45/24";  // row 7 as a spreadsheet shows it
  const fs::path file = csvFile(rows);

  const CliRun refused = tockary({"import-csv", file.string()});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "tockary: row 7, PurchaseDate: \"13/45/24\" " + std::string(kDateRefusal) +
                             "\ntockary: nothing was imported: the file has bad values (listed "
                             "above); correct them, or import the other rows with --skip-bad\n");
  EXPECT_TRUE(watches(data).empty());

  const CliRun skipped = tockary({"import-csv", file.string(), "--skip-bad"});
  ASSERT_EQ(skipped.status, 0) << skipped.err;
  EXPECT_EQ(skipped.out, "6 watches imported\n1 row with bad values skipped\n");
  EXPECT_EQ(skipped.err,
            "tockary: row 7, PurchaseDate: \"13/45/24\" " + std::string(kDateRefusal) + "\n");
  const auto stored = watches(data);
  ASSERT_EQ(stored.size(), 6U);
  EXPECT_EQ(stored[5]->merkki(), "Brand 8");
}

TEST_F(ImportCliTest, EveryBadValueIsNamedWithWhatIsAccepted) {
  const fs::path file = csvFile({
      {{"Brand", "A"}, {"Status", "Lost"}, {"WearCount", "-3"}},
      {{"Brand", "B"}, {"CaseMaterial", "Cardboard"}, {"PurchasePrice", "$12"}},
      {{"Brand", "C"}, {"Year", "abc"}, {"Diameter", "40.05"}},
  });
  const CliRun refused = tockary({"--json", "import-csv", file.string(), "--dry-run"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  const std::string err = refused.err;
  EXPECT_NE(err.find("tockary: row 2, Status: \"Lost\" is refused; accepted: Not Set, Broken, "),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("tockary: row 2, WearCount: \"-3\" is refused: The wear count must be a "
                     "whole number of 0 or more, such as 60.\n"),
            std::string::npos);
  EXPECT_NE(err.find("tockary: row 3, CaseMaterial: \"Cardboard\" is refused; accepted: "),
            std::string::npos);
  EXPECT_NE(err.find("tockary: row 3, PurchasePrice: \"$12\" is refused; accepted: a number "
                     "without a currency sign, such as 1200.50 or 1200,50\n"),
            std::string::npos);
  EXPECT_NE(err.find("tockary: row 4, Year: \"abc\" is refused; accepted: a whole number from "),
            std::string::npos);
  EXPECT_NE(err.find("tockary: row 4, Diameter: \"40.05\" is refused; accepted: millimetres"),
            std::string::npos);
}

TEST_F(ImportCliTest, ADryRunReportsAndChangesNothing) {
  ASSERT_EQ(tockary({"add", "--brand", "Tudor", "--model", "Black Bay"}).status, 0);
  const fs::path file = csvFile({{{"Brand", "Tudor"}, {"Model", "Black Bay"}},
                                 {{"Brand", "Sinn"}, {"Model", "556"}},
                                 {{"Brand", "Oris"}, {"Status", "bad"}}});
  const std::string store = readFile(data / "Ro_Rurav_Ozaruvuziz.sqlite");
  const std::string before = exported(data, "before.csv");

  const CliRun dry = tockary({"--json", "import-csv", file.string(), "--dry-run", "--skip-bad"});
  ASSERT_EQ(dry.status, 0) << dry.err;
  const auto json = parsedJson(dry);
  EXPECT_EQ(json["dryRun"], true);
  EXPECT_EQ(json["rows"], 3);
  EXPECT_EQ(json["imported"], 1);
  EXPECT_EQ(json["duplicates"], 1);
  EXPECT_EQ(json["badRows"], 1);
  EXPECT_EQ(json["badValues"][0]["row"], 4);
  EXPECT_EQ(json["badValues"][0]["column"], "Status");
  EXPECT_EQ(json["badValues"][0]["value"], "bad");

  const CliRun plain = tockary({"import-csv", file.string(), "--dry-run", "--skip-bad"});
  EXPECT_EQ(plain.out,
            "1 watch would be imported (dry run: nothing was written)\n1 row skipped as already "
            "in the collection (same brand, model, reference and serial number)\n1 row with bad "
            "values skipped\n");
  EXPECT_EQ(readFile(data / "Ro_Rurav_Ozaruvuziz.sqlite"), store);
  EXPECT_EQ(exported(data, "after.csv"), before);
}

TEST_F(ImportCliTest, RowsEqualToAWatchStoredBeforeAreSkippedAndCounted) {
  ASSERT_EQ(tockary({"add", "--brand", "Omega", "--model", "Speedmaster", "--reference", "311.30"})
                .status,
            0);
  const fs::path file = csvFile({
      {{"Brand", "Omega"}, {"Model", "Speedmaster"}, {"Reference", "311.30"}},
      // Another serial number is another watch.
      {{"Brand", "Omega"},
       {"Model", "Speedmaster"},
       {"Reference", "311.30"},
       {"SerialNumber", "2"}},
      // Two watches alike in one file are two watches: the export of such a collection must
      // import whole.
      {{"Brand", "Casio"}, {"Model", "F-91W"}},
      {{"Brand", "Casio"}, {"Model", "F-91W"}},
  });
  CliRun first = tockary({"import-csv", file.string()});
  EXPECT_EQ(first.out,
            "3 watches imported\n1 row skipped as already in the collection (same brand, model, "
            "reference and serial number)\n");
  CliRun again = tockary({"--json", "import-csv", file.string()});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(parsedJson(again)["imported"], 0);
  EXPECT_EQ(parsedJson(again)["duplicates"], 4);
  EXPECT_EQ(watches(data).size(), 4U);
}

TEST_F(ImportCliTest, ColumnsAreFoundByNameInAnyOrderAndMayBeLeftOut) {
  const fs::path file = scratch.path() / "short.csv";
  // A spreadsheet's own file: CRLF, a byte-order mark, no blank before CrownType, another case.
  writeFile(file,
            "\xEF\xBB\xBFwearcount,CrownType,Brand, Model ,PurchaseDate,VPH\r\n"
            "12,Screw-Down,\"Grand Seiko\",SBGA211,2023-02-01,\"32,768Hz\"\r\n"
            "\r\n"
            ",,Casio,\"F-91W\",,\r\n"
            ",,,,,\r\n");
  const CliRun imported = tockary({"import-csv", file.string()});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(imported.out, "2 watches imported\n");
  const auto stored = watches(data);
  ASSERT_EQ(stored.size(), 2U);
  EXPECT_EQ(stored[0]->merkki(), "Grand Seiko");
  EXPECT_EQ(stored[0]->malli(), "SBGA211");
  EXPECT_EQ(stored[0]->kruunu(), "Screw-Down");
  EXPECT_EQ(stored[0]->varasarake4(), 12);
  EXPECT_EQ(stored[0]->bph(), "32768Hz");  // the catalogue's text for an older grouped one
  ASSERT_TRUE(stored[0]->ostopvm().has_value());
  EXPECT_EQ(stored[1]->merkki(), "Casio");
  EXPECT_EQ(stored[1]->kruunu(), std::string());
}

TEST_F(ImportCliTest, DatesAndAmountsAreReadInTheLocaleGiven) {
  const fs::path file = scratch.path() / "de.csv";
  writeFile(file, "Brand,PurchaseDate,PurchasePrice\nLeica,17.05.24,\"1.200,50\"\n");
  const auto german = [&](const std::string& locale) {
    return runTockary(
        {"--data-dir", data.string(), "--locale", locale, "import-csv", file.string()},
        scratch.path());
  };
  const CliRun refused = german("en_US");
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.err.starts_with("tockary: row 2, PurchaseDate: \"17.05.24\" " +
                                      std::string(kDateRefusal)))
      << refused.err;
  const CliRun imported = german("de_DE");
  ASSERT_EQ(imported.status, 0) << imported.err;
  const auto stored = watches(data);
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0]->ostohinta(), 1200.5);
  EXPECT_EQ(tockary({"export-csv", "-o", (scratch.path() / "out.csv").string()}).status, 0);
  EXPECT_NE(readFile(scratch.path() / "out.csv").find("\nLeica,"), std::string::npos);
  EXPECT_NE(readFile(scratch.path() / "out.csv").find(",5/17/24,"), std::string::npos);
}

TEST_F(ImportCliTest, AFileThatCannotBeImportedIsOneLineAndTouchesNothing) {
  const auto refusal = [&](const fs::path& file) {
    const CliRun refused = tockary({"import-csv", file.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_FALSE(fs::exists(data / "Ro_Rurav_Ozaruvuziz.sqlite"));
    return refused.err;
  };
  const fs::path missing = scratch.path() / "missing.csv";
  EXPECT_EQ(refusal(missing), "tockary: \"" + missing.string() +
                                  "\" cannot be read: No such file or directory; accepted: a "
                                  "comma-separated file such as export-csv writes\n");
  EXPECT_EQ(refusal(scratch.path()), "tockary: \"" + scratch.path().string() +
                                         "\" is a directory; accepted: a comma-separated file "
                                         "such as export-csv writes\n");

  const fs::path text = scratch.path() / "notes.txt";
  writeFile(text, "Dear diary,\ntoday I wound my watch.\n");
  EXPECT_TRUE(refusal(text).starts_with("tockary: \"" + text.string() +
                                        "\" has the column \"Dear diary\" in its header row, "
                                        "which is no column of the export; accepted (in any "
                                        "order): Brand, Model, Year, Reference, "));

  const fs::path latin1 = scratch.path() / "latin1.csv";
  writeFile(latin1, "Brand,Model\nSeiko,SKX007\nZ\xFCrich,One\n");
  EXPECT_EQ(refusal(latin1),
            "tockary: \"" + latin1.string() + "\" row 3 is not valid UTF-8 text\n");

  const fs::path open = scratch.path() / "open.csv";
  writeFile(open, "Brand,Model\nSeiko,SKX007\n\"Omega,Speedmaster\n");
  EXPECT_EQ(refusal(open),
            "tockary: \"" + open.string() +
                "\" row 3 has a quoted field that is not closed (a \" is missing)\n");

  const fs::path twice = scratch.path() / "twice.csv";
  writeFile(twice, "Brand, CrownType,CrownType\n");
  EXPECT_EQ(refusal(twice), "tockary: \"" + twice.string() +
                                "\" names the column \"CrownType\" twice in its header row\n");

  const fs::path empty = scratch.path() / "empty.csv";
  writeFile(empty, "");
  EXPECT_EQ(refusal(empty), "tockary: \"" + empty.string() + "\" is empty: it has no header row\n");
}

}  // namespace
}  // namespace tockary::testing
