#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/date.h"

namespace tockary {

// Whole calendar units between two dates; all three share the sign of the difference.
struct DateComponents {
  int years = 0;
  int months = 0;
  int days = 0;
  friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

// The wall-clock fields of a date in a calendar's zone (month 1-12, hour 0-23).
struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The Gregorian calendar in one time zone: day boundaries and calendar differences.
// Not for concurrent use; give each thread its own copy.
class Calendar {
 public:
  // timeZoneId: an IANA id ("Europe/Helsinki", "UTC"); empty = TZ or the system zone. An
  // unknown id behaves as UTC (see isKnownTimeZone in formatters.h).
  explicit Calendar(std::string_view timeZoneId = {});
  ~Calendar();
  Calendar(const Calendar& other);
  Calendar& operator=(const Calendar& other);
  Calendar(Calendar&&) noexcept;
  Calendar& operator=(Calendar&&) noexcept;  // a moved-from Calendar may only be assigned to

  // The zone's id as resolved ("Europe/Helsinki"; the system's zone when constructed empty).
  const std::string& timeZoneId() const;

  // The first instant of the date's calendar day (01:00 on a day whose midnight is skipped).
  Date startOfDay(Date date) const;

  // Calendar days from `from`'s date to `to`'s date, whatever the hours: yesterday 23:59 to
  // today 00:01 is 1. Negative when `to` is on an earlier day.
  int daysBetween(Date from, Date to) const;

  // Years, then months, then days from `from` to `to`, each the largest whole count that does not
  // pass `to`, time of day included; a month added to the 31st ends on the month's last day:
  // 2023-01-31 -> 2023-03-01 is {0, 1, 1}, 2020-02-29 -> 2021-02-28 is {1, 0, 0}.
  // {0, 0, 0} for a span the calendar cannot count (dates millions of years away).
  DateComponents components(Date from, Date to) const;

  // Elapsed whole hours / minutes, truncated toward zero (negative when `to` is earlier).
  std::int64_t wholeHours(Date from, Date to) const;
  std::int64_t wholeMinutes(Date from, Date to) const;

  // The instant of the given wall-clock time in the zone (month 1-12). Out-of-range fields carry
  // over (month 13 is January of the next year). A skipped wall time moves forward to the first
  // valid instant; a repeated one means its first occurrence.
  Date dateFrom(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) const;

  // The date's wall-clock fields in the zone (milliseconds dropped).
  LocalDateTime localDateTime(Date date) const;

 private:
  struct Impl;  // holds the ICU calendar, which keeps state even when only read
  std::unique_ptr<Impl> impl_;
};

}  // namespace tockary
