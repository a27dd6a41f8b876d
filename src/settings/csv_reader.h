#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace tockary {

// One record of a comma-separated file and the row a spreadsheet shows it on (the first record
// is row 1; a record whose quoted fields hold line breaks is still one row).
struct CsvRecord {
  std::int64_t row = 0;
  std::vector<std::string> fields;
};

// Reads comma-separated text as appendCsvField writes it, and as spreadsheets write it: RFC 4180
// quoting (quoted fields with doubled quotes, commas and line breaks inside quotes) and plain
// unquoted fields, CRLF or LF line ends, a byte-order mark at the start. A quote inside an unquoted
// field is taken as it is. Empty lines are skipped but keep their row number. The text must
// outlive the reader.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text);

  // The next record; nullopt at the end of the text. Refused, naming the record's row: a quoted
  // field never closed, text after a closing quote, fields that are not valid UTF-8. After a
  // refusal the reader is at its end.
  Result<std::optional<CsvRecord>> next();

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::int64_t row_ = 0;
};

}  // namespace tockary
