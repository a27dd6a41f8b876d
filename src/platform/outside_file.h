#pragma once

#include <cstdint>
#include <filesystem>

#include "platform/date.h"
#include "platform/status.h"

namespace tockary {

// How large a picture file may be.
inline constexpr std::uint64_t kPictureFileLimit = 50ULL * 1024 * 1024;

// Reads the whole of a file that comes from outside the program (a picture the user chose, an
// import), once. Only a regular file of at most `limit` bytes is read: a directory, a FIFO, a
// device or a socket is refused without waiting on it, and no more than `limit` bytes are ever
// read, even from a file that grows meanwhile. A refusal's description is its reason, written to
// follow the file's name: "is a directory", "is not a regular file", "is larger than 50 MB",
// "cannot be read: <the system's reason>"; its user information holds the path.
Result<Bytes> readOutsideFile(const std::filesystem::path& file, std::uint64_t limit);

// Writes `bytes` as the whole of `file` (a file the user named, such as a shared picture), so
// that the name holds either what it held before or all of the new bytes, never a part: they are
// written beside it under a temporary name, flushed to disk and then renamed over it. The file is
// private to its user (0600). A refusal's description follows the file's name as above: "is a
// directory", "is in a folder that does not exist", "cannot be written: <the system's reason>".
Status writeOutsideFile(const std::filesystem::path& file, const Bytes& bytes);
// The refusal writeOutsideFile would give for the name alone (a directory, a missing folder), so
// that a command can refuse it before doing anything else; ok for a name it may write.
Status writableOutsideFile(const std::filesystem::path& file);

}  // namespace tockary
