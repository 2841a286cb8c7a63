#include "tests/chart/samples.h"

#include <cmath>
#include <limits>
#include <optional>

#include "atmosphere/atmosphere.h"
#include "chart/atmosphere_charts.h"

namespace pyrelon::chart::samples {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Three straight lines with marks, a limit band, a marked point and a note.
Chart lines() {
  Chart chart;
  chart.id = "lines";
  chart.title = "Three lines, a band and a current point";
  chart.description = "Straight lines of slope 0.01, 0.02 and 0.03 from 0 to 50.";
  chart.x = {"Dew point", "°C"};
  chart.y = {"Carbon potential", "%C"};
  const Ink inks[] = {Ink::Blue, Ink::Red, Ink::Magenta};
  const Dash dashes[] = {Dash::Solid, Dash::Dashed, Dash::Dotted};
  const Mark marks[] = {Mark::Circle, Mark::Square, Mark::Triangle};
  for (int s = 0; s < 3; ++s) {
    Series series;
    series.label = "slope 0.0" + std::to_string(s + 1);
    series.ink = inks[s];
    series.dash = dashes[s];
    series.mark = marks[s];
    for (int i = 0; i <= 10; ++i) {
      series.x.push_back(i * 5.0);
      series.y.push_back(i * 5.0 * 0.01 * (s + 1));
    }
    chart.series.push_back(std::move(series));
  }
  chart.bands.push_back({"limits 0.6 to 0.9", 0.6, 0.9, Ink::Grey});
  chart.markers.push_back({"current reading", {20, 0.4}, Ink::Black});
  chart.annotations.push_back({"0.50 at 25", {25, 0.5}});
  return chart;
}

// Three days of a logger every minute, with a missing value and a gap of
// six hours: a step series of the setpoint and a line of the reading.
Chart timeSeries() {
  Chart chart;
  chart.id = "log";
  chart.title = "Three days of furnace log";
  chart.x = {"Time", "UTC", Scale::Time};
  chart.y = {"Temperature", "°C"};
  const double start = 1796428800;  // 2026-12-05 00:00:00 UTC
  Series reading{"reading", SeriesStyle::Line, {}, {}, Ink::Blue, Dash::Solid, Mark::None, 120};
  Series setpoint{"setpoint", SeriesStyle::Step, {}, {}, Ink::LineRed, Dash::Dashed, Mark::None};
  for (int minute = 0; minute <= 3 * 1440; ++minute) {
    if (minute > 1800 && minute < 2160) continue;  // the logger was off for six hours
    const double t = start + minute * 60.0;
    const double set = minute < 1440 ? 920 : 860;
    reading.x.push_back(t);
    reading.y.push_back(minute == 1000 ? kNaN : set + 8 * std::sin(minute / 90.0));
    if (minute % 60 == 0) {
      setpoint.x.push_back(t);
      setpoint.y.push_back(set);
    }
  }
  chart.series.push_back(std::move(reading));
  chart.series.push_back(std::move(setpoint));
  chart.bands.push_back({"tolerance", 850, 870, Ink::Grey});
  return chart;
}

// A logarithmic value axis with two fields, a scatter and a line.
Chart logFields() {
  Chart chart;
  chart.id = "fields";
  chart.title = "Fields on a logarithmic axis";
  chart.x = {"Temperature", "°C"};
  chart.y = {"Factor", "atm^-1/2", Scale::Log};
  chart.regions.push_back(
      {"low", {{400, 0.01}, {600, 0.01}, {600, 0.1}, {400, 1}}, Ink::Blue, true, {450, 0.05}});
  chart.regions.push_back(
      {"high", {{400, 1}, {600, 0.1}, {600, 100}, {400, 100}}, Ink::Red, true, {550, 10}});
  Series boundary{"boundary", SeriesStyle::Line, {400, 600}, {1, 0.1},
                  Ink::Black, Dash::Solid,       Mark::None};
  Series points{"measured",   SeriesStyle::Scatter, {420, 500, 575}, {0.8, 0.3, 0.13},
                Ink::Magenta, Dash::Solid,          Mark::Diamond};
  chart.series.push_back(std::move(boundary));
  chart.series.push_back(std::move(points));
  chart.markers.push_back({"current point", {520, 2}, Ink::Black});
  return chart;
}

// A million rows of a slow wave with one spike in the middle: the spike is
// drawn and the file stays small.
Chart million() {
  Chart chart;
  chart.id = "million";
  chart.title = "A million rows with one spike";
  chart.x = {"Row", ""};
  chart.y = {"Reading", "mV"};
  Series series{"reading", SeriesStyle::Line, {}, {}, Ink::Blue, Dash::Solid, Mark::None};
  constexpr int kRows = 1000000;
  series.x.resize(kRows);
  series.y.resize(kRows);
  for (int i = 0; i < kRows; ++i) {
    series.x[i] = i;
    series.y[i] = 1100 + 20 * std::sin(i * 6.283185307179586 / 250000.0);
  }
  series.y[654321] = 1250;
  chart.series.push_back(std::move(series));
  return chart;
}

// Texts that need escaping, numbers that cannot be drawn, an empty series.
Chart awkward() {
  Chart chart;
  chart.id = "2 odd\"id";
  chart.title = "Tags <b> & \"quotes\" 'apostrophes'\x01 and bad bytes \xff\xfe";
  chart.description = "]]> </desc> <script>alert(1)</script>";
  chart.x = {"x & y", "<unit>"};
  chart.y = {"log", "", Scale::Log};
  Series series{"a \"series\"",
                SeriesStyle::Line,
                {0, 1, 2, 3, 4, 5, 6, 7},
                {1, -1, kNaN, std::numeric_limits<double>::infinity(), 0, 1e300, 2e-300, 3},
                Ink::Red,
                Dash::DashDot,
                Mark::Cross};
  chart.series.push_back(std::move(series));
  chart.series.push_back(
      {"empty", SeriesStyle::Scatter, {}, {}, Ink::Black, Dash::Solid, Mark::None});
  chart.annotations.push_back({"</text>", {3, 1}});
  chart.width = 10;
  chart.height = 10;
  return chart;
}

}  // namespace

