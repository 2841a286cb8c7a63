// The nitriding-potential tool: the quoted figures, the three ways to give
// the gas, the phase boundaries of Brunauer et al. (1931), and each refusal.
#include "atmosphere/nitriding_potential.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace pyrelon {
namespace {

using Given = std::initializer_list<std::pair<std::string_view, double>>;

ToolOutcome run(Given given) {
  const ToolDescriptor& tool = nitridingPotentialTool();
  std::vector<std::optional<double>> readings;
  for (const ToolInput& input : tool.inputs) readings.push_back(input.start);
  for (const auto& [key, value] : given) {
    for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
      if (tool.inputs[i].key == key) readings[i] = value;
    }
  }
  return tool.calculate(readings);
}

double kn(const ToolOutcome& out) {
  return out.error.empty() && out.results[kNpKn].kind == ToolValue::Kind::Number
             ? out.results[kNpKn].number
             : std::numeric_limits<double>::quiet_NaN();
}

TEST(NitridingPotentialLiterature, QuotedFigures) {
  struct Row {
    const char* name;
    Given given;
    double kn, tolerance;
  };
  const Row rows[] = {
      // 0.70 / (1.5 * 0.30 / 2)^1.5 = 0.70 / 0.225^1.5 = 6.559.
      {"burette 30 % with a pure feed", {{"temp", 500}, {"burette", 30}}, 6.559, 0.001},
      // A = D / (2 - D) = 0.3 / 1.7 = 17.647 %.
      {"the same as a dissociation", {{"temp", 500}, {"dissociation", 30 / 1.7}}, 6.559, 0.001},
      // 0.37 / 0.63^1.5 = 0.7399, the nitriding panel's factor at 1 atm.
      {"37 % NH3, 63 % H2", {{"temp", 500}, {"nh3", 37}, {"h2", 63}}, 0.7399, 0.0001},
      // Kn scales with P^-1/2: 0.7399 / sqrt(1.2).
      {"at 1215.9 mbar",
       {{"temp", 500}, {"nh3", 37}, {"h2", 63}, {"pressure", 1215.9}},
       0.7399 / std::sqrt(1.2),
       0.0001},
      // Feed of 50 % NH3, burette 60 %: x_NH3 0.4, x_H2 1.5 * 0.1 / 1.5 = 0.1, Kn 0.4 / 0.1^1.5.
      {"burette with a 50 % feed",
       {{"temp", 500}, {"burette", 60}, {"feed-nh3", 50}},
       0.4 / std::pow(0.1, 1.5),
       1e-9},
  };
  for (const Row& r : rows) EXPECT_NEAR(kn(run(r.given)), r.kn, r.tolerance) << r.name;
}

TEST(NitridingPotentialLiterature, BoundariesMeetTheMeasurements) {
  // Kn = x / (1 - x)^1.5 at the measured ammonia contents, NH3-H2 at 1 atm.
  struct Row {
    const char* name;
    NitridingBoundary boundary;
    double celsius, nh3, logTolerance;
  };
  const Row rows[] = {
      {"alpha/gamma-prime at 400 °C", kAlphaGammaPrime, 400, 0.37, 1e-9},
      {"alpha/gamma-prime at 575 °C", kAlphaGammaPrime, 575, 0.145, 1e-9},
      {"gamma-prime/epsilon at 400 °C", kGammaPrimeEpsilon, 400, 0.77, 0.03},
      {"gamma-prime/epsilon at 444 °C", kGammaPrimeEpsilon, 444, 0.70, 0.03},
      {"gamma-prime/epsilon at 500 °C", kGammaPrimeEpsilon, 500, 0.57, 0.03},
  };
  for (const Row& r : rows) {
    const double measured = r.nh3 / std::pow(1 - r.nh3, 1.5);
    EXPECT_NEAR(std::log10(boundaryKn(r.boundary, r.celsius + 273.15)), std::log10(measured),
                r.logTolerance)
        << r.name;
  }
  // The lines quoted for checking: 1976/T - 3.067 and 2808/T - 3.314.
  for (double t = 400; t <= 590; t += 10) {
    const double kelvin = t + 273.15;
    EXPECT_NEAR(std::log10(boundaryKn(kAlphaGammaPrime, kelvin)), 1976 / kelvin - 3.067, 0.002);
    EXPECT_NEAR(std::log10(boundaryKn(kGammaPrimeEpsilon, kelvin)), 2808 / kelvin - 3.314, 0.002);
  }
}

