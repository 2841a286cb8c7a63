#include "combustion/lambda.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace pyrelon {
namespace {

constexpr std::array<InputLimit, 5> kLambdaLimits{{
    {"MvZo2Txt", 0.01, 300, "mV", "57.16"},
    {"MvOffTxt", -10, 10, "mV", "8"},
    {"KOffTxt", -200, 200, "K", "0"},
    {"AirTxt", -50, 200, "\u00b0C", "20"},
    {"FlueTXt", 0, 800, "\u00b0C", "180"},
}};

constexpr std::array<Fuel, 6> kFuels{{
    {"Metano", 1.105, 0.895, 11.7, 11, 0.38, 0.431},
    {"Propano", 1.084, 0.916, 13.8, 7.7, 0.42, 0.45},
    {"GPL", 1.091, 0.912, 14, 7.4, 0.43, 0.46},
    {"Gasolio", 1.068, 0.936, 15.1, 6.1, 0.56, 0.59},
    {"Nafta", 1.105, 0.895, 11.7, 11, 0.38, 0.42},
    {"Coke", 1.105, 0.895, 11.7, 11, 0.38, 0.42},
}};

// The results in the order they are written; each is computed from the one
// before it as displayed.
enum Result { Wet, Air, Dry, Co2, Net, Gross };
constexpr std::array<std::string_view, 6> kResultLabels{"WetLbl", "AirLbl", "DryLbl",
                                                       "Co2Lbl", "NetLbl", "GrossLbl"};
constexpr std::array<std::string_view, 6> kResultPatterns{"#0.0", "0.000", "#0.0",
                                                         "#0.0", "##0.0", "##0.0"};
constexpr std::array<std::string_view, 6> kResultNames{
    "wet oxygen", "air excess", "dry oxygen", "carbon dioxide content", "net efficiency",
    "gross efficiency"};

// Ends a press that cannot compute `from`: the results written before it
// stay, it and the later ones are cleared so none of them stands stale.
void stopAt(Window& window, Result from, std::string_view message) {
  for (std::size_t i = from; i < kResultLabels.size(); ++i)
    window.setCaption(kResultLabels[i], "");
  reportFault(window, message, {});
}

// Writes a result and reads it back as the user sees it; nothing, after
// reporting, when the value cannot be shown.
std::optional<double> show(Window& window, Result result, double value) {
  if (std::isfinite(value)) {
    writeResult(window, kResultLabels[result], value, kResultPatterns[result]);
    if (const auto shown = readBack(window, kResultLabels[result])) return shown;
  }
  std::string message = "The ";
  message += kResultNames[result];
  message += " cannot be computed for these readings.";
  stopAt(window, result, message);
  return std::nullopt;
}

// "The wet oxygen of 20.9 % leaves no air excess to compute."
std::string noDivisor(const Window& window, Result shown, std::string_view unit, Result next) {
  std::string message = "The ";
  message += kResultNames[shown];
  message += " of ";
  message += window.caption(kResultLabels[shown]);
  if (!unit.empty()) {
    message += ' ';
    message += unit;
  }
  message += " leaves no ";
  message += kResultNames[next];
  message += " to compute.";
  return message;
}

}  // namespace

std::span<const InputLimit> lambdaLimits() { return kLambdaLimits; }
std::span<const Fuel> fuelTable() { return kFuels; }

void ShowLambdaLimits(Window& window) {
  window.showInfoBox(infoBoxText({"The min mV probe value is 0.01 mV",
                                  "The max mV probe value is 300 mV",
                                  "The min mV probe Offset value is -10 mV",
                                  "The max mV probe Offset value is 10 mV",
                                  "The min Kelvin Temperatute Offset value is -200 K",
                                  "The max Kelvin Temperatute Offset value is 200 K",
                                  "The min combustion air temperature value is -50 \u00b0C",
                                  "The max combustion air temperature value is 200 \u00b0C",
                                  "The min flue temperature value is 0 \u00b0C",
                                  "The max flue temperature value is 800 \u00b0C"},
                                 true));
}

void OxiBtn_Click(Window& window) {
  const std::initializer_list<std::string_view> results{"WetLbl", "AirLbl", "DryLbl",
                                                        "Co2Lbl", "NetLbl", "GrossLbl"};
  const auto mv = readInput(window, "MvZo2Txt", "probe voltage", results);
  if (!mv) return;
  const auto offset = readInput(window, "MvOffTxt", "voltage offset", results);
  if (!offset) return;
  const auto kelvinOffset = readInput(window, "KOffTxt", "temperature offset", results);
  if (!kelvinOffset) return;
  const auto air = readInput(window, "AirTxt", "air temperature", results);
  if (!air) return;
  const auto flue = readInput(window, "FlueTXt", "flue-gas temperature", results);
  if (!flue) return;

  // Formed before the tests: it may be infinite for temperatures of
  // enormous size, but those fail their tests and it is never used then.
  const double rise = *flue - *air;

  const std::array<double, 5> readings{*mv, *offset, *kelvinOffset, *air, *flue};
  for (std::size_t i = 0; i < kLambdaLimits.size(); ++i) {
    if (kLambdaLimits[i].accepts(readings[i])) continue;
    ShowLambdaLimits(window);
    window.setText(kLambdaLimits[i].textBox, kLambdaLimits[i].resetText);
    return;
  }

  const int index = window.selectedIndex("FuelCmb");
  if (index < 0 || index >= static_cast<int>(kFuels.size())) return;
  const Fuel& fuel = kFuels[static_cast<std::size_t>(index)];

  // Nernst relation of the cell against air; an offset of 8 mV leaves the
  // probe voltage as it is, and the probe sits at 873 K.
  const double u = *mv - (*offset - 8);
  const double kelvin = 873 + *kelvinOffset;
  const double x = u / (0.02154 * kelvin);
  const auto wet = show(window, Wet, 20.9 / std::exp(x));
  if (!wet) return;

  if (20.9 - *wet == 0) {
    stopAt(window, Air, noDivisor(window, Wet, "%", Air));
    return;
  }
  const auto excess = show(window, Air, (20.9 + *wet * (fuel.wetRatio - 1)) / (20.9 - *wet));
  if (!excess) return;

  if (fuel.dryRatio + (*excess - 1.0) == 0) {
    stopAt(window, Dry, noDivisor(window, Air, "", Dry));
    return;
  }
  const auto dry =
      show(window, Dry, ((*excess - 1.0) * 20.9) / (fuel.dryRatio + (*excess - 1.0)));
  if (!dry) return;

  const auto co2 = show(window, Co2, fuel.co2Max * (1.0 - *dry / 20.9));
  if (!co2) return;

  // Siegert's flue loss, factor x (tf - ta) / CO2.
  if (*co2 == 0) {
    stopAt(window, Net, noDivisor(window, Co2, "%", Net));
    return;
  }
  if (!show(window, Net, (100 - fuel.netAllowance) - (fuel.netLossFactor * rise) / *co2)) return;
  show(window, Gross, 100 - (fuel.grossLossFactor * rise) / *co2);
}

}  // namespace pyrelon
