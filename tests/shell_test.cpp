#include "shell/shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "shell/controls.h"
#include "shell/panels.h"
#include "tests/fake_window.h"

namespace pyrelon {
namespace {

// The seven panels' handlers, as the window's design names them.
TEST(Wiring, EveryButtonTheLogoAndTheUnitListsHaveHandlers) {
  std::set<std::string> wired;
  for (const ControlSpec& c : controlTable()) {
    if (hasClickHandler(c.name)) wired.insert(std::string(c.name) + " click");
    if (hasSelectionHandler(c.name)) wired.insert(std::string(c.name) + " select");
    if (hasKeyHandler(c.name)) wired.insert(std::string(c.name) + " key");
  }
  const std::set<std::string> expected{
      "TempBtn click", "PresBtn click", "CarbonBtn click", "OxygenBtn click", "NkBtn click",
      "OxiBtn click",  "FlowBtn click", "Image1 click",    "GradiCmb select", "PresCmb select",
      "HTxt key",      "NTxt key",      "DataText key",    "PresText key"};
  EXPECT_EQ(wired, expected);
  EXPECT_TRUE(hasClickHandler("ExitMenu"));
  EXPECT_FALSE(hasClickHandler("Label8"));
  EXPECT_FALSE(hasSelectionHandler("FuelCmb"));  // a list without presets solves nothing
  EXPECT_FALSE(hasKeyHandler("MvZccTxt"));
}

// Each named handler presses its own control: a button solves its panel, a
// unit list writes its preset into the panel's first box and solves.
TEST(Wiring, TheNamedHandlersPressTheirOwnControl) {
  // clang-format off
  const struct { void (*handler)(Window&); std::string_view control; } rows[] = {
    {TempBtn_Click, "TempBtn"}, {PresBtn_Click, "PresBtn"}, {NkBtn_Click, "NkBtn"},
    {CarbonBtn_Click, "CarbonBtn"}, {OxiBtn_Click, "OxiBtn"}, {OxygenBtn_Click, "OxygenBtn"},
    {FlowBtn_Click, "FlowBtn"}, {GradiCmb_Click, "GradiCmb"}, {PresCmb_Click, "PresCmb"},
  };
  // clang-format on
  for (const auto& row : rows) {
    const auto of = [&](const PanelDescriptor* p) {
      return p->solveButton == row.control || (p->list && p->list->name == row.control);
    };
    const auto panel = std::ranges::find_if(panels(), of);
    ASSERT_NE(panel, panels().end()) << row.control;
    testing::FakeWindow w = testing::startedWindow();
    const bool list = (*panel)->solveButton != row.control;
    const std::span<const ResultSpec> results = (*panel)->resultsFor(list ? 0 : -1);
    for (const ResultSpec& r : results) w.setCaption(r.label, "stale");
    if (list) w.setText((*panel)->inputs[0].box, "stale");
    row.handler(w);
    for (const ResultSpec& r : results) EXPECT_NE(w.caption(r.label), "stale") << row.control;
    EXPECT_TRUE(!list || w.text((*panel)->inputs[0].box) != "stale") << row.control;
  }
}

}  // namespace
}  // namespace pyrelon
