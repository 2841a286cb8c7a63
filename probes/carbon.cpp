#include "probes/carbon.h"

#include <array>
#include <cmath>

#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

constexpr std::string_view kResultLabel = "CarbonLbl";

// The closed form shared by the Accucarb and the "Lambda" calibrations:
//   Cp = exp(((a1 t + a0) + E + (b1 t + b0) ln(CO)) / (d1 t + d0)),
// t in degrees Celsius, E in mV, CO in percent.
constexpr double kClosedA1 = -0.3950521;  // mV per degree Celsius
constexpr double kClosedA0 = 936.1648;    // mV, subtracted
constexpr double kClosedB1 = 0.0361551;   // mV per degree Celsius
constexpr double kClosedB0 = 17.74167;    // mV
constexpr double kClosedD1 = 0.09621958;  // mV per degree Celsius
constexpr double kClosedD0 = 20.99039;    // mV, subtracted
// The "Lambda" probe reads this much higher than the Accucarb curve.
constexpr double kLambdaProbeShift = 48;  // mV

// DIN 17022.
constexpr double kDinKelvinOffset = 273.14;   // K
constexpr double kDinSlope = 0.0992;          // mV per K, per decade of Cp
constexpr double kDinVoltageZero = 816.1;     // mV
constexpr double kDinConstant = 1.995;        // decades
constexpr double kDinCarbonFactor = 0.15;     // per % C
constexpr double kDinStart = 0.01;            // % C, the first iterate
constexpr double kDinTolerance = 0.00000001;  // % C, the step that ends the search

// clang-format off
constexpr std::array<ControlSpec, 12> kControls{{
  {"Frame3", ControlKind::Panel, "", "ZrO2 Carbon Probe", 90, 4800, 6615, 915},
  {"Label11", ControlKind::Label, "Frame3", "Source Probe", 255, 240, 1245, 255, Colour::Red, Align::Left},
  {"ProbeCmb", ControlKind::List, "Frame3", "", 180, 465, 1290, 330},
  {"Label9", ControlKind::Label, "Frame3", "mV Probe", 1635, 240, 915, 255, Colour::Blue, Align::Left},
  {"MvZccTxt", ControlKind::TextBox, "Frame3", "", 1605, 465, 840, 315},
  {"Label10", ControlKind::Label, "Frame3", "\u00b0 C", 2655, 240, 690, 255, Colour::Blue},
  {"TempTxt", ControlKind::TextBox, "Frame3", "", 2580, 465, 840, 315},
  {"Label13", ControlKind::Label, "Frame3", "% CO", 3630, 240, 750, 255, Colour::Blue},
  {"CoTxt", ControlKind::TextBox, "Frame3", "", 3555, 465, 915, 315},
  {"CarbonBtn", ControlKind::Button, "Frame3", "Solve", 4605, 465, 855, 315},
  {"Lab7", ControlKind::Label, "Frame3", "% Carbon", 5505, 240, 975, 255, Colour::Magenta},
  {kResultLabel, ControlKind::ResultLabel, "Frame3", "", 5595, 465, 795, 315},
}};
// clang-format on

constexpr std::array<InputSpec, 3> kInputs{{
    {"MvZccTxt", "mv", "probe voltage", "mV", "1121", Limits{960, 1340}},
    {"TempTxt", "temp", "probe temperature", "\u00b0C", "830", Limits{650, 1300}},
    {"CoTxt", "co", "CO content", "%", "20", Limits{2, 37}},
}};

constexpr std::array<ListEntry, 3> kProbes{{{"Accucarb", ""}, {"DIN 17022", ""}, {"Lambda", ""}}};

