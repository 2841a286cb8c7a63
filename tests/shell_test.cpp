#include "shell/shell.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fake_window.h"
#include "shell/controls.h"
#include "shell/panels.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

TEST(KeyFilter, BeepsAndEmptiesTheBoxOnARejectedKey) {
  struct Case {
    const char* name;
    const char* box;
    const char* before;
    int code;
    const char* after;
    int beeps;
  } cases[] = {
      {"a digit passes", "HTxt", "10", '5', "10", 0},
      {"a first point is no digit", "HTxt", "10", '.', "", 1},
      {"anything passes once a point stands", "HTxt", "31.61", 'x', "31.61", 0},
      {"Backspace is no digit", "HTxt", "10", 8, "", 1},
      {"a letter in the ammonia box", "NTxt", "31", 'a', "", 1},
      {"a minus after a point", "NTxt", "3.1", '-', "3.1", 0},
      {"the temperature box filters nothing", "DataText", "10", 'a', "10", 0},
      {"the pressure box filters nothing", "PresText", "1", ',', "1", 0},
      // The ends of the digits and their neighbours.
      {"0 is a digit", "HTxt", "1", '0', "1", 0},
      {"9 is a digit", "HTxt", "1", '9', "1", 0},
      {"'/' stands just below 0", "NTxt", "1", '/', "", 1},
      {"':' stands just above 9", "NTxt", "1", ':', "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    w.setText(c.box, c.before);
    ASSERT_TRUE(keyPress(w, c.box, c.code));
    EXPECT_EQ(w.text(c.box), c.after);
    EXPECT_EQ(w.beeps, c.beeps);
  }
}

// The key handlers the window's design names filter their own box only.
TEST(KeyFilter, TheNamedHandlersFilterTheirOwnBox) {
  const struct {
    const char* name;
    void (*handler)(Window&, int);
    const char* box;
    const char* other;
  } rows[] = {
      {"HTxt_KeyPress", HTxt_KeyPress, "HTxt", "NTxt"},
      {"NTxt_KeyPress", NTxt_KeyPress, "NTxt", "HTxt"},
  };
  for (const auto& r : rows) {
    FakeWindow w;
    w.setText(r.box, "10");
    w.setText(r.other, "20");
    r.handler(w, 'a');
    EXPECT_EQ(w.text(r.box), "") << r.name;
    EXPECT_EQ(w.text(r.other), "20") << r.name;
    EXPECT_EQ(w.beeps, 1) << r.name;
  }
}

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

// Every panel, whatever it is: its Solve button presses it and only it,
// Enter in any of its boxes does the same, and start-up has solved it.
TEST(Wiring, EveryPanelsButtonAndBoxesPressThatPanel) {
  const FakeWindow started = testing::startedWindow();
  for (const PanelDescriptor* panel : panels()) {
    SCOPED_TRACE(std::string(panel->id));
    for (const ResultSpec& result : panel->resultsFor(panel->list ? 0 : -1))
      EXPECT_NE(started.caption(result.label), "") << result.label;
    // A reading past a bound, where the panel has one, shows its limits box.
    FakeWindow pressed = started;
    const InputSpec* bounded = nullptr;
    for (const InputSpec& input : panel->inputs)
      if (input.limits && !bounded) bounded = &input;
    if (bounded) pressed.setText(bounded->box, "1E300");
    ASSERT_TRUE(click(pressed, panel->solveButton));
    if (bounded) {
      ASSERT_EQ(pressed.infoBoxes.size(), 1u);
      EXPECT_EQ(pressed.text(bounded->box), bounded->startText);
    }
    for (const InputSpec& input : panel->inputs) {
      FakeWindow entered = started;
      if (bounded) entered.setText(bounded->box, "1E300");
      ASSERT_TRUE(submit(entered, input.box)) << input.box;
      EXPECT_EQ(entered.infoBoxes.size(), pressed.infoBoxes.size()) << input.box;
    }
  }
}

}  // namespace
}  // namespace pyrelon
