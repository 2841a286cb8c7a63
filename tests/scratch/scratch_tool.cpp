#include "tests/scratch/scratch_tool.h"

#include <array>
#include <string>

#include "core/registry.h"

namespace pyrelon::testing {
namespace {

enum Input { kFlow, kShare, kHours };

constexpr std::array<ToolInput, 3> kInputs{{
    {"flow", "Gas flow", "gas flow", "m³/h", {0, 100}, 10.0, "The flow through the furnace."},
    {"share", "Nitrogen share", "nitrogen share", "%", {0, 100}, std::nullopt, ""},
    {"hours", "Run time", "run time", "h", {0.5, 24}, 8.0, ""},
}};

constexpr std::array<ToolResult, 2> kSplitMembers{{
    {"first", "First half", "m³", ResultForm::Number, Digits::Decimals, 1},
    {"second", "Second half", "m³", ResultForm::Number, Digits::Decimals, 1},
}};

constexpr std::array<ToolResult, 6> kResults{{
    {"volume", "Volume", "m³", ResultForm::Number, Digits::Decimals, 2},
    {"nitrogen", "Nitrogen volume", "m³", ResultForm::Number, Digits::Significant, 3},
    {"rate", "Rate per second", "m³/s", ResultForm::Number, Digits::Scientific, 3},
    {"verdict", "Verdict", "", ResultForm::Text},
    {"flags", "Flags", "", ResultForm::List},
    {"split", "Split", "", ResultForm::Group, Digits::Decimals, 3, kSplitMembers},
}};

constexpr std::array<ToolColumn, 3> kColumns{{
    {"volume", "volume", ""},
    {"nitrogen", "nitrogen", ""},
    {"split_first", "split", "first"},
}};

constexpr std::array<ToolConstant, 1> kConstants{{
    {"Seconds per hour", 3600, "s/h", "the definition of the hour"},
}};

constexpr std::array<std::string_view, 2> kEquations{"volume = flow × hours",
                                                     "nitrogen = volume × share / 100"};
constexpr std::array<std::string_view, 1> kNotes{"A tool for the tests only; never shipped."};

ToolValue number(double value, std::string note = {}) {
  ToolValue v;
  v.kind = ToolValue::Kind::Number;
  v.number = value;
  v.note = std::move(note);
  return v;
}

ToolOutcome calculate(ToolReadings readings) {
  const double flow = *readings[kFlow];
  const double hours = *readings[kHours];
  const double volume = flow * hours;
  ToolOutcome out;
  if (readings[kShare] && volume > 2000) {
    out.error = "The volume must be at most 2000 m³.";
    out.failedInput = kFlow;
    return out;
  }
  out.results.push_back(number(volume));
  ToolValue nitrogen;
  if (readings[kShare]) {
    nitrogen = number(volume * *readings[kShare] / 100,
                      *readings[kShare] > 90 ? "nearly pure nitrogen" : "");
  } else {
    nitrogen.note = "give the nitrogen share";
  }
  out.results.push_back(nitrogen);
  out.results.push_back(number(flow / 3600));
  ToolValue verdict;
  verdict.kind = ToolValue::Kind::Text;
  verdict.text = flow == 0 ? "idle" : "running";
  out.results.push_back(verdict);
  ToolValue flags;
  flags.kind = ToolValue::Kind::List;
  if (hours > 12) flags.list.push_back("long");
  if (readings[kShare] && *readings[kShare] > 50) flags.list.push_back("rich");
  out.results.push_back(flags);
  ToolValue split;
  split.kind = ToolValue::Kind::Group;
  split.members = {number(volume / 2), number(volume / 2)};
  out.results.push_back(split);
  return out;
}

}  // namespace

const ToolDescriptor& scratchTool() {
  static const ToolDescriptor kTool{
      .id = "scratch-mix",
      .title = "Scratch mix",
      .summary = "The gas a furnace takes over a run, for the tests.",
      .inputs = kInputs,
      .results = kResults,
      .columns = kColumns,
      .constants = kConstants,
      .equations = kEquations,
      .notes = kNotes,
      .calculate = &calculate,
  };
  return kTool;
}

namespace {
const Registration<ToolDescriptor> kRegistered(scratchTool());
}  // namespace

}  // namespace pyrelon::testing
