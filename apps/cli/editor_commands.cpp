#include "commands.h"

namespace tockary::cli {

void addEditorCommands(CLI::App& /*root*/, CommandAction& /*action*/) {}

}  // namespace tockary::cli
