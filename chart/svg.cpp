// The SVG writer: layout, axes, the per-column reduction and the drawing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "chart/chart.h"
#include "chart/text.h"
#include "core/numbers.h"

namespace pyrelon::chart {

std::string_view colourOf(Ink ink) {
  switch (ink) {
    case Ink::Blue: return "#0000ff";
    case Ink::Red: return "#ff0000";
    case Ink::Magenta: return "#c000c0";
    case Ink::LineRed: return "#c00000";
    case Ink::Black: return "#000000";
    case Ink::Grey: break;
  }
  return "#808080";
}

bool AxisMap::usable(double value) const {
  return std::isfinite(value) && (scale != Scale::Log || value > 0);
}

double AxisMap::pixel(double value) const {
  double t = 0;
  if (scale == Scale::Log) {
    const double lowLog = portableLog10(low);
    t = (portableLog10(value) - lowLog) / (portableLog10(high) - lowLog);
  } else {
    // Halves, so that a span across the whole double range stays finite.
    t = (value * 0.5 - low * 0.5) / (high * 0.5 - low * 0.5);
  }
  // A range of one value (a single time at the end of the double range,
  // where widening it changes nothing) puts its points in the middle.
  if (!std::isfinite(t)) t = 0.5;
  return from + t * (to - from);
}

std::vector<std::vector<PixelPoint>> reduceSeries(const std::vector<double>& x,
                                                  const std::vector<double>& y, const AxisMap& xs,
                                                  const AxisMap& ys, double maxGap) {
  const std::size_t count = std::min(x.size(), y.size());
  bool rising = true;
  double previous = -HUGE_VAL;
  for (std::size_t i = 0; i < count && rising; ++i) {
    if (!xs.usable(x[i]) || !ys.usable(y[i])) continue;
    rising = x[i] >= previous;
    previous = x[i];
  }
  const bool gaps = maxGap > 0 && std::isfinite(maxGap);

  std::vector<std::vector<PixelPoint>> runs;
  std::vector<PixelPoint> run;
  // The points of the current pixel column: first, lowest, highest, last
  // (indices into the series, so that they are written in their order).
  struct Column {
    std::int64_t pixel = INT64_MIN;
    std::size_t first = 0, lowest = 0, highest = 0, last = 0;
    PixelPoint firstAt{}, lowestAt{}, highestAt{}, lastAt{};
    bool open = false;
  } column;
  auto flush = [&] {
    if (!column.open) return;
    struct Kept {
      std::size_t index;
      PixelPoint at;
    };
    Kept kept[4] = {{column.first, column.firstAt},
                    {column.lowest, column.lowestAt},
                    {column.highest, column.highestAt},
                    {column.last, column.lastAt}};
    std::sort(kept, kept + 4, [](const Kept& a, const Kept& b) { return a.index < b.index; });
    for (int k = 0; k < 4; ++k) {
      if (k > 0 && kept[k].index == kept[k - 1].index) continue;
      run.push_back(kept[k].at);
    }
    column.open = false;
  };
  auto endRun = [&] {
    flush();
    if (!run.empty()) runs.push_back(std::move(run));
    run.clear();
  };

  double lastX = 0;
  bool haveLast = false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!xs.usable(x[i]) || !ys.usable(y[i])) {
      endRun();
      haveLast = false;
      continue;
    }
    if (gaps && haveLast && std::abs(x[i] - lastX) > maxGap) endRun();
    lastX = x[i];
    haveLast = true;
    const PixelPoint at{xs.pixel(x[i]), ys.pixel(y[i])};
    if (!rising) {
      run.push_back(at);
      continue;
    }
    const auto pixel = static_cast<std::int64_t>(std::floor(std::clamp(at.x, -1e9, 1e9)));
    if (!column.open || pixel != column.pixel) {
      flush();
      column = {pixel, i, i, i, i, at, at, at, at, true};
      continue;
    }
    if (at.y < column.lowestAt.y) {
      column.lowest = i;
      column.lowestAt = at;
    }
    if (at.y > column.highestAt.y) {
      column.highest = i;
      column.highestAt = at;
    }
    column.last = i;
    column.lastAt = at;
  }
  endRun();
  return runs;
}

