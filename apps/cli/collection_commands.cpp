#include "commands.h"

namespace tockary::cli {

void addCollectionCommands(CLI::App& /*root*/, CommandAction& /*action*/) {}

}  // namespace tockary::cli
