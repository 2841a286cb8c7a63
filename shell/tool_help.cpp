#include <string>
#include <string_view>

#include "core/numbers.h"
#include "shell/help.h"
#include "shell/tool_form.h"
#include "shell/tools.h"

namespace pyrelon {
namespace {

std::string cells(std::initializer_list<std::string_view> texts, bool header = false) {
  std::string out = "<tr>";
  for (const std::string_view text : texts)
    out += (header ? "<th>" : "<td>") + escapedHtml(text) + (header ? "</th>" : "</td>");
  return out + "</tr>\n";
}

constexpr std::string_view kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";

std::string digitsText(const ToolResult& result) {
  const std::string places = std::to_string(result.places);
  switch (result.form) {
    case ResultForm::Text: return "text";
    case ResultForm::List: return "list";
    case ResultForm::Group: return "group";
    case ResultForm::Number: break;
  }
  switch (result.digits) {
    case Digits::Decimals: return places + (result.places == 1 ? " decimal" : " decimals");
    case Digits::Significant: return places + " significant digits";
    case Digits::Scientific: return places + " significant digits, scientific";
  }
  return {};
}

}  // namespace

std::string toolHelpHtml(const ToolDescriptor& tool) {
  std::string out =
      "<h2 id=\"tool-" + escapedHtml(tool.id) + "\">" + escapedHtml(tool.title) + "</h2>\n";
  out += "<p>" + escapedHtml(tool.summary) + " Window: Tools &gt; " + escapedHtml(tool.title) +
         "…; page: pyrelon.html#" + escapedHtml(tool.id) + "; command line: pyrelon-cli " +
         escapedHtml(tool.id) + ".</p>\n";
  if (!tool.equations.empty()) {
    out += "<p><b>Equations</b></p>\n<ul>\n";
    for (const std::string_view equation : tool.equations)
      out += "<li>" + escapedHtml(equation) + "</li>\n";
    out += "</ul>\n";
  }
  if (!tool.inputs.empty()) {
    out += kTable;
    out += cells({"Input", "Option", "Unit", "Accepted range", "When not given"}, true);
    for (const ToolInput& input : tool.inputs) {
      const std::string option = "--" + std::string(input.key);
      const std::string range =
          plainForm(input.range.min, ".") + " to " + plainForm(input.range.max, ".");
      const std::string start = input.start      ? plainForm(*input.start, ".")
                                : input.required ? std::string("required")
                                                 : std::string("not used");
      out += cells({input.label, option, input.unit, range, start});
    }
    out += "</table>\n";
  }
  if (!tool.results.empty()) {
    out += "<p><b>Results</b></p>\n";
    out += kTable;
    out += cells({"Result", "JSON member", "Unit", "Shown with"}, true);
    for (const ToolResult& result : tool.results) {
      out += cells({result.label, result.key, result.unit, digitsText(result)});
      for (const ToolResult& member : result.members) {
        const std::string label = std::string(result.label) + ": " + std::string(member.label);
        const std::string key = std::string(result.key) + "." + std::string(member.key);
        out += cells({label, key, member.unit, digitsText(member)});
      }
    }
    out += "</table>\n";
  }
  if (!tool.columns.empty()) {
    std::string names;
    for (const ToolColumn& column : tool.columns) names += std::string(column.name) + ", ";
    out +=
        "<p><b>CSV columns</b> written per row with --csv: " + escapedHtml(names) + "error.</p>\n";
  }
  if (!tool.constants.empty()) {
    out += "<p><b>Constants</b></p>\n";
    out += kTable;
    out += cells({"Constant", "Value", "Unit", "Source"}, true);
    for (const ToolConstant& constant : tool.constants)
      out += cells({constant.name, jsonNumber(constant.value), constant.unit, constant.source});
    out += "</table>\n";
  }
  if (!tool.notes.empty()) {
    out += "<p><b>Notes</b></p>\n<ul>\n";
    for (const std::string_view note : tool.notes) out += "<li>" + escapedHtml(note) + "</li>\n";
    out += "</ul>\n";
  }
  if (!tool.references.empty()) {
    out += "<p><b>Sources</b></p>\n<ul>\n";
    for (const std::string_view work : tool.references)
      out += "<li>" + escapedHtml(work) + "</li>\n";
    out += "</ul>\n";
  }
  return out;
}

std::string toolsHelpHtml() {
  std::string out;
  for (const ToolDescriptor* tool : tools()) out += toolHelpHtml(*tool);
  return out;
}

}  // namespace pyrelon
