#include "atmosphere/atmosphere.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "atmosphere/fitted.h"
#include "atmosphere/tool_values.h"
#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

using fitted::JanafRow;
using fitted::kJanafRows;

constexpr double kCelsiusToKelvin = 273.15;  // K at 0 °C
// CODATA 2018 (exact in the SI): molar gas constant, J/(mol K), and the
// Faraday constant, C/mol.
constexpr double kGasConstant = 8.314462618;
constexpr double kFaraday = 96485.33212;
constexpr double kElectronsPerO2 = 4;
constexpr double kMillivoltsPerVolt = 1000;
constexpr double kLn10 = 2.302585092994045684;
// RT ln10 / 4F per kelvin, mV/K: 0.0496054.
constexpr double kProbeSlope =
    kGasConstant * kLn10 / (kElectronsPerO2 * kFaraday) * kMillivoltsPerVolt;
// The probe's reference: air at one standard atmosphere, 20.95 % O2 by
// volume (dry air, ISO 2533), 1.01325 bar per atmosphere.
constexpr double kAirOxygenFraction = 0.2095;
constexpr double kBarPerAtmosphere = 1.01325;
constexpr double kReferenceOxygenBar = kAirOxygenFraction * kBarPerAtmosphere;
constexpr double kMbarPerBar = 1000;
constexpr double kHpaPerBar = 1000;
constexpr double kPercent = 100;

// Sonntag (1990), Magnus forms of the saturation vapour pressure, hPa, °C.
constexpr double kMagnusE0 = 6.112;
constexpr double kMagnusWaterA = 17.62;
constexpr double kMagnusWaterB = 243.12;
constexpr double kMagnusIceA = 22.46;
constexpr double kMagnusIceB = 272.62;

// Gunnarson: log10 aC = 2300 / T - 2.21 + 0.15 %C + log10 %C.
constexpr double kGunnarsonSlope = 2300;  // K
constexpr double kGunnarsonOffset = -2.21;
constexpr double kGunnarsonCarbon = 0.15;  // per %C

// Alloy factor, log10 q per mass %.
constexpr double kAlloySi = 0.055;
constexpr double kAlloyMn = -0.013;
constexpr double kAlloyCr = -0.040;
constexpr double kAlloyNi = 0.014;
constexpr double kAlloyMo = -0.013;

// The Ae3 line of pure iron (°C, %C), read from the Fe-C diagram; 912 °C is
// the alpha/gamma transition of pure iron.
constexpr std::array<std::array<double, 2>, 3> kAe3Points{{{800, 0.34}, {850, 0.16}, {912, 0}}};

// 10^x through exp, which is faster than pow and as close (a relative
// 1e-15 or so over the exponents met here).
double tenTo(double x) { return std::exp(kLn10 * x); }

double reactionRow(CarbonReaction reaction, const JanafRow& row) {
  switch (reaction) {
    case CarbonReaction::Boudouard: return row.co2 - 2 * row.co;
    case CarbonReaction::WaterGas: return row.h2o - row.co;
    case CarbonReaction::CoDissociation: return -row.co;
    case CarbonReaction::Methane: return -row.ch4;
  }
  return 0;
}

double kelvinOf(double celsius) { return celsius + kCelsiusToKelvin; }
double barOf(const FurnaceGas& gas, double percent) {
  return percent / kPercent * gas.pressureMbar / kMbarPerBar;
}
double percentOf(const FurnaceGas& gas, double bar) {
  return bar / (gas.pressureMbar / kMbarPerBar) * kPercent;
}

// log10 of the oxygen pressure (bar) at activity `activity`.
double log10OxygenFor(const FurnaceGas& gas, double activity) {
  const double kelvin = kelvinOf(gas.celsius);
  return 2 * (log10K(CarbonReaction::CoDissociation, kelvin) +
              std::log10(barOf(gas, gas.coPercent)) - std::log10(activity));
}

}  // namespace

std::string_view carbonReadingKey(CarbonReading reading) {
  static constexpr std::array<std::string_view, kReadingCount> kKeys{"probe", "dew_point", "co2",
                                                                     "ch4", "shim"};
  return kKeys[static_cast<std::size_t>(reading)];
}

double waterVapourPressure(double celsius) {
  if (celsius <= -kMagnusWaterB) return 0;
  return kMagnusE0 * std::exp(kMagnusWaterA * celsius / (kMagnusWaterB + celsius));
}

double iceVapourPressure(double celsius) {
  if (celsius <= -kMagnusIceB) return 0;
  return kMagnusE0 * std::exp(kMagnusIceA * celsius / (kMagnusIceB + celsius));
}

