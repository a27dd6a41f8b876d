#include "screen_output.h"

#include <charconv>
#include <iostream>

namespace tockary::cli {

std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id) {
  return recordById<Kello>(env, id, "watch", "tockary list");
}

void requireAccepted(const Status& entered, std::string_view option) {
  if (!entered) throw UsageError{"--" + std::string(option) + " " + entered.description()};
}

int printSaved(CliEnvironment& env, const Result<ObjectID>& saved, std::string_view done,
               std::string_view noun, std::string_view failure) {
  requireWritten(saved.status(), failure);
  Output out(env.options().json);
  out.json()["id"] = saved->primaryKey;
  out.text().line(std::string(done) + " " + std::string(noun) + " " +
                  std::to_string(saved->primaryKey) + ".");
  out.print(std::cout);
  return 0;
}

void addSortCommand(CLI::App& parent, CommandAction& action, const std::string& help,
                    std::span<const SortMenuEntry> menu,
                    std::function<void(CliEnvironment&)> orderRowsBy) {
  std::string entries;
  for (const SortMenuEntry& entry : menu) {
    if (!entries.empty()) entries += ", ";
    entries += "\"" + std::string(entry.title) + "\" (" + std::string(entry.key) + ")";
  }
  auto* command = parent.add_subcommand("sort", help);
  auto entry = std::make_shared<std::string>();
  command->add_option("ENTRY", *entry, "One of the sheet's entries: " + entries)->check(utf8Text());
  command->callback([&action, entry, menu, orderRowsBy] {
    action = [entry, menu, orderRowsBy](CliEnvironment& env) {
      if (!entry->empty()) env.presenter().answerNextSheet({*entry, {}});
      orderRowsBy(env);
      refuseUnansweredAction(env.presenter());
      Output out(env.options().json);
      if (entry->empty()) {
        out.json() = sheetJson(env.presenter().shownSheets().at(0));
        out.text().sheet(env.presenter().shownSheets().at(0));
      } else {
        for (const SortMenuEntry& item : menu) {
          const bool chosen = env.defaults().flag(item.key) == true;
          out.json()[std::string(item.key)] = chosen;
          if (chosen) out.text().field("Order", item.title);
        }
      }
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
