#include "cli/tool_command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "chart/atmosphere_charts.h"
#include "cli/batch_command.h"
#include "cli/output_file.h"
#include "cli/rows.h"
#include "cli/tool_rows.h"
#include "core/numbers.h"
#include "shell/tool_form.h"
#include "shell/tools.h"

namespace pyrelon::cli {
namespace {

constexpr int kUsageError = 2;
constexpr int kWriteError = 2;  // as a usage error: the results did not reach their place

std::size_t charactersOf(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string optionHelp(const ToolInput& input) {
  std::string help(input.label);
  if (!input.unit.empty()) (help += ", ") += input.unit;
  help += " (" + plainForm(input.range.min, ".") + " to " + plainForm(input.range.max, ".");
  help += input.start      ? "; default " + plainForm(*input.start, ".")
          : input.required ? std::string("; required")
                           : std::string("; optional");
  help += ")";
  if (!input.help.empty()) (help += ". ") += input.help;
  return help;
}

}  // namespace

struct ToolCommands::Command {
  const ToolDescriptor* tool = nullptr;
  CLI::App* app = nullptr;
  std::vector<std::string> texts;  // per input; empty when not given
  BatchFlags batch;
  OutputFlags output;
  std::string chartPath;  // --chart; empty when not asked
};

namespace {

int runRows(const ToolCommands::Command& command, const std::vector<std::optional<double>>& given) {
  const ToolDescriptor& tool = *command.tool;
  // A value given as an option holds for every row: it must lie in range.
  // (An input not given as an option may come from a column.)
  for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
    if (!given[i] || tool.inputs[i].range.accepts(*given[i])) continue;
    std::fprintf(
        stderr, "pyrelon-cli: %s\n",
        outOfRangeSentence(tool.inputs[i], command.output.decimalComma ? "," : ".").c_str());
    return 1;
  }
  ToolRows rows;
  rows.tool = &tool;
  rows.constants = given;
  rows.path = command.batch.csvPath;
  rows.decimalComma = command.output.decimalComma;
  std::vector<std::string_view> keys;
  for (const ToolInput& input : tool.inputs) keys.push_back(input.key);
  try {
    rows.columnNames = columnMaps(command.batch.maps, keys, tool.id);
    const std::unique_ptr<RowComputer> computer = toolRowComputer(rows);
    return runBatchTo(batchOptions(command.batch, command.output), *computer,
                      command.batch.outputPath);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "pyrelon-cli: %s\n", e.message.c_str());
    return kUsageError;
  }
}

}  // namespace

ToolCommands::ToolCommands(CLI::App& app) {
  for (const ToolDescriptor* tool : tools()) {
    auto command = std::make_unique<Command>();
    command->tool = tool;
    command->texts.resize(tool->inputs.size());
    command->app = app.add_subcommand(std::string(tool->id), std::string(tool->summary));
    for (std::size_t i = 0; i < tool->inputs.size(); ++i) {
      command->app
          ->add_option("--" + std::string(tool->inputs[i].key), command->texts[i],
                       optionHelp(tool->inputs[i]))
          ->type_name("NUMBER");
    }
    CLI::App* sub = command->app;
    addBatchOptions(*sub, command->batch, command->output);
    if (chart::hasChart(tool->id)) {
      sub->add_option("--chart", command->chartPath,
                      "also write the tool's chart to FILE, as SVG (not when the tool refuses "
                      "the readings)")
          ->type_name("FILE.svg")
          ->excludes(sub->get_option("--csv"));
    }
    commands_.push_back(std::move(command));
  }
}

ToolCommands::~ToolCommands() = default;

std::optional<int> ToolCommands::run() const {
  for (const auto& command : commands_) {
    if (!command->app->parsed()) continue;
    const ToolDescriptor& tool = *command->tool;
    std::vector<std::optional<double>> given(tool.inputs.size());
    for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
      const std::string& text = command->texts[i];
      if (text.empty()) continue;
      const std::optional<ReadResult> read = strictReading(text, command->output.decimalComma);
      if (!read) {
        std::fprintf(stderr, "pyrelon-cli: --%s \"%s\" is not a number%s\n",
                     std::string(tool.inputs[i].key).c_str(), text.c_str(),
                     command->output.decimalComma ? " (with a decimal comma)" : "");
        return kUsageError;
      }
      // A number beyond the double range lies outside every range, and is
      // refused with the range's sentence whatever its sign.
      given[i] = read->ok() ? read->value : std::numeric_limits<double>::infinity();
    }
    if (!command->batch.csvPath.empty()) return runRows(*command, given);
    const std::string_view separator = command->output.decimalComma ? "," : ".";
    const ToolForm form = checkToolReadings(tool, given, separator);
    const ToolOutcome outcome = runTool(tool, form);
    if (command->output.json) {
      std::printf("%s\n", toolJson(tool, form.readings, outcome, 2).c_str());
    } else {
      if (outcome.error.empty()) std::fputs(toolText(tool, outcome, separator).c_str(), stdout);
    }
    if (!outcome.error.empty()) {
      std::fprintf(stderr, "pyrelon-cli: %s\n", outcome.error.c_str());
      return 1;
    }
    if (!command->chartPath.empty()) {
      const std::string reason =
          writeWholeFile(command->chartPath,
                         chart::toolChartSvg(tool.id, form.readings, command->output.decimalComma));
      if (!reason.empty()) {
        std::fprintf(stderr, "pyrelon-cli: cannot write the chart to %s: %s\n",
                     command->chartPath.c_str(), reason.c_str());
        return kWriteError;
      }
    }
    return 0;
  }
  return std::nullopt;
}

std::string ToolCommands::completionNames() {
  std::string names;
  for (const ToolDescriptor* tool : tools()) names += std::string(tool->id) + " ";
  return names;
}

std::string ToolCommands::completionCases() {
  std::string cases;
  for (const ToolDescriptor* tool : tools()) {
    std::string options =
        "--json --csv --output --map --decimal-comma --threads --progress --no-progress --help";
    if (chart::hasChart(tool->id)) options += " --chart";
    for (const ToolInput& input : tool->inputs) options += " --" + std::string(input.key);
    cases += "    " + std::string(tool->id) + ":*) opts=\"" + options + "\";;\n";
  }
  return cases;
}

std::string toolText(const ToolDescriptor& tool, const ToolOutcome& outcome,
                     std::string_view decimalSeparator) {
  const std::vector<ToolLine> lines = toolLines(tool, outcome, decimalSeparator);
  std::size_t width = 0;
  for (const ToolLine& line : lines)
    if (!line.heading)
      width = std::max(width, 2 * static_cast<std::size_t>(line.depth) + charactersOf(line.label));
  std::string out;
  for (const ToolLine& line : lines) {
    std::string text(2 * static_cast<std::size_t>(line.depth), ' ');
    text += line.label;
    if (!line.heading) {
      text.append(width + 2 - 2 * static_cast<std::size_t>(line.depth) - charactersOf(line.label),
                  ' ');
      text += line.value;
      if (!line.unit.empty()) (text += ' ') += line.unit;
    }
    if (!line.note.empty()) text += "  (" + line.note + ")";
    out += text + "\n";
  }
  return out;
}

}  // namespace pyrelon::cli
