#include "platform/notifications/pending_notifications.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <utility>

#include "platform/data_directory.h"
#include "platform/notifications/trigger_occurrence.h"
#include "platform/store/object_store.h"
#include "platform/store/sqlite_support.h"

namespace tockary {

namespace {

constexpr int kSchemaVersion = 1;
constexpr const char* kTables[] = {"pending", "pendingUserInfo", "delivered"};
constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS pending(position INTEGER PRIMARY KEY, identifier TEXT NOT NULL, "
    "title TEXT NOT NULL, subtitle TEXT NOT NULL, body TEXT NOT NULL, "
    "categoryIdentifier TEXT NOT NULL, defaultSound INTEGER NOT NULL, day INTEGER, "
    "hour INTEGER NOT NULL, minute INTEGER NOT NULL, repeats INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS pendingUserInfo(position INTEGER NOT NULL, entry INTEGER NOT NULL, "
    "key TEXT NOT NULL, value TEXT NOT NULL, PRIMARY KEY(position, entry))",
    // One row per occurrence taken: the request's content and trigger with the wall-clock minute.
    "CREATE TABLE IF NOT EXISTS delivered(occurrence TEXT PRIMARY KEY, occurredAt REAL NOT NULL)",
};
// One statement, so that the set comes from one snapshot of the file.
constexpr std::string_view kReadPending =
    "SELECT p.position, identifier, title, subtitle, body, categoryIdentifier, defaultSound, day, "
    "hour, minute, repeats, u.key, u.value FROM pending p "
    "LEFT JOIN pendingUserInfo u ON u.position = p.position ORDER BY p.position, u.entry";
constexpr std::string_view kMarkDelivered =
    "INSERT OR IGNORE INTO delivered(occurrence, occurredAt) VALUES(?1, ?2)";
// Longer than any difference between time zones, so that a mark outlives every wall-clock
// minute that could name its occurrence again after the zone changed.
constexpr std::chrono::hours kMarksKept{48};

Status openError(const std::filesystem::path& file, std::string reason) {
  return Status::error("The reminders file could not be opened.",
                       {{"path", file.string()}, {"reason", std::move(reason)}});
}

Status fileError(sqlite3* db, const std::filesystem::path& file, std::string_view what) {
  Status failed = sqlite::failure(db, std::string(what) + ": " + sqlite3_errmsg(db));
  UserInfo info = failed.userInfo();
  info["path"] = file.string();
  return Status::error(failed.description(), std::move(info));
}

// BEGIN IMMEDIATE, rolled back unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(sqlite3* db) : db_(db), open_(sqlite::exec(db, "BEGIN IMMEDIATE")) {}
  ~WriteTransaction() {
    if (open_) sqlite::exec(db_, "ROLLBACK");
  }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  bool isOpen() const { return open_; }
  bool commit() {
    if (!sqlite::exec(db_, "COMMIT")) return false;
    open_ = false;
    return true;
  }

