#pragma once

// Internal to the object store: the text index an entity keeps over its searched attributes
// (EntityDescription::searchedAttributes), and the condition a "SELF CONTAINS[cd] %@" becomes.

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/store/model.h"

namespace tockary::sqlite {

// The statements that make the entity's text index current: the index table, the triggers that
// keep it in step with every write (by any program: they use built-in SQL only), and its rows
// computed from the records stored. Nothing when all are there as this program writes them.
// Run them inside one write transaction.
std::vector<std::string> textSearchStatements(sqlite3* db, const EntityDescription& entity);

// `text` with case kept and the accents of Latin letters taken off ("Séiko" gives "Seiko"), as
// the index holds the records' texts.
std::string foldedForSearch(std::string_view text);

// A condition on the entity's rows, true for those whose searched attributes contain every
// blank-separated word of `text`, ignoring case and accents; `bindings` receives the values of
// its parameters in order. Empty when `text` has no word (every row matches).
std::string searchCondition(const EntityDescription& entity, std::string_view text,
                            std::vector<std::string>& bindings);

}  // namespace tockary::sqlite
