#include "platform/store/sqlite_support.h"

#include <string>

namespace tockary::sqlite {

std::string quoted(std::string_view identifier) {
  std::string text = "\"";
  for (char c : identifier) {
    text += c;
    if (c == '"') text += '"';
  }
  return text + "\"";
}

std::string literal(std::string_view text) {
  std::string quotedText = "'";
  for (const char c : text) {
    quotedText += c;
    if (c == '\'') quotedText += '\'';
  }
  return quotedText + "'";
}

std::string_view columnType(AttributeType type) {
  switch (type) {
    case AttributeType::String:
      return "TEXT";
    case AttributeType::Double:
    case AttributeType::Date:
      return "REAL";
    case AttributeType::Int16:
      return "INTEGER";
    case AttributeType::Bytes:
      return "BLOB";
  }
  return "";
}

Status failure(sqlite3* db, std::string description) {
  const int code = sqlite3_extended_errcode(db);
  return Status::error(std::move(description),
                       {{"reason", sqlite3_errmsg(db)}, {"sqliteCode", std::to_string(code)}});
}

Statement::Statement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
      SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const Value& value) {
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          sqlite3_bind_null(stmt_, index);
        } else if constexpr (std::is_same_v<T, std::string>) {
          sqlite3_bind_text(stmt_, index, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        } else if constexpr (std::is_same_v<T, double>) {
          sqlite3_bind_double(stmt_, index, v);
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          sqlite3_bind_int64(stmt_, index, v);
        } else if constexpr (std::is_same_v<T, Date>) {
          sqlite3_bind_double(stmt_, index, secondsSince1970(v));
        } else {
          // An empty blob must stay a blob, not become NULL.
          sqlite3_bind_blob(stmt_, index, v.empty() ? "" : static_cast<const void*>(v.data()),
                            static_cast<int>(v.size()), SQLITE_TRANSIENT);
        }
      },
      value);
}

int Statement::step() { return sqlite3_step(stmt_); }

Value Statement::column(int index, AttributeType type) const {
  Value value;
  readColumn(index, type, value);
  return value;
}

void Statement::readColumn(int index, AttributeType type, Value& value) const {
  // One call for the column, the rest on its value: a list reads dozens of columns a row.
  sqlite3_value* stored = sqlite3_column_value(stmt_, index);
  if (sqlite3_value_type(stored) == SQLITE_NULL) {
    if (!isNull(value)) value = std::monostate{};
    return;
  }
  switch (type) {
    case AttributeType::String: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(stored));
      const auto size = static_cast<std::size_t>(sqlite3_value_bytes(stored));
      if (auto* held = std::get_if<std::string>(&value)) {
        held->assign(text, size);
      } else {
        value.emplace<std::string>(text, size);
      }
      return;
    }
    case AttributeType::Double:
      value = sqlite3_value_double(stored);
      return;
    case AttributeType::Int16:
      value = static_cast<std::int64_t>(sqlite3_value_int64(stored));
      return;
    case AttributeType::Date:
      value = dateFromSecondsSince1970(sqlite3_value_double(stored));
      return;
    case AttributeType::Bytes: {
      const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(stored));
      const int size = sqlite3_value_bytes(stored);
      value = Bytes(data, data + size);
      return;
    }
  }
  value = std::monostate{};
}

bool exec(sqlite3* db, std::string_view sql) {
  return sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<std::int64_t> pragmaInteger(sqlite3* db, std::string_view name) {
  Statement read(db, "PRAGMA " + std::string(name));
  if (!read.prepared() || read.step() != SQLITE_ROW) return std::nullopt;
  return sqlite3_column_int64(read.get(), 0);
}

}  // namespace tockary::sqlite
