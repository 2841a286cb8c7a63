#include "probes/carbon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kLimitsBox =
    "The min mV probe value is 960 mV\n"
    "The max mV probe value is 1340 mV\n"
    "The min probe temperature value is 650 \u00b0C\n"
    "The max probe temperature value is 1300 \u00b0C\n"
    "The min %Co value is 2 %\n"
    "The max %Co value is 37 %";

enum Probe { Accucarb = 0, Din = 1, LambdaProbe = 2 };

// The carbon panel alone, at the given readings, with a stale result.
FakeWindow carbonPanel(std::string mv, std::string t, std::string co, int probe = Accucarb,
                       NumberSettings settings = testing::pointSettings()) {
  FakeWindow w;
  w.settings = settings;
  w.setListEntries("ProbeCmb", {"Accucarb", "DIN 17022", "Lambda"}, probe);
  w.setText("MvZccTxt", mv);
  w.setText("TempTxt", t);
  w.setText("CoTxt", co);
  w.setCaption("CarbonLbl", "stale");
  return w;
}

std::string withSeparator(std::string text, const NumberSettings& settings) {
  for (char& c : text)
    if (c == '.') c = settings.decimalSeparator[0];
  return text;
}

TEST(Carbon, StartupShowsAccucarbResult) {
  FakeWindow w;
  Form_Load(w);
  EXPECT_EQ(w.caption("CarbonLbl"), "1.000");
}

TEST(Carbon, CalibrationsGiveTheKnownCarbonPotentials) {
  const struct {
    const char *mv, *t, *co;
    int probe;
    const char* shown;
  } rows[] = {
      {"1121", "830", "20", Accucarb, "1.000"},  {"1121", "830", "20", Din, "0.905"},
      {"1121", "830", "20", LambdaProbe, "0.442"}, {"1000", "900", "20", Accucarb, "0.116"},
      {"1000", "900", "20", Din, "0.075"},       {"1000", "900", "20", LambdaProbe, "0.056"},
      {"1340", "650", "37", Accucarb, "1240.084"}, {"1121,7", "830", "20", Accucarb, "1.000"},
  };
  for (const NumberSettings& settings : {testing::pointSettings(), testing::commaSettings()}) {
    for (const auto& r : rows) {
      FakeWindow w = carbonPanel(r.mv, r.t, r.co, r.probe, settings);
      CarbonBtn_Click(w);
      EXPECT_EQ(w.caption("CarbonLbl"), withSeparator(r.shown, settings))
          << r.mv << " mV " << r.t << " C " << r.co << " % probe " << r.probe;
      EXPECT_TRUE(w.infoBoxes.empty());
    }
  }
}

TEST(Carbon, DinSettlesAfterEightPassesOnStartupReadings) {
  const auto solution = solveDin17022(1121, 830, 20);
  ASSERT_TRUE(solution);
  EXPECT_EQ(solution->passes, 8);
  EXPECT_NEAR(solution->carbon, 0.90476, 5e-6);
}

TEST(Carbon, LimitsAreInclusiveAndAFailureResetsOnlyThatBoxAfterTheBox) {
  const struct {
    const char* box;
    const char* text;
    bool accepted;
    const char* resetText;
  } rows[] = {
      {"MvZccTxt", "960", true, ""},     {"MvZccTxt", "1340", true, ""},
      {"MvZccTxt", "959.9", false, "1121"}, {"MvZccTxt", "1340.1", false, "1121"},
      {"MvZccTxt", "abc", false, "1121"},   {"TempTxt", "650", true, ""},
      {"TempTxt", "1300", true, ""},     {"TempTxt", "649.9", false, "830"},
      {"TempTxt", "1300.5", false, "830"},  {"CoTxt", "2", true, ""},
      {"CoTxt", "37", true, ""},         {"CoTxt", "1.9", false, "20"},
      {"CoTxt", "37.1", false, "20"},
  };
  for (int probe : {Accucarb, Din, LambdaProbe}) {
    for (const auto& r : rows) {
      SCOPED_TRACE(std::string(r.box) + " = " + r.text);
      FakeWindow w = carbonPanel("1121", "830", "20", probe);
      w.setText(r.box, r.text);
      CarbonBtn_Click(w);
      if (r.accepted) {
        EXPECT_TRUE(w.infoBoxes.empty());
        EXPECT_NE(w.caption("CarbonLbl"), "stale");
        EXPECT_EQ(w.text(r.box), r.text);
        continue;
      }
      ASSERT_EQ(w.infoBoxes.size(), 1u);
      EXPECT_EQ(w.infoBoxes[0].text, kLimitsBox);
      EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at(r.box), r.text);
      EXPECT_EQ(w.text(r.box), r.resetText);
      EXPECT_EQ(w.caption("CarbonLbl"), "stale");
    }
  }
}

