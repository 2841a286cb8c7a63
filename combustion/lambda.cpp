#include "combustion/lambda.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

constexpr double kProbeKelvin = 873;       // K, the probe's working temperature
constexpr double kNernstFactor = 0.02154;  // mV per K: R / 4F
constexpr double kAirOxygen = 20.9;        // %, the reference gas
constexpr double kNeutralOffset = 8;       // mV: this offset leaves the voltage as read
constexpr double kPercent = 100;           // a whole efficiency

// clang-format off
constexpr std::array<ControlSpec, 26> kControls{{
  {"Frame4", ControlKind::Panel, "", "Lambda Oxigen Probe", 60, 2100, 7275, 1695},
  {"Label39", ControlKind::Label, "Frame4", "FuelType", 240, 315, 990, 255, Colour::Red, Align::Left},
  {"FuelCmb", ControlKind::List, "Frame4", "", 120, 555, 1305, 330},
  {"Label20", ControlKind::Label, "Frame4", "mV Probe", 1545, 300, 870, 255, Colour::Blue},
  {"MvZo2Txt", ControlKind::TextBox, "Frame4", "", 1545, 555, 840, 315},
  {"Label18", ControlKind::Label, "Frame4", "mV Offset", 2520, 315, 840, 255, Colour::Blue},
  {"MvOffTxt", ControlKind::TextBox, "Frame4", "", 2505, 555, 840, 315},
  {"Label19", ControlKind::Label, "Frame4", "K Offset", 3495, 300, 840, 255, Colour::Blue},
  {"KOffTxt", ControlKind::TextBox, "Frame4", "", 3495, 555, 840, 315},
  {"Label2", ControlKind::Label, "Frame4", "\u00b0C Air", 4470, 300, 840, 255, Colour::Blue},
  {"AirTxt", ControlKind::TextBox, "Frame4", "", 4470, 555, 840, 315},
  {"Label3", ControlKind::Label, "Frame4", "\u00b0C Flue gas", 5370, 315, 915, 255, Colour::Blue, Align::Left},
  {"FlueTXt", ControlKind::TextBox, "Frame4", "", 5430, 555, 840, 315},
  {"OxiBtn", ControlKind::Button, "Frame4", "Solve", 6480, 555, 705, 300},
  {"Label22", ControlKind::Label, "Frame4", "Wet % O2", 225, 1020, 975, 255, Colour::Magenta},
  {"WetLbl", ControlKind::ResultLabel, "Frame4", "", 255, 1245, 840, 285},
  {"Label5", ControlKind::Label, "Frame4", "Dry % O2", 1230, 1035, 900, 255, Colour::Magenta},
  {"DryLbl", ControlKind::ResultLabel, "Frame4", "", 1230, 1245, 930, 285},
  {"Label40", ControlKind::Label, "Frame4", "% CO2", 2280, 1020, 930, 255, Colour::Magenta},
  {"Co2Lbl", ControlKind::ResultLabel, "Frame4", "", 2280, 1245, 915, 285},
  {"Label42", ControlKind::Label, "Frame4", "Air excess", 3330, 1020, 915, 255, Colour::Magenta},
  {"AirLbl", ControlKind::ResultLabel, "Frame4", "", 3330, 1245, 915, 285},
  {"Label48", ControlKind::Label, "Frame4", "Net Eff.", 4455, 1020, 840, 255, Colour::Magenta},
  {"NetLbl", ControlKind::ResultLabel, "Frame4", "", 4380, 1245, 900, 285},
  {"Label7", ControlKind::Label, "Frame4", "Gross Eff.", 5430, 1020, 915, 255, Colour::Magenta},
  {"GrossLbl", ControlKind::ResultLabel, "Frame4", "", 5430, 1245, 900, 285},
}};
// clang-format on

constexpr std::array<InputSpec, 5> kInputs{{
    {"MvZo2Txt", "mv", "probe voltage", "mV", "57.16", Limits{0.01, 300}},
    {"MvOffTxt", "offset", "voltage offset", "mV", "8", Limits{-10, 10}},
    {"KOffTxt", "kelvin-offset", "temperature offset", "K", "0", Limits{-200, 200}},
    {"AirTxt", "air", "air temperature", "\u00b0C", "20", Limits{-50, 200}},
    {"FlueTXt", "flue", "flue-gas temperature", "\u00b0C", "180", Limits{0, 800}},
}};

constexpr std::array<Fuel, 6> kFuels{{
    {"Metano", 1.105, 0.895, 11.7, 11, 0.38, 0.431},
    {"Propano", 1.084, 0.916, 13.8, 7.7, 0.42, 0.45},
    {"GPL", 1.091, 0.912, 14, 7.4, 0.43, 0.46},
    {"Gasolio", 1.068, 0.936, 15.1, 6.1, 0.56, 0.59},
    {"Nafta", 1.105, 0.895, 11.7, 11, 0.38, 0.42},
    {"Coke", 1.105, 0.895, 11.7, 11, 0.38, 0.42},
}};

