// The tools' shared plumbing fed arbitrary bytes.
//
// Input layout (readable, so that seeds can be written by hand):
//   bytes 0-7   a double (host byte order) for the number formats;
//   byte 8      low two bits: the digits (0 decimals, 1 significant,
//               2 scientific); the rest, mod 21: the places;
//   byte 9      picks the tool (mod the number registered); bit 0x80 set
//               means a decimal comma, else a point;
//   rest        the texts of the tool's inputs in order, separated by '|'.
//
// Properties:
//   - nothing crashes, no undefined behaviour, for any double;
//   - a finite double is written as a non-empty text of digits, sign,
//     separator and exponent only, which reads back to within half a unit
//     of its last place; jsonNumber reads back to the very same double;
//   - a tool's outcome has one value per result, every number finite, and
//     its shown lines and JSON hold no "nan" or "inf" where a number goes.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/chars.h"
#include "shell/tool_form.h"
#include "shell/tools.h"

namespace {

using namespace pyrelon;
using pyrelon::fuzz::describe;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;

// The number a text shows; infinity for one beyond the double range (the
// largest doubles rounded to few digits: 1.797…e308 as "2e+308").
double readBack(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  double value = 0;
  const auto read = chars::readDouble(text.data(), text.data() + text.size(), value);
  require(read.ptr == text.data() + text.size() &&
              (read.ec == std::errc() || read.ec == std::errc::result_out_of_range),
          "the text is a number", quote(text));
  if (read.ec == std::errc::result_out_of_range)
    return text.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
  return value;
}

void checkFormats(double value, Digits digits, int places, std::string_view separator) {
  const std::string text = formatToolNumber(value, digits, places, separator);
  if (!std::isfinite(value)) {
    require(text.empty(), "no text for a value that is not finite", quote(text));
    return;
  }
  const std::string json = jsonNumber(value);
  require(readBack(json) == value, "a JSON number reads back exactly",
          describe(value) + " -> " + json);
  require(!text.empty(), "a finite value is written", describe(value));
  for (const char c : text) {
    require((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == separator[0],
            "only digits, sign, separator and exponent", quote(text));
  }
  const double back = readBack(text);
  if (std::isinf(back)) {
    require(std::fabs(value) > 1e307, "only the largest values show beyond the range", text);
    return;
  }
  // Half a unit of the last place shown, and the 41 digits kept beyond.
  double unit = 0;
  if (digits == Digits::Decimals) {
    unit = std::pow(10.0, -places);
  } else if (value != 0) {
    unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - (std::max(places, 1) - 1));
  }
  const double slack = 0.5 * unit * (1 + 1e-9) + std::fabs(value) * 1e-15;
  if (std::isfinite(back) && std::isfinite(slack)) {
    require(std::fabs(back - value) <= slack, "the text is the value rounded",
            describe(value) + " -> " + text);
  }
}

void checkTool(const ToolDescriptor& tool, std::string_view texts, std::string_view separator) {
  std::vector<std::string> boxes;
  while (boxes.size() < tool.inputs.size()) {
    const auto bar = texts.find('|');
    boxes.emplace_back(texts.substr(0, bar));
    if (bar == std::string_view::npos) break;
    texts.remove_prefix(bar + 1);
  }
  const ToolForm form = readToolForm(tool, boxes, separator);
  const ToolOutcome outcome = runTool(tool, form);
  require(outcome.results.size() == tool.results.size(), "one value per result", tool.id);
  for (std::size_t r = 0; r < outcome.results.size(); ++r) {
    const ToolValue& value = outcome.results[r];
    require(value.kind != ToolValue::Kind::Number || std::isfinite(value.number),
            "every number finite", tool.results[r].key);
    for (const ToolValue& member : value.members) {
      require(member.kind != ToolValue::Kind::Number || std::isfinite(member.number),
              "every member finite", tool.results[r].key);
    }
  }
  for (const ToolLine& line : toolLines(tool, outcome, separator)) {
    if (line.unit.empty()) continue;  // a number's line has its unit
    require(
        line.value.find("nan") == std::string::npos && line.value.find("inf") == std::string::npos,
        "no NaN or infinity shown", line.path + " " + quote(line.value));
  }
  toolJson(tool, form.readings, outcome, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 10) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  const std::string_view separator = (data[9] & 0x80) != 0 ? "," : ".";
  const int form = data[8] & 3;
  const Digits digits = form == 1   ? Digits::Significant
                        : form == 2 ? Digits::Scientific
                                    : Digits::Decimals;
  checkFormats(value, digits, (data[8] >> 2) % 21, separator);
  const auto registered = tools();
  if (registered.empty()) return 0;
  const std::string_view texts(reinterpret_cast<const char*>(data + 10), size - 10);
  checkTool(*registered[(data[9] & 0x7f) % registered.size()], texts, separator);
  return 0;
}
