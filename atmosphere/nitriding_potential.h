// The nitriding potential of an ammonia atmosphere, from its NH3 and H2 or
// from one dissociation reading, and the phase the surface of pure iron
// grows at that temperature. Pure functions; fractions are 0 to 1,
// pressures in mbar, temperatures in degrees Celsius unless a name says
// kelvin.
#pragma once

#include <optional>
#include <string_view>

#include "core/tool.h"

namespace pyrelon {

// The tool "nitriding-potential": inputs temp, nh3, h2, burette,
// dissociation, feed-nh3, pressure (in that order).
const ToolDescriptor& nitridingPotentialTool();

enum NitridingPotentialInput {
  kNpTemp,
  kNpNh3,
  kNpH2,
  kNpBurette,
  kNpDissociation,
  kNpFeedNh3,
  kNpPressure,
  kNpInputCount
};
enum NitridingPotentialResult { kNpKn, kNpPhase, kNpBoundaries, kNpResultCount };
enum NitridingBoundary { kAlphaGammaPrime, kGammaPrimeEpsilon, kBoundaryCount };

// Mole fractions of the furnace gas.
struct AmmoniaGas {
  double nh3;
  double h2;
};

// From an absorption burette's reading D (the fraction of the gas that is
// not ammonia) with a feed of ammonia fraction f, the rest nitrogen:
//   x_NH3 = 1 - D,  x_H2 = 1.5 (f - x_NH3) / (1 + f).
// Nothing where D < 1 - f, a reading no such feed gives.
//   gasFromBurette(0.30, 1) -> {0.70, 0.225}
std::optional<AmmoniaGas> gasFromBurette(double burette, double feedNh3);

// From the fraction A of the feed's ammonia molecules that dissociated:
//   x_NH3 = f (1 - A) / (1 + A f),  x_H2 = 1.5 A f / (1 + A f).
// With a pure feed A = D / (2 - D):  gasFromDissociation(0.3 / 1.7, 1) -> {0.70, 0.225}
AmmoniaGas gasFromDissociation(double dissociation, double feedNh3);

// The nitriding potential Kn = pNH3 / pH2^1.5 in atm^-1/2, the partial
// pressures in atm at total pressure `mbar`; h2 > 0.
//   nitridingPotential({0.37, 0.63}, 1013.25) -> 0.740
double nitridingPotential(const AmmoniaGas& gas, double mbar);

// The Kn of a phase boundary of pure iron at `kelvin`, from the fit
// log10 Kn = A / T + B to Brunauer, Jefferson, Emmett and Hendricks, J. Am.
// Chem. Soc. 53 (1931) 1778 (atmosphere/fit.py): alpha/gamma-prime measured
// at 400 and 575 °C, gamma-prime/epsilon at 400, 444 and 500 °C.
double boundaryKn(NitridingBoundary boundary, double kelvin);

// The phase the surface grows: "alpha" below the alpha/gamma-prime
// boundary, "gamma-prime" from it up to below the gamma-prime/epsilon
// boundary, "epsilon" from that on.
std::string_view nitridedPhase(double kn, double kelvin);

}  // namespace pyrelon
