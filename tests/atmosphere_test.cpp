// The atmosphere tool: published figures, round trips through the
// equivalents, the direction of every reading, and each refusal. Expected
// figures are worked out by hand or taken from the literature named beside
// them; the independent model (tests/model/atmosphere_model.py) checks the
// rest over a grid.
#include "atmosphere/atmosphere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "atmosphere/nitriding_potential.h"
#include "shell/tool_form.h"

namespace pyrelon {
namespace {

using Given = std::initializer_list<std::pair<std::string_view, double>>;

// Each input's start value, then the readings given.
std::vector<std::optional<double>> readingsOf(Given given) {
  const std::span<const ToolInput> inputs = atmosphereTool().inputs;
  std::vector<std::optional<double>> readings;
  for (const ToolInput& input : inputs) readings.push_back(input.start);
  for (const auto& [key, value] : given) {
    const auto at = std::ranges::find(inputs, key, &ToolInput::key);
    EXPECT_NE(at, inputs.end()) << key;
    if (at != inputs.end()) readings[static_cast<std::size_t>(at - inputs.begin())] = value;
  }
  return readings;
}

ToolOutcome run(Given given) { return atmosphereTool().calculate(readingsOf(given)); }

// A result's number, or NaN where it is absent (which every check then fails).
double number(const ToolOutcome& out, int result, int member = -1) {
  if (!out.error.empty()) return std::numeric_limits<double>::quiet_NaN();
  const ToolValue& v = member < 0 ? out.results[result] : out.results[result].members[member];
  return v.kind == ToolValue::Kind::Number ? v.number : std::numeric_limits<double>::quiet_NaN();
}

// --- Literature -------------------------------------------------------------

// The figures quoted with the tool (endothermic gas at 925 °C, 0.80 %C)
// are checked through the program: tests/cli/atmosphere_program_test.cpp.

TEST(AtmosphereLiterature, GunnarsonActivityAt925) {
  // log10 aC = 1.919626 - 2.21 + 0.12 - 0.096910 = -0.267284: aC = 0.54040.
  EXPECT_NEAR(gunnarsonActivity(0.8, 1198.15), 0.54040, 0.00001);
  EXPECT_NEAR(carbonOfActivity(0.54040, 1198.15), 0.8, 0.00002);
}

TEST(AtmosphereLiterature, MagnusVapourPressures) {
  // Each figure with half its last digit.
  // clang-format off
  const struct { const char* name; double (*e)(double); double celsius, hpa, halfStep; } rows[] = {
      {"water at 0 °C", waterVapourPressure, 0, 6.112, 0.0005},
      {"ice at 0 °C", iceVapourPressure, 0, 6.112, 0.0005},
      {"water at -10 °C", waterVapourPressure, -10, 2.870, 0.0005},
      {"ice at -10 °C", iceVapourPressure, -10, 2.599, 0.0005},
      {"water at 20 °C", waterVapourPressure, 20, 23.33, 0.005},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_NEAR(r.e(r.celsius), r.hpa, r.halfStep) << r.name;
  // Reference tables (2.865 and 23.39 hPa): within the forms' 0.4 %.
  EXPECT_NEAR(waterVapourPressure(-10) / 2.865, 1, 0.004);
  EXPECT_NEAR(waterVapourPressure(20) / 23.39, 1, 0.004);
}

TEST(AtmosphereLiterature, EquilibriumConstantsFollowTheQuotedLines) {
  // The straight lines quoted for 1000-1300 K, residual at most 0.0024.
  // clang-format off
  const struct { const char* name; CarbonReaction reaction; double a, b; } rows[] = {
      {"2CO = C + CO2", CarbonReaction::Boudouard, 8840.9, -9.0858},
      {"CO + H2 = C + H2O", CarbonReaction::WaterGas, 7093.6, -7.4950},
      {"CO = C + 1/2 O2", CarbonReaction::CoDissociation, -5892.9, -4.5693},
  };
  // clang-format on
  for (const auto& r : rows)
    for (double kelvin = 1000; kelvin <= 1300; kelvin += 25)
      EXPECT_NEAR(log10K(r.reaction, kelvin), r.a / kelvin + r.b, 0.0025)
          << r.name << " at " << kelvin << " K";
  // At a row the table itself: log Kf(CO2) - 2 log Kf(CO) = 20.679 - 20.922.
  EXPECT_NEAR(log10K(CarbonReaction::Boudouard, 1000), -0.243, 1e-12);
  EXPECT_NEAR(log10K(CarbonReaction::Methane, 1200), 1.807, 1e-12);
}

// The slope RT ln10 / 4F, the alloy factor's coefficients and the shim's
// formula are pinned by help.html and the golden transcript.
TEST(AtmosphereLiterature, AtZeroMillivoltsTheProbeSeesTheReferenceAir) {
  // 0.2095 atm = 0.2123 bar.
  EXPECT_NEAR(probeOxygenPressure(0, 1200), 0.2123, 0.0001);
}

// --- Round trips ------------------------------------------------------------

TEST(AtmosphereRoundTrip, EquivalentsFedBackGiveTheTarget) {
  // clang-format off
  const struct { const char* name; int member; std::string_view key; int reading; } backs[] = {
      {"dew point", kEqDewPoint, "dew-point", kReadDewPoint},
      {"frost point", kEqFrostPoint, "frost-point", kReadDewPoint},
      {"CO2", kEqCo2, "co2", kReadCo2}, {"probe", kEqMv, "mv", kReadProbe},
  };
  // clang-format on
  int checked = 0;
  for (double t = 800; t <= 1100; t += 50) {
    for (auto [co, h2] : {std::pair{20.0, 40.0}, {10.0, 10.0}, {40.0, 40.0}}) {
      for (double target : {0.05, 0.2, 0.5, 0.8, 1.0, 1.2, 1.5}) {
        const ToolOutcome eq =
            run({{"temp", t}, {"co", co}, {"h2", h2}, {"target-carbon", target}});
        if (!eq.error.empty()) continue;  // above saturation at this temperature
        for (const auto& b : backs) {
          const double value = number(eq, kAtmEquivalents, b.member);
          if (std::isnan(value)) continue;  // outside the reading's range
          const ToolOutcome back = run({{"temp", t}, {"co", co}, {"h2", h2}, {b.key, value}});
          EXPECT_NEAR(number(back, kAtmCarbonPotential, b.reading), target, 0.001)
              << b.name << " at " << t << " °C, CO " << co << ", target " << target;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
}

// --- Directions -------------------------------------------------------------

TEST(AtmosphereDirection, PotentialMovesOneWayOverTheRange) {
  // Each sweep holds `reading` at `value` and varies `varied` from `from` to
  // `to`; sign +1: the potential rises with it.
  // clang-format off
  const struct {
    const char* name; std::string_view reading; double value; int member;
    std::string_view varied; double from, to; int sign;
  } sweeps[] = {
      {"probe, rising CO", "mv", 1100, kReadProbe, "co", 0.1, 60, +1},
      {"dew point, rising CO", "dew-point", 0, kReadDewPoint, "co", 0.1, 60, +1},
      {"CO2, rising CO", "co2", 0.5, kReadCo2, "co", 0.1, 60, +1},
      {"dew point, rising dew point", "co", 20, kReadDewPoint, "dew-point", -45, 30, -1},
      {"frost point, rising frost point", "co", 20, kReadDewPoint, "frost-point", -60, 0, -1},
      {"CO2, rising CO2", "co", 20, kReadCo2, "co2", 0.001, 20, -1},
      {"probe, rising mV", "co", 20, kReadProbe, "mv", 900, 1300, +1},
      {"dew point, rising temperature", "dew-point", -5, kReadDewPoint, "temp", 800, 1100, -1},
      {"CO2, rising temperature", "co2", 0.15, kReadCo2, "temp", 800, 1100, -1},
      {"probe, rising temperature", "mv", 1100, kReadProbe, "temp", 800, 1100, -1},
  };
  // clang-format on
  for (const auto& s : sweeps) {
    double previous = s.sign > 0 ? -1 : 1e9;
    int numbers = 0;
    for (int i = 0; i <= 200; ++i) {
      const double x = s.from + (s.to - s.from) * i / 200;
      const ToolOutcome out = s.varied == "temp"
                                  ? run({{s.reading, s.value}, {"temp", x}})
                                  : run({{"temp", 925}, {s.reading, s.value}, {s.varied, x}});
      const double c = number(out, kAtmCarbonPotential, s.member);
      if (std::isnan(c)) continue;  // sooting
      EXPECT_GT(s.sign * (c - previous), 0) << s.name << " at " << x;
      previous = c;
      ++numbers;
    }
    EXPECT_GT(numbers, 20) << s.name;
  }
}

// --- What the tool says beside its numbers ----------------------------------

// The notes (sooting, below Ae3, the alloy factor's, methane's) are the
// golden transcript's and cases/atmosphere.txt's; which readings soot, the
// independent model's too.

// Straight lines between the knots: halfway from 800 to 850 °C is halfway
// from 0.34 to 0.16 %C, halfway from 850 to 912 °C halfway from 0.16 to 0.
TEST(AtmosphereNotes, Ae3IsLinearBetweenItsPoints) {
  // clang-format off
  const struct { const char* name; double celsius, carbon; } rows[] = {
      {"held below 800", 700, 0.34}, {"800", 800, 0.34}, {"825", 825, 0.25}, {"850", 850, 0.16},
      {"881", 881, 0.08}, {"912", 912, 0}, {"above 912", 1000, 0}, {"810", 810, 0.304},
  };
  // clang-format on
  for (const auto& row : rows) EXPECT_NEAR(ae3Carbon(row.celsius), row.carbon, 1e-12) << row.name;
}

TEST(AtmosphereNotes, SpreadAndOutlierLeaveMethaneOut) {
  // Probe, dew point and CO2 at the 0.8 %C equivalents, a shim at 0.5 %C.
  // clang-format off
  const ToolOutcome out = run({{"temp", 925}, {"mv", 1138.53}, {"dew-point", -5.565},
      {"co2", 0.1467}, {"ch4", 0.02}, {"shim-initial-carbon", 0}, {"shim-initial-mg", 1000},
      {"shim-final-mg", 1000 / 0.995}});
  // clang-format on
  ASSERT_EQ(out.error, "");
  EXPECT_NEAR(number(out, kAtmCarbonPotential, kReadShim), 0.5, 1e-9);
  EXPECT_NEAR(number(out, kAtmSpread), 0.3, 0.002);
  EXPECT_EQ(out.results[kAtmOutlier].text, "shim");
}

TEST(AtmosphereNotes, CoForShimGivesTheShimsCarbonAtTheProbe) {
  // clang-format off
  const ToolOutcome out = run({{"temp", 925}, {"mv", 1138.53}, {"shim-initial-carbon", 0},
      {"shim-initial-mg", 1000}, {"shim-final-mg", 1000 / 0.992}});
  // clang-format on
  const double co = number(out, kAtmCoForShim);
  ASSERT_FALSE(std::isnan(co));
  const ToolOutcome back = run({{"temp", 925}, {"mv", 1138.53}, {"co", co}});
  EXPECT_NEAR(number(back, kAtmCarbonPotential, kReadProbe), 0.8, 0.0005);
}

// --- One outcome kept from row to row ------------------------------------

// Every value, note and absence as the faces list them, one line each.
std::string shownLines(const ToolOutcome& outcome) {
  std::string out = outcome.error + "\n";
  for (const ToolLine& line : toolLines(atmosphereTool(), outcome, "."))
    out += line.path + "=" + line.value + " [" + line.note + "]" + (line.absent ? " absent" : "") +
           "\n";
  return out;
}

TEST(AtmosphereReuse, AKeptOutcomeShowsNothingOfTheRowBefore) {
  // Rows in this order, each leaving behind what the next must not show: a
  // note, a sooting list, an outlier, equivalents, a shim, an error.
  // clang-format off
  const struct { const char* name; Given given; } rows[] = {
      {"every reading and a target", {{"temp", 925}, {"mv", 1130}, {"dew-point", -2}, {"co2", 0.3},
       {"ch4", 0.5}, {"target-carbon", 0.8}, {"shim-initial-carbon", 0.1},
       {"shim-initial-mg", 1000}, {"shim-final-mg", 1006}, {"si", 0.3}}},
      {"probe alone", {{"temp", 925}, {"mv", 1130}}},
      {"sooting CO2", {{"temp", 925}, {"co2", 0.01}}},
      {"probe alone again", {{"temp", 925}, {"mv", 1130}}},
      {"no temperature", {{"mv", 1130}}}, {"below Ae3", {{"temp", 925}, {"mv", 1050}}},
      {"out of range", {{"temp", 700}, {"mv", 1130}}},
      {"probe at last", {{"temp", 880}, {"mv", 1120}, {"co", 19}}},
  };
  // clang-format on
  const ToolDescriptor& tool = atmosphereTool();
  ASSERT_NE(tool.fill, nullptr);
  ToolOutcome kept;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ToolForm form = checkToolReadings(tool, readingsOf(row.given), ".");
    const ToolOutcome fresh = runTool(tool, form);
    runToolInto(tool, form, kept);
    EXPECT_EQ(toolJson(tool, form.readings, kept, 0), toolJson(tool, form.readings, fresh, 0));
    EXPECT_EQ(shownLines(kept), shownLines(fresh));
    EXPECT_EQ(kept.failedInput, fresh.failedInput);
  }
}

// --- Refusals ---------------------------------------------------------------

TEST(AtmosphereErrors, EverySentenceNamesItsBound) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  // clang-format off
  const struct { const char* name; Given given; const char* sentence; int input; } rows[] = {
      {"no temperature", {}, "The furnace temperature is needed, from 800 to 1100 °C.", kAtmTemp},
      {"temperature too high", {{"temp", 1100.5}},
       "The furnace temperature must be between 800 and 1100 °C.", kAtmTemp},
      {"frost point above 0 °C", {{"temp", 925}, {"frost-point", 0.1}},
       "The frost point must be between -60 and 0 °C.", kAtmFrostPoint},
      {"dew and frost point", {{"temp", 925}, {"dew-point", -5}, {"frost-point", -5}},
       "Give the dew point or the frost point, not both: a meter reports one of them.",
       kAtmFrostPoint},
      {"negative shim carbon",
       {{"temp", 925}, {"shim-initial-carbon", 0.1}, {"shim-initial-mg", 1000},
        {"shim-final-mg", 998}},
       "The shim's masses give a negative carbon: the final mass must be at least 999 mg.",
       kAtmShimFinalMg},
      {"shim without its initial carbon",
       {{"temp", 925}, {"shim-initial-mg", 1000}, {"shim-final-mg", 1005}},
       "A shim needs its initial carbon, its initial mass and its final mass.",
       kAtmShimInitialCarbon},
      {"alloy above 5 %", {{"temp", 925}, {"cr", 3}, {"ni", 2.5}},
       "Si, Mn, Cr, Ni and Mo together must be at most 5 %.", kAtmSi},
      {"target above saturation", {{"temp", 925}, {"target-carbon", 1.3}},
       "The target carbon must be at most the graphite saturation, 1.262 %C at 925 °C.",
       kAtmTargetCarbon},
      {"target below its range", {{"temp", 925}, {"target-carbon", 0.04}},
       "The target carbon must be between 0.05 and 2 %C.", kAtmTargetCarbon},
      {"gases above 100 %", {{"temp", 925}, {"co", 45}, {"h2", 55}, {"co2", 1}},
       "CO, H2, CO2 and CH4 together must be at most 100 %.", kAtmH2},
      {"probe below its range", {{"temp", 925}, {"mv", 899}},
       "The probe voltage must be between 900 and 1300 mV.", kAtmMv},
      // Refused, not computed.
      {"probe not a number", {{"temp", 925}, {"mv", nan}},
       "The probe voltage must be between 900 and 1300 mV.", kAtmMv},
      {"dew point above its range", {{"temp", 925}, {"dew-point", 30.5}},
       "The dew point must be between -45 and 30 °C.", kAtmDewPoint},
  };
  // clang-format on
  for (const auto& r : rows) {
    const ToolOutcome out = run(r.given);
    EXPECT_EQ(out.error, r.sentence) << r.name;
    EXPECT_EQ(out.failedInput, r.input) << r.name;
    EXPECT_TRUE(out.results.empty()) << r.name;
  }
}

// Called with a wrong number of readings, the calculators say how many they
// take: eighteen for the atmosphere (temperature, CO, H2, pressure, probe,
// dew and frost points, CO2, CH4, the shim's three, the target and five
// alloying elements), seven for the nitriding potential (temperature, NH3,
// H2, burette, dissociation, NH3 fed, pressure).
TEST(AtmosphereErrors, AWrongNumberOfReadingsIsRefused) {
  // clang-format off
  const struct { const ToolDescriptor& tool; std::size_t given; const char* sentence; } rows[] = {
      {atmosphereTool(), 17, "The atmosphere tool needs 18 readings."},
      {atmosphereTool(), 19, "The atmosphere tool needs 18 readings."},
      {nitridingPotentialTool(), 0, "The nitriding-potential tool needs 7 readings."},
  };
  // clang-format on
  for (const auto& r : rows) {
    const std::vector<std::optional<double>> readings(r.given);
    const ToolOutcome out = r.tool.calculate(readings);
    EXPECT_EQ(out.error, r.sentence) << r.given;
    EXPECT_EQ(out.failedInput, -1) << r.given;
    EXPECT_TRUE(out.results.empty()) << r.given;
  }
}

TEST(AtmosphereSolver, ExtremeActivitiesStayFinite) {
  for (double a : {1e-300, 1e-30, 1e-3, 0.999999, 1.0, 1e3, 1e30, 1e300}) {
    for (double kelvin : {1073.15, 1373.15}) {
      const double c = carbonOfActivity(a, kelvin);
      EXPECT_TRUE(std::isfinite(c) && c > 0) << a;
      if (a > 1e-290) {
        EXPECT_NEAR(std::log10(gunnarsonActivity(c, kelvin)), std::log10(a), 1e-9) << a;
      }
    }
  }
  EXPECT_EQ(carbonOfActivity(0, 1200), 0);
  EXPECT_EQ(carbonOfActivity(-1, 1200), 0);
}

}  // namespace
}  // namespace pyrelon
