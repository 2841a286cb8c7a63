// Sweeping one input of a tool through its own calculator, on a small tool
// made for the test: y = x·x, and a group whose member "root" is absent
// below zero; a reading "check" above 5 fails the whole tool.
#include "chart/tool_sweep.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pyrelon::chart {
namespace {

constexpr ToolInput kInputs[] = {
    {"x", "X", "x", "", {-10, 10}, 1.0},
    {"check", "Check", "check", "", {0, 10}, std::nullopt},
};
constexpr ToolResult kMembers[] = {{"square", "Square", ""}, {"root", "Root", ""}};
constexpr ToolResult kResults[] = {
    {"label", "Label", "", ResultForm::Text},
    {"parts", "Parts", "", ResultForm::Number, Digits::Decimals, 3, kMembers},
};

ToolValue valueOf(ToolValue::Kind kind, double number = 0) {
  ToolValue value;
  value.kind = kind;
  value.number = number;
  return value;
}

ToolOutcome calculate(ToolReadings readings) {
  ToolOutcome outcome;
  if (readings[1] && *readings[1] > 5) {
    outcome.error = "check above 5";
    return outcome;
  }
  using enum ToolValue::Kind;
  const double x = readings[0].value_or(0);
  ToolValue label = valueOf(Text), parts = valueOf(Group);
  label.text = "x";
  const ToolValue root = x >= 0 ? valueOf(Number, std::sqrt(x)) : ToolValue{};  // absent below 0
  parts.members = {valueOf(Number, x * x), root};
  outcome.results = {label, parts};
  return outcome;
}

// clang-format off
const ToolDescriptor kTool{.id = "square", .title = "Square", .summary = "x squared",
                           .inputs = kInputs, .results = kResults, .calculate = calculate};
// clang-format on

TEST(ChartToolSweep, FindsInputsResultsAndMembers) {
  EXPECT_EQ(findInput(kTool, "check"), 1);
  EXPECT_EQ(findInput(kTool, "nothing"), -1);
  EXPECT_EQ(findResult(kTool, "parts", "root").result, 1);
  EXPECT_EQ(findResult(kTool, "parts", "root").member, 1);
  EXPECT_EQ(findResult(kTool, "parts", "cube").result, -1);
  EXPECT_EQ(findResult(kTool, "label").member, -1);
}

TEST(ChartToolSweep, SweepsOneInputWithGapsWhereNoNumber) {
  const std::optional<double> given[] = {3.0, 9.0};  // a failing check reading
  const auto base = baseReadings(kTool, given, {});
  ASSERT_EQ(base.size(), 2u);
  EXPECT_EQ(base[0], 3.0);
  EXPECT_FALSE(base[1].has_value());  // left out, so that it cannot fail the sweep
  const std::vector<double> xs = {-4, 0, 2.25};
  const auto squares = sweep(kTool, base, 0, xs, findResult(kTool, "parts", "square"));
  EXPECT_EQ(squares, (std::vector<double>{16, 0, 5.0625}));
  const auto roots = sweep(kTool, base, 0, xs, findResult(kTool, "parts", "root"));
  EXPECT_TRUE(std::isnan(roots[0]));  // absent below zero
  EXPECT_EQ(roots[1], 0);
  EXPECT_EQ(roots[2], 1.5);
  const auto text = sweep(kTool, base, 0, xs, findResult(kTool, "label"));
  EXPECT_TRUE(std::isnan(text[0]));  // not a number result
  // Kept, the failing reading blanks every point.
  const auto failing = sweep(kTool, baseReadings(kTool, given, {"check"}), 0, xs,
                             findResult(kTool, "parts", "square"));
  for (double value : failing) EXPECT_TRUE(std::isnan(value));
}

TEST(ChartToolSweep, EvenlyKeepsTheEndsExact) {
  const auto values = evenly(-45, 30, 76);
  ASSERT_EQ(values.size(), 76u);
  EXPECT_EQ(values.front(), -45);
  EXPECT_EQ(values[45], 0);
  EXPECT_EQ(values.back(), 30);
  // Fewer than two points give both ends; -0.1 + 0.3 would be 0.20000000000000004.
  EXPECT_EQ(evenly(-0.1, 0.2, 1), (std::vector<double>{-0.1, 0.2}));
}

}  // namespace
}  // namespace pyrelon::chart
