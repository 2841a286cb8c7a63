// A tool's result as one input sweeps a range: the curves of a tool's
// charts come from its own calculator, so a chart can never disagree with
// the numbers the form shows.
#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "core/tool.h"

namespace pyrelon::chart {

// Where a result (or a member of a group result) stands in a tool's
// description; -1 where the tool has no such result or member.
struct ResultPlace {
  int result = -1;
  int member = -1;  // -1 for a result that is not a group
};
ResultPlace findResult(const ToolDescriptor& tool, std::string_view key,
                       std::string_view member = {});
int findInput(const ToolDescriptor& tool, std::string_view key);

// The number at `place` in an outcome; nullopt where the tool failed or the
// value is absent (a potential above graphite saturation).
std::optional<double> numberAt(const ToolOutcome& outcome, ResultPlace place);

// The readings a sweep starts from: `readings` as given, with every input
// that has no start value (a reading the user may leave out) made absent
// except those in `keep`, so that another reading's error cannot blank
// the curve.
std::vector<std::optional<double>> baseReadings(const ToolDescriptor& tool, ToolReadings readings,
                                                std::initializer_list<std::string_view> keep);

// The result at `place` with input `input` set to each of `values` in turn
// (the other readings as in `base`); NaN where the tool gives no number,
// which the chart draws as a gap.
std::vector<double> sweep(const ToolDescriptor& tool, std::vector<std::optional<double>> base,
                          int input, const std::vector<double>& values, ResultPlace place);

// `count` values from `low` to `high` inclusive, evenly spaced (count >= 2).
std::vector<double> evenly(double low, double high, int count);

}  // namespace pyrelon::chart
