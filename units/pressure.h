// The pressure panel: one pressure shown in seven units at once.
#pragma once

#include <optional>

#include "core/window.h"

namespace pyrelon {

// Relabels the six result columns for the selected source unit, writes one
// bar in that unit into the input box, and solves.
void PresCmb_Click(Window& window);

// Shows the input pressure in the six other units, each column computed
// from the input alone with its own constant.
void PresBtn_Click(Window& window);

// The value column `column` (0 to 5) shows for `x` in source unit `source`
// (the entry of PresCmb, 0 to 6); nothing for an index out of range. May be
// an infinity for inputs near the double range; the handler checks.
std::optional<double> convertPressure(int source, int column, double x);

}  // namespace pyrelon
