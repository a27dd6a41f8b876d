#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/store/store_backup.h"
#include "store/app_delegate.h"
#include "store/records.h"
#include "support/child_process.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kTables = {"Kello",        "Huolto",     "Takuu",
                                          "Mittaustieto", "Kellokuvat", "Varataulu"};

// Every row of every table of `file`, each value with its SQLite type and its exact bytes, and
// the schema version: two files with the same dump hold the same collection.
std::string dump(const fs::path& file, const std::vector<std::string>& tables) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  std::string text;
  auto each = [&](const std::string& sql) {
    sqlite3_stmt* select = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr) != SQLITE_OK) {
      text += "(" + sql + " fails: " + sqlite3_errmsg(db) + ")\n";
      return;
    }
    while (sqlite3_step(select) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(select); ++c) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(select, c));
        text += std::to_string(sqlite3_column_type(select, c)) + ":" +
                std::string(bytes == nullptr ? "" : bytes,
                            static_cast<std::size_t>(sqlite3_column_bytes(select, c))) +
                "|";
      }
      text += "\n";
    }
    sqlite3_finalize(select);
  };
  each("PRAGMA user_version");
  for (const auto& table : tables) {
    text += table + ":\n";
    each("SELECT * FROM \"" + table + "\" ORDER BY 1");
  }
  sqlite3_close(db);
  return text;
}

// The first column of the first row of `sql` in `file`, as text.
std::string query(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* select = nullptr;
  std::string value = "(nothing)";
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr) == SQLITE_OK &&
      sqlite3_step(select) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(select, 0));
    value = text == nullptr ? "(null)" : text;
  }
  sqlite3_finalize(select);
  sqlite3_close(db);
  return value;
}

std::string integrity(const fs::path& file) { return query(file, "PRAGMA integrity_check"); }

void exec(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_close(db);
}

Bytes picture(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + seed);
  return bytes;
}

class BackupCliTest : public CliTest {
 protected:
  fs::path storeFile() const { return data / "Ro_Rurav_Ozaruvuziz.sqlite"; }
  fs::path preferencesFile() const { return data / "preferences.sqlite"; }

  // A collection with pictures, awkward texts and records of every kind.
  void fill(const std::string& brand, int watches) {
    AppDelegate app(data);
    auto& context = app.viewContext();
    for (int i = 0; i < watches; ++i) {
      auto watch = context.insertNewObject<Kello>();
      watch->setMerkki(brand + " " + std::to_string(i));
      watch->setMalli("Séiko, \"quoted\"\nsecond line");
      watch->setMyyntiliike(std::string());
      watch->setVarasarake4(i);
      watch->setKellokuva(picture(40000 + static_cast<std::size_t>(i), 1));
      watch->setVarasarake6(picture(3000, static_cast<std::uint8_t>(i)));
    }
    auto service = context.insertNewObject<Huolto>();
    service->setHuoltoliike(brand + " service");
    auto card = context.insertNewObject<Takuu>();
    card->setTakuuKortti(picture(5000, 7));
    ASSERT_TRUE(context.save());
  }

  std::string collection() const { return dump(storeFile(), kTables); }
  std::string settings() const { return dump(preferencesFile(), {"defaults"}); }
  // The files as bytes: a refused restore leaves them exactly as they were.
  std::string checksum() const {
    return readFile(storeFile()) + "\n--\n" + readFile(preferencesFile());
  }
};

