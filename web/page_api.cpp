#include "web/page_api.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/panel.h"
#include "shell/controls.h"
#include "shell/help.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "shell/reading.h"
#include "shell/results.h"
#include "shell/shell.h"
#include "web/page_window.h"

namespace pyrelon::web {
namespace {

std::unique_ptr<PageWindow>& current() {
  static std::unique_ptr<PageWindow> window;
  return window;
}

PageWindow& window() {
  auto& w = current();
  if (!w) w = std::make_unique<PageWindow>(NumberSettings{});
  return *w;
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Panel: return "panel";
    case ControlKind::TextBox: return "textbox";
    case ControlKind::List: return "list";
    case ControlKind::Button: return "button";
    case ControlKind::Label: return "label";
    case ControlKind::ResultLabel: return "result";
    case ControlKind::Line: return "line";
    case ControlKind::Picture: return "picture";
  }
  return "";
}

const char* colourName(Colour colour) {
  switch (colour) {
    case Colour::Default: return "";
    case Colour::Blue: return "#0000ff";
    case Colour::Red: return "#ff0000";
    case Colour::Magenta: return "#c000c0";
    case Colour::Yellow: return "#ffff00";
    case Colour::LineRed: return "#c00000";
    case Colour::Black: return "#000000";
  }
  return "";
}

const char* lookName(Look look) {
  switch (look) {
    case Look::Standard: return "";
    case Look::Maker: return "maker";
    case Look::Release: return "release";
  }
  return "";
}

bool focusable(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::List || kind == ControlKind::Button ||
         kind == ControlKind::ResultLabel || kind == ControlKind::Picture;
}

// Panel by panel in the table's order; within a panel row by row, left to
// right within a row, controls whose tops lie within ten pixels sharing a
// row. Controls that take no focus keep the table's order after them.
std::vector<const ControlSpec*> pageOrder() {
  const auto table = controlTable();
  std::vector<const ControlSpec*> order;
  constexpr int kRowTolerance = 150;
  for (const ControlSpec& spec : table) {
    if (!spec.parent.empty()) continue;
    order.push_back(&spec);
    if (spec.kind != ControlKind::Panel) continue;
    std::vector<const ControlSpec*> members;
    std::vector<const ControlSpec*> rest;
    for (const ControlSpec& member : table) {
      if (member.parent != spec.name) continue;
      (focusable(member.kind) ? members : rest).push_back(&member);
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->top < b->top; });
    std::vector<std::pair<int, const ControlSpec*>> rows;
    int row = 0;
    int rowTop = members.empty() ? 0 : members.front()->top;
    for (const ControlSpec* member : members) {
      if (member->top - rowTop > kRowTolerance) {
        ++row;
        rowTop = member->top;
      }
      rows.emplace_back(row, member);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : a.second->left < b.second->left;
    });
    for (const auto& entry : rows) order.push_back(entry.second);
    order.insert(order.end(), rest.begin(), rest.end());
  }
  return order;
}

// The caption of an input, list or result: the nearest label before it in
// its panel; its unit: a label right after it, standing below it.
void namingLabels(const ControlSpec& spec, std::string& caption, std::string& unit) {
  const auto table = controlTable();
  const auto i = static_cast<std::size_t>(&spec - table.data());
  for (std::size_t j = i; j-- > 0;) {
    if (table[j].parent != spec.parent) break;
    if (table[j].kind == ControlKind::Label) {
      caption = std::string(table[j].name);
      break;
    }
  }
  if (i + 1 < table.size()) {
    const ControlSpec& next = table[i + 1];
    if (next.kind == ControlKind::Label && next.parent == spec.parent &&
        next.top >= spec.top + spec.height)
      unit = std::string(next.name);
  }
}

std::string member(const char* name, std::string_view text) {
  return std::string(",\"") + name + "\":" + jsonString(text);
}

}  // namespace

std::string controlsJson() {
  std::string out = "[";
  for (const ControlSpec* spec : pageOrder()) {
    if (out.size() > 1) out += ",\n";
    out += "{\"name\":" + jsonString(spec->name);
    out += member("kind", kindName(spec->kind));
    out += member("parent", spec->parent);
    out += member("text", spec->text);
    out += ",\"l\":" + std::to_string(spec->left) + ",\"t\":" + std::to_string(spec->top) +
           ",\"w\":" + std::to_string(spec->width) + ",\"h\":" + std::to_string(spec->height);
    out += member("colour", colourName(spec->colour));
    out += member("align", spec->align == Align::Left ? "left" : "centre");
    out += member("look", lookName(spec->look));
    if (spec->kind == ControlKind::TextBox || spec->kind == ControlKind::List ||
        spec->kind == ControlKind::ResultLabel) {
      std::string caption;
      std::string unit;
      namingLabels(*spec, caption, unit);
      out += member("caption", caption);
      out += member("unit", unit);
    }
    if (const InputSpec* input = inputSpecOf(spec->name)) {
      out += member("range", rangeText(*input));
      out += ",\"input\":true";
    }
    if (hasKeyHandler(spec->name)) out += ",\"keys\":true";
    if (hasClickHandler(spec->name)) out += ",\"clicks\":true";
    if (hasSelectionHandler(spec->name)) out += ",\"selects\":true";
    out += "}";
  }
  return out + "]";
}

std::string startUp(const std::string& decimalSeparator, const std::string& groupSeparator) {
  current() = std::make_unique<PageWindow>(NumberSettings{decimalSeparator, groupSeparator});
  Form_Load(window());
  return window().takeOperations();
}

std::string typed(const std::string& box, const std::string& text) {
  window().typed(box, text);
  const InputSpec* input = inputSpecOf(box);
  return "{\"warning\":" + jsonString(partReadWarning(text)) +
         ",\"tip\":" + jsonString(input ? inputToolTip(*input, text) : std::string()) + "}";
}

void chose(const std::string& list, int index) { window().chose(list, index); }

std::string click(const std::string& control) {
  pyrelon::click(window(), control);
  return window().takeOperations();
}

std::string select(const std::string& list) {
  pyrelon::select(window(), list);
  return window().takeOperations();
}

std::string keyPress(const std::string& box, int code) {
  pyrelon::keyPress(window(), box, code);
  return window().takeOperations();
}

std::string paste(const std::string& box, const std::string& pasted) {
  pyrelon::paste(window(), box, pasted);
  return window().takeOperations();
}

std::string submit(const std::string& box) {
  pyrelon::submit(window(), box);
  return window().takeOperations();
}

std::string staleLabels() { return window().staleLabels(); }

std::string panelResults(const std::string& resultLabel) {
  const PanelDescriptor* panel = panelOfControl(resultLabel);
  return panel == nullptr ? std::string() : panelResultsText(window(), *panel);
}

std::string help() { return helpHtml(); }

}  // namespace pyrelon::web
