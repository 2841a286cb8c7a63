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
    const char* box;
    const char* before;
    int code;
    const char* after;
    int beeps;
  } cases[] = {
      {"HTxt", "10", '5', "10", 0},
      {"HTxt", "10", '.', "", 1},
      {"HTxt", "31.61", 'x', "31.61", 0},
      {"HTxt", "10", 8, "", 1},
      {"NTxt", "31", 'a', "", 1},
      {"NTxt", "3.1", '-', "3.1", 0},
      {"DataText", "10", 'a', "10", 0},
      {"PresText", "1", ',', "1", 0},
      // The ends of the digits and their neighbours.
      {"HTxt", "1", '0', "1", 0},
      {"HTxt", "1", '9', "1", 0},
      {"NTxt", "1", '/', "", 1},
      {"NTxt", "1", ':', "", 1},
  };
  for (const Case& c : cases) {
    FakeWindow w;
    w.setText(c.box, c.before);
    ASSERT_TRUE(keyPress(w, c.box, c.code)) << c.box;
    EXPECT_EQ(w.text(c.box), c.after) << c.box << " " << c.before << " + " << c.code;
    EXPECT_EQ(w.beeps, c.beeps) << c.box << " " << c.before << " + " << c.code;
  }
}

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
}

}  // namespace
}  // namespace pyrelon
