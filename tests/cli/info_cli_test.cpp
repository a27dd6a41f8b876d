#include <sys/stat.h>

#include "cli/cli_runner.h"

namespace tockary::testing {
namespace {

class InfoCliTest : public CliTest {
 protected:
  InfoCliTest() { data = home.path() / "nested" / "tockary"; }
};

TEST_F(InfoCliTest, CreatesThePrivateDataDirAndCountsRecords) {
  const CliRun run = tockary({"info"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string store = (data / "Ro_Rurav_Ozaruvuziz.sqlite").string();
  EXPECT_EQ(run.out, "Data folder: " + data.string() + "\nCollection: " + store +
                         "\nSettings: " + (data / "preferences.sqlite").string() +
                         "\nReminders: " + (data / "reminders.sqlite").string() +
                         "\nSchema: Ro_Rurav_Ozaruvuziz, version 1\n"
                         "Watches (Kello): 0\nService records (Huolto): 0\nWarranty cards "
                         "(Takuu): 0\nMeasurement details (unused) (Mittaustieto): 0\nWatch "
                         "pictures (unused) (Kellokuvat): 0\nMeasurements (Varataulu): 0\n");
  struct stat info {};
  ASSERT_EQ(::stat(data.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(store.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(InfoCliTest, DefaultDataDirFollowsXdgDataHome) {
  ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
  const CliRun run = runTockary({"--json", "info"}, scratch.path());
  ::unsetenv("XDG_DATA_HOME");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"dataDirectory\": \"" + (home.path() / "tockary").string() + "\""),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"records\": {\n    \"Kello\": 0,"), std::string::npos);
}

TEST_F(InfoCliTest, UnreadableStoreGivesTheFatalMessageAndStaysUnchanged) {
  std::filesystem::create_directories(data);
  const auto store = data / "Ro_Rurav_Ozaruvuziz.sqlite";
  const std::string garbage = "not a store" + std::string(4096, '#');
  writeFile(store, garbage);
  const CliRun run = tockary({"info"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Unresolved error Could not open the store, {path = \"" + store.string() +
                         "\"; reason = \"file is not a database\"; sqliteCode = 26;}\n");
  EXPECT_EQ(readFile(store), garbage);
}

}  // namespace
}  // namespace tockary::testing
