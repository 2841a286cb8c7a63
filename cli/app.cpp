#include "cli/app.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_command.h"
#include "cli/check.h"
#include "cli/panel_rows.h"
#include "cli/rows.h"
#include "cli/tool_command.h"
#include "probes/carbon.h"
#include "shell/panels.h"
#include "shell/press.h"
#include "shell/tools.h"

namespace pyrelon::cli {
namespace {

constexpr int kUsageError = 2;

// What one panel's subcommand collects.
struct PanelCommand {
  const PanelDescriptor* panel = nullptr;
  CLI::App* app = nullptr;
  std::string entryName;
  std::vector<std::string> texts;  // per input; empty when not given
  BatchFlags batch;
};

using Common = OutputFlags;

NumberSettings settingsFor(bool decimalComma) {
  return decimalComma ? NumberSettings{",", "."} : NumberSettings{".", ","};
}

std::string inputHelp(const InputSpec& input, bool decimalComma) {
  std::string help(input.what);
  if (!input.unit.empty()) help += ", " + std::string(input.unit);
  if (input.limits) {
    const std::string sep = decimalComma ? "," : ".";
    help +=
        " (" + plainForm(input.limits->min, sep) + " to " + plainForm(input.limits->max, sep) + ")";
  }
  return help;
}

int entryOf(const PanelCommand& command) {
  const PanelDescriptor& panel = *command.panel;
  if (!panel.list) return -1;
  if (command.entryName.empty()) return 0;
  const int entry = findEntry(*panel.list, command.entryName);
  if (entry < 0) {
    throw UsageError{"--" + std::string(panel.list->key) + " \"" + command.entryName +
                     "\" is not one of: " + entryNames(*panel.list)};
  }
  return entry;
}

std::string strictOption(const InputSpec& input, const std::string& text, bool decimalComma) {
  std::optional<std::string> number = strictNumber(text, decimalComma);
  if (!number) {
    throw UsageError{
        (input.key == "value" ? std::string("the value") : "--" + std::string(input.key)) + " \"" +
        text + "\" is not a number" + (decimalComma ? " (with a decimal comma)" : "")};
  }
  return *number;
}

void printResults(const PanelDescriptor& panel, int entry, const std::vector<std::string>& shown) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < shown.size(); ++i)
    width = std::max(width, resultCaption(panel, entry, i).size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].empty()) continue;
    const std::string caption = resultCaption(panel, entry, i);
    // Pad by characters, not bytes: the degree sign takes two.
    std::size_t chars = 0;
    for (const char c : caption) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    std::string line = caption + std::string(width + 2 - chars, ' ') + shown[i];
    const std::string_view unit = printedUnit(panel, entry, i);
    if (!unit.empty()) (line += ' ') += unit;
    std::printf("%s\n", line.c_str());
  }
}

int runPanel(const PanelCommand& command, const Common& common) {
  const PanelDescriptor& panel = *command.panel;
  const int entry = entryOf(command);
  std::vector<std::optional<std::string>> given(panel.inputs.size());
  for (std::size_t i = 0; i < panel.inputs.size(); ++i) {
    if (!command.texts[i].empty())
      given[i] = strictOption(panel.inputs[i], command.texts[i], common.decimalComma);
  }

  if (!command.batch.csvPath.empty()) {
    PanelRows rows;
    rows.panel = &panel;
    rows.entry = entry;
    rows.constants = given;
    rows.path = command.batch.csvPath;
    rows.decimalComma = common.decimalComma;
    std::vector<std::string_view> keys;
    for (const InputSpec& in : panel.inputs) keys.push_back(in.key);
    rows.columnNames = columnMaps(command.batch.maps, keys, panel.id);
    const std::unique_ptr<RowComputer> computer = panelRowComputer(rows);
    return runBatchTo(batchOptions(command.batch, common), *computer, command.batch.outputPath);
  }

  std::vector<std::string> texts(panel.inputs.size());
  for (const int input : inputsRead(panel, entry)) {
    const auto i = static_cast<std::size_t>(input);
    if (!given[i]) {
      const InputSpec& spec = panel.inputs[i];
      throw UsageError{
          spec.key == "value"
              ? "no value given: pyrelon-cli " + std::string(panel.id) + " [options] VALUE"
              : "--" + std::string(spec.key) + " (" + std::string(spec.what) + ") is required"};
    }
    texts[i] = *given[i];
  }
  const Outcome out = pressPanel(panel, texts, entry, settingsFor(common.decimalComma));
  const std::vector<std::string> shown = shownResults(panel, entry, out);
  const std::string error = errorOf(out);
  if (common.json) {
    nlohmann::ordered_json doc;
    doc["panel"] = panel.id;
    if (panel.list)
      doc[std::string(panel.list->key)] = panel.list->entries[static_cast<std::size_t>(entry)].text;
    nlohmann::ordered_json inputs = nlohmann::ordered_json::object();
    for (const int input : inputsRead(panel, entry)) {
      inputs[std::string(panel.inputs[static_cast<std::size_t>(input)].key)] =
          command.texts[static_cast<std::size_t>(input)];
    }
    doc["inputs"] = inputs;
    nlohmann::ordered_json results = nlohmann::ordered_json::object();
    const auto specs = panel.resultsFor(entry);
    for (std::size_t r = 0; r < specs.size(); ++r) {
      results[std::string(specs[r].key)] =
          shown[r].empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(shown[r]);
    }
    doc["results"] = results;
    doc["error"] = error.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(error);
    std::printf("%s\n",
                doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace).c_str());
  } else {
    printResults(panel, entry, shown);
    if (!error.empty()) std::fprintf(stderr, "pyrelon-cli: %s\n", error.c_str());
  }
  return error.empty() ? 0 : 1;
}

