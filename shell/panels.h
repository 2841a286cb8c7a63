// The seven panels, and the orders in which start-up and the window take
// them.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/panel.h"

namespace pyrelon {

// In the order start-up solves them: temperature, pressure, nitriding,
// carbon, lambda, oxygen, flow.
std::span<const PanelDescriptor* const> panels();

// Top to bottom and left to right on the window.
std::array<const PanelDescriptor*, 7> panelsInLayoutOrder();

// The panel whose Solve button, list, input box or result label is named
// `control`; nullptr if none.
const PanelDescriptor* panelOfButton(std::string_view button);
const PanelDescriptor* panelOfList(std::string_view list);
const PanelDescriptor* panelOfControl(std::string_view control);
// The panel with this command-line name ("carbon"); nullptr if none.
const PanelDescriptor* panelById(std::string_view id);

// The input spec of a box, and its panel's, or nullptr.
const InputSpec* inputSpecOf(std::string_view box);

}  // namespace pyrelon
