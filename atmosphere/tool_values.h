// Building a tool's result values: a number that is not finite never
// becomes a value (it stays absent, JSON null), so no face can show one.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>

#include "core/numbers.h"
#include "core/tool.h"

namespace pyrelon {

inline ToolValue numberValue(double number) {
  ToolValue value;
  if (std::isfinite(number)) {
    value.kind = ToolValue::Kind::Number;
    value.number = number;
  }
  return value;
}

inline ToolValue textValue(std::string text) {
  ToolValue value;
  value.kind = ToolValue::Kind::Text;
  value.text = std::move(text);
  return value;
}

inline ToolValue listValue() {
  ToolValue value;
  value.kind = ToolValue::Kind::List;
  return value;
}

// A group with `members` absent members.
inline ToolValue groupValue(std::size_t members) {
  ToolValue value;
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

}  // namespace pyrelon
