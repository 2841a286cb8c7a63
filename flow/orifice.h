// Mass-flow compensation of an orifice meter for the operating pressure,
// temperature or both: the "Mass Flow Compensation for Orifice" panel.
#pragma once

#include <string_view>

#include "core/window.h"

namespace pyrelon {

// Corrects the flow in FlowTxt as FlowCmb says (0 None, 1 Temperature,
// 2 Pressure, 3 Both), reading only the boxes that correction uses, and
// writes it to FlowLbl. FlowCmb has no selection handler: choosing another
// correction changes nothing until Solve is pressed.
void FlowBtn_Click(Window& window);

// A correction factor, or the sentence telling the user why it cannot be
// formed (then `value` means nothing).
struct FlowFactor {
  double value = 0.0;
  std::string_view fault;

  bool ok() const { return fault.empty(); }
};

// sqrt((Tr + 273.14) / (Tf + 273.14)): reference over operating, in
// degrees Celsius made absolute.
FlowFactor temperatureFactor(double flowTemperature, double referenceTemperature);

// sqrt((Pf + Pa) / (Pa + Pr)): operating over reference, gauge pressures in
// mbar made absolute by the atmospheric pressure.
FlowFactor pressureFactor(double flowPressure, double referencePressure,
                          double atmosphericPressure);

}  // namespace pyrelon
