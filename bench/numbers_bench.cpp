// The Val rule on typical input texts, and pattern formatting with each
// pattern of the program, under a point and a comma.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "core/numbers.h"

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

void BM_FormatPattern(benchmark::State& state, std::string_view pattern) {
  // Alternate a typical result and a negative one with a rounding carry.
  const double values[] = {987.654, -17.75};
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = formatPattern(values[i], pattern, ",");
    benchmark::DoNotOptimize(text);
    i ^= 1;
  }
}
BENCHMARK_CAPTURE(BM_FormatPattern, "0.000", std::string_view("0.000"));
BENCHMARK_CAPTURE(BM_FormatPattern, "#0.00", std::string_view("#0.00"));
BENCHMARK_CAPTURE(BM_FormatPattern, "##0.00", std::string_view("##0.00"));
BENCHMARK_CAPTURE(BM_FormatPattern, "###0.00", std::string_view("###0.00"));
BENCHMARK_CAPTURE(BM_FormatPattern, "#0.0", std::string_view("#0.0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "##0.0", std::string_view("##0.0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "###0.0", std::string_view("###0.0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "####0.0", std::string_view("####0.0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "####0", std::string_view("####0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "#####0", std::string_view("#####0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "######0", std::string_view("######0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "##.#0", std::string_view("##.#0"));
BENCHMARK_CAPTURE(BM_FormatPattern, "#.#0", std::string_view("#.#0"));

// The largest value the pressure panel can show: 309 whole digits.
void BM_FormatPatternNearLimit(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = formatPattern(1e308, "######0", ".");
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatPatternNearLimit);

}  // namespace
