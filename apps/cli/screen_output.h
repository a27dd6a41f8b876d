#pragma once

#include <memory>
#include <string>

#include "cli_environment.h"
#include "output.h"
#include "platform/ui/sheet.h"
#include "store/records.h"

namespace tockary::cli {

// The watch a command names, by its id as the list prints it ("12" or "Kello/12").
// Unknown ids are a UsageError naming the id.
std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id);

}  // namespace tockary::cli
