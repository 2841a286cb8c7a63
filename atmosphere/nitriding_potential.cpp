#include "atmosphere/nitriding_potential.h"

#include <array>
#include <cmath>
#include <string>

#include "atmosphere/fitted.h"
#include "atmosphere/tool_values.h"
#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

using fitted::kAlphaGammaPrimeA;
using fitted::kAlphaGammaPrimeB;
using fitted::kAlphaGammaPrimePoints;
using fitted::kGammaPrimeEpsilonA;
using fitted::kGammaPrimeEpsilonB;
using fitted::kGammaPrimeEpsilonPoints;
using fitted::kGammaPrimeEpsilonResidual;

constexpr double kCelsiusToKelvin = 273.15;      // K at 0 °C
constexpr double kStandardAtmosphere = 1013.25;  // mbar per atm
constexpr double kHydrogenPerAmmonia = 1.5;      // 2 NH3 = N2 + 3 H2
constexpr double kHydrogenPower = 1.5;
constexpr double kPercent = 100;

// The temperatures (°C) of Brunauer et al.'s measurements on each boundary.
constexpr double kAlphaGammaPrimeFrom = fitted::kAlphaGammaPrimePoints.front()[0];
constexpr double kAlphaGammaPrimeTo = fitted::kAlphaGammaPrimePoints.back()[0];
constexpr double kGammaPrimeEpsilonFrom = fitted::kGammaPrimeEpsilonPoints.front()[0];
constexpr double kGammaPrimeEpsilonTo = fitted::kGammaPrimeEpsilonPoints.back()[0];

}  // namespace

std::optional<AmmoniaGas> gasFromBurette(double burette, double feedNh3) {
  const double nh3 = 1 - burette;
  if (nh3 > feedNh3) return std::nullopt;
  return AmmoniaGas{nh3, kHydrogenPerAmmonia * (feedNh3 - nh3) / (1 + feedNh3)};
}

AmmoniaGas gasFromDissociation(double dissociation, double feedNh3) {
  const double moles = 1 + dissociation * feedNh3;  // per mole of feed
  return AmmoniaGas{feedNh3 * (1 - dissociation) / moles,
                    kHydrogenPerAmmonia * dissociation * feedNh3 / moles};
}

double nitridingPotential(const AmmoniaGas& gas, double mbar) {
  const double atm = mbar / kStandardAtmosphere;
  return gas.nh3 * atm / std::pow(gas.h2 * atm, kHydrogenPower);
}

double boundaryKn(NitridingBoundary boundary, double kelvin) {
  return boundary == kAlphaGammaPrime
             ? std::pow(10.0, kAlphaGammaPrimeA / kelvin + kAlphaGammaPrimeB)
             : std::pow(10.0, kGammaPrimeEpsilonA / kelvin + kGammaPrimeEpsilonB);
}

std::string_view nitridedPhase(double kn, double kelvin) {
  if (kn < boundaryKn(kAlphaGammaPrime, kelvin)) return "alpha";
  if (kn < boundaryKn(kGammaPrimeEpsilon, kelvin)) return "gamma-prime";
  return "epsilon";
}

