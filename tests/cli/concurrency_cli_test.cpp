#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_runner.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::testing {
namespace {

// Several `tockary` processes on one store at the same moment, as a script and a scheduled job
// beside the app would run them.
class ConcurrencyCliTest : public ::testing::Test {
 protected:
  void TearDown() override { ::unsetenv("TOCKARY_BUSY_TIMEOUT_MS"); }

  CliRun tockary(std::vector<std::string> arguments, const std::filesystem::path& scratchDir = {}) {
    arguments.insert(arguments.begin(), {"--data-dir", data.string(), "--locale", "en_US"});
    return runTockary(arguments, scratchDir.empty() ? scratch.path() : scratchDir);
  }

  // Every child inherits it; set before any loop starts.
  static void setBusyTimeout(const char* milliseconds) {
    ::setenv("TOCKARY_BUSY_TIMEOUT_MS", milliseconds, 1);
  }

  std::string addWatch(const std::string& brand, double timesWorn = 0) {
    AppDelegate app(data);
    auto watch = app.viewContext().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMyyntiliike(std::string());
    if (timesWorn != 0) watch->setVarasarake4(timesWorn);
    EXPECT_TRUE(app.viewContext().save().isOk());
    storeFile = app.persistentContainer().storeFile();
    return std::to_string(watch->objectID().primaryKey);
  }

  void historyLogOfEveryWear() {
    ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
    ASSERT_EQ(tockary({"settings", "logEachWearSettingOn", "on"}).status, 0);
  }

  // Runs `loops` command loops at once, each `times` runs of its own arguments (chosen by run
  // number). Returns the standard error of every run that did not exit 0.
  std::vector<std::string> runLoops(
      const std::vector<std::function<std::vector<std::string>(int)>>& loops, int times) {
    std::vector<std::vector<std::string>> failures(loops.size());
    std::vector<std::thread> threads;
    for (std::size_t l = 0; l < loops.size(); ++l) {
      threads.emplace_back([&, l] {
        const TempDir own;  // each loop's output files
        for (int i = 0; i < times; ++i) {
          const CliRun run = tockary(loops[l](i), own.path());
          if (run.status != 0) failures[l].push_back(std::to_string(run.status) + ": " + run.err);
        }
      });
    }
    for (auto& thread : threads) thread.join();
    std::vector<std::string> all;
    for (const auto& loop : failures) all.insert(all.end(), loop.begin(), loop.end());
    return all;
  }

  struct StoredWatch {
    double count = -1;
    std::string notes;
    std::string row;  // every column, for "unchanged" checks
  };
  // Read with the SQLite C API, as any program could.
  StoredWatch stored(const std::string& id) {
    sqlite3* db = nullptr;
    StoredWatch result;
    EXPECT_EQ(sqlite3_open_v2(storeFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT * FROM Kello WHERE id = ?", -1, &select, nullptr),
              SQLITE_OK);
    sqlite3_bind_int64(select, 1, std::stoll(id));
    if (sqlite3_step(select) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(select); ++c) {
        const std::string name = sqlite3_column_name(select, c);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(select, c));
        const std::string value = text ? text : "<null>";
        result.row += name + "=" + value + ";";
        if (name == "varasarake4") result.count = sqlite3_column_double(select, c);
        if (name == "varasarake3" && text) result.notes = value;
      }
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    return result;
  }

  // How often each N of the "Wear count: N" lines appears.
  static std::map<int, int> wearLines(const std::string& notes) {
    std::map<int, int> seen;
    std::istringstream lines(notes);
    const std::string marker = ":  Wear count: ";
    for (std::string line; std::getline(lines, line);) {
      if (const auto at = line.find(marker); at != std::string::npos)
        ++seen[std::stoi(line.substr(at + marker.size()))];
    }
    return seen;
  }
  static long linesWith(const std::string& notes, const std::string& text) {
    std::istringstream lines(notes);
    long count = 0;
    for (std::string line; std::getline(lines, line);)
      count += line.find(text) != std::string::npos;
    return count;
  }

