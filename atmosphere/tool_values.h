// Building a tool's result values: a number that is not finite never
// becomes a value (it stays absent, JSON null), so no face can show one.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/numbers.h"
#include "core/tool.h"

namespace pyrelon {

// Each writes a value in place, since a value is large and a batch builds
// millions of them.

// A number; one that is not finite leaves the value absent.
inline void setNumber(ToolValue& value, double number) {
  if (!std::isfinite(number)) return;
  value.kind = ToolValue::Kind::Number;
  value.number = number;
}

inline void setText(ToolValue& value, std::string_view text) {
  value.kind = ToolValue::Kind::Text;
  value.text = text;
}

// An empty list, or a group of `members` absent members.
inline ToolValue& makeList(ToolValue& value) {
  value.kind = ToolValue::Kind::List;
  return value;
}
inline ToolValue& makeGroup(ToolValue& value, std::size_t members) {
  value.kind = ToolValue::Kind::Group;
  value.members.resize(members);
  return value;
}

// The sentence for a reading outside its input's range, as the faces word
// it: "The dew point must be between -45 and 30 °C."
inline std::string rangeSentence(const ToolInput& input) {
  std::string sentence = "The " + std::string(input.what) + " must be between " +
                         plainForm(input.range.min, ".") + " and " +
                         plainForm(input.range.max, ".");
  if (!input.unit.empty()) sentence += " " + std::string(input.unit);
  return sentence + ".";
}

// The sentence for a required reading not given:
// "The furnace temperature is needed, from 800 to 1100 °C."
inline std::string requiredSentence(const ToolInput& input) {
  std::string sentence = "The " + std::string(input.what) + " is needed, from " +
                         plainForm(input.range.min, ".") + " to " + plainForm(input.range.max, ".");
  if (!input.unit.empty()) sentence += " " + std::string(input.unit);
  return sentence + ".";
}

}  // namespace pyrelon
