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
    Type type;
    Texts changes;
    const char* flow;
  } rows[] = {
      // The start-up texts give factors of exactly 1.
      {kNone, {}, "10"},
      {kTemperature, {}, "10.00"},
      {kPressure, {}, "10.00"},
      {kBoth, {}, "10.00"},
      {kTemperature, hot, "8.94"},
      {kPressure, pressed, "11.95"},
      {kBoth, {hot[0], hot[1], pressed[0], pressed[1], pressed[2]}, "10.68"},
      {kNone, {{"FlowTxt", "10.50"}}, "10.5"},
      {kNone, {{"FlowTxt", "-0.25"}}, "-0.25"},
      // No whole digit below 1.
      {kNone, {{"FlowTxt", "1,5"}}, "1"},
      {kTemperature, {{"FlowTxt", "0.5"}}, ".50"},
      {kBoth, {{"FlowTxt", "-0.5"}}, "-.50"},
      // Equal values cancel, also below absolute zero or below vacuum.
      {kTemperature, {{"FlowTempTxt", "-300"}, {"RefTempTxt", "-300"}}, "10.00"},
      {kPressure, {{"AtmPresTxt", "-3000"}}, "10.00"},
      // Only the boxes the correction uses are read.
      {kNone, {{"FlowPresTxt", "1E400"}, {"FlowTempTxt", "1E400"}, {"AtmPresTxt", "1E400"}}, "10"},
      {kTemperature, {{"FlowPresTxt", "1E400"}, {"AtmPresTxt", "-1013"}}, "10.00"},
      {kPressure, {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "1E400"}}, "10.00"},
  };
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.caption("FlowLbl"), "10");
    for (const auto& r : rows) {
      EXPECT_EQ(testing::panelWindow(r.changes, "FlowCmb", r.type, {"FlowLbl"}, settings)
                    .outcomeOf(FlowBtn_Click),
                "FlowLbl=" + started.local(r.flow) + "\n")
          << r.type << " " << r.flow;
    }
  }
}

TEST(Flow, FaultsAreReportedAndClearOnlyTheResult) {
  const std::string tooLarge = " is too large a number.";
  const std::string flowSum = "The flow pressure plus the atmospheric pressure";
  const std::string aboveZero = " must be above 0 mbar.";
  const struct {
    Type type;
    Texts changes;
    std::string message;
  } rows[] = {
      // The first box read that is beyond the double range is named.
      {kNone, {{"FlowTxt", "1E400"}}, "The flow" + tooLarge},
      {kBoth, {{"FlowTxt", "1E400"}, {"FlowTempTxt", "-1E400"}}, "The flow temperature" + tooLarge},
      // Zero divisors and square roots of negative ratios; temperatures come first.
      {kBoth,
       {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "-273.14"}, {"AtmPresTxt", "-2500"}},
       "The flow temperature must be above -273.14 \u00b0C."},
      {kTemperature,
       {{"RefTempTxt", "-300"}},
       "The reference temperature must be above -273.14 \u00b0C."},
      {kPressure,
       {{"AtmPresTxt", "0"}, {"RefPresTxt", "0"}, {"FlowPresTxt", "0"}},
       "The reference pressure plus the atmospheric pressure" + aboveZero},
      {kPressure, {{"FlowPresTxt", "-5000"}}, flowSum + aboveZero},
      // Sums, ratios and products beyond the double range.
      {kPressure, {{"FlowPresTxt", "1.7e308"}, {"AtmPresTxt", "1.7e308"}}, flowSum + tooLarge},
      {kPressure,
       {{"FlowPresTxt", "1e308"}, {"RefPresTxt", "-1012.9999999999"}},
       "The pressure factor" + tooLarge},
      {kTemperature,
       {{"FlowTempTxt", "-273.1399999999"}, {"RefTempTxt", "1e300"}},
       "The temperature factor" + tooLarge},
      {kBoth, {{"FlowTxt", "-1e308"}, {"FlowPresTxt", "20000"}}, "The compensated flow" + tooLarge},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(
        testing::panelWindow(r.changes, "FlowCmb", r.type, {"FlowLbl"}).outcomeOf(FlowBtn_Click),
        "box: " + r.message + "\nFlowLbl=\n");
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
