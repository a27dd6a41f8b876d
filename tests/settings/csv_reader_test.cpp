#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/format/formatters.h"
#include "settings/csv_export.h"
#include "settings/csv_reader.h"

namespace tockary {
namespace {

using Rows = std::vector<std::pair<std::int64_t, std::vector<std::string>>>;

// Every record of `text` with its row, or the refusal's text as the last row's only field.
Rows readAll(std::string_view text) {
  Rows rows;
  CsvReader reader(text);
  while (true) {
    auto record = reader.next();
    if (!record) {
      rows.push_back({-1, {record.status().description()}});
      return rows;
    }
    if (!record->has_value()) return rows;
    rows.push_back({(*record)->row, (*record)->fields});
  }
}

TEST(CsvReaderTest, ReadsBackEveryFieldTheWriterQuotes) {
  const std::vector<std::string> fields = {
      "plain",      "",  "Smith, Jones", "The \"Big\" One", "\"", "line one\nline two", "cr\r\nlf",
      "Séiko 日本", ",", " padded "};
  std::string line;
  for (const auto& field : fields) {
    if (!line.empty()) line += ',';
    appendCsvField(line, field);
  }
  EXPECT_EQ(readAll(line + "\n" + line), (Rows{{1, fields}, {2, fields}}));
}

TEST(CsvReaderTest, TakesSpreadsheetFormsAndNumbersRowsAsASpreadsheetShowsThem) {
  // A byte-order mark, CRLF, an empty line, a quoted field over two lines, a trailing comma and
  // no line end at the very end.
  EXPECT_EQ(readAll("\xEF\xBB\xBF"
                    "a,b\r\n\r\n\"x\r\ny\",2\r\n3,\n4,5"),
            (Rows{{1, {"a", "b"}}, {3, {"x\r\ny", "2"}}, {4, {"3", ""}}, {5, {"4", "5"}}}));
  // A quote inside an unquoted field is part of it.
  EXPECT_EQ(readAll("12\" vinyl,b\n"), (Rows{{1, {"12\" vinyl", "b"}}}));
  EXPECT_EQ(readAll(""), Rows{});
  EXPECT_EQ(readAll("\n\n"), Rows{});
}

TEST(CsvReaderTest, RefusesMalformedRowsByTheRowTheyStartOn) {
  EXPECT_EQ(readAll("a\nb\n\"never closed,\nc\n"),
            (Rows{{1, {"a"}},
                  {2, {"b"}},
                  {-1, {"row 3 has a quoted field that is not closed (a \" is missing)"}}}));
  EXPECT_EQ(readAll("a\n\"quoted\"tail,b\n"),
            (Rows{{1, {"a"}}, {-1, {"row 2 has text after the closing \" of a quoted field"}}}));
  EXPECT_EQ(readAll("a\nZ\xFCrich\n"), (Rows{{1, {"a"}}, {-1, {"row 2 is not valid UTF-8 text"}}}));
  // A lone byte-order mark's first bytes are no mark.
  EXPECT_EQ(readAll("\xEF\xBB"), (Rows{{-1, {"row 1 is not valid UTF-8 text"}}}));
}

}  // namespace
}  // namespace tockary
