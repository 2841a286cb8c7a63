// The nitriding-potential tool: the quoted figures, the three ways to give
// the gas, the phase boundaries of Brunauer et al. (1931), and each refusal.
// (The other refusals and the extrapolation notes: tests/golden/cli-transcript.txt;
// Kn and the boundaries over random readings: tests/model/atmosphere_model.py.)
#include "atmosphere/nitriding_potential.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace pyrelon {
namespace {

using Given = std::initializer_list<std::pair<std::string_view, double>>;

ToolOutcome run(Given given) {
  const ToolDescriptor& tool = nitridingPotentialTool();
  std::vector<std::optional<double>> readings;
  for (const ToolInput& input : tool.inputs) readings.push_back(input.start);
  for (const auto& [key, value] : given)
    for (std::size_t i = 0; i < tool.inputs.size(); ++i)
      if (tool.inputs[i].key == key) readings[i] = value;
  return tool.calculate(readings);
}

TEST(NitridingPotentialLiterature, QuotedFigures) {
  // clang-format off
  const struct { const char* name; Given given; double kn, tolerance; } rows[] = {
    // 0.70 / (1.5 * 0.30 / 2)^1.5 = 0.70 / 0.225^1.5 = 6.559.
    {"burette 30 % with a pure feed", {{"temp", 500}, {"burette", 30}}, 6.559, 0.001},
    // A = D / (2 - D) = 0.3 / 1.7 = 17.647 %.
    {"the same as a dissociation", {{"temp", 500}, {"dissociation", 30 / 1.7}}, 6.559, 0.001},
    // 0.37 / 0.63^1.5 = 0.7399, the nitriding panel's factor at 1 atm.
    {"37 % NH3, 63 % H2", {{"temp", 500}, {"nh3", 37}, {"h2", 63}}, 0.7399, 0.0001},
    // Kn scales with P^-1/2: 0.7399 / sqrt(1.2).
    {"at 1215.9 mbar", {{"temp", 500}, {"nh3", 37}, {"h2", 63}, {"pressure", 1215.9}},
     0.7399 / std::sqrt(1.2), 0.0001},
    // Feed of 50 % NH3, burette 60 %: x_NH3 0.4, x_H2 1.5 * 0.1 / 1.5 = 0.1, Kn 0.4 / 0.1^1.5.
    {"burette with a 50 % feed", {{"temp", 500}, {"burette", 60}, {"feed-nh3", 50}},
     0.4 / std::pow(0.1, 1.5), 1e-9},
  };
  // clang-format on
  for (const auto& r : rows) {
    const ToolOutcome out = run(r.given);
    ASSERT_EQ(out.error, "") << r.name;
    EXPECT_NEAR(out.results[kNpKn].number, r.kn, r.tolerance) << r.name;
  }
}

// The fit to the measured ammonia contents themselves: tests/model/atmosphere_model.py.
TEST(NitridingPotentialLiterature, BoundariesFollowTheQuotedLines) {
  // The lines quoted for checking: 1976/T - 3.067 and 2808/T - 3.314.
  for (double t = 400; t <= 590; t += 10) {
    const double kelvin = t + 273.15;
    EXPECT_NEAR(std::log10(boundaryKn(kAlphaGammaPrime, kelvin)), 1976 / kelvin - 3.067, 0.002);
    EXPECT_NEAR(std::log10(boundaryKn(kGammaPrimeEpsilon, kelvin)), 2808 / kelvin - 3.314, 0.002);
  }
}

TEST(NitridingPotentialPhase, EachSideOfEachBoundary) {
  // At 500 °C the boundaries lie at Kn 0.309 and 2.08.
  // clang-format off
  const struct { const char* name; double nh3, h2; const char* phase; } rows[] = {
    {"Kn 0.1: alpha", 5, 100 * std::pow(0.05 / 0.1, 1 / 1.5), "alpha"},
    {"Kn 1: gamma-prime", 30, 100 * std::pow(0.3, 1 / 1.5), "gamma-prime"},
    {"Kn 4: epsilon", 60, 100 * std::pow(0.6 / 4, 1 / 1.5), "epsilon"},
  };
  // clang-format on
  for (const auto& r : rows) {
    const ToolOutcome out = run({{"temp", 500}, {"nh3", r.nh3}, {"h2", r.h2}});
    ASSERT_EQ(out.error, "") << r.name;
    EXPECT_EQ(out.results[kNpPhase].text, r.phase) << r.name;
  }
  // A Kn on a boundary belongs to the phase above it.
  EXPECT_EQ(nitridedPhase(boundaryKn(kAlphaGammaPrime, 800), 800), "gamma-prime");
  EXPECT_EQ(nitridedPhase(boundaryKn(kGammaPrimeEpsilon, 800), 800), "epsilon");
}

// The refusals the command-line transcript does not show.
TEST(NitridingPotentialErrors, ContentsWithABuretteAndABuretteAtTheFeedsOwnReading) {
  EXPECT_EQ(run({{"temp", 500}, {"nh3", 30}, {"h2", 70}, {"burette", 30}}).error,
            "Give only one of: the NH3 and H2 contents, a burette reading, a dissociation.");
  EXPECT_EQ(run({{"temp", 500}, {"burette", 50}, {"feed-nh3", 50}}).error,
            "With 50 % ammonia in the feed the burette must read more than 50 %.");
}

}  // namespace
}  // namespace pyrelon
