// The panels, as their calculator files register them (core/registry.h),
// and the orders in which start-up and the window take them.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/panel.h"

namespace pyrelon {

// In the order start-up solves them (StartUpRanks::solve): temperature,
// pressure, nitriding, carbon, lambda, oxygen, flow.
std::span<const PanelDescriptor* const> panels();

// Top to bottom and left to right on the window, by their frames' places:
// a frame higher up comes first, frames at the same height left to right.
std::span<const PanelDescriptor* const> panelsInLayoutOrder();

// The panels with a list, in the order start-up fills the lists.
std::span<const PanelDescriptor* const> panelsInListOrder();

// In the order start-up writes the start-up texts.
std::span<const PanelDescriptor* const> panelsInTextOrder();

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
