#include "fake_window.h"

#include <stdexcept>

#include "app/controls.h"
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

NumberSettings pointSettings() { return {".", ","}; }
NumberSettings commaSettings() { return {",", "."}; }

}  // namespace pyrelon::testing
