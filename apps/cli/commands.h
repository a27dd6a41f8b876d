#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "cli_environment.h"
#include "platform/render/drawing.h"

namespace tockary::cli {

// A parsed command: what to run once the options are known. Returns the exit status.
using CommandAction = std::function<int(CliEnvironment&)>;

// Refuses a value that is not valid UTF-8 ("--brand: the value is not valid UTF-8; ..."). Every
// option that takes text carries it; file paths are not text and do not.
const CLI::Validator& utf8Text();
// Bad input naming a value outside a fixed list: "unknown status "X"; accepted: A, B".
UsageError unknownValue(std::string_view what, std::string_view value, std::string_view accepted);
// The required ID argument of a command about one watch, as `tockary list` shows the ids.
CLI::App* addWatchIdArgument(CLI::App* command, std::string& id);

// The file an output option ("-o") names, looked at before anything is done: a folder, or a file
// in a folder that does not exist, is a UsageError (a folder's line suggests `exampleName` in it,
// when one is given).
std::filesystem::path outputFile(std::string_view option, const std::string& given,
                                 std::string_view exampleName = {});
// Draws `drawing` as a PNG picture and writes it whole to `file`; what fails is a WriteFailure
// naming `what` ("the card").
void writeDrawingPng(const Drawing& drawing, const std::filesystem::path& file,
                     std::string_view what);

// Each command adds itself to the root and, when chosen, sets `action`.
void addInfoCommand(CLI::App& root, CommandAction& action);
void addSettingsCommand(CLI::App& root, CommandAction& action);
// export-csv
void addExportCommand(CLI::App& root, CommandAction& action);
// import-csv FILE [--dry-run] [--skip-bad]
void addImportCommand(CLI::App& root, CommandAction& action);
// backup FILE, restore FILE [--yes]
void addBackupCommands(CLI::App& root, CommandAction& action);
// reminders [--deliver-due | --ics FILE]
void addRemindersCommand(CLI::App& root, CommandAction& action);
// list, sort, delete
void addCollectionCommands(CLI::App& root, CommandAction& action);
// show, wear, status, reset, adjust
void addDetailCommands(CLI::App& root, CommandAction& action);
// report, share
void addReportCommands(CLI::App& root, CommandAction& action);
// compare, keeper-rate, seller-rate, ownership, badge, tech, wotd, summary
void addPopupCommands(CLI::App& root, CommandAction& action);
// card
void addCardCommand(CLI::App& root, CommandAction& action);
// add, edit, catalogues
void addEditorCommands(CLI::App& root, CommandAction& action);
// service list, show, add, edit, delete
void addServiceCommands(CLI::App& root, CommandAction& action);
// warranty list, show, add, edit, delete, share
void addWarrantyCommands(CLI::App& root, CommandAction& action);
// measure list, sort, start, end, show, delete, summary, instructions
void addMeasureCommands(CLI::App& root, CommandAction& action);

}  // namespace tockary::cli
