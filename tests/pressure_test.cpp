#include "units/pressure.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const std::vector<std::string_view> kResults{"Lab10", "Lab11", "Lab12", "Lab13", "Lab14", "Lab20"};

// The input, the column captions and the results.
std::string shown(const FakeWindow& w) {
  return w.text("PresText") + "|" +
         w.captions({"Lab15", "Lab16", "Lab17", "Lab18", "Lab19", "Lab21"}) + "|" +
         w.captions(kResults);
}

TEST(Pressure, EachSourceShowsOneBarThenTypedValuesUseTheConstantsOfEachPair) {
  // clang-format off
  const struct { const char *presetAndCaptions, *results; } sources[] = {
    {"1|psi kpa mmHg mmH2O Kg/cm2 mBar|", "14.51 100.0 750.2 10215 1.02 1000"},
    {"1000|psi kpa mmHg mmH2O Kg/cm2 bar|", "14.50 100.0 750.1 10215 1.02 1.00"},
    {" 14.504|bar kpa mmHg mmH2O Kg/cm2 mbar|", "1.00 100.0 750.1 10226 1.02 1000"},
    {"100|psi bar mmHg mmH2O Kg/cm2 mbar|", "14.50 1.00 750.1 10215 1.02 1000"},
    {" 750.06|psi kpa bar mmH2O Kg/cm2 mBar|", "14.50 100.0 1.00 10215 1.02 1000"},
    {"10215|psi kpa mmHg bar Kg/cm2 mBar|", "14.50 100.0 749.8 1.00 1.02 1000"},
    {" 1.0197|psi kpa mmHg mmH2O bar mbar|", "14.50 100.0 750.0 10215 1.00 1000"},
  };
  const struct { const char* name; int source; const char *input, *results; } typed[] = {
    {"100 psi", 2, "100", "6.89 689.5 5171.5 70506 7.03 6895"},
    {"negative bar", 0, "-2", "-29.03 -200.0 -1500.4 -20430 -2.04 -2000"},
    {"no number reads as 0", 3, "abc", "0.00 0.00 0.0 0 0.00 0"},
    {"a comma ends the number: 1 bar", 0, "1,5", "14.51 100.0 750.2 10215 1.02 1000"},
    // A pair and its reverse do not undo each other.
    {"10 psi to mmH2O", 2, "10", "0.69 68.9 517.1 7051 0.70 689"},
    {"7051 mmH2O back to psi is not 10", 5, "7051", "10.01 69.0 517.5 0.69 0.70 690"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    FakeWindow w = testing::startedWindow(settings);
    EXPECT_EQ(shown(w), "1.013|psi kpa mmHg mmH2O Kg/cm2 mBar|" +
                            w.local("14.70 101.3 760.0 10348 1.03 1013"));
    for (int i = 0; i < 7; ++i) {
      w.setText("PresText", "123");
      w.setSelectedIndex("PresCmb", i);
      EXPECT_EQ(shown(w), sources[i].presetAndCaptions + w.local(sources[i].results));
    }
    for (const auto& r : typed) {
      w.setSelectedIndex("PresCmb", r.source);
      w.setText("PresText", r.input);
      PresBtn_Click(w);
      EXPECT_EQ(w.captions(kResults), w.local(r.results)) << r.name;
    }
    EXPECT_TRUE(w.infoBoxes.empty());
  }
  // Without a selection nothing changes.
  EXPECT_EQ(FakeWindow().outcomeOf(PresCmb_Click) + FakeWindow().outcomeOf(PresBtn_Click), "");
}

TEST(Pressure, OverflowKeepsTheColumnsBeforeItAndClearsTheRest) {
  // k: a column kept, showing all the digits of its huge value; -: cleared.
  // clang-format off
  const struct { const char *name, *input, *message, *columns; } rows[] = {
    {"beyond the double range", "1E400", "The input pressure is too large a number.", "------"},
    {"mmH2O overflows after three columns", "1e305",
     "The pressure is too large to convert to mmH2O.", "kkk---"},
    {"psi, the first column, overflows", "1.3e307", "The pressure is too large to convert to psi.",
     "------"},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FakeWindow w = testing::startedWindow();
    w.setText("PresText", r.input);
    PresBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    std::string columns = w.infoBoxes[0].text + " " + w.text("PresText") + " ";
    for (const std::string_view label : kResults)
      columns += w.caption(label).size() > 300 ? 'k' : w.caption(label).empty() ? '-' : '?';
    EXPECT_EQ(columns, std::string(r.message) + " " + r.input + " " + r.columns);
  }
}

}  // namespace
}  // namespace pyrelon
