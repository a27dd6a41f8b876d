#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace tockary {

// A file written whole or not at all: the bytes go to a private temporary file (mode 0600) in the
// same folder, which commit() renames over the file. A reader sees the earlier file or the new
// one, never a part; a file given up before commit() leaves the earlier one as it was.
//
// Failures are Status values whose description names the file and the system's reason
// ("cannot write /tmp/Tockary.csv: No space left on device"), with the path in the user
// information. After a failed append() or commit() the file is given up.
class ReplacedFile {
 public:
  // Opens the temporary file beside `file`; an error when the folder is missing or not writable.
  static Result<ReplacedFile> create(const std::filesystem::path& file);

  ReplacedFile(ReplacedFile&& other) noexcept;
  ReplacedFile& operator=(ReplacedFile&& other) noexcept;
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;
  // Removes the temporary file unless it was committed.
  ~ReplacedFile();

  // Writes the bytes after those already written.
  Status append(std::string_view bytes);
  // Makes the bytes durable and puts the file in place of the earlier one.
  Status commit();

  const std::filesystem::path& path() const { return file_; }
  // The temporary file, for a writer that opens it by name (SQLite) rather than through append().
  const std::filesystem::path& temporaryPath() const { return temporary_; }

 private:
  ReplacedFile(std::filesystem::path file, std::filesystem::path temporary, int fd);
  Status failed();
  void giveUp();

  std::filesystem::path file_;
  std::filesystem::path temporary_;
  int fd_ = -1;
};

}  // namespace tockary
