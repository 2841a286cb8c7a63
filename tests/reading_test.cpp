// What the window says about a box's text, and the keys and pastes that
// reach a box: the part-read warning, the paste filter of the hydrogen and
// ammonia boxes, and Enter solving a panel.
#include "shell/reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_window.h"
#include "shell/panels.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

constexpr const char* kComma = " Type a point as the decimal separator.";

TEST(PartRead, QuotesWhatWasReadAndWhereItStopped) {
  // clang-format off
  const struct { const char* text; std::string warning; } cases[] = {
    {"1,5", std::string("Read as \"1\": the number ends before \",5\".") + kComma},
    {"1123,2", std::string("Read as \"1123\": the number ends before \",2\".") + kComma},
    {" 36 ,5 ", std::string("Read as \"36\": the number ends before \",5\".") + kComma},
    {"12abc", "Read as \"12\": the number ends before \"abc\"."},
    {"7.5.1", "Read as \"7.5\": the number ends before \".1\"."},
    {"1 2x", "Read as \"1 2\": the number ends before \"x\"."},
    {"abc", "No number is read from \"abc\"; it counts as 0."},
    {" - ", "No number is read from \"-\"; it counts as 0."},
    {",5", "No number is read from \",5\"; it counts as 0."},
    // Read whole, or nothing to read: no warning.
    {"", ""}, {"  ", ""}, {"273.15 ", ""}, {"1 2", ""}, {"-3.0", ""}, {"&H1F", ""}, {"1.5E3", ""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(partReadWarning(c.text), c.warning) << c.text;
}

TEST(PartRead, WarningStandsAboveTheRange) {
  EXPECT_EQ(inputToolTip(*inputSpecOf("HTxt"), "1,5"),
            std::string("Read as \"1\": the number ends before \",5\".") + kComma + "\n1 to 100 %");
  EXPECT_EQ(inputToolTip(*inputSpecOf("HTxt"), "10"), "1 to 100 %");
  EXPECT_EQ(inputToolTip(*inputSpecOf("DataText"), "x"),
            "No number is read from \"x\"; it counts as 0.");
  EXPECT_EQ(inputToolTip(*inputSpecOf("DataText"), "21.5"), "");
}

enum Via { kKey, kPaste, kHTxtKeyPress, kNTxtKeyPress };

// A rejected key, or a rejected paste, beeps and empties its box; a paste
// meets the filter once, as one keystroke, and the face then inserts it.
TEST(KeyFilter, BeepsAndEmptiesOnlyItsBoxOnARejectedKeyOrPaste) {
  // clang-format off
  const struct { const char* name; Via via; const char *box, *before, *typed, *after; int beeps; }
  rows[] = {
    {"a digit passes", kKey, "HTxt", "10", "5", "10", 0},
    {"a first point is no digit", kKey, "HTxt", "10", ".", "", 1},
    {"anything passes once a point stands", kKey, "HTxt", "31.61", "x", "31.61", 0},
    {"Backspace is no digit", kKey, "HTxt", "10", "\b", "", 1},
    {"a letter in the ammonia box", kKey, "NTxt", "31", "a", "", 1},
    {"a minus after a point", kKey, "NTxt", "3.1", "-", "3.1", 0},
    {"the temperature box filters no key", kKey, "DataText", "10", "a", "10", 0},
    {"the pressure box filters no key", kKey, "PresText", "1", ",", "1", 0},
    // The ends of the digits and their neighbours.
    {"0 is a digit", kKey, "HTxt", "1", "0", "1", 0},
    {"9 is a digit", kKey, "HTxt", "1", "9", "1", 0},
    {"'/' stands just below 0", kKey, "NTxt", "1", "/", "", 1},
    {"':' stands just above 9", kKey, "NTxt", "1", ":", "", 1},
    // The key handlers the window's design names.
    {"HTxt_KeyPress", kHTxtKeyPress, "HTxt", "10", "a", "", 1},
    {"NTxt_KeyPress", kNTxtKeyPress, "NTxt", "10", "a", "", 1},
    // "after" is the box before the face inserts the pasted text.
    {"paste: digits with one point", kPaste, "HTxt", "", "31.61", "", 0},
    {"paste: one digit", kPaste, "HTxt", "10", "5", "10", 0},
    {"paste: a point and digits", kPaste, "NTxt", "10", ".5", "10", 0},
    {"paste: two points", kPaste, "HTxt", "10", "1.2.3", "", 1},
    {"paste: a comma", kPaste, "HTxt", "10", "1,5", "", 1},
    {"paste: a minus", kPaste, "NTxt", "", "-5", "", 1},
    {"paste: a blank", kPaste, "NTxt", "", " 5", "", 1},
    {"paste: anything once the box holds a point", kPaste, "NTxt", "3.1", "abc", "3.1", 0},
    {"paste: nothing", kPaste, "NTxt", "7", "", "7", 0},
    {"paste: the temperature box filters nothing", kPaste, "DataText", "10", "abc", "10", 0},
    {"paste: the pressure box filters nothing", kPaste, "PresText", "1", "x,y", "1", 0},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FakeWindow w;
    for (const char* box : {"HTxt", "NTxt"}) w.setText(box, "20");
    w.setText(r.box, r.before);
    if (r.via == kHTxtKeyPress) HTxt_KeyPress(w, r.typed[0]);
    if (r.via == kNTxtKeyPress) NTxt_KeyPress(w, r.typed[0]);
    if (r.via == kKey || r.via == kPaste) {
      ASSERT_TRUE(r.via == kKey ? keyPress(w, r.box, r.typed[0]) : paste(w, r.box, r.typed));
    }
    EXPECT_EQ(w.text(r.box), r.after);
    EXPECT_EQ(w.beeps, r.beeps);
    for (const std::string box : {"HTxt", "NTxt"})  // the other filtered box is left alone
      EXPECT_EQ(w.text(box), box == r.box ? r.after : "20") << box;
  }
  FakeWindow w;
  EXPECT_FALSE(paste(w, "MvZccTxt", "x"));  // no key handler: the box takes it as it is
}

// Enter in any box of a panel, and its Solve button, whatever the panel,
// press it.
TEST(Enter, SolvesTheBoxsPanelAndNeverReachesTheFilter) {
  for (const PanelDescriptor* panel : panels()) {
    std::vector<std::string_view> controls{panel->solveButton};
    for (const InputSpec& input : panel->inputs) controls.push_back(input.box);
    for (const std::string_view control : controls) {
      FakeWindow w = testing::startedWindow();
      for (const ResultSpec& r : panel->resultsFor(panel->list ? 0 : -1))
        w.setCaption(r.label, "stale");
      ASSERT_TRUE(control == panel->solveButton ? click(w, control) : submit(w, control))
          << control;
      for (const ResultSpec& r : panel->resultsFor(panel->list ? 0 : -1))
        EXPECT_NE(w.caption(r.label), "stale") << control << " " << r.label;
    }
  }
  FakeWindow w = testing::startedWindow();
  w.setText("HTxt", "50");
  ASSERT_TRUE(submit(w, "HTxt"));
  // 0.3161 / 0.5^1.5 = 0.894...
  EXPECT_EQ(w.caption("NkLbl"), "0.89");
  EXPECT_EQ(w.text("HTxt"), "50");
  EXPECT_EQ(w.beeps, 0);
  for (const char* notInput : {"NkBtn", "NkLbl", "FuelCmb", "Image1", ""})
    EXPECT_FALSE(submit(w, notInput)) << notInput;
  for (const char* noButton : {"NkLbl", "HTxt", "FuelCmb", ""}) EXPECT_FALSE(click(w, noButton));
}

}  // namespace
}  // namespace pyrelon
