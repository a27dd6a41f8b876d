#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/format/number_text.h"

namespace tockary {
namespace {

struct TypedNumber {
  const char* text;
  double value;
};

TEST(ParseTypedNumberTest, ReadsTheWholeTextOrGivesZero) {
  const TypedNumber table[] = {
      // Point first, then comma; the same price either way.
      TypedNumber{"12.5", 12.5}, TypedNumber{"12,5", 12.5}, TypedNumber{"1200", 1200},
      TypedNumber{" 40.5 ", 40.5}, TypedNumber{"-3", -3}, TypedNumber{"+3", 3},
      TypedNumber{".5", 0.5}, TypedNumber{",5", 0.5}, TypedNumber{"5.", 5}, TypedNumber{"007", 7},
      // A lone separator is always decimal, never grouping.
      TypedNumber{"1,200", 1.2}, TypedNumber{"1.200", 1.2},
      // Grouping: blanks always, the other separator only beside a decimal one.
      TypedNumber{"1 200.50", 1200.5}, TypedNumber{"1 200,50", 1200.5},
      TypedNumber{"1\u00A0200,50", 1200.5}, TypedNumber{"1\u202F234\u202F567", 1234567},
      TypedNumber{"1,200.50", 1200.5}, TypedNumber{"1.200,50", 1200.5},
      TypedNumber{"-1,234,567.25", -1234567.25},
      // Not one number: 0.
      TypedNumber{"", 0}, TypedNumber{"   ", 0}, TypedNumber{"abc", 0}, TypedNumber{"40 mm", 0},
      TypedNumber{"12 5", 0}, TypedNumber{"1 2000", 0}, TypedNumber{"1,2.5", 0},
      TypedNumber{"1.2.3", 0}, TypedNumber{"1,,5", 0}, TypedNumber{"1 200,000.5", 0},
      TypedNumber{".", 0}, TypedNumber{"-", 0}, TypedNumber{"--5", 0}, TypedNumber{"1e3", 0},
      TypedNumber{"inf", 0}, TypedNumber{"nan", 0}, TypedNumber{"0x10", 0}, TypedNumber{"$12", 0},
      TypedNumber{"12€", 0}};
  for (const TypedNumber& row : table) {
    EXPECT_DOUBLE_EQ(parseTypedNumber(row.text), row.value) << "text: \"" << row.text << "\"";
  }
}

TEST(ParseTypedNumberTest, OutOfRangeAndNegativeZero) {
  EXPECT_EQ(parseTypedNumber("1" + std::string(400, '0')), 0.0);
  const double zero = parseTypedNumber("-0");
  EXPECT_EQ(zero, 0.0);
  EXPECT_FALSE(std::signbit(zero));
}

TEST(ParseTypedNumberTest, IgnoresTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  EXPECT_DOUBLE_EQ(parseTypedNumber("12.5"), 12.5);
  EXPECT_EQ(formatOneDecimal(12.25), "12.2");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatOneDecimalTest, WritesNonFiniteValuesWithoutASign) {
  EXPECT_EQ(formatOneDecimal(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(formatOneDecimal(-std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(formatOneDecimal(std::copysign(std::nan(""), -1.0)), "nan");
  EXPECT_EQ(formatOneDecimal(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(formatOneDecimal(-std::numeric_limits<double>::infinity()), "-inf");
  // A wear rate over a failed total: count / 0 * 100.
  const double total = 0;
  EXPECT_EQ(formatOneDecimal(5 / total * 100), "inf");
}

TEST(FormatOneDecimalTest, RoundsTheStoredBinaryValueAsPrintfDoes) {
  EXPECT_EQ(formatOneDecimal(0), "0.0");
  EXPECT_EQ(formatOneDecimal(-0.0), "-0.0");
  EXPECT_EQ(formatOneDecimal(0.05), "0.1");     // 0.05000000000000000277
  EXPECT_EQ(formatOneDecimal(0.25), "0.2");     // exact tie: to even
  EXPECT_EQ(formatOneDecimal(0.35), "0.3");     // 0.34999999999999997780
  EXPECT_EQ(formatOneDecimal(99.95), "100.0");  // 99.95000000000000284
  EXPECT_EQ(formatOneDecimal(-2.46), "-2.5");
  EXPECT_EQ(formatOneDecimal(-0.04), "-0.0");
  EXPECT_EQ(formatOneDecimal(100.0 / 3.0), "33.3");
  EXPECT_EQ(formatOneDecimal(1234567.0), "1234567.0");
  EXPECT_EQ(formatOneDecimal(std::numeric_limits<double>::max()).size(), 311u);
}

TEST(FormatOneDecimalTest, MatchesPrintfInTheCLocale) {
  for (int i = -20000; i <= 20000; ++i) {
    const double value = i / 400.0 + i * 1e-7;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.1f", value);
    ASSERT_EQ(formatOneDecimal(value), expected) << value;
  }
}

}  // namespace
}  // namespace tockary
