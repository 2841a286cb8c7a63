#include "shell/shell.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/controls.h"
#include "fake_window.h"

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
      {"HTxt", "10", '5', "10", 0},       {"HTxt", "10", '.', "", 1},
      {"HTxt", "31.61", 'x', "31.61", 0}, {"HTxt", "10", 8, "", 1},
      {"NTxt", "31", 'a', "", 1},         {"NTxt", "3.1", '-', "3.1", 0},
      {"DataText", "10", 'a', "10", 0},   {"PresText", "1", ',', "1", 0},
  };
  for (const Case& c : cases) {
    FakeWindow w;
    w.setText(c.box, c.before);
    KeyHandler handler = findKeyHandler(c.box);
    ASSERT_NE(handler, nullptr) << c.box;
    handler(w, c.code);
    EXPECT_EQ(w.text(c.box), c.after) << c.box << " " << c.before << " + " << c.code;
    EXPECT_EQ(w.beeps, c.beeps) << c.box << " " << c.before << " + " << c.code;
  }
}

TEST(Wiring, EveryHandlerNamesAControlOfTheWindow) {
  std::set<std::string_view> wired;
  for (const auto& e : clickHandlers()) wired.insert(e.control);
  for (const auto& e : selectionHandlers()) wired.insert(e.control);
  for (const auto& e : keyHandlers()) wired.insert(e.control);
  for (std::string_view name : wired) {
    if (name == "ExitMenu") continue;  // a menu entry, not a control of the table
    EXPECT_NE(findControl(name), nullptr) << name;
  }
  for (const ControlSpec& c : controlTable()) {
    if (c.kind == ControlKind::Button) {
      EXPECT_TRUE(wired.contains(c.name)) << c.name;
    }
  }
}

}  // namespace
}  // namespace pyrelon
