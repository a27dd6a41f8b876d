#include "platform/store/kept_sums.h"

#include <algorithm>
#include <array>

#include "platform/store/sqlite_support.h"

namespace tockary::sqlite {

namespace {

// One row per kept sum, beside the entities' tables.
constexpr std::string_view kTable = "Z_SUMS";

// A value the sum adds as it is: null, or a whole number small enough that the sum of any
// collection of them is exact in a double, whatever order they are added in.
std::string exact(const std::string& value) {
  return "(" + value + " IS NULL OR (typeof(" + value + ") IN ('integer', 'real') AND " + value +
         " = CAST(" + value + " AS INTEGER) AND abs(" + value + ") <= 1048576))";
}

std::string addend(const std::string& value) {
  return "(CASE WHEN " + exact(value) + " THEN coalesce(" + value + ", 0) ELSE 0 END)";
}

std::string inexact(const std::string& value) {
  return "(CASE WHEN " + exact(value) + " THEN 0 ELSE 1 END)";
}

bool inSchema(sqlite3* db, std::string_view type, std::string_view name) {
  Statement find(db, "SELECT 1 FROM sqlite_master WHERE type = ? AND name = ?");
  if (!find.prepared()) return false;
  find.bind(1, std::string(type));
  find.bind(2, std::string(name));
  return find.step() == SQLITE_ROW;
}

bool hasRow(sqlite3* db, const std::string& entity, const std::string& attribute) {
  Statement find(db,
                 "SELECT 1 FROM " + sqlite::quoted(kTable) + " WHERE entity = ? AND attribute = ?");
  if (!find.prepared()) return false;
  find.bind(1, entity);
  find.bind(2, attribute);
  return find.step() == SQLITE_ROW;
}

}  // namespace

std::vector<std::string> keptSumStatements(sqlite3* db, const EntityDescription& entity) {
  std::vector<std::string> statements;
  if (entity.keptSums.empty()) return statements;
  const bool haveTable = inSchema(db, "table", kTable);
  if (!haveTable) {
    statements.push_back("CREATE TABLE " + sqlite::quoted(kTable) +
                         " (entity TEXT NOT NULL, attribute TEXT NOT NULL, total REAL NOT NULL, "
                         "inexactRows INTEGER NOT NULL, PRIMARY KEY (entity, attribute))");
  }
  const std::string records = sqlite::quoted(entity.name);
  for (const std::string& attribute : entity.keptSums) {
    const std::string prefix = "Z_SUM_" + entity.name + "_" + attribute + "_";
    const std::array<std::string, 3> triggers = {prefix + "insert", prefix + "delete",
                                                 prefix + "update"};
    const bool complete =
        haveTable && hasRow(db, entity.name, attribute) &&
        std::all_of(triggers.begin(), triggers.end(),
                    [db](const std::string& name) { return inSchema(db, "trigger", name); });
    if (complete) continue;
    // Missing pieces: all of them again, and the sum as the records stored give it.
    const std::string row = " WHERE entity = " + literal(entity.name) +
                            " AND attribute = " + literal(attribute) + "; END";
    const std::string column = sqlite::quoted(attribute);
    const std::string added = "NEW." + column;
    const std::string removed = "OLD." + column;
    for (const std::string& name : triggers) {
      statements.push_back("DROP TRIGGER IF EXISTS " + sqlite::quoted(name));
    }
    statements.push_back("CREATE TRIGGER " + sqlite::quoted(triggers[0]) + " AFTER INSERT ON " +
                         records + " BEGIN UPDATE " + sqlite::quoted(kTable) +
                         " SET total = total + " + addend(added) +
                         ", inexactRows = inexactRows + " + inexact(added) + row);
    statements.push_back("CREATE TRIGGER " + sqlite::quoted(triggers[1]) + " AFTER DELETE ON " +
                         records + " BEGIN UPDATE " + sqlite::quoted(kTable) +
                         " SET total = total - " + addend(removed) +
                         ", inexactRows = inexactRows - " + inexact(removed) + row);
    statements.push_back("CREATE TRIGGER " + sqlite::quoted(triggers[2]) + " AFTER UPDATE OF " +
                         column + " ON " + records + " BEGIN UPDATE " + sqlite::quoted(kTable) +
                         " SET total = total - " + addend(removed) + " + " + addend(added) +
                         ", inexactRows = inexactRows - " + inexact(removed) + " + " +
                         inexact(added) + row);
    statements.push_back("INSERT OR REPLACE INTO " + sqlite::quoted(kTable) +
                         " (entity, attribute, total, inexactRows) SELECT " + literal(entity.name) +
                         ", " + literal(attribute) + ", total(" + addend(column) +
                         "), coalesce(sum(" + inexact(column) + "), 0) FROM " + records);
  }
  return statements;
}

std::optional<double> keptSum(sqlite3* db, const EntityDescription& entity,
                              std::string_view attribute) {
  if (std::find(entity.keptSums.begin(), entity.keptSums.end(), attribute) ==
      entity.keptSums.end()) {
    return std::nullopt;
  }
  Statement kept(db, "SELECT total, inexactRows FROM " + sqlite::quoted(kTable) +
                         " WHERE entity = ? AND attribute = ?");
  if (!kept.prepared()) return std::nullopt;
  kept.bind(1, entity.name);
  kept.bind(2, std::string(attribute));
  if (kept.step() != SQLITE_ROW || sqlite3_column_int64(kept.get(), 1) != 0) return std::nullopt;
  return sqlite3_column_double(kept.get(), 0);
}

}  // namespace tockary::sqlite
