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

}  // namespace tockary::cli
