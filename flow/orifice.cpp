#include "flow/orifice.h"

#include <array>
#include <cmath>

#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

constexpr double kKelvinOffset = 273.14;  // K, this panel's own

constexpr std::string_view kResultLabel = "FlowLbl";

// clang-format off
constexpr std::array<ControlSpec, 24> kControls{{
  {"Frame7", ControlKind::Panel, "", "Mass Flow Compensation for Orifice", 90, 5760, 9405, 1335},
  {"Label30", ControlKind::Label, "Frame7", "Ref. Temp", 60, 420, 915, 255, Colour::Blue},
  {"RefTempTxt", ControlKind::TextBox, "Frame7", "", 180, 690, 720, 315},
  {"Label32", ControlKind::Label, "Frame7", "\u00b0C", 180, 1020, 720, 225, Colour::Blue},
  {"Label31", ControlKind::Label, "Frame7", "Ref. Press", 1020, 420, 945, 255, Colour::Blue},
  {"RefPresTxt", ControlKind::TextBox, "Frame7", "", 1140, 690, 750, 315},
  {"Label33", ControlKind::Label, "Frame7", "mbar", 1140, 1020, 750, 225, Colour::Blue},
  {"Label41", ControlKind::Label, "Frame7", "Atm. Press", 1980, 420, 1005, 255, Colour::Blue},
  {"AtmPresTxt", ControlKind::TextBox, "Frame7", "", 2130, 690, 750, 315},
  {"Label38", ControlKind::Label, "Frame7", "mbar", 2130, 1020, 750, 225, Colour::Blue},
  {"Line1", ControlKind::Line, "Frame7", "", 3000, 270, 3000, 1230, Colour::Black},
  {"Label29", ControlKind::Label, "Frame7", "Flow", 3150, 450, 735, 255, Colour::Blue},
  {"FlowTxt", ControlKind::TextBox, "Frame7", "", 3150, 690, 750, 315},
  {"Label24", ControlKind::Label, "Frame7", "Temp", 4050, 420, 690, 255, Colour::Blue},
  {"FlowTempTxt", ControlKind::TextBox, "Frame7", "", 4050, 690, 720, 315},
  {"Label36", ControlKind::Label, "Frame7", "\u00b0C", 4050, 1020, 720, 225, Colour::Blue},
  {"Label26", ControlKind::Label, "Frame7", "Press", 4950, 420, 675, 255, Colour::Blue},
  {"FlowPresTxt", ControlKind::TextBox, "Frame7", "", 4860, 690, 840, 315},
  {"Label37", ControlKind::Label, "Frame7", "mbar", 4920, 1020, 750, 225, Colour::Blue},
  {"Label28", ControlKind::Label, "Frame7", "Compensation Type", 5820, 240, 1260, 435, Colour::Magenta},
  {"FlowCmb", ControlKind::List, "Frame7", "", 5850, 690, 1275, 330},
  {"FlowBtn", ControlKind::Button, "Frame7", "Solve", 7320, 690, 720, 315},
  {"Label27", ControlKind::Label, "Frame7", "Compensed Flow", 8190, 210, 1050, 435, Colour::Magenta},
  {kResultLabel, ControlKind::ResultLabel, "Frame7", "0", 8190, 690, 1035, 315},
}};
// clang-format on

constexpr std::array<InputSpec, 6> kInputs{{
    {"RefTempTxt", "ref-temp", "reference temperature", "\u00b0C", "25.0", std::nullopt},
    {"RefPresTxt", "ref-press", "reference pressure", "mbar", "2500", std::nullopt},
    {"FlowTxt", "flow", "flow", "", "10.0", std::nullopt},
    {"FlowTempTxt", "temp", "flow temperature", "\u00b0C", "25.0", std::nullopt},
    {"FlowPresTxt", "press", "flow pressure", "mbar", "2500", std::nullopt},
    {"AtmPresTxt", "atm", "atmospheric pressure", "mbar", "1013", std::nullopt},
}};

constexpr std::array<ListEntry, 4> kCompensations{
    {{"None", ""}, {"Temperature", ""}, {"Pressure", ""}, {"Both", ""}}};

// Each correction reads only the boxes it uses, in this order.
constexpr std::array<ReadStep, 1> kReadNone{{{ReadStep::Read, kFlow}}};
constexpr std::array<ReadStep, 3> kReadTemperature{{{ReadStep::Read, kFlow},
                                                    {ReadStep::Read, kFlowTemperature},
                                                    {ReadStep::Read, kRefTemperature}}};
constexpr std::array<ReadStep, 4> kReadPressure{{{ReadStep::Read, kFlow},
                                                 {ReadStep::Read, kAtmPressure},
                                                 {ReadStep::Read, kRefPressure},
                                                 {ReadStep::Read, kFlowPressure}}};
constexpr std::array<ReadStep, 6> kReadBoth{{{ReadStep::Read, kFlowTemperature},
                                             {ReadStep::Read, kRefTemperature},
                                             {ReadStep::Read, kAtmPressure},
                                             {ReadStep::Read, kRefPressure},
                                             {ReadStep::Read, kFlowPressure},
                                             {ReadStep::Read, kFlow}}};
