#include "commands.h"

namespace tockary::cli {

void addDetailCommands(CLI::App& /*root*/, CommandAction& /*action*/) {}

}  // namespace tockary::cli
