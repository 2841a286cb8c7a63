// A panel that exists only in the extension test: millimetres to inches.
// It is written as a new panel is written (CONTRIBUTING.md): this file is
// its description and its calculator, and nothing else names it.
#include "tests/extension/throwaway_panel.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/outcome.h"
#include "core/panel.h"
#include "core/registry.h"

namespace pyrelon::testing {
namespace {

constexpr double kMillimetresPerInch = 25.4;  // exact, by the definition of the inch

enum Input { kLength };

// clang-format off
// The button's top and the box's lie 150 twips apart, so they share a row;
// the result's lies 151 below the button's and starts the next: the tab
// order's tolerance, at its edge. The unit's top is the box's bottom, the
// nearest a unit may stand.
constexpr std::array<ControlSpec, 7> kControls{{
  {"Frame8", ControlKind::Panel, "", "Length Conversion", 60, 7200, 3600, 1400},
  {"LenCap", ControlKind::Label, "Frame8", "Length", 1140, 375, 870, 255, Colour::Blue},
  {"LenTxt", ControlKind::TextBox, "Frame8", "", 1140, 630, 870, 315},
  {"LenUnit", ControlKind::Label, "Frame8", "mm", 1140, 945, 870, 255, Colour::Blue},
  {"LenBtn", ControlKind::Button, "Frame8", "Solve", 2040, 480, 720, 315},
  {"InchCap", ControlKind::Label, "Frame8", "Inches", 120, 376, 1000, 255, Colour::Magenta},
  {"InchLbl", ControlKind::ResultLabel, "Frame8", "", 120, 631, 1000, 315},
}};
// clang-format on

constexpr std::array<InputSpec, 1> kInputs{{
    {"LenTxt", "mm", "length", "mm", "25.4", Limits{0, 10000}, KeyEvents::Digits},
}};

constexpr std::array<ReadStep, 2> kReading{{{ReadStep::Read, kLength}, {ReadStep::Test, kLength}}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

constexpr std::array<ResultSpec, 1> kResults{{{"InchLbl", "inches", "length", "in", "#0.000"}}};
constexpr std::array<std::span<const ResultSpec>, 1> kResultSets{{kResults}};

constexpr std::array<ConstantSpec, 1> kConstants{{
    {"millimetres per inch", kMillimetresPerInch, "mm"},
}};

constexpr std::array<LimitLine, 2> kLimitLines{{
    {"The min length is ", " mm", kLength, false},
    {"The max length is ", " mm", kLength, true},
}};

int calculations = 0;

void calculateLength(const Readings& in, Outcome& out) {
  ++calculations;
  out.write("InchLbl", in[kLength] / kMillimetresPerInch, kResults[0].pattern);
}

const PanelDescriptor kPanel{
    .id = "length",
    .frame = "Frame8",
    .title = "Length Conversion",
    .summary = "A length in millimetres shown in inches.",
    .solveButton = "LenBtn",
    .controls = kControls,
    .inputs = kInputs,
    .plans = kPlans,
    .results = kResultSets,
    .constants = kConstants,
    .limitsBox = LimitsBox{kLimitLines, false, false},
    .calculate = calculateLength,
    .startUp = {.writeTexts = 8, .solve = 8},
    .help = {"<li>in = mm / 25.4</li>", ""},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

}  // namespace

int lengthCalculations() { return calculations; }

}  // namespace pyrelon::testing
