#pragma once

#include <CLI/CLI.hpp>

#include <functional>

#include "cli_environment.h"

namespace tockary::cli {

// A parsed command: what to run once the options are known. Returns the exit status.
using CommandAction = std::function<int(CliEnvironment&)>;

// Refuses a value that is not valid UTF-8 ("--brand: the value is not valid UTF-8; ..."). Every
// option that takes text carries it; file paths are not text and do not.
const CLI::Validator& utf8Text();
// The required ID argument of a command about one watch, as `tockary list` shows the ids.
CLI::App* addWatchIdArgument(CLI::App* command, std::string& id);

// Each command adds itself to the root and, when chosen, sets `action`.
void addInfoCommand(CLI::App& root, CommandAction& action);
void addSettingsCommand(CLI::App& root, CommandAction& action);
// export-csv
void addExportCommand(CLI::App& root, CommandAction& action);
// list, sort, delete
void addCollectionCommands(CLI::App& root, CommandAction& action);
// show, wear, status, reset, adjust
void addDetailCommands(CLI::App& root, CommandAction& action);
// report, share
void addReportCommands(CLI::App& root, CommandAction& action);
// compare, keeper-rate, seller-rate, ownership, badge, tech, wotd, summary
void addPopupCommands(CLI::App& root, CommandAction& action);
// add, edit, catalogues
void addEditorCommands(CLI::App& root, CommandAction& action);
// service list, show, add, edit, delete
void addServiceCommands(CLI::App& root, CommandAction& action);
// warranty list, show, add, edit, delete, share
void addWarrantyCommands(CLI::App& root, CommandAction& action);
// measure list, sort, start, end, show, delete, summary, instructions
void addMeasureCommands(CLI::App& root, CommandAction& action);

}  // namespace tockary::cli
