#include "shell/shell.h"

#include "core/numbers.h"
#include "shell/panels.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

KeyEvents keyEventsOf(std::string_view textBox) {
  const InputSpec* input = inputSpecOf(textBox);
  return input == nullptr ? KeyEvents::None : input->keys;
}

bool takesDigitsOnly(std::string_view textBox) { return keyEventsOf(textBox) == KeyEvents::Digits; }

void fillList(Window& window, const PanelDescriptor& panel) {
  for (const ListEntry& entry : panel.list->entries)
    window.addListEntry(panel.list->name, entry.text);
  window.setSelectedIndex(panel.list->name, 0);
}

void selectAndSolve(Window& window, const PanelDescriptor& panel) {
  const Outcome relabel = selectEntry(panel, window.selectedIndex(panel.list->name));
  if (relabel.ending() == Ending::Nothing) return;
  applySteps(window, relabel);
  pressPanel(window, panel);
}

}  // namespace

void Form_Load(Window& window) {
  // The unit lists solve their panels as they are selected.
  for (const PanelDescriptor* panel : panelsInListOrder()) fillList(window, *panel);
  for (const PanelDescriptor* panel : panelsInTextOrder())
    for (const InputSpec& input : panel->inputs) window.setText(input.box, input.startText);
  for (const PanelDescriptor* panel : panels()) pressPanel(window, *panel);
}

void ExitMenu_Click(Window& window) { window.endProgram(); }

void Image1_Click(Window& window) {
  // The author's name and the maker's two addresses are left empty; the
  // lines stay so the layout of the box holds.
  window.showInfoBox("The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n");
}

void TempBtn_Click(Window& window) { click(window, "TempBtn"); }
void PresBtn_Click(Window& window) { click(window, "PresBtn"); }
void NkBtn_Click(Window& window) { click(window, "NkBtn"); }
void CarbonBtn_Click(Window& window) { click(window, "CarbonBtn"); }
void OxiBtn_Click(Window& window) { click(window, "OxiBtn"); }
void OxygenBtn_Click(Window& window) { click(window, "OxygenBtn"); }
void FlowBtn_Click(Window& window) { click(window, "FlowBtn"); }
void GradiCmb_Click(Window& window) { select(window, "GradiCmb"); }
void PresCmb_Click(Window& window) { select(window, "PresCmb"); }

Outcome filterKey(std::string_view textBox, std::string_view currentText, int code) {
  Outcome out;
  if (takesDigitsOnly(textBox) && !keyFilterPasses(currentText, code)) {
    out.beep();
    out.reset(textBox, "");
  }
  return out;
}

Outcome filterPaste(std::string_view textBox, std::string_view currentText,
                    std::string_view pasted) {
  Outcome out;
  if (!takesDigitsOnly(textBox)) return out;
  const bool hasPoint = currentText.find('.') != std::string_view::npos;
  int points = 0;
  bool digitsOnly = true;
  for (char c : pasted) {
    if (c == '.')
      ++points;
    else if (c < '0' || c > '9')
      digitsOnly = false;
  }
  if (!hasPoint && !(digitsOnly && points <= 1)) {
    out.beep();
    out.reset(textBox, "");
  }
  return out;
}

void HTxt_KeyPress(Window& window, int code) { keyPress(window, "HTxt", code); }
void NTxt_KeyPress(Window& window, int code) { keyPress(window, "NTxt", code); }

bool hasClickHandler(std::string_view control) {
  return control == "Image1" || control == "ExitMenu" || panelOfButton(control) != nullptr;
}

bool hasSelectionHandler(std::string_view list) {
  const PanelDescriptor* panel = panelOfList(list);
  return panel != nullptr && !panel->presets.empty();
}

bool hasKeyHandler(std::string_view textBox) { return keyEventsOf(textBox) != KeyEvents::None; }

bool click(Window& window, std::string_view control) {
  if (control == "Image1") {
    Image1_Click(window);
  } else if (control == "ExitMenu") {
    ExitMenu_Click(window);
  } else if (const PanelDescriptor* panel = panelOfButton(control)) {
    pressPanel(window, *panel);
  } else {
    return false;
  }
  return true;
}

bool select(Window& window, std::string_view list) {
  if (!hasSelectionHandler(list)) return false;
  selectAndSolve(window, *panelOfList(list));
  return true;
}

bool keyPress(Window& window, std::string_view textBox, int code) {
  if (!hasKeyHandler(textBox)) return false;
  applySteps(window, filterKey(textBox, window.text(textBox), code));
  return true;
}

bool paste(Window& window, std::string_view textBox, std::string_view pasted) {
  if (!hasKeyHandler(textBox)) return false;
  applySteps(window, filterPaste(textBox, window.text(textBox), pasted));
  return true;
}

bool submit(Window& window, std::string_view textBox) {
  const PanelDescriptor* panel = panelOfControl(textBox);
  if (panel == nullptr || panel->inputIndex(textBox) < 0) return false;
  pressPanel(window, *panel);
  return true;
}

}  // namespace pyrelon
