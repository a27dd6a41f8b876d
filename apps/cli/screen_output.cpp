#include "screen_output.h"

#include <charconv>
#include <iostream>

namespace tockary::cli {

std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id) {
  std::optional<ObjectID> objectId = ObjectID::fromText(id);
  if (!objectId) objectId = ObjectID::fromText(std::string(Kello::entityName()) + "/" + id);
  std::shared_ptr<Kello> watch;
  if (objectId) watch = env.app().viewContext().existingObject<Kello>(*objectId);
  if (!watch) {
    throw UsageError{"unknown watch id \"" + id + "\"; `tockary list` shows the ids"};
  }
  return watch;
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

}  // namespace tockary::cli