namespace {
// Inverts e = E0 exp(a t / (b + t)): t = b L / (a - L), L = ln(e / E0);
// L reaches a only at an infinite temperature.
std::optional<double> invertMagnus(double hectopascal, double a, double b) {
  if (!(hectopascal > 0) || !std::isfinite(hectopascal)) return std::nullopt;
  const double l = std::log(hectopascal / kMagnusE0);
  if (l >= a) return std::nullopt;
  return b * l / (a - l);
}
}  // namespace

std::optional<double> dewPointOf(double hectopascal) {
  return invertMagnus(hectopascal, kMagnusWaterA, kMagnusWaterB);
}

std::optional<double> frostPointOf(double hectopascal) {
  return invertMagnus(hectopascal, kMagnusIceA, kMagnusIceB);
}

double log10K(CarbonReaction reaction, double kelvin) {
  std::size_t i = 0;
  while (i + 2 < kJanafRows.size() && kelvin > kJanafRows[i + 1].kelvin) ++i;
  const JanafRow& a = kJanafRows[i];
  const JanafRow& b = kJanafRows[i + 1];
  const double x0 = 1 / a.kelvin;
  const double x1 = 1 / b.kelvin;
  const double w = (1 / kelvin - x0) / (x1 - x0);
  const double y0 = reactionRow(reaction, a);
  return y0 + w * (reactionRow(reaction, b) - y0);
}

double gunnarsonActivity(double carbon, double kelvin) {
  if (!(carbon > 0)) return 0;
  return carbon * tenTo(kGunnarsonSlope / kelvin + kGunnarsonOffset + kGunnarsonCarbon * carbon);
}

double carbonOfActivity(double activity, double kelvin) {
  if (!(activity > 0)) return 0;
  // In u = log10 %C the relation reads g(u) = u + 0.15 10^u - r = 0, g
  // increasing and convex: one root, which Newton's method approaches from
  // above without overshooting. The bracket keeps each step honest.
  const double r = std::log10(activity) - kGunnarsonSlope / kelvin - kGunnarsonOffset;
  // g(hi) >= 0: for r <= 5 since 0.15 10^r > 0; beyond, 10^hi = r / 0.15
  // makes 0.15 10^hi = r while hi > 0.
  double hi = r <= 5 ? r : std::log10(r / kGunnarsonCarbon);
  double lo = r - kGunnarsonCarbon * tenTo(hi);  // g(lo) <= 0
  double u = hi;
  for (int pass = 0; pass < 200; ++pass) {
    const double tenToU = tenTo(u);
    const double g = u + kGunnarsonCarbon * tenToU - r;
    if (g == 0) break;
    if (g > 0) {
      hi = u;
    } else {
      lo = u;
    }
    const double slope = 1 + kGunnarsonCarbon * kLn10 * tenToU;
    double next = u - g / slope;
    if (!(next >= lo && next <= hi)) next = 0.5 * (lo + hi);
    const double step = std::abs(next - u);
    u = next;
    // Newton's error after a step s is about g''/(2 g') s^2, and that ratio
    // stays below ln(10)/2: a step under 1e-8 leaves less than 1.2e-16, so
    // the step just taken is the last.
    if (step < 1e-8) break;
  }
  return tenTo(u);
}

double saturationCarbon(double kelvin) { return carbonOfActivity(1, kelvin); }

double ae3Carbon(double celsius) {
  if (celsius <= kAe3Points.front()[0]) return kAe3Points.front()[1];
  for (std::size_t i = 1; i < kAe3Points.size(); ++i) {
    if (celsius <= kAe3Points[i][0]) {
      const auto& [t0, c0] = kAe3Points[i - 1];
      const auto& [t1, c1] = kAe3Points[i];
      return c0 + (celsius - t0) / (t1 - t0) * (c1 - c0);
    }
  }
  return 0;
}

double probeSlope() { return kProbeSlope; }

double probeOxygenPressure(double mv, double kelvin) {
  return kReferenceOxygenBar * tenTo(-mv / (probeSlope() * kelvin));
}

double probeVoltage(double po2Bar, double kelvin) {
  return probeSlope() * kelvin * (std::log10(kReferenceOxygenBar) - std::log10(po2Bar));
}

double activityFromProbe(const FurnaceGas& gas, double mv) {
  const double kelvin = kelvinOf(gas.celsius);
  const double log10Oxygen = std::log10(kReferenceOxygenBar) - mv / (probeSlope() * kelvin);
  return tenTo(log10K(CarbonReaction::CoDissociation, kelvin) +
               std::log10(barOf(gas, gas.coPercent)) - 0.5 * log10Oxygen);
}

