#include "platform/format/number_text.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace tockary {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";

bool isAsciiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the blank at the start of `text` (ASCII white space or one of the no-break spaces
// that ICU puts between digit groups, which users paste back), 0 when there is none.
std::size_t blankAt(std::string_view text) {
  if (text.empty()) return 0;
  if (isAsciiBlank(text.front())) return 1;
  if (text.starts_with(kNoBreakSpace)) return kNoBreakSpace.size();
  if (text.starts_with(kNarrowNoBreakSpace)) return kNarrowNoBreakSpace.size();
  return 0;
}

std::size_t blankBefore(std::string_view text) {
  if (text.empty()) return 0;
  if (isAsciiBlank(text.back())) return 1;
  if (text.ends_with(kNoBreakSpace)) return kNoBreakSpace.size();
  if (text.ends_with(kNarrowNoBreakSpace)) return kNarrowNoBreakSpace.size();
  return 0;
}

std::string_view trimmed(std::string_view text) {
  while (std::size_t n = blankAt(text)) text.remove_prefix(n);
  while (std::size_t n = blankBefore(text)) text.remove_suffix(n);
  return text;
}

// Reads `text` (already trimmed, sign removed) with `decimal` as the decimal separator and
// returns its digits in the form from_chars expects ("1200.50"), or nothing when the text is
// not exactly one number in that reading.
std::optional<std::string> canonicalDigits(std::string_view text, char decimal) {
  const char otherSeparator = decimal == '.' ? ',' : '.';
  const std::size_t point = text.find(decimal);
  if (point != std::string_view::npos && text.find(decimal, point + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view integer = text.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);

  std::string digits;
  // Integer part: plain digits, or groups "1 234 567" / "1,234,567" (the latter only when a
  // decimal separator is present, otherwise "1,200" would be ambiguous). One kind of separator.
  std::string_view groupSeparator;
  std::size_t groupLength = 0;
  std::size_t groups = 0;
  while (!integer.empty()) {
    if (isDigit(integer.front())) {
      digits += integer.front();
      ++groupLength;
      integer.remove_prefix(1);
      continue;
    }
    std::size_t length = blankAt(integer);
    if (length == 0 && integer.front() == otherSeparator && point != std::string_view::npos) {
      length = 1;
    }
    if (length == 0) return std::nullopt;
    const std::string_view separator = integer.substr(0, length);
    if (!groupSeparator.empty() && separator != groupSeparator) return std::nullopt;
    if (groupLength == 0 || groupLength > 3 || (groups > 0 && groupLength != 3)) {
      return std::nullopt;
    }
    groupSeparator = separator;
    ++groups;
    groupLength = 0;
    integer.remove_prefix(length);
  }
  if (groups > 0 && groupLength != 3) return std::nullopt;

  std::string fractionDigits;
  for (char c : fraction) {
    if (!isDigit(c)) return std::nullopt;
    fractionDigits += c;
  }
  if (digits.empty() && fractionDigits.empty()) return std::nullopt;
  if (digits.empty()) digits.push_back('0');
  if (!fractionDigits.empty()) digits += '.' + fractionDigits;
  return digits;
}

std::optional<double> readNumber(std::string_view text, char decimal) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::optional<std::string> digits = canonicalDigits(text, decimal);
  if (!digits) return std::nullopt;
  double value = 0;
  const char* end = digits->data() + digits->size();
  auto [ptr, error] = std::from_chars(digits->data(), end, value, std::chars_format::fixed);
  // Out of range gives no usable price or count; treat it like any other unreadable text.
  if (error != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
  if (value == 0) return 0.0;  // "-0" must not come back as a negative zero ("-$0")
  return negative ? -value : value;
}

}  // namespace

double parseTypedNumber(std::string_view text) {
  text = trimmed(text);
  if (auto value = readNumber(text, '.')) return *value;
  if (auto value = readNumber(text, ',')) return *value;
  return 0;
}

std::string formatOneDecimal(double value) {
  // printf would honour the process locale and writes "-nan" for a NaN with the sign bit set.
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[400];  // the largest double has 309 integer digits
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  if (error != std::errc{}) return "nan";  // cannot happen with this buffer size
  return std::string(buffer, end);
}

std::string wholeNumberText(double value) {
  if (!std::isfinite(value)) return "0";
  return std::to_string(std::llround(value));
}

}  // namespace tockary
