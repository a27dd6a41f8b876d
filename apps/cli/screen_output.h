#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "cli_environment.h"
#include "commands.h"
#include "output.h"
#include "platform/ui/share.h"
#include "platform/ui/sheet.h"
#include "settings/preference_keys.h"
#include "store/records.h"

namespace tockary::cli {

// The watch a command names, by its id as the list prints it ("12" or "Kello/12").
// Unknown ids are a UsageError naming the id.
// Refuses what a form did not take, naming the option it came from (exit 2).
void requireAccepted(const Status& entered, std::string_view option);

// After an editor's save: the record's id, "<done> <noun> N." for people and {"id": N} for
// scripts; a save that failed ends in `failure` and the reason (exit 1).
int printSaved(CliEnvironment& env, const Result<ObjectID>& saved, std::string_view done,
               std::string_view noun, std::string_view failure);

std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id);

// What a screen handed to the share sheet, item by item in order, for people ("1. Picture:
// Alpha Beta.png (image/png, 1234 bytes), written to FILE", "2. Text: ...", "3. File: PATH") and
// for scripts (`items`). The first picture is written whole to the file `pictureFile` names for
// it; a file that cannot be written is a UsageError naming it as -o.
void printSharedItems(
    Output& out, const ShareRequest& request,
    const std::function<std::filesystem::path(const ShareItem::Data&)>& pictureFile);

// The record of entity T a command names by its id as its list prints it ("3" or "Varataulu/3").
// Unknown ids are a UsageError naming the id, the `noun` and the command that lists the ids.
template <typename T>
std::shared_ptr<T> recordById(CliEnvironment& env, const std::string& id, std::string_view noun,
                              std::string_view listCommand) {
  std::optional<ObjectID> objectId = ObjectID::fromText(id);
  if (!objectId) objectId = ObjectID::fromText(std::string(T::entityName()) + "/" + id);
  std::shared_ptr<T> record;
  if (objectId) record = env.app().viewContext().existingObject<T>(*objectId);
  if (!record) {
    throw UsageError{"unknown " + std::string(noun) + " id \"" + id + "\"; `" +
                     std::string(listCommand) + "` shows the ids"};
  }
  return record;
}

// The `sort` command of a list: without ENTRY it prints the list's sort sheet; with an entry's
// title or key it chooses that entry, as the sheet's action does, and prints the order now kept.
// `orderRowsBy` opens the list and presents its sheet; `help` describes the command.
void addSortCommand(CLI::App& parent, CommandAction& action, const std::string& help,
                    std::span<const SortMenuEntry> menu,
                    std::function<void(CliEnvironment&)> orderRowsBy);

}  // namespace tockary::cli
