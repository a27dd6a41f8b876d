#include "platform/outside_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/replaced_file.h"

namespace tockary {

namespace {

Status refused(const std::filesystem::path& file, std::string reason) {
  return Status::error(std::move(reason), {{"path", file.string()}});
}

Status unreadable(const std::filesystem::path& file) {
  return refused(file, "cannot be read: " + std::generic_category().message(errno));
}

std::string sizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  if (bytes >= kMegabyte && bytes % kMegabyte == 0) {
    return std::to_string(bytes / kMegabyte) + " MB";
  }
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// Why a file of this kind and size is refused; empty when it may be read.
std::string refusal(const struct stat& info, std::uint64_t limit) {
  if (S_ISDIR(info.st_mode)) return "is a directory";
  if (!S_ISREG(info.st_mode)) return "is not a regular file";
  if (static_cast<std::uint64_t>(info.st_size) > limit) return "is larger than " + sizeText(limit);
  return {};
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { ::close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

Result<Bytes> readOutsideFile(const std::filesystem::path& file, std::uint64_t limit) {
  // Looked at before opening, since opening a device can do something of its own.
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return unreadable(file);
  if (std::string why = refusal(info, limit); !why.empty()) return refused(file, why);

  // O_NONBLOCK: a name swapped for a FIFO since the look does not make the open wait for a
  // writer. The open file is what counts, so it is looked at again.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return unreadable(file);
  const Descriptor closer(fd);
  if (::fstat(fd, &info) != 0) return unreadable(file);
  if (std::string why = refusal(info, limit); !why.empty()) return refused(file, why);

  Bytes bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  std::array<std::uint8_t, 64 * 1024> chunk{};
  while (true) {
    // Never more than one byte past the limit: enough to tell a file that grew beyond it.
    const std::uint64_t room = limit - std::min<std::uint64_t>(limit, bytes.size()) + 1;
    const ssize_t got = ::read(fd, chunk.data(), std::min<std::uint64_t>(chunk.size(), room));
    if (got < 0) {
      if (errno == EINTR) continue;
      return unreadable(file);
    }
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    if (bytes.size() > limit) return refused(file, "is larger than " + sizeText(limit));
  }
  return bytes;
}

Status writableOutsideFile(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    return refused(file, "is a directory");
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return refused(file, "is in a folder that does not exist");
  }
  return Status::ok();
}

Status writeOutsideFile(const std::filesystem::path& file, const Bytes& bytes) {
  if (Status usable = writableOutsideFile(file); !usable) return usable;
  auto out = ReplacedFile::create(file);
  if (!out) return out.status();
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (Status written = out.value().append(text); !written) return written;
  return out.value().commit();
}

}  // namespace tockary
