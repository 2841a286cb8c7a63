#include "units/temperature.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "shell/press.h"

namespace pyrelon {

// The factors are the double quotients, formed first and then multiplied.
// The offsets are separate constants on purpose: 491.67 is not derived
// from 273.15, nor 459.67 from 32.
double fahrenheitFromCelsius(double c) { return (9.0 / 5.0) * c + 32.0; }
double kelvinFromCelsius(double c) { return c + 273.15; }
double rankineFromCelsius(double c) { return (9.0 / 5.0) * c + 491.67; }
double celsiusFromFahrenheit(double f) { return (f - 32.0) * (5.0 / 9.0); }
double rankineFromFahrenheit(double f) { return f + 459.67; }
double celsiusFromKelvin(double k) { return k - 273.15; }
double rankineFromKelvin(double k) { return (9.0 / 5.0) * k; }
double kelvinFromRankine(double r) { return (5.0 / 9.0) * r; }
double fahrenheitFromRankine(double r) { return r - 459.67; }
double celsiusFromRankine(double r) { return (5.0 / 9.0) * r - 273.15; }

namespace {

constexpr std::string_view kInputBox = "DataText";
constexpr std::string_view kResultPattern = "###0.0";

// Result labels of columns 1, 2 and 3, and the caption label above each.
constexpr std::array<std::string_view, 3> kResultLabels{"Lab2", "Lab4", "Label12"};
constexpr std::array<std::string_view, 3> kCaptionLabels{"Lab1", "Lab3", "Label6"};

// One step of a conversion: the column it writes, and its operand, either
// the input box or the result column an earlier step has just written.
struct Step {
  int column;
  int readBackColumn;  // -1: the operand is the input box
  double (*convert)(double);
};

struct SourceUnit {
  std::array<std::string_view, 3> captions;
  double preset;          // the freezing point of water in this unit
  std::array<Step, 3> steps;
};

// Indexed by the entry of GradiCmb. Kelvin and Rankine fill column 2
// before column 1.
const std::array<SourceUnit, 4> kSources{{
    {{"\u00b0Fahrenheit", "Kelvin", "\u00b0Rankine"},
     0.0,
     {{{0, -1, fahrenheitFromCelsius}, {1, -1, kelvinFromCelsius}, {2, -1, rankineFromCelsius}}}},
    {{"\u00b0Centigradi", "Kelvin", "\u00b0Rankine"},
     32.0,
     {{{0, -1, celsiusFromFahrenheit}, {1, 0, kelvinFromCelsius}, {2, -1, rankineFromFahrenheit}}}},
    {{"\u00b0Fahrenheit", "\u00b0Centigradi", "\u00b0Rankine"},
     273.15,
     {{{1, -1, celsiusFromKelvin}, {0, 1, fahrenheitFromCelsius}, {2, -1, rankineFromKelvin}}}},
    {{"\u00b0Fahrenheit", "Kelvin", "\u00b0Centigradi"},
     491.67,
     {{{1, -1, kelvinFromRankine}, {0, -1, fahrenheitFromRankine}, {2, -1, celsiusFromRankine}}}},
}};

const SourceUnit* selectedSource(const Window& window) {
  const int i = window.selectedIndex("GradiCmb");
  if (i < 0 || i >= static_cast<int>(kSources.size())) return nullptr;
  return &kSources[static_cast<std::size_t>(i)];
}

// Clears the columns of the steps from `firstStep` on, which this press
// could not compute, then shows `message`.
void stopPress(Window& window, const SourceUnit& source, std::size_t firstStep,
               std::string_view message) {
  for (std::size_t s = firstStep; s < source.steps.size(); ++s)
    window.setCaption(kResultLabels[static_cast<std::size_t>(source.steps[s].column)], "");
  reportFault(window, message, {});
}

}  // namespace

void GradiCmb_Click(Window& window) {
  const SourceUnit* source = selectedSource(window);
  if (source == nullptr) return;
  for (std::size_t c = 0; c < kCaptionLabels.size(); ++c)
    window.setCaption(kCaptionLabels[c], source->captions[c]);
  writePreset(window, kInputBox, source->preset);
  TempBtn_Click(window);
}

void TempBtn_Click(Window& window) {
  const SourceUnit* source = selectedSource(window);
  if (source == nullptr) return;

  for (std::size_t s = 0; s < source->steps.size(); ++s) {
    const Step& step = source->steps[s];
    const auto column = static_cast<std::size_t>(step.column);

    std::optional<double> operand;
    if (step.readBackColumn < 0) {
      // Read afresh at every step, as typed.
      const ReadResult read = readVal(window.text(kInputBox));
      if (!read.ok()) {
        stopPress(window, *source, s, "The input temperature is too large a number.");
        return;
      }
      operand = read.value;
    } else {
      // The rounded value the earlier column shows. It reads back unless
      // the rounding carried it past the double range.
      operand = readBack(window, kResultLabels[static_cast<std::size_t>(step.readBackColumn)]);
    }

    std::optional<double> result;
    if (operand) {
      const double y = step.convert(*operand);
      if (std::isfinite(y)) result = y;
    }
    if (!result) {
      std::string message = "The temperature is too large to convert to ";
      message += source->captions[column];
      message += '.';
      stopPress(window, *source, s, message);
      return;
    }
    writeResult(window, kResultLabels[column], *result, kResultPattern);
  }
}

}  // namespace pyrelon
