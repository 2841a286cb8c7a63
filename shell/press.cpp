#include "shell/press.h"

#include <cmath>

#include "core/numbers.h"

namespace pyrelon {

std::string infoBoxText(std::initializer_list<std::string_view> lines, bool finalLineFeed) {
  std::string text;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) text += '\n';
    text += line;
    first = false;
  }
  if (finalLineFeed) text += '\n';
  return text;
}

void reportFault(Window& window, std::string_view message,
                 std::initializer_list<std::string_view> labelsToClear) {
  for (std::string_view label : labelsToClear) window.setCaption(label, "");
  window.showInfoBox(message);
}

std::optional<double> readInput(Window& window, std::string_view textBox,
                                std::string_view quantity,
                                std::initializer_list<std::string_view> labelsToClear) {
  const ReadResult read = readVal(window.text(textBox));
  if (read.ok()) return read.value;
  std::string message = "The ";
  message += quantity;
  message += " is too large a number.";
  reportFault(window, message, labelsToClear);
  return std::nullopt;
}

void writeResult(Window& window, std::string_view label, double value,
                 std::string_view pattern) {
  window.setCaption(label,
                    formatPattern(value, pattern, window.numberSettings().decimalSeparator));
}

void writePreset(Window& window, std::string_view textBox, double preset) {
  const bool whole = std::trunc(preset) == preset;
  window.setText(textBox, whole ? plainForm(preset, ".") : signedForm(preset));
}

std::optional<double> readBack(const Window& window, std::string_view label) {
  const NumberSettings settings = window.numberSettings();
  const ReadResult read =
      readLocaleNumber(window.caption(label), settings.decimalSeparator, settings.groupSeparator);
  if (!read.ok()) return std::nullopt;
  return read.value;
}

}  // namespace pyrelon