namespace {

constexpr std::string_view kKnUnit = "atm^-1/2";

constexpr std::array<ToolInput, kNpInputCount> kInputs{{
    {"temp", "Temperature", "nitriding temperature", "°C", Limits{400, 590}, std::nullopt,
     "The nitriding temperature; above about 590 °C nitrogen austenite forms.", true},
    {"nh3", "NH3", "ammonia content", "%", Limits{0.1, 100}, std::nullopt,
     "Ammonia by volume in the furnace gas, with the hydrogen."},
    {"h2", "H2", "hydrogen content", "%", Limits{0.1, 100}, std::nullopt,
     "Hydrogen by volume in the furnace gas, with the ammonia."},
    {"burette", "Burette", "burette reading", "%", Limits{0.1, 100}, std::nullopt,
     "The share of the furnace gas that is not ammonia, as an absorption burette reads it."},
    {"dissociation", "Dissociation", "dissociation", "%", Limits{0.1, 100}, std::nullopt,
     "The share of the feed's ammonia molecules that dissociated."},
    {"feed-nh3", "Feed NH3", "ammonia in the feed", "%", Limits{1, 100}, 100.0,
     "Ammonia in the feed gas, the rest nitrogen."},
    {"pressure", "Pressure", "total pressure", "mbar", Limits{800, 1500}, kStandardAtmosphere,
     "The furnace's absolute pressure."},
}};

constexpr std::array<ToolResult, kBoundaryCount> kBoundaryMembers{{
    {"alpha_gamma_prime", "alpha / gamma-prime", kKnUnit, ResultForm::Number, Digits::Significant,
     3},
    {"gamma_prime_epsilon", "gamma-prime / epsilon", kKnUnit, ResultForm::Number,
     Digits::Significant, 3},
}};

constexpr std::array<ToolResult, kNpResultCount> kResults{{
    {"kn", "Nitriding potential Kn", kKnUnit, ResultForm::Number, Digits::Significant, 3},
    {"phase", "Phase of pure iron", "", ResultForm::Text},
    {"boundaries", "Phase boundaries", kKnUnit, ResultForm::Group, Digits::Significant, 3,
     kBoundaryMembers},
}};

constexpr std::array<ToolColumn, 2> kColumns{{
    {"kn", "kn", ""},
    {"phase", "phase", ""},
}};

constexpr std::string_view kBrunauer = "Brunauer et al. (1931), measured in NH3-H2 at 1 atm";
constexpr std::string_view kFit = "fitted to Brunauer et al. (1931) by atmosphere/fit.py";

constexpr std::array<ToolConstant, 17> kConstants{{
    {"standard atmosphere", kStandardAtmosphere, "mbar", "ISO 2533"},
    {"H2 per NH3 dissociated", kHydrogenPerAmmonia, "", "2 NH3 = N2 + 3 H2"},
    {"alpha/gamma-prime A", kAlphaGammaPrimeA, "K", kFit},
    {"alpha/gamma-prime B", kAlphaGammaPrimeB, "", kFit},
    {"gamma-prime/epsilon A", kGammaPrimeEpsilonA, "K", kFit},
    {"gamma-prime/epsilon B", kGammaPrimeEpsilonB, "", kFit},
    {"largest residual of the gamma-prime/epsilon fit", kGammaPrimeEpsilonResidual, "log10 Kn",
     kFit},
    {"alpha/gamma-prime, first measurement: temperature", kAlphaGammaPrimePoints[0][0], "°C",
     kBrunauer},
    {"alpha/gamma-prime, first measurement: NH3", kAlphaGammaPrimePoints[0][1], "%", kBrunauer},
    {"alpha/gamma-prime, second measurement: temperature", kAlphaGammaPrimePoints[1][0], "°C",
     kBrunauer},
    {"alpha/gamma-prime, second measurement: NH3", kAlphaGammaPrimePoints[1][1], "%", kBrunauer},
    {"gamma-prime/epsilon, first measurement: temperature", kGammaPrimeEpsilonPoints[0][0], "°C",
     kBrunauer},
    {"gamma-prime/epsilon, first measurement: NH3", kGammaPrimeEpsilonPoints[0][1], "%", kBrunauer},
    {"gamma-prime/epsilon, second measurement: temperature", kGammaPrimeEpsilonPoints[1][0], "°C",
     kBrunauer},
    {"gamma-prime/epsilon, second measurement: NH3", kGammaPrimeEpsilonPoints[1][1], "%",
     kBrunauer},
    {"gamma-prime/epsilon, third measurement: temperature", kGammaPrimeEpsilonPoints[2][0], "°C",
     kBrunauer},
    {"gamma-prime/epsilon, third measurement: NH3", kGammaPrimeEpsilonPoints[2][1], "%", kBrunauer},
}};

constexpr std::array<std::string_view, 4> kEquations{{
    "Kn = pNH3 / pH2^1.5 in atm^-1/2, the partial pressures in atm at the total pressure.",
    "Burette reading D with a feed of ammonia fraction f (the rest nitrogen): x_NH3 = 1 - D, "
    "x_H2 = 1.5 (f - x_NH3) / (1 + f).",
    "Dissociation A (the share of the feed's ammonia that dissociated): x_NH3 = f (1 - A) / "
    "(1 + A f), x_H2 = 1.5 A f / (1 + A f); with a pure feed A = D / (2 - D).",
    "Phase boundaries of pure iron: log10 Kn = A / T + B, Kn of each measurement being x / (1 - "
    "x)^1.5 for its NH3 fraction x; alpha below alpha/gamma-prime, epsilon from "
    "gamma-prime/epsilon up, gamma-prime between.",
}};

constexpr std::array<std::string_view, 3> kNotes{{
    "The boundaries rest on the measurements of Brunauer, Jefferson, Emmett and Hendricks in "
    "NH3-H2 at 1 atm, listed among the constants. Measured: alpha/gamma-prime between its two "
    "temperatures (a line through both points), gamma-prime/epsilon between its first and third "
    "(least squares through three). Extrapolated: each boundary above its last measured "
    "temperature, as the result's note says.",
    "Above the Fe-N eutectoid, about 590 °C, a nitrogen-austenite field appears that these "
    "measurements do not cover: hence the upper bound of the temperature.",
    "Give NH3 with H2 (at most 100 % together), or one burette or dissociation reading with the "
    "feed's ammonia.",
}};

constexpr std::array<std::string_view, 2> kReferences{{
    "S. Brunauer, M. E. Jefferson, P. H. Emmett and S. B. Hendricks, Equilibria in the iron-"
    "nitrogen system, J. Am. Chem. Soc. 53 (1931) 1778.",
    "ISO 2533:1975, Standard Atmosphere.",
}};

ToolOutcome fail(std::string sentence, int input) {
  ToolOutcome out;
  out.error = std::move(sentence);
  out.failedInput = input;
  return out;
}

ToolOutcome calculateNitridingPotential(ToolReadings in) {
  if (in.size() != kInputs.size()) {
    return fail(
        "The nitriding-potential tool needs " + std::to_string(kInputs.size()) + " readings.", -1);
  }
  for (std::size_t i = 0; i < kInputs.size(); ++i) {
    if (in[i] && !kInputs[i].range.accepts(*in[i])) {
      const ToolInput& input = kInputs[i];
      return fail(rangeSentence(input), static_cast<int>(i));
    }
  }
  if (!in[kNpTemp]) {
    return fail(requiredSentence(kInputs[kNpTemp]), kNpTemp);
  }
  const int forms =
      (in[kNpNh3] || in[kNpH2] ? 1 : 0) + (in[kNpBurette] ? 1 : 0) + (in[kNpDissociation] ? 1 : 0);
  if (forms == 0) {
    return fail("Give the NH3 and H2 contents, a burette reading or a dissociation.", kNpNh3);
  }
  if (forms > 1) {
    return fail("Give only one of: the NH3 and H2 contents, a burette reading, a dissociation.",
                in[kNpBurette] ? kNpBurette : kNpDissociation);
  }
  const double feed = in[kNpFeedNh3].value_or(kPercent) / kPercent;
  AmmoniaGas gas{};
  if (in[kNpNh3] || in[kNpH2]) {
    if (!in[kNpNh3] || !in[kNpH2]) {
      return fail("Give the NH3 and H2 contents together.", in[kNpNh3] ? kNpH2 : kNpNh3);
    }
    if (*in[kNpNh3] + *in[kNpH2] > kPercent) {
      return fail("NH3 and H2 together must be at most 100 %.", kNpH2);
    }
    gas = {*in[kNpNh3] / kPercent, *in[kNpH2] / kPercent};
  } else if (in[kNpBurette]) {
    const auto fromBurette = gasFromBurette(*in[kNpBurette] / kPercent, feed);
    if (!fromBurette || !(fromBurette->h2 > 0)) {
      return fail("With " + plainForm(feed * kPercent, ".") +
                      " % ammonia in the feed the burette must read more than " +
                      plainForm(kPercent - feed * kPercent, ".") + " %.",
                  kNpBurette);
    }
    gas = *fromBurette;
  } else {
    gas = gasFromDissociation(*in[kNpDissociation] / kPercent, feed);
  }
  const double kelvin = *in[kNpTemp] + kCelsiusToKelvin;
  const double kn = nitridingPotential(gas, in[kNpPressure].value_or(kStandardAtmosphere));
  ToolOutcome out;
  out.results.resize(kResults.size());
  setNumber(out.results[kNpKn], kn);
  setText(out.results[kNpPhase], nitridedPhase(kn, kelvin));
  ToolValue& boundaries = makeGroup(out.results[kNpBoundaries], kBoundaryCount);
  const double celsius = *in[kNpTemp];
  setNumber(boundaries.members[kAlphaGammaPrime], boundaryKn(kAlphaGammaPrime, kelvin));
  setNumber(boundaries.members[kGammaPrimeEpsilon], boundaryKn(kGammaPrimeEpsilon, kelvin));
  const auto extrapolated = [celsius](ToolValue& value, double from, double to) {
    if (celsius >= from && celsius <= to) return;
    value.note = "extrapolated beyond the measurements, " + plainForm(from, ".") + " to " +
                 plainForm(to, ".") + " °C";
  };
  extrapolated(boundaries.members[kAlphaGammaPrime], kAlphaGammaPrimeFrom, kAlphaGammaPrimeTo);
  extrapolated(boundaries.members[kGammaPrimeEpsilon], kGammaPrimeEpsilonFrom,
               kGammaPrimeEpsilonTo);
  return out;
}

const ToolDescriptor kTool{
    .id = "nitriding-potential",
    .title = "Nitriding potential",
    .summary =
        "The nitriding potential Kn of an ammonia atmosphere, from NH3 and H2 or one "
        "dissociation reading, and the phase the surface of pure iron grows.",
    .inputs = kInputs,
    .results = kResults,
    .columns = kColumns,
    .constants = kConstants,
    .equations = kEquations,
    .notes = kNotes,
    .references = kReferences,
    .calculate = calculateNitridingPotential,
};

}  // namespace

// The Tools menu, the page's views, the command line and the help page
// list it from here.
const Registration<ToolDescriptor> kRegistered(kTool);

const ToolDescriptor& nitridingPotentialTool() { return kTool; }

}  // namespace pyrelon
