#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "output.h"
#include "settings/csv_export.h"
#include "settings/settings_table_view_controller.h"

namespace tockary::cli {

void addExportCommand(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "export-csv",
      "Write the whole collection, sold watches included, as comma-separated values, as the "
      "settings screen's export button does, and print the file's path (default: " +
          std::string(kCsvFileName) +
          " in the temporary folder):\n  tockary export-csv -o ~/watches.csv");
  auto file = std::make_shared<std::string>();
  auto* option = command->add_option("-o,--output", *file, "The file to write, replaced whole");
  command->callback([&action, file, option] {
    action = [file, option](CliEnvironment& env) {
      auto exported = [&]() -> Result<CsvExportSummary> {
        if (option->count() == 0) {
          SettingsTableViewController screen(env.services());
          return screen.exportCollectionToCSV();
        }
        // Refused before the store is opened.
        const std::filesystem::path target = outputFile("-o", *file, kCsvFileName);
        return writeCollectionCsv(env.services().context(), env.formatters(), target);
      }();
      if (!exported) {
        throw WriteFailure{"the export was not written: " + exported.status().description()};
      }
      if (!exported->fetch) {
        throw WriteFailure{"the collection could not be read (" + exported->fetch.description() +
                           "); " + exported->file.string() + " holds the header alone"};
      }
      Output out(env.options().json);
      out.json()["path"] = exported->file.string();
      out.json()["rows"] = exported->watches;
      out.text().line(exported->file.string());
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
