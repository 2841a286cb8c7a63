// Charts as data, drawn as SVG text. Every face shows the same bytes: the
// window renders them with Qt SVG, the page inlines them, the command line
// writes them to a file. Nothing here knows a toolkit or the browser.
//
// A chart is a plot area with a value axis (y: linear or logarithmic) and a
// horizontal axis (x: linear, logarithmic or time), holding series (line,
// scatter, step), horizontal bands (a limit band), filled regions (a phase
// field), markers (the current point) and annotations, with a title, a
// legend and a text description for screen readers.
//
// What always holds for the SVG written:
//   - a standalone document: <svg xmlns=… role="img" aria-labelledby=…>
//     with <title> as its first child and a <desc> beside it; every text
//     XML-escaped; each series a group labelled with its name;
//   - numbers written from integers (coordinates in tenths of a pixel), never
//     through the C library's locale; the same chart gives the same bytes;
//   - both axes span every value drawn, so no point falls outside the plot;
//   - a series of more points than the plot has pixel columns keeps, per
//     column, its first, lowest, highest and last point, so the file stays
//     small (a few tens of KB at the default size) and a single outlier in a
//     million still shows;
//   - a missing value (NaN, infinity, or on a logarithmic axis a value that
//     is not positive) and a step in x wider than the series' `maxGap` break
//     a line: the two sides are never joined.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pyrelon::chart {

// The window's palette (the colours its captions and drawing use), and grey
// for fills and grid. Series are told apart in grey print by their dash
// pattern and marker as well.
enum class Ink { Blue, Red, Magenta, LineRed, Black, Grey };

// "#0000ff" and so on: the colour an ink is drawn in.
std::string_view colourOf(Ink ink);

enum class Scale {
  Linear,
  Log,   // decades; values that are not positive are missing
  Time,  // seconds since 1970-01-01T00:00:00Z; calendar ticks in UTC
};

struct Axis {
  std::string label;  // "Carbon potential"
  std::string unit;   // "%C"; shown as "label (unit)" when not empty
  Scale scale = Scale::Linear;
  // A range the axis shows at least; it still widens to every value drawn.
  // Ignored when not finite or when low > high.
  double low = 0;
  double high = 0;
  bool fixedRange = false;
};

enum class SeriesStyle { Line, Scatter, Step };

enum class Dash { Solid, Dashed, Dotted, DashDot, LongDash };
enum class Mark { None, Circle, Square, Triangle, Diamond, Cross };

struct Series {
  std::string label;  // legend entry and the group's accessible name
  SeriesStyle style = SeriesStyle::Line;
  std::vector<double> x;  // as many as y; extra values of the longer one are ignored
  std::vector<double> y;
  Ink ink = Ink::Blue;
  Dash dash = Dash::Solid;
  Mark mark = Mark::None;  // drawn at each point kept (scatter: Circle when None)
  // A step between consecutive x values wider than this breaks the line (a
  // logger's gap); 0 or less: no such break.
  double maxGap = 0;
};

// A horizontal band of the value axis between `low` and `high` (a limit band).
struct Band {
  std::string label;
  double low = 0;
  double high = 0;
  Ink ink = Ink::Grey;
};

struct Point {
  double x = 0;
  double y = 0;
};

// A filled polygon in data coordinates (a phase field), with its name
// written at `labelAt` when `showLabel` is set.
struct Region {
  std::string label;
  std::vector<Point> polygon;
  Ink ink = Ink::Grey;
  bool showLabel = true;
  Point labelAt{};
};

// A point singled out (the current reading): a ring with a cross, in the legend.
struct Marker {
  std::string label;
  Point at{};
  Ink ink = Ink::Black;
};

// A short text at a data point, with a small dot there.
struct Annotation {
  std::string text;
  Point at{};
};

struct Chart {
  std::string id = "chart";  // prefix of the element ids; unique on a page
  std::string title;
  std::string description;  // the <desc>: what the chart shows, in a sentence or two
  Axis x;
  Axis y;
  std::vector<Series> series;
  std::vector<Band> bands;
  std::vector<Region> regions;
  std::vector<Marker> markers;
  std::vector<Annotation> annotations;
  int width = 720;   // pixels; at least 240
  int height = 450;  // pixels; at least 180
  // Where the reader writes a decimal comma, every number in the chart's
  // texts (ticks, legend, notes, title) is shown with one: "0,909 %C". A
  // point there would read as a thousands separator: "1.021" as 1021.
  bool decimalComma = false;
};

