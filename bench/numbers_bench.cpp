// The Val rule on typical input texts, pattern formatting with each pattern
// of the program against the first implementation, the plain form, and one
// row of a batch.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "core/numbers.h"
#include "fuzz/reference_format.h"

namespace {

using pyrelon::formatPattern;
using pyrelon::readVal;

void BM_ReadVal(benchmark::State& state, std::string_view text) {
  for (auto _ : state) {
    auto result = readVal(text);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK_CAPTURE(BM_ReadVal, whole, std::string_view("1121"));
BENCHMARK_CAPTURE(BM_ReadVal, decimal_blank, std::string_view(" 273.15"));
BENCHMARK_CAPTURE(BM_ReadVal, negative, std::string_view("-3.0"));
BENCHMARK_CAPTURE(BM_ReadVal, exponent, std::string_view("1.5E3"));
BENCHMARK_CAPTURE(BM_ReadVal, comma_stops, std::string_view("21,9"));
BENCHMARK_CAPTURE(BM_ReadVal, no_number, std::string_view("abc"));
BENCHMARK_CAPTURE(BM_ReadVal, hexadecimal, std::string_view("&H1F"));
BENCHMARK_CAPTURE(BM_ReadVal, beyond_range, std::string_view("1E400"));

// Pattern formatting, three ways side by side for each pattern: the
// formatting the program uses, the first implementation it replaced
// (fuzz/reference_format.h, same bytes), and a compiled pattern appended
// into a reused string, as a batch writer would. Each alternates a typical
// result and a negative one with a rounding carry.
const double kValues[] = {987.654, -17.75};

void BM_FormatPattern(benchmark::State& state, std::string_view pattern) {
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = formatPattern(kValues[i], pattern, ",");
    benchmark::DoNotOptimize(text);
    i ^= 1;
  }
}

void BM_FormatPatternFirst(benchmark::State& state, std::string_view pattern) {
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = pyrelon::reference::formatPattern(kValues[i], pattern, ",");
    benchmark::DoNotOptimize(text);
    i ^= 1;
  }
}

void BM_AppendPattern(benchmark::State& state, std::string_view pattern) {
  const pyrelon::CompiledPattern compiled = pyrelon::compilePattern(pattern);
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    pyrelon::appendPattern(out, kValues[i], compiled, ",");
    benchmark::DoNotOptimize(out.data());
    i ^= 1;
  }
}

#define PYRELON_PATTERN_ROWS(p)                                     \
  BENCHMARK_CAPTURE(BM_FormatPattern, p, std::string_view(p));      \
  BENCHMARK_CAPTURE(BM_FormatPatternFirst, p, std::string_view(p)); \
  BENCHMARK_CAPTURE(BM_AppendPattern, p, std::string_view(p))

PYRELON_PATTERN_ROWS("0.000");
PYRELON_PATTERN_ROWS("#0.00");
PYRELON_PATTERN_ROWS("##0.00");
PYRELON_PATTERN_ROWS("###0.00");
PYRELON_PATTERN_ROWS("#0.0");
PYRELON_PATTERN_ROWS("##0.0");
PYRELON_PATTERN_ROWS("###0.0");
PYRELON_PATTERN_ROWS("####0.0");
PYRELON_PATTERN_ROWS("####0");
PYRELON_PATTERN_ROWS("#####0");
PYRELON_PATTERN_ROWS("######0");
PYRELON_PATTERN_ROWS("##.#0");
PYRELON_PATTERN_ROWS("#.#0");

// Values beyond the range whose 15 digits are computed exactly in 128 bits
// (2^-59 up to below 1e15), which go through sixty digits written by
// std::to_chars: the largest value the pressure panel can show, 309 whole
// digits, and a tiny one.
void BM_FormatPatternBeyondExactRange(benchmark::State& state, double value, bool first) {
  for (auto _ : state) {
    std::string text = first ? pyrelon::reference::formatPattern(value, "######0", ".")
                             : formatPattern(value, "######0", ".");
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK_CAPTURE(BM_FormatPatternBeyondExactRange, 1e308, 1e308, false);
BENCHMARK_CAPTURE(BM_FormatPatternBeyondExactRange, 1e308_first, 1e308, true);
BENCHMARK_CAPTURE(BM_FormatPatternBeyondExactRange, 1e-20, 1e-20, false);
BENCHMARK_CAPTURE(BM_FormatPatternBeyondExactRange, 1e-20_first, 1e-20, true);

// The plain form of a typical result, and of the first implementation.
void BM_PlainForm(benchmark::State& state, bool first) {
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = first ? pyrelon::reference::plainForm(kValues[i], ",")
                             : pyrelon::plainForm(kValues[i], ",");
    benchmark::DoNotOptimize(text);
    i ^= 1;
  }
}
BENCHMARK_CAPTURE(BM_PlainForm, fast, false);
BENCHMARK_CAPTURE(BM_PlainForm, first, true);

// One output row of a batch: six results, each through its own compiled
// pattern, separated by ';' and ended by a line feed, into a reused string.
// Rows per second is the figure to hold against the batch mode's budget.
void BM_BatchRow(benchmark::State& state) {
  const std::string_view patterns[] = {"###0.0", "#0.00", "0.000", "####0", "##.#0", "##0.00"};
  pyrelon::CompiledPattern compiled[6];
  for (int c = 0; c < 6; ++c) compiled[c] = pyrelon::compilePattern(patterns[c]);
  const double rows[4][6] = {
      {273.15, 0.905, 987.654, 1121, 0.25, -17.75},
      {1023.4567, 1.0197, 0.0451, 860.5, 0.875, 3.14159},
      {-40.0, 21.9, 0.2095, 101325, 0.04, 99.995},
      {1.5e6, 0.000123, 12.3456789, 7.25, 0.5, 2.675},
  };
  std::string line;
  std::size_t r = 0;
  for (auto _ : state) {
    line.clear();
    for (int c = 0; c < 6; ++c) {
      pyrelon::appendPattern(line, rows[r][c], compiled[c], ".");
      line += c < 5 ? ';' : '\n';
    }
    benchmark::DoNotOptimize(line.data());
    r = (r + 1) & 3;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BatchRow);

}  // namespace
