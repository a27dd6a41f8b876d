#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/outside_file.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

class OutsideFileTest : public ::testing::Test {
 protected:
  std::string refusal(const std::filesystem::path& file, std::uint64_t limit = kPictureFileLimit) {
    auto read = readOutsideFile(file, limit);
    if (read) return "(read " + std::to_string(read->size()) + " bytes)";
    EXPECT_EQ(read.status().userInfo().at("path"), file.string());
    return read.status().description();
  }

  TempDir dir;
};

TEST_F(OutsideFileTest, ReadsARegularFileWholeUpToTheLimit) {
  const std::string content = "\x89PNG\r\n\x1a\n" + std::string(100'000, '\0') + "end";
  writeFile(dir.path() / "picture.png", content);
  auto read = readOutsideFile(dir.path() / "picture.png", kPictureFileLimit);
  ASSERT_TRUE(read) << read.status().description();
  EXPECT_EQ(std::string(read->begin(), read->end()), content);

  writeFile(dir.path() / "ten", "0123456789");
  EXPECT_EQ(refusal(dir.path() / "ten", 10), "(read 10 bytes)");
  EXPECT_EQ(refusal(dir.path() / "ten", 9), "is larger than 9 bytes");
  writeFile(dir.path() / "empty", "");
  EXPECT_EQ(refusal(dir.path() / "empty", 1), "(read 0 bytes)");

  // Through a link to it, as a file dialog may hand over.
  std::filesystem::create_symlink(dir.path() / "ten", dir.path() / "link");
  EXPECT_EQ(refusal(dir.path() / "link"), "(read 10 bytes)");
}

TEST_F(OutsideFileTest, RefusesEverythingButARegularFileWithoutWaitingOnIt) {
  std::filesystem::create_directory(dir.path() / "folder");
  EXPECT_EQ(refusal(dir.path() / "folder"), "is a directory");

  // Opened for reading without a writer, a FIFO would wait forever.
  ASSERT_EQ(::mkfifo((dir.path() / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(refusal(dir.path() / "fifo"), "is not a regular file");

  EXPECT_EQ(refusal("/dev/zero"), "is not a regular file");  // endless
  EXPECT_EQ(refusal("/dev/null"), "is not a regular file");

  const auto socketPath = dir.path() / "socket";
  const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(refusal(socketPath), "is not a regular file");
  ::close(listening);

  EXPECT_EQ(refusal(dir.path() / "missing.png"), "cannot be read: No such file or directory");
  std::filesystem::create_symlink(dir.path() / "missing.png", dir.path() / "dangling");
  EXPECT_EQ(refusal(dir.path() / "dangling"), "cannot be read: No such file or directory");
}

TEST_F(OutsideFileTest, RefusesALargerFileBeforeReadingIt) {
  // Sparse: the size is there at once, without writing 50 MB.
  writeFile(dir.path() / "huge.png", "");
  std::filesystem::resize_file(dir.path() / "huge.png", kPictureFileLimit + 1);
  EXPECT_EQ(refusal(dir.path() / "huge.png"), "is larger than 50 MB");
  std::filesystem::resize_file(dir.path() / "huge.png", kPictureFileLimit);
  EXPECT_EQ(refusal(dir.path() / "huge.png"), "(read 52428800 bytes)");
}

TEST_F(OutsideFileTest, NeverReadsPastTheLimitWhateverTheSizeSaid) {
  // A kernel file says it is empty and has more to give, as a file that grows while it is read.
  struct stat info {};
  ASSERT_EQ(::stat("/proc/self/status", &info), 0);
  ASSERT_EQ(info.st_size, 0);
  EXPECT_EQ(refusal("/proc/self/status", 16), "is larger than 16 bytes");
}

TEST_F(OutsideFileTest, UnreadableFileSaysWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  writeFile(dir.path() / "private.png", "x");
  std::filesystem::permissions(dir.path() / "private.png", std::filesystem::perms::none);
  EXPECT_EQ(refusal(dir.path() / "private.png"), "cannot be read: Permission denied");
}

TEST_F(OutsideFileTest, WritesAWholeFileOrLeavesTheOldOne) {
  const auto file = dir.path() / "card.png";
  writeFile(file, "old");
  const Bytes bytes{'n', 'e', 'w', '\0', 'x'};
  ASSERT_TRUE(writeOutsideFile(file, bytes).isOk());
  EXPECT_EQ(readFile(file), std::string("new\0x", 5));
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  std::filesystem::create_directory(dir.path() / "folder");
  const Status folder = writeOutsideFile(dir.path() / "folder", bytes);
  EXPECT_EQ(folder.description(), "is a directory");
  EXPECT_EQ(folder.userInfo().at("path"), (dir.path() / "folder").string());
  EXPECT_EQ(writeOutsideFile(dir.path() / "missing" / "card.png", bytes).description(),
            "is in a folder that does not exist");
  EXPECT_EQ(writeOutsideFile(file / "below", bytes).description(),
            "is in a folder that does not exist");
  // Nothing is left behind under a temporary name.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 2);
  EXPECT_EQ(readFile(file), std::string("new\0x", 5));
}

}  // namespace
}  // namespace tockary::testing
