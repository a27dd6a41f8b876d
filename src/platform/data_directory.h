#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tockary {

// Where the collection lives when no folder is given: $XDG_DATA_HOME/tockary, else
// ~/.local/share/tockary.
std::filesystem::path defaultDataDirectory();

// The data folder a user names on a front end's command line. A value beginning with "file:" is
// refused, since SQLite could read it as a URI naming some other file; the refusal's description
// reads after the option's name: "takes a folder path, not a URI".
Result<std::filesystem::path> dataDirectoryArgument(std::string_view text);

// What making the data folder private found.
struct PrivateDirectory {
  // An error when the folder cannot be created or is not a folder.
  Status status;
  // Set when the folder is usable but others keep access to it, with the reason; for the front
  // end to show where its user sees it.
  std::string warning;
};

// Creates the folder (and its missing parents) with mode 0700, or narrows an existing folder that
// its group or others may use to 0700. Nothing but the folder itself is changed, and only when it
// is the user's own and not a shared (sticky) folder; otherwise the warning says so.
PrivateDirectory ensurePrivateDirectory(const std::filesystem::path& directory);

// The name to hand SQLite for a database file of the data folder. A missing file is created
// empty (an empty file is an empty database) with mode 0600, so it never exists with a wider
// mode; an existing file is left as it is. The name is absolute, so SQLite never reads it as a
// URI. An error, its description the reason, when the file cannot be created or is not a
// regular file.
Result<std::filesystem::path> privateDatabaseFile(const std::filesystem::path& file);

}  // namespace tockary
