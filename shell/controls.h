// Every control of the window: the panels' controls from their descriptors
// and the few that stand directly on the window. The Qt window and the
// browser page build themselves from this table.
#pragma once

#include <span>
#include <string_view>

#include "core/panel.h"

namespace pyrelon {

// All controls, panels before the controls they contain.
std::span<const ControlSpec> controlTable();

// The entry named `name`, or nullptr.
const ControlSpec* findControl(std::string_view name);

// The client area's size in twips: it reaches kClientMarginTwips beyond the
// right- and bottom-most control standing on it (10155 x 7155, 677 x 477
// pixels, for the seven panels).
int clientWidthTwips();
int clientHeightTwips();

}  // namespace pyrelon
