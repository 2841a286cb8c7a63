// Text pieces of the SVG writer: numbers from integers, XML escaping; and
// the one function of the C library's mathematics the drawing needs, written
// out so that every platform computes the same bits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyrelon::chart {

// mantissa·10^exponent as a plain decimal: (13, -3) -> "0.013",
// (15, 2) -> "1500", (-25, -1) -> "-2.5", (0, 7) -> "0". Beyond twelve
// places either side it is written d.dde±x: (13, -20) -> "1.3e-19".
std::string decimalText(std::int64_t mantissa, int exponent);

// `value` rounded to `places` decimals (held to 0 to 6), zeros kept: (0.8, 3) ->
// "0.800", (-5.64, 1) -> "-5.6", (-0.04, 1) -> "0.0". For the numbers a
// chart names in its labels; beyond ±10^12 it gives shortScientific.
std::string fixedText(double value, int places);

// A value as three significant digits, d.dde±x, for the rare axis whose
// ends cannot carry round ticks; "0" for zero, "?" where not finite.
std::string shortScientific(double value);

// Appends `value` in tenths: 12.34 -> "12.3", -0.04 -> "0", 7 -> "7".
// Values beyond ±10^6 are written as ±10^6 (nothing drawn lies there).
void appendTenths(std::string& out, double value);

// Appends `text` escaped for XML character data and attribute values (in
// double quotes): & < > " ' as entities, control characters other than tab
// and line ends as blanks, and bytes that are not UTF-8 as U+FFFD.
void appendEscaped(std::string& out, std::string_view text);

// log10 of a positive finite `value` (denormals included) from IEEE
// arithmetic alone: frexp, then 2·atanh((m − 1)/(m + 1)) summed to 1e-17.
// The C libraries of the desktop (glibc) and of the browser build (musl)
// may differ in the last bit of std::log10, which could move a point by a
// tenth of a pixel and break the rule that every face writes the same
// bytes. Within 4e-16 relative of the true value where that is above 1;
// within 3e-16 absolute otherwise.
double portableLog10(double value);

}  // namespace pyrelon::chart
