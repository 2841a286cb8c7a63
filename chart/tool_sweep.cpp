#include "chart/tool_sweep.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace pyrelon::chart {

ResultPlace findResult(const ToolDescriptor& tool, std::string_view key, std::string_view member) {
  for (int r = 0; const auto& result : tool.results) {
    if (result.key == key) {
      if (member.empty()) return {r, -1};
      for (int m = 0; const auto& part : result.members) {
        if (part.key == member) return {r, m};
        ++m;
      }
      return {};
    }
    ++r;
  }
  return {};
}

int findInput(const ToolDescriptor& tool, std::string_view key) {
  for (int i = 0; const auto& input : tool.inputs) {
    if (input.key == key) return i;
    ++i;
  }
  return -1;
}

std::optional<double> numberAt(const ToolOutcome& outcome, ResultPlace place) {
  if (!outcome.error.empty() || place.result < 0 ||
      static_cast<std::size_t>(place.result) >= outcome.results.size()) {
    return std::nullopt;
  }
  const ToolValue* value = &outcome.results[static_cast<std::size_t>(place.result)];
  if (place.member >= 0) {
    if (value->kind != ToolValue::Kind::Group ||
        static_cast<std::size_t>(place.member) >= value->members.size()) {
      return std::nullopt;
    }
    value = &value->members[static_cast<std::size_t>(place.member)];
  }
  if (value->kind != ToolValue::Kind::Number || !std::isfinite(value->number)) return std::nullopt;
  return value->number;
}

std::vector<std::optional<double>> baseReadings(const ToolDescriptor& tool, ToolReadings readings,
                                                std::initializer_list<std::string_view> keep) {
  std::vector<std::optional<double>> base(tool.inputs.size());
  for (std::size_t i = 0; i < tool.inputs.size() && i < readings.size(); ++i) {
    const ToolInput& input = tool.inputs[i];
    bool kept = input.start.has_value();
    for (std::string_view key : keep) kept = kept || input.key == key;
    if (kept) base[i] = readings[i];
    // A reading left out takes its input's start value, as every face gives it.
    if (!base[i] && input.start) base[i] = input.start;
  }
  return base;
}

std::vector<double> sweep(const ToolDescriptor& tool, std::vector<std::optional<double>> base,
                          int input, const std::vector<double>& values, ResultPlace place) {
  std::vector<double> results;
  results.reserve(values.size());
  for (double value : values) {
    double result = std::numeric_limits<double>::quiet_NaN();
    if (input >= 0 && static_cast<std::size_t>(input) < base.size() && tool.calculate) {
      base[static_cast<std::size_t>(input)] = value;
      if (const auto number = numberAt(tool.calculate(base), place)) result = *number;
    }
    results.push_back(result);
  }
  return results;
}

std::vector<double> evenly(double low, double high, int count) {
  std::vector<double> values;
  if (count < 2) count = 2;
  values.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    // The ends exactly as given, the points between by their fraction.
    values.push_back(i == count - 1 ? high : low + (high - low) * i / (count - 1));
  }
  return values;
}

}  // namespace pyrelon::chart
