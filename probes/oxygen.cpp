#include "probes/oxygen.h"

#include <array>
#include <cmath>

#include "core/registry.h"

namespace pyrelon {
namespace {

constexpr std::string_view kResultLabel = "OxyLbl";

constexpr double kKelvinOffset = 273.12;     // K, this panel's own
constexpr double kNernstFactor = 0.0215354;  // mV per K: R / 4F
constexpr double kAirOxygen = 20.95;         // %, the reference gas

// clang-format off
constexpr std::array<ControlSpec, 12> kControls{{
  {"Frame6", ControlKind::Panel, "", "ZrO2 Oxigen Probe", 90, 3840, 6615, 915},
  {"Label15", ControlKind::Label, "Frame6", "Source Probe", 255, 240, 1245, 255, Colour::Red, Align::Left},
  {"OxygenCmb", ControlKind::List, "Frame6", "", 180, 465, 1290, 330},
  {"Label1", ControlKind::Label, "Frame6", "mV Probe", 1635, 240, 915, 255, Colour::Blue, Align::Left},
  {"MvZrO2Txt", ControlKind::TextBox, "Frame6", "", 1605, 465, 840, 315},
  {"Label14", ControlKind::Label, "Frame6", "\u00b0 C", 2655, 240, 690, 255, Colour::Blue},
  {"TempZrO2Txt", ControlKind::TextBox, "Frame6", "", 2580, 465, 840, 315},
  {"Label17", ControlKind::Label, "Frame6", "mV Offset", 3570, 240, 870, 255, Colour::Blue},
  {"BiasZrO2Txt", ControlKind::TextBox, "Frame6", "", 3555, 465, 915, 315},
  {"OxygenBtn", ControlKind::Button, "Frame6", "Solve", 4605, 465, 855, 315},
  {"Label25", ControlKind::Label, "Frame6", "% Oxygen", 5505, 240, 975, 255, Colour::Magenta},
  {kResultLabel, ControlKind::ResultLabel, "Frame6", "", 5595, 465, 795, 315},
}};
// clang-format on

constexpr std::array<InputSpec, 3> kInputs{{
    {"MvZrO2Txt", "mv", "probe voltage", "mV", "87.0", Limits{-10, 300}},
    {"TempZrO2Txt", "temp", "probe temperature", "\u00b0C", "1100", std::nullopt},
    {"BiasZrO2Txt", "offset", "probe offset", "mV", "-3.0", std::nullopt},
}};

constexpr std::array<ListEntry, 1> kProbes{{{"Standard", ""}}};

constexpr std::array<ReadStep, 4> kReading{{
    {ReadStep::Read, kOxygenMv},
    {ReadStep::Read, kOxygenOffset},
    {ReadStep::Read, kOxygenTemperature},
    {ReadStep::Test, kOxygenMv},
}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

constexpr std::array<ResultSpec, 1> kResults{{
    {kResultLabel, "oxygen", "oxygen content", "%", "#0.00"},
}};
constexpr std::array<std::span<const ResultSpec>, 1> kResultSets{{kResults}};

constexpr std::array<ConstantSpec, 3> kConstants{{
    {"offset to absolute temperature", kKelvinOffset, "K"},
    {"Nernst factor", kNernstFactor, "mV/K"},
    {"oxygen content of the reference air", kAirOxygen, "%"},
}};

// The box states an offset range and a temperature range that nothing
// tests, and a lower voltage of 0.01 mV beside the -10 mV that is tested.
constexpr std::array<LimitLine, 7> kLimitLines{{
    {"The min mV probe value is ", " mV", -1, false, 0.01},
    {"The max mV probe value is ", " mV", kOxygenMv, true},
    {"The min mV probe value is ", " mV", kOxygenMv, false},
    {"The min mV probe Offset value is ", " mV", -1, false, -10},
    {"The max mV probe Offset value is ", " mV", -1, false, 10},
    {"The min Temperatute Probe value is ", "\u00b0C", -1, false, 650},
    {"The max Temperatute Probe value is ", " \u00b0C K", -1, false, 1600},
}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>O2 = 20.95 / exp((E − offset) / ((t + 273.12) × 0.0215354))</li>"
    "<li>E and offset in mV, t in °C</li>";
constexpr std::string_view kConventions =
    "<li>This panel's Nernst constants are 20.95 % and 0.0215354 mV/K, and its offset to "
    "absolute temperature 273.12 K; the lambda panel uses 20.9 % and 0.02154 mV/K.</li>"
    "<li>Only the probe voltage is tested; the limits box also states an offset and a "
    "temperature range that nothing tests.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "oxygen",
    .frame = "Frame6",
    .title = "ZrO2 Oxigen Probe",
    .summary =
        "The oxygen content of a gas from the voltage of a zirconia oxygen probe with "
        "air as the reference, its temperature and its voltage offset.",
    .solveButton = "OxygenBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"OxygenCmb", "probe", "probe", kProbes},
    .plans = kPlans,
    .results = kResultSets,
    .constants = kConstants,
    .limitsBox = LimitsBox{kLimitLines, true, false},
    .calculate = calculateOxygen,
    .startUp = {.fillList = 6, .writeTexts = 6, .solve = 6},
    .help = {kEquations, kConventions},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

}  // namespace

const PanelDescriptor& oxygenPanel() { return kPanel; }

void calculateOxygen(const Readings& in, Outcome& out) {
  const double divisor = (in[kOxygenTemperature] + kKelvinOffset) * kNernstFactor;
  if (divisor == 0) {
    out.fault(
        "The probe temperature of -273.12 \u00b0C is absolute zero, where no oxygen "
        "content can be computed.",
        {kResultLabel});
    return;
  }
  const double x = (in[kOxygenMv] - in[kOxygenOffset]) / divisor;
  // exp(x) beyond the double range in either direction leaves no oxygen
  // content that can be shown: 0 or a division by zero.
  const double growth = std::exp(x);
  const double oxygen = growth > 0 ? kAirOxygen / growth : 0;
  if (oxygen == 0 || !std::isfinite(oxygen)) {
    out.fault(x > 0 ? "The oxygen content is too small to compute for these readings."
                    : "The oxygen content is too large to compute for these readings.",
              {kResultLabel});
    return;
  }
  out.write(kResultLabel, oxygen, kResults[0].pattern);
}

}  // namespace pyrelon
