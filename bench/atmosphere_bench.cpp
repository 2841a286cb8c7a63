// One solve of each atmosphere tool as its form recomputes while the user
// types: every reading, the target's equivalents and an alloy at once.
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "atmosphere/atmosphere.h"
#include "atmosphere/nitriding_potential.h"

namespace {

using pyrelon::ToolDescriptor;

std::vector<std::optional<double>> readings(const ToolDescriptor& tool) {
  std::vector<std::optional<double>> values;
  for (const auto& input : tool.inputs) values.push_back(input.start);
  return values;
}

void BM_AtmosphereEveryReading(benchmark::State& state) {
  const ToolDescriptor& tool = pyrelon::atmosphereTool();
  auto in = readings(tool);
  in[pyrelon::kAtmTemp] = 925;
  in[pyrelon::kAtmMv] = 1138.5;
  in[pyrelon::kAtmDewPoint] = -5.6;
  in[pyrelon::kAtmCo2] = 0.147;
  in[pyrelon::kAtmCh4] = 0.3;
  in[pyrelon::kAtmShimInitialCarbon] = 0.1;
  in[pyrelon::kAtmShimInitialMg] = 1000;
  in[pyrelon::kAtmShimFinalMg] = 1007;
  in[pyrelon::kAtmTargetCarbon] = 0.8;
  in[pyrelon::kAtmSi] = 0.25;
  in[pyrelon::kAtmMn] = 1.2;
  in[pyrelon::kAtmCr] = 1.1;
  for (auto _ : state) {
    const pyrelon::ToolOutcome out = tool.calculate(in);
    benchmark::DoNotOptimize(out.results.data());
  }
}
BENCHMARK(BM_AtmosphereEveryReading);

// One row of a logger's CSV: probe voltage, temperature and CO.
void BM_AtmosphereProbeRow(benchmark::State& state) {
  const ToolDescriptor& tool = pyrelon::atmosphereTool();
  auto in = readings(tool);
  in[pyrelon::kAtmTemp] = 925;
  in[pyrelon::kAtmMv] = 1138.5;
  for (auto _ : state) {
    const pyrelon::ToolOutcome out = tool.calculate(in);
    benchmark::DoNotOptimize(out.results.data());
  }
}
BENCHMARK(BM_AtmosphereProbeRow);

void BM_NitridingPotentialBurette(benchmark::State& state) {
  const ToolDescriptor& tool = pyrelon::nitridingPotentialTool();
  auto in = readings(tool);
  in[pyrelon::kNpTemp] = 520;
  in[pyrelon::kNpBurette] = 30;
  for (auto _ : state) {
    const pyrelon::ToolOutcome out = tool.calculate(in);
    benchmark::DoNotOptimize(out.results.data());
  }
}
BENCHMARK(BM_NitridingPotentialBurette);

}  // namespace
