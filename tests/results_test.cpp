// Results beyond their display: a panel's results copied as a table, and
// which results are stale. (The help page: tests/golden/help.html.)
#include "shell/results.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_window.h"
#include "shell/panels.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

TEST(CopyPanelResults, CaptionValueAndAUnitOnlyWhereTheCaptionNamesNone) {
  FakeWindow w = testing::startedWindow();
  // clang-format off
  const struct { const char *panel, *text; } cases[] = {
    // In the order shown, left to right: air excess stands after CO2.
    {"lambda", "Wet % O2\t1.0\nDry % O2\t1.2\n% CO2\t11.0\nAir excess\t1.056\nNet Eff.\t83.5\t%\n"
               "Gross Eff.\t93.7\t%\n"},
    // 1.013 bar: / 0.0689, x 100, x 750.2, x 10215, x 1.0197, x 1000.
    {"pressure", "psi\t14.70\nkpa\t101.3\nmmHg\t760.0\nmmH2O\t10348\nKg/cm2\t1.03\nmBar\t1013\n"},
    {"temperature", "\u00b0Fahrenheit\t32.0\nKelvin\t273.2\n\u00b0Rankine\t491.7\n"},
    {"carbon", "% Carbon\t1.000\n"},
    {"nitriding", "NK Factor\t10.00\n"},
    // The caption stands on two lines on the window, on one here.
    {"flow", "Compensed Flow\t10\n"},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(panelResultsText(w, *panelById(c.panel)), c.text) << c.panel;
  EXPECT_EQ(captionLabelOf("NetLbl"), "Label48");
  EXPECT_EQ(captionLabelOf("HTxt"), "Label34");
  EXPECT_EQ(captionLabelOf("Frame1"), "");
}

TEST(Freshness, AResultIsStaleWhileItsPanelsInputsDifferFromThoseItWasWrittenWith) {
  FakeWindow w = testing::startedWindow();
  Freshness fresh;
  for (const char* label : {"NkLbl", "CarbonLbl", "Lab2", "Lab1"})
    fresh.written(w, label, w.caption(label));
  EXPECT_FALSE(fresh.stale(w, "NkLbl"));
  w.setText("HTxt", "20");
  EXPECT_TRUE(fresh.stale(w, "NkLbl"));
  EXPECT_FALSE(fresh.stale(w, "CarbonLbl"));  // another panel
  EXPECT_EQ(fresh.staleLabels(w, *panelById("nitriding")), std::vector<std::string_view>{"NkLbl"});
  w.setText("HTxt", "10");  // back as it was
  EXPECT_FALSE(fresh.stale(w, "NkLbl"));
  // A calibration chosen, not yet solved.
  w.setSelectedIndex("ProbeCmb", 1);
  EXPECT_TRUE(fresh.stale(w, "CarbonLbl"));
  // Written again, it matches.
  fresh.written(w, "CarbonLbl", "0.9");
  EXPECT_FALSE(fresh.stale(w, "CarbonLbl"));
  // Cleared, or never written: never stale.
  fresh.written(w, "NkLbl", "");
  w.setText("HTxt", "30");
  EXPECT_FALSE(fresh.stale(w, "NkLbl"));
  EXPECT_FALSE(fresh.stale(w, "GrossLbl"));
  // A column caption is no result.
  w.setText("DataText", "5");
  EXPECT_TRUE(fresh.stale(w, "Lab2"));
  EXPECT_FALSE(fresh.stale(w, "Lab1"));
}

}  // namespace
}  // namespace pyrelon