namespace {
double activityFromWater(const FurnaceGas& gas, double hectopascal) {
  const double kelvin = kelvinOf(gas.celsius);
  return tenTo(log10K(CarbonReaction::WaterGas, kelvin)) * barOf(gas, gas.coPercent) *
         barOf(gas, gas.h2Percent) / (hectopascal / kHpaPerBar);
}
}  // namespace

double activityFromDewPoint(const FurnaceGas& gas, double dewPoint) {
  return activityFromWater(gas, waterVapourPressure(dewPoint));
}

double activityFromFrostPoint(const FurnaceGas& gas, double frostPoint) {
  return activityFromWater(gas, iceVapourPressure(frostPoint));
}

double activityFromCo2(const FurnaceGas& gas, double co2Percent) {
  const double co = barOf(gas, gas.coPercent);
  return tenTo(log10K(CarbonReaction::Boudouard, kelvinOf(gas.celsius))) * co * co /
         barOf(gas, co2Percent);
}

double activityFromCh4(const FurnaceGas& gas, double ch4Percent) {
  const double h2 = barOf(gas, gas.h2Percent);
  return tenTo(log10K(CarbonReaction::Methane, kelvinOf(gas.celsius))) * barOf(gas, ch4Percent) /
         (h2 * h2);
}

double waterPressureFor(const FurnaceGas& gas, double activity) {
  const double kelvin = kelvinOf(gas.celsius);
  return tenTo(log10K(CarbonReaction::WaterGas, kelvin)) * barOf(gas, gas.coPercent) *
         barOf(gas, gas.h2Percent) / activity * kHpaPerBar;
}

double co2For(const FurnaceGas& gas, double activity) {
  const double co = barOf(gas, gas.coPercent);
  return percentOf(
      gas, tenTo(log10K(CarbonReaction::Boudouard, kelvinOf(gas.celsius))) * co * co / activity);
}

double oxygenPressureFor(const FurnaceGas& gas, double activity) {
  return tenTo(log10OxygenFor(gas, activity));
}

double shimCarbon(double initialCarbon, double initialMg, double finalMg) {
  return (initialMg * initialCarbon + kPercent * (finalMg - initialMg)) / finalMg;
}

double coForActivity(const FurnaceGas& gas, double mv, double activity) {
  const double kelvin = kelvinOf(gas.celsius);
  const double log10Oxygen = std::log10(kReferenceOxygenBar) - mv / (probeSlope() * kelvin);
  const double coBar = tenTo(std::log10(activity) + 0.5 * log10Oxygen -
                             log10K(CarbonReaction::CoDissociation, kelvin));
  return percentOf(gas, coBar);
}

double alloyFactor(double si, double mn, double cr, double ni, double mo) {
  return std::pow(10.0,
                  kAlloySi * si + kAlloyMn * mn + kAlloyCr * cr + kAlloyNi * ni + kAlloyMo * mo);
}

// ---------------------------------------------------------------------------
// The tool.

