#include "units/pressure.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

constexpr std::string_view kInputBox = "PresText";

// Columns left to right: the caption label and the result label below it.
constexpr std::array<std::string_view, 6> kCaptionLabels{"Lab15", "Lab16", "Lab17",
                                                         "Lab18", "Lab19", "Lab21"};
constexpr std::array<std::string_view, 6> kResultLabels{"Lab10", "Lab11", "Lab12",
                                                        "Lab13", "Lab14", "Lab20"};

// The pattern goes with the unit a column shows.
constexpr std::string_view kPsi = "###0.00";
constexpr std::string_view kKpa = "####0.0";
constexpr std::string_view kMmHg = "###0.0";
constexpr std::string_view kMmH2O = "######0";
constexpr std::string_view kMmH2OFromPsi = "#####0";  // the same text as kMmH2O
constexpr std::string_view kKgCm2 = "##0.00";
constexpr std::string_view kMbar = "####0";
constexpr std::string_view kBar = "##0.00";

enum class Op { Multiply, Divide };

// y = x * factor or y = x / factor. A division really divides: x / 0.0689
// and x * (1 / 0.0689) can differ in the last digit.
struct Cell {
  Op op;
  double factor;
  std::string_view pattern;
};

struct SourceUnit {
  std::array<std::string_view, 6> captions;
  double preset;          // one bar in this unit
  std::array<Cell, 6> cells;
};

constexpr Op kMul = Op::Multiply;
constexpr Op kDiv = Op::Divide;

// Indexed by the entry of PresCmb. Every constant stands as it is: a pair
// and its reverse are not exact inverses, and none is derived from another.
constexpr std::array<SourceUnit, 7> kSources{{
    // bar
    {{"psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mBar"},
     1.0,
     {{{kDiv, 0.0689, kPsi},
       {kMul, 100.0, kKpa},
       {kMul, 750.2, kMmHg},
       {kMul, 10215.0, kMmH2O},
       {kMul, 1.0197, kKgCm2},
       {kMul, 1000.0, kMbar}}}},
    // mbar
    {{"psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "bar"},
     1000.0,
     {{{kDiv, 68.947, kPsi},
       {kDiv, 10.0, kKpa},
       {kMul, 0.7501, kMmHg},
       {kMul, 10.215, kMmH2O},
       {kDiv, 980.68, kKgCm2},
       {kDiv, 1000.0, kBar}}}},
    // psi
    {{"bar", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mbar"},
     14.504,
     {{{kMul, 0.0689, kBar},
       {kMul, 6.8948, kKpa},
       {kMul, 51.7149, kMmHg},
       {kMul, 705.06, kMmH2OFromPsi},
       {kMul, 0.0703, kKgCm2},
       {kMul, 68.947, kMbar}}}},
    // kpa
    {{"psi", "bar", "mmHg", "mmH2O", "Kg/cm2", "mbar"},
     100.0,
     {{{kMul, 0.145, kPsi},
       {kDiv, 100.0, kBar},
       {kMul, 7.5006, kMmHg},
       {kMul, 102.15, kMmH2O},
       {kMul, 0.010197, kKgCm2},
       {kMul, 10.0, kMbar}}}},
    // mmHg
    {{"psi", "kpa", "bar", "mmH2O", "Kg/cm2", "mBar"},
     750.06,
     {{{kMul, 0.01933, kPsi},
       {kMul, 0.1333, kKpa},
       {kMul, 0.00133, kBar},
       {kMul, 13.6195, kMmH2O},
       {kDiv, 735.67, kKgCm2},
       {kMul, 1.3332, kMbar}}}},
    // mmH2O
    {{"psi", "kpa", "mmHg", "bar", "Kg/cm2", "mBar"},
     10215.0,
     {{{kDiv, 704.288, kPsi},
       {kDiv, 102.15, kKpa},
       {kMul, 0.0734, kMmHg},
       {kDiv, 10215.0, kBar},
       {kDiv, 10017.6, kKgCm2},
       {kDiv, 10.216, kMbar}}}},
    // Kg/cm2
    {{"psi", "kpa", "mmHg", "mmH2O", "bar", "mbar"},
     1.0197,
     {{{kMul, 14.2233, kPsi},
       {kMul, 98.068, kKpa},
       {kMul, 735.559, kMmHg},
       {kMul, 10018.0, kMmH2O},
       {kMul, 0.9807, kBar},
       {kMul, 980.7, kMbar}}}},
}};

double apply(const Cell& cell, double x) {
  return cell.op == Op::Multiply ? x * cell.factor : x / cell.factor;
}

const SourceUnit* selectedSource(const Window& window) {
  const int i = window.selectedIndex("PresCmb");
  if (i < 0 || i >= static_cast<int>(kSources.size())) return nullptr;
  return &kSources[static_cast<std::size_t>(i)];
}

// Clears the columns from `first` on, which this press could not compute,
// then shows `message`. Columns before `first` keep their new results.
void stopPress(Window& window, std::size_t first, std::string_view message) {
  for (std::size_t c = first; c < kResultLabels.size(); ++c)
    window.setCaption(kResultLabels[c], "");
  reportFault(window, message, {});
}

}  // namespace

std::optional<double> convertPressure(int source, int column, double x) {
  if (source < 0 || source >= static_cast<int>(kSources.size())) return std::nullopt;
  if (column < 0 || column >= static_cast<int>(kResultLabels.size())) return std::nullopt;
  return apply(kSources[static_cast<std::size_t>(source)].cells[static_cast<std::size_t>(column)],
               x);
}

void PresCmb_Click(Window& window) {
  const SourceUnit* source = selectedSource(window);
  if (source == nullptr) return;
  for (std::size_t c = 0; c < kCaptionLabels.size(); ++c)
    window.setCaption(kCaptionLabels[c], source->captions[c]);
  writePreset(window, kInputBox, source->preset);
  PresBtn_Click(window);
}

void PresBtn_Click(Window& window) {
  const SourceUnit* source = selectedSource(window);
  if (source == nullptr) return;

  for (std::size_t c = 0; c < source->cells.size(); ++c) {
    // Read afresh for every column, as typed.
    const ReadResult x = readVal(window.text(kInputBox));
    if (!x.ok()) {
      stopPress(window, c, "The input pressure is too large a number.");
      return;
    }
    const double y = apply(source->cells[c], x.value);
    if (!std::isfinite(y)) {
      std::string message = "The pressure is too large to convert to ";
      message += source->captions[c];
      message += '.';
      stopPress(window, c, message);
      return;
    }
    writeResult(window, kResultLabels[c], y, source->cells[c].pattern);
  }
}

}  // namespace pyrelon
