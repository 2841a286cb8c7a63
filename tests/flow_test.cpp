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

const Texts kDefaults{{"FlowTxt", "10.0"},     {"FlowPresTxt", "2500"}, {"FlowTempTxt", "25.0"},
                      {"RefPresTxt", "2500"},  {"RefTempTxt", "25.0"},  {"AtmPresTxt", "1013"}};

std::string shown(std::string text, const NumberSettings& settings) {
  if (const auto at = text.find('.'); at != std::string::npos)
    text.replace(at, 1, settings.decimalSeparator);
  return text;
}

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

  Texts inputs() const {
    Texts out;
    for (const auto& entry : kDefaults) out[entry.first] = w.text(entry.first);
    return out;
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
      // The start-up texts give factors of exactly 1.
      {kNone, {}, "10"},
      {kTemperature, {}, "10.00"},
      {kPressure, {}, "10.00"},
      {kBoth, {}, "10.00"},
      {kTemperature, hot, "8.94"},
      {kPressure, pressed, "11.95"},
      {kBoth, both, "10.68"},
      // The plain form: no pattern, no trailing zeros.
      {kNone, {{"FlowTxt", "10.50"}}, "10.5"},
      {kNone, {{"FlowTxt", "-0.25"}}, "-0.25"},
      {kNone, {{"FlowTxt", "123456.789"}}, "123456.789"},
      {kNone, {{"FlowTxt", ""}}, "0"},
      {kNone, {{"FlowTxt", "1,5"}}, "1"},
      // Neither pattern shows a whole digit below 1.
      {kTemperature, {{"FlowTxt", "0.5"}}, ".50"},
      {kBoth, {{"FlowTxt", "0.5"}}, ".50"},
      {kPressure, {{"FlowTxt", "123.456"}}, "123.46"},
      {kBoth, {{"FlowTxt", "-3"}}, "-3.00"},
      // Equal temperatures or equal pressures cancel, even below absolute
      // zero or with a negative absolute pressure on both sides.
      {kTemperature, {{"FlowTempTxt", "-300"}, {"RefTempTxt", "-300"}}, "10.00"},
      {kPressure, {{"AtmPresTxt", "-3000"}}, "10.00"},
      {kPressure, {{"AtmPresTxt", "0"}}, "10.00"},
      // A reference at absolute zero gives a zero factor.
      {kTemperature, {{"RefTempTxt", "-273.14"}}, ".00"},
  };
  for (const auto& r : rows) {
    press(r.type, r.changes);
    EXPECT_EQ(w.caption("FlowLbl"), shown(r.flow, w.settings)) << r.type << " " << r.flow;
    EXPECT_TRUE(w.infoBoxes.empty()) << r.type << " " << r.flow;
  }
}

