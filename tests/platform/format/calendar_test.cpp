#include <gtest/gtest.h>
#include <unicode/gregocal.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>

#include "platform/format/calendar.h"

namespace tockary {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

// An instant given in UTC, independent of the calendar under test.
Date utc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0) {
  const std::chrono::sys_days days{std::chrono::year(year) / std::chrono::month(month) /
                                   std::chrono::day(day)};
  return Date(days) + hours(hour) + minutes(minute);
}

// ICU's own answers, with the calendar set up as Calendar sets it up, for comparison.
struct IcuReference {
  explicit IcuReference(const char* zone) {
    UErrorCode status = U_ZERO_ERROR;
    calendar = std::make_unique<icu::GregorianCalendar>(
        icu::TimeZone::createTimeZone(icu::UnicodeString(zone)), status);
    calendar->setLenient(true);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
  }
  static UDate millis(Date date) { return static_cast<UDate>(date.time_since_epoch().count()); }
  DateComponents components(Date from, Date to) {
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(millis(from), status);
    DateComponents result;
    result.years = calendar->fieldDifference(millis(to), UCAL_YEAR, status);
    result.months = calendar->fieldDifference(millis(to), UCAL_MONTH, status);
    result.days = calendar->fieldDifference(millis(to), UCAL_DATE, status);
    return result;
  }
  int daysBetween(Date from, Date to) {
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(millis(from), status);
    const int first = calendar->get(UCAL_JULIAN_DAY, status);
    calendar->setTime(millis(to), status);
    return calendar->get(UCAL_JULIAN_DAY, status) - first;
  }
  std::unique_ptr<icu::Calendar> calendar;
};

class CalendarTest : public ::testing::Test {
 protected:
  Calendar utc_{"UTC"};
  Calendar helsinki_{"Europe/Helsinki"};
};

TEST_F(CalendarTest, CountsCalendarDatesNotDayLengths) {
  EXPECT_EQ(utc_.daysBetween(utc(2024, 5, 16, 23, 59), utc(2024, 5, 17, 0, 1)), 1);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 5, 17, 0, 0), utc(2024, 5, 17, 23, 59)), 0);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 5, 17, 0, 1), utc(2024, 5, 16, 23, 59)), -1);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 5, 9, 23, 0), utc(2024, 5, 17, 1, 0)), 8);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 1, 31, 12), utc(2024, 2, 1, 12)), 1);
  EXPECT_EQ(utc_.daysBetween(utc(2023, 12, 31, 23), utc(2024, 1, 1, 1)), 1);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 2, 28), utc(2024, 3, 1)), 2);  // through 29 February
  EXPECT_EQ(utc_.daysBetween(utc(2023, 2, 28), utc(2023, 3, 1)), 1);
  EXPECT_EQ(utc_.daysBetween(utc(2024, 1, 1), utc(2025, 1, 1)), 366);
  EXPECT_EQ(utc_.daysBetween(utc(2025, 1, 1), utc(2024, 1, 1)), -366);
}

TEST_F(CalendarTest, DayBoundariesAreThoseOfTheCalendarsZone) {
  // 22:30 UTC is already 01:30 the next day in Helsinki (UTC+3 in summer).
  const Date evening = utc(2024, 5, 16, 20, 0);
  const Date lateEvening = utc(2024, 5, 16, 22, 30);
  EXPECT_EQ(utc_.daysBetween(evening, lateEvening), 0);
  EXPECT_EQ(helsinki_.daysBetween(evening, lateEvening), 1);
  EXPECT_EQ(helsinki_.startOfDay(lateEvening), utc(2024, 5, 16, 21, 0));
}

