// The SVG writer: layout, axes, the per-column reduction and the drawing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "chart/chart.h"
#include "chart/text.h"

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

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  Writer& raw(std::string_view text) {
    out_ += text;
    return *this;
  }
  Writer& num(double value) {
    appendTenths(out_, value);
    return *this;
  }
  Writer& text(std::string_view text) {
    appendEscaped(out_, text);
    return *this;
  }

 private:
  std::string& out_;
};

void writeMark(Writer& w, Mark mark, PixelPoint at, double r) {
  switch (mark) {
    case Mark::None: return;
    case Mark::Circle:
      w.raw("M")
          .num(at.x - r)
          .raw(" ")
          .num(at.y)
          .raw("a")
          .num(r)
          .raw(" ")
          .num(r)
          .raw(" 0 1 0 ")
          .num(2 * r)
          .raw(" 0a")
          .num(r)
          .raw(" ")
          .num(r)
          .raw(" 0 1 0 ")
          .num(-2 * r)
          .raw(" 0");
      return;
    case Mark::Square:
      w.raw("M")
          .num(at.x - r)
          .raw(" ")
          .num(at.y - r)
          .raw("h")
          .num(2 * r)
          .raw("v")
          .num(2 * r)
          .raw("h")
          .num(-2 * r)
          .raw("z");
      return;
    case Mark::Triangle:
      w.raw("M")
          .num(at.x)
          .raw(" ")
          .num(at.y - r * 1.2)
          .raw("L")
          .num(at.x + r * 1.1)
          .raw(" ")
          .num(at.y + r * 0.8)
          .raw("H")
          .num(at.x - r * 1.1)
          .raw("z");
      return;
    case Mark::Diamond:
      w.raw("M")
          .num(at.x)
          .raw(" ")
          .num(at.y - r * 1.3)
          .raw("L")
          .num(at.x + r)
          .raw(" ")
          .num(at.y)
          .raw("L")
          .num(at.x)
          .raw(" ")
          .num(at.y + r * 1.3)
          .raw("L")
          .num(at.x - r)
          .raw(" ")
          .num(at.y)
          .raw("z");
      return;
    case Mark::Cross:
      w.raw("M")
          .num(at.x - r)
          .raw(" ")
          .num(at.y - r)
          .raw("L")
          .num(at.x + r)
          .raw(" ")
          .num(at.y + r)
          .raw("M")
          .num(at.x - r)
          .raw(" ")
          .num(at.y + r)
          .raw("L")
          .num(at.x + r)
          .raw(" ")
          .num(at.y - r);
      return;
  }
}

bool filledMark(Mark mark) { return mark != Mark::Cross; }

void strokeAttributes(Writer& w, const Series& series) {
  w.raw(" stroke=\"").raw(colourOf(series.ink)).raw("\"");
  const auto dash = dashArray(series.dash);
  if (!dash.empty()) w.raw(" stroke-dasharray=\"").raw(dash).raw("\"");
}

// Marks on a line are drawn only while they stay few enough to read.
constexpr std::size_t kMostMarksOnALine = 60;

