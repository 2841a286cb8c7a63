#include "units/pressure.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/registry.h"

namespace pyrelon {
namespace {

// The pattern goes with the unit a column shows.
constexpr std::string_view kPsi = "###0.00";
constexpr std::string_view kKpa = "####0.0";
constexpr std::string_view kMmHg = "###0.0";
constexpr std::string_view kMmH2O = "######0";
constexpr std::string_view kMmH2OFromPsi = "#####0";  // the same text as kMmH2O
constexpr std::string_view kKgCm2 = "##0.00";
constexpr std::string_view kMbar = "####0";
constexpr std::string_view kBar = "##0.00";

constexpr auto kMul = PressureCell::Multiply;
constexpr auto kDiv = PressureCell::Divide;

// clang-format off
constexpr std::array<PressureSource, 7> kSources{{
  {"bar", 1.0, {{{kDiv, 0.0689, "psi", kPsi}, {kMul, 100.0, "kpa", kKpa},
                 {kMul, 750.2, "mmHg", kMmHg}, {kMul, 10215.0, "mmH2O", kMmH2O},
                 {kMul, 1.0197, "Kg/cm2", kKgCm2}, {kMul, 1000.0, "mBar", kMbar}}}},
  {"mbar", 1000.0, {{{kDiv, 68.947, "psi", kPsi}, {kDiv, 10.0, "kpa", kKpa},
                     {kMul, 0.7501, "mmHg", kMmHg}, {kMul, 10.215, "mmH2O", kMmH2O},
                     {kDiv, 980.68, "Kg/cm2", kKgCm2}, {kDiv, 1000.0, "bar", kBar}}}},
  {"psi", 14.504, {{{kMul, 0.0689, "bar", kBar}, {kMul, 6.8948, "kpa", kKpa},
                    {kMul, 51.7149, "mmHg", kMmHg}, {kMul, 705.06, "mmH2O", kMmH2OFromPsi},
                    {kMul, 0.0703, "Kg/cm2", kKgCm2}, {kMul, 68.947, "mbar", kMbar}}}},
  {"kpa", 100.0, {{{kMul, 0.145, "psi", kPsi}, {kDiv, 100.0, "bar", kBar},
                   {kMul, 7.5006, "mmHg", kMmHg}, {kMul, 102.15, "mmH2O", kMmH2O},
                   {kMul, 0.010197, "Kg/cm2", kKgCm2}, {kMul, 10.0, "mbar", kMbar}}}},
  {"mmHg", 750.06, {{{kMul, 0.01933, "psi", kPsi}, {kMul, 0.1333, "kpa", kKpa},
                     {kMul, 0.00133, "bar", kBar}, {kMul, 13.6195, "mmH2O", kMmH2O},
                     {kDiv, 735.67, "Kg/cm2", kKgCm2}, {kMul, 1.3332, "mBar", kMbar}}}},
  {"mmH2O", 10215.0, {{{kDiv, 704.288, "psi", kPsi}, {kDiv, 102.15, "kpa", kKpa},
                       {kMul, 0.0734, "mmHg", kMmHg}, {kDiv, 10215.0, "bar", kBar},
                       {kDiv, 10017.6, "Kg/cm2", kKgCm2}, {kDiv, 10.216, "mBar", kMbar}}}},
  {"Kg/cm2", 1.0197, {{{kMul, 14.2233, "psi", kPsi}, {kMul, 98.068, "kpa", kKpa},
                       {kMul, 735.559, "mmHg", kMmHg}, {kMul, 10018.0, "mmH2O", kMmH2O},
                       {kMul, 0.9807, "bar", kBar}, {kMul, 980.7, "mbar", kMbar}}}},
}};

constexpr std::array<ControlSpec, 18> kControls{{
  {"Frame2", ControlKind::Panel, "", "Pressure Conversion", 60, 1020, 9315, 1035},
  {"Label23", ControlKind::Label, "Frame2", "Source Unit", 240, 300, 1095, 255, Colour::Red, Align::Left},
  {"PresCmb", ControlKind::List, "Frame2", "", 120, 570, 1320, 330},
  {"Label21", ControlKind::Label, "Frame2", "Input", 1590, 300, 810, 255, Colour::Blue},
  {"PresText", ControlKind::TextBox, "Frame2", "", 1545, 570, 870, 315},
  {"Lab15", ControlKind::Label, "Frame2", "psi", 2400, 300, 1095, 255, Colour::Magenta},
  {"Lab10", ControlKind::ResultLabel, "Frame2", "", 2535, 570, 840, 315},
  {"Lab16", ControlKind::Label, "Frame2", "kpa", 3480, 300, 960, 255, Colour::Magenta},
  {"Lab11", ControlKind::ResultLabel, "Frame2", "", 3480, 585, 870, 315},
  {"Lab17", ControlKind::Label, "Frame2", "mmHg", 4470, 300, 960, 255, Colour::Magenta},
  {"Lab12", ControlKind::ResultLabel, "Frame2", "", 4470, 570, 870, 315},
  {"Lab18", ControlKind::Label, "Frame2", "mmH2O", 5415, 300, 960, 255, Colour::Magenta},
  {"Lab13", ControlKind::ResultLabel, "Frame2", "", 5445, 570, 870, 315},
  {"Lab19", ControlKind::Label, "Frame2", "Kg/cm2", 6405, 300, 960, 255, Colour::Magenta},
  {"Lab14", ControlKind::ResultLabel, "Frame2", "", 6405, 570, 870, 315},
  {"Lab21", ControlKind::Label, "Frame2", "mbar", 7395, 300, 960, 255, Colour::Magenta},
  {"Lab20", ControlKind::ResultLabel, "Frame2", "", 7395, 570, 870, 315},
  {"PresBtn", ControlKind::Button, "Frame2", "Solve", 8415, 585, 720, 315},
}};
// clang-format on

// Columns left to right: the caption label and the result label below it.
constexpr std::array<std::string_view, 6> kCaptionLabels{"Lab15", "Lab16", "Lab17",
                                                         "Lab18", "Lab19", "Lab21"};
constexpr std::array<std::string_view, 6> kResultLabels{"Lab10", "Lab11", "Lab12",
                                                        "Lab13", "Lab14", "Lab20"};

constexpr std::array<InputSpec, 1> kInputs{{
    {"PresText", "value", "input pressure", "", "1.013", std::nullopt, KeyEvents::Unfiltered},
}};

constexpr std::array<ListEntry, 7> kUnits{{{kSources[0].unit, ""},
                                           {kSources[1].unit, ""},
                                           {kSources[2].unit, ""},
                                           {kSources[3].unit, ""},
                                           {kSources[4].unit, ""},
                                           {kSources[5].unit, ""},
                                           {kSources[6].unit, ""}}};

constexpr std::array<ReadStep, 1> kReading{{{ReadStep::Read, 0}}};
constexpr std::array<ReadPlan, 1> kPlans{{kReading}};

// A column's JSON member and CSV column: its unit in lower case without
// punctuation ("Kg/cm2" -> "kgcm2", "mBar" -> "mbar").
constexpr std::string_view keyOf(std::string_view unit) {
  constexpr std::array<std::string_view, 7> kKeys{"bar",  "mbar",  "psi",  "kpa",
                                                  "mmhg", "mmh2o", "kgcm2"};
  if (unit == "mBar") return "mbar";
  for (std::size_t i = 0; const PressureSource& source : kSources) {
    if (source.unit == unit) return kKeys[i];
    ++i;
  }
  return unit;
}

template <std::size_t S>
constexpr std::array<ResultSpec, 6> resultsOf() {
  std::array<ResultSpec, 6> results{};
  for (std::size_t c = 0; c < 6; ++c) {
    const PressureCell& cell = kSources[S].cells[c];
    results[c] = {kResultLabels[c], keyOf(cell.unit), "pressure", cell.unit, cell.pattern};
  }
  return results;
}
constexpr auto kFromBar = resultsOf<0>();
constexpr auto kFromMbar = resultsOf<1>();
constexpr auto kFromPsi = resultsOf<2>();
constexpr auto kFromKpa = resultsOf<3>();
constexpr auto kFromMmHg = resultsOf<4>();
constexpr auto kFromMmH2O = resultsOf<5>();
constexpr auto kFromKgCm2 = resultsOf<6>();
constexpr std::array<std::span<const ResultSpec>, 7> kResultSets{
    {kFromBar, kFromMbar, kFromPsi, kFromKpa, kFromMmHg, kFromMmH2O, kFromKgCm2}};

constexpr std::array<double, 7> kPresets{kSources[0].preset, kSources[1].preset, kSources[2].preset,
                                         kSources[3].preset, kSources[4].preset, kSources[5].preset,
                                         kSources[6].preset};

// The pressure table as the help page shows it.
constexpr std::array<std::string_view, 3> kPressureHeaders{"Source unit", "One bar", "Columns"};

std::vector<std::vector<std::string>> pressureRows() {
  std::vector<std::vector<std::string>> rows;
  for (const PressureSource& source : pressureTable()) {
    std::string columns;
    for (const PressureCell& cell : source.cells) {
      if (!columns.empty()) columns += ";  ";
      columns += cell.unit;
      columns += cell.op == PressureCell::Multiply ? " = × " : " = ÷ ";
      columns += plainForm(cell.factor, ".");
    }
    rows.push_back({std::string(source.unit), plainForm(source.preset, "."), columns});
  }
  return rows;
}

constexpr std::array kHelpTables{
    HelpTable{"<b>Pressure table</b>: each column as input × factor or input ÷ factor.",
              kPressureHeaders, pressureRows}};

// What the help page says beyond the data above.
// clang-format off
constexpr std::string_view kEquations =
    "<li>Each column: value = input × factor, or input ÷ factor, with the factor of the "
    "source unit and column in the pressure table below.</li>";
constexpr std::string_view kConventions =
    "<li>Each column is computed from the input alone with its own constant. A pair of "
    "factors and its reverse are not exact inverses, so converting there and back may "
    "differ in the last digit.</li>"
    "<li>Choosing a source unit writes one bar in that unit into the input and solves.</li>";
// clang-format on

const PanelDescriptor kPanel{
    .id = "pressure",
    .frame = "Frame2",
    .title = "Pressure Conversion",
    .summary = "One pressure shown in bar, mbar, psi, kPa, mmHg, mmH2O and kg/cm2.",
    .solveButton = "PresBtn",
    .controls = kControls,
    .inputs = kInputs,
    .list = ListSpec{"PresCmb", "from", "source unit", kUnits},
    .plans = kPlans,
    .needsEntry = true,
    .results = kResultSets,
    .captionLabels = kCaptionLabels,
    .presets = kPresets,
    .calculate = calculatePressure,
    .startUp = {.fillList = 4, .writeTexts = 5, .solve = 2},
    .help = {kEquations, kConventions, kHelpTables},
};

const Registration<PanelDescriptor> kRegistered(kPanel);

double apply(const PressureCell& cell, double x) {
  return cell.op == PressureCell::Multiply ? x * cell.factor : x / cell.factor;
}

}  // namespace

const PanelDescriptor& pressurePanel() { return kPanel; }
std::span<const PressureSource> pressureTable() { return kSources; }

void calculatePressure(const Readings& in, Outcome& out) {
  const PressureSource& source = kSources[static_cast<std::size_t>(in.entry)];
  for (std::size_t c = 0; c < source.cells.size(); ++c) {
    const double y = apply(source.cells[c], in[0]);
    if (!std::isfinite(y)) {
      // Columns before this one keep their new results.
      const std::vector<std::string_view> unwritten(kResultLabels.begin() + static_cast<long>(c),
                                                    kResultLabels.end());
      out.fault(
          "The pressure is too large to convert to " + std::string(source.cells[c].unit) + ".",
          unwritten);
      return;
    }
    out.write(kResultLabels[c], y, source.cells[c].pattern);
  }
}

}  // namespace pyrelon
