// Tick choice, the per-column reduction and the text the SVG is made of.
// Expected ticks are worked out by hand (the 1-2-5 rule on the span over the
// number of gaps); the epoch seconds come from Python's calendar.timegm.
#include "chart/chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/text.h"
#include "core/numbers.h"

namespace pyrelon::chart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The labels, or the dates, of a list of ticks.
std::vector<std::string> labelsOf(const std::vector<Tick>& ticks,
                                  std::string Tick::*field = &Tick::label) {
  std::vector<std::string> out;
  for (const auto& tick : ticks) out.push_back(tick.*field);
  return out;
}

struct TickRow {
  const char* name;
  double low, high;
  int maxCount;
  std::vector<std::string> labels;
  std::vector<std::string> dates = {};
};

TEST(ChartTicks, LinearTicksAreOneTwoFiveSteps) {
  // clang-format off
  const TickRow rows[] = {
      {"0.013 to 0.017", 0.013, 0.017, 6, {"0.013", "0.014", "0.015", "0.016", "0.017"}},
      {"0.1 to 0.3, a quotient just under 3", 0.1, 0.3, 3, {"0.1", "0.2", "0.3"}},
      {"0 to 100", 0, 100, 6, {"0", "20", "40", "60", "80", "100"}},
      {"-7 to 3 widens to whole steps", -7, 3, 6, {"-10", "-5", "0", "5"}},
      {"a single value gets room around it", 5, 5, 6, {"4.6", "4.8", "5", "5.2", "5.4"}},
      {"a single zero gets one either side", 0, 0, 5, {"-1", "-0.5", "0", "0.5", "1"}},
      {"millions written out", 1e6, 3e6, 5, {"1000000", "1500000", "2000000", "2500000", "3000000"}},
      {"very small in powers of ten", 1e-15, 3e-15, 5, {"1e-15", "1.5e-15", "2e-15", "2.5e-15", "3e-15"}},
      {"reversed ends", 100, 0, 6, {"0", "20", "40", "60", "80", "100"}},
  };
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(labelsOf(linearTicks(row.low, row.high, row.maxCount)), row.labels) << row.name;
}

TEST(ChartTicks, RangesReachTheOuterTicks) {
  // clang-format off
  const struct { const char* name; Scale scale; double low, high, shownLow, shownHigh; } rows[] = {
      {"linear, to the next thousandth", Scale::Linear, 0.0131, 0.0169, 0.013, 0.017},
      {"logarithmic, to whole decades", Scale::Log, 0.02, 30, 0.01, 100},
      // A high of zero or less on a log axis shows the low's decade.
      {"logarithmic, high zero", Scale::Log, 0.5, 0, 0.1, 1},
      {"logarithmic, high negative", Scale::Log, 0.5, -3, 0.1, 1},
      {"logarithmic, low zero, high within a decade", Scale::Log, 0, 5, 1, 10},
  };
  // clang-format on
  for (const auto& row : rows) {
    const Range range =
        row.scale == Scale::Log ? logRange(row.low, row.high) : niceRange(row.low, row.high, 6);
    EXPECT_DOUBLE_EQ(range.low, row.shownLow) << row.name;
    EXPECT_DOUBLE_EQ(range.high, row.shownHigh) << row.name;
  }
}

TEST(ChartTicks, ExtremeRangesGiveFiniteTicksAndPlainLabels) {
  // clang-format off
  const struct { const char* name; double low, high; } rows[] = {
      {"the whole double range", -1.7976931348623157e308, 1.7976931348623157e308},
      {"a narrow range far from zero", 1e17, 1e17 + 64},
      {"the largest double alone", 1.7976931348623157e308, 1.7976931348623157e308},
      {"the smallest denormal", 4.9e-324, 1e-323},
      {"not finite", kNaN, std::numeric_limits<double>::infinity()},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto ticks = linearTicks(row.low, row.high, 8);
    EXPECT_GE(ticks.size(), 1u);
    for (const auto& tick : ticks) {
      EXPECT_TRUE(std::isfinite(tick.value));
      EXPECT_EQ(tick.label.find_first_of("ni?"), std::string::npos) << tick.label;
    }
    const Range range = niceRange(row.low, row.high, 8);
    EXPECT_TRUE(std::isfinite(range.low) && std::isfinite(range.high));
    EXPECT_LE(range.low, range.high);
  }
}