TEST(NitridingPotentialPhase, EachSideOfEachBoundary) {
  // At 500 °C the boundaries lie at Kn 0.309 and 2.08.
  struct Row {
    const char* name;
    double nh3, h2;
    const char* phase;
  };
  const Row rows[] = {
      {"Kn 0.1: alpha", 5, 100 * std::pow(0.05 / 0.1, 1 / 1.5), "alpha"},
      {"Kn 1: gamma-prime", 30, 100 * std::pow(0.3, 1 / 1.5), "gamma-prime"},
      {"Kn 4: epsilon", 60, 100 * std::pow(0.6 / 4, 1 / 1.5), "epsilon"},
  };
  for (const Row& r : rows) {
    const ToolOutcome out = run({{"temp", 500}, {"nh3", r.nh3}, {"h2", r.h2}});
    ASSERT_EQ(out.error, "") << r.name;
    EXPECT_EQ(out.results[kNpPhase].text, r.phase) << r.name;
  }
  EXPECT_EQ(nitridedPhase(boundaryKn(kAlphaGammaPrime, 800), 800), "gamma-prime");
  EXPECT_EQ(nitridedPhase(boundaryKn(kGammaPrimeEpsilon, 800), 800), "epsilon");
}

TEST(NitridingPotentialPhase, ExtrapolatedBoundariesSaySo) {
  const ToolOutcome measured = run({{"temp", 450}, {"nh3", 30}, {"h2", 70}});
  EXPECT_EQ(measured.results[kNpBoundaries].members[kAlphaGammaPrime].note, "");
  EXPECT_EQ(measured.results[kNpBoundaries].members[kGammaPrimeEpsilon].note, "");
  const ToolOutcome hot = run({{"temp", 580}, {"nh3", 30}, {"h2", 70}});
  EXPECT_EQ(hot.results[kNpBoundaries].members[kAlphaGammaPrime].note,
            "extrapolated beyond the measurements, 400 to 575 °C");
  EXPECT_EQ(hot.results[kNpBoundaries].members[kGammaPrimeEpsilon].note,
            "extrapolated beyond the measurements, 400 to 500 °C");
  const ToolOutcome between = run({{"temp", 540}, {"nh3", 30}, {"h2", 70}});
  EXPECT_EQ(between.results[kNpBoundaries].members[kAlphaGammaPrime].note, "");
  EXPECT_NE(between.results[kNpBoundaries].members[kGammaPrimeEpsilon].note, "");
}

TEST(NitridingPotentialErrors, EverySentenceNamesItsBound) {
  struct Row {
    const char* name;
    Given given;
    const char* sentence;
  };
  const Row rows[] = {
      {"no temperature",
       {{"nh3", 30}, {"h2", 70}},
       "The nitriding temperature is needed, from 400 to 590 °C."},
      {"above the eutectoid",
       {{"temp", 600}, {"nh3", 30}, {"h2", 70}},
       "The nitriding temperature must be between 400 and 590 °C."},
      {"no gas",
       {{"temp", 500}},
       "Give the NH3 and H2 contents, a burette reading or a dissociation."},
      {"two forms",
       {{"temp", 500}, {"nh3", 30}, {"h2", 70}, {"burette", 30}},
       "Give only one of: the NH3 and H2 contents, a burette reading, a dissociation."},
      {"NH3 alone", {{"temp", 500}, {"nh3", 30}}, "Give the NH3 and H2 contents together."},
      {"above 100 %",
       {{"temp", 500}, {"nh3", 50}, {"h2", 60}},
       "NH3 and H2 together must be at most 100 %."},
      {"burette below what the feed allows",
       {{"temp", 500}, {"burette", 40}, {"feed-nh3", 50}},
       "With 50 % ammonia in the feed the burette must read more than 50 %."},
      {"burette at exactly what the feed allows",
       {{"temp", 500}, {"burette", 50}, {"feed-nh3", 50}},
       "With 50 % ammonia in the feed the burette must read more than 50 %."},
  };
  for (const Row& r : rows) EXPECT_EQ(run(r.given).error, r.sentence) << r.name;
}

TEST(NitridingPotentialRange, FiniteOverEveryReading) {
  for (double d = 0.1; d <= 100; d += 0.7) {
    for (double f : {1.0, 30.0, 100.0}) {
      const ToolOutcome burette = run({{"temp", 500}, {"burette", d}, {"feed-nh3", f}});
      if (burette.error.empty()) {
        EXPECT_TRUE(std::isfinite(kn(burette))) << d << " " << f;
      }
      const ToolOutcome dissociation = run({{"temp", 500}, {"dissociation", d}, {"feed-nh3", f}});
      EXPECT_TRUE(std::isfinite(kn(dissociation))) << d << " " << f;
    }
  }
}

}  // namespace
}  // namespace pyrelon
