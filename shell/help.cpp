#include "shell/help.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/numbers.h"
#include "shell/panels.h"
#include "shell/press.h"

namespace pyrelon {

std::string escapedHtml(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {

std::string number(double value) { return plainForm(value, "."); }

// A table row of cells, each escaped.
std::string row(std::span<const std::string_view> cells, bool header = false) {
  std::string out = "<tr>";
  for (std::string_view cell : cells)
    out += (header ? "<th>" : "<td>") + escapedHtml(cell) + (header ? "</th>" : "</td>");
  return out + "</tr>\n";
}
std::string row(std::initializer_list<std::string_view> cells, bool header = false) {
  return row(std::span(cells.begin(), cells.size()), header);
}

std::string inputsTable(const PanelDescriptor& panel) {
  std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Input", "Unit", "Accepted range", "At start-up"}, true);
  for (const InputSpec& input : panel.inputs) {
    const std::string range = input.limits
                                  ? number(input.limits->min) + " to " + number(input.limits->max)
                                  : std::string("any");
    out += row({input.what, input.unit, range, input.startText});
  }
  return out + "</table>\n";
}

std::string resultsList(const PanelDescriptor& panel) {
  std::string out = "<p><b>Results:</b> ";
  if (!panel.captionLabels.empty()) {
    return out +
           "the input in the other units, one column each, under captions naming "
           "the unit.</p>\n";
  }
  bool first = true;
  // Per-entry result sets name the same labels; the first set says what they are.
  for (const ResultSpec& result : panel.resultsFor(0)) {
    if (!first) out += ", ";
    first = false;
    out += escapedHtml(result.what);
    if (!result.unit.empty()) out += " (" + escapedHtml(result.unit) + ")";
  }
  return out + ".</p>\n";
}

std::string constantsTable(const PanelDescriptor& panel) {
  if (panel.constants.empty()) return {};
  std::string out =
      "<p><b>Constants</b></p>\n"
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row({"Constant", "Value", "Unit"}, true);
  for (const ConstantSpec& constant : panel.constants)
    out += row({constant.name, number(constant.value), constant.unit});
  return out + "</table>\n";
}

std::string limitsBox(const PanelDescriptor& panel) {
  if (!panel.limitsBox) return {};
  std::string out =
      "<p><b>Limits box</b>, shown when a reading lies outside its range; the box is put "
      "back to its start-up value:</p>\n<ul>\n";
  for (const LimitLine& line : panel.limitsBox->lines)
    out += "<li>" + escapedHtml(limitLineText(line, panel)) + "</li>\n";
  return out + "</ul>\n";
}

std::string helpTable(const HelpTable& table) {
  std::string out = "<p>" + std::string(table.caption) +
                    "</p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
  out += row(table.headers, true);
  for (const std::vector<std::string>& cells : table.rows())
    out += row(std::vector<std::string_view>(cells.begin(), cells.end()));
  return out + "</table>\n";
}

constexpr std::string_view kConventions =
    "<h2>Conventions</h2>\n<ul>\n"
    "<li>Inputs are always typed with a point as the decimal separator (1.013), whatever "
    "the number settings. A box is read from its start: blanks are dropped, and reading "
    "stops at the first character that cannot continue the number, so \"1,5\" reads as 1 "
    "and \"12abc\" as 12. A box read only in part, or holding no number, is marked and its "
    "tooltip says what was read.</li>\n"
    "<li>Results are shown with the decimal separator of the number settings.</li>\n"
    "<li>Enter in an input box solves its panel. Results that no longer match their "
    "inputs are dimmed until the next Solve.</li>\n"
    "<li>A result label copies its whole value with Ctrl+C; a double-click selects it; "
    "its context menu also copies all results of its panel as tab-separated lines of "
    "caption, value and unit.</li>\n"
    "<li>Hovering over an input box shows its accepted range. A reading outside it shows "
    "the panel's limits box.</li>\n"
    "</ul>\n";

}  // namespace

std::string helpHtml() {
  std::string out =
      "<html><head><meta charset=\"utf-8\"><title>Pyrelon: formulas and constants</title>"
      "</head><body>\n<h1>Formulas and constants</h1>\n";
  out += kConventions;
  for (const PanelDescriptor* panel : panelsInLayoutOrder()) {
    out += "<h2>" + escapedHtml(panel->title) + "</h2>\n";
    out += "<p>" + escapedHtml(panel->summary) + "</p>\n";
    const HelpNotes& notes = panel->help;
    if (!notes.equations.empty())
      out += "<p><b>Equations</b></p>\n<ul>" + std::string(notes.equations) + "</ul>\n";
    if (panel->list) {
      std::string what(panel->list->what);
      if (what.front() >= 'a' && what.front() <= 'z')
        what.front() = static_cast<char>(what.front() - 'a' + 'A');
      out += "<p><b>" + escapedHtml(what) + ":</b> ";
      for (std::size_t i = 0; i < panel->list->entries.size(); ++i) {
        if (i > 0) out += ", ";
        out += escapedHtml(panel->list->entries[i].text);
      }
      out += "</p>\n";
    }
    out += inputsTable(*panel);
    out += resultsList(*panel);
    out += constantsTable(*panel);
    out += limitsBox(*panel);
    for (const HelpTable& table : notes.tables) out += helpTable(table);
    if (!notes.conventions.empty())
      out += "<p><b>Conventions</b></p>\n<ul>" + std::string(notes.conventions) + "</ul>\n";
  }
  out += toolsHelpHtml();
  return out + "</body></html>\n";
}

}  // namespace pyrelon
