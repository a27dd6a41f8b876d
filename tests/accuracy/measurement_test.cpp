#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accuracy/measurement.h"
#include "platform/format/formatters.h"

namespace tockary {
namespace {

class MeasurementTest : public ::testing::Test {
 protected:
  Date at(int y, int m, int d, int h = 0, int mi = 0, int s = 0) const {
    return calendar().dateFrom(y, m, d, h, mi, s);
  }
  const Calendar& calendar() const { return formatters.calendar(); }
  std::string shown(Date date) const { return formatters.shortDateMediumTime(date); }

  Formatters formatters{"en_US", "UTC"};
};

TEST_F(MeasurementTest, RateIsTheWatchGainPerDayOfPhoneTime) {
  EXPECT_EQ(rateText(accuracyRate(90000, 90005)), "4.8 sec/d");
  EXPECT_EQ(rateText(accuracyRate(90000, 89990)), "-9.6 sec/d");
  EXPECT_EQ(rateText(accuracyRate(86400, 86400)), "0.0 sec/d");
  EXPECT_EQ(signedRateText(4), "+4.0");
  EXPECT_EQ(signedRateText(-2), "-2.0");
  EXPECT_EQ(signedRateText(-0.04), "0.0");
}

TEST_F(MeasurementTest, ElapsedSecondsDropTheFractionsOfBothDates) {
  const Date start = at(2024, 5, 17, 10, 0, 5) + std::chrono::milliseconds(900);
  const Date end = at(2024, 5, 17, 10, 0, 7) + std::chrono::milliseconds(100);
  EXPECT_EQ(elapsedSeconds(start, end), 2);
  EXPECT_EQ(elapsedSeconds(end, start), -2);
}

TEST_F(MeasurementTest, TwelveHoursOfPhoneTimeCountAsAccurate) {
  const std::string shortRun =
      "Measurement duration is less than 12 hours. For a more accurate result, please wait at "
      "least 12 hours.";
  const std::string longRun =
      "This measurement has been taken based on a period of longer than 12 hours, this result "
      "can be considered accurate within the abilities of this test.";
  EXPECT_EQ(resultDurationMessage(43199), shortRun);
  EXPECT_EQ(resultDurationMessage(43200), longRun);
  EXPECT_EQ(resultDurationMessage(90000), longRun);
}

TEST_F(MeasurementTest, DurationAndRunningTimeTexts) {
  const Date start = at(2024, 5, 17, 10, 0, 30);
  const auto after = [&](int hours, int minutes) {
    return start + std::chrono::hours(hours) + std::chrono::minutes(minutes);
  };
  EXPECT_EQ(durationText(calendar(), start, after(0, 45)), "Measure ready, duration: 45 minute(s)");
  EXPECT_EQ(durationText(calendar(), start, after(0, 59) + std::chrono::seconds(59)),
            "Measure ready, duration: 59 minute(s)");
  EXPECT_EQ(durationText(calendar(), start, after(1, 0)), "Measure ready, duration: 1 hour(s)");
  EXPECT_EQ(durationText(calendar(), start, after(26, 10)), "Measure ready, duration: 26 hour(s)");

  EXPECT_EQ(runningTimeText(calendar(), start, after(0, 0)), "Measuring: 0 minute(s)");
  EXPECT_EQ(runningTimeText(calendar(), start, after(0, 59)), "Measuring: 59 minute(s)");
  EXPECT_EQ(runningTimeText(calendar(), start, after(1, 0)), "Measuring: 1h 0min");
  EXPECT_EQ(runningTimeText(calendar(), start, after(26, 5)), "Measuring: 26h 5min");
}

TEST_F(MeasurementTest, CurrentMinuteAndTimeOfDay) {
  const Date now = at(2024, 5, 17, 9, 5, 42) + std::chrono::milliseconds(300);
  EXPECT_EQ(currentMinute(calendar(), now), at(2024, 5, 17, 9, 5));
  EXPECT_EQ(timeOfDayText(calendar(), now), "9:05");
  EXPECT_EQ(timeOfDayText(calendar(), at(2024, 5, 17, 14, 59)), "14:59");
  EXPECT_EQ(timeOfDayText(calendar(), at(2024, 5, 17)), "0:00");
}

TEST_F(MeasurementTest, PlusStepsIntoTheNextHourAndOnWithinIt) {
  MinuteAdjustment adjustment;
  const Date now = at(2024, 5, 17, 14, 58, 20);
  EXPECT_EQ(adjustment.increase(calendar(), now), at(2024, 5, 17, 14, 59));
  EXPECT_FALSE(adjustment.tuntiVaihtui());
  EXPECT_EQ(adjustment.increase(calendar(), now), at(2024, 5, 17, 15, 0));
  EXPECT_TRUE(adjustment.tuntiVaihtui());
  EXPECT_EQ(adjustment.kasvajaTunti(), 1);
  EXPECT_EQ(adjustment.increase(calendar(), now), at(2024, 5, 17, 15, 1));
  // After the change the shown minute no longer follows the live one.
  EXPECT_EQ(adjustment.increase(calendar(), at(2024, 5, 17, 14, 59, 40)), at(2024, 5, 17, 15, 2));
}

TEST_F(MeasurementTest, MinusAtMinuteZeroAfterAnHourChangeShowsMinute59OfThePreviousHour) {
  MinuteAdjustment down;
  const Date now = at(2024, 5, 17, 14, 1, 10);
  EXPECT_EQ(down.decrease(calendar(), now), at(2024, 5, 17, 14, 0));
  EXPECT_TRUE(down.tuntiVaihtui());
  EXPECT_EQ(down.decrease(calendar(), now), at(2024, 5, 17, 13, 59));
  EXPECT_EQ(down.decrease(calendar(), now), at(2024, 5, 17, 13, 58));

  MinuteAdjustment upThenDown;
  const Date later = at(2024, 5, 17, 14, 58);
  (void)upThenDown.increase(calendar(), later);
  EXPECT_EQ(upThenDown.increase(calendar(), later), at(2024, 5, 17, 15, 0));
  EXPECT_EQ(upThenDown.decrease(calendar(), at(2024, 5, 17, 14, 30)), at(2024, 5, 17, 14, 59));
  EXPECT_EQ(upThenDown.kasvajaTunti(), 0);
}

TEST_F(MeasurementTest, AMinuteOutsideTheHourRollsOverThroughTheCalendar) {
  // The live minute moved on between two presses: 14:57 + 1, then at 14:59 + 2 would be minute 61.
  MinuteAdjustment late;
  EXPECT_EQ(late.increase(calendar(), at(2024, 5, 17, 14, 57)), at(2024, 5, 17, 14, 58));
  const Date rolled = late.increase(calendar(), at(2024, 5, 17, 14, 59, 30));
  EXPECT_EQ(rolled, at(2024, 5, 17, 15, 1));
  EXPECT_EQ(timeOfDayText(calendar(), rolled), "15:01");

  MinuteAdjustment early;
  const Date belowZero = early.decrease(calendar(), at(2024, 5, 17, 0, 0, 15));
  EXPECT_EQ(belowZero, at(2024, 5, 16, 23, 59));
  EXPECT_EQ(shown(belowZero), "5/16/24, 11:59:00\u202fPM");

  MinuteAdjustment midnight;
  const Date nextDay = midnight.increase(calendar(), at(2024, 12, 31, 23, 59, 59));
  EXPECT_EQ(nextDay, at(2025, 1, 1, 0, 0));
  EXPECT_EQ(timeOfDayText(calendar(), nextDay), "0:00");
}

TEST_F(MeasurementTest, TheAdjustedTimeKeepsItsDistanceFromNowWhenTheClocksGoBack) {
  Formatters helsinki{"en_US", "Europe/Helsinki"};
  const Calendar& zone = helsinki.calendar();
  // 2024-10-27 04:00 local happens twice; the second 03:30 is 00:30 UTC.
  const Date secondPass = Date(std::chrono::sys_days(std::chrono::year(2024) / 10 / 27)) +
                          std::chrono::minutes(30) + std::chrono::seconds(10);
  EXPECT_EQ(zone.localDateTime(secondPass).hour, 3);
  MinuteAdjustment adjustment;
  EXPECT_EQ(adjustment.increase(zone, secondPass) - currentMinute(zone, secondPass),
            std::chrono::minutes(1));
}

}  // namespace
}  // namespace tockary
