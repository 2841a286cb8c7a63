// The chart module at its edges: the calendar back to year 0, a log axis
// given points it cannot show, empty charts, and ids made safe for a page.
// Dates are worked from the day count 0000-01-01 to 1970-01-01, 719528 days
// (proleptic Gregorian, year 0 a leap year).
#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart.h"

namespace pyrelon::chart {
namespace {

// A chart of one line, named `label`, through the points (x[i], y[i]).
Chart oneLine(std::vector<double> x, std::vector<double> y, std::string label = "s") {
  Chart chart;
  chart.series.push_back({std::move(label), SeriesStyle::Line, std::move(x), std::move(y)});
  return chart;
}

constexpr double kDay = 86400;
constexpr double kYearZero = -719528 * kDay;  // 0000-01-01 00:00:00 UTC

// formatUtc works without the C library, back before the common era; the
// epoch seconds after 1970 come from Python's calendar.timegm.
int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(Calendar, FormatUtcFromYearZeroOn) {
  // clang-format off
  const struct { const char* name; double seconds; const char* text; } rows[] = {
      {"the epoch", 0, "1970-01-01 00:00:00"},
      {"rounded down to the second", 1796637780.9, "2026-12-07 10:03:00"},
      {"a leap day", 951782400, "2000-02-29 00:00:00"},
      {"a second before the epoch", -1, "1969-12-31 23:59:59"},
      {"the first of year 0", kYearZero, "0000-01-01 00:00:00"},
      {"a second before it", kYearZero - 1, "-0001-12-31 23:59:59"},
      {"leap day of year 0", kYearZero + 59 * kDay, "0000-02-29 00:00:00"},
      {"the day after it", kYearZero + 60 * kDay, "0000-03-01 00:00:00"},
      {"400 years on", kYearZero + 146097 * kDay, "0400-01-01 00:00:00"},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(formatUtc(r.seconds), r.text) << r.name;
}

// Ticks a week apart fall on Mondays (1970-01-05 was one), whatever day the
// data start on.
TEST(Calendar, WeeklyTicksFallOnMondays) {
  // clang-format off
  const struct { const char* name; double low, high; } rows[] = {
      {"from a Sunday, 2026-11-01 to 12-31", 20758 * kDay, 20818 * kDay},
      {"from a Thursday (as 1970-01-01 was), 2026-11-05 to 2027-01-04", 20762 * kDay, 20822 * kDay},
  };
  // clang-format on
  for (const auto& r : rows) {
    const auto ticks = timeTicks(r.low, r.high, 10);
    ASSERT_GE(ticks.size(), 2u) << r.name;
    EXPECT_DOUBLE_EQ(ticks[1].value - ticks[0].value, 7 * kDay) << r.name;
    for (const Tick& tick : ticks) {
      const auto day = static_cast<long long>(tick.value / kDay);
      EXPECT_EQ(((day - 4) % 7 + 7) % 7, 0) << r.name << ": day " << day;
    }
  }
}

// Monthly and yearly ticks stand at midnight on the first of their month
// or year; the first of each is worked from the day count by hand.
TEST(Calendar, MonthsAndYearsStartAtTheirFirstDay) {
  // clang-format off
  const struct {
    const char* name; double lowDay, highDay; int maxCount;
    double firstDay; std::size_t from; const char* end;  // formatUtc's text from `from` on
  } rows[] = {
      {"months, 2026-01-15 to 12-15: from 2026-02-01", 20468, 20802, 12, 20485, 7, "-01 00:00:00"},
      {"years, 2000-03-10 to 2031-07-01: from 2005-01-01", 11026, 22461, 8, 12784, 4,
       "-01-01 00:00:00"},
  };
  // clang-format on
  for (const auto& r : rows) {
    const auto ticks = timeTicks(r.lowDay * kDay, r.highDay * kDay, r.maxCount);
    ASSERT_GE(ticks.size(), 2u) << r.name;
    EXPECT_DOUBLE_EQ(ticks[0].value, r.firstDay * kDay) << r.name;
    for (const Tick& tick : ticks) EXPECT_EQ(formatUtc(tick.value).substr(r.from), r.end) << r.name;
  }
}

// A point a log axis cannot show (zero or below) widens neither axis: here
// the horizontal one spans 0 to 1 (ticks every 0.2), not out to 8.
TEST(LogAxis, APointItCannotShowWidensNeitherAxis) {
  for (const double unusable : {0.0, -1.0}) {
    Chart chart = oneLine({0, 1, 8}, {1, 2, unusable});
    chart.y.scale = Scale::Log;
    const std::string svg = toSvg(chart);
    EXPECT_NE(svg.find(">0.2</text>"), std::string::npos) << unusable;
    EXPECT_EQ(svg.find(">8</text>"), std::string::npos) << unusable;
  }
}

// A document of no charts is still a whole one: its title, its
// description, a white ground.
TEST(ChartDocument, OfNoChartsIsWellFormed) {
  const std::string svg = toSvg(std::vector<Chart>{}, "none", "No charts", "Nothing to draw.");
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  EXPECT_NE(svg.find("<title id=\"none-title\">No charts</title>"), std::string::npos);
  EXPECT_NE(svg.find("<desc id=\"none-desc\">Nothing to draw.</desc>"), std::string::npos);
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

// A legend entry wider than the chart starts the legend's first row; it
// adds no empty row above itself, so the drawing is the one a short label
// gives, the label aside.
TEST(Legend, AnEntryWiderThanTheChartTakesTheFirstRow) {
  const auto drawn = [](const std::string& label) { return toSvg(oneLine({0, 1}, {0, 1}, label)); };
  const std::string wide(200, 'W');
  std::string svg = drawn(wide);
  for (std::size_t at = svg.find(wide); at != std::string::npos; at = svg.find(wide, at))
    svg.replace(at, wide.size(), "s");
  EXPECT_EQ(svg, drawn("s"));
}

// A note at the right end of the plot is written to the left of its dot,
// ending 6 px before it; elsewhere it starts 6 px after it.
TEST(Annotation, NearTheRightEndItEndsBeforeItsDot) {
  for (const bool atTheEnd : {true, false}) {
    Chart chart = oneLine({0, 10}, {0, 1});
    chart.annotations.push_back({"a note", {atTheEnd ? 10.0 : 0.0, 0.5}});
    const std::string svg = toSvg(chart);
    // The dot: a circle of radius 2 drawn from its left end, "M{x-2} {y}a2 2".
    const std::size_t dot = svg.find("a2 2 0 1 0 4 0");
    ASSERT_NE(dot, std::string::npos);
    double dotLeft = 0, textX = 0;
    std::from_chars(svg.data() + svg.rfind('M', dot) + 1, svg.data() + dot, dotLeft);
    const std::size_t text = svg.find("<text x=\"", dot) + 9;
    std::from_chars(svg.data() + text, svg.data() + svg.size(), textX);
    EXPECT_DOUBLE_EQ(textX, atTheEnd ? dotLeft + 2 - 6 : dotLeft + 2 + 6) << atTheEnd;
    const std::string tag = svg.substr(text, svg.find('>', text) - text);
    EXPECT_EQ(tag.find("text-anchor=\"end\"") != std::string::npos, atTheEnd) << tag;
  }
}

// Without a point an axis spans 0 to 1, or 1 to 10 when logarithmic; a
// single point is no empty range: its axes get room around it.
TEST(EmptyChart, SpansZeroToOneOrOneToTen) {
  // clang-format off
  const struct {
    const char* name; Scale scale; std::vector<double> point;
    std::vector<std::string> ticks, absent;
  } rows[] = {
      {"linear", Scale::Linear, {}, {">0</text>", ">0.2</text>", ">1</text>"}, {">0.92</text>"}},
      {"logarithmic", Scale::Log, {}, {">1</text>", ">10</text>"}, {">0.1</text>", ">100</text>"}},
      {"one point", Scale::Linear, {5}, {">4.8</text>", ">5.2</text>"}, {">0.2</text>"}},
  };
  // clang-format on
  for (const auto& r : rows) {
    Chart chart = r.point.empty() ? Chart{} : oneLine(r.point, r.point);
    chart.x.scale = r.scale;
    chart.y.scale = r.scale;
    const std::string svg = toSvg(chart);
    // Once on each axis.
    for (const std::string& tick : r.ticks) EXPECT_EQ(count(svg, tick), 2) << r.name << " " << tick;
    for (const std::string& tick : r.absent)
      EXPECT_EQ(svg.find(tick), std::string::npos) << r.name << " " << tick;
  }
}

// A chart's id prefixes the ids inside its SVG (its title's, "ID-title"): letters,
// digits, '-' and '_' stay, anything else becomes '-', and an id that does
// not start with a letter gets "chart-" in front (golden/awkward.svg: a digit
// first, a space and a quote).
TEST(ChartIds, AreSafeInAPage) {
  // clang-format off
  const struct { const char* name; const char* id; const char* written; } rows[] = {
      {"first lower-case letter", "a0", "a0"}, {"last lower-case letter", "z9", "z9"},
      {"first capital", "A_b", "A_b"}, {"last capital", "Z-y", "Z-y"},
      {"the character after z", "{a", "chart--a"}, {"the character before a", "`a", "chart--a"},
      {"the characters around the capitals and digits", "a@[/:", "a----"}, {"empty", "", "chart-"},
  };
  // clang-format on
  for (const auto& r : rows) {
    Chart chart;
    chart.id = r.id;
    EXPECT_NE(toSvg(chart).find(std::string("id=\"") + r.written + "-title\""), std::string::npos)
        << r.name;
  }
}

}  // namespace
}  // namespace pyrelon::chart
