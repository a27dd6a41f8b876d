#include "platform/format/calendar.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <tuple>

#include <unicode/basictz.h>
#include <unicode/gregocal.h>
#include <unicode/tztrans.h>

#include "platform/format/icu_support.h"

namespace tockary {

using icu_support::fromUDate;
using icu_support::toUDate;

namespace {

constexpr std::int64_t kMillisPerDay = 86'400'000;
// Where the arithmetic below stands in for ICU's: well after the Julian calendar ended, and
// within plain four-digit years.
constexpr std::int64_t kFirstPlainYear = 1600;
constexpr std::int64_t kLastPlainYear = 9999;
constexpr double kPlainMillis = 2.5e14;  // about 7,900 years either side of 1970

std::int64_t floorDivide(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Proleptic Gregorian dates as days since 1970-01-01, and back.
std::int64_t daysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = floorDivide(y, 400);
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
  std::int64_t year;
  std::int64_t month;  // 1-12
  std::int64_t day;
};

CivilDate civilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = floorDivide(days, 146097);
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, dayOfYear - (153 * mp + 2) / 5 + 1};
}

std::int64_t daysInMonth(std::int64_t year, std::int64_t month) {
  static constexpr std::int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// A wall-clock time: its date and the milliseconds into that day.
struct WallTime {
  CivilDate date;
  std::int64_t timeOfDay;

  static WallTime at(std::int64_t wallMillis) {
    const std::int64_t days = floorDivide(wallMillis, kMillisPerDay);
    return {civilFromDays(days), wallMillis - days * kMillisPerDay};
  }
  std::int64_t millis() const {
    return daysFromCivil(date.year, date.month, date.day) * kMillisPerDay + timeOfDay;
  }
  std::int64_t monthIndex() const { return date.year * 12 + date.month - 1; }
  // `months` later, the day of the month kept where the target month has it and its last day
  // otherwise.
  WallTime plusMonths(std::int64_t months) const {
    const std::int64_t index = monthIndex() + months;
    const std::int64_t year = floorDivide(index, 12);
    const std::int64_t month = index - year * 12 + 1;
    return {{year, month, std::min(date.day, daysInMonth(year, month))}, timeOfDay};
  }
  friend bool operator<(const WallTime& a, const WallTime& b) {
    return std::tie(a.date.year, a.date.month, a.date.day, a.timeOfDay) <
           std::tie(b.date.year, b.date.month, b.date.day, b.timeOfDay);
  }
};

// How many steps of `step` months take `start` toward `target` without passing it, given a
// first guess that is right or one step too many.
std::int64_t wholeSteps(const WallTime& start, const WallTime& target, std::int64_t guess,
                        std::int64_t step) {
  if (start < target && target < start.plusMonths(guess * step)) return guess - 1;
  if (target < start && start.plusMonths(guess * step) < target) return guess + 1;
  return guess;
}

}  // namespace

struct Calendar::Impl {
  std::unique_ptr<icu::Calendar> calendar;
  std::string timeZoneId;
  // The last span found without a change of the zone's offset: [constantFrom, constantUntil).
  double constantFrom = 0;
  double constantUntil = 0;
  std::int32_t constantOffset = 0;

  // The zone's offset from UTC at `date`, as the calendar applies it to find the date's fields.
  std::int64_t offsetAt(UDate date) const {
    std::int32_t raw = 0;
    std::int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    calendar->getTimeZone().getOffset(date, false, raw, dst, status);
    return U_FAILURE(status) ? 0 : static_cast<std::int64_t>(raw) + dst;
  }

