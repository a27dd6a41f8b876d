#include "platform/format/calendar.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include <unicode/gregocal.h>

#include "platform/format/icu_support.h"

namespace tockary {

using icu_support::fromUDate;
using icu_support::toUDate;

struct Calendar::Impl {
  std::unique_ptr<icu::Calendar> calendar;
  std::string timeZoneId;
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
