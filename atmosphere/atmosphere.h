// One carburising atmosphere seen by every instrument: the carbon activity
// and carbon potential from an oxygen probe, a dew or frost point, CO2, CH4
// and a shim, their spread, the readings an instrument would show at a
// target, and the alloy factor of a steel. Pure functions of finite doubles;
// none returns NaN or infinity for finite arguments.
//
// Units: temperatures in degrees Celsius unless a name says kelvin;
// contents in percent by volume; total pressure in mbar; partial pressures
// in bar; carbon in mass percent.
#pragma once

#include <optional>
#include <string_view>

#include "core/tool.h"

namespace pyrelon {

// The tool "atmosphere": inputs temp, co, h2, pressure, mv, dew-point,
// frost-point, co2, ch4, shim-initial-carbon, shim-initial-mg,
// shim-final-mg, target-carbon, si, mn, cr, ni, mo (in that order).
const ToolDescriptor& atmosphereTool();

enum AtmosphereInput {
  kAtmTemp,
  kAtmCo,
  kAtmH2,
  kAtmPressure,
  kAtmMv,
  kAtmDewPoint,
  kAtmFrostPoint,
  kAtmCo2,
  kAtmCh4,
  kAtmShimInitialCarbon,
  kAtmShimInitialMg,
  kAtmShimFinalMg,
  kAtmTargetCarbon,
  kAtmSi,
  kAtmMn,
  kAtmCr,
  kAtmNi,
  kAtmMo,
  kAtmInputCount
};

// The results, in the description's order, and the members of the reading
// groups (activity, carbon_potential) and of the equivalents.
enum AtmosphereResult {
  kAtmActivity,
  kAtmCarbonPotential,
  kAtmSooting,
  kAtmSaturation,
  kAtmSpread,
  kAtmOutlier,
  kAtmEquivalents,
  kAtmCoForShim,
  kAtmAlloyFactor,
  kAtmSteelCarbon,
  kAtmResultCount
};
enum CarbonReading { kReadProbe, kReadDewPoint, kReadCo2, kReadCh4, kReadShim, kReadingCount };
enum Equivalent { kEqDewPoint, kEqFrostPoint, kEqCo2, kEqMv, kEqPo2, kEquivalentCount };

// The JSON keys of the readings: "probe", "dew_point", "co2", "ch4", "shim".
std::string_view carbonReadingKey(CarbonReading reading);

// --- Water vapour (Sonntag 1990, Magnus forms) ------------------------------

// Saturation vapour pressure in hPa over plane water (valid -45 to +60 °C
// within 0.4 %) and over ice (-65 to 0 °C):
//   e = 6.112 exp(17.62 t / (243.12 + t))   waterVapourPressure(20)  -> 23.33
//   e = 6.112 exp(22.46 t / (272.62 + t))   iceVapourPressure(-10)   -> 2.599
// For t at or below the pole (-243.12, -272.62 °C) they return 0.
double waterVapourPressure(double celsius);
double iceVapourPressure(double celsius);
// The inverses: the dew point (over water) and the frost point (over ice)
// of a vapour pressure in hPa; nothing for a pressure that is not positive.
//   dewPointOf(6.112) -> 0;  frostPointOf(waterVapourPressure(-10)) -> -8.88
std::optional<double> dewPointOf(double hectopascal);
std::optional<double> frostPointOf(double hectopascal);

// --- Equilibrium constants (NIST-JANAF) -------------------------------------

enum class CarbonReaction {
  Boudouard,       // 2CO = C + CO2:    K = aC pCO2 / pCO^2
  WaterGas,        // CO + H2 = C + H2O: K = aC pH2O / (pCO pH2)
  CoDissociation,  // CO = C + 1/2 O2: K = aC pO2^1/2 / pCO
  Methane,         // CH4 = C + 2 H2:  K = aC pH2^2 / pCH4
};

// log10 K (bar) of a reaction at `kelvin`, from the NIST-JANAF rows at 900
// to 1500 K (atmosphere/janaf/), linear in 1/T between neighbouring rows,
// the end segments extended beyond them. For any positive finite kelvin.
//   log10K(Boudouard, 1000) -> 20.679 - 2 * 10.461 = -0.243
double log10K(CarbonReaction reaction, double kelvin);

// --- Carbon in austenite (Gunnarson) ----------------------------------------

// log10 aC = 2300 / T - 2.21 + 0.15 %C + log10 %C: the graphite-referred
// activity of carbon in pure-iron austenite at `kelvin`. Carbon 0 gives 0.
//   gunnarsonActivity(0.8, 1198.15) -> 0.540
double gunnarsonActivity(double carbon, double kelvin);

// The carbon (%C) of austenite at `kelvin` with activity `activity`, solved
// by bisection safeguarded Newton steps inside a bracket that always holds
// the one root, to 1e-13 relative. 0 for an activity at or below 0; the
// result exceeds the saturation for an activity above 1.
//   carbonOfActivity(0.540, 1198.15) -> 0.800
double carbonOfActivity(double activity, double kelvin);

// The carbon of austenite in equilibrium with graphite (aC = 1).
//   saturationCarbon(1198.15) -> 1.26
double saturationCarbon(double kelvin);

// The carbon at the Ae3 boundary of pure iron, below which ferrite forms:
// linear between 0.34 %C at 800 °C, 0.16 %C at 850 °C and 0 at 912 °C;
// 0 from 912 °C up; held at 0.34 below 800 °C.
double ae3Carbon(double celsius);

// --- Readings ---------------------------------------------------------------

// The gas a reading is taken in.
struct FurnaceGas {
  double celsius;
  double coPercent;
  double h2Percent;
  double pressureMbar;
};

// RT ln10 / 4F in mV per kelvin: the slope of the zirconia cell's
// Nernst voltage per decade of oxygen pressure.
double probeSlope();
// Oxygen pressure (bar) at the probe's electrode for a voltage `mv`
// against air at one atmosphere, at `kelvin`:
//   pO2 = 0.2123 bar * 10^(-mv / (slope * T)).
double probeOxygenPressure(double mv, double kelvin);
// The voltage for an oxygen pressure in bar (> 0).
double probeVoltage(double po2Bar, double kelvin);

// The carbon activity each reading gives (all positive and finite for
// readings within the tool's ranges):
double activityFromProbe(const FurnaceGas& gas, double mv);
double activityFromDewPoint(const FurnaceGas& gas, double dewPoint);
double activityFromFrostPoint(const FurnaceGas& gas, double frostPoint);
double activityFromCo2(const FurnaceGas& gas, double co2Percent);
double activityFromCh4(const FurnaceGas& gas, double ch4Percent);

// What an instrument reads at equilibrium with carbon activity `activity`
// (> 0) in `gas`: water vapour pressure (hPa), CO2 (%), probe voltage (mV),
// oxygen pressure (bar).
double waterPressureFor(const FurnaceGas& gas, double activity);
double co2For(const FurnaceGas& gas, double activity);
double oxygenPressureFor(const FurnaceGas& gas, double activity);

// The carbon of a shim after the furnace: (m0 C0 + 100 (m1 - m0)) / m1 for
// initial carbon C0 (%), masses m0 before and m1 after (mg, > 0). May be
// negative where the masses say the shim lost more than its carbon.
//   shimCarbon(0.1, 1000, 1007) -> 0.7944
double shimCarbon(double initialCarbon, double initialMg, double finalMg);

// The CO (%) at which the probe's `mv` gives carbon activity `activity`.
double coForActivity(const FurnaceGas& gas, double mv, double activity);

// Gunnarson's alloy factor q = (carbon potential of pure iron) / (surface
// carbon of the steel at the same activity), from mass percents:
//   log10 q = 0.055 Si - 0.013 Mn - 0.040 Cr + 0.014 Ni - 0.013 Mo
//   alloyFactor(0.25, 1.2, 1.1, 0, 0) -> 0.900
double alloyFactor(double si, double mn, double cr, double ni, double mo);

}  // namespace pyrelon
