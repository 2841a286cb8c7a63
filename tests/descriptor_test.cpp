// A panel's plan and results for an entry: one for every entry, or one per
// entry; an entry outside the list has none.
#include <gtest/gtest.h>

#include <string>

#include "shell/panels.h"

namespace pyrelon {
namespace {

TEST(Descriptor, AnEntryOutsideTheListHasNoPlanAndNoResults) {
  for (const PanelDescriptor* panel : panels()) {
    const std::string id(panel->id);
    const int entries = panel->list ? static_cast<int>(panel->list->entries.size()) : 0;
    // clang-format off
    const struct { const char* name; int entry; bool inList; } rows[] = {
      {"before the first", -1, false}, {"the first", 0, entries > 0},
      {"the last", entries - 1, entries > 0}, {"one past the last", entries, false},
    };
    // clang-format on
    for (const auto& r : rows) {
      const std::string where = id + ", " + r.name;
      const bool onePlan = panel->plans.size() == 1 && !panel->needsEntry;
      EXPECT_EQ(panel->planFor(r.entry) != nullptr, r.inList || onePlan) << where;
      // One list of results serves every entry, in the list or not.
      EXPECT_EQ(panel->resultsFor(r.entry).empty(), panel->results.size() > 1 && !r.inList)
          << where;
    }
    EXPECT_EQ(panel->inputIndex("no such box"), -1) << id;
  }
  // A panel's inputs may be the head of a longer table: the box just past
  // them is not one of its inputs.
  InputSpec table[3];
  table[0].box = "ABox", table[1].box = "BBox", table[2].box = "CBox";
  PanelDescriptor two;
  two.inputs = std::span(table, 2);
  EXPECT_EQ(two.inputIndex("BBox"), 1);
  EXPECT_EQ(two.inputIndex("CBox"), -1);
}

}  // namespace
}  // namespace pyrelon
