#include "core/panel.h"

namespace pyrelon {

const ReadPlan* PanelDescriptor::planFor(int entry) const {
  const bool listed = list && entry >= 0 && entry < static_cast<int>(list->entries.size());
  if (needsEntry && !listed) return nullptr;
  if (plans.size() == 1) return &plans[0];
  if (!listed || static_cast<std::size_t>(entry) >= plans.size()) return nullptr;
  return &plans[static_cast<std::size_t>(entry)];
}

std::span<const ResultSpec> PanelDescriptor::resultsFor(int entry) const {
  if (results.size() == 1) return results[0];
  if (entry < 0 || static_cast<std::size_t>(entry) >= results.size()) return {};
  return results[static_cast<std::size_t>(entry)];
}

int PanelDescriptor::inputIndex(std::string_view box) const {
  for (std::size_t i = 0; i < inputs.size(); ++i)
    if (inputs[i].box == box) return static_cast<int>(i);
  return -1;
}

}  // namespace pyrelon
