#include <iostream>

#include "commands.h"
#include "output.h"
#include "platform/notifications/pending_notifications.h"
#include "store/collection_model.h"

namespace tockary::cli {

void addInfoCommand(CLI::App& root, CommandAction& action) {
  auto* info = root.add_subcommand(
      "info", "Where the data lives: the store file, its schema version and its record counts");
  info->callback([&action] {
    action = [](CliEnvironment& env) {
      PersistentContainer& container = env.app().persistentContainer();
      ManagedObjectContext& context = container.viewContext();
      Output out(env.options().json);
      Json& json = out.json();
      PlainText& text = out.text();
      json["dataDirectory"] = env.dataDirectory().string();
      text.field("Data folder", env.dataDirectory().string());
      json["storeFile"] = container.storeFile().string();
      text.field("Collection", container.storeFile().string());
      json["preferencesFile"] = env.preferencesFile().string();
      text.field("Settings", env.preferencesFile().string());
      const std::string reminders = (env.dataDirectory() / kRemindersFileName).string();
      json["remindersFile"] = reminders;
      text.field("Reminders", reminders);
      json["model"] = container.name();
      json["schemaVersion"] = container.schemaVersion();
      text.field("Schema",
                 container.name() + ", version " + std::to_string(container.schemaVersion()));
      Json records = Json::object();
      for (const auto& entity : container.managedObjectModel().entities) {
        auto count = context.count(FetchRequest(entity.name));
        records[entity.name] = count ? Json(count.value()) : Json();
        text.field(recordKindCaption(entity.name) + " (" + entity.name + ")",
                   count ? std::to_string(count.value()) : "cannot be counted");
      }
      json["records"] = records;
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
