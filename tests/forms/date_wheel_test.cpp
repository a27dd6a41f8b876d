#include "forms/date_wheel.h"

#include <gtest/gtest.h>

namespace tockary {
namespace {

TEST(DateWheelTest, ColumnsFollowTheLocalesOrderAndNames) {
  const Formatters japanese("ja_JP", "UTC");
  DateWheel wheel(japanese, japanese.calendar().dateFrom(2024, 3, 9));
  const auto columns = wheel.columns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].titles.front(), "1900");  // year first
  EXPECT_EQ(columns[0].selected, 124);
  EXPECT_EQ(columns[1].selected, 2);
  EXPECT_EQ(columns[2].selected, 8);
  EXPECT_EQ(columns[2].width, DateWheel::kDayWidth);

  const Formatters german("de_DE", "UTC");
  const auto dayFirst = DateWheel(german, german.calendar().dateFrom(2024, 3, 9)).columns();
  EXPECT_EQ(dayFirst[0].titles.size(), 31u);
  EXPECT_EQ(dayFirst[1].titles.front(), "Januar");
  EXPECT_EQ(dayFirst[2].titles.back(), "2100");
}

TEST(DateWheelTest, TurningToAShorterMonthKeepsTheDayInsideIt) {
  const Formatters us("en_US", "UTC");  // month, day, year
  DateWheel wheel(us, us.calendar().dateFrom(2023, 1, 31));
  ASSERT_TRUE(wheel.select(0, 1));  // February 2023
  EXPECT_EQ(wheel.date(), us.calendar().dateFrom(2023, 2, 28));
  EXPECT_EQ(wheel.columns()[1].titles.size(), 28u);
  ASSERT_TRUE(wheel.select(2, 2024 - 1900));  // leap year: the day stays where it was put
  EXPECT_EQ(wheel.date(), us.calendar().dateFrom(2024, 2, 28));
  ASSERT_TRUE(wheel.select(1, 28));
  EXPECT_EQ(wheel.date(), us.calendar().dateFrom(2024, 2, 29));
  EXPECT_FALSE(wheel.select(1, 29));
  EXPECT_FALSE(wheel.select(0, 12));
  EXPECT_FALSE(wheel.select(3, 0));
  EXPECT_FALSE(wheel.select(2, -1));
  EXPECT_EQ(wheel.date(), us.calendar().dateFrom(2024, 2, 29));
}

TEST(DateWheelTest, DatesBeyondItsYearsStandAtTheNearestYear) {
  const Formatters us("en_US", "UTC");
  EXPECT_EQ(DateWheel(us, us.calendar().dateFrom(1850, 6, 1)).date(),
            us.calendar().dateFrom(1900, 6, 1));
  EXPECT_EQ(DateWheel(us, us.calendar().dateFrom(2104, 2, 29)).date(),
            us.calendar().dateFrom(2100, 2, 28));  // 2100 is no leap year
}

}  // namespace
}  // namespace tockary