  // Whether the zone keeps one offset from two days before `first` through `last`; sets
  // `offset`. Just after the clocks go back, a wall-clock time may also name an instant before
  // the change, which the calendar would take: the two days keep every such time out.
  bool constantOffsetOver(UDate first, UDate last, std::int32_t& offset) {
    if (!(first > constantFrom && first < constantUntil)) {
      const auto* zone = dynamic_cast<const icu::BasicTimeZone*>(&calendar->getTimeZone());
      if (zone == nullptr) return false;
      icu::TimeZoneTransition transition;
      constantFrom = -std::numeric_limits<double>::infinity();
      constantUntil = std::numeric_limits<double>::infinity();
      if (zone->getPreviousTransition(first, true, transition)) constantFrom = transition.getTime();
      if (zone->getNextTransition(first, false, transition)) constantUntil = transition.getTime();
      constantOffset = static_cast<std::int32_t>(offsetAt(first));
    }
    offset = constantOffset;
    return first - constantFrom >= 2.0 * kMillisPerDay && last < constantUntil;
  }
};

Calendar::Calendar(std::string_view timeZoneId) : impl_(std::make_unique<Impl>()) {
  std::unique_ptr<icu::TimeZone> zone = icu_support::makeTimeZone(timeZoneId);
  icu::UnicodeString id;
  impl_->timeZoneId = icu_support::toUtf8(zone->getID(id));
  UErrorCode status = U_ZERO_ERROR;
  // Always Gregorian: the app's dates are Gregorian dates whatever the locale (a Buddhist or
  // Japanese calendar would change what "year 2024" means in dateFrom).
  auto calendar = std::make_unique<icu::GregorianCalendar>(zone.release(), status);
  if (U_FAILURE(status)) {
    calendar = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
  }
  // Lenient, so that dateFrom carries over out-of-range fields and never fails; wall times that
  // DST skips or repeats resolve to the start of the day as a person would see it.
  calendar->setLenient(true);
  calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
  calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
  impl_->calendar = std::move(calendar);
}

Calendar::~Calendar() = default;

Calendar::Calendar(const Calendar& other)
    : impl_(new Impl{std::unique_ptr<icu::Calendar>(other.impl_->calendar->clone()),
                     other.impl_->timeZoneId}) {}

Calendar& Calendar::operator=(const Calendar& other) {
  if (this != &other) *this = Calendar(other);
  return *this;
}

Calendar::Calendar(Calendar&&) noexcept = default;
Calendar& Calendar::operator=(Calendar&&) noexcept = default;

const std::string& Calendar::timeZoneId() const { return impl_->timeZoneId; }

Date Calendar::startOfDay(Date date) const {
  const LocalDateTime local = localDateTime(date);
  return dateFrom(local.year, local.month, local.day);
}

