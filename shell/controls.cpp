#include "shell/controls.h"

#include <algorithm>
#include <array>
#include <vector>

#include "shell/panels.h"

namespace pyrelon {
namespace {

using K = ControlKind;
using C = Colour;

// clang-format off
constexpr std::array kWindowControls{
  ControlSpec{"Image1", K::Picture, "", "", 7440, 2460, 2655, 2025},
  ControlSpec{"Label8", K::Label, "", "By Quorvent", 7125, 4785, 1770, 375, C::Blue, Align::Left, Look::Maker},
  ControlSpec{"Label50", K::Label, "", "Engineering", 7125, 5205, 1845, 375, C::Blue, Align::Left, Look::Maker},
  ControlSpec{"Label16", K::Label, "", "Rel. 1.7", 9210, 5340, 825, 285, C::Yellow, Align::Left, Look::Release},
  ControlSpec{"Line29", K::Line, "", "", 8940, 5205, 7065, 5205, C::LineRed},
  ControlSpec{"Line13", K::Line, "", "", 8940, 5205, 9090, 5355, C::LineRed},
  ControlSpec{"Line14", K::Line, "", "", 9090, 5355, 9315, 4830, C::LineRed},
  ControlSpec{"Line15", K::Line, "", "", 9315, 4830, 9390, 5205, C::LineRed},
  ControlSpec{"Line16", K::Line, "", "", 9390, 5205, 9540, 4980, C::LineRed},
  ControlSpec{"Line28", K::Line, "", "", 9540, 4980, 9690, 5205, C::LineRed},
};
// clang-format on

// The panels as they stand on the window, top to bottom, left to right;
// the frames come first, then what stands on the window, then each panel's
// controls.
std::vector<ControlSpec> buildTable() {
  std::vector<ControlSpec> table;
  const auto layout = panelsInLayoutOrder();
  table.reserve(kWindowControls.size() + 16 * layout.size());
  for (const PanelDescriptor* panel : layout) table.push_back(panel->controls.front());
  table.insert(table.end(), kWindowControls.begin(), kWindowControls.end());
  for (const PanelDescriptor* panel : layout)
    table.insert(table.end(), panel->controls.begin() + 1, panel->controls.end());
  return table;
}

const std::vector<ControlSpec>& table() {
  static const std::vector<ControlSpec> kTable = buildTable();
  return kTable;
}

}  // namespace

std::span<const ControlSpec> controlTable() { return table(); }

int clientWidthTwips() {
  int right = 0;
  for (const ControlSpec& c : table())
    if (c.parent.empty() && c.kind != ControlKind::Line) right = std::max(right, c.left + c.width);
  return right + kClientMarginTwips;
}

int clientHeightTwips() {
  int bottom = 0;
  for (const ControlSpec& c : table())
    if (c.parent.empty() && c.kind != ControlKind::Line)
      bottom = std::max(bottom, c.top + c.height);
  return bottom + kClientMarginTwips;
}

const ControlSpec* findControl(std::string_view name) {
  const auto& all = table();
  const auto it =
      std::find_if(all.begin(), all.end(), [name](const ControlSpec& c) { return c.name == name; });
  return it == all.end() ? nullptr : &*it;
}

}  // namespace pyrelon