// "Nafta" may mean naphtha or fuel oil, so it keeps its own name only.
constexpr std::array<ListEntry, 6> kFuelEntries{{
    {kFuels[0].name, "methane"},
    {kFuels[1].name, "propane"},
    {kFuels[2].name, "lpg"},
    {kFuels[3].name, "gasoil"},
    {kFuels[4].name, ""},
    {kFuels[5].name, ""},
}};

// All five are read, then tested in the same order.
constexpr std::array<ReadStep, 10> kReading{{
    {ReadStep::Read, kLambdaMv},
    {ReadStep::Read, kLambdaOffset},
    {ReadStep::Read, kLambdaKelvinOffset},
    {ReadStep::Read, kLambdaAir},
    {ReadStep::Read, kLambdaFlue},
    {ReadStep::Test, kLambdaMv},
    {ReadStep::Test, kLambdaOffset},
    {ReadStep::Test, kLambdaKelvinOffset},
    {ReadStep::Test, kLambdaAir},
    {ReadStep::Test, kLambdaFlue},
}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

// In the order they are written; each is computed from the one before it
// as shown.
enum Result { Wet, Air, Dry, Co2, Net, Gross };
constexpr std::array<ResultSpec, 6> kResults{{
    {"WetLbl", "wet_o2", "wet oxygen", "%", "#0.0"},
    {"AirLbl", "air_excess", "air excess", "", "0.000"},
    {"DryLbl", "dry_o2", "dry oxygen", "%", "#0.0"},
    {"Co2Lbl", "co2", "carbon dioxide content", "%", "#0.0"},
    {"NetLbl", "net_eff", "net efficiency", "%", "##0.0"},
    {"GrossLbl", "gross_eff", "gross efficiency", "%", "##0.0"},
}};
constexpr std::array<std::span<const ResultSpec>, 1> kResultSets{{kResults}};

constexpr std::array<ConstantSpec, 4> kConstants{{
    {"probe temperature", kProbeKelvin, "K"},
    {"Nernst factor", kNernstFactor, "mV/K"},
    {"oxygen content of the reference air", kAirOxygen, "%"},
    {"voltage offset that leaves the probe voltage as read", kNeutralOffset, "mV"},
}};

constexpr std::array<LimitLine, 10> kLimitLines{{
    {"The min mV probe value is ", " mV", kLambdaMv, false},
    {"The max mV probe value is ", " mV", kLambdaMv, true},
    {"The min mV probe Offset value is ", " mV", kLambdaOffset, false},
    {"The max mV probe Offset value is ", " mV", kLambdaOffset, true},
    {"The min Kelvin Temperatute Offset value is ", " K", kLambdaKelvinOffset, false},
    {"The max Kelvin Temperatute Offset value is ", " K", kLambdaKelvinOffset, true},
    {"The min combustion air temperature value is ", " \u00b0C", kLambdaAir, false},
    {"The max combustion air temperature value is ", " \u00b0C", kLambdaAir, true},
    {"The min flue temperature value is ", " \u00b0C", kLambdaFlue, false},
    {"The max flue temperature value is ", " \u00b0C", kLambdaFlue, true},
}};

// The fuel table as the help page shows it.
constexpr std::array<std::string_view, 7> kFuelHeaders{
    "Fuel",       "Wet ratio",   "Dry ratio", "CO2 max (%)", "Net allowance (%)",
    "Net factor", "Gross factor"};

std::vector<std::vector<std::string>> fuelRows() {
  const auto number = [](double value) { return plainForm(value, "."); };
  std::vector<std::vector<std::string>> rows;
  for (const Fuel& fuel : fuelTable()) {
    rows.push_back({std::string(fuel.name), number(fuel.wetRatio), number(fuel.dryRatio),
                    number(fuel.co2Max), number(fuel.netAllowance), number(fuel.netLossFactor),
                    number(fuel.grossLossFactor)});
  }
  return rows;
}

constexpr std::array kHelpTables{HelpTable{"<b>Fuel table</b>", kFuelHeaders, fuelRows}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>U = E − (offset − 8 mV);  T = 873 K + K offset</li>"
    "<li>Wet O2 = 20.9 / exp(U / (0.02154 × T))</li>"
    "<li>Air excess λ = (20.9 + wet O2 × (wet ratio − 1)) / (20.9 − wet O2)</li>"
    "<li>Dry O2 = (λ − 1) × 20.9 / (dry ratio + (λ − 1))</li>"
    "<li>CO2 = CO2 max × (1 − dry O2 / 20.9)</li>"
    "<li>Net Eff. = (100 − net allowance) − net factor × (t flue − t air) / CO2</li>"
    "<li>Gross Eff. = 100 − gross factor × (t flue − t air) / CO2</li>";
constexpr std::string_view kConventions =
    "<li>An offset of 8 mV means no offset: the probe voltage is used as read. Type 8, "
    "not 0, for a probe without offset.</li>"
    "<li>Each result is computed from the one before it as shown, rounded: wet O2, air "
    "excess, dry O2, CO2, then the efficiencies.</li>"
    "<li>Net Eff. is taken from 100 less the fuel's net allowance, so it comes out below "
    "Gross Eff.; this is the panel's convention, not a net efficiency on the lower "
    "heating value.</li>"
    "<li>This panel's Nernst constants are 20.9 % oxygen in the reference air and "
    "0.02154 mV/K; the oxygen probe panel uses 20.95 % and 0.0215354 mV/K. Each panel keeps "
    "its own.</li>"
    "<li>The ratios, CO2 maxima, allowances and Siegert factors are those of the fuel table "
    "below.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "lambda",
    .frame = "Frame4",
    .title = "Lambda Oxigen Probe",
    .summary =
        "Wet and dry oxygen, air excess, carbon dioxide and the net and gross "
        "efficiencies of a flue gas from the voltage of a lambda probe, for six fuels.",
    .solveButton = "OxiBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"FuelCmb", "fuel", "fuel", kFuelEntries},
    .plans = kPlans,
    .results = kResultSets,
    .constants = kConstants,
    .limitsBox = LimitsBox{kLimitLines, true, false},
    .calculate = calculateLambda,
    .startUp = {.fillList = 3, .writeTexts = 4, .solve = 5},
    .help = {kEquations, kConventions, kHelpTables},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

// Ends a press that cannot compute `from`: the results written before it
// stay, it and the later ones are cleared so none of them stands stale.
void stopAt(Outcome& out, Result from, std::string message) {
  std::vector<std::string_view> labels;
  for (std::size_t i = from; i < kResults.size(); ++i) labels.push_back(kResults[i].label);
  out.fault(std::move(message), labels);
}

// Writes a result and reads it back as the user sees it; nothing, after
// reporting, when the value cannot be shown. Within the panel's limits every
// result is finite and reads back (the zero divisors are caught before
// their steps), so the report is a guard that no reading reaches.
std::optional<double> show(Outcome& out, Result result, double value) {
  const ResultSpec& spec = kResults[result];
  if (std::isfinite(value)) {
    out.write(spec.label, value, spec.pattern);
    if (const auto shown = out.readBack(spec.label)) return shown;
  }
  stopAt(out, result, "The " + std::string(spec.what) + " cannot be computed for these readings.");
  return std::nullopt;
}

// "The wet oxygen of 20.9 % leaves no air excess to compute."
std::string noDivisor(const Outcome& out, Result shown, Result next) {
  const ResultSpec& spec = kResults[shown];
  std::string message = "The " + std::string(spec.what) + " of " + out.shown(spec.label);
  if (!spec.unit.empty()) (message += ' ') += spec.unit;
  return message + " leaves no " + std::string(kResults[next].what) + " to compute.";
}

}  // namespace

const PanelDescriptor& lambdaPanel() { return kPanel; }
std::span<const Fuel> fuelTable() { return kFuels; }

void calculateLambda(const Readings& in, Outcome& out) {
  if (in.entry < 0 || in.entry >= static_cast<int>(kFuels.size())) {
    out.nothing();
    return;
  }
  const Fuel& fuel = kFuels[static_cast<std::size_t>(in.entry)];
  // Both temperatures have passed their limits, so the rise is finite.
  const double rise = in[kLambdaFlue] - in[kLambdaAir];

  // Nernst relation of the cell against air.
  const double u = in[kLambdaMv] - (in[kLambdaOffset] - kNeutralOffset);
  const double kelvin = kProbeKelvin + in[kLambdaKelvinOffset];
  const double x = u / (kNernstFactor * kelvin);
  const auto wet = show(out, Wet, kAirOxygen / std::exp(x));
  if (!wet) return;

  if (kAirOxygen - *wet == 0) {
    stopAt(out, Air, noDivisor(out, Wet, Air));
    return;
  }
  const auto excess =
      show(out, Air, (kAirOxygen + *wet * (fuel.wetRatio - 1)) / (kAirOxygen - *wet));
  if (!excess) return;

  const double dryDivisor = fuel.dryRatio + (*excess - 1.0);
  if (dryDivisor == 0) {
    stopAt(out, Dry, noDivisor(out, Air, Dry));
    return;
  }
  const auto dry = show(out, Dry, ((*excess - 1.0) * kAirOxygen) / dryDivisor);
  if (!dry) return;

  const auto co2 = show(out, Co2, fuel.co2Max * (1.0 - *dry / kAirOxygen));
  if (!co2) return;

  // Siegert's flue loss, factor x (tf - ta) / CO2.
  if (*co2 == 0) {
    stopAt(out, Net, noDivisor(out, Co2, Net));
    return;
  }
  if (!show(out, Net, (kPercent - fuel.netAllowance) - (fuel.netLossFactor * rise) / *co2)) return;
  show(out, Gross, kPercent - (fuel.grossLossFactor * rise) / *co2);
}

}  // namespace pyrelon