void writeSeries(Writer& w, const Series& series, const AxisMap& xs, const AxisMap& ys) {
  const auto runs = reduceSeries(series.x, series.y, xs, ys, series.maxGap);
  w.raw("<g aria-label=\"").text(series.label).raw("\"><title>").text(series.label).raw("</title>");
  std::size_t kept = 0;
  for (const auto& run : runs) kept += run.size();
  if (series.style != SeriesStyle::Scatter) {
    w.raw("<path fill=\"none\" stroke-width=\"2\" stroke-linejoin=\"round\"");
    strokeAttributes(w, series);
    w.raw(" d=\"");
    for (const auto& run : runs) {
      if (run.size() < 2) continue;
      w.raw("M").num(run[0].x).raw(" ").num(run[0].y);
      for (std::size_t i = 1; i < run.size(); ++i) {
        if (series.style == SeriesStyle::Step) {
          w.raw("H").num(run[i].x).raw("V").num(run[i].y);
        } else {
          w.raw("L").num(run[i].x).raw(" ").num(run[i].y);
        }
      }
    }
    w.raw("\"/>");
  }
  // Points: every point of a scatter; the marks of a short line; and a
  // point standing alone between two gaps, which a line cannot show.
  const Mark mark = series.style == SeriesStyle::Scatter && series.mark == Mark::None ? Mark::Circle
                                                                                      : series.mark;
  const bool allMarks =
      mark != Mark::None && (series.style == SeriesStyle::Scatter || kept <= kMostMarksOnALine);
  w.raw("<path stroke-width=\"1.5\" stroke=\"").raw(colourOf(series.ink)).raw("\" fill=\"");
  w.raw(filledMark(mark) ? colourOf(series.ink) : "none").raw("\" d=\"");
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
  w.raw("\"/></g>\n");
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

  Writer w(out);
  if (standalone) {
    w.raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"")
        .num(width)
        .raw("\" height=\"")
        .num(height)
        .raw("\" viewBox=\"0 0 ")
        .num(width)
        .raw(" ")
        .num(height)
        .raw("\" role=\"img\"");
  } else {
    w.raw("<g transform=\"translate(0 ").num(top).raw(")\" role=\"img\"");
  }
  w.raw(" aria-labelledby=\"").raw(id).raw("-title\" aria-describedby=\"").raw(id).raw("-desc\"");
  if (standalone) w.raw(" font-family=\"").raw(kFont).raw("\"");
  w.raw(">\n");
  w.raw("<title id=\"").raw(id).raw("-title\">").text(chart.title).raw("</title>\n");
  w.raw("<desc id=\"").raw(id).raw("-desc\">").text(chart.description);
  if (!chart.description.empty()) w.raw(" ");
  w.raw("Horizontal axis: ")
      .text(axisTitle(chart.x))
      .raw(". Vertical axis: ")
      .text(axisTitle(chart.y));
  if (chart.y.scale == Scale::Log) w.raw(", logarithmic");
  w.raw(".");
  if (!legend.empty()) {
    w.raw(" Shown: ");
    for (std::size_t i = 0; i < legend.size(); ++i) {
      if (i > 0) w.raw("; ");
      w.text(legend[i].label);
    }
    w.raw(".");
  }
  w.raw("</desc>\n");
  w.raw("<rect width=\"").num(width).raw("\" height=\"").num(height).raw("\" fill=\"#ffffff\"/>\n");
  if (!chart.title.empty()) {
    w.raw("<text x=\"")
        .num(width / 2.0)
        .raw("\" y=\"26\" text-anchor=\"middle\" font-size=\"")
        .num(kTitleFont)
        .raw("\" font-weight=\"bold\">")
        .text(chart.title)
        .raw("</text>\n");
  }

  // Grid and ticks.
  w.raw("<g stroke=\"#d0d0d0\" stroke-width=\"1\" aria-hidden=\"true\"><path d=\"");
  for (const auto& tick : xTicks) {
    if (!xs.usable(tick.value)) continue;
    w.raw("M").num(xs.pixel(tick.value)).raw(" ").num(plot.top).raw("V").num(plot.bottom);
  }
  for (const auto& tick : yTicks) {
    if (!ys.usable(tick.value)) continue;
    w.raw("M").num(plot.left).raw(" ").num(ys.pixel(tick.value)).raw("H").num(plot.right);
  }
  w.raw("\"/></g>\n");

  // Bands and regions under the series.
  for (const auto& band : chart.bands) {
    if (!ys.usable(band.low) || !ys.usable(band.high)) continue;
    const double a = ys.pixel(std::max(band.low, band.high));
    const double b = ys.pixel(std::min(band.low, band.high));
    w.raw("<g aria-label=\"")
        .text(band.label)
        .raw("\"><rect x=\"")
        .num(plot.left)
        .raw("\" y=\"")
        .num(a)
        .raw("\" width=\"")
        .num(plotWidth)
        .raw("\" height=\"")
        .num(b - a)
        .raw("\" fill=\"")
        .raw(colourOf(band.ink))
        .raw("\" fill-opacity=\"0.15\"/><path d=\"M")
        .num(plot.left)
        .raw(" ")
        .num(a)
        .raw("H")
        .num(plot.right)
        .raw("M")
        .num(plot.left)
        .raw(" ")
        .num(b)
        .raw("H")
        .num(plot.right)
        .raw("\" stroke=\"")
        .raw(colourOf(band.ink))
        .raw("\" stroke-dasharray=\"4 3\"/></g>\n");
  }
  for (const auto& region : chart.regions) {
    w.raw("<g aria-label=\"").text(region.label).raw("\"><path d=\"");
    bool first = true;
    for (const auto& p : region.polygon) {
      if (!usablePoint(p)) continue;
      w.raw(first ? "M" : "L").num(xs.pixel(p.x)).raw(" ").num(ys.pixel(p.y));
      first = false;
    }
    if (!first) w.raw("Z");
    w.raw("\" fill=\"")
        .raw(colourOf(region.ink))
        .raw("\" fill-opacity=\"0.15\" stroke=\"")
        .raw(colourOf(region.ink))
        .raw("\" stroke-opacity=\"0.5\"/>");
    if (region.showLabel && usablePoint(region.labelAt)) {
      for (const bool halo : {true, false}) {
        w.raw("<text x=\"")
            .num(xs.pixel(region.labelAt.x))
            .raw("\" y=\"")
            .num(ys.pixel(region.labelAt.y))
            .raw("\" text-anchor=\"middle\" font-size=\"")
            .num(kLabelFont)
            .raw("\" font-weight=\"bold\" fill=\"")
            .raw(colourOf(region.ink))
            .raw("\"")
            .raw(halo ? kHalo : ">")
            .text(region.label)
            .raw("</text>");
      }
    }
    w.raw("</g>\n");
  }

  for (const auto& series : chart.series) writeSeries(w, series, xs, ys);

  for (const auto& note : chart.annotations) {
    if (!usablePoint(note.at)) continue;
    const double px = xs.pixel(note.at.x);
    const double py = ys.pixel(note.at.y);
    const bool leftOfPoint = px > plot.right - textWidth(note.text, kTickFont) - 12;
    w.raw("<g><path d=\"");
    writeMark(w, Mark::Circle, {px, py}, 2);
    w.raw("\" fill=\"#000000\"/>");
    // The text twice: first a white outline (hidden from screen readers)
    // that keeps it readable where it crosses a line.
    for (const bool halo : {true, false}) {
      w.raw("<text x=\"")
          .num(leftOfPoint ? px - 6 : px + 6)
          .raw("\" y=\"")
          .num(std::max(py - 6, plot.top + kTickFont))
          .raw("\" font-size=\"")
          .num(kTickFont)
          .raw(leftOfPoint ? "\" text-anchor=\"end\"" : "\"")
          .raw(halo ? kHalo : ">")
          .text(note.text)
          .raw("</text>");
    }
    w.raw("</g>\n");
  }
  for (const auto& marker : chart.markers) {
    if (!usablePoint(marker.at)) continue;
    const PixelPoint at{xs.pixel(marker.at.x), ys.pixel(marker.at.y)};
    w.raw("<g aria-label=\"")
        .text(marker.label)
        .raw("\"><title>")
        .text(marker.label)
        .raw("</title><path d=\"");
    writeMark(w, Mark::Circle, at, 6);
    writeMark(w, Mark::Cross, at, 9);
    w.raw("\" fill=\"none\" stroke=\"")
        .raw(colourOf(marker.ink))
        .raw("\" stroke-width=\"2\"/></g>\n");
  }

  // The frame and the tick labels.
  w.raw("<rect x=\"")
      .num(plot.left)
      .raw("\" y=\"")
      .num(plot.top)
      .raw("\" width=\"")
      .num(plotWidth)
      .raw("\" height=\"")
      .num(plotHeight)
      .raw("\" fill=\"none\" stroke=\"#000000\"/>\n");
  w.raw("<g font-size=\"").num(kTickFont).raw("\" text-anchor=\"middle\">");
  for (const auto& tick : xTicks) {
    if (!xs.usable(tick.value)) continue;
    const double px = xs.pixel(tick.value);
    w.raw("<text x=\"")
        .num(px)
        .raw("\" y=\"")
        .num(plot.bottom + 17)
        .raw("\">")
        .text(tick.label)
        .raw("</text>");
    if (!tick.date.empty()) {
      w.raw("<text x=\"")
          .num(px)
          .raw("\" y=\"")
          .num(plot.bottom + 32)
          .raw("\">")
          .text(tick.date)
          .raw("</text>");
    }
  }
  w.raw("</g>\n<g font-size=\"").num(kTickFont).raw("\" text-anchor=\"end\">");
  for (const auto& tick : yTicks) {
    if (!ys.usable(tick.value)) continue;
    w.raw("<text x=\"")
        .num(plot.left - 6)
        .raw("\" y=\"")
        .num(ys.pixel(tick.value) + 4)
        .raw("\">")
        .text(tick.label)
        .raw("</text>");
  }
  w.raw("</g>\n");
  const double xTitleY = plot.bottom + (timeAxis ? 50 : 36);
  w.raw("<text x=\"")
      .num((plot.left + plot.right) / 2)
      .raw("\" y=\"")
      .num(xTitleY)
      .raw("\" text-anchor=\"middle\" font-size=\"")
      .num(kLabelFont)
      .raw("\">")
      .text(axisTitle(chart.x))
      .raw("</text>\n");
  const double yTitleX = 18;
  const double yTitleY = (plot.top + plot.bottom) / 2;
  w.raw("<text transform=\"translate(")
      .num(yTitleX)
      .raw(" ")
      .num(yTitleY)
      .raw(") rotate(-90)\" text-anchor=\"middle\" font-size=\"")
      .num(kLabelFont)
      .raw("\">")
      .text(axisTitle(chart.y))
      .raw("</text>\n");

  // The legend.
  if (!legend.empty()) {
    w.raw("<g font-size=\"").num(kLegendFont).raw("\">");
    for (std::size_t i = 0; i < legend.size(); ++i) {
      const auto& entry = legend[i];
      const double x = legendX[i];
      const double y = xTitleY + 22 + legendRow[i] * 20;
      const std::string_view ink = colourOf(entry.ink);
      switch (entry.kind) {
        case LegendEntry::Kind::Series: {
          const Series& series = *entry.series;
          if (series.style != SeriesStyle::Scatter) {
            w.raw("<path d=\"M")
                .num(x)
                .raw(" ")
                .num(y - 4)
                .raw("h28\" stroke-width=\"2\" fill=\"none\"");
            strokeAttributes(w, series);
            w.raw("/>");
          }
          const Mark mark = series.style == SeriesStyle::Scatter && series.mark == Mark::None
                                ? Mark::Circle
                                : series.mark;
          if (mark != Mark::None) {
            w.raw("<path d=\"");
            writeMark(w, mark, {x + 14, y - 4}, 3.5);
            w.raw("\" stroke=\"")
                .raw(ink)
                .raw("\" fill=\"")
                .raw(filledMark(mark) ? ink : "none")
                .raw("\"/>");
          }
          break;
        }
        case LegendEntry::Kind::Swatch:
          w.raw("<rect x=\"")
              .num(x + 4)
              .raw("\" y=\"")
              .num(y - 10)
              .raw("\" width=\"20\" height=\"12\" fill=\"")
              .raw(ink)
              .raw("\" fill-opacity=\"0.15\" stroke=\"")
              .raw(ink)
              .raw("\"/>");
          break;
        case LegendEntry::Kind::Marker:
          w.raw("<path d=\"");
          writeMark(w, Mark::Circle, {x + 14, y - 4}, 5);
          writeMark(w, Mark::Cross, {x + 14, y - 4}, 7);
          w.raw("\" fill=\"none\" stroke=\"").raw(ink).raw("\" stroke-width=\"2\"/>");
          break;
      }
      w.raw("<text x=\"")
          .num(x + 34)
          .raw("\" y=\"")
          .num(y)
          .raw("\">")
          .text(entry.label)
          .raw("</text>");
    }
    w.raw("</g>\n");
  }
  w.raw(standalone ? "</svg>\n" : "</g>\n");
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
  Writer w(out);
  w.raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"")
      .num(width)
      .raw("\" height=\"")
      .num(std::max(height, 180))
      .raw("\" viewBox=\"0 0 ")
      .num(width)
      .raw(" ")
      .num(std::max(height, 180))
      .raw("\" role=\"img\" aria-labelledby=\"")
      .raw(safe)
      .raw("-title\" aria-describedby=\"")
      .raw(safe)
      .raw("-desc\" font-family=\"")
      .raw(kFont)
      .raw("\">\n<title id=\"")
      .raw(safe)
      .raw("-title\">")
      .text(title)
      .raw("</title>\n<desc id=\"")
      .raw(safe)
      .raw("-desc\">")
      .text(description)
      .raw("</desc>\n<rect width=\"")
      .num(width)
      .raw("\" height=\"")
      .num(std::max(height, 180))
      .raw("\" fill=\"#ffffff\"/>\n");
  int top = 0;
  for (const auto& chart : charts) {
    writeChart(out, chart, false, top);
    top += std::max(chart.height, 180);
  }
  w.raw("</svg>\n");
  return out;
}

}  // namespace pyrelon::chart
