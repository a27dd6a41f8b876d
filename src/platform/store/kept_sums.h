#pragma once

// Internal to the object store: the sums it keeps in the file (EntityDescription::keptSums).

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/model.h"

namespace tockary::sqlite {

// The statements that make the entity's kept sums complete: the table of sums, the triggers that
// keep each sum and its row, computed from the records stored. Nothing when all are there.
// Run them inside one write transaction.
std::vector<std::string> keptSumStatements(sqlite3* db, const EntityDescription& entity);

// The kept sum of `attribute` over every record, when the file keeps it and it is exactly what
// total() over the records gives: every value is null or a whole number of at most 2^20, so that
// no order of adding rounds. Otherwise nullopt, and the caller sums the records.
std::optional<double> keptSum(sqlite3* db, const EntityDescription& entity,
                              std::string_view attribute);

}  // namespace tockary::sqlite