TEST_F(CalendarTest, DaylightSavingDaysCountAsOneDay) {
  // Helsinki: 31 March 2024 lasts 23 hours, 27 October 2024 lasts 25 hours.
  EXPECT_EQ(helsinki_.startOfDay(helsinki_.dateFrom(2024, 3, 31, 15)), utc(2024, 3, 30, 22));
  EXPECT_EQ(helsinki_.startOfDay(helsinki_.dateFrom(2024, 10, 27, 23, 59)), utc(2024, 10, 26, 21));
  EXPECT_EQ(helsinki_.daysBetween(helsinki_.dateFrom(2024, 3, 30, 23, 59),
                                  helsinki_.dateFrom(2024, 4, 1, 0, 1)),
            2);
  EXPECT_EQ(helsinki_.daysBetween(helsinki_.dateFrom(2024, 3, 31, 0, 0),
                                  helsinki_.dateFrom(2024, 4, 1, 0, 0)),
            1);
  const Date fallMidnight = helsinki_.dateFrom(2024, 10, 27);
  const Date fallLastMinute = helsinki_.dateFrom(2024, 10, 27, 23, 59);
  EXPECT_EQ(helsinki_.daysBetween(fallMidnight, fallLastMinute), 0);
  EXPECT_EQ(helsinki_.wholeHours(fallMidnight, fallLastMinute), 24);
  EXPECT_EQ(helsinki_.daysBetween(helsinki_.dateFrom(2024, 10, 26, 23, 30),
                                  helsinki_.dateFrom(2024, 10, 28, 0, 30)),
            2);
}

TEST_F(CalendarTest, StartOfDayWhenMidnightIsSkippedOrRepeated) {
  // São Paulo moved from 00:00 straight to 01:00 on 4 November 2018.
  const Calendar saoPaulo("America/Sao_Paulo");
  EXPECT_EQ(saoPaulo.startOfDay(saoPaulo.dateFrom(2018, 11, 4, 12)), utc(2018, 11, 4, 3));
  EXPECT_EQ(saoPaulo.dateFrom(2018, 11, 4), utc(2018, 11, 4, 3));
  EXPECT_EQ(saoPaulo.daysBetween(utc(2018, 11, 4, 2, 30), utc(2018, 11, 4, 3, 30)), 1);
  // Havana went from 01:00 back to 00:00 on 5 November 2023: the day starts at the first 00:00.
  const Calendar havana("America/Havana");
  EXPECT_EQ(havana.startOfDay(havana.dateFrom(2023, 11, 5, 12)), utc(2023, 11, 5, 4));
}

TEST_F(CalendarTest, ComponentsAtMonthEndsAndLeapDays) {
  struct Case {
    Date from;
    Date to;
    DateComponents expected;
  };
  const Case cases[] = {
      {utc(2023, 1, 31), utc(2023, 3, 1), {0, 1, 1}},  // 31 January + 1 month = 28 February
      {utc(2024, 1, 31), utc(2024, 2, 29), {0, 1, 0}},
      {utc(2023, 3, 31), utc(2023, 4, 30), {0, 1, 0}},
      {utc(2020, 2, 29), utc(2021, 2, 28), {1, 0, 0}},  // a year from a leap day ends 28 February
      {utc(2020, 2, 29), utc(2021, 3, 1), {1, 0, 1}},
      {utc(2020, 2, 29), utc(2024, 2, 29), {4, 0, 0}},
      {utc(2023, 1, 1), utc(2024, 1, 1), {1, 0, 0}},
      {utc(2023, 5, 17), utc(2024, 5, 16), {0, 11, 29}},
      {utc(2024, 5, 17, 9), utc(2024, 5, 17, 18), {0, 0, 0}},
      {utc(2023, 1, 1, 12), utc(2024, 1, 1, 11), {0, 11, 30}},  // the time of day counts
      {utc(2023, 3, 1), utc(2023, 1, 31), {0, -1, -1}},
      {utc(2024, 3, 31), utc(2024, 2, 29), {0, -1, 0}},
      {utc(2024, 5, 17), utc(2021, 2, 10), {-3, -3, -7}},
  };
  for (const Case& c : cases) {
    const DateComponents got = utc_.components(c.from, c.to);
    EXPECT_EQ(got, c.expected) << utc_.daysBetween(Date{}, c.from) << " -> "
                               << utc_.daysBetween(Date{}, c.to) << " gave " << got.years << " "
                               << got.months << " " << got.days;
  }
}

