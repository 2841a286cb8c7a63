#include "shell/tools.h"

#include <vector>

namespace pyrelon {
namespace {

// The product's tools, in menu order. A new tool is one line here.
std::vector<const ToolDescriptor*> productTools() { return {}; }

std::vector<const ToolDescriptor*>& registry() {
  static std::vector<const ToolDescriptor*> all = productTools();
  return all;
}

}  // namespace

std::span<const ToolDescriptor* const> tools() { return registry(); }

const ToolDescriptor* toolById(std::string_view id) {
  for (const ToolDescriptor* tool : registry())
    if (tool->id == id) return tool;
  return nullptr;
}

ToolRegistration::ToolRegistration(const ToolDescriptor& tool) {
  if (tool.id.empty() || tool.calculate == nullptr || toolById(tool.id) != nullptr) return;
  registry().push_back(&tool);
  added_ = true;
}

}  // namespace pyrelon
