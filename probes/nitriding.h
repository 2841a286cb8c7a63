// Nitriding factor of an ammonia and hydrogen furnace atmosphere: the
// "NK Factor" panel.
#pragma once

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& nitridingPanel();

// Hydrogen and ammonia contents in percent: the indices of the inputs.
enum NitridingInput { kHydrogen, kAmmonia };

// The factor of contents that have passed the limits, written to NkLbl
// through "#0.00".
void calculateNitriding(const Readings& in, Outcome& out);

// The nitriding factor for contents in percent: n / h^1.5 with the
// fractions h = H / 100 and n = N / 100. Within the limits it lies between
// 0.05 and 1000.
//   nitridingFactor(10, 31.61) -> 0.3161 / 0.0316228 = 9.996
double nitridingFactor(double hydrogenPercent, double ammoniaPercent);

}  // namespace pyrelon
