// The tools every face offers, in the order the Tools menu lists them.
//
// A tool registers itself in its own calculator file, at namespace scope
// (core/registry.h):
//
//   const Registration<ToolDescriptor> kRegistered(kTool);
//
// and every face (the Tools menu, the command line's subcommands, the
// page's views, the help page) then lists it. A test build registers a
// tool of its own the same way (tests/scratch/scratch_tool.cpp).
#pragma once

#include <span>
#include <string_view>

#include "core/tool.h"

namespace pyrelon {

// Every registered tool, by title (the menu's order), read once after
// start-up. A tool with no calculator or no id, or whose id an earlier
// title already took, is left out; tests/tool_form_test.cpp checks that
// none is.
std::span<const ToolDescriptor* const> tools();

// The tool with this id ("atmosphere"), or nullptr.
const ToolDescriptor* toolById(std::string_view id);

}  // namespace pyrelon
