// A panel added as CONTRIBUTING.md says (throwaway_panel.cpp, nothing
// else) reaches start-up, the Solve button, the key filter, the help page,
// the command line with --csv, the fuzz target and the page's control
// table. The expected values are worked by hand: 25.4 mm is 1 in exactly,
// 100 mm / 25.4 = 3.93700... in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "shell/controls.h"
#include "shell/help.h"
#include "shell/panels.h"
#include "shell/presentation.h"
#include "shell/shell.h"
#include "tests/cli/run_cli.h"
#include "tests/extension/throwaway_panel.h"
#include "tests/fake_window.h"
#include "web/page_api.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace pyrelon::testing {
namespace {

TEST(AddedPanel, IsRegisteredAfterTheSevenInEveryOrder) {
  ASSERT_EQ(panels().size(), 8u);
  EXPECT_EQ(panels().back()->id, "length");
  EXPECT_EQ(panelsInLayoutOrder().back()->id, "length");  // the lowest frame
  EXPECT_EQ(panelsInTextOrder().back()->id, "length");
  EXPECT_EQ(panelsInListOrder().size(), 6u);  // it has no list
  EXPECT_EQ(panelById("length")->solveButton, "LenBtn");
}

TEST(AddedPanel, StartUpWritesItsTextAndSolvesIt) {
  const FakeWindow window = startedWindow();
  EXPECT_EQ(window.text("LenTxt"), "25.4");
  EXPECT_EQ(window.caption("InchLbl"), "1.000");
  EXPECT_TRUE(window.infoBoxes.empty());
  // The seven stand as before.
  EXPECT_EQ(window.caption("NkLbl"), "10.00");
}

TEST(AddedPanel, ItsButtonItsKeyFilterAndItsLimits) {
  const struct {
    const char *name, *typed, *result, *box;
    std::size_t infoBoxes;
  } rows[] = {
      {"100 mm", "100", "3.937", "100", 0},
      {"zero, the lower limit", "0", "0.000", "0", 0},
      {"above the limit: the box goes back", "20000", "1.000", "25.4", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeWindow window = startedWindow();
    window.setText("LenTxt", row.typed);
    ASSERT_TRUE(click(window, "LenBtn"));
    EXPECT_EQ(window.caption("InchLbl"), row.result);
    EXPECT_EQ(window.text("LenTxt"), row.box);
    ASSERT_EQ(window.infoBoxes.size(), row.infoBoxes);
    if (row.infoBoxes) {
      EXPECT_EQ(window.infoBoxes[0].text, "The min length is 0 mm\nThe max length is 10000 mm");
    }
  }
  FakeWindow window = startedWindow();
  window.setText("LenTxt", "10");
  ASSERT_TRUE(keyPress(window, "LenTxt", 'x'));
  EXPECT_EQ(window.text("LenTxt"), "");
  EXPECT_EQ(window.beeps, 1);
}

TEST(AddedPanel, TheWindowGrowsToHoldIt) {
  // 7200 + 1400 + 60 twips: below the flow panel, which ends at 7095.
  EXPECT_EQ(clientHeightTwips(), 8660);
  EXPECT_EQ(clientWidthTwips(), 10155);
  ASSERT_NE(findControl("InchLbl"), nullptr);
}

TEST(AddedPanel, ItsTabOrderGoesRowByRow) {
  // LenBtn (top 480) and LenTxt (630, 150 below) share a row, left to right;
  // InchLbl (631, 151 below) starts the next although it stands leftmost.
  // Then the captions, which take no focus, as listed; then the window's own
  // controls.
  const auto& order = tabOrder();
  const auto at = std::find_if(order.begin(), order.end(),
                               [](const ControlSpec* c) { return c->name == "Frame8"; });
  std::vector<std::string_view> names;
  for (auto it = at; it != order.end() && names.size() < 8; ++it) names.push_back((*it)->name);
  EXPECT_EQ(names, (std::vector<std::string_view>{"Frame8", "LenTxt", "LenBtn", "InchLbl", "LenCap",
                                                  "LenUnit", "InchCap", "Image1"}));
  EXPECT_EQ(namingLabelsOf(*findControl("LenTxt")).unit, "LenUnit");
  EXPECT_EQ(namingLabelsOf(*findControl("InchLbl")).caption, "InchCap");
}

void expectParts(const std::string& text, std::initializer_list<const char*> parts) {
  for (const char* part : parts) EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(AddedPanel, TheHelpPageHasItsSection) {
  const std::string help = helpHtml();
  expectParts(help, {"<h2>Length Conversion</h2>", "<li>in = mm / 25.4</li>",
                     "<td>millimetres per inch</td><td>25.4</td><td>mm</td>",
                     "<li>The max length is 10000 mm</li>"});
  EXPECT_LT(help.find("Mass Flow Compensation"), help.find("Length Conversion"));
}

TEST(AddedPanel, TheCommandLineHasItsSubcommand) {
  const CliRun csv = runCli({"length", "--csv", "-"}, "mm\n100\n50.8\n20000\n");
  EXPECT_EQ(csv.status, 1) << csv.err;  // a row out of its limits
  EXPECT_EQ(csv.out,
            "mm,inches,error\n100,3.937,\n50.8,2.000,\n20000,,The max length is 10000 mm\n");
  const CliRun one = runCli({"length", "--mm", "254"});
  EXPECT_EQ(one.status, 0) << one.err;
  EXPECT_NE(one.out.find("10.000"), std::string::npos) << one.out;
}

TEST(AddedPanel, TheFuzzTargetPicksItByItsPlace) {
  // The eighth panel is byte 0 = '7'; its one box gets "12.7".
  const std::string input = "70|12.7";
  const int before = lengthCalculations();
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  // Once at start-up, once for the press.
  EXPECT_EQ(lengthCalculations() - before, 2);
}

TEST(AddedPanel, ThePageBuildsItsControls) {
  expectParts(web::controlsJson(), {"{\"name\":\"Frame8\",\"kind\":\"panel\"",
                                    "{\"name\":\"LenTxt\",\"kind\":\"textbox\"",
                                    "\"range\":\"0 to 10000 mm\",\"input\":true,\"keys\":true}",
                                    "{\"name\":\"LenBtn\",\"kind\":\"button\""});
  expectParts(web::startUp(".", ","), {"[\"caption\",\"InchLbl\",\"1.000\"]"});
}

}  // namespace
}  // namespace pyrelon::testing
