// Flue-gas analysis from a lambda (zirconia oxygen) probe against air: the
// "Lambda Oxigen Probe" panel, with its table of six fuels.
#pragma once

#include <span>
#include <string_view>

#include "shell/press.h"
#include "core/window.h"

namespace pyrelon {

// Reads the five readings, tests them against lambdaLimits() and writes the
// wet oxygen, air excess, dry oxygen, CO2 and the net and gross efficiencies
// for the fuel chosen in FuelCmb. Each result after the first is computed
// from the one before it as shown, read back from its label.
void OxiBtn_Click(Window& window);

// The ten-line limits box, ending with a line feed.
void ShowLambdaLimits(Window& window);

// The tested readings, in the order they are tested: probe voltage, voltage
// offset, probe-temperature offset, air temperature, flue-gas temperature.
// The limits are inclusive.
std::span<const InputLimit> lambdaLimits();

struct Fuel {
  std::string_view name;
  double wetRatio;         // stoichiometric wet flue gas per volume of air
  double dryRatio;         // stoichiometric dry flue gas per volume of air
  double co2Max;           // CO2 percent at zero dry oxygen
  double netAllowance;     // taken from 100 in the net efficiency
  double netLossFactor;    // Siegert factors of the flue loss dT / CO2
  double grossLossFactor;
};

// One row per entry of FuelCmb, in list order.
std::span<const Fuel> fuelTable();

}  // namespace pyrelon
