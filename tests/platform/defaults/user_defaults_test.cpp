#include "platform/defaults/user_defaults.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/diagnostics.h"

namespace tockary {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tockary-defaults-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string readAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes behind the store's back, as another program (or an older version) might.
void rawExec(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_close(db);
}

std::unique_ptr<SqliteUserDefaults> openOrFail(const fs::path& file) {
  auto opened = SqliteUserDefaults::open(file);
  EXPECT_TRUE(opened.isOk()) << opened.status().description() << " "
                             << opened.status().userInfoText();
  return opened.isOk() ? std::move(opened).value() : nullptr;
}

// Both implementations must agree on what a reader sees.
struct Backend {
  std::string name;
  std::function<std::unique_ptr<UserDefaults>(const fs::path& dir)> make;
  // Stores each value under its key as something other than a boolean.
  std::function<void(UserDefaults&, const fs::path& dir)> storeNonBooleans;
};

class UserDefaultsContract : public testing::TestWithParam<Backend> {
 protected:
  TempDir dir_;
  std::unique_ptr<UserDefaults> defaults_ = GetParam().make(dir_.path());
};

TEST_P(UserDefaultsContract, TellsAbsentTrueFalseApart) {
  defaults_->setBool(true, "on");
  defaults_->setBool(false, "off");
  EXPECT_EQ(defaults_->value("never"), StoredFlag::Absent);
  EXPECT_EQ(defaults_->value("on"), StoredFlag::True);
  EXPECT_EQ(defaults_->value("off"), StoredFlag::False);
  EXPECT_EQ(defaults_->flag("never"), std::nullopt);
  EXPECT_EQ(defaults_->flag("on"), true);
  EXPECT_EQ(defaults_->flag("off"), false);
  // Keys are exact: no case folding, no prefix match.
  EXPECT_EQ(defaults_->value("On"), StoredFlag::Absent);
  EXPECT_EQ(defaults_->value("o"), StoredFlag::Absent);
}

TEST_P(UserDefaultsContract, LaterWriteReplacesEarlier) {
  defaults_->setBool(true, "k");
  defaults_->setBool(false, "k");
  EXPECT_EQ(defaults_->value("k"), StoredFlag::False);
  defaults_->setBool(true, "k");
  EXPECT_EQ(defaults_->value("k"), StoredFlag::True);
}

TEST_P(UserDefaultsContract, NonBooleanIsNeitherAbsentNorAFlag) {
  GetParam().storeNonBooleans(*defaults_, dir_.path());
  for (const char* key : {"text", "two", "real"}) {
    EXPECT_EQ(defaults_->value(key), StoredFlag::NotBoolean) << key;
    EXPECT_EQ(defaults_->flag(key), std::nullopt) << key;
  }
}

const fs::path kFileName = "preferences.sqlite";

INSTANTIATE_TEST_SUITE_P(
    Backends, UserDefaultsContract,
    testing::Values(
        Backend{"Memory", [](const fs::path&) { return std::make_unique<MemoryUserDefaults>(); },
                [](UserDefaults& d, const fs::path&) {
                  auto& memory = static_cast<MemoryUserDefaults&>(d);
                  memory.setRaw("text", "true");
                  memory.setRaw("two", "2");
                  memory.setRaw("real", "1.0");
                }},
        Backend{"Sqlite",
                [](const fs::path& dir) -> std::unique_ptr<UserDefaults> {
                  return openOrFail(dir / kFileName);
                },
                [](UserDefaults&, const fs::path& dir) {
                  rawExec(dir / kFileName,
                          "INSERT INTO defaults VALUES('text', '1'), ('two', 2), ('real', 1.0)");
                }}),
    [](const testing::TestParamInfo<Backend>& info) { return info.param.name; });

class SqliteUserDefaultsTest : public testing::Test {
 protected:
  void SetUp() override {
    previousSink_ = setDiagnosticSink([this](std::string_view line) { lines_.emplace_back(line); });
  }
  void TearDown() override { setDiagnosticSink(previousSink_); }

