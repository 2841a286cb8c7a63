// A tool described as data. A tool has no place in the window's design: it
// is a form of inputs and a set of results with a pure calculator, and each
// face lays it out by its own conventions (the window in a window of its
// own opened from the Tools menu, the page in a view at pyrelon.html#ID, the
// command line as the subcommand ID whose options are the inputs, with
// --json and --csv). Toolkit-free: every face and every test reads these.
//
// Naming, one rule for every face:
//   input key "dew-point"  -> option --dew-point, page element
//                             "atmosphere-dew-point", CSV column and JSON
//                             member "dew_point" (dashes become underscores);
//   result key "carbon_potential" -> JSON member "carbon_potential".
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel.h"

namespace pyrelon {

struct ToolInput {
  std::string_view key;    // option name without its dashes: "dew-point"
  std::string_view label;  // as a form shows it: "Dew point"
  std::string_view what;   // as a sentence names it: "dew point"
  std::string_view unit;   // "°C"; empty where the quantity has none
  Limits range;            // inclusive; a value outside it is refused
  // The value used when the input is not given; nullopt: a reading that
  // may be absent, which the calculator sees as nullopt.
  std::optional<double> start{};
  std::string_view help{};  // one sentence for --help and the tooltip; may be empty
  // A reading the tool cannot do without and has no sensible default for
  // (the furnace temperature): absent, the form is refused with a sentence
  // naming its range, as the faces word it (see shell/tool_form.h).
  bool required = false;
};

// How a number result is written on every face.
enum class Digits {
  Decimals,     // `places` digits after the point: 0.540
  Significant,  // `places` significant digits, plain: 6.56
  Scientific,   // `places` significant digits, d.dde±x: 1.52e-20
};

enum class ResultForm {
  Number,  // a number, or null where it does not apply
  Text,    // a sentence or a word: "gamma-prime"
  List,    // a list of words: the readings above graphite saturation
  Group,   // named members, each a result of its own (not itself a group)
};

struct ToolResult {
  std::string_view key;    // JSON member: "carbon_potential"
  std::string_view label;  // "Carbon potential"
  std::string_view unit;   // "%C"; empty where none
  ResultForm form = ResultForm::Number;
  Digits digits = Digits::Decimals;
  int places = 3;
  std::span<const ToolResult> members{};  // a group's members, in order
};

// A result as computed. A number that does not apply is absent (JSON null);
// a note stands beside a value or in place of an absent one
// ("below Ae3 of pure iron at this temperature").
struct ToolValue {
  enum class Kind { Absent, Number, Text, List, Group } kind = Kind::Absent;
  double number = 0;               // Number: always finite
  std::string text;                // Text
  std::vector<std::string> list;   // List
  std::vector<ToolValue> members;  // Group: one per member of the description
  std::string note;                // shown beside the value; may be empty
};

// What a calculator returns: one value per result of the description, in
// its order, or a plain sentence naming the bound a reading broke.
struct ToolOutcome {
  std::vector<ToolValue> results;
  std::string error;     // empty when the tool computed
  int failedInput = -1;  // the input the error is about, or -1
};

// The readings in the description's input order: a given value (already
// inside its input's range), the input's start value, or nullopt.
using ToolReadings = std::span<const std::optional<double>>;
using ToolCalculator = ToolOutcome (*)(ToolReadings readings);
// The same calculator writing into an outcome kept from row to row, so a
// batch builds its values' vectors and strings once, not per row. It is
// handed an outcome with no error whose values are all absent and empty
// (as resetToolOutcome in shell/tool_form.h leaves one; a group may keep
// its members, each absent), and leaves it as `calculate` would return it.
using ToolFiller = void (*)(ToolReadings readings, ToolOutcome& outcome);

// A column the batch writes: a result, or a member of a group result.
struct ToolColumn {
  std::string_view name;    // "carbon_probe"
  std::string_view result;  // "carbon_potential"
  std::string_view member;  // "probe"; empty for a result that is not a group
};

// A constant a tool's formulas read, for the help page.
struct ToolConstant {
  std::string_view name;
  double value;
  std::string_view unit;
  std::string_view source;  // where the value comes from
};

struct ToolDescriptor {
  std::string_view id;       // "atmosphere": subcommand, page view, element prefix
  std::string_view title;    // "Atmosphere": the menu entry is the title and "…"
  std::string_view summary;  // what it computes, one sentence
  std::span<const ToolInput> inputs{};
  std::span<const ToolResult> results{};
  std::span<const ToolColumn> columns{};  // what --csv writes per row, before "error"
  std::span<const ToolConstant> constants{};
  // The help page's section: equations, then notes (sources, ranges, what
  // is measured and what extrapolated), each one paragraph.
  std::span<const std::string_view> equations{};
  std::span<const std::string_view> notes{};
  // The works the tool rests on, one citation each, listed on the help page
  // under its sources. A number inside a citation (a year, a volume, a
  // page) is part of the citation, not a value the tool computes with.
  std::span<const std::string_view> references{};
  ToolCalculator calculate{};
  // Optional: where given, it must give what `calculate` gives.
  ToolFiller fill{};
};

// "dew-point" -> "dew_point": the CSV column and JSON member of an input.
inline std::string memberNameOf(std::string_view key) {
  std::string name(key);
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

}  // namespace pyrelon
