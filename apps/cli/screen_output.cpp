#include "screen_output.h"

#include <charconv>
#include <iostream>

#include "platform/outside_file.h"

namespace tockary::cli {

std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id) {
  return recordById<Kello>(env, id, "watch", "tockary list");
}

void printSharedItems(
    Output& out, const ShareRequest& request,
    const std::function<std::filesystem::path(const ShareItem::Data&)>& pictureFile) {
  Json items = Json::array();
  bool written = false;
  int number = 0;
  for (const ShareItem& item : request.items) {
    const std::string prefix = std::to_string(++number) + ". ";
    if (const auto* data = item.asData()) {
      Json json = {{"fileName", data->fileName},
                   {"mimeType", data->mimeType},
                   {"bytes", data->bytes.size()}};
      std::string line = prefix + "Picture: " + data->fileName + " (" + data->mimeType + ", " +
                         std::to_string(data->bytes.size()) + " bytes)";
      if (!written) {
        const std::string file = pictureFile(*data).string();
        if (Status saved = writeOutsideFile(file, data->bytes); !saved) {
          throw UsageError{"-o \"" + file + "\" " + saved.description()};
        }
        written = true;
        json["writtenTo"] = file;
        line += ", written to " + file;
      }
      items.push_back(std::move(json));
      out.text().line(line);
    } else if (const auto* text = item.asText()) {
      items.push_back({{"text", *text}});
      out.text().line(prefix + "Text: " + *text);
    } else if (const auto* shared = item.asFile()) {
      items.push_back({{"file", shared->path.string()}});
      out.text().line(prefix + "File: " + shared->path.string());
    }
  }
  out.json()["items"] = std::move(items);
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
