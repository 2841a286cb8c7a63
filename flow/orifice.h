// Mass-flow compensation of an orifice meter for the operating pressure,
// temperature or both: the "Mass Flow Compensation for Orifice" panel.
#pragma once

#include <string_view>

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& flowPanel();

// The indices of the panel's inputs, in the order start-up writes them.
enum FlowInput {
  kRefTemperature,
  kRefPressure,
  kFlow,
  kFlowTemperature,
  kFlowPressure,
  kAtmPressure,
};
enum Compensation { kNone, kTemperatureOnly, kPressureOnly, kBoth };

// Corrects the flow as the selected entry says, from the boxes that
// correction reads, and writes it to FlowLbl: "None" in the plain form,
// the others through "##.#0" or, for both corrections, "#.#0".
//   Temperature, Q 10, Tf 100, Tr 25 -> 8.94
void calculateFlow(const Readings& in, Outcome& out);

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