TEST_F(CalendarTest, AnswersAreIcusOwnInZonesWithAndWithoutDaylightSaving) {
  // Spans of minutes to decades, many ending on month ends, leap days, midnight or a change of
  // the clocks; both directions.
  std::mt19937_64 random(7);
  const std::int64_t first = utc(1960, 1, 1).time_since_epoch().count();
  const std::int64_t last = utc(2060, 1, 1).time_since_epoch().count();
  std::uniform_int_distribution<std::int64_t> instant(first, last);
  const std::array<std::int64_t, 6> spans = {60'000,          3'600'000,        86'400'000,
                                             2'678'400'000LL, 31'622'400'000LL, 946'080'000'000LL};
  for (const char* zone : {"UTC", "Asia/Tokyo", "Asia/Kolkata", "Etc/GMT+11", "Europe/Helsinki",
                           "America/Sao_Paulo", "Australia/Lord_Howe"}) {
    const Calendar calendar(zone);
    IcuReference icu(zone);
    for (int i = 0; i < 3000; ++i) {
      Date from = Date(milliseconds(instant(random)));
      if (i % 3 == 0) from = calendar.startOfDay(from);
      if (i % 5 == 0) {
        const LocalDateTime local = calendar.localDateTime(from);
        from = calendar.dateFrom(local.year, local.month + 1, 0, local.hour, local.minute);
      }
      std::uniform_int_distribution<std::int64_t> length(-spans[i % spans.size()],
                                                         spans[i % spans.size()]);
      Date to = from + milliseconds(length(random));
      if (i % 7 == 0) to = calendar.startOfDay(to) + (from - calendar.startOfDay(from));
      ASSERT_EQ(calendar.components(from, to), icu.components(from, to))
          << zone << " " << from.time_since_epoch().count() << " -> "
          << to.time_since_epoch().count();
      ASSERT_EQ(calendar.daysBetween(from, to), icu.daysBetween(from, to))
          << zone << " " << from.time_since_epoch().count() << " -> "
          << to.time_since_epoch().count();
    }
  }
  // Around the changes of the clocks in Helsinki in 2024, and two days later, minute by minute.
  const Calendar helsinki("Europe/Helsinki");
  IcuReference icu("Europe/Helsinki");
  for (const Date change :
       {utc(2024, 3, 31, 1), utc(2024, 10, 27, 1), utc(2024, 4, 2, 1), utc(2024, 10, 29, 1)}) {
    for (int minute = -90; minute <= 90; minute += 7) {
      const Date at = change + minutes(minute);
      for (const Date other :
           {at - hours(24 * 365), at - hours(23), at + hours(25), at + hours(24 * 31)}) {
        EXPECT_EQ(helsinki.components(at, other), icu.components(at, other)) << minute;
        EXPECT_EQ(helsinki.components(other, at), icu.components(other, at)) << minute;
        EXPECT_EQ(helsinki.daysBetween(at, other), icu.daysBetween(at, other)) << minute;
      }
    }
  }
}

TEST_F(CalendarTest, ComponentsFollowTheZonesDates) {
  // 2024-01-31 22:30 UTC is already 1 February in Helsinki.
  EXPECT_EQ(helsinki_.components(utc(2023, 12, 31, 22, 30), utc(2024, 1, 31, 22, 30)),
            (DateComponents{0, 1, 0}));
  EXPECT_EQ(helsinki_.components(helsinki_.dateFrom(2024, 3, 30, 12),
                                 helsinki_.dateFrom(2024, 4, 30, 12)),
            (DateComponents{0, 1, 0}));
}

TEST_F(CalendarTest, WholeHoursAndMinutesTruncateTowardZero) {
  const Date start = utc(2024, 5, 17, 10);
  EXPECT_EQ(utc_.wholeMinutes(start, start + seconds(59)), 0);
  EXPECT_EQ(utc_.wholeMinutes(start, start + minutes(59) + milliseconds(59'999)), 59);
  EXPECT_EQ(utc_.wholeHours(start, start + minutes(59) + milliseconds(59'999)), 0);
  EXPECT_EQ(utc_.wholeHours(start, start + hours(1)), 1);
  EXPECT_EQ(utc_.wholeHours(start, start - minutes(90)), -1);
  EXPECT_EQ(utc_.wholeMinutes(start, start - seconds(90)), -1);
  EXPECT_EQ(utc_.wholeHours(start, start + hours(24 * 400) + minutes(59)), 9600);
  // Elapsed time ignores wall clocks: the 23-hour day in Helsinki.
  EXPECT_EQ(helsinki_.wholeHours(helsinki_.dateFrom(2024, 3, 31), helsinki_.dateFrom(2024, 4, 1)),
            23);
}

TEST_F(CalendarTest, DateFromBuildsWallClockTimesInTheZone) {
  EXPECT_EQ(helsinki_.dateFrom(2024, 5, 17, 14, 30), utc(2024, 5, 17, 11, 30));
  EXPECT_EQ(helsinki_.dateFrom(2024, 1, 17, 14, 30), utc(2024, 1, 17, 12, 30));
  EXPECT_EQ(utc_.dateFrom(2024, 13, 1), utc(2025, 1, 1));  // carries over
  EXPECT_EQ(utc_.dateFrom(2023, 2, 29), utc(2023, 3, 1));
  // 03:30 does not exist on 31 March 2024 in Helsinki; the clock read 04:00 at 01:00 UTC.
  EXPECT_EQ(helsinki_.dateFrom(2024, 3, 31, 3, 30), utc(2024, 3, 31, 1));

  const LocalDateTime local = helsinki_.localDateTime(utc(2024, 12, 31, 22, 5) + seconds(7));
  EXPECT_EQ(local, (LocalDateTime{2025, 1, 1, 0, 5, 7}));
  EXPECT_EQ(helsinki_.dateFrom(local.year, local.month, local.day, local.hour, local.minute,
                               local.second),
            utc(2024, 12, 31, 22, 5) + seconds(7));
}

TEST_F(CalendarTest, ZoneIdsAndCopies) {
  EXPECT_EQ(helsinki_.timeZoneId(), "Europe/Helsinki");
  EXPECT_EQ(Calendar("Nowhere/Atlantis").timeZoneId(), "Etc/Unknown");
  EXPECT_EQ(Calendar("Nowhere/Atlantis").dateFrom(2024, 5, 17), utc(2024, 5, 17));
  Calendar copy = helsinki_;
  Calendar moved = std::move(copy);
  copy = utc_;
  EXPECT_EQ(moved.startOfDay(utc(2024, 5, 16, 22, 30)), utc(2024, 5, 16, 21));
  EXPECT_EQ(copy.startOfDay(utc(2024, 5, 16, 22, 30)), utc(2024, 5, 16));
}

TEST_F(CalendarTest, ExtremeDatesDoNotBreakTheArithmetic) {
  const Date far = Date(milliseconds(std::numeric_limits<std::int64_t>::max()));
  const Date early = Date(milliseconds(std::numeric_limits<std::int64_t>::min()));
  EXPECT_GT(utc_.daysBetween(early, far), 0);
  EXPECT_EQ(utc_.components(utc(2024, 1, 1), far), DateComponents{});
  EXPECT_EQ(utc_.components(utc(2024, 1, 1), utc_.dateFrom(1'002'024, 1, 1)).years, 1'000'000);
  EXPECT_LT(utc_.startOfDay(early), utc_.dateFrom(-1'000'000, 1, 1));
}

}  // namespace
}  // namespace tockary
