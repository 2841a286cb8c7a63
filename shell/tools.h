// The tools every face offers, in the order the Tools menu lists them.
//
// The product's tools are listed in tools.cpp, one line each. A test build
// adds a tool of its own, without touching any other file, by defining in
// that tool's source file, at namespace scope,
//
//   const pyrelon::ToolRegistration kRegistered(scratchTool());
//
// which appends it after the product's tools before main() runs; every
// face (the Tools menu, the CLI's subcommands, the page's views, the help
// page) then lists it.
#pragma once

#include <span>
#include <string_view>

#include "core/tool.h"

namespace pyrelon {

// Every tool, the product's first, then those registered, in the order
// they were registered.
std::span<const ToolDescriptor* const> tools();

// The tool with this id ("atmosphere"), or nullptr.
const ToolDescriptor* toolById(std::string_view id);

// Registers a tool (see above). The descriptor must outlive the program (a
// function-local static). A tool whose id is already taken, or with no
// calculator, is not added: `added()` says so.
class ToolRegistration {
 public:
  explicit ToolRegistration(const ToolDescriptor& tool);
  bool added() const { return added_; }

 private:
  bool added_ = false;
};

}  // namespace pyrelon
