#include "screen_output.h"

#include <charconv>

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

}  // namespace tockary::cli
