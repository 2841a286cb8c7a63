// The chart's calendar back to year 0 and its log axis when the data hold
// nothing above zero. Dates are worked from the day count 0000-01-01 to
// 1970-01-01, 719528 days (proleptic Gregorian, year 0 a leap year).
#include <gtest/gtest.h>

#include <string>

#include "chart/chart.h"

namespace pyrelon::chart {
namespace {

constexpr double kDay = 86400;
constexpr double kYearZero = -719528 * kDay;  // 0000-01-01 00:00:00 UTC

TEST(Calendar, DatesBeforeTheCommonEra) {
  const struct {
    const char* name;
    double seconds;
    const char* text;
  } rows[] = {
      {"the first of year 0", kYearZero, "0000-01-01 00:00:00"},
      {"a second before it", kYearZero - 1, "-0001-12-31 23:59:59"},
      {"leap day of year 0", kYearZero + 59 * kDay, "0000-02-29 00:00:00"},
      {"the day after it", kYearZero + 60 * kDay, "0000-03-01 00:00:00"},
      {"400 years on", kYearZero + 146097 * kDay, "0400-01-01 00:00:00"},
  };
  for (const auto& r : rows) EXPECT_EQ(formatUtc(r.seconds), r.text) << r.name;
}

TEST(LogAxis, AHighOfZeroOrLessShowsTheLowsDecade) {
  const struct {
    const char* name;
    double low, high, shownLow, shownHigh;
  } rows[] = {
      {"high zero", 0.5, 0, 0.1, 1},
      {"high negative", 0.5, -3, 0.1, 1},
      {"low zero, high within a decade", 0, 5, 1, 10},
  };
  for (const auto& r : rows) {
    const Range range = logRange(r.low, r.high);
    EXPECT_DOUBLE_EQ(range.low, r.shownLow) << r.name;
    EXPECT_DOUBLE_EQ(range.high, r.shownHigh) << r.name;
  }
}

}  // namespace
}  // namespace pyrelon::chart
