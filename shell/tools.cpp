#include "shell/tools.h"

#include <algorithm>
#include <vector>

#include "core/registry.h"

namespace pyrelon {
namespace {

std::vector<const ToolDescriptor*> byTitle() {
  std::vector<const ToolDescriptor*> all(Registry<ToolDescriptor>::all().begin(),
                                         Registry<ToolDescriptor>::all().end());
  std::stable_sort(all.begin(), all.end(), [](const ToolDescriptor* a, const ToolDescriptor* b) {
    return a->title < b->title;
  });
  std::vector<const ToolDescriptor*> usable;
  for (const ToolDescriptor* tool : all) {
    const bool taken = std::any_of(usable.begin(), usable.end(),
                                   [tool](const ToolDescriptor* t) { return t->id == tool->id; });
    if (!tool->id.empty() && tool->calculate != nullptr && !taken) usable.push_back(tool);
  }
  return usable;
}

}  // namespace

std::span<const ToolDescriptor* const> tools() {
  static const std::vector<const ToolDescriptor*> kTools = byTitle();
  return kTools;
}

const ToolDescriptor* toolById(std::string_view id) {
  for (const ToolDescriptor* tool : tools())
    if (tool->id == id) return tool;
  return nullptr;
}

}  // namespace pyrelon
