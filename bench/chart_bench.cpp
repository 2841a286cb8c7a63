// A million logged points to an SVG chart, beside the time to read the same
// million rows from CSV text with the command line's reader: the chart must
// cost less than reading its data.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "cli/csv.h"
#include "core/chars.h"

namespace {

constexpr int kRows = 1000000;
constexpr double kStart = 1796428800;  // 2026-12-05 00:00:00 UTC

// A reading every second with noise and one spike, as a logger writes it.
struct Log {
  std::vector<double> time, value;
};

Log makeLog() {
  Log log;
  log.time.resize(kRows);
  log.value.resize(kRows);
  std::uint32_t state = 7;
  for (int i = 0; i < kRows; ++i) {
    state = state * 1664525u + 1013904223u;
    log.time[i] = kStart + i;
    log.value[i] = 900 + static_cast<double>(state >> 20) / 256.0;
  }
  log.value[kRows / 3] = 1100;
  return log;
}

std::string csvText(const Log& log) {
  std::string text = "time,temp\n";
  for (int i = 0; i < kRows; ++i) {
    text += std::to_string(static_cast<std::int64_t>(log.time[i]));
    text += ',';
    // 900 + k/256 written exactly with eight decimals (k/256 = k·390625/10^8).
    const auto hundredMillionths = static_cast<std::int64_t>((log.value[i] - 900) * 256) * 390625;
    text += std::to_string(900 + hundredMillionths / 100000000);
    text += '.';
    const std::string fraction = std::to_string(100000000 + hundredMillionths % 100000000);
    text.append(fraction, 1);
    text += '\n';
  }
  return text;
}

pyrelon::chart::Chart chartOf(const Log& log, pyrelon::chart::SeriesStyle style) {
  pyrelon::chart::Chart chart;
  chart.title = "Furnace log";
  chart.x = {"Time", "UTC", pyrelon::chart::Scale::Time};
  chart.y = {"Temperature", "°C"};
  pyrelon::chart::Series series;
  series.label = "reading";
  series.style = style;
  series.x = log.time;
  series.y = log.value;
  series.maxGap = 10;
  chart.series.push_back(std::move(series));
  return chart;
}

void BM_ChartMillionPoints(benchmark::State& state, pyrelon::chart::SeriesStyle style) {
  const auto chart = chartOf(makeLog(), style);
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string svg = pyrelon::chart::toSvg(chart);
    size = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(size);
}
BENCHMARK_CAPTURE(BM_ChartMillionPoints, line, pyrelon::chart::SeriesStyle::Line)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChartMillionPoints, step, pyrelon::chart::SeriesStyle::Step)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChartMillionPoints, scatter, pyrelon::chart::SeriesStyle::Scatter)
    ->Unit(benchmark::kMillisecond);

void BM_ReadMillionCsvRows(benchmark::State& state) {
  const std::string text = csvText(makeLog());
  for (auto _ : state) {
    pyrelon::cli::MemorySource source(text);
    pyrelon::cli::CsvReader reader(source);
    std::vector<double> time, value;
    time.reserve(kRows);
    value.reserve(kRows);
    reader.next();  // the header
    while (reader.next() == pyrelon::cli::CsvStatus::Record) {
      const auto fields = reader.fields();
      double t = 0, v = 0;
      pyrelon::chars::readDouble(fields[0].data(), fields[0].data() + fields[0].size(), t);
      pyrelon::chars::readDouble(fields[1].data(), fields[1].data() + fields[1].size(), v);
      time.push_back(t);
      value.push_back(v);
    }
    benchmark::DoNotOptimize(value.data());
  }
  state.counters["csv_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadMillionCsvRows)->Unit(benchmark::kMillisecond);

}  // namespace
