#include "forms/field_input.h"

#include "platform/format/number_text.h"

namespace tockary {

namespace {

constexpr std::string_view kRefusedSigns[] = {"€", "₳", "$", "₡", "£", "₵", "¥", "₮"};

}  // namespace

bool passesCurrencySignFilter(std::string_view replacement) {
  for (const auto sign : kRefusedSigns)
    if (replacement.find(sign) != std::string_view::npos) return false;
  return true;
}

bool isReadableNumber(std::string_view text) {
  if (parseTypedNumber(text) != 0) return true;
  // 0 is also the answer for unreadable text: a true zero is digits that are all 0.
  bool digit = false;
  for (const char c : text) {
    if (c == '0') {
      digit = true;
    } else if (c != '.' && c != ',' && c != '-' && c != '+' && c != ' ') {
      return false;
    }
  }
  return digit && parseTypedNumber(std::string(text) + "1") != 0;
}

Status fieldRefusal(std::string_view value, std::string_view accepted) {
  return Status::error("\"" + std::string(value) +
                       "\" is refused; accepted: " + std::string(accepted));
}

std::string acceptedDateValues(const Formatters& formatters) {
  return "a date such as 2024-05-17 or " +
         formatters.shortDate(formatters.calendar().dateFrom(2024, 5, 17)) +
         "; an empty value clears it";
}

Result<std::optional<Date>> dateFromUserText(const Formatters& formatters, std::string_view text) {
  if (text.empty()) return std::optional<Date>();
  auto date = formatters.parseIsoDate(text);
  if (!date) date = formatters.parseShortDate(text);
  if (!date) return fieldRefusal(text, acceptedDateValues(formatters));
  // Forms keep a date as short-date text; refuse one whose two-digit year reads back as another
  // century rather than store the wrong day.
  const auto readBack = formatters.parseShortDate(formatters.shortDate(*date));
  if (!readBack || *readBack != formatters.calendar().startOfDay(*date)) {
    return fieldRefusal(text, "dates from 80 years before to 20 years after today; " +
                                  formatters.shortDate(*date) + " would read back as another day");
  }
  return std::optional<Date>(date);
}

}  // namespace tockary
