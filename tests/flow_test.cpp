#include "flow/orifice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;
using Texts = std::map<std::string, std::string>;

enum Type { kNone, kTemperature, kPressure, kBoth };

const Texts kDefaults{{"FlowTxt", "10.0"},    {"FlowPresTxt", "2500"}, {"FlowTempTxt", "25.0"},
                      {"RefPresTxt", "2500"}, {"RefTempTxt", "25.0"},  {"AtmPresTxt", "1013"}};

class FlowPanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  FlowPanel() {
    w.settings = GetParam();
    w.setListEntries("FlowCmb", {"None", "Temperature", "Pressure", "Both"}, 0);
  }
  // The start-up texts with `changes` typed over them, then Solve.
  void press(Type type, const Texts& changes) {
    for (const auto& [box, text] : kDefaults) w.setText(box, text);
    for (const auto& [box, text] : changes) w.setText(box, text);
    w.setListEntries("FlowCmb", w.listEntries("FlowCmb"), type);
    w.setCaption("FlowLbl", "stale");
    w.infoBoxes.clear();
    FlowBtn_Click(w);
  }
  std::string local(std::string s) const {
    for (char& c : s)
      if (c == '.') c = w.settings.decimalSeparator[0];
    return s;
  }
  FakeWindow w;
};

TEST_P(FlowPanel, CompensatesTheFlow) {
  const Texts hot{{"FlowTempTxt", "100"}, {"RefTempTxt", "25"}};
  const Texts pressed{{"FlowPresTxt", "4000"}, {"RefPresTxt", "2500"}, {"AtmPresTxt", "1013"}};
  Texts both = hot;
  both.insert(pressed.begin(), pressed.end());
  const struct {
    Type type;
    Texts changes;
    const char* flow;
  } rows[] = {
      {kNone, {}, "10"},  // the start-up texts give factors of exactly 1
      {kTemperature, {}, "10.00"},
      {kPressure, {}, "10.00"},
      {kBoth, {}, "10.00"},
      {kTemperature, hot, "8.94"},
      {kPressure, pressed, "11.95"},
      {kBoth, both, "10.68"},
      {kNone, {{"FlowTxt", "10.50"}}, "10.5"},
      {kNone, {{"FlowTxt", "-0.25"}}, "-0.25"},
      {kNone, {{"FlowTxt", "1,5"}}, "1"},
      {kTemperature, {{"FlowTxt", "0.5"}}, ".50"},  // no whole digit below 1
      {kBoth, {{"FlowTxt", "-0.5"}}, "-.50"},
      // Equal values cancel, also below absolute zero or below vacuum.
      {kTemperature, {{"FlowTempTxt", "-300"}, {"RefTempTxt", "-300"}}, "10.00"},
      {kPressure, {{"AtmPresTxt", "-3000"}}, "10.00"},
  };
  for (const auto& r : rows) {
    press(r.type, r.changes);
    EXPECT_EQ(w.caption("FlowLbl"), local(r.flow)) << r.type << " " << r.flow;
    EXPECT_TRUE(w.infoBoxes.empty()) << r.type << " " << r.flow;
  }
}

TEST_P(FlowPanel, ReadsOnlyTheBoxesTheCorrectionUses) {
  press(kNone, {{"FlowPresTxt", "1E400"}, {"FlowTempTxt", "1E400"}, {"AtmPresTxt", "1E400"}});
  EXPECT_EQ(w.caption("FlowLbl"), "10");
  press(kTemperature, {{"FlowPresTxt", "1E400"}, {"AtmPresTxt", "-1013"}});
  EXPECT_EQ(w.caption("FlowLbl"), local("10.00"));
  press(kPressure, {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "1E400"}});
  EXPECT_EQ(w.caption("FlowLbl"), local("10.00"));
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(FlowPanel, FaultsAreReportedAndClearTheResult) {
  const std::string tooLarge = " is too large a number.";
  const std::string tfLow = "The flow temperature must be above -273.14 \u00b0C.";
  const std::string refSum = "The reference pressure plus the atmospheric pressure";
  const std::string flowSum = "The flow pressure plus the atmospheric pressure";
  const std::string aboveZero = " must be above 0 mbar.";
  const struct {
    Type type;
    Texts changes;
    std::string message;
  } rows[] = {
      // The first box read that is beyond the double range is named.
      {kNone, {{"FlowTxt", "1E400"}}, "The flow" + tooLarge},
      {kPressure, {{"FlowTxt", "1E400"}, {"AtmPresTxt", "1E400"}}, "The flow" + tooLarge},
      {kBoth, {{"FlowTxt", "1E400"}, {"FlowTempTxt", "-1E400"}}, "The flow temperature" + tooLarge},
      // Zero divisors and square roots of negative ratios.
      {kTemperature, {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "-273.14"}}, tfLow},
      {kTemperature, {{"FlowTempTxt", "-300"}}, tfLow},
      {kTemperature,
       {{"RefTempTxt", "-300"}},
       "The reference temperature must be above -273.14 \u00b0C."},
      {kBoth, {{"FlowTempTxt", "-273.14"}, {"AtmPresTxt", "-2500"}}, tfLow},
      {kBoth, {{"AtmPresTxt", "-2500"}}, refSum + aboveZero},
      {kPressure, {{"AtmPresTxt", "0"}, {"RefPresTxt", "0"}, {"FlowPresTxt", "0"}},
       refSum + aboveZero},
      {kPressure, {{"FlowPresTxt", "-5000"}}, flowSum + aboveZero},
      // Sums, ratios and products beyond the double range.
      {kPressure, {{"FlowPresTxt", "1.7e308"}, {"AtmPresTxt", "1.7e308"}}, flowSum + tooLarge},
      {kPressure, {{"FlowPresTxt", "1e308"}, {"RefPresTxt", "-1012.9999999999"}},
       "The pressure factor" + tooLarge},
      {kTemperature, {{"FlowTempTxt", "-273.1399999999"}, {"RefTempTxt", "1e300"}},
       "The temperature factor" + tooLarge},
      {kBoth, {{"FlowTxt", "-1e308"}, {"FlowPresTxt", "20000"}}, "The compensated flow" + tooLarge},
  };
  for (const auto& r : rows) {
    press(r.type, r.changes);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.message;
    EXPECT_EQ(w.infoBoxes[0].text, r.message) << w.caption("FlowLbl");
    EXPECT_EQ(w.caption("FlowLbl"), "") << r.message;
    for (const auto& [box, text] : r.changes) EXPECT_EQ(w.text(box), text) << box;
  }
}

TEST_P(FlowPanel, ChangesOnlyWhenSolveIsPressed) {
  press(kNone, {{"FlowTempTxt", "100"}});
  for (int type : {1, 2, 3, -1}) {
    w.setSelectedIndex("FlowCmb", type);
    EXPECT_EQ(w.caption("FlowLbl"), "10") << type;
  }
  FlowBtn_Click(w);  // nothing selected
  EXPECT_EQ(w.caption("FlowLbl"), "10");
}

INSTANTIATE_TEST_SUITE_P(Separators, FlowPanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(FlowStartup, OpensShowingTheUncorrectedFlow) {
  FakeWindow w;
  Form_Load(w);
  EXPECT_EQ(w.caption("FlowLbl"), "10");
}

}  // namespace
}  // namespace pyrelon
