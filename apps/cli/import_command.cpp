#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "editor/csv_import.h"
#include "output.h"
#include "platform/outside_file.h"

namespace tockary::cli {

namespace {

// Far beyond any collection (10,000 watches take 1 MB), small enough to read whole.
constexpr std::uint64_t kCsvFileLimit = 200ULL * 1024 * 1024;

std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string badValueLine(const CsvBadValue& bad) {
  std::string line = "row " + std::to_string(bad.row);
  if (!bad.column.empty()) line += ", " + bad.column;
  return line + ": " + bad.refusal;
}

struct ImportArguments {
  std::string file;
  bool dryRun = false;
  bool skipBad = false;
};

}  // namespace

void addImportCommand(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "import-csv",
      "Add the watches of a comma-separated file such as export-csv writes, one per row, as the "
      "editor adds a watch (the placeholder pictures; the history log's added line when the log is "
      "on). The first row names the columns, in any order; columns left out are empty. Dates are "
      "ISO (2024-05-17) or the short date of the locale (--locale); amounts as typed in the "
      "editor. A row equal to a watch already in the collection (same brand, model, reference and "
      "serial number) is skipped. Bad values are reported by row as a spreadsheet numbers the rows "
      "(the header is row 1); a file with any bad value imports nothing unless --skip-bad. Prints "
      "what was imported and skipped:\n  tockary import-csv ~/watches.csv --dry-run");
  auto arguments = std::make_shared<ImportArguments>();
  command->add_option("FILE", arguments->file, "The comma-separated file to read")->required();
  command->add_flag("--dry-run", arguments->dryRun,
                    "Check the file and report what would be imported; write nothing");
  command->add_flag("--skip-bad", arguments->skipBad,
                    "Import the good rows of a file that has bad ones; report the bad ones");
  command->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      const std::string& file = arguments->file;
      // Read before the store is opened: a file refused here leaves everything as it was.
      auto bytes = readOutsideFile(file, kCsvFileLimit);
      if (!bytes) {
        throw UsageError{"\"" + file + "\" " + bytes.status().description() +
                         "; accepted: a comma-separated file such as export-csv writes"};
      }
      const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
      CsvImport import(env.services());
      if (Status read = import.read(text); !read) {
        throw UsageError{"\"" + file + "\" " + read.description()};
      }
      for (const CsvBadValue& bad : import.badValues()) {
        std::cerr << "tockary: " << badValueLine(bad) << '\n';
      }
      if (!import.badValues().empty() && !arguments->skipBad) {
        throw UsageError{
            "nothing was imported: the file has bad values (listed above); correct "
            "them, or import the other rows with --skip-bad"};
      }
      auto added = import.add(arguments->dryRun);
      if (!added) requireWritten(added.status(), "the watches could not be imported");
      const CsvImportSummary& summary = added.value();

      Output out(env.options().json);
      Json& json = out.json();
      json["file"] = file;
      json["dryRun"] = arguments->dryRun;
      json["rows"] = summary.rows;
      json["imported"] = summary.imported;
      json["duplicates"] = summary.duplicates;
      json["badRows"] = summary.badRows;
      json["badValues"] = Json::array();
      for (const CsvBadValue& bad : import.badValues()) {
        json["badValues"].push_back({{"row", bad.row},
                                     {"column", bad.column},
                                     {"value", bad.value},
                                     {"refusal", bad.refusal}});
      }
      PlainText& lines = out.text();
      lines.line(
          counted(summary.imported, "watch", "watches") +
          (arguments->dryRun ? " would be imported (dry run: nothing was written)" : " imported"));
      if (summary.duplicates > 0) {
        lines.line(counted(summary.duplicates, "row", "rows") +
                   " skipped as already in the collection (same brand, model, reference and "
                   "serial number)");
      }
      if (summary.badRows > 0) {
        lines.line(counted(summary.badRows, "row", "rows") + " with bad values skipped");
      }
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
