#include "platform/data_directory.h"

#include <sys/stat.h>

#include <cstdlib>

namespace tockary {

std::filesystem::path defaultDataDirectory() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return std::filesystem::path(xdg) / "tockary";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "tockary";
}

bool ensurePrivateDirectory(const std::filesystem::path& directory) {
  std::error_code ec;
  if (std::filesystem::is_directory(directory, ec)) return true;
  std::filesystem::create_directories(directory, ec);
  if (ec) return false;
  ::chmod(directory.c_str(), 0700);
  return true;
}

}  // namespace tockary
