// One press of each panel, and of the two unit lists' selection handlers,
// against the in-memory window after start-up with the start-up texts; and
// the same press as a pure function of the texts, as the command-line tool
// and the browser page make it. Every press computes from the same texts,
// since a press changes only result labels.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "shell/panels.h"
#include "shell/press.h"
#include "shell/shell.h"
#include "tests/fake_window.h"

namespace {

using pyrelon::PanelDescriptor;
using pyrelon::testing::FakeWindow;

FakeWindow startedWithComma() {
  FakeWindow window;
  window.settings = pyrelon::testing::commaSettings();
  pyrelon::Form_Load(window);
  return window;
}

void BM_Press(benchmark::State& state, const PanelDescriptor* panel) {
  FakeWindow window = startedWithComma();
  for (auto _ : state) pyrelon::pressPanel(window, *panel);
  if (!window.infoBoxes.empty()) state.SkipWithError("a press showed an Info Box");
}

void BM_PurePress(benchmark::State& state, const PanelDescriptor* panel) {
  std::vector<std::string> texts;
  for (const auto& input : panel->inputs) texts.emplace_back(input.startText);
  const pyrelon::NumberSettings settings = pyrelon::testing::commaSettings();
  for (auto _ : state) {
    const pyrelon::Outcome out = pyrelon::pressPanel(*panel, texts, 0, settings);
    benchmark::DoNotOptimize(out.steps().data());
  }
}

void BM_Select(benchmark::State& state, const char* list) {
  FakeWindow window = startedWithComma();
  for (auto _ : state) pyrelon::select(window, list);
}

// The DIN 17022 calibration, the one that iterates.
void BM_PressCarbonDin(benchmark::State& state) {
  FakeWindow window = startedWithComma();
  window.setSelectedIndex("ProbeCmb", 1);
  for (auto _ : state) pyrelon::CarbonBtn_Click(window);
  if (!window.infoBoxes.empty()) state.SkipWithError("a press showed an Info Box");
}
BENCHMARK(BM_PressCarbonDin);

const bool kRegistered = [] {
  for (const PanelDescriptor* panel : pyrelon::panels()) {
    benchmark::RegisterBenchmark(("BM_Press/" + std::string(panel->id)).c_str(), BM_Press, panel);
    benchmark::RegisterBenchmark(("BM_PurePress/" + std::string(panel->id)).c_str(), BM_PurePress,
                                 panel);
  }
  benchmark::RegisterBenchmark("BM_Select/GradiCmb", BM_Select, "GradiCmb");
  benchmark::RegisterBenchmark("BM_Select/PresCmb", BM_Select, "PresCmb");
  return true;
}();

}  // namespace
