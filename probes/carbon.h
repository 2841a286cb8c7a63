// Carbon potential of a furnace atmosphere from a zirconia carbon probe: the
// "ZrO2 Carbon Probe" panel, with three probe calibrations.
#pragma once

#include <functional>
#include <optional>

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& carbonPanel();

// Probe voltage (mV), probe temperature (degrees Celsius), CO content (%):
// the indices of the panel's inputs.
enum CarbonInput { kCarbonMv, kCarbonTemperature, kCarbonCo };
enum CarbonProbe { kAccucarb, kDin17022, kLambdaProbe };

// The carbon potential the selected calibration gives for readings that
// have passed the limits, written to CarbonLbl through "0.000". An entry
// that is not a calibration writes nothing.
void calculateCarbon(const Readings& in, Outcome& out);

// ln(x) / ln(10) for x > 0; nothing otherwise, which the arithmetic that
// receives it counts as 0.
std::optional<double> carbonLog10(double x);

// The two closed calibrations; t in degrees Celsius.
//   accucarbCarbon(1121, 830, 20) -> 0.99982 (shows 1.000)
double accucarbCarbon(double mv, double t, double co);
double lambdaProbeCarbon(double mv, double t, double co);

struct DinSolution {
  double carbon;  // always positive and finite
  int passes;
};

inline constexpr int kDinMaxPasses = 100;

using Log10Function = std::function<std::optional<double>(double)>;

// DIN 17022: solves log10(Cp) + 0.15 Cp = (E - 816.1) / k + log10(P / 100) - 1.995,
// k = 0.0992 (T + 273.14), by Newton's method from Cp = 0.01, ending when a
// step moves less than 1e-8. A Newton step that would leave the positive
// numbers goes to a tenth of the current iterate instead, so the iteration
// always reaches the one positive root. Nothing when it has not settled
// within kDinMaxPasses passes.
std::optional<DinSolution> solveDin17022(double mv, double t, double co,
                                         const Log10Function& log10 = carbonLog10);

}  // namespace pyrelon
