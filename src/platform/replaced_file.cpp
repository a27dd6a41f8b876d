#include "platform/replaced_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>
#include <vector>

namespace tockary {

namespace {

Status systemError(const std::filesystem::path& file, std::string_view what) {
  return Status::error(
      std::string(what) + " " + file.string() + ": " + std::generic_category().message(errno),
      {{"path", file.string()}});
}

}  // namespace

Result<ReplacedFile> ReplacedFile::create(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  // Hidden and unique, so that neither a reader of the folder nor a second export takes it for
  // the file itself. mkostemp creates it 0600 from the start.
  std::string name = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return systemError(file, "cannot create");
  return ReplacedFile(file, std::filesystem::path(pattern.data()), fd);
}

ReplacedFile::ReplacedFile(std::filesystem::path file, std::filesystem::path temporary, int fd)
    : file_(std::move(file)), temporary_(std::move(temporary)), fd_(fd) {}

ReplacedFile::ReplacedFile(ReplacedFile&& other) noexcept
    : file_(std::move(other.file_)),
      temporary_(std::move(other.temporary_)),
      fd_(std::exchange(other.fd_, -1)) {}

ReplacedFile& ReplacedFile::operator=(ReplacedFile&& other) noexcept {
  if (this != &other) {
    giveUp();
    file_ = std::move(other.file_);
    temporary_ = std::move(other.temporary_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

ReplacedFile::~ReplacedFile() { giveUp(); }

void ReplacedFile::giveUp() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temporary_.c_str());
  fd_ = -1;
}

Status ReplacedFile::failed() {
  Status error = systemError(file_, "cannot write");
  giveUp();
  return error;
}

Status ReplacedFile::append(std::string_view bytes) {
  if (fd_ < 0) return Status::error("cannot write " + file_.string() + ": already given up");
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return failed();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::ok();
}

Status ReplacedFile::commit() {
  if (fd_ < 0) return Status::error("cannot write " + file_.string() + ": already given up");
  if (::fsync(fd_) != 0) return failed();
  if (::close(std::exchange(fd_, -1)) != 0) {
    const Status error = systemError(file_, "cannot write");
    ::unlink(temporary_.c_str());
    return error;
  }
  if (::rename(temporary_.c_str(), file_.c_str()) != 0) {
    const Status error = systemError(file_, "cannot replace");
    ::unlink(temporary_.c_str());
    return error;
  }
  return Status::ok();
}

}  // namespace tockary
