#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "output.h"
#include "settings/collection_backup.h"

namespace tockary::cli {

namespace {

// The counts of a backup: as fields for people, {"Kello": 14, ...} and "preferences" for scripts.
void printContents(Output& out, const BackupManifest& manifest, const Formatters& formatters) {
  out.json()["created"] = manifest.created;
  out.json()["schemaVersion"] = manifest.schemaVersion;
  if (manifest.createdAt)
    out.text().field("Made", formatters.shortDateMediumTime(*manifest.createdAt));
  Json records = Json::object();
  for (const RecordCount& line : CollectionBackup::contents(manifest)) {
    if (line.entity.empty()) {
      out.text().field(line.caption, std::to_string(line.count));
    } else {
      records[line.entity] = line.count;
      out.text().field(line.caption + " (" + line.entity + ")", std::to_string(line.count));
    }
  }
  out.json()["records"] = records;
  out.json()["preferences"] = manifest.preferences;
}

// A refused file is bad input (exit 2); any other failure is the store's or the disk's (exit 1).
[[noreturn]] void fail(const std::filesystem::path& file, const Status& status) {
  if (isBackupRefused(status)) throw UsageError{CollectionBackup::refusalLine(file, status)};
  requireWritten(status, "the restore failed");
  throw WriteFailure{status.description()};
}

void addBackup(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "backup",
      "Write the whole collection (every record and picture) and the settings to one file, a "
      "consistent moment of them even while the app is writing, as the settings screen's "
      "\"Back Up…\" does:\n  tockary backup ~/tockary-backup.sqlite");
  auto file = std::make_shared<std::string>();
  command->add_option("FILE", *file, "The backup file to write, replaced whole")->required();
  command->callback([&action, file] {
    action = [file](CliEnvironment& env) {
      const std::filesystem::path target = outputFile("FILE", *file);
      CollectionBackup backup(env.services(), env.preferencesFile(), env.options().busyTimeout);
      auto made = backup.backUp(target);
      if (!made) {
        throw WriteFailure{"the backup was not written: " + made.status().description()};
      }
      Output out(env.options().json);
      out.json()["path"] = target.string();
      out.text().field("Backup", target.string());
      printContents(out, *made, env.formatters());
      out.print(std::cout);
      return 0;
    };
  });
}

void addRestore(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "restore",
      "Replace the collection and the settings with those of a backup. The file is checked "
      "whole first; without --yes it only shows what would be replaced. The replaced files are "
      "kept beside them, ending in .before-restore:\n  tockary restore ~/tockary-backup.sqlite "
      "--yes");
  auto file = std::make_shared<std::string>();
  auto yes = std::make_shared<bool>(false);
  command->add_option("FILE", *file, "The backup file to restore")->required();
  command->add_flag("--yes", *yes, "Confirm the restore (confirmRestore)");
  command->callback([&action, file, yes] {
    action = [file, yes](CliEnvironment& env) {
      const std::filesystem::path source(*file);
      // The settings file exists before the restore writes into it.
      static_cast<void>(env.defaults());
      CollectionBackup backup(env.services(), env.preferencesFile(), env.options().busyTimeout);
      if (*yes) env.presenter().answerNextSheet({std::string(kConfirmRestoreAction), {}});
      if (Status asked = backup.askToRestore(source); !asked) fail(source, asked);
      Output out(env.options().json);
      const auto& outcome = backup.restoreOutcome();
      if (!outcome) {
        const auto& shown = env.presenter().shownSheets();
        if (!shown.empty()) {
          out.json() = sheetJson(shown.front());
          out.text().sheet(shown.front());
        }
        out.text().line("Nothing was changed: add --yes to restore " + source.string() + ".");
        out.print(std::cout);
        return 0;
      }
      if (!*outcome) fail(source, outcome->status());
      out.json()["restored"] = source.string();
      out.text().field("Restored", source.string());
      printContents(out, (*outcome)->restored, env.formatters());
      out.json()["storeKept"] = (*outcome)->storeKept.string();
      out.json()["preferencesKept"] = (*outcome)->preferencesKept.string();
      out.text().field("Replaced collection kept in", (*outcome)->storeKept.string());
      out.text().field("Replaced settings kept in", (*outcome)->preferencesKept.string());
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace

void addBackupCommands(CLI::App& root, CommandAction& action) {
  addBackup(root, action);
  addRestore(root, action);
}

}  // namespace tockary::cli
