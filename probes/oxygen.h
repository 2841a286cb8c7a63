// Oxygen content of a gas from a zirconia oxygen probe with air as the
// reference: the "ZrO2 Oxigen Probe" panel.
#pragma once

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& oxygenPanel();

// Probe voltage (mV), probe temperature (degrees Celsius), voltage offset
// (mV): the indices of the panel's inputs.
enum OxygenInput { kOxygenMv, kOxygenTemperature, kOxygenOffset };

// The oxygen content by the Nernst relation against air,
//   O2 = 20.95 / exp((E - offset) / (0.0215354 (t + 273.12))),
// written to OxyLbl through "#0.00". Only the voltage is tested; the offset
// and the temperature are taken as typed, and only the arithmetic they can
// break (absolute zero, an exponential beyond the double range) is caught.
//   E 87, t 1100, offset -3 -> 0.9986 % (shows 1.00)
void calculateOxygen(const Readings& in, Outcome& out);

}  // namespace pyrelon
