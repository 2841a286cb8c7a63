// The command line's tool subcommands: `pyrelon-cli TOOL-ID` with one
// option per input (--dew-point), text or --json output, made from the
// registered tools' descriptions.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/tool.h"

namespace pyrelon::cli {

class ToolCommands {
 public:
  // Adds one subcommand per registered tool to `app`.
  explicit ToolCommands(CLI::App& app);
  ~ToolCommands();

  // Runs the tool whose subcommand was parsed and gives its exit status: 0
  // when it computed, 1 when a reading was out of range or the tool
  // refused the readings, 2 on a malformed option. Nothing when no tool's
  // subcommand was parsed.
  std::optional<int> run() const;

  // The tool ids, each followed by a blank, for the completion's
  // subcommand list, and the completion's case lines of each tool.
  static std::string completionNames();
  static std::string completionCases();

 public:
  struct Command;

 private:
  std::vector<std::unique_ptr<Command>> commands_;
};

// The text output of a tool: a line per result, "label  value unit", the
// labels padded to one width (members of a group indented under its
// heading), a note after the value in parentheses. Numbers use
// `decimalSeparator`.
std::string toolText(const ToolDescriptor& tool, const ToolOutcome& outcome,
                     std::string_view decimalSeparator);

}  // namespace pyrelon::cli
