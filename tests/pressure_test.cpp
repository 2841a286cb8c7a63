#include "units/pressure.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kResults[] = {"Lab10", "Lab11", "Lab12", "Lab13", "Lab14", "Lab20"};
const char* const kCaptions[] = {"Lab15", "Lab16", "Lab17", "Lab18", "Lab19", "Lab21"};

// The captions of `labels` joined by blanks.
std::string joined(const FakeWindow& w, const char* const (&labels)[6]) {
  std::string out = w.caption(labels[0]);
  for (int i = 1; i < 6; ++i) out += " " + w.caption(labels[i]);
  return out;
}

class PressurePanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  PressurePanel() {
    w.settings = GetParam();
    w.setListEntries("PresCmb", {"bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"}, -1);
  }
  std::string local(std::string s) const {
    for (char& c : s)
      if (c == '.') c = w.settings.decimalSeparator[0];
    return s;
  }
  FakeWindow w;
};

TEST_P(PressurePanel, ChoosingASourceShowsOneBarInEveryUnit) {
  const struct {
    const char *preset, *captions, *results;
  } rows[] = {
      {"1", "psi kpa mmHg mmH2O Kg/cm2 mBar", "14.51 100.0 750.2 10215 1.02 1000"},
      {"1000", "psi kpa mmHg mmH2O Kg/cm2 bar", "14.50 100.0 750.1 10215 1.02 1.00"},
      {" 14.504", "bar kpa mmHg mmH2O Kg/cm2 mbar", "1.00 100.0 750.1 10226 1.02 1000"},
      {"100", "psi bar mmHg mmH2O Kg/cm2 mbar", "14.50 1.00 750.1 10215 1.02 1000"},
      {" 750.06", "psi kpa bar mmH2O Kg/cm2 mBar", "14.50 100.0 1.00 10215 1.02 1000"},
      {"10215", "psi kpa mmHg bar Kg/cm2 mBar", "14.50 100.0 749.8 1.00 1.02 1000"},
      {" 1.0197", "psi kpa mmHg mmH2O bar mbar", "14.50 100.0 750.0 10215 1.00 1000"},
  };
  for (int i = 0; i < 7; ++i) {
    w.setText("PresText", "123");
    w.setSelectedIndex("PresCmb", i);
    EXPECT_EQ(w.text("PresText"), rows[i].preset) << i;
    EXPECT_EQ(joined(w, kCaptions), rows[i].captions) << i;
    EXPECT_EQ(joined(w, kResults), local(rows[i].results)) << i;
  }
}

TEST_P(PressurePanel, ConvertsTypedValuesWithTheConstantsOfEachPair) {
  const struct {
    int source;
    const char *input, *results;
  } rows[] = {
      {2, "100", "6.89 689.5 5171.5 70506 7.03 6895"},
      {0, "-2", "-29.03 -200.0 -1500.4 -20430 -2.04 -2000"},
      {3, "abc", "0.00 0.00 0.0 0 0.00 0"},
      {0, "1,5", "14.51 100.0 750.2 10215 1.02 1000"},
      // A pair and its reverse do not undo each other.
      {2, "10", "0.69 68.9 517.1 7051 0.70 689"},
      {5, "7051", "10.01 69.0 517.5 0.69 0.70 690"},
  };
  for (const auto& r : rows) {
    w.setSelectedIndex("PresCmb", r.source);
    w.setText("PresText", r.input);
    PresBtn_Click(w);
    EXPECT_EQ(joined(w, kResults), local(r.results)) << r.source << " " << r.input;
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(PressurePanel, WithoutASelectionNothingChanges) {
  w.setText("PresText", "5");
  PresCmb_Click(w);
  PresBtn_Click(w);
  EXPECT_EQ(joined(w, kCaptions), "psi kpa mmHg mmH2O Kg/cm2 mbar");
  EXPECT_EQ(joined(w, kResults), "     ");
  EXPECT_EQ(w.text("PresText"), "5");
}

TEST_P(PressurePanel, OverflowKeepsTheColumnsBeforeItAndClearsTheRest) {
  const struct {
    int source;
    const char* input;
    const char* message;
    int columnsKept;
  } rows[] = {
      {0, "1E400", "The input pressure is too large a number.", 0},
      {0, "1e305", "The pressure is too large to convert to mmH2O.", 3},
      {0, "-1e306", "The pressure is too large to convert to mmHg.", 2},
      {0, "1.3e307", "The pressure is too large to convert to psi.", 0},
      {4, "1.5e307", "The pressure is too large to convert to mmH2O.", 3},
  };
  for (const auto& r : rows) {
    w.setSelectedIndex("PresCmb", r.source);
    w.infoBoxes.clear();
    w.setText("PresText", r.input);
    PresBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.text("PresText"), r.input);
    for (int c = 0; c < 6; ++c) {
      // A kept column shows all the digits of its huge new value.
      const std::string caption = w.caption(kResults[c]);
      EXPECT_EQ(caption.size() > 300, c < r.columnsKept) << kResults[c] << " " << r.input;
      if (c >= r.columnsKept) {
        EXPECT_EQ(caption, "") << kResults[c] << " " << r.input;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Separators, PressurePanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(PressureStartup, OpensShowingOneAtmosphereInBar) {
  FakeWindow w;
  w.settings = testing::commaSettings();
  Form_Load(w);
  EXPECT_EQ(w.text("PresText"), "1.013");
  EXPECT_EQ(joined(w, kCaptions), "psi kpa mmHg mmH2O Kg/cm2 mBar");
  EXPECT_EQ(joined(w, kResults), "14,70 101,3 760,0 10348 1,03 1013");
}

}  // namespace
}  // namespace pyrelon