TEST_P(FlowPanel, ReadsOnlyTheBoxesTheCorrectionUses) {
  const Texts bad{{"FlowPresTxt", "1E400"}, {"RefPresTxt", "1E400"}, {"AtmPresTxt", "1E400"},
                  {"FlowTempTxt", "1E400"}, {"RefTempTxt", "1E400"}};
  press(kNone, bad);
  EXPECT_EQ(w.caption("FlowLbl"), "10");
  EXPECT_TRUE(w.infoBoxes.empty());

  press(kTemperature, {{"FlowPresTxt", "1E400"}, {"RefPresTxt", "abc"}, {"AtmPresTxt", "1E400"}});
  EXPECT_EQ(w.caption("FlowLbl"), shown("10.00", w.settings));
  EXPECT_TRUE(w.infoBoxes.empty());

  press(kPressure, {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "1E400"}});
  EXPECT_EQ(w.caption("FlowLbl"), shown("10.00", w.settings));
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(FlowPanel, FaultsAreReportedAndClearTheResult) {
  const char* const tfLow = "The flow temperature must be above -273.14 \u00b0C.";
  const char* const trLow = "The reference temperature must be above -273.14 \u00b0C.";
  const char* const refLow =
      "The reference pressure plus the atmospheric pressure must be above 0 mbar.";
  const char* const flowLow =
      "The flow pressure plus the atmospheric pressure must be above 0 mbar.";
  const struct {
    Type type;
    Texts changes;
    const char* message;
  } rows[] = {
      // The first box read that is beyond the double range is named.
      {kNone, {{"FlowTxt", "1E400"}}, "The flow is too large a number."},
      {kPressure,
       {{"FlowTxt", "1E400"}, {"AtmPresTxt", "1E400"}},
       "The flow is too large a number."},
      {kPressure, {{"AtmPresTxt", "-1E400"}, {"FlowPresTxt", "1E400"}},
       "The atmospheric pressure is too large a number."},
      {kBoth, {{"FlowTxt", "1E400"}, {"FlowTempTxt", "1E400"}},
       "The flow temperature is too large a number."},
      {kBoth, {{"FlowTxt", "1E400"}, {"FlowPresTxt", "1E400"}},
       "The flow pressure is too large a number."},
      {kTemperature, {{"RefTempTxt", "1e999"}}, "The reference temperature is too large a number."},
      // Zero divisors and square roots of negative ratios.
      {kTemperature, {{"FlowTempTxt", "-273.14"}}, tfLow},
      {kTemperature, {{"FlowTempTxt", "-273.14"}, {"RefTempTxt", "-273.14"}}, tfLow},
      {kTemperature, {{"FlowTempTxt", "-300"}}, tfLow},
      {kTemperature, {{"RefTempTxt", "-300"}}, trLow},
      {kBoth, {{"FlowTempTxt", "-273.14"}, {"AtmPresTxt", "-2500"}}, tfLow},
      {kBoth, {{"AtmPresTxt", "-2500"}}, refLow},
      {kPressure, {{"AtmPresTxt", "-2500"}, {"FlowPresTxt", "2500"}}, refLow},
      {kPressure, {{"AtmPresTxt", "0"}, {"RefPresTxt", "0"}, {"FlowPresTxt", "0"}}, refLow},
      {kPressure, {{"RefPresTxt", "-5000"}}, refLow},
      {kPressure, {{"FlowPresTxt", "-5000"}}, flowLow},
      // Sums, ratios and products beyond the double range.
      {kPressure, {{"FlowPresTxt", "1.7e308"}, {"AtmPresTxt", "1.7e308"}},
       "The flow pressure plus the atmospheric pressure is too large a number."},
      {kPressure,
       {{"RefPresTxt", "1.7e308"}, {"AtmPresTxt", "1.7e308"}, {"FlowPresTxt", "-1.7e308"}},
       "The reference pressure plus the atmospheric pressure is too large a number."},
      {kPressure, {{"FlowPresTxt", "1e308"}, {"RefPresTxt", "-1012.9999999999"}},
       "The pressure factor is too large a number."},
      {kTemperature, {{"FlowTempTxt", "-273.1399999999"}, {"RefTempTxt", "1e300"}},
       "The temperature factor is too large a number."},
      {kTemperature, {{"FlowTxt", "1e308"}, {"FlowTempTxt", "-200"}},
       "The compensated flow is too large a number."},
      {kBoth, {{"FlowTxt", "-1e308"}, {"FlowPresTxt", "20000"}},
       "The compensated flow is too large a number."},
  };
  for (const auto& r : rows) {
    press(r.type, r.changes);
    Texts typed = kDefaults;
    for (const auto& [box, text] : r.changes) typed[box] = text;
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.message;
    EXPECT_EQ(w.infoBoxes[0].text, r.message) << w.caption("FlowLbl");
    EXPECT_EQ(w.caption("FlowLbl"), "") << r.message;
    EXPECT_EQ(inputs(), typed) << r.message;
  }
}

TEST_P(FlowPanel, AFaultDoesNotStopTheNextPress) {
  press(kTemperature, {{"FlowTempTxt", "-273.14"}});
  w.setText("FlowTempTxt", "100");
  FlowBtn_Click(w);
  EXPECT_EQ(w.caption("FlowLbl"), shown("8.94", w.settings));
}

TEST_P(FlowPanel, ChangesOnlyWhenSolveIsPressed) {
  press(kNone, {});
  w.setText("FlowTempTxt", "100");
  for (int type : {1, 2, 3, 0}) {
    w.setSelectedIndex("FlowCmb", type);
    EXPECT_EQ(w.caption("FlowLbl"), "10") << type;
  }
  w.setListEntries("FlowCmb", w.listEntries("FlowCmb"), -1);
  w.setCaption("FlowLbl", "kept");
  FlowBtn_Click(w);
  EXPECT_EQ(w.caption("FlowLbl"), "kept");
  EXPECT_TRUE(w.infoBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Separators, FlowPanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(FlowStartup, OpensShowingTheUncorrectedFlow) {
  FakeWindow w;
  w.settings = testing::commaSettings();
  Form_Load(w);
  EXPECT_EQ(w.caption("FlowLbl"), "10");
}

}  // namespace
}  // namespace pyrelon
