#include "shell/reading.h"

#include "core/numbers.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string partReadWarning(std::string_view text) {
  const std::string_view whole = trimmed(text);
  if (whole.empty()) return {};
  const ValScan scan = scanVal(text);
  if (!scan.number) return "No number is read from \"" + std::string(whole) + "\"; it counts as 0.";
  if (scan.end >= text.size()) return {};
  const std::string_view read = trimmed(text.substr(0, scan.end));
  const std::string_view rest = trimmed(text.substr(scan.end));
  std::string line = "Read as \"" + std::string(read) + "\": the number ends before \"" +
                     std::string(rest) + "\".";
  if (rest.front() == ',') line += " Type a point as the decimal separator.";
  return line;
}

std::string inputToolTip(const InputSpec& input, std::string_view text) {
  std::string tip = partReadWarning(text);
  const std::string range = rangeText(input);
  if (!tip.empty() && !range.empty()) tip += '\n';
  return tip + range;
}

}  // namespace pyrelon