// The SVG document of a chart. Any chart, however strange its numbers or
// texts, gives a well-formed document without NaN or infinity in it.
std::string toSvg(const Chart& chart);

// Several charts stacked from the top down in one document (a tool that
// shows two views of one reading), each a group with its own title and
// description inside the document's; their ids must differ. One chart
// alone gives toSvg(chart).
std::string toSvg(const std::vector<Chart>& charts, std::string_view id, std::string_view title,
                  std::string_view description);

// ---------------------------------------------------------------------------
// The pieces, exposed for their tests.

struct Tick {
  double value = 0;
  std::string label;  // "0.014", "12:30", "Dec 7"
  std::string date;   // time axes: the date under the tick where it changes; else empty
};

// Ticks on a linear axis at multiples of 1, 2 or 5 times a power of ten, at
// most `maxCount` of them (at least 2 asked), inside [low, high] after the
// range is widened to the outer ticks by niceRange.
//   linearTicks(0.013, 0.017, 6) -> 0.013 0.014 0.015 0.016 0.017
std::vector<Tick> linearTicks(double low, double high, int maxCount);

// The range a linear axis shows: [low, high] widened to the nearest ticks
// outside it (a single value gets a range around it).
struct Range {
  double low = 0;
  double high = 1;
};
Range niceRange(double low, double high, int maxCount);

// A logarithmic axis: the range widened to whole decades, ticks at each
// decade (every second, fifth … decade when more than `maxCount` would
// show), and at 2 and 5 times it when the range spans three decades or less
// and they fit within `maxCount`.
//   logTicks(0.5, 8, 12) -> 0.1 0.2 0.5 1 2 5 10
//   logTicks(0.02, 30, 12) -> 0.01 0.1 1 10 100 (four decades)
Range logRange(double low, double high);
std::vector<Tick> logTicks(double low, double high, int maxCount);

// Calendar ticks for a time axis (seconds since the epoch, UTC): the
// smallest step among 1, 2, 5, 10, 15, 30 s; 1, 2, 5, 10, 15, 30 min; 1, 2,
// 3, 6, 12 h; 1, 2, 7 days; 1, 2, 3, 6 months; 1, 2, 5 … years that gives at
// most `maxCount` ticks within [low, high]. Labels "HH:MM:SS" below a
// minute, "HH:MM" below a day, "Dec 7" for days, "Dec" for months, "2026"
// for years; `date` holds "2026-12-07" (days: "2026") at the first tick and
// wherever it differs from the tick before.
// Times within ±1e11 s (the year 5138) are on the calendar, the ends
// included; a range reaching beyond is numbered as a plain axis is.
std::vector<Tick> timeTicks(double low, double high, int maxCount);

// "2026-12-07 11:39:25" for a time in seconds since the epoch (UTC),
// without the C library; whole seconds, rounded down.
std::string formatUtc(double seconds);

// The per-column reduction of one series, in pixel space: the points of
// each run (a run ends at a missing value or a gap in x wider than maxGap)
// mapped by the callers' scales to pixel x, and, where a run has more than
// one point in a pixel column, only the first, lowest, highest and last of
// them kept in their order. Returns the runs, each a list of pixel points.
// Series whose x does not rise are not reduced (every point kept).
struct PixelPoint {
  double x;
  double y;
};
struct AxisMap {
  Scale scale = Scale::Linear;
  double low = 0, high = 1;  // data range
  double from = 0, to = 1;   // pixel range (to < from for the value axis)
  // The pixel of a usable value; the middle of the pixel range where the
  // data range is a single value.
  double pixel(double value) const;
  bool usable(double value) const;  // finite, and positive on a log axis
};
std::vector<std::vector<PixelPoint>> reduceSeries(const std::vector<double>& x,
                                                  const std::vector<double>& y, const AxisMap& xs,
                                                  const AxisMap& ys, double maxGap);

}  // namespace pyrelon::chart
