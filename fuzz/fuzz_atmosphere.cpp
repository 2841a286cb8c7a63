// The atmosphere tools' calculators on any readings: each input is absent,
// a value inside its range (most inputs, to reach the arithmetic), or any
// double at all, NaN and infinities included. Properties: the calculator
// returns, either one sentence and no results or one value per result
// (and per group member), and every number it gives is finite.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "atmosphere/atmosphere.h"
#include "atmosphere/nitriding_potential.h"
#include "fuzz/check.h"

namespace {

using pyrelon::ToolDescriptor;
using pyrelon::ToolValue;
using pyrelon::fuzz::require;

void checkValue(const ToolValue& value, const std::string& where) {
  if (value.kind == ToolValue::Kind::Number) {
    require(std::isfinite(value.number), "every number is finite",
            where + " = " + pyrelon::fuzz::describe(value.number));
  }
  for (std::size_t m = 0; m < value.members.size(); ++m) {
    checkValue(value.members[m], where + "." + std::to_string(m));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const ToolDescriptor& tool =
      data[0] % 2 ? pyrelon::nitridingPotentialTool() : pyrelon::atmosphereTool();
  std::size_t at = 1;
  std::vector<std::optional<double>> readings;
  for (const auto& input : tool.inputs) {
    const std::uint8_t how = at < size ? data[at++] : 0;
    std::optional<double> value;
    if (how % 4 == 1 && at + 2 <= size) {
      const unsigned step = data[at] | (data[at + 1] << 8);
      at += 2;
      value = input.range.min + (input.range.max - input.range.min) * (step / 65535.0);
    } else if (how % 4 == 2 && at + sizeof(double) <= size) {
      double any = 0;
      std::memcpy(&any, data + at, sizeof any);
      at += sizeof any;
      value = any;
    } else if (how % 4 == 3) {
      value = input.start;
    }
    readings.push_back(value);
  }
  const pyrelon::ToolOutcome out = tool.calculate(readings);
  if (!out.error.empty()) {
    require(out.results.empty(), "a refusal gives no results", out.error);
    return 0;
  }
  require(out.results.size() == tool.results.size(), "one value per result",
          std::to_string(out.results.size()));
  for (std::size_t r = 0; r < out.results.size(); ++r) {
    const auto& result = tool.results[r];
    require(result.members.empty() || out.results[r].members.size() == result.members.size(),
            "one value per group member", std::string(result.key));
    checkValue(out.results[r], std::string(result.key));
  }
  return 0;
}
