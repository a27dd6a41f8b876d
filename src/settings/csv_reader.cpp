#include "settings/csv_reader.h"

#include "platform/format/utf8_text.h"

namespace tockary {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

Status refusedRow(std::int64_t row, std::string_view reason) {
  return Status::error("row " + std::to_string(row) + " " + std::string(reason));
}

}  // namespace

CsvReader::CsvReader(std::string_view text) : text_(text) {
  if (text_.starts_with(kByteOrderMark)) at_ = kByteOrderMark.size();
}

Result<std::optional<CsvRecord>> CsvReader::next() {
  const auto atLineEnd = [&] { return text_[at_] == '\n' || text_[at_] == '\r'; };
  const auto skipLineEnd = [&] {
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
    ++at_;
  };
  while (at_ < text_.size() && atLineEnd()) {
    skipLineEnd();
    ++row_;
  }
  if (at_ >= text_.size()) return std::optional<CsvRecord>();

  CsvRecord record{++row_, {}};
  const auto fail = [&](std::string_view reason) {
    at_ = text_.size();
    return refusedRow(record.row, reason);
  };
  while (true) {
    std::string field;
    if (at_ < text_.size() && text_[at_] == '"') {
      ++at_;
      while (true) {
        const std::size_t quote = text_.find('"', at_);
        if (quote == std::string_view::npos) {
          return fail("has a quoted field that is not closed (a \" is missing)");
        }
        field.append(text_.substr(at_, quote - at_));
        at_ = quote + 1;
        if (at_ < text_.size() && text_[at_] == '"') {
          field += '"';
          ++at_;
          continue;
        }
        break;
      }
      if (at_ < text_.size() && text_[at_] != ',' && !atLineEnd()) {
        return fail("has text after the closing \" of a quoted field");
      }
    } else {
      const std::size_t end = std::min(text_.find_first_of(",\r\n", at_), text_.size());
      field.assign(text_.substr(at_, end - at_));
      at_ = end;
    }
    if (!isValidUtf8(field)) return fail("is not valid UTF-8 text");
    record.fields.push_back(std::move(field));
    if (at_ >= text_.size()) break;
    if (text_[at_] == ',') {
      ++at_;
      continue;
    }
    skipLineEnd();
    break;
  }
  return std::optional<CsvRecord>(std::move(record));
}

}  // namespace tockary