 private:
  sqlite3* db_;
  bool open_;
};

struct StoredRequest {
  std::int64_t position = 0;
  NotificationRequest request;
};

std::string text(const sqlite::Statement& statement, int column) {
  Value value = statement.column(column, AttributeType::String);
  auto* held = std::get_if<std::string>(&value);
  return held != nullptr ? std::move(*held) : std::string();
}

std::int64_t integer(const sqlite::Statement& statement, int column) {
  return sqlite3_column_int64(statement.get(), column);
}

// False when the statement fails; `requests` then holds what was read so far.
bool readPending(sqlite3* db, std::vector<StoredRequest>& requests) {
  sqlite::Statement read(db, kReadPending);
  if (!read.prepared()) return false;
  int step = SQLITE_ROW;
  while ((step = read.step()) == SQLITE_ROW) {
    const std::int64_t position = integer(read, 0);
    if (requests.empty() || requests.back().position != position) {
      NotificationRequest request;
      request.identifier = text(read, 1);
      request.content.title = text(read, 2);
      request.content.subtitle = text(read, 3);
      request.content.body = text(read, 4);
      request.content.categoryIdentifier = text(read, 5);
      request.content.defaultSound = integer(read, 6) != 0;
      if (sqlite3_column_type(read.get(), 7) != SQLITE_NULL) {
        request.trigger.day = static_cast<int>(integer(read, 7));
      }
      request.trigger.hour = static_cast<int>(integer(read, 8));
      request.trigger.minute = static_cast<int>(integer(read, 9));
      request.trigger.repeats = integer(read, 10) != 0;
      requests.push_back({position, std::move(request)});
    }
    if (sqlite3_column_type(read.get(), 11) != SQLITE_NULL) {
      requests.back().request.content.userInfo.emplace_back(text(read, 11), text(read, 12));
    }
  }
  return step == SQLITE_DONE;
}

bool run(sqlite::Statement& statement) { return statement.step() == SQLITE_DONE; }

bool insertRequest(sqlite3* db, std::int64_t position, const NotificationRequest& request) {
  sqlite::Statement insert(db,
                           "INSERT INTO pending(position, identifier, title, subtitle, body, "
                           "categoryIdentifier, defaultSound, day, hour, minute, repeats) "
                           "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
  if (!insert.prepared()) return false;
  const NotificationContent& content = request.content;
  const CalendarTrigger& trigger = request.trigger;
  insert.bind(1, position);
  insert.bind(2, request.identifier);
  insert.bind(3, content.title);
  insert.bind(4, content.subtitle);
  insert.bind(5, content.body);
  insert.bind(6, content.categoryIdentifier);
  insert.bind(7, std::int64_t{content.defaultSound ? 1 : 0});
  insert.bind(8, trigger.day ? Value(std::int64_t{*trigger.day}) : Value());
  insert.bind(9, std::int64_t{trigger.hour});
  insert.bind(10, std::int64_t{trigger.minute});
  insert.bind(11, std::int64_t{trigger.repeats ? 1 : 0});
  if (!run(insert)) return false;
  std::int64_t entry = 0;
  for (const auto& [key, value] : content.userInfo) {
    sqlite::Statement info(
        db, "INSERT INTO pendingUserInfo(position, entry, key, value) VALUES(?1, ?2, ?3, ?4)");
    if (!info.prepared()) return false;
    info.bind(1, position);
    info.bind(2, entry++);
    info.bind(3, key);
    info.bind(4, value);
    if (!run(info)) return false;
  }
  return true;
}

bool removeRequest(sqlite3* db, std::int64_t position) {
  for (const char* sql : {"DELETE FROM pendingUserInfo WHERE position = ?1",
                          "DELETE FROM pending WHERE position = ?1"}) {
    sqlite::Statement remove(db, sql);
    if (!remove.prepared()) return false;
    remove.bind(1, position);
    if (!run(remove)) return false;
  }
  return true;
}

void appendField(std::string& key, std::string_view field) {
  key += std::to_string(field.size());
  key += ':';
  key += field;
}

// The occurrence's wall-clock minute, then every field of the content and trigger, each with its
// length, so that no two different requests give one key.
std::string occurrenceKey(const NotificationRequest& request, const LocalDateTime& minute) {
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02dT%02d:%02d", minute.year, minute.month,
                minute.day, minute.hour, minute.minute);
  std::string key = when;
  const NotificationContent& content = request.content;
  for (std::string_view field :
       {std::string_view(content.title), std::string_view(content.subtitle),
        std::string_view(content.body), std::string_view(content.categoryIdentifier)}) {
    appendField(key, field);
  }
  appendField(key, std::to_string(content.userInfo.size()));
  for (const auto& [name, value] : content.userInfo) {
    appendField(key, name);
    appendField(key, value);
  }
  const CalendarTrigger& trigger = request.trigger;
  appendField(key, content.defaultSound ? "sound" : "silent");
  appendField(key, trigger.day ? std::to_string(*trigger.day) : "daily");
  appendField(key, std::to_string(trigger.hour));
  appendField(key, std::to_string(trigger.minute));
  appendField(key, trigger.repeats ? "repeats" : "once");
  return key;
}

bool pruneMarks(sqlite3* db, Date now) {
  // Also those dated far ahead, left by a clock once set wrong, which would otherwise stay for
  // years. Processes on one machine read one clock, so none prunes another's recent marks.
  sqlite::Statement prune(db, "DELETE FROM delivered WHERE occurredAt < ?1 OR occurredAt > ?2");
  if (!prune.prepared()) return false;
  prune.bind(1, now - kMarksKept);
  prune.bind(2, now + kMarksKept);
  return run(prune);
}

// Whether the file holds tables of another program: a reminders file is only ever added to.
bool holdsOtherTables(sqlite3* db) {
  sqlite::Statement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
  while (tables.prepared() && tables.step() == SQLITE_ROW) {
    const std::string name = text(tables, 0);
    bool ours = false;
    for (const char* table : kTables) ours = ours || name == table;
    if (!ours) return true;
  }
  return false;
}

}  // namespace

