#include "forms/date_wheel.h"

#include <algorithm>

namespace tockary {

DateWheel::DateWheel(const Formatters& formatters, Date date) : formatters_(formatters) {
  for (const char c : formatters.dateFieldOrder()) {
    order_.push_back(c == 'D' ? Part::Day : c == 'M' ? Part::Month : Part::Year);
  }
  const LocalDateTime local = formatters.calendar().localDateTime(date);
  year_ = std::clamp(local.year, kFirstYear, kLastYear);
  month_ = local.month;
  day_ = std::min(local.day, daysInMonth());
}

int DateWheel::daysInMonth() const {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year_ % 4 == 0 && year_ % 100 != 0) || year_ % 400 == 0;
  return month_ == 2 && leap ? 29 : kDays[month_ - 1];
}

std::vector<WheelColumn> DateWheel::columns() const {
  std::vector<WheelColumn> columns;
  for (const Part part : order_) {
    WheelColumn column;
    switch (part) {
      case Part::Day:
        for (int day = 1; day <= daysInMonth(); ++day) column.titles.push_back(std::to_string(day));
        column.width = kDayWidth;
        column.selected = day_ - 1;
        break;
      case Part::Month:
        column.titles = formatters_.monthNames();
        column.width = kMonthWidth;
        column.selected = month_ - 1;
        break;
      case Part::Year:
        for (int year = kFirstYear; year <= kLastYear; ++year) {
          column.titles.push_back(std::to_string(year));
        }
        column.width = kYearWidth;
        column.selected = year_ - kFirstYear;
        break;
    }
    columns.push_back(std::move(column));
  }
  return columns;
}

bool DateWheel::select(int column, int row) {
  if (column < 0 || column >= static_cast<int>(order_.size()) || row < 0) return false;
  switch (order_[static_cast<std::size_t>(column)]) {
    case Part::Day:
      if (row >= daysInMonth()) return false;
      day_ = row + 1;
      break;
    case Part::Month:
      if (row >= 12) return false;
      month_ = row + 1;
      break;
    case Part::Year:
      if (row > kLastYear - kFirstYear) return false;
      year_ = kFirstYear + row;
      break;
  }
  day_ = std::min(day_, daysInMonth());
  return true;
}

Date DateWheel::date() const { return formatters_.calendar().dateFrom(year_, month_, day_); }

}  // namespace tockary
