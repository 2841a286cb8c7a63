// What the window says about a box's text, and the keys and pastes that
// reach a box: the part-read warning, the paste filter of the hydrogen and
// ammonia boxes, and Enter solving a panel.
#include "shell/reading.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_window.h"
#include "shell/panels.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

constexpr const char* kComma = " Type a point as the decimal separator.";

TEST(PartRead, QuotesWhatWasReadAndWhereItStopped) {
  struct Case {
    const char* text;
    std::string warning;
  } cases[] = {
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
      {"", ""},
      {"  ", ""},
      {"273.15 ", ""},
      {"1 2", ""},
      {"-3.0", ""},
      {"&H1F", ""},
      {"1.5E3", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(partReadWarning(c.text), c.warning) << c.text;
}

TEST(PartRead, WarningStandsAboveTheRange) {
  EXPECT_EQ(inputToolTip(*inputSpecOf("HTxt"), "1,5"),
            std::string("Read as \"1\": the number ends before \",5\".") + kComma + "\n1 to 100 %");
  EXPECT_EQ(inputToolTip(*inputSpecOf("HTxt"), "10"), "1 to 100 %");
  EXPECT_EQ(inputToolTip(*inputSpecOf("DataText"), "x"),
            "No number is read from \"x\"; it counts as 0.");
  EXPECT_EQ(inputToolTip(*inputSpecOf("DataText"), "21.5"), "");
}

TEST(Paste, PassesTheKeyFilterOnceAsOneKeystroke) {
  struct Case {
    const char* name;
    const char* box;
    const char* before;
    const char* pasted;
    const char* after;  // before the face inserts the pasted text
    int beeps;
  } cases[] = {
      {"digits with one point", "HTxt", "", "31.61", "", 0},
      {"one digit", "HTxt", "10", "5", "10", 0},
      {"a point and digits", "NTxt", "10", ".5", "10", 0},
      {"two points", "HTxt", "10", "1.2.3", "", 1},
      {"a comma", "HTxt", "10", "1,5", "", 1},
      {"a minus", "NTxt", "", "-5", "", 1},
      {"a blank", "NTxt", "", " 5", "", 1},
      {"anything once the box holds a point", "NTxt", "3.1", "abc", "3.1", 0},
      {"nothing pasted", "NTxt", "7", "", "7", 0},
      {"the temperature box filters nothing", "DataText", "10", "abc", "10", 0},
      {"the pressure box filters nothing", "PresText", "1", "x,y", "1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    w.setText(c.box, c.before);
    ASSERT_TRUE(paste(w, c.box, c.pasted));
    EXPECT_EQ(w.text(c.box), c.after);
    EXPECT_EQ(w.beeps, c.beeps);
  }
  FakeWindow w;
  EXPECT_FALSE(paste(w, "MvZccTxt", "x"));  // no key handler: the box takes it as it is
}

TEST(Enter, SolvesTheBoxsPanelAndNeverReachesTheFilter) {
  FakeWindow w;
  Form_Load(w);
  w.setText("HTxt", "50");
  ASSERT_TRUE(submit(w, "HTxt"));
  // 0.3161 / 0.5^1.5 = 0.894...
  EXPECT_EQ(w.caption("NkLbl"), "0.89");
  EXPECT_EQ(w.text("HTxt"), "50");
  EXPECT_EQ(w.beeps, 0);
  // 1.013 bar = 1013 mbar.
  w.setText("PresText", "2");
  ASSERT_TRUE(submit(w, "PresText"));
  EXPECT_EQ(w.caption("Lab20"), "2000");
  for (const char* notInput : {"NkBtn", "NkLbl", "FuelCmb", "Image1", ""})
    EXPECT_FALSE(submit(w, notInput)) << notInput;
}

}  // namespace
}  // namespace pyrelon