namespace {

constexpr std::string_view kFont = "Arial, 'Liberation Sans', sans-serif";
constexpr int kTickFont = 12;
constexpr int kLabelFont = 13;
constexpr int kTitleFont = 16;
constexpr int kLegendFont = 12;
// The end of a text element's opening tag that draws it as a white outline.
constexpr std::string_view kHalo =
    " stroke=\"#ffffff\" stroke-width=\"4\" stroke-linejoin=\"round\" aria-hidden=\"true\">";

std::string_view dashArray(Dash dash) {
  switch (dash) {
    case Dash::Solid: break;
    case Dash::Dashed: return "8 4";
    case Dash::Dotted: return "2 3";
    case Dash::DashDot: return "8 3 2 3";
    case Dash::LongDash: return "14 4";
  }
  return "";
}

std::string safeId(std::string_view id) {
  std::string out;
  for (char c : id) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_';
    out += keep ? c : '-';
  }
  if (out.empty() || !((out[0] >= 'a' && out[0] <= 'z') || (out[0] >= 'A' && out[0] <= 'Z'))) {
    out.insert(0, "chart-");
  }
  return out;
}

std::string axisTitle(const Axis& axis) {
  if (axis.unit.empty()) return axis.label;
  if (axis.label.empty()) return axis.unit;
  return axis.label + " (" + axis.unit + ")";
}

// The smallest and largest usable value of an axis over everything drawn.
struct Extent {
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  void add(double value, Scale scale) {
    if (!std::isfinite(value) || (scale == Scale::Log && !(value > 0))) return;
    low = std::min(low, value);
    high = std::max(high, value);
  }
  bool empty() const { return low > high; }
};

struct Layout {
  double left, right, top, bottom;
};

// Rough text width at a font size: Arial averages about 0.55 em a character.
double textWidth(std::string_view text, int fontSize) {
  std::size_t characters = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++characters;
  }
  return static_cast<double>(characters) * fontSize * 0.55;
}

// Appends to the document. A piece is a pattern whose '%' stand for
// numbers (written in tenths), '$' for texts as they are and '^' for texts
// escaped, with a decimal comma in their numbers where the chart asks for
// one: one call per element.
class Writer {
 public:
  Writer(std::string& out, bool decimalComma) : out_(out), decimalComma_(decimalComma) {}
  Writer& put(std::string_view pattern, std::initializer_list<double> numbers = {},
              std::initializer_list<std::string_view> texts = {}) {
    const double* number = numbers.begin();
    const std::string_view* text = texts.begin();
    std::size_t from = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      const char c = pattern[i];
      if (c != '%' && c != '$' && c != '^') continue;
      out_.append(pattern.substr(from, i - from));
      from = i + 1;
      if (c == '%') {
        appendTenths(out_, number != numbers.end() ? *number++ : 0);
      } else if (text != texts.end()) {
        if (c == '$') {
          out_ += *text;
        } else if (decimalComma_) {
          appendEscaped(out_, withDecimalComma(*text));
        } else {
          appendEscaped(out_, *text);
        }
        ++text;
      }
    }
    out_.append(pattern.substr(from));
    return *this;
  }

 private:
  std::string& out_;
  bool decimalComma_;
};

void writeMark(Writer& w, Mark mark, PixelPoint at, double r) {
  const double x = at.x, y = at.y;
  switch (mark) {
    case Mark::None: return;
    case Mark::Circle:
      w.put("M% %a% % 0 1 0 % 0a% % 0 1 0 % 0", {x - r, y, r, r, 2 * r, r, r, -2 * r});
      return;
    case Mark::Square: w.put("M% %h%v%h%z", {x - r, y - r, 2 * r, 2 * r, -2 * r}); return;
    case Mark::Triangle:
      w.put("M% %L% %H%z", {x, y - r * 1.2, x + r * 1.1, y + r * 0.8, x - r * 1.1});
      return;
    case Mark::Diamond:
      w.put("M% %L% %L% %L% %z", {x, y - r * 1.3, x + r, y, x, y + r * 1.3, x - r, y});
      return;
    case Mark::Cross:
      w.put("M% %L% %M% %L% %", {x - r, y - r, x + r, y + r, x - r, y + r, x + r, y - r});
      return;
  }
}

