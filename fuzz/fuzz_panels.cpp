// Each calculator fed arbitrary texts through the in-memory window.
//
// Input layout (readable, so that seeds can be written by hand):
//   byte 0   low nibble mod the number of panels picks the panel, in the
//            order start-up solves them (panels()); bit 0x40 set means the
//            user's settings have a decimal comma, else a point. With the
//            seven panels "0".."6" are temperature, pressure, nitriding,
//            carbon, lambda, oxygen and flow with a point, "@".."F" with a
//            comma.
//   byte 1   low nibble mod (entries + 1) picks the list entry; the value
//            one past the last entry leaves the list with no selection.
//            Ignored by the panel without a list.
//   rest     the texts of the panel's input boxes in its input order,
//            separated by '|'; boxes beyond the given texts keep theirs.
//   "40|0.02|8" is the lambda panel, fuel "Metano", 0.02 mV, 8 mV offset.
//
// One run: a fresh window, Form_Load, the list selection (which runs the
// selection handler of the temperature and pressure lists), the texts, one
// press of the panel's Solve handler.
//
// Properties:
//   - nothing throws (the window throws on an unknown control name or list
//     entry), nothing crashes, no undefined behaviour;
//   - start-up shows no Info Box and fills every result label;
//   - no result caption contains "inf" or "nan", in any case;
//   - every non-empty result caption reads back by the locale-aware reading
//     with the window's separators, but for a value at the very limit of
//     the double range, whose 15 digits shown lie beyond it;
//   - a result label is left empty only when an Info Box has told why;
//   - the press changes no text or caption outside its own panel, and no
//     caption that is not a result.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/numbers.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "shell/shell.h"
#include "tests/fake_window.h"

namespace {

using namespace pyrelon;
using pyrelon::fuzz::containsInfOrNan;
using pyrelon::fuzz::fail;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;
using pyrelon::fuzz::showsDoubleLimit;
using pyrelon::testing::FakeWindow;

struct Panel {
  std::string_view name;
  std::string_view frame;
  std::string_view list;  // empty: no list
  int entries;
  std::vector<std::string_view> boxes;  // in the panel's input order
  const PanelDescriptor* descriptor;
};

Panel panelFor(const PanelDescriptor& d) {
  Panel panel{d.id, d.frame, {}, 0, {}, &d};
  if (d.list) {
    panel.list = d.list->name;
    panel.entries = static_cast<int>(d.list->entries.size());
  }
  for (const InputSpec& input : d.inputs) panel.boxes.push_back(input.box);
  return panel;
}

// In the order the first byte picks them.
const std::vector<Panel>& allPanels() {
  static const std::vector<Panel> kPanels = [] {
    std::vector<Panel> list;
    for (const PanelDescriptor* d : panels()) list.push_back(panelFor(*d));
    return list;
  }();
  return kPanels;
}

std::vector<std::string_view> resultLabels() {
  std::vector<std::string_view> labels;
  for (const ControlSpec& c : controlTable())
    if (c.kind == ControlKind::ResultLabel) labels.push_back(c.name);
  return labels;
}

// Every text and caption of the window, in control-table order.
std::vector<std::string> snapshot(const FakeWindow& window) {
  std::vector<std::string> state;
  for (const ControlSpec& c : controlTable()) {
    if (c.kind == ControlKind::TextBox) state.push_back(window.text(c.name));
    if (c.kind == ControlKind::Label || c.kind == ControlKind::ResultLabel)
      state.push_back(window.caption(c.name));
  }
  return state;
}

// A Solve handler writes only its own panel's result labels and, on a
// failed limit test, its own input boxes.
void checkOnlyOwnPanelChanged(const FakeWindow& window, const std::vector<std::string>& before,
                              const Panel& panel, const std::string& context) {
  std::size_t i = 0;
  for (const ControlSpec& c : controlTable()) {
    std::string now;
    if (c.kind == ControlKind::TextBox)
      now = window.text(c.name);
    else if (c.kind == ControlKind::Label || c.kind == ControlKind::ResultLabel)
      now = window.caption(c.name);
    else
      continue;
    const std::string& was = before[i++];
    if (now == was) continue;
    const bool own = c.parent == panel.frame &&
                     (c.kind == ControlKind::TextBox || c.kind == ControlKind::ResultLabel);
    require(
        own, "a Solve handler changes only its own panel's inputs and results",
        context + ": " + std::string(c.name) + " went from " + quote(was) + " to " + quote(now));
  }
}

// `context` says what was done, for the failure message.
void checkResults(const FakeWindow& window, const std::string& context, bool atStartUp) {
  static const std::vector<std::string_view> labels = resultLabels();
  const NumberSettings settings = window.numberSettings();
  for (std::string_view label : labels) {
    const std::string caption = window.caption(label);
    const std::string where = context + ": " + std::string(label) + " = " + quote(caption);
    require(!containsInfOrNan(caption), "no result caption shows inf or nan", where);
    if (caption.empty()) {
      require(!atStartUp, "start-up fills every result label", where);
      require(!window.infoBoxes.empty(), "a result label is emptied only with an Info Box", where);
      continue;
    }
    const ReadResult read =
        readLocaleNumber(caption, settings.decimalSeparator, settings.groupSeparator);
    if (!read.ok() && read.error == ReadError::Overflow && showsDoubleLimit(caption)) continue;
    require(read.ok(), "every result caption reads back by the locale-aware reading", where);
  }
}

void run(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const Panel& panel = allPanels()[(data[0] & 0x0f) % allPanels().size()];
  const bool comma = (data[0] & 0x40) != 0;
  int entry = -1;
  if (!panel.list.empty()) {
    const int k = (data[1] & 0x0f) % (panel.entries + 1);
    entry = k == panel.entries ? -1 : k;
  }

  std::vector<std::string_view> texts;
  std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  if (rest.starts_with('|')) rest.remove_prefix(1);
  while (!rest.empty() && texts.size() < panel.boxes.size()) {
    const auto bar = rest.find('|');
    texts.push_back(rest.substr(0, bar));
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
  }

  std::string context = std::string(panel.name) + (comma ? " panel, comma" : " panel, point");
  FakeWindow window;
  window.settings = comma ? testing::commaSettings() : testing::pointSettings();
  Form_Load(window);
  require(window.infoBoxes.empty(), "start-up shows no Info Box",
          context + ": " + (window.infoBoxes.empty() ? "" : quote(window.infoBoxes[0].text)));
  checkResults(window, context + ", after start-up", true);

  if (!panel.list.empty()) {
    context += ", " + std::string(panel.list) + " entry " + std::to_string(entry);
    window.setSelectedIndex(panel.list, entry);
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    context += ", " + std::string(panel.boxes[i]) + " " + quote(texts[i]);
    window.setText(panel.boxes[i], texts[i]);
  }
  const std::vector<std::string> before = snapshot(window);
  pressPanel(window, *panel.descriptor);
  checkOnlyOwnPanelChanged(window, before, panel, context);
  checkResults(window, context, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    run(data, size);
  } catch (const std::exception& e) {
    fail("no handler throws", e.what());
  }
  return 0;
}
