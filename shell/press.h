// Helpers for one press of a Solve button: reading inputs by the Val rule,
// writing results through a pattern, reading results back as displayed, and
// turning a fault the arithmetic cannot survive (a number beyond the double
// range, a division by zero, an overflow) into a plain Info Box instead of
// a garbage value.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "core/window.h"

namespace pyrelon {

// Joins `lines` with line feeds; `finalLineFeed` adds one after the last.
//   infoBoxText({"a", "b"}, false) -> "a\nb"
//   infoBoxText({"a", "b"}, true)  -> "a\nb\n"
std::string infoBoxText(std::initializer_list<std::string_view> lines, bool finalLineFeed);

// Clears `labelsToClear` (so no stale result stands beside new ones), then
// shows `message` in the Info Box. Inputs are left as typed.
void reportFault(Window& window, std::string_view message,
                 std::initializer_list<std::string_view> labelsToClear);

// Reads a text box by the Val rule. A number beyond the double range is
// reported as "The <quantity> is too large a number." (after clearing
// `labelsToClear`) and gives nothing: the press must end.
//   readInput(w, "TempTxt", "probe temperature", {"CarbonLbl"})
std::optional<double> readInput(Window& window, std::string_view textBox,
                                std::string_view quantity,
                                std::initializer_list<std::string_view> labelsToClear);

// Writes `value` to a label through `pattern` with the user's separator.
void writeResult(Window& window, std::string_view label, double value,
                 std::string_view pattern);

// Writes a unit panel's preset into its input box: a whole number in the
// plain form ("32"), any other in the signed form (" 273.15"), so the Val
// rule reads it back whatever the user's settings.
void writePreset(Window& window, std::string_view textBox, double preset);

// Reads a result caption back by the locale-aware reading, so that the value
// is the rounded one the user sees. Gives nothing only if the caption is not
// a number, which a caption written by writeResult never is.
std::optional<double> readBack(const Window& window, std::string_view label);

}  // namespace pyrelon

namespace pyrelon {

// One tested input of a probe panel: the inclusive range it must lie in,
// the unit shown with it, and the start-up text put back when it fails.
// The limit test and the tooltip of the box both read these, so they never
// drift apart.
struct InputLimit {
  std::string_view textBox;
  double min;
  double max;
  std::string_view unit;
  std::string_view resetText;

  bool accepts(double value) const { return value >= min && value <= max; }
};

}  // namespace pyrelon