bool filledMark(Mark mark) { return mark != Mark::Cross; }

void strokeAttributes(Writer& w, const Series& series) {
  w.put(" stroke=\"$\"", {}, {colourOf(series.ink)});
  const auto dash = dashArray(series.dash);
  if (!dash.empty()) w.put(" stroke-dasharray=\"$\"", {}, {dash});
}

// Marks on a line are drawn only while they stay few enough to read.
constexpr std::size_t kMostMarksOnALine = 60;

void writeSeries(Writer& w, const Series& series, const AxisMap& xs, const AxisMap& ys) {
  const auto runs = reduceSeries(series.x, series.y, xs, ys, series.maxGap);
  w.put("<g aria-label=\"^\"><title>^</title>", {}, {series.label, series.label});
  std::size_t kept = 0;
  for (const auto& run : runs) kept += run.size();
  if (series.style != SeriesStyle::Scatter) {
    w.put("<path fill=\"none\" stroke-width=\"2\" stroke-linejoin=\"round\"");
    strokeAttributes(w, series);
    w.put(" d=\"");
    for (const auto& run : runs) {
      if (run.size() < 2) continue;
      w.put("M% %", {run[0].x, run[0].y});
      for (std::size_t i = 1; i < run.size(); ++i) {
        w.put(series.style == SeriesStyle::Step ? "H%V%" : "L% %", {run[i].x, run[i].y});
      }
    }
    w.put("\"/>");
  }
  // Points: every point of a scatter; the marks of a short line; and a
  // point standing alone between two gaps, which a line cannot show.
  const Mark mark = series.style == SeriesStyle::Scatter && series.mark == Mark::None ? Mark::Circle
                                                                                      : series.mark;
  const bool allMarks =
      mark != Mark::None && (series.style == SeriesStyle::Scatter || kept <= kMostMarksOnALine);
  const std::string_view ink = colourOf(series.ink);
  w.put("<path stroke-width=\"1.5\" stroke=\"$\" fill=\"$\" d=\"", {},
        {ink, filledMark(mark) ? ink : "none"});
  std::int64_t lastX = INT64_MIN, lastY = INT64_MIN;
  for (const auto& run : runs) {
    for (const auto& at : run) {
      if (!allMarks && run.size() > 1) break;
      // A scatter of many points repeats pixels: one mark per tenth of a pixel.
      const auto tx = static_cast<std::int64_t>(std::llround(std::clamp(at.x, -1e6, 1e6) * 10));
      const auto ty = static_cast<std::int64_t>(std::llround(std::clamp(at.y, -1e6, 1e6) * 10));
      if (tx == lastX && ty == lastY) continue;
      lastX = tx;
      lastY = ty;
      writeMark(w, mark == Mark::None ? Mark::Circle : mark, at, mark == Mark::None ? 2.0 : 3.5);
    }
  }
  w.put("\"/></g>\n");
}

struct LegendEntry {
  enum class Kind { Series, Swatch, Marker } kind;
  const Series* series = nullptr;
  std::string_view label;
  Ink ink = Ink::Grey;
};

}  // namespace

