#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/data_directory.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

int modeOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return -1;
  return static_cast<int>(info.st_mode & 07777);
}

// Files are created under the widest umask, so that only our own modes can keep them private.
class DataDirectoryTest : public ::testing::Test {
 protected:
  DataDirectoryTest() : previousUmask_(::umask(0)) {}
  ~DataDirectoryTest() override { ::umask(previousUmask_); }

  TempDir dir;

 private:
  mode_t previousUmask_;
};

TEST_F(DataDirectoryTest, FolderArgumentIsAPathNeverAUri) {
  const auto uri = dataDirectoryArgument("file:/tmp/v.db#");
  ASSERT_FALSE(uri);
  EXPECT_EQ(uri.status().description(), "takes a folder path, not a URI");
  EXPECT_FALSE(dataDirectoryArgument("file:data"));
  // Only SQLite's own prefix: anything else is a folder name like any other.
  EXPECT_EQ(dataDirectoryArgument("./file:data").value(), "./file:data");
  EXPECT_EQ(dataDirectoryArgument("files/data").value(), "files/data");
  EXPECT_EQ(dataDirectoryArgument("/home/me/file:x").value(), "/home/me/file:x");
}

TEST_F(DataDirectoryTest, NewFolderIsPrivateAndItsParentsAreLeftToTheUmask) {
  const auto folder = dir.path() / "share" / "tockary";
  const PrivateDirectory made = ensurePrivateDirectory(folder);
  EXPECT_TRUE(made.status.isOk()) << made.status.description();
  EXPECT_EQ(made.warning, "");
  EXPECT_EQ(modeOf(folder), 0700);
  EXPECT_EQ(modeOf(dir.path() / "share"), 0777);

  // A trailing separator names the same folder.
  const PrivateDirectory again = ensurePrivateDirectory(dir.path() / "other" / "");
  EXPECT_TRUE(again.status.isOk());
  EXPECT_EQ(modeOf(dir.path() / "other"), 0700);
}

TEST_F(DataDirectoryTest, OpenFolderIsNarrowedAndNothingElseChanges) {
  const auto folder = dir.path() / "tockary";
  std::filesystem::create_directory(folder);
  ::chmod(folder.c_str(), 0755);
  writeFile(folder / "notes.txt", "mine");
  ::chmod((folder / "notes.txt").c_str(), 0644);
  const int parentBefore = modeOf(dir.path());

  const PrivateDirectory narrowed = ensurePrivateDirectory(folder);
  EXPECT_TRUE(narrowed.status.isOk());
  EXPECT_EQ(narrowed.warning, "");
  EXPECT_EQ(modeOf(folder), 0700);
  EXPECT_EQ(modeOf(folder / "notes.txt"), 0644);
  EXPECT_EQ(modeOf(dir.path()), parentBefore);

  // Already private, or narrower: left as it is.
  ::chmod(folder.c_str(), 0500);
  EXPECT_TRUE(ensurePrivateDirectory(folder).status.isOk());
  EXPECT_EQ(modeOf(folder), 0500);
  ::chmod(folder.c_str(), 0700);
}

TEST_F(DataDirectoryTest, FolderThatIsNotOursToNarrowIsUsedWithAWarning) {
  // A shared folder named by mistake keeps its mode.
  const auto shared = dir.path() / "shared";
  std::filesystem::create_directory(shared);
  ::chmod(shared.c_str(), 01777);
  const PrivateDirectory sticky = ensurePrivateDirectory(shared);
  EXPECT_TRUE(sticky.status.isOk());
  EXPECT_EQ(sticky.warning, "the data folder \"" + shared.string() +
                                "\" is open to other users (mode 1777) and was left so: it is a "
                                "shared folder");
  EXPECT_EQ(modeOf(shared), 01777);

  // The kernel refuses every mode change here, to root as well.
  const PrivateDirectory proc = ensurePrivateDirectory("/proc/self");
  EXPECT_TRUE(proc.status.isOk());
  EXPECT_EQ(proc.warning,
            "the data folder \"/proc/self\" is open to other users (mode 0555) and was left so: "
            "Operation not permitted");

  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  const auto theirs = dir.path() / "theirs";
  std::filesystem::create_directory(theirs);
  ::chmod(theirs.c_str(), 0755);
  ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
  EXPECT_EQ(ensurePrivateDirectory(theirs).warning,
            "the data folder \"" + theirs.string() +
                "\" is open to other users (mode 0755) and was left so: it belongs to another "
                "user");
  EXPECT_EQ(modeOf(theirs), 0755);
}

TEST_F(DataDirectoryTest, FolderThatCannotBeMadeIsAnError) {
  writeFile(dir.path() / "plain", "");
  const PrivateDirectory file = ensurePrivateDirectory(dir.path() / "plain");
  EXPECT_EQ(file.status.description(), "cannot create the directory: not a folder");
  const PrivateDirectory below = ensurePrivateDirectory(dir.path() / "plain" / "tockary");
  EXPECT_EQ(below.status.description(), "cannot create the directory: Not a directory");
}

TEST_F(DataDirectoryTest, DatabaseFileIsCreatedPrivateAndNamedAbsolutely) {
  const auto file = dir.path() / "store.sqlite";
  const auto created = privateDatabaseFile(file);
  ASSERT_TRUE(created) << created.status().description();
  EXPECT_EQ(created.value(), file);
  EXPECT_EQ(modeOf(file), 0600);
  EXPECT_EQ(std::filesystem::file_size(file), 0u);

  // An existing file is used as it is: its bytes and its mode are the user's.
  writeFile(file, "kept");
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(privateDatabaseFile(file));
  EXPECT_EQ(readFile(file), "kept");
  EXPECT_EQ(modeOf(file), 0640);

  std::filesystem::create_directory(dir.path() / "folder.sqlite");
  EXPECT_EQ(privateDatabaseFile(dir.path() / "folder.sqlite").status().description(),
            "not a regular file");
  EXPECT_EQ(privateDatabaseFile(dir.path() / "missing" / "store.sqlite").status().description(),
            "No such file or directory");
}

TEST_F(DataDirectoryTest, RelativeNameThatLooksLikeAUriStaysInTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  std::filesystem::create_directory("file:x.db#");
  const auto name = privateDatabaseFile("file:x.db#/store.sqlite");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(name);
  EXPECT_EQ(name.value(), dir.path() / "file:x.db#" / "store.sqlite");
  EXPECT_TRUE(name->is_absolute());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.db"));
}

}  // namespace
}  // namespace tockary::testing
