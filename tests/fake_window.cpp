#include "fake_window.h"

#include <stdexcept>

#include "app/controls.h"
#include "app/numbers.h"
#include "app/shell.h"

namespace pyrelon::testing {
namespace {

template <typename Map>
auto& lookup(Map& map, std::string_view name, const char* kind) {
  const auto it = map.find(name);
  if (it == map.end())
    throw std::logic_error("no " + std::string(kind) + " named " + std::string(name));
  return it->second;
}

}  // namespace

FakeWindow::FakeWindow(bool runSelectionHandlers)
    : runSelectionHandlers_(runSelectionHandlers) {
  for (const ControlSpec& c : controlTable()) {
    const std::string name(c.name);
    switch (c.kind) {
      case ControlKind::TextBox: texts_[name] = std::string(c.text); break;
      case ControlKind::Label:
      case ControlKind::ResultLabel: captions_[name] = std::string(c.text); break;
      case ControlKind::List: lists_[name] = {}; break;
      default: break;
    }
  }
}

std::string FakeWindow::text(std::string_view textBox) const {
  return lookup(texts_, textBox, "text box");
}

void FakeWindow::setText(std::string_view textBox, std::string_view text) {
  lookup(texts_, textBox, "text box") = std::string(text);
}

std::string FakeWindow::caption(std::string_view label) const {
  return lookup(captions_, label, "label");
}

void FakeWindow::setCaption(std::string_view label, std::string_view caption) {
  lookup(captions_, label, "label") = std::string(caption);
}

void FakeWindow::addListEntry(std::string_view list, std::string_view entry) {
  lookup(lists_, list, "list").entries.emplace_back(entry);
}

int FakeWindow::selectedIndex(std::string_view list) const {
  return lookup(lists_, list, "list").selected;
}

void FakeWindow::setSelectedIndex(std::string_view list, int index) {
  List& l = lookup(lists_, list, "list");
  if (index < -1 || index >= static_cast<int>(l.entries.size()))
    throw std::out_of_range("no entry " + std::to_string(index) + " in " + std::string(list));
  l.selected = index;
  if (!runSelectionHandlers_) return;
  if (Handler handler = findHandler(selectionHandlers(), list)) handler(*this);
}

void FakeWindow::showInfoBox(std::string_view text) {
  infoBoxes.push_back({std::string(text), texts_});
}

void FakeWindow::setListEntries(std::string_view list, std::vector<std::string> entries,
                                int selected) {
  List& l = lookup(lists_, list, "list");
  l.entries = std::move(entries);
  l.selected = selected;
}

std::vector<std::string> FakeWindow::listEntries(std::string_view list) const {
  return lookup(lists_, list, "list").entries;
}

void FakeWindow::setTexts(const Texts& texts) {
  for (const auto& [box, text] : texts) setText(box, text);
}

std::string FakeWindow::captions(const std::vector<std::string_view>& labels) const {
  std::string out;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) out += ' ';
    out += caption(labels[i]);
  }
  return out;
}

std::string FakeWindow::local(std::string text) const {
  std::string out;
  for (const char c : text) out += c == '.' ? settings.decimalSeparator : std::string(1, c);
  return out;
}

std::string FakeWindow::changesSince(const FakeWindow& before) const {
  std::map<std::string, std::string> changed;
  for (const auto& [name, text] : texts_)
    if (before.texts_.at(name) != text) changed[name] = text;
  for (const auto& [name, caption] : captions_)
    if (before.captions_.at(name) != caption) changed[name] = caption;
  for (const auto& [name, list] : lists_)
    if (before.lists_.at(name).selected != list.selected)
      changed[name] = std::to_string(list.selected);
  std::string out;
  for (const auto& [name, now] : changed) out += name + "=" + now + "\n";
  return out;
}

std::string FakeWindow::outcomeSince(const FakeWindow& before) const {
  std::string out;
  for (std::size_t i = before.infoBoxes.size(); i < infoBoxes.size(); ++i) {
    const ShownInfoBox& box = infoBoxes[i];
    out += "box: " + box.text + "\n";
    for (const auto& [name, text] : box.textsWhileShown)
      if (before.texts_.at(name) != text) out += "while shown: " + name + "=" + text + "\n";
  }
  return out + changesSince(before);
}

std::string FakeWindow::outcomeOf(void (*press)(Window&)) const {
  FakeWindow after = *this;
  press(after);
  return after.outcomeSince(*this);
}

NumberSettings pointSettings() { return {".", ","}; }
NumberSettings commaSettings() { return {",", "."}; }
std::vector<NumberSettings> bothSettings() { return {pointSettings(), commaSettings()}; }

std::vector<BoundText> boundTexts(std::span<const InputLimit> limits) {
  std::vector<BoundText> texts;
  for (const InputLimit& l : limits) {
    for (const double value : {l.min, l.max, l.min - 0.001, l.max + 0.001}) {
      texts.push_back({std::string(l.textBox), signedForm(value), value == l.min || value == l.max,
                       std::string(l.resetText)});
    }
  }
  return texts;
}

FakeWindow startedWindow(const NumberSettings& settings) {
  FakeWindow window;
  window.settings = settings;
  Form_Load(window);
  return window;
}

}  // namespace pyrelon::testing
