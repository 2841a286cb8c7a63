// The pressure panel: one pressure shown in seven units at once.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/panel.h"

namespace pyrelon {

const PanelDescriptor& pressurePanel();

// Shows the input pressure in the six other units of the selected source
// unit, each column computed from the input alone with its own constant.
void calculatePressure(const Readings& in, Outcome& out);

// y = x * factor or y = x / factor. A division really divides: x / 0.0689
// and x * (1 / 0.0689) can differ in the last digit.
struct PressureCell {
  enum Op { Multiply, Divide } op;
  double factor;
  std::string_view unit;  // the unit the column shows, as its caption reads
  std::string_view pattern;
};

struct PressureSource {
  std::string_view unit;
  double preset;  // one bar in this unit
  std::array<PressureCell, 6> cells;
};

// One row per entry of PresCmb, in list order. Every constant stands as it
// is: a pair and its reverse are not exact inverses, and none is derived
// from another.
std::span<const PressureSource> pressureTable();

}  // namespace pyrelon