namespace {

// One chart: a whole document, or (inside a stack) a group moved down by
// `top` pixels that carries the same accessible title and description.
void writeChart(std::string& out, const Chart& chart, bool standalone, int top) {
  const int width = std::max(chart.width, 240);
  const int height = std::max(chart.height, 180);
  const std::string id = safeId(chart.id);

  // Everything drawn decides the ranges.
  Extent xe, ye;
  for (const auto& series : chart.series) {
    const std::size_t count = std::min(series.x.size(), series.y.size());
    for (std::size_t i = 0; i < count; ++i) {
      const bool xOk =
          std::isfinite(series.x[i]) && (chart.x.scale != Scale::Log || series.x[i] > 0);
      const bool yOk =
          std::isfinite(series.y[i]) && (chart.y.scale != Scale::Log || series.y[i] > 0);
      if (!xOk || !yOk) continue;
      xe.add(series.x[i], chart.x.scale);
      ye.add(series.y[i], chart.y.scale);
    }
  }
  for (const auto& band : chart.bands) {
    ye.add(band.low, chart.y.scale);
    ye.add(band.high, chart.y.scale);
  }
  for (const auto& region : chart.regions) {
    for (const auto& p : region.polygon) {
      xe.add(p.x, chart.x.scale);
      ye.add(p.y, chart.y.scale);
    }
  }
  for (const auto& marker : chart.markers) {
    xe.add(marker.at.x, chart.x.scale);
    ye.add(marker.at.y, chart.y.scale);
  }
  for (const auto& note : chart.annotations) {
    xe.add(note.at.x, chart.x.scale);
    ye.add(note.at.y, chart.y.scale);
  }
  for (const auto* axis : {&chart.x, &chart.y}) {
    if (!axis->fixedRange || !(axis->low <= axis->high)) continue;
    Extent& e = axis == &chart.x ? xe : ye;
    e.add(axis->low, axis->scale);
    e.add(axis->high, axis->scale);
  }
  if (xe.empty())
    xe = {chart.x.scale == Scale::Log ? 1.0 : 0.0, chart.x.scale == Scale::Log ? 10.0 : 1.0};
  if (ye.empty())
    ye = {chart.y.scale == Scale::Log ? 1.0 : 0.0, chart.y.scale == Scale::Log ? 10.0 : 1.0};

  // Legend entries, laid out in rows under the axis title.
  std::vector<LegendEntry> legend;
  for (const auto& series : chart.series) {
    if (!series.label.empty())
      legend.push_back({LegendEntry::Kind::Series, &series, series.label, series.ink});
  }
  for (const auto& band : chart.bands) {
    if (!band.label.empty())
      legend.push_back({LegendEntry::Kind::Swatch, nullptr, band.label, band.ink});
  }
  for (const auto& region : chart.regions) {
    if (!region.label.empty())
      legend.push_back({LegendEntry::Kind::Swatch, nullptr, region.label, region.ink});
  }
  for (const auto& marker : chart.markers) {
    if (!marker.label.empty())
      legend.push_back({LegendEntry::Kind::Marker, nullptr, marker.label, marker.ink});
  }
  const double left = 78;
  // Room on the right for half a date under the last tick.
  const double right = width - 40;
  std::vector<double> legendX;
  std::vector<int> legendRow;
  {
    double at = left;
    int row = 0;
    for (const auto& entry : legend) {
      const double entryWidth = 34 + textWidth(entry.label, kLegendFont) + 18;
      if (at > left && at + entryWidth > right) {
        at = left;
        ++row;
      }
      legendX.push_back(at);
      legendRow.push_back(row);
      at += entryWidth;
    }
  }
  const int legendRows = legend.empty() ? 0 : legendRow.back() + 1;
  const bool timeAxis = chart.x.scale == Scale::Time;
  const double below = (timeAxis ? 64 : 50) + legendRows * 20 + 6;
  const Layout plot{left, right, chart.title.empty() ? 16.0 : 42.0, height - below};
  const double plotWidth = plot.right - plot.left;
  const double plotHeight = plot.bottom - plot.top;

  // Axes: ranges and ticks.
  AxisMap xs{chart.x.scale, xe.low, xe.high, plot.left, plot.right};
  AxisMap ys{chart.y.scale, ye.low, ye.high, plot.bottom, plot.top};
  std::vector<Tick> xTicks, yTicks;
  const int xCount = std::max(2, static_cast<int>(plotWidth / (timeAxis ? 75 : 55)));
  const int yCount = std::max(2, static_cast<int>(plotHeight / 30));
  if (chart.x.scale == Scale::Log) {
    const Range r = logRange(xe.low, xe.high);
    xs.low = r.low;
    xs.high = r.high;
    xTicks = logTicks(xe.low, xe.high, xCount);
  } else if (timeAxis) {
    if (xe.low == xe.high) {
      xs.low -= 30;
      xs.high += 30;
    }
    xTicks = timeTicks(xs.low, xs.high, xCount);
  } else {
    const Range r = niceRange(xe.low, xe.high, xCount);
    xs.low = r.low;
    xs.high = r.high;
    xTicks = linearTicks(xe.low, xe.high, xCount);
  }
  if (chart.y.scale == Scale::Log) {
    const Range r = logRange(ye.low, ye.high);
    ys.low = r.low;
    ys.high = r.high;
    yTicks = logTicks(ye.low, ye.high, yCount);
  } else {
    const Range r = niceRange(ye.low, ye.high, yCount);
    ys.low = r.low;
    ys.high = r.high;
    yTicks = linearTicks(ye.low, ye.high, yCount);
  }
  if (!(xs.low < xs.high)) xs.high = xs.low + 1;  // a time axis at the end of the range
  if (!(ys.low < ys.high)) ys.high = ys.low + 1;
  auto usablePoint = [&](Point p) { return xs.usable(p.x) && ys.usable(p.y); };

  Writer w(out, chart.decimalComma);
  if (standalone) {
    w.put(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%\" height=\"%\" viewBox=\"0 0 % %\" "
        "role=\"img\"",
        {double(width), double(height), double(width), double(height)});
  } else {
    w.put("<g transform=\"translate(0 %)\" role=\"img\"", {double(top)});
  }
  w.put(" aria-labelledby=\"$-title\" aria-describedby=\"$-desc\"", {}, {id, id});
  if (standalone) w.put(" font-family=\"$\"", {}, {kFont});
  w.put(">\n<title id=\"$-title\">^</title>\n<desc id=\"$-desc\">^", {},
        {id, chart.title, id, chart.description});
  if (!chart.description.empty()) w.put(" ");
  w.put("Horizontal axis: ^. Vertical axis: ^", {}, {axisTitle(chart.x), axisTitle(chart.y)});
  if (chart.y.scale == Scale::Log) w.put(", logarithmic");
  w.put(".");
  if (!legend.empty()) {
    w.put(" Shown: ");
    for (std::size_t i = 0; i < legend.size(); ++i)
      w.put(i > 0 ? "; ^" : "^", {}, {legend[i].label});
    w.put(".");
  }
  w.put("</desc>\n<rect width=\"%\" height=\"%\" fill=\"#ffffff\"/>\n",
        {double(width), double(height)});
  if (!chart.title.empty()) {
    w.put(
        "<text x=\"%\" y=\"26\" text-anchor=\"middle\" font-size=\"%\" font-weight=\"bold\">^"
        "</text>\n",
        {width / 2.0, double(kTitleFont)}, {chart.title});
  }

  // Grid and ticks.
  w.put("<g stroke=\"#d0d0d0\" stroke-width=\"1\" aria-hidden=\"true\"><path d=\"");
  for (const auto& tick : xTicks) {
    if (xs.usable(tick.value)) w.put("M% %V%", {xs.pixel(tick.value), plot.top, plot.bottom});
  }
  for (const auto& tick : yTicks) {
    if (ys.usable(tick.value)) w.put("M% %H%", {plot.left, ys.pixel(tick.value), plot.right});
  }
  w.put("\"/></g>\n");

  // Bands and regions under the series.
  for (const auto& band : chart.bands) {
    if (!ys.usable(band.low) || !ys.usable(band.high)) continue;
    const double a = ys.pixel(std::max(band.low, band.high));
    const double b = ys.pixel(std::min(band.low, band.high));
    const std::string_view ink = colourOf(band.ink);
    w.put(
        "<g aria-label=\"^\"><rect x=\"%\" y=\"%\" width=\"%\" height=\"%\" fill=\"$\" "
        "fill-opacity=\"0.15\"/><path d=\"M% %H%M% %H%\" stroke=\"$\" "
        "stroke-dasharray=\"4 3\"/></g>\n",
        {plot.left, a, plotWidth, b - a, plot.left, a, plot.right, plot.left, b, plot.right},
        {band.label, ink, ink});
  }
  for (const auto& region : chart.regions) {
    const std::string_view ink = colourOf(region.ink);
    w.put("<g aria-label=\"^\"><path d=\"", {}, {region.label});
    bool first = true;
    for (const auto& p : region.polygon) {
      if (!usablePoint(p)) continue;
      w.put(first ? "M% %" : "L% %", {xs.pixel(p.x), ys.pixel(p.y)});
      first = false;
    }
    if (!first) w.put("Z");
    w.put("\" fill=\"$\" fill-opacity=\"0.15\" stroke=\"$\" stroke-opacity=\"0.5\"/>", {},
          {ink, ink});
    if (region.showLabel && usablePoint(region.labelAt)) {
      for (const bool halo : {true, false}) {
        w.put(
            "<text x=\"%\" y=\"%\" text-anchor=\"middle\" font-size=\"%\" font-weight=\"bold\" "
            "fill=\"$\"$^</text>",
            {xs.pixel(region.labelAt.x), ys.pixel(region.labelAt.y), double(kLabelFont)},
            {ink, halo ? kHalo : ">", region.label});
      }
    }
    w.put("</g>\n");
  }

  for (const auto& series : chart.series) writeSeries(w, series, xs, ys);

  for (const auto& note : chart.annotations) {
    if (!usablePoint(note.at)) continue;
    const double px = xs.pixel(note.at.x);
    const double py = ys.pixel(note.at.y);
    const bool leftOfPoint = px > plot.right - textWidth(note.text, kTickFont) - 12;
    w.put("<g><path d=\"");
    writeMark(w, Mark::Circle, {px, py}, 2);
    w.put("\" fill=\"#000000\"/>");
    // The text twice: first a white outline (hidden from screen readers)
    // that keeps it readable where it crosses a line.
    for (const bool halo : {true, false}) {
      w.put("<text x=\"%\" y=\"%\" font-size=\"%$$^</text>",
            {leftOfPoint ? px - 6 : px + 6, std::max(py - 6, plot.top + kTickFont),
             double(kTickFont)},
            {leftOfPoint ? "\" text-anchor=\"end\"" : "\"", halo ? kHalo : ">", note.text});
    }
    w.put("</g>\n");
  }
  for (const auto& marker : chart.markers) {
    if (!usablePoint(marker.at)) continue;
    const PixelPoint at{xs.pixel(marker.at.x), ys.pixel(marker.at.y)};
    w.put("<g aria-label=\"^\"><title>^</title><path d=\"", {}, {marker.label, marker.label});
    writeMark(w, Mark::Circle, at, 6);
    writeMark(w, Mark::Cross, at, 9);
    w.put("\" fill=\"none\" stroke=\"$\" stroke-width=\"2\"/></g>\n", {}, {colourOf(marker.ink)});
  }

  // The frame and the tick labels.
  w.put(
      "<rect x=\"%\" y=\"%\" width=\"%\" height=\"%\" fill=\"none\" stroke=\"#000000\"/>\n"
      "<g font-size=\"%\" text-anchor=\"middle\">",
      {plot.left, plot.top, plotWidth, plotHeight, double(kTickFont)});
  for (const auto& tick : xTicks) {
    if (!xs.usable(tick.value)) continue;
    const double px = xs.pixel(tick.value);
    w.put("<text x=\"%\" y=\"%\">^</text>", {px, plot.bottom + 17}, {tick.label});
    if (!tick.date.empty())
      w.put("<text x=\"%\" y=\"%\">^</text>", {px, plot.bottom + 32}, {tick.date});
  }
  w.put("</g>\n<g font-size=\"%\" text-anchor=\"end\">", {double(kTickFont)});
  for (const auto& tick : yTicks) {
    if (!ys.usable(tick.value)) continue;
    w.put("<text x=\"%\" y=\"%\">^</text>", {plot.left - 6, ys.pixel(tick.value) + 4},
          {tick.label});
  }
  const double xTitleY = plot.bottom + (timeAxis ? 50 : 36);
  const double yTitleX = 18;
  const double yTitleY = (plot.top + plot.bottom) / 2;
  w.put(
      "</g>\n<text x=\"%\" y=\"%\" text-anchor=\"middle\" font-size=\"%\">^</text>\n"
      "<text transform=\"translate(% %) rotate(-90)\" text-anchor=\"middle\" font-size=\"%\">^"
      "</text>\n",
      {(plot.left + plot.right) / 2, xTitleY, double(kLabelFont), yTitleX, yTitleY,
       double(kLabelFont)},
      {axisTitle(chart.x), axisTitle(chart.y)});

  // The legend.
  if (!legend.empty()) {
    w.put("<g font-size=\"%\">", {double(kLegendFont)});
    for (std::size_t i = 0; i < legend.size(); ++i) {
      const auto& entry = legend[i];
      const double x = legendX[i];
      const double y = xTitleY + 22 + legendRow[i] * 20;
      const std::string_view ink = colourOf(entry.ink);
      switch (entry.kind) {
        case LegendEntry::Kind::Series: {
          const Series& series = *entry.series;
          if (series.style != SeriesStyle::Scatter) {
            w.put("<path d=\"M% %h28\" stroke-width=\"2\" fill=\"none\"", {x, y - 4});
            strokeAttributes(w, series);
            w.put("/>");
          }
          const Mark mark = series.style == SeriesStyle::Scatter && series.mark == Mark::None
                                ? Mark::Circle
                                : series.mark;
          if (mark != Mark::None) {
            w.put("<path d=\"");
            writeMark(w, mark, {x + 14, y - 4}, 3.5);
            w.put("\" stroke=\"$\" fill=\"$\"/>", {}, {ink, filledMark(mark) ? ink : "none"});
          }
          break;
        }
        case LegendEntry::Kind::Swatch:
          w.put(
              "<rect x=\"%\" y=\"%\" width=\"20\" height=\"12\" fill=\"$\" fill-opacity=\"0.15\" "
              "stroke=\"$\"/>",
              {x + 4, y - 10}, {ink, ink});
          break;
        case LegendEntry::Kind::Marker:
          w.put("<path d=\"");
          writeMark(w, Mark::Circle, {x + 14, y - 4}, 5);
          writeMark(w, Mark::Cross, {x + 14, y - 4}, 7);
          w.put("\" fill=\"none\" stroke=\"$\" stroke-width=\"2\"/>", {}, {ink});
          break;
      }
      w.put("<text x=\"%\" y=\"%\">^</text>", {x + 34, y}, {entry.label});
    }
    w.put("</g>\n");
  }
  w.put(standalone ? "</svg>\n" : "</g>\n");
}

}  // namespace