Result<std::unique_ptr<PendingNotificationCenter>> openPendingNotifications(
    const std::filesystem::path& dataDirectory) {
  const std::filesystem::path file = dataDirectory / kRemindersFileName;
  if (Status folder = ensurePrivateDirectory(dataDirectory).status; !folder) {
    return openError(file, folder.description());
  }
  auto path = privateDatabaseFile(file);
  if (!path) return openError(file, path.status().description());

  sqlite3* db = nullptr;
  // No SQLITE_OPEN_CREATE: the file exists now, private, and SQLite must not make another.
  const int opened =
      sqlite3_open_v2(path->c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  // Owned from here on, so that every failure below closes the connection.
  std::unique_ptr<PendingNotificationCenter> center(new PendingNotificationCenter(file, db));
  if (opened != SQLITE_OK) {
    return openError(file, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(opened));
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, static_cast<int>(StoreOptions{}.busyTimeout.count()));

  // Read before anything is written: a file that is not a database fails here, untouched.
  const auto read = sqlite::pragmaInteger(db, "user_version");
  if (!read) return openError(file, sqlite3_errmsg(db));
  const int version = static_cast<int>(*read);
  if (version > kSchemaVersion) {
    return openError(
        file, "written by a newer version of the program (schema " + std::to_string(version) + ")");
  }
  if (version == 0 && holdsOtherTables(db)) {
    return openError(file, "another program's database, not a reminders file");
  }
  if (!sqlite::exec(db, "PRAGMA journal_mode=WAL") ||
      !sqlite::exec(db, "PRAGMA synchronous=FULL")) {
    return openError(file, sqlite3_errmsg(db));
  }
  // The schema is written only when missing, so that opening never waits for another writer.
  if (version < kSchemaVersion) {
    WriteTransaction schema(db);
    bool ok = schema.isOpen();
    for (const char* sql : kSchema) ok = ok && sqlite::exec(db, sql);
    ok = ok && sqlite::exec(db, "PRAGMA user_version = " + std::to_string(kSchemaVersion));
    if (!ok || !schema.commit()) return openError(file, sqlite3_errmsg(db));
  }
  // Preparing proves that the tables have the columns used.
  if (!sqlite::Statement(db, kReadPending).prepared() ||
      !sqlite::Statement(db, kMarkDelivered).prepared()) {
    return openError(file, sqlite3_errmsg(db));
  }
  return center;
}

PendingNotificationCenter::PendingNotificationCenter(std::filesystem::path file, sqlite3* db)
    : file_(std::move(file)), db_(db) {}

PendingNotificationCenter::~PendingNotificationCenter() { sqlite3_close_v2(db_); }

void PendingNotificationCenter::requestAuthorization(std::function<void(bool granted)> completion) {
  if (completion) completion(true);
}

Status PendingNotificationCenter::replacePendingNotificationRequests(
    std::vector<NotificationRequest> requests) {
  constexpr std::string_view kWhat = "Could not replace the pending reminders";
  WriteTransaction transaction(db_);
  if (!transaction.isOpen()) return fileError(db_, file_, kWhat);
  bool ok =
      sqlite::exec(db_, "DELETE FROM pendingUserInfo") && sqlite::exec(db_, "DELETE FROM pending");
  std::int64_t position = 0;
  for (const NotificationRequest& request : requests) {
    ok = ok && insertRequest(db_, ++position, request);
  }
  if (!ok || !transaction.commit()) return fileError(db_, file_, kWhat);
  return Status::ok();
}

Result<std::vector<NotificationRequest>> PendingNotificationCenter::pendingNotificationRequests()
    const {
  std::vector<StoredRequest> stored;
  if (!readPending(db_, stored)) return fileError(db_, file_, "Could not read the reminders");
  std::vector<NotificationRequest> requests;
  requests.reserve(stored.size());
  for (StoredRequest& each : stored) requests.push_back(std::move(each.request));
  return requests;
}

Result<std::vector<NotificationRequest>> PendingNotificationCenter::takeDueNotificationRequests(
    Date now, const Calendar& calendar) {
  constexpr std::string_view kWhat = "Could not take the due reminders";
  WriteTransaction transaction(db_);
  std::vector<StoredRequest> stored;
  if (!transaction.isOpen() || !readPending(db_, stored) || !pruneMarks(db_, now)) {
    return fileError(db_, file_, kWhat);
  }
  std::vector<NotificationRequest> due;
  for (StoredRequest& each : stored) {
    const auto occurrence = latestOccurrence(each.request.trigger, now, kDeliveryGrace, calendar);
    if (!occurrence) continue;
    sqlite::Statement mark(db_, kMarkDelivered);
    if (!mark.prepared()) return fileError(db_, file_, kWhat);
    mark.bind(1, occurrenceKey(each.request, occurrence->wallClock));
    mark.bind(2, occurrence->instant);
    if (!run(mark)) return fileError(db_, file_, kWhat);
    if (sqlite3_changes(db_) == 0) continue;  // taken before
    if (!each.request.trigger.repeats && !removeRequest(db_, each.position)) {
      return fileError(db_, file_, kWhat);
    }
    due.push_back(std::move(each.request));
  }
  if (!transaction.commit()) return fileError(db_, file_, kWhat);
  return due;
}

}  // namespace tockary
