// What the window does with results beyond showing them: copying a whole
// panel's results as a table, and telling which results no longer match
// the inputs they were computed from. Toolkit-free.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel.h"
#include "core/window.h"

namespace pyrelon {

// The caption label standing above a result label (or an input box or a
// list), the one that names it for a screen reader (namingLabelsOf);
// empty where there is none.
std::string_view captionLabelOf(std::string_view resultLabel);

// A caption names a unit when it holds the unit's first word: "% Carbon"
// names "% C", "Wet % O2" names "%", "\u00b0Fahrenheit" names itself.
bool namesUnit(std::string_view caption, std::string_view unit);

// Every result of the panel, left to right and top to bottom as shown, as
// lines of caption, shown text and unit separated by tabs, each ending with
// a line feed. The unit is left out where the caption already names it
// ("% Carbon" for "% C", "mbar" for "mbar") or the result has none.
//   "NK Factor\t3.16\n"   "Net Eff.\t83.5\t%\n"
std::string panelResultsText(const Window& window, const PanelDescriptor& panel);

// The input texts and the list entry a panel reads.
struct PanelInputs {
  std::vector<std::string> texts;
  int entry = -1;
  bool operator==(const PanelInputs&) const = default;
};
PanelInputs panelInputs(const Window& window, const PanelDescriptor& panel);

// Remembers, for each result label, the panel's inputs when a press last
// wrote it. A label is stale while its panel's inputs differ from those;
// a label cleared or never written is never stale.
class Freshness {
 public:
  // `label` has just been given `caption`; labels that are no results are
  // ignored.
  void written(const Window& window, std::string_view label, std::string_view caption);
  bool stale(const Window& window, std::string_view label) const;
  // The result labels of `panel` that are stale.
  std::vector<std::string_view> staleLabels(const Window& window,
                                            const PanelDescriptor& panel) const;

 private:
  std::map<std::string, PanelInputs, std::less<>> writtenWith_;
};

}  // namespace pyrelon