struct CheckCommand {
  CLI::App* app = nullptr;
  std::string probe, mv, temp, carbon;
};

int runCheck(const CheckCommand& command, const Common& common) {
  const PanelDescriptor& panel = carbonPanel();
  ProbeCheck check;
  check.probe = command.probe.empty() ? 0 : findEntry(*panel.list, command.probe);
  if (check.probe < 0)
    throw UsageError{"--probe \"" + command.probe + "\" is not one of: " + entryNames(*panel.list)};
  check.mv = strictOption(panel.inputs[kCarbonMv], command.mv, common.decimalComma);
  check.temp = strictOption(panel.inputs[kCarbonTemperature], command.temp, common.decimalComma);
  const std::optional<ReadResult> carbon = strictReading(command.carbon, common.decimalComma);
  if (!carbon) {
    throw UsageError{"--carbon \"" + command.carbon + "\" is not a number" +
                     (common.decimalComma ? " (with a decimal comma)" : "")};
  }
  if (!carbon->ok()) {
    // As the panels say of a reading beyond the double range.
    const std::string message = "The measured carbon potential is too large a number.";
    if (common.json) {
      nlohmann::ordered_json doc;
      doc["probe"] = panel.list->entries[static_cast<std::size_t>(check.probe)].text;
      doc["carbon"] = nullptr;
      doc["co"] = nullptr;
      doc["error"] = message;
      std::printf("%s\n", doc.dump(2).c_str());
    } else {
      std::fprintf(stderr, "pyrelon-cli: %s\n", message.c_str());
    }
    return 1;
  }
  check.carbon = carbon->value;
  check.settings = settingsFor(common.decimalComma);
  const ProbeCheckAnswer answer = checkProbe(check);
  if (common.json) {
    nlohmann::ordered_json doc;
    doc["probe"] = panel.list->entries[static_cast<std::size_t>(check.probe)].text;
    doc["carbon"] = answer.targetShown;
    doc["co"] = answer.found ? nlohmann::ordered_json(answer.co) : nlohmann::ordered_json(nullptr);
    doc["error"] =
        answer.found ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(answer.message);
    std::printf("%s\n",
                doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace).c_str());
  } else if (answer.found) {
    std::printf("%% CO      %s\n%% Carbon  %s\n", answer.co.c_str(), answer.carbonShown.c_str());
  } else {
    std::fprintf(stderr, "pyrelon-cli: %s\n", answer.message.c_str());
  }
  return answer.found ? 0 : 1;
}

// The bash completion: subcommands, their options, and the list entries
// and aliases as the values of the list options.
std::string bashCompletion() {
  std::string subcommands = ToolCommands::completionNames() + "carbon-check";
  std::string cases = ToolCommands::completionCases();
  for (const PanelDescriptor* panel : panels()) {
    subcommands += " " + std::string(panel->id);
    std::string options =
        "--json --csv --output --map --decimal-comma --threads --progress --no-progress --help";
    std::string values;
    if (panel->list) {
      options += " --" + std::string(panel->list->key);
      for (const ListEntry& e : panel->list->entries) {
        values += " " + normalizedName(e.text);
        if (!e.alias.empty()) values += " " + std::string(e.alias);
      }
      cases += "    " + std::string(panel->id) + ":--" + std::string(panel->list->key) +
               ") COMPREPLY=($(compgen -W \"" + values.substr(1) + "\" -- \"$cur\")); return;;\n";
    }
    for (const InputSpec& in : panel->inputs)
      if (in.key != "value") options += " --" + std::string(in.key);
    cases += "    " + std::string(panel->id) + ":*) opts=\"" + options + "\";;\n";
  }
  const ListSpec& probes = *carbonPanel().list;
  std::string probeValues;
  for (const ListEntry& e : probes.entries) probeValues += " " + normalizedName(e.text);
  cases += "    carbon-check:--probe) COMPREPLY=($(compgen -W \"" + probeValues.substr(1) +
           "\" -- \"$cur\")); return;;\n";
  cases +=
      "    carbon-check:*) opts=\"--probe --mv --temp --carbon --json --decimal-comma --help\";;\n";
  return "# bash completion for pyrelon-cli, made from the panels' descriptions\n"
         "_pyrelon_cli() {\n"
         "  local cur prev sub opts\n"
         "  cur=\"${COMP_WORDS[COMP_CWORD]}\"\n"
         "  prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
         "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
         "    COMPREPLY=($(compgen -W \"" +
         subcommands +
         " --help --version\" -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  sub=\"${COMP_WORDS[1]}\"\n"
         "  case \"$prev\" in\n"
         "    --csv|-o|--output) COMPREPLY=($(compgen -f -- \"$cur\")); return;;\n"
         "  esac\n"
         "  case \"$sub:$prev\" in\n" +
         cases +
         "  esac\n"
         "  case \"$sub:$prev\" in\n"
         "    *:--*) case \"$prev\" in --json|--decimal-comma|--progress|--no-progress|--help) ;; "
         "*) return;; "
         "esac;;\n"
         "  esac\n"
         "  COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
         "}\n"
         "complete -F _pyrelon_cli pyrelon-cli\n";
}

