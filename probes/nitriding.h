// Nitriding factor of an ammonia and hydrogen furnace atmosphere: the
// "NK Factor" panel.
#pragma once

#include <span>

#include "shell/press.h"
#include "core/window.h"

namespace pyrelon {

// Reads the hydrogen content, tests it, then reads and tests the ammonia
// content (nitridingLimits(), in that order). The first content out of
// range is put back to its start-up text and then the limits box is shown;
// NkLbl keeps what it showed. Otherwise writes the factor to NkLbl through
// "#0.00".
void NkBtn_Click(Window& window);

// The tested contents, in the order they are tested: hydrogen (HTxt), then
// ammonia (NTxt), both in percent. The limits are inclusive.
std::span<const InputLimit> nitridingLimits();

// The nitriding factor for contents in percent: n / h^1.5 with the
// fractions h = H / 100 and n = N / 100. Within the limits it lies between
// 0.05 and 1000.
double nitridingFactor(double hydrogenPercent, double ammoniaPercent);

}  // namespace pyrelon
