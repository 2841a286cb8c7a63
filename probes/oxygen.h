// Oxygen content of a gas from a zirconia oxygen probe with air as the
// reference: the "ZrO2 Oxigen Probe" panel.
#pragma once

#include <span>

#include "shell/press.h"
#include "core/window.h"

namespace pyrelon {

// Reads the probe voltage, offset and temperature, tests the voltage against
// oxygenLimits() and writes the oxygen content to OxyLbl through "#0.00".
void OxygenBtn_Click(Window& window);

// The seven-line limits box, ending with a line feed. It lists the offset and
// temperature ranges too, although only the probe voltage is tested.
void ShowOxygenLimits(Window& window);

// The one tested reading: the probe voltage, -10 to 300 mV inclusive.
std::span<const InputLimit> oxygenLimits();

}  // namespace pyrelon