constexpr std::array<ReadPlan, 4> kPlans{{kReadNone, kReadTemperature, kReadPressure, kReadBoth}};

// The flow keeps the unit it was measured in; only its pattern differs
// with the compensation.
constexpr ResultSpec flowResult(std::string_view pattern) {
  return {kResultLabel, "flow", "compensated flow", "", pattern};
}
constexpr std::array<ResultSpec, 1> kPlain{{flowResult("")}};
constexpr std::array<ResultSpec, 1> kOneFactor{{flowResult("##.#0")}};
constexpr std::array<ResultSpec, 1> kTwoFactors{{flowResult("#.#0")}};
constexpr std::array<std::span<const ResultSpec>, 4> kResultSets{
    {kPlain, kOneFactor, kOneFactor, kTwoFactors}};

constexpr std::array<ConstantSpec, 1> kConstants{{
    {"offset to absolute temperature", kKelvinOffset, "K"},
}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>None: Q = flow</li>"
    "<li>Temperature: Q = flow × √((t ref + 273.14) / (t + 273.14))</li>"
    "<li>Pressure: Q = flow × √((p + p atm) / (p ref + p atm))</li>"
    "<li>Both: Q = flow × both square roots</li>";
constexpr std::string_view kConventions =
    "<li>The flow keeps the unit it was measured in. Pressures are gauge pressures in "
    "mbar, made absolute with the atmospheric pressure.</li>"
    "<li>Each compensation reads only the boxes it uses.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "flow",
    .frame = "Frame7",
    .title = "Mass Flow Compensation for Orifice",
    .summary =
        "The flow of an orifice meter corrected from its reference pressure and "
        "temperature to those at which the gas flows, by the square-root law.",
    .solveButton = "FlowBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"FlowCmb", "type", "compensation type", kCompensations},
    .plans = kPlans,
    .needsEntry = true,
    .results = kResultSets,
    .constants = kConstants,
    .calculate = calculateFlow,
    .startUp = {.fillList = 5, .writeTexts = 7, .solve = 7},
    .help = {kEquations, kConventions},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

FlowFactor fault(std::string_view message) { return {0.0, message}; }

}  // namespace

const PanelDescriptor& flowPanel() { return kPanel; }

FlowFactor temperatureFactor(double flowTemperature, double referenceTemperature) {
  const double reference = referenceTemperature + kKelvinOffset;
  const double flow = flowTemperature + kKelvinOffset;
  if (flow == 0) return fault("The flow temperature must be above -273.14 \u00b0C.");
  const double ratio = reference / flow;
  if (ratio < 0) {
    return fault(flow < 0 ? "The flow temperature must be above -273.14 \u00b0C."
                          : "The reference temperature must be above -273.14 \u00b0C.");
  }
  if (!std::isfinite(ratio)) return fault("The temperature factor is too large a number.");
  return {std::sqrt(ratio), {}};
}

FlowFactor pressureFactor(double flowPressure, double referencePressure,
                          double atmosphericPressure) {
  const double flow = flowPressure + atmosphericPressure;
  const double reference = atmosphericPressure + referencePressure;
  if (!std::isfinite(flow))
    return fault("The flow pressure plus the atmospheric pressure is too large a number.");
  if (!std::isfinite(reference))
    return fault("The reference pressure plus the atmospheric pressure is too large a number.");
  if (reference == 0)
    return fault("The reference pressure plus the atmospheric pressure must be above 0 mbar.");
  const double ratio = flow / reference;
  if (ratio < 0) {
    return fault(reference < 0
                     ? "The reference pressure plus the atmospheric pressure must be above 0 mbar."
                     : "The flow pressure plus the atmospheric pressure must be above 0 mbar.");
  }
  if (!std::isfinite(ratio)) return fault("The pressure factor is too large a number.");
  return {std::sqrt(ratio), {}};
}

void calculateFlow(const Readings& in, Outcome& out) {
  const ResultSpec& result = kPanel.resultsFor(in.entry).front();
  if (result.pattern.empty()) {
    out.writeText(kResultLabel, plainForm(in[kFlow], out.settings().decimalSeparator));
    return;
  }
  const bool temperature = in.entry == kTemperatureOnly || in.entry == kBoth;
  const bool pressure = in.entry == kPressureOnly || in.entry == kBoth;
  FlowFactor sT;
  FlowFactor sP;
  if (temperature) {
    sT = temperatureFactor(in[kFlowTemperature], in[kRefTemperature]);
    if (!sT.ok()) return out.fault(std::string(sT.fault), {kResultLabel});
  }
  if (pressure) {
    sP = pressureFactor(in[kFlowPressure], in[kRefPressure], in[kAtmPressure]);
    if (!sP.ok()) return out.fault(std::string(sP.fault), {kResultLabel});
  }

  double flow = 0.0;
  if (temperature && pressure) {
    flow = in[kFlow] * (sT.value * sP.value);
  } else if (temperature) {
    flow = in[kFlow] * sT.value;
  } else {
    flow = in[kFlow] * sP.value;
  }
  if (!std::isfinite(flow))
    return out.fault("The compensated flow is too large a number.", {kResultLabel});
  out.write(kResultLabel, flow, result.pattern);
}

}  // namespace pyrelon