  TempDir scratch;
  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  std::filesystem::path storeFile;
};

TEST_F(ConcurrencyCliTest, FourProcessesLoggingFiftyWearsEachLoseNone) {
  const std::string id = addWatch("Tudor");
  historyLogOfEveryWear();
  setBusyTimeout("60000");  // a loaded machine must not turn waiting into failing
  const auto wear = [&id](int) { return std::vector<std::string>{"wear", id}; };
  EXPECT_EQ(runLoops({wear, wear, wear, wear}, 50), std::vector<std::string>{});

  const StoredWatch after = stored(id);
  EXPECT_EQ(after.count, 200);
  const auto seen = wearLines(after.notes);
  EXPECT_EQ(seen.size(), 200u);
  for (int n = 1; n <= 200; ++n)
    EXPECT_EQ(seen.count(n) ? seen.at(n) : 0, 1) << "Wear count: " << n;
  EXPECT_EQ(linesWith(after.notes, "Wear count"), 200);
}

TEST_F(ConcurrencyCliTest, WearAndStatusSideBySideLoseNoLine) {
  const std::string id = addWatch("Oris", 10);
  historyLogOfEveryWear();
  setBusyTimeout("60000");
  const auto wear = [&id](int) { return std::vector<std::string>{"wear", id}; };
  const auto status = [&id](int i) {
    return std::vector<std::string>{"status", id, i % 2 == 0 ? "Grail" : "In Safe"};
  };
  EXPECT_EQ(runLoops({wear, status, wear, status}, 30), std::vector<std::string>{});

  const StoredWatch after = stored(id);
  EXPECT_EQ(after.count, 70);
  const auto seen = wearLines(after.notes);
  EXPECT_EQ(seen.size(), 60u);
  for (int n = 11; n <= 70; ++n)
    EXPECT_EQ(seen.count(n) ? seen.at(n) : 0, 1) << "Wear count: " << n;
  EXPECT_EQ(linesWith(after.notes, ":  Status changed to: Grail"), 30);
  EXPECT_EQ(linesWith(after.notes, ":  Status changed to: In Safe"), 30);
  EXPECT_EQ(std::count(after.notes.begin(), after.notes.end(), '\n'), 120);
}

TEST_F(ConcurrencyCliTest, AHeldWriteLockEndsEveryChangeWithOneLineAndChangesNothing) {
  const std::string id = addWatch("Hamilton", 7);
  historyLogOfEveryWear();
  setBusyTimeout("100");
  const StoredWatch before = stored(id);

  sqlite3* locker = nullptr;
  ASSERT_EQ(sqlite3_open(storeFile.c_str(), &locker), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(locker, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const std::vector<std::vector<std::string>> changes = {
      {"wear", id},
      {"--json", "wear", id},
      {"wear", id, "--confirm", "--yes"},
      {"status", id, "Grail"},
      {"reset", id, "--yes"},
      {"adjust", id, "60", "--yes"},
      {"edit", id, "--sold-to", "A collector"},
      {"add", "--brand", "Seiko"},
      {"delete", id, "--yes"},
  };
  for (const auto& change : changes) {
    const CliRun run = tockary(change);
    const std::string command = change[0] == "--json" ? "--json wear" : change[0];
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(run.err,
              "tockary: the collection is busy (another program is writing to it); nothing was "
              "changed\n")
        << command;
  }
  // Reading needs no write lock.
  EXPECT_EQ(tockary({"--json", "show", id}).status, 0);
  ASSERT_EQ(sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(locker);

  EXPECT_EQ(stored(id).row, before.row);
  EXPECT_EQ(tockary({"list"}).out.find("Seiko"), std::string::npos);
  const CliRun again = tockary({"wear", id});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(stored(id).count, 8);
}

TEST_F(ConcurrencyCliTest, TheBusyTimeoutSettingIsCheckedAndDocumented) {
  for (const char* refused : {"", "abc", "-1", "600001", "5s", " 5"}) {
    setBusyTimeout(refused);
    const CliRun run = tockary({"list"});
    EXPECT_EQ(run.status, 2) << refused;
    EXPECT_EQ(run.out, "") << refused;
    EXPECT_EQ(run.err, std::string("tockary: TOCKARY_BUSY_TIMEOUT_MS \"") + refused +
                           "\" refused; accepted: a whole number of milliseconds from 0 to "
                           "600000\n");
  }
  setBusyTimeout("0");
  EXPECT_EQ(tockary({"list"}).status, 0);
  ::unsetenv("TOCKARY_BUSY_TIMEOUT_MS");
  const CliRun help = tockary({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("TOCKARY_BUSY_TIMEOUT_MS"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace tockary::testing
