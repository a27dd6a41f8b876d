// The command line `tockary`: builds the platform, runs one screen or action, prints what it shows.

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli_environment.h"
#include "commands.h"
#include "platform/data_directory.h"
#include "platform/format/formatters.h"
#include "platform/ui/diagnostics.h"

using namespace tockary;
using namespace tockary::cli;

namespace {

int usageError(const std::string& message) {
  std::cerr << "tockary: " << message << '\n';
  return 2;
}

std::string commandNames(const CLI::App& root) {
  std::string names;
  for (const auto* command : root.get_subcommands({})) {
    if (!names.empty()) names += ", ";
    names += command->get_name();
  }
  return names;
}

// The first word that stands where a command should, when it names none.
std::optional<std::string> unknownCommand(const CLI::App& root, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--data-dir" || word == "--locale") {
      ++i;
      continue;
    }
    if (word.starts_with("-")) continue;
    for (const auto* command : root.get_subcommands({})) {
      if (command->get_name() == word) return std::nullopt;
    }
    return word;
  }
  return std::nullopt;
}

constexpr std::string_view kBusyTimeoutVariable = "TOCKARY_BUSY_TIMEOUT_MS";
constexpr int kMaxBusyTimeoutMs = 600000;

// The busy timeout the environment asks for; nullopt when it sets a value that is refused.
std::optional<std::chrono::milliseconds> busyTimeoutFromEnvironment() {
  const char* set = std::getenv(kBusyTimeoutVariable.data());
  if (set == nullptr) return StoreOptions{}.busyTimeout;
  const std::string_view text(set);
  int ms = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || ms < 0 ||
      ms > kMaxBusyTimeoutMs) {
    return std::nullopt;
  }
  return std::chrono::milliseconds(ms);
}

constexpr std::string_view kNowVariable = "TOCKARY_NOW";

bool anyCommand(const CLI::App& root, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const auto* command : root.get_subcommands({})) {
      if (command->get_name() == argv[i]) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App root("Tockary: your watch collection, its wear log and its figures.", "tockary");
  root.require_subcommand(1);
  root.fallthrough();
  GlobalOptions options;
  root.add_option("--data-dir", options.dataDir,
                  "Where the collection lives (default: $XDG_DATA_HOME/tockary, else "
                  "~/.local/share/tockary)");
  root.add_option("--locale", options.locale,
                  "Locale for dates and amounts, such as en_US or fi_FI (default: from the "
                  "environment)")
      ->check(utf8Text());
  root.add_flag("--json", options.json, "Print JSON instead of lines");
  root.add_flag("--verbose", options.verbose, "Show the app's diagnostic lines on standard error");
  root.footer("Environment:\n  " + std::string(kBusyTimeoutVariable) +
              "  How long a change waits for another program that is writing the collection, in "
              "milliseconds (0 to " +
              std::to_string(kMaxBusyTimeoutMs) + ", default " +
              std::to_string(StoreOptions{}.busyTimeout.count()) +
              "); a change that waits longer is not made and the command exits with status 1\n  " +
              std::string(kNowVariable) +
              "  The moment the command takes as now, as the clock on the wall shows it "
              "(2026-12-07T18:00): to see which reminders would be due then");

  CommandAction action;
  addCollectionCommands(root, action);
  addDetailCommands(root, action);
  addReportCommands(root, action);
  addPopupCommands(root, action);
  addCardCommand(root, action);
  addEditorCommands(root, action);
  addServiceCommands(root, action);
  addWarrantyCommands(root, action);
  addExportCommand(root, action);
  addImportCommand(root, action);
  addBackupCommands(root, action);
  addRemindersCommand(root, action);
  addMeasureCommands(root, action);
  addSettingsCommand(root, action);
  addInfoCommand(root, action);

  try {
    root.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return root.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return root.exit(e);
  } catch (const CLI::ParseError& e) {
    if (!action) {
      if (auto unknown = unknownCommand(root, argc, argv)) {
        return usageError("unknown command \"" + *unknown + "\"; accepted: " + commandNames(root));
      }
      if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr && !anyCommand(root, argc, argv)) {
        return usageError("no command given; accepted: " + commandNames(root) +
                          " (tockary --help shows them)");
      }
    }
    return usageError(e.what());
  }
  if (auto folder = dataDirectoryArgument(options.dataDir); !folder) {
    return usageError("--data-dir " + folder.status().description());
  }
  if (!options.locale.empty() && !isKnownLocale(options.locale)) {
    return usageError("unknown locale \"" + options.locale + "\"; use a name such as en_US, " +
                      "de_DE or fi_FI");
  }
  const auto busyTimeout = busyTimeoutFromEnvironment();
  if (!busyTimeout) {
    return usageError(std::string(kBusyTimeoutVariable) + " \"" +
                      std::getenv(kBusyTimeoutVariable.data()) +
                      "\" refused; accepted: a whole number of milliseconds from 0 to " +
                      std::to_string(kMaxBusyTimeoutMs));
  }
  options.busyTimeout = *busyTimeout;
  if (const char* now = std::getenv(kNowVariable.data()); now != nullptr) {
    options.now = Formatters(options.locale).parseIsoDateTime(now);
    if (!options.now) {
      return usageError(std::string(kNowVariable) + " \"" + now +
                        "\" refused; accepted: a local date and time such as 2026-12-07T18:00");
    }
  }
  if (!options.verbose) setDiagnosticSink({});
  if (!action) return usageError("no command given; run tockary --help");

  CliEnvironment env(options);
  try {
    const int status = action(env);
    env.terminate();
    return status;
  } catch (const UsageError& e) {
    return usageError(e.message);
  } catch (const WriteFailure& e) {
    std::cerr << "tockary: " << e.message << '\n';
    return 1;
  }
}