namespace {

constexpr Limits kTempRange{800, 1100};
constexpr Limits kGasRange{0.1, 60};
constexpr Limits kPressureRange{800, 1500};
constexpr Limits kMvRange{900, 1300};
constexpr Limits kDewRange{-45, 30};
constexpr Limits kFrostRange{-60, 0};
constexpr Limits kCo2Range{0.001, 20};
constexpr Limits kCh4Range{0.01, 20};
constexpr Limits kShimCarbonRange{0, 1.5};
constexpr Limits kShimMassRange{1, 100000};
constexpr Limits kTargetRange{0.05, 2};
constexpr Limits kAlloyRange{0, 5};
constexpr double kAlloySumMax = 5;
constexpr double kStandardPressure = 1013.25;  // mbar

constexpr std::array<ToolInput, kAtmInputCount> kInputs{{
    {"temp", "Temperature", "furnace temperature", "°C", kTempRange, std::nullopt,
     "The furnace temperature, where the gas meets the work.", true},
    {"co", "CO", "CO content", "%", kGasRange, 20.0,
     "Carbon monoxide by volume; 20 % in endothermic gas from natural gas."},
    {"h2", "H2", "hydrogen content", "%", kGasRange, 40.0,
     "Hydrogen by volume; 40 % in endothermic gas from natural gas."},
    {"pressure", "Pressure", "total pressure", "mbar", kPressureRange, kStandardPressure,
     "The furnace's absolute pressure."},
    {"mv", "Probe", "probe voltage", "mV", kMvRange, std::nullopt,
     "The oxygen probe's voltage against air."},
    {"dew-point", "Dew point", "dew point", "°C", kDewRange, std::nullopt,
     "A dew-point meter's reading (over water)."},
    {"frost-point", "Frost point", "frost point", "°C", kFrostRange, std::nullopt,
     "A frost-point reading (over ice), for a meter that reports one below 0 °C."},
    {"co2", "CO2", "CO2 content", "%", kCo2Range, std::nullopt,
     "CO2 by volume from an infrared analyser."},
    {"ch4", "CH4", "CH4 content", "%", kCh4Range, std::nullopt,
     "Methane by volume; for information, since methane is far from equilibrium."},
    {"shim-initial-carbon", "Shim carbon before", "shim's initial carbon", "%C", kShimCarbonRange,
     std::nullopt, "The shim stock's carbon before the furnace."},
    {"shim-initial-mg", "Shim mass before", "shim's initial mass", "mg", kShimMassRange,
     std::nullopt, "The shim's mass before the furnace."},
    {"shim-final-mg", "Shim mass after", "shim's final mass", "mg", kShimMassRange, std::nullopt,
     "The shim's mass after the furnace."},
    {"target-carbon", "Target carbon", "target carbon", "%C", kTargetRange, std::nullopt,
     "The carbon potential wanted, for the readings it means."},
    {"si", "Si", "silicon content", "%", kAlloyRange, 0.0, "The steel's silicon, mass %."},
    {"mn", "Mn", "manganese content", "%", kAlloyRange, 0.0, "The steel's manganese, mass %."},
    {"cr", "Cr", "chromium content", "%", kAlloyRange, 0.0, "The steel's chromium, mass %."},
    {"ni", "Ni", "nickel content", "%", kAlloyRange, 0.0, "The steel's nickel, mass %."},
    {"mo", "Mo", "molybdenum content", "%", kAlloyRange, 0.0, "The steel's molybdenum, mass %."},
}};

constexpr std::array<ToolResult, kReadingCount> kActivityMembers{{
    {"probe", "Probe", ""},
    {"dew_point", "Dew point", ""},
    {"co2", "CO2", ""},
    {"ch4", "CH4", ""},
    {"shim", "Shim", ""},
}};
constexpr std::array<ToolResult, kReadingCount> kPotentialMembers{{
    {"probe", "Probe", "%C"},
    {"dew_point", "Dew point", "%C"},
    {"co2", "CO2", "%C"},
    {"ch4", "CH4", "%C"},
    {"shim", "Shim", "%C"},
}};
constexpr std::array<ToolResult, kEquivalentCount> kEquivalentMembers{{
    {"dew_point", "Dew point", "°C"},
    {"frost_point", "Frost point", "°C"},
    {"co2", "CO2", "%"},
    {"mv", "Probe", "mV"},
    {"po2", "pO2", "bar", ResultForm::Number, Digits::Scientific, 3},
}};

constexpr std::array<ToolResult, kAtmResultCount> kResults{{
    {"activity", "Carbon activity", "", ResultForm::Group, Digits::Decimals, 3, kActivityMembers},
    {"carbon_potential", "Carbon potential", "%C", ResultForm::Group, Digits::Decimals, 3,
     kPotentialMembers},
    {"sooting", "Sooting", "", ResultForm::List},
    {"saturation", "Graphite saturation", "%C"},
    {"spread", "Spread", "%C"},
    {"outlier", "Outlier", "", ResultForm::Text},
    {"equivalents", "Equivalents of the target", "", ResultForm::Group, Digits::Decimals, 3,
     kEquivalentMembers},
    {"co_for_shim", "CO for the shim", "%"},
    {"alloy_factor", "Alloy factor q", ""},
    {"steel_carbon", "Steel surface carbon", "%C"},
}};

constexpr std::array<ToolColumn, 7> kColumns{{
    {"carbon_probe", "carbon_potential", "probe"},
    {"carbon_dew_point", "carbon_potential", "dew_point"},
    {"carbon_co2", "carbon_potential", "co2"},
    {"carbon_ch4", "carbon_potential", "ch4"},
    {"carbon_shim", "carbon_potential", "shim"},
    {"spread", "spread", ""},
    {"outlier", "outlier", ""},
}};

constexpr std::string_view kSonntag = "Sonntag (1990): Magnus form of the vapour pressure";
constexpr std::string_view kGunnarson = "Gunnarson: carbon activity in austenite";
constexpr std::string_view kGunnarsonAlloy =
    "Gunnarson (1967), as commonly quoted; not yet checked against a handbook page";
constexpr std::string_view kFeC = "Fe-C phase diagram: the Ae3 line of pure iron";

constexpr std::array<ToolConstant, 25> kConstants{{
    {"gas constant R", kGasConstant, "J/(mol K)", "CODATA 2018 (exact)"},
    {"Faraday constant F", kFaraday, "C/mol", "CODATA 2018 (exact)"},
    {"probe slope RT ln10 / 4F per kelvin", kProbeSlope, "mV/K", "from R and F"},
    {"oxygen in reference air", kAirOxygenFraction, "", "dry air (ISO 2533)"},
    {"reference air pressure", kBarPerAtmosphere, "bar", "one standard atmosphere"},
    {"Magnus E0", kMagnusE0, "hPa", kSonntag},
    {"Magnus a over water", kMagnusWaterA, "", kSonntag},
    {"Magnus b over water", kMagnusWaterB, "°C", kSonntag},
    {"Magnus a over ice", kMagnusIceA, "", kSonntag},
    {"Magnus b over ice", kMagnusIceB, "°C", kSonntag},
    {"first JANAF row", fitted::kJanafRows.front().kelvin, "K", "NIST-JANAF (Chase 1998)"},
    {"last JANAF row", fitted::kJanafRows.back().kelvin, "K", "NIST-JANAF (Chase 1998)"},
    {"Gunnarson temperature term", kGunnarsonSlope, "K", kGunnarson},
    {"Gunnarson constant", kGunnarsonOffset, "", kGunnarson},
    {"Gunnarson carbon term", kGunnarsonCarbon, "1/%C", kGunnarson},
    {"alloy factor, Si", kAlloySi, "1/%", kGunnarsonAlloy},
    {"alloy factor, Mn", kAlloyMn, "1/%", kGunnarsonAlloy},
    {"alloy factor, Cr", kAlloyCr, "1/%", kGunnarsonAlloy},
    {"alloy factor, Ni", kAlloyNi, "1/%", kGunnarsonAlloy},
    {"alloy factor, Mo", kAlloyMo, "1/%", kGunnarsonAlloy},
    {"Ae3 line, first point: temperature", kAe3Points[0][0], "°C", kFeC},
    {"Ae3 line, first point: carbon", kAe3Points[0][1], "%C", kFeC},
    {"Ae3 line, second point: temperature", kAe3Points[1][0], "°C", kFeC},
    {"Ae3 line, second point: carbon", kAe3Points[1][1], "%C", kFeC},
    {"alpha/gamma transition of pure iron", kAe3Points[2][0], "°C", kFeC},
}};

constexpr std::array<std::string_view, 9> kEquations{{
    "Probe (CO = C + 1/2 O2): E = (R T ln10 / 4F) log10(p_ref / pO2), the reference being air "
    "at one standard atmosphere (p_ref = 0.2095 atm); aC = K pCO / pO2^1/2.",
    "Dew or frost point (CO + H2 = C + H2O): pH2O = e(t), over water e = 6.112 exp(17.62 t / "
    "(243.12 + t)) hPa, over ice e = 6.112 exp(22.46 t / (272.62 + t)) hPa; aC = K pCO pH2 / "
    "pH2O.",
    "CO2 (2CO = C + CO2): aC = K pCO^2 / pCO2.",
    "CH4 (CH4 = C + 2 H2): aC = K pCH4 / pH2^2; methane is far from equilibrium in a furnace, so "
    "this reading is for information and left out of the spread.",
    "log10 K of each reaction: its products' log10 Kf less its reactants' in the NIST-JANAF "
    "tables (graphite, H2 and O2 count zero), linear in 1/T between neighbouring rows; partial "
    "pressures in bar.",
    "Carbon potential (Gunnarson): log10 aC = 2300 / T - 2.21 + 0.15 %C + log10 %C, the carbon "
    "of pure-iron austenite at T, solved for %C with a bracketed root finder; where aC >= 1 the "
    "gas is above graphite saturation (sooting) and the reading has no potential.",
    "Shim: %C = (m0 C0 + 100 (m1 - m0)) / m1, masses m0 before and m1 after, C0 the initial "
    "carbon.",
    "Alloy factor: log10 q = 0.055 Si - 0.013 Mn - 0.04 Cr + 0.014 Ni - 0.013 Mo; steel "
    "surface carbon = carbon potential / q.",
    "Spread: the largest difference between the readings' carbon potentials; outlier: the "
    "reading furthest from the median of the others.",
}};

constexpr std::array<std::string_view, 5> kNotes{{
    "The equilibrium constants are the NIST-JANAF rows for CO, CO2, H2O and CH4 kept in "
    "atmosphere/janaf/ and turned into the program's table by atmosphere/fit.py, which also "
    "checks the program against them.",
    "The Magnus forms hold, within the accuracy Sonntag gives, over the dew point's and the frost "
    "point's ranges, which is why those ranges stop where they do. A meter must say which it "
    "reports: below 0 °C the two differ by several hundredths of a percent carbon. The dew or "
    "frost point is taken as the water vapour pressure in the furnace gas.",
    "Gunnarson's relation agrees closely with the CALPHAD description of Fe-C austenite near the "
    "eutectoid carbon. A potential below the Ae3 line of pure iron is marked, since ferrite "
    "forms there; the line runs straight between its points and ends at the alpha/gamma "
    "transition of pure iron.",
    "An equivalent is shown where it lies within its reading's range; fed back as a reading it "
    "gives the target again. The frost point is shown only below 0 °C.",
    "The alloy factor q is the carbon potential of pure iron divided by the surface carbon of "
    "the steel at the same activity; some controllers use 1/q. Its coefficients are "
    "Gunnarson's as commonly quoted; they have not yet been checked against a handbook's own "
    "page. CO, H2, CO2 and CH4 together, and Si, Mn, Cr, Ni and Mo together, are limited as "
    "the ranges say: at most 100 % and 5 %.",
}};

constexpr std::array<std::string_view, 5> kReferences{{
    "M. W. Chase, Jr., NIST-JANAF Thermochemical Tables, 4th ed., J. Phys. Chem. Ref. Data "
    "Monograph 9 (1998).",
    "D. Sonntag, Important new values of the physical constants of 1986, vapour pressure "
    "formulations based on the ITS-90, and psychrometer formulae, Z. Meteorol. 40 (1990) 340.",
    "E. Tiesinga et al., CODATA recommended values of the fundamental physical constants: 2018, "
    "Rev. Mod. Phys. 93 (2021) 025010.",
    "ISO 2533:1975, Standard Atmosphere.",
    "Gunnarson, alloy factor of carburising steels, Härterei-Technische Mitteilungen 22 "
    "(1967).",
}};

// --- The calculator ---------------------------------------------------------

std::string carbonText(double carbon) { return formatPattern(carbon, "0.000", ".") + " %C"; }
std::string celsiusText(double celsius) { return plainForm(celsius, ".") + " °C"; }

ToolOutcome fail(std::string sentence, int input) {
  ToolOutcome out;
  out.error = std::move(sentence);
  out.failedInput = input;
  return out;
}

void failInto(ToolOutcome& out, std::string sentence, int input) {
  out = fail(std::move(sentence), input);
}

std::optional<ToolOutcome> rangeError(ToolReadings in) {
  for (std::size_t i = 0; i < kInputs.size(); ++i) {
    if (!in[i]) continue;
    const ToolInput& input = kInputs[i];
    const double value = *in[i];
    if (input.range.accepts(value)) continue;
    return fail(rangeSentence(input), static_cast<int>(i));
  }
  return std::nullopt;
}

// Writes into `out`, reset by the caller, so a batch keeps its storage.
void fillAtmosphere(ToolReadings in, ToolOutcome& out) {
  if (in.size() != kInputs.size()) {
    return failInto(
        out, "The atmosphere tool needs " + std::to_string(kInputs.size()) + " readings.", -1);
  }
  if (auto error = rangeError(in)) {
    out = std::move(*error);
    return;
  }
  if (!in[kAtmTemp]) {
    return failInto(out, requiredSentence(kInputs[kAtmTemp]), kAtmTemp);
  }
  const double celsius = *in[kAtmTemp];
  const double kelvin = kelvinOf(celsius);
  // A gas reading left out is its input's start value, as every face gives it.
  const auto given = [&in](AtmosphereInput input) {
    return in[input].value_or(*kInputs[input].start);
  };
  const FurnaceGas gas{celsius, given(kAtmCo), given(kAtmH2), given(kAtmPressure)};
  if (in[kAtmDewPoint] && in[kAtmFrostPoint]) {
    return failInto(out,
                    "Give the dew point or the frost point, not both: a meter reports one of them.",
                    kAtmFrostPoint);
  }
  const double gasSum =
      gas.coPercent + gas.h2Percent + in[kAtmCo2].value_or(0) + in[kAtmCh4].value_or(0);
  if (gasSum > kPercent) {
    return failInto(out, "CO, H2, CO2 and CH4 together must be at most 100 %.", kAtmH2);
  }
  const bool anyShim = in[kAtmShimInitialCarbon] || in[kAtmShimInitialMg] || in[kAtmShimFinalMg];
  const bool wholeShim = in[kAtmShimInitialCarbon] && in[kAtmShimInitialMg] && in[kAtmShimFinalMg];
  if (anyShim && !wholeShim) {
    const int missing = !in[kAtmShimInitialCarbon] ? kAtmShimInitialCarbon
                        : !in[kAtmShimInitialMg]   ? kAtmShimInitialMg
                                                   : kAtmShimFinalMg;
    return failInto(out, "A shim needs its initial carbon, its initial mass and its final mass.",
                    missing);
  }
  std::optional<double> shim;
  if (wholeShim) {
    const double c0 = *in[kAtmShimInitialCarbon];
    const double m0 = *in[kAtmShimInitialMg];
    const double m1 = *in[kAtmShimFinalMg];
    shim = shimCarbon(c0, m0, m1);
    if (*shim < 0) {
      return failInto(out,
                      "The shim's masses give a negative carbon: the final mass must be at least " +
                          plainForm(m0 * (1 - c0 / kPercent), ".") + " mg.",
                      kAtmShimFinalMg);
    }
  }
  const double si = in[kAtmSi].value_or(0), mn = in[kAtmMn].value_or(0),
               cr = in[kAtmCr].value_or(0), ni = in[kAtmNi].value_or(0),
               mo = in[kAtmMo].value_or(0);
  if (si + mn + cr + ni + mo > kAlloySumMax) {
    return failInto(out, "Si, Mn, Cr, Ni and Mo together must be at most 5 %.", kAtmSi);
  }
  const double saturation = saturationCarbon(kelvin);
  if (in[kAtmTargetCarbon] && *in[kAtmTargetCarbon] > saturation) {
    return failInto(out,
                    "The target carbon must be at most the graphite saturation, " +
                        carbonText(saturation) + " at " + celsiusText(celsius) + ".",
                    kAtmTargetCarbon);
  }

  out.results.resize(kResults.size());
  ToolValue& activities = makeGroup(out.results[kAtmActivity], kReadingCount);
  ToolValue& potentials = makeGroup(out.results[kAtmCarbonPotential], kReadingCount);
  ToolValue& sooting = makeList(out.results[kAtmSooting]);

  std::array<std::optional<double>, kReadingCount> activity{};
  if (in[kAtmMv]) activity[kReadProbe] = activityFromProbe(gas, *in[kAtmMv]);
  if (in[kAtmDewPoint]) activity[kReadDewPoint] = activityFromDewPoint(gas, *in[kAtmDewPoint]);
  if (in[kAtmFrostPoint]) {
    activity[kReadDewPoint] = activityFromFrostPoint(gas, *in[kAtmFrostPoint]);
  }
  if (in[kAtmCo2]) activity[kReadCo2] = activityFromCo2(gas, *in[kAtmCo2]);
  if (in[kAtmCh4]) activity[kReadCh4] = activityFromCh4(gas, *in[kAtmCh4]);
  if (shim) activity[kReadShim] = gunnarsonActivity(*shim, kelvin);

  const double ae3 = ae3Carbon(celsius);
  std::array<std::optional<double>, kReadingCount> carbon{};
  for (int r = 0; r < kReadingCount; ++r) {
    if (!activity[r]) continue;
    ToolValue& a = activities.members[r];
    ToolValue& c = potentials.members[r];
    setNumber(a, *activity[r]);
    if (*activity[r] >= 1) {
      c.note = "sooting: above graphite saturation (" + carbonText(saturation) + " at " +
               celsiusText(celsius) + ")";
      sooting.list.emplace_back(carbonReadingKey(static_cast<CarbonReading>(r)));
    } else {
      carbon[r] = r == kReadShim ? *shim : carbonOfActivity(*activity[r], kelvin);
      setNumber(c, *carbon[r]);
      if (*carbon[r] < ae3) {
        c.note = "below Ae3 of pure iron, " + carbonText(ae3) + " at " + celsiusText(celsius) +
                 ": ferrite forms";
      }
    }
    if (r == kReadCh4) {
      a.note = "not at equilibrium; for information";
      if (c.note.empty()) c.note = a.note;
    }
  }
  setNumber(out.results[kAtmSaturation], saturation);

  // Spread and outlier over the readings at equilibrium that give a number.
  std::array<double, kReadingCount> counted{};
  std::array<CarbonReading, kReadingCount> countedReading{};
  std::size_t count = 0;
  for (CarbonReading r : {kReadProbe, kReadDewPoint, kReadCo2, kReadShim}) {
    if (!carbon[r]) continue;
    counted[count] = *carbon[r];
    countedReading[count] = r;
    ++count;
  }
  if (count >= 2) {
    const auto [low, high] = std::minmax_element(counted.begin(), counted.begin() + count);
    setNumber(out.results[kAtmSpread], *high - *low);
  }
  if (count >= 3) {
    double furthest = -1;
    CarbonReading outlier = kReadProbe;
    for (std::size_t i = 0; i < count; ++i) {
      std::array<double, kReadingCount> others{};
      std::size_t n = 0;
      for (std::size_t j = 0; j < count; ++j) {
        if (j != i) others[n++] = counted[j];
      }
      for (std::size_t a = 1; a < n; ++a) {  // at most three: insertion sort
        for (std::size_t b = a; b > 0 && others[b] < others[b - 1]; --b) {
          std::swap(others[b], others[b - 1]);
        }
      }
      const double median = n % 2 ? others[n / 2] : 0.5 * (others[n / 2 - 1] + others[n / 2]);
      const double distance = std::abs(counted[i] - median);
      if (distance > furthest) {
        furthest = distance;
        outlier = countedReading[i];
      }
    }
    setText(out.results[kAtmOutlier], carbonReadingKey(outlier));
  }

  ToolValue& equivalents = makeGroup(out.results[kAtmEquivalents], kEquivalentCount);
  const std::optional<double> target = in[kAtmTargetCarbon];
  if (target) {
    const double a = gunnarsonActivity(*target, kelvin);
    const double water = waterPressureFor(gas, a);
    const auto within = [&](int member, std::optional<double> value, Limits range,
                            std::string_view what, std::string_view unit) {
      ToolValue& v = equivalents.members[member];
      if (value && range.accepts(*value)) {
        setNumber(v, *value);
      } else {
        v.note = "outside the " + std::string(what) + " range, " + plainForm(range.min, ".") +
                 " to " + plainForm(range.max, ".") + " " + std::string(unit);
      }
    };
    within(kEqDewPoint, dewPointOf(water), kDewRange, "dew-point", "°C");
    if (water < kMagnusE0) {
      within(kEqFrostPoint, frostPointOf(water), kFrostRange, "frost-point", "°C");
    } else {
      equivalents.members[kEqFrostPoint].note = "none: the dew point lies above 0 °C";
    }
    within(kEqCo2, co2For(gas, a), kCo2Range, "CO2", "%");
    const double po2 = oxygenPressureFor(gas, a);
    within(kEqMv, probeVoltage(po2, kelvin), kMvRange, "probe", "mV");
    setNumber(equivalents.members[kEqPo2], po2);
  }

  if (in[kAtmMv] && carbon[kReadShim] && *carbon[kReadShim] > 0) {
    const double co = coForActivity(gas, *in[kAtmMv], *activity[kReadShim]);
    ToolValue& v = out.results[kAtmCoForShim];
    if (co <= kPercent) {
      setNumber(v, co);
      if (!kGasRange.accepts(co)) v.note = "outside the CO range, 0.1 to 60 %";
    } else {
      v.note = "above 100 %: the probe and the shim cannot agree at any CO";
    }
  }

  const double q = alloyFactor(si, mn, cr, ni, mo);
  setNumber(out.results[kAtmAlloyFactor], q);
  // The direction stated, since some controllers enter 1/q.
  out.results[kAtmAlloyFactor].note =
      q == 1 ? std::string("q = potential / steel carbon")
             : "q = potential / steel carbon; 1/q = " + formatPattern(1 / q, "0.000", ".");
  if (target) setNumber(out.results[kAtmSteelCarbon], *target / q);
}

ToolOutcome calculateAtmosphere(ToolReadings in) {
  ToolOutcome out;
  fillAtmosphere(in, out);
  return out;
}

const ToolDescriptor kTool{
    .id = "atmosphere",
    .title = "Atmosphere",
    .summary =
        "The carbon activity and carbon potential of one carburising atmosphere from "
        "every reading (probe, dew or frost point, CO2, CH4, shim), their spread, what "
        "each instrument reads at a target, and a steel's alloy factor.",
    .inputs = kInputs,
    .results = kResults,
    .columns = kColumns,
    .constants = kConstants,
    .equations = kEquations,
    .notes = kNotes,
    .references = kReferences,
    .calculate = calculateAtmosphere,
    .fill = fillAtmosphere,
};

}  // namespace

// The Tools menu, the page's views, the command line and the help page
// list it from here.
const Registration<ToolDescriptor> kRegistered(kTool);

const ToolDescriptor& atmosphereTool() { return kTool; }

}  // namespace pyrelon
