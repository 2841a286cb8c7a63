#include "shell/panels.h"

#include <algorithm>
#include <tuple>

#include "core/registry.h"

namespace pyrelon {
namespace {

using Order = std::vector<const PanelDescriptor*>;

// The registered panels sorted by `key`, ties by id.
template <typename Key>
Order sorted(Key key) {
  const auto all = Registry<PanelDescriptor>::all();
  Order order(all.begin(), all.end());
  std::sort(order.begin(), order.end(), [key](const PanelDescriptor* a, const PanelDescriptor* b) {
    return std::tuple(key(*a), a->id) < std::tuple(key(*b), b->id);
  });
  return order;
}

const Order& all() {
  static const Order kPanels = sorted([](const PanelDescriptor& p) { return p.startUp.solve; });
  return kPanels;
}

template <typename Matches>
const PanelDescriptor* find(Matches matches) {
  for (const PanelDescriptor* panel : all())
    if (matches(*panel)) return panel;
  return nullptr;
}

}  // namespace

std::span<const PanelDescriptor* const> panels() { return all(); }

std::span<const PanelDescriptor* const> panelsInLayoutOrder() {
  static const Order kOrder = sorted([](const PanelDescriptor& p) {
    const ControlSpec& frame = p.controls.front();
    return std::pair(frame.top, frame.left);
  });
  return kOrder;
}

std::span<const PanelDescriptor* const> panelsInListOrder() {
  static const Order kOrder = [] {
    Order order = sorted([](const PanelDescriptor& p) { return p.startUp.fillList; });
    std::erase_if(order, [](const PanelDescriptor* p) { return !p->list; });
    return order;
  }();
  return kOrder;
}

std::span<const PanelDescriptor* const> panelsInTextOrder() {
  static const Order kOrder = sorted([](const PanelDescriptor& p) { return p.startUp.writeTexts; });
  return kOrder;
}

const PanelDescriptor* panelOfButton(std::string_view button) {
  return find([button](const PanelDescriptor& p) { return p.solveButton == button; });
}

const PanelDescriptor* panelOfList(std::string_view list) {
  return find([list](const PanelDescriptor& p) { return p.list && p.list->name == list; });
}

const PanelDescriptor* panelOfControl(std::string_view control) {
  return find([control](const PanelDescriptor& p) {
    for (const ControlSpec& c : p.controls)
      if (c.name == control) return true;
    return false;
  });
}

const PanelDescriptor* panelById(std::string_view id) {
  return find([id](const PanelDescriptor& p) { return p.id == id; });
}

const InputSpec* inputSpecOf(std::string_view box) {
  for (const PanelDescriptor* panel : all()) {
    for (const InputSpec& input : panel->inputs)
      if (input.box == box) return &input;
  }
  return nullptr;
}

}  // namespace pyrelon
