#include "probes/nitriding.h"

#include <array>
#include <cmath>

#include "core/registry.h"

namespace pyrelon {
namespace {

constexpr std::string_view kResultLabel = "NkLbl";

constexpr double kPercent = 100.0;      // a content in percent over its fraction
constexpr double kHydrogenPower = 1.5;  // the exponent of the hydrogen fraction

// clang-format off
constexpr std::array<ControlSpec, 8> kControls{{
  {"Frame5", ControlKind::Panel, "", "NK Factor", 6540, 60, 3435, 915},
  {"Label34", ControlKind::Label, "Frame5", "% H2", 120, 240, 690, 255, Colour::Blue},
  {"HTxt", ControlKind::TextBox, "Frame5", "", 150, 495, 720, 315},
  {"Label35", ControlKind::Label, "Frame5", "% NH3", 960, 240, 675, 255, Colour::Blue},
  {"NTxt", ControlKind::TextBox, "Frame5", "", 930, 495, 750, 315},
  {"NkBtn", ControlKind::Button, "Frame5", "Solve", 1740, 480, 720, 315},
  {"Lab6", ControlKind::Label, "Frame5", "NK Factor", 2520, 240, 840, 255, Colour::Magenta},
  {kResultLabel, ControlKind::ResultLabel, "Frame5", "", 2550, 480, 735, 315},
}};
// clang-format on

constexpr std::array<InputSpec, 2> kInputs{{
    {"HTxt", "h2", "hydrogen content", "%", "10", Limits{1, 100}, KeyEvents::Digits},
    {"NTxt", "nh3", "ammonia content", "%", "31.61", Limits{5, 100}, KeyEvents::Digits},
}};

// The ammonia box is read only once the hydrogen content has passed.
constexpr std::array<ReadStep, 4> kReading{{
    {ReadStep::Read, kHydrogen},
    {ReadStep::Test, kHydrogen},
    {ReadStep::Read, kAmmonia},
    {ReadStep::Test, kAmmonia},
}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

constexpr std::array<ResultSpec, 1> kResults{{
    {kResultLabel, "nk", "nitriding factor", "", "#0.00"},
}};
constexpr std::array<std::span<const ResultSpec>, 1> kResultSets{{kResults}};

constexpr std::array<ConstantSpec, 2> kConstants{{
    {"percent per fraction", kPercent, ""},
    {"exponent of the hydrogen fraction", kHydrogenPower, ""},
}};

constexpr std::array<LimitLine, 4> kLimitLines{{
    {"The min H2 value is ", " %", kHydrogen, false},
    {"The max H2 value is ", " %", kHydrogen, true},
    {"The min NH3 value is ", " %", kAmmonia, false},
    {"The max NH3 value is ", " %", kAmmonia, true},
}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>K<sub>N</sub> = (NH3 / 100) / (H2 / 100)<sup>1.5</sup>, both contents in %</li>";
constexpr std::string_view kConventions =
    "<li>The hydrogen and ammonia boxes take digits; a key other than a digit, typed into "
    "a box without a point, beeps and empties the box first. A paste counts as one such "
    "key.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "nitriding",
    .frame = "Frame5",
    .title = "NK Factor",
    .summary =
        "The nitriding factor of an ammonia and hydrogen atmosphere, "
        "NH3 / H2^1.5 with both contents as fractions.",
    .solveButton = "NkBtn",
    .controls = kControls,
    .inputs = kInputs,
    .plans = kPlans,
    .results = kResultSets,
    .constants = kConstants,
    // The offending box already holds its start-up text while the box shows.
    .limitsBox = LimitsBox{kLimitLines, false, true},
    .calculate = calculateNitriding,
    .startUp = {.writeTexts = 2, .solve = 3},
    .help = {kEquations, kConventions},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

}  // namespace

const PanelDescriptor& nitridingPanel() { return kPanel; }

double nitridingFactor(double hydrogenPercent, double ammoniaPercent) {
  const double h = hydrogenPercent / kPercent;
  const double n = ammoniaPercent / kPercent;
  return n / std::pow(h, kHydrogenPower);
}

void calculateNitriding(const Readings& in, Outcome& out) {
  out.write(kResultLabel, nitridingFactor(in[kHydrogen], in[kAmmonia]), kResults[0].pattern);
}

}  // namespace pyrelon
