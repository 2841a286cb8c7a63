// A throwaway tool that only test builds register, to show that a tool
// reaches every face (registry, CLI, help page, window, page) from its
// description and calculator alone. Its values are easy to work by hand:
// volume = flow × hours, and so on (see scratch_tool.cpp).
#pragma once

#include "core/tool.h"

namespace pyrelon::testing {

const ToolDescriptor& scratchTool();

}  // namespace pyrelon::testing