  TempDir dir_;
  fs::path file_ = dir_.path() / kFileName;
  std::vector<std::string> lines_;
  DiagnosticSink previousSink_;
};

TEST_F(SqliteUserDefaultsTest, CreatesAPrivateFile) {
  auto defaults = openOrFail(file_);
  struct stat st {};
  ASSERT_EQ(::stat(file_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SqliteUserDefaultsTest, ValuesSurviveReopening) {
  openOrFail(file_)->setBool(true, "a");
  openOrFail(file_)->setBool(false, "b");
  auto reopened = openOrFail(file_);
  EXPECT_EQ(reopened->value("a"), StoredFlag::True);
  EXPECT_EQ(reopened->value("b"), StoredFlag::False);
  EXPECT_EQ(reopened->value("c"), StoredFlag::Absent);
}

TEST_F(SqliteUserDefaultsTest, TwoInstancesSeeEachOthersWrites) {
  auto gui = openOrFail(file_);
  auto cli = openOrFail(file_);
  EXPECT_EQ(gui->value("k"), StoredFlag::Absent);
  cli->setBool(true, "k");
  EXPECT_EQ(gui->value("k"), StoredFlag::True);
  gui->setBool(false, "k");
  EXPECT_EQ(cli->value("k"), StoredFlag::False);
}

TEST_F(SqliteUserDefaultsTest, ForeignFileIsRefusedAndLeftUntouched) {
  const std::string garbage = std::string(4096, 'x') + "not a database";
  std::ofstream(file_, std::ios::binary) << garbage;

  auto opened = SqliteUserDefaults::open(file_);
  ASSERT_FALSE(opened.isOk());
  EXPECT_EQ(opened.status().userInfo().at("path"), file_.string());
  EXPECT_EQ(readAll(file_), garbage);
  EXPECT_FALSE(fs::exists(file_.string() + "-wal"));
  EXPECT_FALSE(fs::exists(file_.string() + "-shm"));
}

TEST_F(SqliteUserDefaultsTest, DatabaseWithAnotherDefaultsTableIsRefused) {
  rawExec(file_, "CREATE TABLE defaults(name TEXT, setting INTEGER)");
  EXPECT_FALSE(SqliteUserDefaults::open(file_).isOk());
}

TEST_F(SqliteUserDefaultsTest, UnusablePathsAreErrors) {
  EXPECT_FALSE(SqliteUserDefaults::open(dir_.path() / "missing" / kFileName).isOk());
  EXPECT_FALSE(SqliteUserDefaults::open(dir_.path()).isOk());
  EXPECT_FALSE(fs::exists(dir_.path() / "missing"));
}

TEST_F(SqliteUserDefaultsTest, FailuresAfterOpeningAreReportedNotHidden) {
  auto defaults = openOrFail(file_);
  defaults->setBool(true, "k");
  rawExec(file_, "DROP TABLE defaults");

  defaults->setBool(false, "k");
  // A failed read must not pass for a key never written: readers store first-time values then.
  EXPECT_EQ(defaults->value("k"), StoredFlag::NotBoolean);
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[0].rfind("Could not store preference k: ", 0), 0u) << lines_[0];
  EXPECT_EQ(lines_[1].rfind("Could not read preference k: ", 0), 0u) << lines_[1];
}

TEST(MemoryUserDefaultsTest, ListsBooleanWritesInOrder) {
  MemoryUserDefaults defaults;
  defaults.setRaw("raw", "x");
  defaults.setBool(true, "b");
  defaults.setBool(false, "a");
  defaults.setBool(true, "b");
  EXPECT_EQ(defaults.writtenKeys(), (std::vector<std::string>{"b", "a", "b"}));
}

}  // namespace
}  // namespace tockary
