#pragma once

#include <memory>
#include <string>

#include "cli_environment.h"
#include "output.h"
#include "platform/ui/sheet.h"
#include "store/records.h"

namespace tockary::cli {

// A sheet as the CLI shows it: its displayed headline, its message, then its actions in order.
Json sheetJson(const Sheet& sheet);

// The watch a command names, by its id as the list prints it ("12" or "Kello/12").
// Unknown ids are a UsageError naming the id.
std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id);

}  // namespace tockary::cli