TEST_F(BackupCliTest, RestoreBringsBackEveryRecordPictureAndSetting) {
  fill("Omega", 3);
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "on"}).status, 0);
  const std::string before = collection();
  const std::string beforeSettings = settings();
  const fs::path backup = scratch.path() / "backup.sqlite";

  const CliRun made = tockary({"--json", "backup", backup.string()});
  ASSERT_EQ(made.status, 0) << made.err;
  const auto json = parsedJson(made);
  EXPECT_EQ(json["path"], backup.string());
  EXPECT_EQ(json["records"]["Kello"], 3);
  EXPECT_EQ(json["records"]["Huolto"], 1);
  EXPECT_EQ(json["records"]["Takuu"], 1);
  EXPECT_EQ(json["preferences"],
            std::count(beforeSettings.begin(), beforeSettings.end(), '\n') - 2);
  EXPECT_EQ(json["schemaVersion"], 1);
  EXPECT_EQ(fs::status(backup).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(integrity(backup), "ok");
  // One file that sqlite3 reads without a companion: the store's tables and the manifest.
  EXPECT_EQ(dump(backup, kTables), before);
  EXPECT_FALSE(fs::exists(backup.string() + "-wal"));

  // Everything changes, then the backup comes back.
  ASSERT_EQ(tockary({"delete", "1", "--yes"}).status, 0);
  ASSERT_EQ(tockary({"wear", "2"}).status, 0);
  ASSERT_EQ(tockary({"settings", "enableHistoryLogSettingOn", "off"}).status, 0);
  ASSERT_EQ(tockary({"settings", "badgesSettingOn", "on"}).status, 0);
  const std::string changed = collection();
  const std::string changedSettings = settings();
  ASSERT_NE(changed, before);

  const CliRun asked = tockary({"restore", backup.string()});
  ASSERT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.out.find("Restore this backup?\n"), std::string::npos) << asked.out;
  EXPECT_NE(asked.out.find("Watches: 2 now, 3 in the backup\n"), std::string::npos) << asked.out;
  EXPECT_NE(asked.out.find("Service records: 1 now, 1 in the backup\n"), std::string::npos);
  EXPECT_NE(asked.out.find("Settings: "), std::string::npos);
  EXPECT_EQ(asked.out.find("Measurements:"), std::string::npos);  // none on either side
  EXPECT_NE(asked.out.find("  Restore  (--choose confirmRestore)\n"), std::string::npos);
  EXPECT_NE(asked.out.find("Nothing was changed: add --yes to restore " + backup.string() + "."),
            std::string::npos);
  EXPECT_EQ(collection(), changed);
  EXPECT_EQ(settings(), changedSettings);

  const CliRun restored = tockary({"--json", "restore", backup.string(), "--yes"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_EQ(parsedJson(restored)["records"]["Kello"], 3);
  EXPECT_EQ(collection(), before);
  EXPECT_EQ(settings(), beforeSettings);
  EXPECT_EQ(integrity(storeFile()), "ok");
  // The replaced files stay beside the live ones.
  EXPECT_EQ(dump(beforeRestoreFile(storeFile()), kTables), changed);
  EXPECT_EQ(dump(beforeRestoreFile(preferencesFile()), {"defaults"}), changedSettings);
  for (const auto& name : namesIn(data)) EXPECT_FALSE(name.starts_with(".restore-")) << name;

  // The restored store goes on as any: the list shows it and a change is kept.
  const CliRun list = tockary({"list"});
  EXPECT_NE(list.out.find("Omega 0"), std::string::npos) << list.err;
  EXPECT_EQ(tockary({"wear", "1"}).status, 0);
}

TEST_F(BackupCliTest, DamagedForeignAndNewerFilesAreRefusedAndNothingIsTouched) {
  fill("Seiko", 2);
  const fs::path good = scratch.path() / "good.sqlite";
  ASSERT_EQ(tockary({"backup", good.string()}).status, 0);
  ASSERT_EQ(tockary({"settings", "badgesSettingOn", "on"}).status, 0);
  const std::string bytes = readFile(good);

  const fs::path truncated = scratch.path() / "truncated.sqlite";
  writeFile(truncated, bytes.substr(0, bytes.size() / 2));
  const fs::path text = scratch.path() / "notes.txt";
  writeFile(text, "Omega,Speedmaster\nSeiko,SKX007\n");
  const fs::path foreign = scratch.path() / "foreign.sqlite";
  exec(foreign, "CREATE TABLE Kello(id INTEGER PRIMARY KEY, merkki TEXT)");
  const fs::path newer = scratch.path() / "newer.sqlite";
  fs::copy_file(good, newer);
  exec(newer,
       "PRAGMA user_version = 2; UPDATE tockary_backup SET value = 2 WHERE key = 'schemaVersion'");
  const fs::path miscounted = scratch.path() / "miscounted.sqlite";
  fs::copy_file(good, miscounted);
  exec(miscounted, "DELETE FROM Kello WHERE id = 1");
  const fs::path missing = scratch.path() / "missing.sqlite";

  const std::string unchanged = checksum();
  const struct {
    fs::path file;
    std::string line;
  } cases[] = {
      {truncated, " is damaged ("},
      {text, " is not a Tockary backup; nothing was changed"},
      {foreign, " is not a Tockary backup; nothing was changed"},
      {newer,
       " was made by a newer Tockary (schema version 2; this one reads up to 1); nothing was "
       "changed"},
      {miscounted,
       " is damaged (its manifest counts 2 rows of Kello, it holds 1); nothing was changed"},
      {missing, " cannot be read: No such file or directory; nothing was changed"},
  };
  for (const auto& refused : cases) {
    for (const bool yes : {false, true}) {
      std::vector<std::string> arguments = {"restore", refused.file.string()};
      if (yes) arguments.emplace_back("--yes");
      const CliRun run = tockary(arguments);
      EXPECT_EQ(run.status, 2) << refused.file;
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(run.err.starts_with("tockary: " + refused.file.string() + refused.line))
          << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_EQ(checksum(), unchanged) << refused.file;
      EXPECT_FALSE(fs::exists(beforeRestoreFile(storeFile())));
    }
  }
}

TEST_F(BackupCliTest, ABackupIsNeverWrittenOverTheCollectionItselfOrIntoNowhere) {
  fill("Tudor", 1);
  const std::string unchanged = collection();
  const CliRun over = tockary({"backup", storeFile().string()});
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(over.err, "tockary: the backup was not written: cannot write " + storeFile().string() +
                          ": it is the collection's own file\n");
  EXPECT_EQ(collection(), unchanged);
  const CliRun overSettings = tockary({"backup", preferencesFile().string()});
  EXPECT_EQ(overSettings.status, 1);
  EXPECT_NE(overSettings.err.find("it is the collection's own file"), std::string::npos);
  EXPECT_EQ(integrity(preferencesFile()), "ok");
  expectRefusal(tockary({"backup", (scratch.path() / "no" / "such.sqlite").string()}),
                "FILE \"" + (scratch.path() / "no" / "such.sqlite").string() +
                    "\" is in a folder that does not exist");
}

TEST_F(BackupCliTest, ARestoreWaitingInVainForAWriterEndsWithOneLineAndChangesNothing) {
  fill("Longines", 2);
  const fs::path backup = scratch.path() / "backup.sqlite";
  ASSERT_EQ(tockary({"backup", backup.string()}).status, 0);
  ASSERT_EQ(tockary({"delete", "1", "--yes"}).status, 0);
  const std::string unchanged = collection();
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(storeFile().c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  const ScopedEnvironment wait("TOCKARY_BUSY_TIMEOUT_MS", "200");
  const CliRun run = tockary({"restore", backup.string(), "--yes"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "tockary: the collection is busy (another program is writing to it); nothing was "
            "changed\n");
  ASSERT_EQ(sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(writer);
  EXPECT_EQ(collection(), unchanged);
  EXPECT_FALSE(fs::exists(beforeRestoreFile(storeFile())));
}

// A writer adds a watch and a service record in each transaction while backups are taken: each
// backup holds as many of one as of the other, a moment between two transactions.
TEST_F(BackupCliTest, ABackupTakenWhileAnotherProgramWritesIsOneMomentOfTheStore) {
  fill("Start", 1);  // one watch, one service record
  std::string script = ".timeout 5000\n";
  for (int i = 0; i < 4000; ++i) {
    script +=
        "BEGIN IMMEDIATE; INSERT INTO Kello(merkki, myyntiliike) VALUES('Writer', ''); "
        "INSERT INTO Huolto(huoltoliike) VALUES('Writer'); COMMIT;\n";
  }
  writeFile(scratch.path() / "writer.sql", script);
  ChildProcess writer({"/usr/bin/sqlite3", storeFile().string(),
                       ".read " + (scratch.path() / "writer.sql").string()},
                      true);
  std::set<std::int64_t> sizes;
  for (int i = 0; i < 6; ++i) {
    const fs::path backup = scratch.path() / ("during-" + std::to_string(i) + ".sqlite");
    const CliRun made = tockary({"--json", "backup", backup.string()});
    ASSERT_EQ(made.status, 0) << made.err;
    const auto json = parsedJson(made);
    EXPECT_EQ(integrity(backup), "ok");
    EXPECT_EQ(json["records"]["Kello"], json["records"]["Huolto"]);
    sizes.insert(json["records"]["Kello"].get<std::int64_t>());
    // The manifest tells what the file holds.
    EXPECT_EQ(query(backup, "SELECT value FROM tockary_backup WHERE key = 'records.Huolto'"),
              query(backup, "SELECT count(*) FROM Huolto"));
  }
  // The writer went on between the backups (else the test proved nothing).
  EXPECT_GT(sizes.size(), 1U);
}

// kill -9 at any moment of a restore leaves the old collection or the new one, whole.
TEST_F(BackupCliTest, ARestoreKilledAtAnyMomentLeavesTheOldOrTheNewCollection) {
  fill("First", 8);
  const fs::path first = scratch.path() / "first.sqlite";
  ASSERT_EQ(tockary({"backup", first.string()}).status, 0);
  const std::string firstCollection = collection();
  ASSERT_EQ(tockary({"delete", "1", "--yes"}).status, 0);
  fill("Second", 5);
  const fs::path second = scratch.path() / "second.sqlite";
  ASSERT_EQ(tockary({"backup", second.string()}).status, 0);
  const std::string secondCollection = collection();

  // How long a whole restore takes here, so that the kills fall all over it.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(tockary({"restore", first.string(), "--yes"}).status, 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  std::mt19937 random(20261207);
  std::uniform_int_distribution<std::int64_t> moment(0, whole.count() * 6 / 5);
  int old = 0;
  int restored = 0;
  for (int i = 0; i < 50; ++i) {
    const bool toFirst = i % 2 == 1;
    const std::string before = collection();
    {
      ChildProcess restore({TOCKARY_CLI, "--data-dir", data.string(), "restore",
                            (toFirst ? first : second).string(), "--yes"},
                           true);
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    }  // killed with SIGKILL here, if it still runs
    ASSERT_EQ(integrity(storeFile()), "ok") << "after kill " << i;
    const std::string after = collection();
    ASSERT_TRUE(after == firstCollection || after == secondCollection) << "after kill " << i;
    (after == before ? old : restored) += 1;
  }
  // Both ends were met: some kills came before the replacement, some after.
  EXPECT_GT(old, 0);
  EXPECT_GT(restored, 0);
}

}  // namespace
}  // namespace tockary::testing
