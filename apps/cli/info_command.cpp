#include <iostream>

#include "commands.h"
#include "output.h"
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
      out.field("dataDirectory", env.dataDirectory().string());
      out.field("storeFile", container.storeFile().string());
      out.field("preferencesFile", env.preferencesFile().string());
      out.field("model", container.name());
      out.field("schemaVersion", container.schemaVersion());
      Json records = Json::object();
      for (const auto& entity : container.managedObjectModel().entities) {
        auto count = context.count(FetchRequest(entity.name));
        records[entity.name] = count ? Json(count.value()) : Json();
      }
      out.field("records", records);
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
