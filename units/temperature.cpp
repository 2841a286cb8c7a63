#include "units/temperature.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/registry.h"

namespace pyrelon {
namespace {

// The offsets are separate constants on purpose: 491.67 is not derived
// from 273.15, nor 459.67 from 32.
constexpr double kKelvinOffset = 273.15;           // K at 0 degrees Celsius
constexpr double kFahrenheitOffset = 32;           // degrees Fahrenheit at 0 degrees Celsius
constexpr double kRankineOffset = 491.67;          // degrees Rankine at 0 degrees Celsius
constexpr double kRankineFromFahrenheit = 459.67;  // degrees Rankine at 0 degrees Fahrenheit
// The factors are the double quotients, formed first and then multiplied.
constexpr double kNineFifths = 9.0 / 5.0;
constexpr double kFiveNinths = 5.0 / 9.0;

}  // namespace

double fahrenheitFromCelsius(double c) { return kNineFifths * c + kFahrenheitOffset; }
double kelvinFromCelsius(double c) { return c + kKelvinOffset; }
double rankineFromCelsius(double c) { return kNineFifths * c + kRankineOffset; }
double celsiusFromFahrenheit(double f) { return (f - kFahrenheitOffset) * kFiveNinths; }
double rankineFromFahrenheit(double f) { return f + kRankineFromFahrenheit; }
double celsiusFromKelvin(double k) { return k - kKelvinOffset; }
double rankineFromKelvin(double k) { return kNineFifths * k; }
double kelvinFromRankine(double r) { return kFiveNinths * r; }
double fahrenheitFromRankine(double r) { return r - kRankineFromFahrenheit; }
double celsiusFromRankine(double r) { return kFiveNinths * r - kKelvinOffset; }

namespace {

constexpr std::string_view kPattern = "###0.0";
constexpr std::string_view kC = "\u00b0Centigradi";
constexpr std::string_view kF = "\u00b0Fahrenheit";
constexpr std::string_view kK = "Kelvin";
constexpr std::string_view kR = "\u00b0Rankine";

// clang-format off
constexpr std::array<ControlSpec, 12> kControls{{
  {"Frame1", ControlKind::Panel, "", "Temperature Conversion", 60, 60, 6375, 915},
  {"Label4", ControlKind::Label, "Frame1", "Source Unit", 255, 240, 1095, 255, Colour::Red, Align::Left},
  {"GradiCmb", ControlKind::List, "Frame1", "", 180, 480, 1365, 330},
  {"Label52", ControlKind::Label, "Frame1", "Input", 1680, 240, 660, 255, Colour::Blue},
  {"DataText", ControlKind::TextBox, "Frame1", "", 1620, 480, 870, 330},
  {"TempBtn", ControlKind::Button, "Frame1", "Solve", 2580, 480, 720, 315},
  {"Lab1", ControlKind::Label, "Frame1", "\u00b0 Fahrenheit", 3255, 240, 1095, 255, Colour::Magenta},
  {"Lab2", ControlKind::ResultLabel, "Frame1", "", 3420, 465, 840, 330},
  {"Lab3", ControlKind::Label, "Frame1", "Kelvin", 4335, 240, 960, 255, Colour::Magenta},
  {"Lab4", ControlKind::ResultLabel, "Frame1", "", 4380, 465, 870, 330},
  {"Label6", ControlKind::Label, "Frame1", "\u00b0Rankine", 5325, 240, 960, 255, Colour::Magenta},
  {"Label12", ControlKind::ResultLabel, "Frame1", "", 5370, 465, 870, 330},
}};
// clang-format on

constexpr std::array<InputSpec, 1> kInputs{{
    {"DataText", "value", "input temperature", "", "0", std::nullopt, KeyEvents::Unfiltered},
}};

constexpr std::array<ListEntry, 4> kUnits{
    {{kC, "celsius"}, {kF, "fahrenheit"}, {kK, "kelvin"}, {kR, "rankine"}}};

constexpr std::array<ReadStep, 1> kReading{{{ReadStep::Read, 0}}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

// Column 1 shows Fahrenheit unless it is the source, column 2 Kelvin, and
// column 3 Rankine; the source's column shows Celsius instead.
constexpr ResultSpec column(std::string_view label, std::string_view unit) {
  const std::string_view key = unit == kC   ? "celsius"
                               : unit == kF ? "fahrenheit"
                               : unit == kK ? "kelvin"
                                            : "rankine";
  return {label, key, "temperature", unit, kPattern};
}
constexpr std::array<ResultSpec, 3> kFromCelsius{
    {column("Lab2", kF), column("Lab4", kK), column("Label12", kR)}};
constexpr std::array<ResultSpec, 3> kFromFahrenheit{
    {column("Lab2", kC), column("Lab4", kK), column("Label12", kR)}};
constexpr std::array<ResultSpec, 3> kFromKelvin{
    {column("Lab2", kF), column("Lab4", kC), column("Label12", kR)}};
constexpr std::array<ResultSpec, 3> kFromRankine{
    {column("Lab2", kF), column("Lab4", kK), column("Label12", kC)}};
constexpr std::array<std::span<const ResultSpec>, 4> kResultSets{
    {kFromCelsius, kFromFahrenheit, kFromKelvin, kFromRankine}};

constexpr std::array<std::string_view, 3> kCaptionLabels{"Lab1", "Lab3", "Label6"};
// The freezing point of water in each unit.
constexpr std::array<double, 4> kPresets{0.0, kFahrenheitOffset, kKelvinOffset, kRankineOffset};

constexpr std::array<ConstantSpec, 6> kConstants{{
    {"kelvin at 0 \u00b0C", kKelvinOffset, "K"},
    {"degrees Fahrenheit at 0 \u00b0C", kFahrenheitOffset, "\u00b0F"},
    {"degrees Rankine at 0 \u00b0C", kRankineOffset, "\u00b0R"},
    {"degrees Rankine at 0 \u00b0F", kRankineFromFahrenheit, "\u00b0R"},
    {"degrees Fahrenheit per degree Celsius", kNineFifths, ""},
    {"degrees Celsius per degree Fahrenheit", kFiveNinths, ""},
}};

// One step of a conversion: the column it writes, and its operand, either
// the input or the result column an earlier step has just written.
struct ConversionStep {
  int column;
  int readBackColumn;  // -1: the operand is the input
  double (*convert)(double);
};

// Indexed by the source unit. Kelvin and Rankine fill column 2 before
// column 1.
constexpr std::array<std::array<ConversionStep, 3>, 4> kSteps{{
    {{{0, -1, fahrenheitFromCelsius}, {1, -1, kelvinFromCelsius}, {2, -1, rankineFromCelsius}}},
    {{{0, -1, celsiusFromFahrenheit}, {1, 0, kelvinFromCelsius}, {2, -1, rankineFromFahrenheit}}},
    {{{1, -1, celsiusFromKelvin}, {0, 1, fahrenheitFromCelsius}, {2, -1, rankineFromKelvin}}},
    {{{1, -1, kelvinFromRankine}, {0, -1, fahrenheitFromRankine}, {2, -1, celsiusFromRankine}}},
}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>°F = 9/5 × °C + 32;  K = °C + 273.15;  °R = 9/5 × °C + 491.67</li>"
    "<li>from °F: °C = (°F − 32) × 5/9;  K = °C + 273.15;  °R = °F + 459.67</li>"
    "<li>from K: °C = K − 273.15;  °F = 9/5 × °C + 32;  °R = 9/5 × K</li>"
    "<li>from °R: K = 5/9 × °R;  °F = °R − 459.67;  °C = 5/9 × °R − 273.15</li>";
constexpr std::string_view kConventions =
    "<li>From °F, the kelvin column is computed from the °C column as shown, rounded to "
    "one decimal; from K, the °F column likewise.</li>"
    "<li>Choosing a source unit writes the freezing point of water in that unit into the "
    "input and solves.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "temperature",
    .frame = "Frame1",
    .title = "Temperature Conversion",
    .summary = "One temperature shown in degrees Celsius, Fahrenheit, Rankine and in kelvin.",
    .solveButton = "TempBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"GradiCmb", "from", "source unit", kUnits},
    .plans = kPlans,
    .needsEntry = true,
    .results = kResultSets,
    .constants = kConstants,
    .captionLabels = kCaptionLabels,
    .presets = kPresets,
    .calculate = calculateTemperature,
    .startUp = {.fillList = 1, .writeTexts = 1, .solve = 1},
    .help = {kEquations, kConventions},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

}  // namespace

const PanelDescriptor& temperaturePanel() { return kPanel; }

void calculateTemperature(const Readings& in, Outcome& out) {
  const auto source = static_cast<std::size_t>(in.entry);
  const std::span<const ResultSpec> columns = kPanel.resultsFor(in.entry);
  const auto& steps = kSteps[source];
  for (std::size_t s = 0; s < steps.size(); ++s) {
    const ConversionStep& step = steps[s];
    const ResultSpec& result = columns[static_cast<std::size_t>(step.column)];
    // The rounded value the earlier column shows reads back unless the
    // rounding carried it past the double range.
    const std::optional<double> operand =
        step.readBackColumn < 0
            ? std::optional<double>(in[0])
            : out.readBack(columns[static_cast<std::size_t>(step.readBackColumn)].label);
    const double y = operand ? step.convert(*operand) : 0.0;
    if (!operand || !std::isfinite(y)) {
      // The columns of this step and those after it are not computed.
      std::vector<std::string_view> unwritten;
      for (std::size_t t = s; t < steps.size(); ++t)
        unwritten.push_back(columns[static_cast<std::size_t>(steps[t].column)].label);
      out.fault("The temperature is too large to convert to " + std::string(result.unit) + ".",
                unwritten);
      return;
    }
    out.write(result.label, y, result.pattern);
  }
}

}  // namespace pyrelon
