#include "probes/carbon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

enum Probe { Accucarb, Din, LambdaProbe };

// DIN 17022 and Lambda at the start-up readings: tests/cli/cases/panels.txt.
TEST(Carbon, StartUpAndCalibrations) {
  // Choosing the probe computes nothing: a row whose result it wrote would show no change.
  // clang-format off
  const struct { const char *name, *mv, *t, *co; int probe; const char* shown; } rows[] = {
    {"Accucarb, a lean atmosphere", "1000", "900", "20", Accucarb, "0.116"},
    {"Accucarb at the bounds, far past saturation", "1340", "650", "37", Accucarb, "1240.084"},
    {"a comma ends the voltage: 1121 mV", "1121,7", "830", "20", Accucarb, "1.000"},
    {"DIN: the smallest root, not a value near -18", "960", "1300", "2", Din, "0.002"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.caption("CarbonLbl"), started.local("1.000"));
    for (const auto& r : rows) {
      const testing::Texts texts{{"MvZccTxt", r.mv}, {"TempTxt", r.t}, {"CoTxt", r.co}};
      EXPECT_EQ(testing::panelWindow(texts, "ProbeCmb", r.probe, {"CarbonLbl"}, settings)
                    .outcomeOf(CarbonBtn_Click),
                "CarbonLbl=" + started.local(r.shown) + "\n")
          << r.name;
    }
  }
}

// Every bound is inclusive. Only the first reading past its limits is put
// back to its start-up text, after the limits box; a number beyond the
// double range is reported before any limit is tested.
TEST(Carbon, LimitsAndFaults) {
  const std::string limitsBox =
      "box: The min mV probe value is 960 mV\nThe max mV probe value is 1340 mV\n"
      "The min probe temperature value is 650 \u00b0C\n"
      "The max probe temperature value is 1300 \u00b0C\n"
      "The min %Co value is 2 %\nThe max %Co value is 37 %\n";
  std::vector<std::pair<testing::Texts, std::string>> cases{
      // no outcome: a result
      {{{"MvZccTxt", "500"}, {"TempTxt", "2000"}, {"CoTxt", "99"}}, limitsBox + "MvZccTxt=1121\n"},
      {{{"TempTxt", "1E400"}, {"MvZccTxt", "1E400"}},
       "box: The probe temperature is too large a number.\nCarbonLbl=\n"},
  };
  for (const testing::BoundText& b : testing::boundTexts({{"MvZccTxt", 960, 1340, "1121"},
                                                          {"TempTxt", 650, 1300, "830"},
                                                          {"CoTxt", 2, 37, "20"}}))
    cases.push_back({{{b.textBox, b.text}}, b.passes ? "" : limitsBox + b.reset});
  for (const auto& [texts, outcome] : cases) {
    // The tests come before the probe is looked at; a reading that passes
    // gets a result, whatever it is.
    const int probe = outcome.empty() ? Accucarb : -1;
    const std::string got =
        testing::panelWindow(texts, "ProbeCmb", probe, {"CarbonLbl"}).outcomeOf(CarbonBtn_Click);
    EXPECT_EQ(outcome.empty() && got.starts_with("CarbonLbl=") ? "" : got, outcome)
        << texts[0].first << "=" << texts[0].second;
  }
}

TEST(Carbon, Log10OfANonPositiveValueIsEmpty) {
  EXPECT_NEAR(carbonLog10(0.01).value_or(0), -2.0, 1e-15);
  EXPECT_FALSE(carbonLog10(0) || carbonLog10(-17.5));
}

TEST(Carbon, DinSettlesOnThePositiveRoot) {
  EXPECT_EQ(solveDin17022(1121, 830, 20)->passes, 8);
  const auto settles = [](double mv, double t, double co) {
    const auto s = solveDin17022(mv, t, co);
    // The residual of the DIN 17022 equation at the root.
    return s && s->carbon > 0 &&
           std::fabs(std::log10(s->carbon) + 0.15 * s->carbon -
                     (mv - 816.1) / (0.0992 * (t + 273.14)) - std::log10(co / 100) + 1.995) < 1e-6;
  };
  // Far below the accepted voltages several overshoots follow in a row.
  EXPECT_TRUE(settles(500, 1300, 2) && settles(700, 1300, 2));
  // Low voltage, high temperature and CO near 2 % put the root below the
  // start value; the first Newton step then overshoots below zero, and
  // without care settles near -17 or -18.
  for (double mv : {960.0, 970.0, 1000.0, 1100.0, 1340.0})
    for (double t = 650; t <= 1300; t += 130)
      for (double co : {2.0, 2.1, 3.0, 20.0, 37.0})
        EXPECT_TRUE(settles(mv, t, co)) << mv << " " << t << " " << co;
}

}  // namespace
}  // namespace pyrelon