TEST(ChartTicks, LogTicksAtDecadesAndTwoFiveWithin) {
  // clang-format off
  const TickRow rows[] = {
      {"two decades with 2 and 5", 0.5, 8, 12, {"0.1", "0.2", "0.5", "1", "2", "5", "10"}},
      {"four decades: decades only", 0.02, 30, 12, {"0.01", "0.1", "1", "10", "100"}},
      {"two decades, room for three ticks", 0.5, 8, 3, {"0.1", "1", "10"}},
      {"twelve decades, every fifth", 1e-6, 1e6, 5, {"0.000001", "0.1", "10000"}},
      {"a value on a decade", 1, 1, 12, {"1", "2", "5", "10"}},
      // Its logarithm, worked in doubles, comes to 5.0.
      {"a hair below a decade", 99999.99999999999, 5e5, 3, {"10000", "100000", "1000000"}},
      {"three decades, room for all ten", 1, 1000, 10,
       {"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}},
      {"three decades, room for nine", 1, 1000, 9, {"1", "10", "100", "1000"}},
  };
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(labelsOf(logTicks(row.low, row.high, row.maxCount)), row.labels) << row.name;
}

TEST(ChartTicks, TimeTicksFollowTheCalendar) {
  // The epoch seconds of the ends, in UTC, are in each row's name. Three
  // days in half days, the date where it changes: golden/time_series.svg.
  // clang-format off
  const TickRow rows[] = {
      {"37 minutes: ten-minute steps (2026-12-07 10:03 to 10:40)", 1796637780, 1796640000, 6,
       {"10:10", "10:20", "10:30", "10:40"}, {"2026-12-07", "", "", ""}},
      {"20 seconds across the new year (2026-12-31 23:59:50 to 00:00:10)", 1798761590, 1798761610, 5,
       {"23:59:50", "23:59:55", "00:00:00", "00:00:05", "00:00:10"}, {"2026-12-31", "", "2027-01-01", "", ""}},
      {"11 months: every second month (2026-01-15 to 12-15)", 1768435200, 1797292800, 6,
       {"Mar", "May", "Jul", "Sep", "Nov"}, {"2026", "", "", "", ""}},
      {"30 years: every fifth year (2000-01-01 to 2030-06-01)", 946684800, 1906502400, 8,
       {"2000", "2005", "2010", "2015", "2020", "2025", "2030"}, {"", "", "", "", "", "", ""}},
      {"a week: days (2026-12-05, a Saturday, to 12-12)", 1796428800, 1797033600, 8,
       {"Dec 5", "Dec 6", "Dec 7", "Dec 8", "Dec 9", "Dec 10", "Dec 11", "Dec 12"}, {"2026", "", "", "", "", "", "", ""}},
      {"days in the year 400 (0400-01-01 to 01-03)", -49544438400, -49544265600, 3,
       {"Jan 1", "Jan 2", "Jan 3"}, {"0400", "", ""}},
      {"before 1970 (1969-12-31 00:00 to 1970-01-01 00:00)", -86400, 0, 3,
       {"00:00", "12:00", "00:00"}, {"1969-12-31", "", "1970-01-01"}},
      {"the ends the other way round (10:40 to 10:03)", 1796640000, 1796637780, 6,
       {"10:10", "10:20", "10:30", "10:40"}, {"2026-12-07", "", "", ""}},
      {"the calendar's last second, 1e11 s in 5138 (from 1e11 - 3.15e8 s, in 5128)", 1e11 - 3.15e8,
       1e11, 8, {"5130", "5132", "5134", "5136", "5138"}, {"", "", "", "", ""}},
  };
  // clang-format on
  for (const auto& row : rows) {
    const auto ticks = timeTicks(row.low, row.high, row.maxCount);
    EXPECT_EQ(labelsOf(ticks), row.labels) << row.name;
    EXPECT_EQ(labelsOf(ticks, &Tick::date), row.dates) << row.name;
  }
}

// Past the calendar, or with an end that is no number, a time axis is
// numbered as a plain one; the calendar's own ends are in the table above.
TEST(ChartTicks, TimesPastTheCalendarAreNumberedPlainly) {
  const double nan = std::nan("");
  const double ends[][2] = {{nan, 100}, {0, nan}, {0, HUGE_VAL}, {-1.5e11, 0}, {0, 1.5e11}};
  for (const auto& [low, high] : ends) {
    const auto ticks = timeTicks(low, high, 4);
    EXPECT_EQ(labelsOf(ticks), labelsOf(linearTicks(low, high, 4))) << low << " to " << high;
    EXPECT_EQ(labelsOf(ticks, &Tick::date), std::vector<std::string>(ticks.size())) << low;
  }
}

// ---------------------------------------------------------------------------
// The per-column reduction, on a plot 600 pixels wide and 100 high.

AxisMap xOver(double low, double high) { return {Scale::Linear, low, high, 0, 600}; }
AxisMap yOver(double low, double high) { return {Scale::Linear, low, high, 100, 0}; }

TEST(ChartReduction, ASpikeOfOneRowInAMillionSurvives) {
  constexpr int kRows = 1000000;
  std::vector<double> x(kRows), y(kRows, 0.0);
  for (int i = 0; i < kRows; ++i) x[i] = i;
  // clang-format off
  const struct { const char* name; int at; double value; } rows[] = {
      {"a spike up in the middle", 500001, 1.0}, {"a dip down near the start", 3, -1.0},
      {"the very last row", kRows - 1, 1.0}, {"the very first row", 0, -1.0},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::vector<double> withSpike = y;
    withSpike[row.at] = row.value;
    const auto runs = reduceSeries(x, withSpike, xOver(0, kRows), yOver(-1, 1), 0);
    ASSERT_EQ(runs.size(), 1u) << row.name;
    const double expected = row.value > 0 ? 0.0 : 100.0;  // top or bottom of the plot
    EXPECT_TRUE(std::any_of(runs[0].begin(), runs[0].end(), [&](const PixelPoint& p) {
      return p.y == expected;
    })) << row.name;
    EXPECT_LE(runs[0].size(), 4u * 601) << row.name;
  }
}

TEST(ChartReduction, RunsBreakOnlyAtGapsAndUnorderedSeriesKeepEveryPoint) {
  // clang-format off
  const struct {
    const char* name; std::vector<double> x, y; double maxGap; Scale yScale;
    std::vector<std::size_t> runLengths;
  } rows[] = {
      {"a missing value", {0, 1, 2, 3, 4}, {1, 1, kNaN, 1, 1}, 0, Scale::Linear, {2, 2}},
      {"an infinite value", {0, 1, 2, 3, 4}, {1, 1, HUGE_VAL, 1, 1}, 0, Scale::Linear, {2, 2}},
      {"a missing time", {0, 1, kNaN, 3, 4}, {1, 1, 1, 1, 1}, 0, Scale::Linear, {2, 2}},
      {"a logger's gap wider than allowed", {0, 60, 120, 600, 660}, {1, 2, 3, 4, 5}, 120, Scale::Linear, {3, 2}},
      {"a step equal to the allowed gap joins", {0, 120, 240}, {1, 2, 3}, 120, Scale::Linear, {3}},
      {"zero on a logarithmic axis", {0, 1, 2, 3}, {1, 0, 2, 3}, 0, Scale::Log, {1, 2}},
      {"a gap at the start and the end", {0, 1, 2, 3}, {kNaN, 1, 2, kNaN}, 0, Scale::Linear, {2}},
      {"nothing usable", {0, 1}, {kNaN, kNaN}, 0, Scale::Linear, {}},
      // Five points in one pixel column, but x does not rise: none dropped.
      {"an unordered series", {0.1, 0.3, 0.2, 0.4, 0.0}, {1, 2, 3, 4, 5}, 0, Scale::Linear, {5}},
  };
  // clang-format on
  for (const auto& row : rows) {
    AxisMap ys = yOver(0.5, 10);
    ys.scale = row.yScale;
    std::vector<std::size_t> lengths;
    for (const auto& run : reduceSeries(row.x, row.y, xOver(0, 700), ys, row.maxGap))
      lengths.push_back(run.size());
    EXPECT_EQ(lengths, row.runLengths) << row.name;
  }
}

TEST(ChartReduction, KeepsFirstLowestHighestLastOfAColumnInOrder) {
  // The kept pixels' y: 100 - 10·value on a 0..10 axis.
  // clang-format off
  const struct { const char* name; std::vector<double> y, keptPixelY; } rows[] = {
      {"four points, all kept", {5, 1, 9, 3}, {50, 90, 10, 70}},
      {"a fifth point: the fourth goes", {5, 1, 9, 3, 4}, {50, 90, 10, 60}},
      {"highest before lowest keeps their order", {5, 9, 2, 1, 6}, {50, 10, 90, 40}},
      {"a flat column keeps first and last", {4, 4, 4, 4}, {60, 60}},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::vector<double> x(row.y.size());
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = 0.1 * static_cast<double>(i);  // one column
    const auto runs = reduceSeries(x, row.y, xOver(0, 600), yOver(0, 10), 0);
    ASSERT_EQ(runs.size(), 1u) << row.name;
    std::vector<double> kept;
    for (const auto& p : runs[0]) kept.push_back(p.y);
    EXPECT_EQ(kept, row.keptPixelY) << row.name;
  }
}

// ---------------------------------------------------------------------------
// Text.

TEST(ChartText, DecimalTextFromIntegers) {
  // clang-format off
  const struct { std::int64_t mantissa; int exponent; const char* expected; } rows[] = {
      {13, -3, "0.013"}, {15, 2, "1500"}, {-25, -1, "-2.5"}, {0, 7, "0"}, {10, -1, "1"},
      {13, -20, "1.3e-19"}, {5, 20, "5e20"}, {1, -12, "0.000000000001"}, {1, 12, "1000000000000"},
      {-120, 0, "-120"}, {INT64_MIN, 0, "-9.223372036854775808e18"},
  };
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(decimalText(row.mantissa, row.exponent), row.expected)
        << row.mantissa << "e" << row.exponent;
}

TEST(ChartText, FixedTextKeepsItsZeros) {
  // clang-format off
  const struct { double value; int places; const char* expected; } rows[] = {
      {0.8, 3, "0.800"}, {-5.64, 1, "-5.6"}, {-0.04, 1, "0.0"}, {925, 0, "925"},
      {1.2345, 2, "1.23"}, {0.0005, 3, "0.001"}, {-2.5, 0, "-3"}, {1e13, 2, "1e13"},
      {12.5, 9, "12.500000"},
  };
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(fixedText(row.value, row.places), row.expected) << row.value;
}

TEST(ChartText, DecimalCommaOnlyBetweenDigits) {
  // clang-format off
  const struct { const char* name; const char* text; const char* shown; } rows[] = {
      {"a legend", "dew point -0.5 \u00b0C: 0.909 %C", "dew point -0,5 \u00b0C: 0,909 %C"},
      {"exponent", "1.3e-19", "1,3e-19"},
      {"a citation's points after letters", "J. Am. Chem. Soc. 53, 1931",
       "J. Am. Chem. Soc. 53, 1931"},
      {"a sentence's end after a number", "at 850. Then", "at 850. Then"},
      {"points at both ends", ".5 and 5.", ".5 and 5."}, {"two points in a row", "1..2", "1..2"},
      {"one character", ".", "."},
      {"empty", "", ""},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(withDecimalComma(r.text), r.shown) << r.name;
}

TEST(ChartText, TenthsOfAPixel) {
  // clang-format off
  const struct { double value; const char* expected; } rows[] = {
      {12.34, "12.3"}, {12.36, "12.4"}, {-0.04, "0"}, {7, "7"},
      {-3.25, "-3.3"}, {1e300, "1000000"}, {kNaN, "-1000000"}, {-0.0, "0"},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::string out;
    appendTenths(out, row.value);
    EXPECT_EQ(out, row.expected) << row.value;
  }
}

// Text in a chart is character data an XML parser takes, and well-formed
// UTF-8 whatever it was given: each sequence at the ends of what is allowed
// stays, each just beyond becomes U+FFFD, one per byte that cannot start a
// character. (Markup, a control character and stray bytes in a title:
// golden/awkward.svg.)
TEST(ChartText, EscapingKeepsEveryCharacterAndOnlyThose) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  // clang-format off
  const struct { const char* name; std::string text, expected; } rows[] = {
      {"UTF-8 kept", "°C µ €", "°C µ €"},
      {"control characters become blanks", std::string{'a', '\x01', 'b', '\x7f'}, "a b "},
      {"tab and line ends kept", "a\tb\nc\r", "a\tb\nc\r"},
      {"a NUL", std::string("a\0b", 3), "a b"},
      {"a stray continuation byte", "a\x80z", "a" + r + "z"},
      {"a truncated sequence at the end", "a\xC3", "a" + r},
      {"a lead byte cut short", "a\xE2\x82", "a" + r + r}, {"an overlong slash", "\xC0\xAF", r + r},
      {"three bytes for U+07FF (overlong)", "\xE0\x9F\xBF", r + r + r},
      {"four bytes for U+FFFF (overlong)", "\xF0\x8F\xBF\xBF", r + r + r + r},
      {"first surrogate", "\xED\xA0\x80", r + r + r}, {"last surrogate", "\xED\xBF\xBF", r + r + r},
      {"U+FFFE is no XML character", "\xEF\xBF\xBE", r + r + r},
      {"U+FFFF is no XML character", "\xEF\xBF\xBF", r + r + r},
      {"past U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
      // The ends of each range of RFC 3629 and of the surrogates, kept.
      {"U+0080 and U+07FF", "\xC2\x80\xDF\xBF", "\xC2\x80\xDF\xBF"},
      {"U+0800 and U+D7FF", "\xE0\xA0\x80\xED\x9F\xBF", "\xE0\xA0\x80\xED\x9F\xBF"},
      {"U+E000 and U+FFFD", "\xEE\x80\x80\xEF\xBF\xBD", "\xEE\x80\x80\xEF\xBF\xBD"},
      {"U+10000 and U+10FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
       "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::string out;
    appendEscaped(out, row.text);
    EXPECT_EQ(out, row.expected) << row.name;
  }
}

TEST(ChartText, PortableLogarithmAgreesWithA40DigitOne) {
  // Expected values: Python's decimal module at 40 digits, Decimal(v).log10().
  // clang-format off
  const struct { double value, expected; } rows[] = {
      {2.0, 0.3010299956639811952}, {1000.0, 3.0}, {0.013, -1.886056647693163251},
      {5e-324, -323.3062153431158037}, {1.7976931348623157e308, 308.2547155599167439},
      {0.7071067811865476, -0.1505149978319905679}, {1.4142135623730951, 0.1505149978319906273},
      {1e-5, -5.0}, {123456.789, 5.091514977169270463},
  };
  // clang-format on
  for (const auto& row : rows) {
    const double tolerance = 4e-16 * std::max(1.0, std::abs(row.expected));
    EXPECT_NEAR(portableLog10(row.value), row.expected, tolerance) << row.value;
  }
}

// ---------------------------------------------------------------------------
// Whole charts.

TEST(ChartSvg, AMillionNoisyPointsStayUnder300KB) {
  Chart chart;
  chart.title = "noise";
  chart.series.resize(1);
  Series& series = chart.series[0];
  std::uint32_t state = 12345;  // a linear congruential generator: the same noise every run
  for (int i = 0; i < 1000000; ++i) {
    state = state * 1664525u + 1013904223u;
    series.x.push_back(i);
    series.y.push_back(static_cast<double>(state >> 8));
  }
  for (SeriesStyle style : {SeriesStyle::Line, SeriesStyle::Step, SeriesStyle::Scatter}) {
    series.style = style;
    EXPECT_LT(toSvg(chart).size(), 300u * 1024) << static_cast<int>(style);
  }
}

TEST(ChartSvg, TheValueAxisSpansASpikeBeyondAFixedRange) {
  Chart chart;
  chart.y = {"", "", Scale::Linear, 0, 1, true};
  chart.series.push_back({"s", SeriesStyle::Line, {0, 1, 2}, {0.5, 7.3, 0.5}});
  const std::string svg = toSvg(chart);
  // Step 1 on ten ticks or fewer: the axis reaches 8.
  EXPECT_NE(svg.find(">8</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">9</text>"), std::string::npos);
}

// A line shows a mark at each of its points while it has sixty or fewer,
// then none (a square of half-width 3.5 px is "h7v7h-7z").
TEST(ChartSvg, MarksOnALineOfSixtyPointsOrFewer) {
  // `lone`: points 29 and 31 missing, so that 30 stands alone between two gaps.
  const auto squares = [](int points, bool lone = false) {
    Chart chart;
    chart.series.push_back({"s", SeriesStyle::Line, {}, {}, Ink::Blue, Dash::Solid, Mark::Square});
    for (int i = 0; i < points; ++i) {
      chart.series[0].x.push_back(i);
      chart.series[0].y.push_back(lone && (i == 29 || i == 31) ? kNaN : i / 2);  // pairs share a y
    }
    const std::string svg = toSvg(chart);
    int count = 0;
    for (auto at = svg.find("h7v7h-7z"); at != std::string::npos; at = svg.find("h7v7h-7z", at + 1))
      ++count;
    return count;
  };
  const int legend = squares(61);
  EXPECT_LE(legend, 1);
  EXPECT_EQ(squares(60), legend + 60);
  EXPECT_EQ(squares(2), legend + 2);
  EXPECT_EQ(squares(63, true), legend + 1);  // a line cannot show it: its mark does
}

TEST(ChartSvg, NoNumberThatIsNotFiniteEverShows) {
  // clang-format off
  const struct { const char* name; Scale xScale; std::vector<double> x, y; } rows[] = {
      {"a time axis to the range's ends", Scale::Time, {-1e308, 0, 1e308}, {kNaN, -1e308, 1e308}},
      {"one time at the end of the range", Scale::Time, {1.7e308}, {1}},
      {"one value on a logarithmic axis", Scale::Log, {5e-324}, {5e-324}},
      {"nothing drawable", Scale::Linear, {kNaN}, {HUGE_VAL}},
  };
  // clang-format on
  for (const auto& row : rows) {
    Chart chart;
    chart.x.scale = row.xScale;
    chart.series.push_back({"s", SeriesStyle::Step, row.x, row.y});
    chart.markers.push_back({"m", {kNaN, 1}});
    chart.bands.push_back({"b", -HUGE_VAL, HUGE_VAL});
    const std::string svg = toSvg(chart);
    for (const char* word : {"nan", "NaN", "inf", "Inf"})
      EXPECT_EQ(svg.find(word), std::string::npos) << row.name << ": " << word;
  }
}

}  // namespace
}  // namespace pyrelon::chart
