#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/status.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tockary {

// What is stored under a key, as a reader that casts the raw object to a boolean sees it.
enum class StoredFlag { Absent, True, False, NotBoolean };

// Boolean preferences by key. Readers can tell a key never written from a stored false.
class UserDefaults {
 public:
  virtual ~UserDefaults() = default;

  // The stored object under `key`, read afresh on every call.
  virtual StoredFlag value(std::string_view key) const = 0;
  // Stores `value` under `key` at once. Cannot fail as far as the caller is concerned; an
  // implementation that fails to write reports it as a diagnostic line.
  virtual void setBool(bool value, std::string_view key) = 0;

  // The stored boolean; nullopt when the key is absent or holds something else.
  std::optional<bool> flag(std::string_view key) const;
};

// Preferences in their own SQLite file, table defaults(key TEXT PRIMARY KEY, value) with a
// boolean as INTEGER 0/1. Several processes may use one file at once.
// The preferences' file in the data folder, beside the store.
inline constexpr std::string_view kPreferencesFileName = "preferences.sqlite";
// Its one table, (key TEXT PRIMARY KEY, value); a backup carries its rows.
inline constexpr std::string_view kPreferencesTable = "defaults";

class SqliteUserDefaults final : public UserDefaults {
 public:
  // Opens `file`, creating it with mode 0600 when missing (its folder must exist). A file that
  // is not a usable SQLite database gives an error and is left exactly as it was.
  static Result<std::unique_ptr<SqliteUserDefaults>> open(const std::filesystem::path& file);

  ~SqliteUserDefaults() override;
  SqliteUserDefaults(const SqliteUserDefaults&) = delete;
  SqliteUserDefaults& operator=(const SqliteUserDefaults&) = delete;

  // A failed read (the file gone bad, a lock held beyond the busy timeout) is a diagnostic
  // line and reads NotBoolean, never Absent: a reader must not take it for a key never written.
  StoredFlag value(std::string_view key) const override;
  // One committed write per call; a failed write is a diagnostic line.
  void setBool(bool value, std::string_view key) override;

  const std::filesystem::path& file() const { return file_; }

 private:
  SqliteUserDefaults(std::filesystem::path file, sqlite3* db, sqlite3_stmt* read,
                     sqlite3_stmt* write);

  std::filesystem::path file_;
  sqlite3* db_;
  sqlite3_stmt* read_;
  sqlite3_stmt* write_;
};

// Preferences in memory, for tests: can hold a non-boolean and lists every write.
class MemoryUserDefaults final : public UserDefaults {
 public:
  StoredFlag value(std::string_view key) const override;
  void setBool(bool value, std::string_view key) override;

  // Stores something that is not a boolean, as another program might. Not listed as a write.
  void setRaw(std::string_view key, std::string raw);
  // Keys passed to setBool, in call order, repeats included.
  const std::vector<std::string>& writtenKeys() const { return written_; }
  void clearWrittenKeys() { written_.clear(); }

 private:
  std::map<std::string, std::variant<bool, std::string>, std::less<>> values_;
  std::vector<std::string> written_;
};

}  // namespace tockary