std::string toSvg(const Chart& chart) {
  std::string out;
  out.reserve(1 << 16);
  writeChart(out, chart, true, 0);
  return out;
}

std::string toSvg(const std::vector<Chart>& charts, std::string_view id, std::string_view title,
                  std::string_view description) {
  if (charts.size() == 1) return toSvg(charts.front());
  int width = 240;
  int height = 0;
  for (const auto& chart : charts) {
    width = std::max(width, chart.width);
    height += std::max(chart.height, 180);
  }
  const std::string safe = safeId(id);
  std::string out;
  out.reserve(1 << 16);
  const double w = width, h = std::max(height, 180);
  Writer(out, !charts.empty() && charts.front().decimalComma)
      .put(
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%\" height=\"%\" "
          "viewBox=\"0 0 % %\" role=\"img\" aria-labelledby=\"$-title\" "
          "aria-describedby=\"$-desc\" font-family=\"$\">\n<title id=\"$-title\">^</title>\n"
          "<desc id=\"$-desc\">^</desc>\n<rect width=\"%\" height=\"%\" fill=\"#ffffff\"/>\n",
          {w, h, w, h, w, h}, {safe, safe, kFont, safe, title, safe, description});
  int top = 0;
  for (const auto& chart : charts) {
    writeChart(out, chart, false, top);
    top += std::max(chart.height, 180);
  }
  out += "</svg>\n";
  return out;
}

}  // namespace pyrelon::chart
