// One press of each Solve handler, and of the two unit lists' selection
// handlers, against the in-memory window after start-up with the default
// texts. The window is built and loaded once per benchmark; every press
// computes from the same texts, since a press changes only result labels.
#include <benchmark/benchmark.h>

#include "shell/shell.h"
#include "combustion/lambda.h"
#include "flow/orifice.h"
#include "probes/carbon.h"
#include "probes/nitriding.h"
#include "probes/oxygen.h"
#include "tests/fake_window.h"
#include "units/pressure.h"
#include "units/temperature.h"

namespace {

using pyrelon::Handler;
using pyrelon::testing::FakeWindow;

void BM_Press(benchmark::State& state, Handler handler) {
  FakeWindow window;
  window.settings = pyrelon::testing::commaSettings();
  pyrelon::Form_Load(window);
  for (auto _ : state) handler(window);
  if (!window.infoBoxes.empty()) state.SkipWithError("a press showed an Info Box");
}
BENCHMARK_CAPTURE(BM_Press, TempBtn_Click, pyrelon::TempBtn_Click);
BENCHMARK_CAPTURE(BM_Press, PresBtn_Click, pyrelon::PresBtn_Click);
BENCHMARK_CAPTURE(BM_Press, CarbonBtn_Click, pyrelon::CarbonBtn_Click);
BENCHMARK_CAPTURE(BM_Press, OxygenBtn_Click, pyrelon::OxygenBtn_Click);
BENCHMARK_CAPTURE(BM_Press, NkBtn_Click, pyrelon::NkBtn_Click);
BENCHMARK_CAPTURE(BM_Press, OxiBtn_Click, pyrelon::OxiBtn_Click);
BENCHMARK_CAPTURE(BM_Press, FlowBtn_Click, pyrelon::FlowBtn_Click);
BENCHMARK_CAPTURE(BM_Press, GradiCmb_Click, pyrelon::GradiCmb_Click);
BENCHMARK_CAPTURE(BM_Press, PresCmb_Click, pyrelon::PresCmb_Click);

// The DIN 17022 calibration, the one that iterates.
void BM_PressCarbonDin(benchmark::State& state) {
  FakeWindow window;
  pyrelon::Form_Load(window);
  window.setSelectedIndex("ProbeCmb", 1);
  for (auto _ : state) pyrelon::CarbonBtn_Click(window);
  if (!window.infoBoxes.empty()) state.SkipWithError("a press showed an Info Box");
}
BENCHMARK(BM_PressCarbonDin);

}  // namespace
