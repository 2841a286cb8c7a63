// One line of the differential table between the native build and the
// WebAssembly build: the same line gives the same answer, byte for byte,
// in both. Fields are separated by tabs; the first names the case.
//   press <panel> <entry> <sep> <text>...   a press from box texts
//   select <panel> <entry>                  a unit list's relabel and preset
//   key <box> <current> <code>              the key filter
//   paste <box> <current> <pasted>          the paste filter
//   val <text>                              the Val rule and where it stops
//   locale <text> <sep> <group>             the locale-aware reading
//   format <bits> <pattern> <sep>           pattern, plain and signed forms
//   read <text>                             the part-read warning
//   startup <sep> <group>                   start-up, every operation
//   chart <tool> <sep> <text>...            a tool's chart from its form's texts
//   panels                                  each panel's id, list length
//                                           and inputs' limits, for making
//                                           cases
// Doubles go in and out as the 16 hex digits of their bits.
#include "web/tests/cases.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "chart/atmosphere_charts.h"
#include "core/numbers.h"
#include "core/outcome.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "shell/reading.h"
#include "shell/shell.h"
#include "shell/tool_form.h"
#include "shell/tools.h"
#include "web/page_api.h"

namespace pyrelon::web {
namespace {

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return out;
}

std::string bits(double value) {
  std::uint64_t raw = 0;
  std::memcpy(&raw, &value, sizeof raw);
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%016" PRIx64, raw);
  return buffer;
}

double fromBits(const std::string& hex) {
  const std::uint64_t raw = std::strtoull(hex.c_str(), nullptr, 16);
  double value = 0;
  std::memcpy(&value, &raw, sizeof value);
  return value;
}

std::string read(const ReadResult& result) {
  if (!result.ok()) return *result.error == ReadError::Overflow ? "overflow" : "mismatch";
  return bits(result.value);
}

std::string steps(const Outcome& outcome) {
  static constexpr const char* kKinds[] = {"W", "C", "R", "I", "B"};
  std::string out = std::to_string(static_cast<int>(outcome.ending())) + "|" +
                    std::to_string(outcome.failedInput()) + "|" + outcome.message();
  for (const Step& step : outcome.steps())
    out += std::string("|") + kKinds[step.kind] + " " + step.control + " " + step.text;
  return out;
}

NumberSettings settingsFor(const std::string& separator) {
  return separator == "," ? NumberSettings{",", "."} : NumberSettings{".", ","};
}

}  // namespace

std::string runCase(const std::string& line) {
  const std::vector<std::string> f = fields(line);
  const std::string& kind = f[0];
  std::string answer;
  if (kind == "press" && f.size() >= 4) {
    const PanelDescriptor* panel = panelById(f[1]);
    if (panel == nullptr) return "no panel";
    std::vector<std::string> texts(f.begin() + 4, f.end());
    texts.resize(panel->inputs.size());
    answer = steps(pressPanel(*panel, texts, std::stoi(f[2]), settingsFor(f[3])));
  } else if (kind == "select" && f.size() == 3) {
    const PanelDescriptor* panel = panelById(f[1]);
    if (panel == nullptr) return "no panel";
    answer = steps(selectEntry(*panel, std::stoi(f[2])));
  } else if (kind == "key" && f.size() == 4) {
    answer = steps(filterKey(f[1], f[2], std::stoi(f[3])));
  } else if (kind == "paste" && f.size() == 4) {
    answer = steps(filterPaste(f[1], f[2], f[3]));
  } else if (kind == "val" && f.size() == 2) {
    const ValScan scan = scanVal(f[1]);
    answer = read(scan.result) + " " + std::to_string(scan.end) + (scan.number ? " n" : " -");
  } else if (kind == "locale" && f.size() == 4) {
    answer = read(readLocaleNumber(f[1], f[2], f[3]));
  } else if (kind == "format" && f.size() == 4) {
    const double value = fromBits(f[1]);
    answer =
        formatPattern(value, f[2], f[3]) + "|" + plainForm(value, f[3]) + "|" + signedForm(value);
  } else if (kind == "read" && f.size() == 2) {
    answer = partReadWarning(f[1]);
  } else if (kind == "startup" && f.size() == 3) {
    answer = startUp(f[1], f[2]);
  } else if (kind == "chart" && f.size() >= 3) {
    // A tool's chart document from its form's texts.
    const ToolDescriptor* tool = toolById(f[1]);
    if (tool == nullptr) return "no tool";
    std::vector<std::string> texts(f.begin() + 3, f.end());
    texts.resize(tool->inputs.size());
    answer = chart::toolChartSvg(tool->id, readToolForm(*tool, texts, f[2]).readings);
  } else if (kind == "panels") {
    for (const PanelDescriptor* panel : panels()) {
      answer += std::string(panel->id) + " " +
                std::to_string(panel->list ? panel->list->entries.size() : 0);
      for (const InputSpec& input : panel->inputs)
        answer += input.limits ? " " + plainForm(input.limits->min, ".") + ":" +
                                     plainForm(input.limits->max, ".")
                               : std::string(" -");
      answer += ";";
    }
  } else {
    return "bad case";
  }
  // One line per case, whatever the texts hold.
  std::string out;
  for (char c : answer) out += c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

}  // namespace pyrelon::web