std::vector<Sample> all() {
  std::vector<Sample> samples;
  samples.push_back({"lines", lines()});
  samples.push_back({"time_series", timeSeries()});
  samples.push_back({"log_fields", logFields()});
  samples.push_back({"million", million()});
  samples.push_back({"awkward", awkward()});
  return samples;
}

std::vector<Document> documents() {
  Chart top = lines();
  top.height = 300;
  Chart bottom = logFields();
  bottom.height = 300;
  bottom.width = 600;
  std::vector<Document> out;
  out.push_back(
      {"stack", toSvg({top, bottom}, "stack", "Two charts", "Lines above, fields below.")});

  // 925 °C, 20 % CO, 40 % H2, 1013.25 mbar; a dew point of -5.6 °C, a probe
  // of 1138 mV and a target of 0.80 %C, the published check point.
  std::vector<std::optional<double>> atmosphere;
  for (const auto& input : atmosphereTool().inputs) atmosphere.push_back(input.start);
  atmosphere[kAtmTemp] = 925;
  atmosphere[kAtmDewPoint] = -5.6;
  atmosphere[kAtmMv] = 1138;
  atmosphere[kAtmTargetCarbon] = 0.8;
  out.push_back({"atmosphere", toolChartSvg("atmosphere", atmosphere)});

  // 500 °C, a burette reading of 30 % with a pure ammonia feed.
  std::vector<std::optional<double>> nitriding;
  for (const auto& input : nitridingPotentialTool().inputs) nitriding.push_back(input.start);
  nitriding[kNpTemp] = 500;
  nitriding[kNpBurette] = 30;
  out.push_back({"nitriding_potential", toolChartSvg("nitriding-potential", nitriding)});
  // The same, read where a decimal comma is written.
  out.push_back(
      {"nitriding_potential_comma", toolChartSvg("nitriding-potential", nitriding, true)});
  return out;
}

}  // namespace pyrelon::chart::samples
