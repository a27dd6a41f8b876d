#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/format/calendar.h"

namespace tockary {

// The dates, amounts and case mapping the user sees, in one locale and one time zone.
// Formatters are built once (all the work is in the constructor) and are cheap to use; copies
// are independent. Not for concurrent use; give each thread its own copy.
class Formatters {
 public:
  // localeId: "en_US", "de_DE", also the environment's "de_DE.UTF-8"; empty = the environment's
  // locale (LC_ALL / LC_MESSAGES / LANG), with the C/POSIX locale read as en_US.
  // timeZoneId: an IANA id ("UTC", "Europe/Helsinki"); empty = TZ or the system zone.
  // Unknown ids do not fail (an unknown locale falls back to the default locale's texts, an
  // unknown zone behaves as UTC); check user input with isKnownLocale / isKnownTimeZone.
  explicit Formatters(std::string_view localeId = {}, std::string_view timeZoneId = {});
  ~Formatters();
  Formatters(const Formatters& other);
  Formatters& operator=(const Formatters& other);
  Formatters(Formatters&&) noexcept;
  Formatters& operator=(Formatters&&) noexcept;  // a moved-from object may only be assigned to

  // The ids as resolved: "en_US", "Europe/Helsinki" (the actual ones when constructed empty).
  const std::string& localeId() const;
  const std::string& timeZoneId() const;

  // The Gregorian calendar of the same zone.
  const Calendar& calendar() const;

  // Short date style: "5/17/24" (en_US), "17.05.24" (de_DE), "17.5.2024" (fi_FI).
  std::string shortDate(Date date) const;

  // Reads a date typed in the short date style of the locale; the whole text must be one valid
  // date (blanks around it are ignored, "13/45/24" is refused). A two-digit year falls within
  // 80 years before and 20 years after now ("5/17/99" is 1999); four digits are taken as they
  // are. Returns the start of that day in the zone, or nothing.
  std::optional<Date> parseShortDate(std::string_view text) const;

  // Reads an ISO 8601 calendar date, exactly "YYYY-MM-DD" ("2024-05-17"); start of that day in
  // the zone, or nothing for any other text or an impossible date.
  std::optional<Date> parseIsoDate(std::string_view text) const;
  // Reads an ISO 8601 local date and time, "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS"
  // ("2024-05-17T18:00"), as the zone's wall clock shows it; nothing for any other text.
  std::optional<Date> parseIsoDateTime(std::string_view text) const;

  // Full date and medium time: "Friday, May 17, 2024 at 2:30:00 PM" (en_US).
  std::string fullDateMediumTime(Date date) const;
  // Short date and medium time: "5/17/24, 2:30:00 PM" (en_US).
  // In English ICU puts a narrow no-break space (U+202F) before AM/PM.
  std::string shortDateMediumTime(Date date) const;

  // Currency style of the locale with its currency, 0-2 fraction digits (rounded half-even),
  // grouping on: "$1,200", "$1,200.5", "-$1,200.5" (en_US); "1.200 €" (de_DE, U+00A0 before
  // the sign); "1 200 €" (fi_FI, U+00A0 both times). NaN and infinities print ICU's symbols.
  std::string currency(double amount) const;

  // Decimal style, 0-2 fraction digits, grouping on: "1,234.57" (en_US), "1.234,57" (de_DE).
  std::string decimal(double value) const;

  // Decimal style, 0-2 fraction digits, no grouping: "1200.5" (en_US), "1200,5" (de_DE). What a
  // field shows for editing: grouping would not read back ("1,200" is read as 1.2).
  std::string plainDecimal(double value) const;

  // The twelve month names as a date wheel shows them, January first: "January" (en_US),
  // "tammikuu" (fi_FI).
  std::vector<std::string> monthNames() const;

  // The order of day, month and year in the short date style: "MDY" (en_US), "DMY" (de_DE),
  // "YMD" (ja_JP).
  std::string dateFieldOrder() const;

  // A whole number without grouping, rounded half-even: 3.0 -> "3", 2.5 -> "2", 1200 -> "1200".
  // Uses the locale's digits and minus sign (fi_FI writes U+2212 for the minus).
  std::string number(double value) const;

  // Upper case by the locale's rules ("i" -> "İ" in Turkish, "ß" -> "SS"). Invalid UTF-8
  // sequences come back as U+FFFD.
  std::string upperCase(std::string_view text) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// True when ICU has data for the locale's language and the id's country (if any) is a known
// ISO 3166 code: "de_DE", "en_FI", "fi" are known; "xx_YY", "de_QQ", "" are not.
bool isKnownLocale(std::string_view id);

// True for a time-zone id ICU knows ("Europe/Helsinki", "UTC", "GMT+02:00"); false for "" and
// for unknown ids.
bool isKnownTimeZone(std::string_view id);

}  // namespace tockary