int runCommand(int argc, char** argv) {
  CLI::App app{
      "Pyrelon's calculators from the command line and over logged readings.\n"
      "Results are shown as the desktop window shows them.",
      "pyrelon-cli"};
  app.set_version_flag("--version", "pyrelon-cli " PYRELON_VERSION);
  app.require_subcommand(1);
  Common common;
  std::vector<std::unique_ptr<PanelCommand>> commands;
  for (const PanelDescriptor* panel : panels()) {
    auto command = std::make_unique<PanelCommand>();
    command->panel = panel;
    command->texts.resize(panel->inputs.size());
    CLI::App* sub = app.add_subcommand(std::string(panel->id), std::string(panel->summary));
    command->app = sub;
    if (panel->list) {
      sub->add_option("--" + std::string(panel->list->key), command->entryName,
                      std::string(panel->list->what) + ": " + entryNames(*panel->list) +
                          " (default " + std::string(panel->list->entries.front().text) + ")")
          ->type_name("NAME");
    }
    for (std::size_t i = 0; i < panel->inputs.size(); ++i) {
      const InputSpec& in = panel->inputs[i];
      if (in.key == "value") {
        sub->add_option(std::string(in.key), command->texts[i], inputHelp(in, false))
            ->type_name("NUMBER");
      } else {
        sub->add_option("--" + std::string(in.key), command->texts[i], inputHelp(in, false))
            ->type_name("NUMBER");
      }
    }
    addBatchOptions(*sub, command->batch, common);
    commands.push_back(std::move(command));
  }

  CheckCommand check;
  check.app = app.add_subcommand(
      "carbon-check",
      "The CO content at which a carbon-probe calibration reads the carbon potential found by a "
      "shim-stock or analyser test.");
  check.app->add_option("--probe", check.probe, "calibration: " + entryNames(*carbonPanel().list));
  check.app->add_option("--mv", check.mv, "probe voltage, mV")->required();
  check.app->add_option("--temp", check.temp, "probe temperature, \u00b0C")->required();
  check.app->add_option("--carbon", check.carbon, "measured carbon potential, % C")->required();
  check.app->add_flag("--json", common.json, "JSON instead of text");
  check.app->add_flag("--decimal-comma", common.decimalComma, "numbers with a decimal comma");

  const ToolCommands toolCommands(app);

  CLI::App* completion = app.add_subcommand("completion", "print the bash completion script");
  completion->group("");  // not listed in the help

  // A word where the subcommand goes that names none: say so, rather than
  // that a subcommand is missing.
  if (argc > 1 && argv[1][0] != '-') {
    bool known = false;
    for (const CLI::App* sub : app.get_subcommands({})) known = known || sub->get_name() == argv[1];
    if (!known) {
      std::string names;
      for (const PanelDescriptor* panel : panels()) names += std::string(panel->id) + ", ";
      for (const ToolDescriptor* tool : tools()) names += std::string(tool->id) + ", ";
      std::fprintf(stderr, "pyrelon-cli: no subcommand \"%s\"; one of: %scarbon-check\n", argv[1],
                   names.c_str());
      return kUsageError;
    }
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "pyrelon-cli: %s\n", e.what());
    std::fprintf(stderr, "Run 'pyrelon-cli --help' for the subcommands and their options.\n");
    return kUsageError;
  }

  try {
    if (completion->parsed()) {
      std::fputs(bashCompletion().c_str(), stdout);
      return 0;
    }
    if (check.app->parsed()) return runCheck(check, common);
    if (const std::optional<int> status = toolCommands.run()) return *status;
    for (const auto& command : commands)
      if (command->app->parsed()) return runPanel(*command, common);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "pyrelon-cli: %s\n", e.message.c_str());
    return kUsageError;
  }
  return kUsageError;
}

// Whether everything written to standard output reached it; says why not.
bool outputWritten() {
  const int earlier = errno;
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno != 0 ? errno : earlier;
  if (flushed && !std::ferror(stdout) && std::cout.good()) return true;
  std::fprintf(stderr, "pyrelon-cli: cannot write the output: %s\n",
               std::strerror(error != 0 ? error : EIO));
  return false;
}

}  // namespace

int runCli(int argc, char** argv) {
  // Everything a one-shot command writes is held until the end and written
  // at once, so that a failed write is seen, with its reason, in one place.
  static char buffer[std::size_t{1} << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  const int status = runCommand(argc, argv);
  return outputWritten() ? status : kUsageError;
}

}  // namespace pyrelon::cli