TEST(Carbon, OnlyTheFirstFailingReadingIsReset) {
  FakeWindow w = carbonPanel("500", "2000", "99");
  CarbonBtn_Click(w);
  EXPECT_EQ(w.infoBoxes.size(), 1u);
  EXPECT_EQ(w.text("MvZccTxt"), "1121");
  EXPECT_EQ(w.text("TempTxt"), "2000");
  EXPECT_EQ(w.text("CoTxt"), "99");
}

TEST(Carbon, ANumberBeyondTheDoubleRangeIsReportedBeforeTheLimits) {
  const struct {
    const char *box, *message;
  } rows[] = {
      {"TempTxt", "The probe temperature is too large a number."},
      {"MvZccTxt", "The probe voltage is too large a number."},
      {"CoTxt", "The CO content is too large a number."},
  };
  for (const auto& r : rows) {
    FakeWindow w = carbonPanel("5", "5", "5");
    w.setText(r.box, "1E400");
    CarbonBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.box;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.caption("CarbonLbl"), "");
    EXPECT_EQ(w.text(r.box), "1E400");
  }
}

TEST(Carbon, ChoosingAnotherProbeDoesNotRecompute) {
  FakeWindow w;
  Form_Load(w);
  w.setSelectedIndex("ProbeCmb", Din);
  EXPECT_EQ(w.caption("CarbonLbl"), "1.000");
  CarbonBtn_Click(w);
  EXPECT_EQ(w.caption("CarbonLbl"), "0.905");
}

TEST(Carbon, Log10OfANonPositiveValueIsEmptyAndShowsTheValue) {
  const struct {
    double x;
    std::optional<double> result;
    const char* caption;
  } rows[] = {{100, 2.0, "stale"}, {0.01, -2.0, "stale"}, {0, std::nullopt, " 0"},
              {-17.5, std::nullopt, "-17.5"}};
  for (const auto& r : rows) {
    FakeWindow w = carbonPanel("1121", "830", "20");
    const auto result = CarbonLog10(w, r.x);
    ASSERT_EQ(result.has_value(), r.result.has_value()) << r.x;
    if (result) {
      EXPECT_NEAR(*result, *r.result, 1e-15);
    }
    EXPECT_EQ(w.caption("CarbonLbl"), r.caption);
  }
}

// Residual of the DIN 17022 equation at cp.
double dinResidual(double cp, double mv, double t, double co) {
  const double k = 0.0992 * (t + 273.14);
  return std::log10(cp) + 0.15 * cp - ((mv - 816.1) / k + std::log10(co / 100) - 1.995);
}

TEST(Carbon, DinFindsThePositiveRootEverywhereInTheAcceptedRanges) {
  // Low voltage, high temperature and CO near 2 % put the root below the
  // start value; there the first Newton step overshoots below zero.
  for (double mv = 960; mv <= 1340; mv += 10) {
    for (double t = 650; t <= 1300; t += 25) {
      for (double co : {2.0, 2.1, 2.5, 3.0, 5.0, 10.0, 20.0, 37.0}) {
        const auto solution = solveDin17022(mv, t, co);
        ASSERT_TRUE(solution) << mv << " " << t << " " << co;
        EXPECT_GT(solution->carbon, 0);
        EXPECT_NEAR(dinResidual(solution->carbon, mv, t, co), 0, 1e-6)
            << mv << " " << t << " " << co;
        EXPECT_LE(solution->passes, 40);
      }
    }
  }
  const auto smallest = solveDin17022(960, 1300, 2);
  ASSERT_TRUE(smallest);
  EXPECT_NEAR(smallest->carbon, 0.0017, 0.0001);
}

TEST(Carbon, DinShowsTheSmallestRootRatherThanANegativeValue) {
  FakeWindow w = carbonPanel("960", "1300", "2", Din);
  CarbonBtn_Click(w);
  EXPECT_EQ(w.caption("CarbonLbl"), "0.002");
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST(Carbon, DinClimbsBackFromRepeatedOvershoots) {
  // Far below the accepted voltages the root is many decades under the
  // start value, so several overshoots happen in a row.
  for (double mv : {700.0, 500.0}) {
    const auto solution = solveDin17022(mv, 1300, 2);
    ASSERT_TRUE(solution) << mv;
    EXPECT_GT(solution->carbon, 0);
    EXPECT_NEAR(dinResidual(solution->carbon, mv, 1300, 2), 0, 1e-6) << mv;
  }
}

}  // namespace
}  // namespace pyrelon
