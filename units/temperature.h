// The temperature panel: one temperature shown in four units at once.
#pragma once

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& temperaturePanel();

enum TemperatureUnit { kCelsius, kFahrenheit, kKelvin, kRankine };

// Shows the temperature in the three other units of the selected source
// unit. Some steps go on from the rounded value an earlier step has just
// shown, not from the unrounded one: 100 degF shows 37.8 degC and then
// 311.0 K (from 37.8, not 37.777...).
void calculateTemperature(const Readings& in, Outcome& out);

// The conversions, each evaluated exactly as grouped here. They may give an
// infinity for inputs near the double range; the calculator checks.
double fahrenheitFromCelsius(double c);  // (9 / 5) * c + 32
double kelvinFromCelsius(double c);      // c + 273.15
double rankineFromCelsius(double c);     // (9 / 5) * c + 491.67
double celsiusFromFahrenheit(double f);  // (f - 32) * (5 / 9)
double rankineFromFahrenheit(double f);  // f + 459.67
double celsiusFromKelvin(double k);      // k - 273.15
double rankineFromKelvin(double k);      // (9 / 5) * k
double kelvinFromRankine(double r);      // (5 / 9) * r
double fahrenheitFromRankine(double r);  // r - 459.67
double celsiusFromRankine(double r);     // (5 / 9) * r - 273.15

}  // namespace pyrelon
