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
// Refuses what a form did not take, naming the option it came from (exit 2).
void requireAccepted(const Status& entered, std::string_view option);

// After an editor's save: the record's id, "<done> <noun> N." for people and {"id": N} for
// scripts; a save that failed ends in `failure` and the reason (exit 1).
int printSaved(CliEnvironment& env, const Result<ObjectID>& saved, std::string_view done,
               std::string_view noun, std::string_view failure);

std::shared_ptr<Kello> watchById(CliEnvironment& env, const std::string& id);

}  // namespace tockary::cli
