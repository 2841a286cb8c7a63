// The tools as the page's script sees them: the forms to lay out and the
// results of a form's texts, as JSON texts.
#include <string>
#include <vector>

#include "chart/atmosphere_charts.h"
#include "core/numbers.h"
#include "shell/tool_form.h"
#include "shell/tools.h"
#include "web/page_api.h"

namespace pyrelon::web {

std::string toolsJson(const std::string& decimalSeparator) {
  std::string out = "[";
  for (const ToolDescriptor* tool : tools()) {
    if (out.size() > 1) out += ',';
    out += "{\"id\":" + jsonQuoted(tool->id) + ",\"title\":" + jsonQuoted(tool->title) +
           ",\"summary\":" + jsonQuoted(tool->summary) + ",\"inputs\":[";
    for (std::size_t i = 0; i < tool->inputs.size(); ++i) {
      const ToolInput& input = tool->inputs[i];
      if (i > 0) out += ',';
      out += "{\"key\":" + jsonQuoted(input.key) + ",\"label\":" + jsonQuoted(input.label) +
             ",\"unit\":" + jsonQuoted(input.unit) +
             ",\"range\":" + jsonQuoted(toolRangeText(input, decimalSeparator)) + ",\"start\":" +
             (input.start ? jsonQuoted(plainForm(*input.start, decimalSeparator))
                          : std::string("null")) +
             ",\"help\":" + jsonQuoted(input.help) +
             ",\"required\":" + (input.required ? "true" : "false") + "}";
    }
    out += "],\"lines\":[";
    const std::vector<ToolLine> lines = toolLines(*tool, ToolOutcome{}, decimalSeparator);
    for (std::size_t l = 0; l < lines.size(); ++l) {
      if (l > 0) out += ',';
      out += "{\"path\":" + jsonQuoted(lines[l].path) + ",\"label\":" + jsonQuoted(lines[l].label) +
             ",\"depth\":" + std::to_string(lines[l].depth) +
             ",\"heading\":" + (lines[l].heading ? "true" : "false") + "}";
    }
    out += "]}";
  }
  return out + "]";
}

namespace {

// The form of `tool` from its boxes' texts, separated by line feeds; boxes
// the texts leave out are empty.
ToolForm formFromTexts(const ToolDescriptor& tool, const std::string& texts,
                       const std::string& decimalSeparator) {
  std::vector<std::string> boxes;
  std::size_t start = 0;
  while (boxes.size() < tool.inputs.size()) {
    const std::size_t end = texts.find('\n', start);
    boxes.push_back(
        texts.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  boxes.resize(tool.inputs.size());
  return readToolForm(tool, boxes, decimalSeparator);
}

}  // namespace

std::string toolCompute(const std::string& id, const std::string& texts,
                        const std::string& decimalSeparator) {
  const ToolDescriptor* tool = toolById(id);
  if (tool == nullptr) return "null";
  const ToolForm form = formFromTexts(*tool, texts, decimalSeparator);
  const ToolOutcome outcome = runTool(*tool, form);
  std::string out = "{\"error\":" + jsonQuoted(outcome.error) +
                    ",\"failedInput\":" + std::to_string(outcome.failedInput) + ",\"lines\":[";
  const std::vector<ToolLine> lines = toolLines(*tool, outcome, decimalSeparator);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    if (l > 0) out += ',';
    out += "{\"value\":" + jsonQuoted(lines[l].value) + ",\"unit\":" + jsonQuoted(lines[l].unit) +
           ",\"note\":" + jsonQuoted(lines[l].note) +
           ",\"absent\":" + (lines[l].absent ? "true" : "false") + "}";
  }
  return out + "],\"json\":" + toolJson(*tool, form.readings, outcome, 0) + "}";
}

std::string toolChart(const std::string& id, const std::string& texts,
                      const std::string& decimalSeparator) {
  const ToolDescriptor* tool = toolById(id);
  if (tool == nullptr || !chart::hasChart(tool->id)) return "";
  return chart::toolChartSvg(tool->id, formFromTexts(*tool, texts, decimalSeparator).readings,
                             decimalSeparator == ",");
}

}  // namespace pyrelon::web
