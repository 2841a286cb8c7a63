#include "web/page_window.h"

#include "core/panel.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/shell.h"

namespace pyrelon::web {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[(c >> 4) & 0xf];
          out += kHex[c & 0xf];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void PageWindow::add(std::string op) {
  operations_ += operations_.empty() ? "[" : ",";
  operations_ += op;
}

std::string PageWindow::takeOperations() {
  std::string out = operations_.empty() ? "[]" : operations_ + "]";
  operations_.clear();
  return out;
}

std::string PageWindow::text(std::string_view textBox) const {
  const auto it = texts_.find(textBox);
  return it == texts_.end() ? std::string() : it->second;
}

void PageWindow::setText(std::string_view textBox, std::string_view text) {
  texts_[std::string(textBox)] = std::string(text);
  add("[\"text\"," + jsonString(textBox) + "," + jsonString(text) + "]");
}

std::string PageWindow::caption(std::string_view label) const {
  const auto it = captions_.find(label);
  if (it != captions_.end()) return it->second;
  const ControlSpec* spec = findControl(label);
  return spec == nullptr ? std::string() : std::string(spec->text);
}

void PageWindow::setCaption(std::string_view label, std::string_view caption) {
  captions_[std::string(label)] = std::string(caption);
  freshness_.written(*this, label, caption);
  add("[\"caption\"," + jsonString(label) + "," + jsonString(caption) + "]");
}

void PageWindow::addListEntry(std::string_view list, std::string_view entry) {
  auto& entries = entries_[std::string(list)];
  entries.emplace_back(entry);
  if (entries.size() == 1) selected_[std::string(list)] = -1;
  add("[\"add\"," + jsonString(list) + "," + jsonString(entry) + "]");
}

int PageWindow::selectedIndex(std::string_view list) const {
  const auto it = selected_.find(list);
  return it == selected_.end() ? -1 : it->second;
}

void PageWindow::setSelectedIndex(std::string_view list, int index) {
  selected_[std::string(list)] = index;
  add("[\"select\"," + jsonString(list) + "," + std::to_string(index) + "]");
  if (hasSelectionHandler(list)) pyrelon::select(*this, list);
}

void PageWindow::showInfoBox(std::string_view text) { add("[\"info\"," + jsonString(text) + "]"); }

void PageWindow::beep() { add("[\"beep\"]"); }

void PageWindow::endProgram() { add("[\"end\"]"); }

void PageWindow::typed(std::string_view textBox, std::string_view text) {
  texts_[std::string(textBox)] = std::string(text);
}

void PageWindow::chose(std::string_view list, int index) { selected_[std::string(list)] = index; }

std::string PageWindow::staleLabels() const {
  std::string out = "[";
  for (const PanelDescriptor* panel : panels())
    for (std::string_view label : freshness_.staleLabels(*this, *panel)) {
      if (out.size() > 1) out += ',';
      out += jsonString(label);
    }
  return out + "]";
}

}  // namespace pyrelon::web
