#include "platform/data_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace tockary {

namespace {

std::string lastError() { return std::generic_category().message(errno); }

std::string octalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

}  // namespace

std::filesystem::path defaultDataDirectory() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return std::filesystem::path(xdg) / "tockary";
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "tockary";
}

Result<std::filesystem::path> dataDirectoryArgument(std::string_view text) {
  // SQLite's own test for a URI: the exact lower-case prefix.
  if (text.starts_with("file:")) return Status::error("takes a folder path, not a URI");
  return std::filesystem::path(text);
}

PrivateDirectory ensurePrivateDirectory(const std::filesystem::path& directory) {
  std::filesystem::path folder = directory;
  if (!folder.has_filename()) folder = folder.parent_path();  // "data/" names "data"
  if (folder.has_parent_path()) {
    std::error_code ignored;  // mkdir below reports what went wrong
    std::filesystem::create_directories(folder.parent_path(), ignored);
  }
  // Made with its final mode rather than narrowed afterwards, so it is never open to others.
  if (::mkdir(folder.c_str(), 0700) == 0) return {};
  if (errno != EEXIST) {
    return {Status::error("cannot create the directory: " + lastError()), {}};
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    return {Status::error("cannot create the directory: " + lastError()), {}};
  }
  if (!S_ISDIR(info.st_mode))
    return {Status::error("cannot create the directory: not a folder"), {}};
  if ((info.st_mode & 077) == 0) return {};
  const auto leftOpen = [&](const std::string& why) {
    return PrivateDirectory{
        Status::ok(), "the data folder \"" + folder.string() + "\" is open to other users (mode " +
                          octalMode(info.st_mode) + ") and was left so: " + why};
  };
  // A folder named by mistake (a shared one such as /tmp, someone else's) is not ours to close.
  if ((info.st_mode & S_ISVTX) != 0) return leftOpen("it is a shared folder");
  if (info.st_uid != ::geteuid()) return leftOpen("it belongs to another user");
  if (::chmod(folder.c_str(), info.st_mode & 07700) != 0) return leftOpen(lastError());
  return {};
}

Result<std::filesystem::path> privateDatabaseFile(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(file, ec);
  if (ec) return Status::error(ec.message());
  // O_EXCL: a file that appeared meanwhile is used as it is, not touched.
  const int fd = ::open(absolute.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return absolute;
  }
  if (errno != EEXIST) return Status::error(lastError());
  struct stat info {};
  if (::stat(absolute.c_str(), &info) != 0) return Status::error(lastError());
  if (!S_ISREG(info.st_mode)) return Status::error("not a regular file");
  return absolute;
}

}  // namespace tockary
