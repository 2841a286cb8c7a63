// Flue-gas analysis from a lambda (zirconia oxygen) probe against air: the
// "Lambda Oxigen Probe" panel, with its table of six fuels.
#pragma once

#include <span>
#include <string_view>

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& lambdaPanel();

// Probe voltage (mV), voltage offset (mV), probe-temperature offset (K),
// air temperature and flue-gas temperature (degrees Celsius): the indices
// of the panel's inputs.
enum LambdaInput { kLambdaMv, kLambdaOffset, kLambdaKelvinOffset, kLambdaAir, kLambdaFlue };

// Writes the wet oxygen, air excess, dry oxygen, CO2 and the net and gross
// efficiencies for the fuel of the selected entry, each result after the
// first computed from the one before it as shown. A result that cannot be
// computed ends the press with a sentence; the results before it stay, it
// and those after it are cleared. No entry (-1), or one past the fuel
// table, computes nothing.
//   Metano at the start-up readings: 1.0 1.056 1.2 11.0 83.5 93.7
void calculateLambda(const Readings& in, Outcome& out);

struct Fuel {
  std::string_view name;
  double wetRatio;       // stoichiometric wet flue gas per volume of air
  double dryRatio;       // stoichiometric dry flue gas per volume of air
  double co2Max;         // CO2 percent at zero dry oxygen
  double netAllowance;   // taken from 100 in the net efficiency
  double netLossFactor;  // Siegert factors of the flue loss dT / CO2
  double grossLossFactor;
};

// One row per entry of FuelCmb, in list order.
std::span<const Fuel> fuelTable();

}  // namespace pyrelon
