#pragma once

#include <string>
#include <vector>

#include "forms/form_field.h"
#include "platform/date.h"
#include "platform/format/formatters.h"

namespace tockary {

// The date wheel of a date field: day, month and year columns in the order of the locale's short
// date, month names as the locale writes them, and only days the month has. Turning the month or
// the year past the end of a shorter month keeps the day within it (31 January, then February:
// the 28th or the 29th).
class DateWheel {
 public:
  static constexpr int kFirstYear = 1900;
  static constexpr int kLastYear = 2100;
  static constexpr double kDayWidth = 60;
  static constexpr double kMonthWidth = 150;
  static constexpr double kYearWidth = 90;

  // `formatters` must outlive the wheel. A date outside the years offered stands at the nearest.
  DateWheel(const Formatters& formatters, Date date);

  std::vector<WheelColumn> columns() const;
  // Turns a column to a row; false (and nothing changes) for a column or row it does not have.
  bool select(int column, int row);
  // The start of the day the wheel shows.
  Date date() const;

 private:
  enum class Part { Day, Month, Year };
  int daysInMonth() const;

  const Formatters& formatters_;
  std::vector<Part> order_;
  int year_ = kFirstYear;
  int month_ = 1;
  int day_ = 1;
};

}  // namespace tockary
