#include "fake_window.h"

#include "core/numbers.h"
#include "shell/controls.h"
#include "shell/shell.h"

namespace pyrelon::testing {

FakeWindow::FakeWindow() {
  for (const ControlSpec& c : controlTable()) {
    if (c.kind == ControlKind::TextBox) texts_[std::string(c.name)] = c.text;
    if (c.kind == ControlKind::Label || c.kind == ControlKind::ResultLabel)
      captions_[std::string(c.name)] = c.text;
    if (c.kind == ControlKind::List) lists_[std::string(c.name)] = {};
  }
}

void FakeWindow::setSelectedIndex(std::string_view list, int index) {
  List& l = find(lists_, list);
  if (index < -1 || index >= static_cast<int>(l.entries.size()))
    throw std::out_of_range("no entry " + std::to_string(index) + " in " + std::string(list));
  l.selected = index;
  select(*this, list);
}

std::string FakeWindow::captions(const std::vector<std::string_view>& labels) const {
  std::string out;
  for (const std::string_view label : labels) (out += ' ') += caption(label);
  return out.substr(1);
}

std::string FakeWindow::local(std::string text) const {
  std::string out;
  for (const char c : text) out += c == '.' ? settings.decimalSeparator : std::string(1, c);
  return out;
}

std::string FakeWindow::outcomeOf(void (*press)(Window&)) const {
  FakeWindow after = *this;
  press(after);
  std::string out;
  for (std::size_t i = infoBoxes.size(); i < after.infoBoxes.size(); ++i) {
    out += "box: " + after.infoBoxes[i].text + "\n";
    for (const auto& [name, text] : after.infoBoxes[i].textsWhileShown)
      if (texts_.at(name) != text) out += "while shown: " + name + "=" + text + "\n";
  }
  std::map<std::string, std::string> changed;
  for (const auto& [name, text] : after.texts_)
    if (texts_.at(name) != text) changed[name] = text;
  for (const auto& [name, caption] : after.captions_)
    if (captions_.at(name) != caption) changed[name] = caption;
  for (const auto& [name, list] : after.lists_)
    if (lists_.at(name).selected != list.selected) changed[name] = std::to_string(list.selected);
  for (const auto& [name, now] : changed) out += name + "=" + now + "\n";
  return out;
}

NumberSettings pointSettings() { return {".", ","}; }
NumberSettings commaSettings() { return {",", "."}; }
std::vector<NumberSettings> bothSettings() { return {pointSettings(), commaSettings()}; }

std::vector<BoundText> boundTexts(const std::vector<TestedRange>& ranges) {
  std::vector<BoundText> texts;
  for (const TestedRange& r : ranges)
    for (const double value : {r.min, r.max, r.min - 0.001, r.max + 0.001})
      texts.push_back({r.box, signedForm(value), value == r.min || value == r.max,
                       r.box + "=" + r.startUp + "\n"});
  return texts;
}

FakeWindow startedWindow(const NumberSettings& settings) {
  FakeWindow window;
  window.settings = settings;
  Form_Load(window);
  return window;
}

FakeWindow panelWindow(const Texts& texts, std::string_view list, int entry,
                       const std::vector<std::string_view>& stale, const NumberSettings& settings) {
  FakeWindow window = startedWindow(settings);
  for (const auto& [box, text] : texts) window.setText(box, text);
  for (const std::string_view label : stale) window.setCaption(label, "stale");
  if (!list.empty()) window.setSelectedIndex(list, entry);
  return window;
}

}  // namespace pyrelon::testing
