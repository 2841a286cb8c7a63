#include "shell/results.h"

#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/presentation.h"

namespace pyrelon {
namespace {

// Blanks and line feeds run together into one blank, none at the ends.
std::string simplified(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

bool isResult(std::string_view label) {
  const ControlSpec* spec = findControl(label);
  return spec != nullptr && spec->kind == ControlKind::ResultLabel;
}

}  // namespace

bool namesUnit(std::string_view caption, std::string_view unit) {
  const std::string_view word = unit.substr(0, unit.find(' '));
  return caption.find(word) != std::string_view::npos;
}

std::string_view captionLabelOf(std::string_view resultLabel) {
  const ControlSpec* spec = findControl(resultLabel);
  return spec == nullptr ? std::string_view() : namingLabelsOf(*spec).caption;
}

std::string panelResultsText(const Window& window, const PanelDescriptor& panel) {
  const int entry = panel.list ? window.selectedIndex(panel.list->name) : -1;
  const std::span<const ResultSpec> results = panel.resultsFor(entry);
  std::string text;
  // The controls stand in the order shown.
  for (const ControlSpec& control : panel.controls) {
    if (control.kind != ControlKind::ResultLabel) continue;
    std::string_view unit;
    for (const ResultSpec& result : results)
      if (result.label == control.name) unit = result.unit;
    const std::string_view captionLabel = captionLabelOf(control.name);
    const std::string caption =
        captionLabel.empty() ? std::string() : simplified(window.caption(captionLabel));
    text += caption;
    text += '\t';
    text += window.caption(control.name);
    if (!unit.empty() && !namesUnit(caption, unit)) (text += '\t') += unit;
    text += '\n';
  }
  return text;
}

PanelInputs panelInputs(const Window& window, const PanelDescriptor& panel) {
  PanelInputs inputs;
  for (const InputSpec& input : panel.inputs) inputs.texts.push_back(window.text(input.box));
  inputs.entry = panel.list ? window.selectedIndex(panel.list->name) : -1;
  return inputs;
}

void Freshness::written(const Window& window, std::string_view label, std::string_view caption) {
  if (!isResult(label)) return;
  const auto it = writtenWith_.find(label);
  if (caption.empty()) {
    if (it != writtenWith_.end()) writtenWith_.erase(it);
    return;
  }
  PanelInputs inputs = panelInputs(window, *panelOfControl(label));
  if (it != writtenWith_.end())
    it->second = std::move(inputs);
  else
    writtenWith_.emplace(std::string(label), std::move(inputs));
}

bool Freshness::stale(const Window& window, std::string_view label) const {
  const auto it = writtenWith_.find(label);
  return it != writtenWith_.end() && it->second != panelInputs(window, *panelOfControl(label));
}

std::vector<std::string_view> Freshness::staleLabels(const Window& window,
                                                     const PanelDescriptor& panel) const {
  std::vector<std::string_view> labels;
  const PanelInputs now = panelInputs(window, panel);
  for (const ControlSpec& control : panel.controls) {
    if (control.kind != ControlKind::ResultLabel) continue;
    const auto it = writtenWith_.find(control.name);
    if (it != writtenWith_.end() && it->second != now) labels.push_back(control.name);
  }
  return labels;
}

}  // namespace pyrelon
