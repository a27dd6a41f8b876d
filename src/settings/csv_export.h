#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/format/formatters.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "platform/ui/share.h"
#include "settings/csv_columns.h"
#include "store/records.h"

namespace tockary {

inline constexpr std::string_view kCsvFileName = "Tockary.csv";

// Where the export goes: Tockary.csv in the temporary directory (TMPDIR, else /tmp).
std::filesystem::path csvExportFile();

// What the share sheet is offered with the export: the file alone, without the activities a
// spreadsheet has no use for.
ShareRequest csvShareRequest(const std::filesystem::path& file);

// Appends one field: as it is, or, when it holds a comma, a double quote or a line break, in
// double quotes with each double quote doubled, so that every reader splits the line as written.
void appendCsvField(std::string& line, std::string_view field);

// Appends the 35 fields of one watch and a line feed.
void appendCsvLine(std::string& text, const Kello& watch, const Formatters& formatters);

// What an export wrote.
struct CsvExportSummary {
  std::filesystem::path file;
  std::int64_t watches = 0;
  // Not ok when the collection could not be read: the file then holds the header alone.
  Status fetch;
};

// Writes every watch, sold ones included, ordered by brand, then model (equal keys in store
// order), to `file`, which is replaced whole or left as it was. Records are built in batches as
// the text is written, never all at once. A failed fetch prints "Could not fetch " and goes on
// with the header alone; a write that fails prints "Failed to create file" and the error, and is
// returned as the error.
Result<CsvExportSummary> writeCollectionCsv(ManagedObjectContext& context,
                                            const Formatters& formatters,
                                            const std::filesystem::path& file);

}  // namespace tockary
