#pragma once

#include <filesystem>

namespace tockary {

// Where the collection lives when no folder is given: $XDG_DATA_HOME/tockary, else
// ~/.local/share/tockary.
std::filesystem::path defaultDataDirectory();

// Creates the folder (and its parents) when missing; a folder created here is readable by its
// owner only. Returns false when it cannot be created.
bool ensurePrivateDirectory(const std::filesystem::path& directory);

}  // namespace tockary
