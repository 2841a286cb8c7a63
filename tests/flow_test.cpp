#include <gtest/gtest.h>

#include "fake_window.h"
#include "flow/orifice.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;
using testing::Texts;

enum Type { kNone, kTemperature, kPressure, kBoth };

TEST(Flow, StartUpAndCompensatedFlows) {
  const Texts hot{{"FlowTempTxt", "100"}, {"RefTempTxt", "25"}};
  const Texts pressed{{"FlowPresTxt", "4000"}, {"RefPresTxt", "2500"}, {"AtmPresTxt", "1013"}};
  const struct {
    const char* name;
    Type type;
    Texts changes;
    const char* flow;
  } rows[] = {
      // The start-up texts give factors of exactly 1.
      {"none at start-up", kNone, {}, "10"},
      {"temperature at start-up", kTemperature, {}, "10.00"},
      {"pressure at start-up", kPressure, {}, "10.00"},
      {"both at start-up", kBoth, {}, "10.00"},
      {"hot gas: 10 x sqrt(298.14 / 373.14)", kTemperature, hot, "8.94"},
      {"pressed gas: 10 x sqrt(5013 / 3513)", kPressure, pressed, "11.95"},
      {"hot and pressed: both roots",
       kBoth,
       {hot[0], hot[1], pressed[0], pressed[1], pressed[2]},
       "10.68"},
      {"none drops trailing zeros", kNone, {{"FlowTxt", "10.50"}}, "10.5"},
      {"none keeps a negative flow", kNone, {{"FlowTxt", "-0.25"}}, "-0.25"},
      // No whole digit below 1.
      {"a comma ends the flow", kNone, {{"FlowTxt", "1,5"}}, "1"},
      {"no whole digit below 1", kTemperature, {{"FlowTxt", "0.5"}}, ".50"},
      {"no whole digit below 1, negative", kBoth, {{"FlowTxt", "-0.5"}}, "-.50"},
      // Equal values cancel, also below absolute zero or below vacuum.
      {"equal temperatures below absolute zero cancel",
       kTemperature,
       {{"FlowTempTxt", "-300"}, {"RefTempTxt", "-300"}},
       "10.00"},
      {"equal pressures below vacuum cancel", kPressure, {{"AtmPresTxt", "-3000"}}, "10.00"},
      // Only the boxes the correction uses are read.
      {"none reads no temperature or pressure",
       kNone,
       {{"FlowPresTxt", "1E400"}, {"FlowTempTxt", "1E400"}, {"AtmPresTxt", "1E400"}},
       "10"},
      {"temperature reads no pressure",
       kTemperature,
       {{"FlowPresTxt", "1E400"}, {"AtmPresTxt", "-1013"}},
       "10.00"},
      {"pressure reads no temperature",
       kPressure,
       {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "1E400"}},
       "10.00"},
  };
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

TEST(Flow, FaultsAreReportedAndClearOnlyTheResult) {
  const std::string tooLarge = " is too large a number.";
  const std::string flowSum = "The flow pressure plus the atmospheric pressure";
  const std::string aboveZero = " must be above 0 mbar.";
  const struct {
    const char* name;
    Type type;
    Texts changes;
    std::string message;
  } rows[] = {
      // The first box read that is beyond the double range is named.
      {"the flow beyond the double range", kNone, {{"FlowTxt", "1E400"}}, "The flow" + tooLarge},
      {"the first box read is named",
       kBoth,
       {{"FlowTxt", "1E400"}, {"FlowTempTxt", "-1E400"}},
       "The flow temperature" + tooLarge},
      // Zero divisors and square roots of negative ratios; temperatures come first.
      {"absolute zero: temperatures before pressures",
       kBoth,
       {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "-273.14"}, {"AtmPresTxt", "-2500"}},
       "The flow temperature must be above -273.14 \u00b0C."},
      {"a reference below absolute zero",
       kTemperature,
       {{"RefTempTxt", "-300"}},
       "The reference temperature must be above -273.14 \u00b0C."},
      {"no absolute reference pressure",
       kPressure,
       {{"AtmPresTxt", "0"}, {"RefPresTxt", "0"}, {"FlowPresTxt", "0"}},
       "The reference pressure plus the atmospheric pressure" + aboveZero},
      {"a flow pressure below vacuum", kPressure, {{"FlowPresTxt", "-5000"}}, flowSum + aboveZero},
      // Sums, ratios and products beyond the double range.
      {"the absolute flow pressure overflows",
       kPressure,
       {{"FlowPresTxt", "1.7e308"}, {"AtmPresTxt", "1.7e308"}},
       flowSum + tooLarge},
      {"the pressure ratio overflows",
       kPressure,
       {{"FlowPresTxt", "1e308"}, {"RefPresTxt", "-1012.9999999999"}},
       "The pressure factor" + tooLarge},
      {"the temperature ratio overflows",
       kTemperature,
       {{"FlowTempTxt", "-273.1399999999"}, {"RefTempTxt", "1e300"}},
       "The temperature factor" + tooLarge},
      {"the product overflows",
       kBoth,
       {{"FlowTxt", "-1e308"}, {"FlowPresTxt", "20000"}},
       "The compensated flow" + tooLarge},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(
        testing::panelWindow(r.changes, "FlowCmb", r.type, {"FlowLbl"}).outcomeOf(FlowBtn_Click),
        "box: " + r.message + "\nFlowLbl=\n")
        << r.name;
  }
}

TEST(Flow, ChangesOnlyWhenSolveIsPressed) {
  FakeWindow w = testing::startedWindow();
  w.setText("FlowTempTxt", "100");
  for (int type : {1, 2, 3, -1}) w.setSelectedIndex("FlowCmb", type);
  EXPECT_EQ(w.caption("FlowLbl") + w.outcomeOf(FlowBtn_Click), "10") << "nothing selected";
}

}  // namespace
}  // namespace pyrelon