// All three are read before any is tested, the temperature first.
constexpr std::array<ReadStep, 6> kReading{{
    {ReadStep::Read, kCarbonTemperature},
    {ReadStep::Read, kCarbonMv},
    {ReadStep::Read, kCarbonCo},
    {ReadStep::Test, kCarbonMv},
    {ReadStep::Test, kCarbonTemperature},
    {ReadStep::Test, kCarbonCo},
}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

constexpr std::array<ResultSpec, 1> kResults{{
    {kResultLabel, "carbon", "carbon potential", "% C", "0.000"},
}};
constexpr std::array<std::span<const ResultSpec>, 1> kResultSets{{kResults}};

constexpr std::array<ConstantSpec, 13> kConstants{{
    {"closed form: temperature slope of the voltage term a1", kClosedA1, "mV/\u00b0C"},
    {"closed form: voltage term a0 (subtracted)", kClosedA0, "mV"},
    {"closed form: temperature slope of the CO term b1", kClosedB1, "mV/\u00b0C"},
    {"closed form: CO term b0", kClosedB0, "mV"},
    {"closed form: temperature slope of the divisor d1", kClosedD1, "mV/\u00b0C"},
    {"closed form: divisor d0 (subtracted)", kClosedD0, "mV"},
    {"Lambda calibration: voltage shift against Accucarb", kLambdaProbeShift, "mV"},
    {"DIN 17022: offset to absolute temperature", kDinKelvinOffset, "K"},
    {"DIN 17022: slope k per kelvin", kDinSlope, "mV/K"},
    {"DIN 17022: voltage zero", kDinVoltageZero, "mV"},
    {"DIN 17022: constant", kDinConstant, ""},
    {"DIN 17022: carbon factor", kDinCarbonFactor, "1/% C"},
    {"DIN 17022: first iterate", kDinStart, "% C"},
}};

constexpr std::array<LimitLine, 6> kLimitLines{{
    {"The min mV probe value is ", " mV", kCarbonMv, false},
    {"The max mV probe value is ", " mV", kCarbonMv, true},
    {"The min probe temperature value is ", " \u00b0C", kCarbonTemperature, false},
    {"The max probe temperature value is ", " \u00b0C", kCarbonTemperature, true},
    {"The min %Co value is ", " %", kCarbonCo, false},
    {"The max %Co value is ", " %", kCarbonCo, true},
}};

double closedFormCarbon(double mv, double t, double co) {
  const double a = (kClosedA1 * t - kClosedA0) + mv;
  const double b = (kClosedB1 * t + kClosedB0) * std::log(co);
  const double d = kClosedD1 * t - kClosedD0;
  return std::exp((a + b) / d);
}

// carbonLog10, but a value that has no logarithm is also written, in the
// signed form, to the result label; the same press overwrites it.
std::optional<double> log10ShowingNonPositive(Outcome& out, double x) {
  const std::optional<double> result = carbonLog10(x);
  if (!result) out.writeText(kResultLabel, signedForm(x));
  return result;
}

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>Accucarb: C<sub>p</sub> = exp(((a1·t − a0) + E + (b1·t + b0)·ln CO) / (d1·t − d0))</li>"
    "<li>Lambda: the same with E − 48 mV in place of E</li>"
    "<li>DIN 17022: k = 0.0992 × (t + 273.14); C<sub>p</sub> solves "
    "k × (0.15·C<sub>p</sub> + log10 C<sub>p</sub>) = (E − 816.1) + k × (log10(CO / 100) − "
    "1.995), by Newton steps from 0.01 % until a step is below 0.00000001 %</li>"
    "<li>E in mV, t in °C, CO in %</li>";
constexpr std::string_view kConventions =
    "<li>The voltage, temperature and CO content are all read before any is tested.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "carbon",
    .frame = "Frame3",
    .title = "ZrO2 Carbon Probe",
    .summary =
        "The carbon potential of a furnace atmosphere from the voltage of a zirconia "
        "carbon probe, its temperature and the CO content, for three calibrations.",
    .solveButton = "CarbonBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"ProbeCmb", "probe", "probe calibration", kProbes},
    .plans = kPlans,
    .results = kResultSets,
    .constants = kConstants,
    .limitsBox = LimitsBox{kLimitLines, false, false},
    .calculate = calculateCarbon,
    .startUp = {.fillList = 2, .writeTexts = 3, .solve = 4},
    .help = {kEquations, kConventions},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

}  // namespace

const PanelDescriptor& carbonPanel() { return kPanel; }

std::optional<double> carbonLog10(double x) {
  if (x > 0) return std::log(x) / std::log(10.0);
  return std::nullopt;
}

double accucarbCarbon(double mv, double t, double co) { return closedFormCarbon(mv, t, co); }

double lambdaProbeCarbon(double mv, double t, double co) {
  return closedFormCarbon(mv - kLambdaProbeShift, t, co);
}

std::optional<DinSolution> solveDin17022(double mv, double t, double co,
                                         const Log10Function& log10) {
  const double k = kDinSlope * (t + kDinKelvinOffset);
  const double rightSide =
      (mv - kDinVoltageZero) + k * (log10(co / 100).value_or(0.0) - kDinConstant);
  double cp = kDinStart;
  for (int pass = 1; pass <= kDinMaxPasses; ++pass) {
    const double f = k * (kDinCarbonFactor * cp + log10(cp).value_or(0.0)) - rightSide;
    const double slope = k * kDinCarbonFactor + (k * (1 / std::log(10.0))) * (1 / cp);
    double next = cp - f / slope;
    // F is increasing and concave in Cp, so a Newton step from below the root
    // stays below it and climbs; only a step from above can overshoot past
    // zero. A tenth of the iterate is then a safe place to climb from. The
    // size of such a step says nothing about convergence.
    const bool newtonStep = next > 0 && std::isfinite(next);
    if (!newtonStep) next = cp / 10;
    const double delta = std::fabs(next - cp);
    cp = next;
    if (!(cp > 0)) return std::nullopt;
    if (newtonStep && delta < kDinTolerance) return DinSolution{cp, pass};
  }
  return std::nullopt;
}

void calculateCarbon(const Readings& in, Outcome& out) {
  const double mv = in[kCarbonMv];
  const double t = in[kCarbonTemperature];
  const double co = in[kCarbonCo];
  double carbon = 0;
  switch (in.entry) {
    case kAccucarb: carbon = accucarbCarbon(mv, t, co); break;
    case kDin17022: {
      const auto solution =
          solveDin17022(mv, t, co, [&out](double x) { return log10ShowingNonPositive(out, x); });
      if (!solution) {
        out.fault("The DIN 17022 iteration found no carbon potential for these readings.",
                  {kResultLabel});
        return;
      }
      carbon = solution->carbon;
      break;
    }
    case kLambdaProbe: carbon = lambdaProbeCarbon(mv, t, co); break;
    default: out.nothing(); return;
  }
  out.write(kResultLabel, carbon, kResults[0].pattern);
}

}  // namespace pyrelon
