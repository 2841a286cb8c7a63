#include "shell/panels.h"

#include "combustion/lambda.h"
#include "flow/orifice.h"
#include "probes/carbon.h"
#include "probes/nitriding.h"
#include "probes/oxygen.h"
#include "units/pressure.h"
#include "units/temperature.h"

namespace pyrelon {
namespace {

const std::array<const PanelDescriptor*, 7>& all() {
  static const std::array<const PanelDescriptor*, 7> kPanels{
      &temperaturePanel(), &pressurePanel(), &nitridingPanel(), &carbonPanel(),
      &lambdaPanel(),      &oxygenPanel(),   &flowPanel()};
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

std::array<const PanelDescriptor*, 7> panelsInLayoutOrder() {
  return {&temperaturePanel(), &nitridingPanel(), &pressurePanel(), &lambdaPanel(),
          &oxygenPanel(),      &carbonPanel(),    &flowPanel()};
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
