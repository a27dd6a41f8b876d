#pragma once

// Internal to the object store: thin RAII over the SQLite C API.

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"
#include "platform/store/model.h"
#include "platform/store/object_store.h"

namespace tockary::sqlite {

// "name" with embedded quotes doubled, for identifiers taken from the model.
std::string quoted(std::string_view identifier);

// 'text' with embedded quotes doubled, for SQL the store writes into its schema.
std::string literal(std::string_view text);

std::string_view columnType(AttributeType type);

// A failure of the connection's last call, with SQLite's own words in the user information.
Status failure(sqlite3* db, std::string description);

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool prepared() const { return stmt_ != nullptr; }
  // Binds a value converted to the column's storage form (dates as seconds since 1970).
  void bind(int index, const Value& value);
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step();
  Value column(int index, AttributeType type) const;
  // The same into `value`, reusing what it holds; a null column leaves a null value as it is.
  void readColumn(int index, AttributeType type, Value& value) const;
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs SQL without results; false on failure.
bool exec(sqlite3* db, std::string_view sql);

// An integer pragma's value ("user_version", "page_size"); nullopt when it cannot be read, as
// from a file that is not a database.
std::optional<std::int64_t> pragmaInteger(sqlite3* db, std::string_view name);

}  // namespace tockary::sqlite

namespace tockary {

// The context's connection; closed with the context.
struct ManagedObjectContext::Database {
  sqlite3* handle = nullptr;
  ~Database() { sqlite3_close_v2(handle); }
};

}  // namespace tockary
