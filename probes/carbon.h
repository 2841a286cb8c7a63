// Carbon potential of a furnace atmosphere from a zirconia carbon probe: the
// "ZrO2 Carbon Probe" panel, with three probe calibrations.
#pragma once

#include <functional>
#include <optional>
#include <span>

#include "shell/press.h"
#include "core/window.h"

namespace pyrelon {

// Reads the probe voltage, temperature and CO content, tests them against
// carbonLimits() and writes the carbon potential of the calibration chosen
// in ProbeCmb to CarbonLbl through "0.000".
void CarbonBtn_Click(Window& window);

// The six-line limits box, without a line feed after the last line.
void ShowCarbonLimits(Window& window);

// The tested readings, in the order they are tested: probe voltage,
// probe temperature, CO content. The limits are inclusive.
std::span<const InputLimit> carbonLimits();

// ln(x) / ln(10) for x > 0; nothing otherwise, which the arithmetic that
// receives it counts as 0.
std::optional<double> carbonLog10(double x);
// The same, but for x <= 0 also writes x in the signed form into CarbonLbl.
std::optional<double> CarbonLog10(Window& window, const double& x);

// The two closed calibrations; t in degrees Celsius.
double accucarbCarbon(double mv, double t, double co);
double lambdaProbeCarbon(double mv, double t, double co);

struct DinSolution {
  double carbon;  // always positive and finite
  int passes;
};

inline constexpr int kDinMaxPasses = 100;

using CarbonLog10Function = std::function<std::optional<double>(const double&)>;

// DIN 17022: solves log10(Cp) + 0.15 Cp = (E - 816.1) / k + log10(P / 100) - 1.995,
// k = 0.0992 (T + 273.14), by Newton's method from Cp = 0.01, ending when a
// step moves less than 1e-8. A Newton step that would leave the positive
// numbers goes to a tenth of the current iterate instead, so the iteration
// always reaches the one positive root. Nothing when it has not settled
// within kDinMaxPasses passes.
std::optional<DinSolution> solveDin17022(double mv, double t, double co,
                                         const CarbonLog10Function& log10 = carbonLog10);

}  // namespace pyrelon