int Calendar::daysBetween(Date from, Date to) const {
  const UDate start = toUDate(from);
  const UDate end = toUDate(to);
  if (std::abs(start) < kPlainMillis && std::abs(end) < kPlainMillis) {
    // The local date is the day of the wall-clock time, the time plus the zone's offset at
    // that instant: what the calendar itself computes, without computing every other field.
    const auto localDay = [this](UDate date) {
      return floorDivide(static_cast<std::int64_t>(date) + impl_->offsetAt(date), kMillisPerDay);
    };
    return static_cast<int>(localDay(end) - localDay(start));
  }
  // The Julian day number is the local calendar date as one integer, so the difference counts
  // dates, not 24-hour spans: DST days of 23 or 25 hours still count as one.
  UErrorCode status = U_ZERO_ERROR;
  impl_->calendar->setTime(toUDate(from), status);
  const std::int64_t first = impl_->calendar->get(UCAL_JULIAN_DAY, status);
  impl_->calendar->setTime(toUDate(to), status);
  const std::int64_t second = impl_->calendar->get(UCAL_JULIAN_DAY, status);
  if (U_FAILURE(status)) return 0;
  return static_cast<int>(std::clamp<std::int64_t>(second - first, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

DateComponents Calendar::components(Date from, Date to) const {
  const UDate start = toUDate(from);
  const UDate end = toUDate(to);
  std::int32_t offset = 0;
  if (std::abs(start) < kPlainMillis && std::abs(end) < kPlainMillis &&
      impl_->constantOffsetOver(std::min(start, end), std::max(start, end), offset)) {
    // One offset throughout: wall-clock arithmetic gives what ICU's field differences give (as
    // below), without their trial additions. Candidates past the target lie past it on the
    // wall clock too, whatever the zone does there.
    const std::int64_t target = static_cast<std::int64_t>(end) + offset;
    const WallTime a = WallTime::at(static_cast<std::int64_t>(start) + offset);
    const WallTime b = WallTime::at(target);
    if (std::min(a.date.year, b.date.year) >= kFirstPlainYear &&
        std::max(a.date.year, b.date.year) <= kLastPlainYear) {
      DateComponents result;
      const std::int64_t years = wholeSteps(a, b, b.date.year - a.date.year, 12);
      const WallTime afterYears = a.plusMonths(years * 12);
      const std::int64_t months =
          wholeSteps(afterYears, b, b.monthIndex() - afterYears.monthIndex(), 1);
      const std::int64_t fromMonths = afterYears.plusMonths(months).millis();
      const std::int64_t days = fromMonths <= target
                                    ? floorDivide(target - fromMonths, kMillisPerDay)
                                    : -floorDivide(fromMonths - target, kMillisPerDay);
      result.years = static_cast<int>(years);
      result.months = static_cast<int>(months);
      result.days = static_cast<int>(days);
      return result;
    }
  }
  // fieldDifference adds the largest whole count of each field in turn and leaves the calendar
  // there, which is how the reference platform splits a span into years, months and days.
  UErrorCode status = U_ZERO_ERROR;
  const UDate target = toUDate(to);
  impl_->calendar->setTime(toUDate(from), status);
  DateComponents result;
  result.years = impl_->calendar->fieldDifference(target, UCAL_YEAR, status);
  result.months = impl_->calendar->fieldDifference(target, UCAL_MONTH, status);
  result.days = impl_->calendar->fieldDifference(target, UCAL_DATE, status);
  if (U_FAILURE(status)) return {};
  return result;
}

std::int64_t Calendar::wholeHours(Date from, Date to) const {
  return std::chrono::duration_cast<std::chrono::hours>(to - from).count();
}

std::int64_t Calendar::wholeMinutes(Date from, Date to) const {
  return std::chrono::duration_cast<std::chrono::minutes>(to - from).count();
}

Date Calendar::dateFrom(int year, int month, int day, int hour, int minute, int second) const {
  UErrorCode status = U_ZERO_ERROR;
  impl_->calendar->clear();
  // The extended year, as localDateTime reports it, so that years before 1 round-trip.
  impl_->calendar->set(UCAL_EXTENDED_YEAR, year);
  impl_->calendar->set(UCAL_MONTH, month - 1);
  impl_->calendar->set(UCAL_DATE, day);
  impl_->calendar->set(UCAL_HOUR_OF_DAY, hour);
  impl_->calendar->set(UCAL_MINUTE, minute);
  impl_->calendar->set(UCAL_SECOND, second);
  const UDate result = impl_->calendar->getTime(status);
  if (U_FAILURE(status)) return Date{};
  return fromUDate(result);
}

LocalDateTime Calendar::localDateTime(Date date) const {
  UErrorCode status = U_ZERO_ERROR;
  impl_->calendar->setTime(toUDate(date), status);
  LocalDateTime local;
  local.year = impl_->calendar->get(UCAL_EXTENDED_YEAR, status);  // astronomical: no BC/AD split
  local.month = impl_->calendar->get(UCAL_MONTH, status) + 1;
  local.day = impl_->calendar->get(UCAL_DATE, status);
  local.hour = impl_->calendar->get(UCAL_HOUR_OF_DAY, status);
  local.minute = impl_->calendar->get(UCAL_MINUTE, status);
  local.second = impl_->calendar->get(UCAL_SECOND, status);
  if (U_FAILURE(status)) return {};
  return local;
}

}  // namespace tockary
