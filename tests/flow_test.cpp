#include <gtest/gtest.h>

#include "fake_window.h"
#include "flow/orifice.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;
using testing::Texts;

enum Type { kNone, kTemperature, kPressure, kBoth };

// Choosing the type computes nothing: a row whose flow it wrote would show no change.
// Both corrections at once, and "none" dropping trailing zeros: tests/cli/cases/panels.txt.
TEST(Flow, StartUpAndCompensatedFlows) {
  const Texts hot{{"FlowTempTxt", "100"}, {"RefTempTxt", "25"}};
  const Texts pressed{{"FlowPresTxt", "4000"}, {"RefPresTxt", "2500"}, {"AtmPresTxt", "1013"}};
  // clang-format off
  const struct { const char* name; Type type; Texts changes; const char* flow; } rows[] = {
    // The start-up texts give factors of exactly 1.
    {"none at start-up", kNone, {}, "10"}, {"temperature at start-up", kTemperature, {}, "10.00"},
    {"pressure at start-up", kPressure, {}, "10.00"}, {"both at start-up", kBoth, {}, "10.00"},
    {"hot gas: 10 x sqrt(298.14 / 373.14)", kTemperature, hot, "8.94"},
    {"pressed gas: 10 x sqrt(5013 / 3513)", kPressure, pressed, "11.95"},
    {"none keeps a negative flow", kNone, {{"FlowTxt", "-0.25"}}, "-0.25"},
    {"a comma ends the flow", kNone, {{"FlowTxt", "1,5"}}, "1"},
    // No whole digit below 1.
    {"no whole digit below 1", kTemperature, {{"FlowTxt", "0.5"}}, ".50"},
    {"no whole digit below 1, negative", kBoth, {{"FlowTxt", "-0.5"}}, "-.50"},
    // Equal values cancel, also below absolute zero or below vacuum.
    {"equal temperatures below absolute zero cancel", kTemperature,
     {{"FlowTempTxt", "-300"}, {"RefTempTxt", "-300"}}, "10.00"},
    {"equal pressures below vacuum cancel", kPressure, {{"AtmPresTxt", "-3000"}}, "10.00"},
    // Only the boxes the correction uses are read.
    {"none reads no temperature or pressure", kNone,
     {{"FlowPresTxt", "1E400"}, {"FlowTempTxt", "1E400"}, {"AtmPresTxt", "1E400"}}, "10"},
    {"temperature reads no pressure", kTemperature,
     {{"FlowPresTxt", "1E400"}, {"AtmPresTxt", "-1013"}}, "10.00"},
    {"pressure reads no temperature", kPressure,
     {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "1E400"}}, "10.00"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.caption("FlowLbl"), "10");
    for (const auto& r : rows) {
      EXPECT_EQ(testing::panelWindow(r.changes, "FlowCmb", r.type, {"FlowLbl"}, settings)
                    .outcomeOf(FlowBtn_Click),
                "FlowLbl=" + started.local(r.flow) + "\n")
          << r.name;
    }
  }
}

// Each other fault's sentence, from the same press: tests/golden/cli-transcript.txt.
TEST(Flow, FaultsAreReportedAndClearOnlyTheResult) {
  // clang-format off
  const struct { const char* name; Type type; Texts changes; const char* message; } rows[] = {
    // The first box read that is beyond the double range is named.
    {"the flow beyond the double range", kNone, {{"FlowTxt", "1E400"}},
     "The flow is too large a number."},
    {"the first box read is named", kBoth, {{"FlowTxt", "1E400"}, {"FlowTempTxt", "-1E400"}},
     "The flow temperature is too large a number."},
    // Zero divisors and square roots of negative ratios; temperatures come first.
    {"absolute zero: temperatures before pressures", kBoth,
     {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "-273.14"}, {"AtmPresTxt", "-2500"}},
     "The flow temperature must be above -273.14 \u00b0C."},
  };
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_EQ(
        testing::panelWindow(r.changes, "FlowCmb", r.type, {"FlowLbl"}).outcomeOf(FlowBtn_Click),
        "box: " + std::string(r.message) + "\nFlowLbl=\n")
        << r.name;
  }
  EXPECT_EQ(testing::panelWindow({}, "FlowCmb", -1, {}).outcomeOf(FlowBtn_Click), "")
      << "no type chosen: nothing written";
}

}  // namespace
}  // namespace pyrelon
