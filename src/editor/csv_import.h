#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

class InsertWatchTableViewController;

// A value of the file that no watch may hold.
struct CsvBadValue {
  std::int64_t row = 0;  // as a spreadsheet numbers it, the header being row 1
  std::string column;    // as the header names it; empty when the row as a whole is refused
  std::string value;
  // The refusal with what is accepted: "\"13/45/24\" is refused; accepted: a date such as ...".
  std::string refusal;
};

// What an import did, or would do on a dry run.
struct CsvImportSummary {
  std::int64_t rows = 0;        // watch rows read (neither the header nor rows of empty fields)
  std::int64_t imported = 0;    // watches added (on a dry run: that would be added)
  std::int64_t duplicates = 0;  // rows equal to a watch stored before
  std::int64_t badRows = 0;     // rows with at least one bad value, never imported
  bool written = false;         // whether the collection changed
};

// Adds watches from the comma-separated file the export writes, one per row, as the watch editor
// saves a new watch: empty texts stored empty, prices by the typed-number rule, dates of the
// locale's short date style or ISO "2024-05-17", the placeholder pictures, and the history log's
// "added" line when the log is on. Columns are found by their header names in any order (blanks
// around a name and the case of its letters do not count); a column the file leaves out is empty.
// The status and the wear count are taken as exported, so that an export imported into an empty
// collection exports as the same file. A row is a duplicate when brand, model, reference and
// serial number equal those of a watch stored before the import: rows of the file equal to one
// another are all imported, as a collection may hold two watches alike.
class CsvImport {
 public:
  explicit CsvImport(AppServices& services);
  ~CsvImport();
  CsvImport(const CsvImport&) = delete;
  CsvImport& operator=(const CsvImport&) = delete;

  // Reads and checks the whole file's text; nothing is written. Refused, with one line saying
  // why, when the text is not the collection's comma-separated file: a header naming an unknown
  // column or one twice, a quoted field never closed, text that is not valid UTF-8.
  Status read(std::string_view text);

  // Every bad value of the rows read, in file order.
  const std::vector<CsvBadValue>& badValues() const { return badValues_; }

  // Adds the good rows that are no duplicates, all in one transaction under the store's write
  // lock (duplicates are judged against the store inside it), or, with `dryRun`, only counts
  // them. Refused with nothing written: a store that is busy beyond its timeout (isStoreBusy) or
  // fails to save.
  Result<CsvImportSummary> add(bool dryRun);

 private:
  struct Row;
  void readRow(std::int64_t row, const std::vector<std::string>& fields);

  AppServices& services_;
  std::unique_ptr<InsertWatchTableViewController> form_;
  // What the editor saves for an untouched new watch; each row's values go over it.
  std::shared_ptr<Kello> blankRecord_;
  std::vector<int> columnOfField_;  // per file field, the index into kCsvColumns, or -1
  std::vector<Row> rows_;
  std::vector<CsvBadValue> badValues_;
  std::int64_t rowCount_ = 0;
  std::int64_t badRows_ = 0;
};

}  // namespace tockary
