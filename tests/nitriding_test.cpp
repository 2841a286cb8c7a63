#include "probes/nitriding.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

FakeWindow panel(const std::string& h, const std::string& n,
                 const NumberSettings& settings = testing::pointSettings()) {
  return testing::panelWindow({{"HTxt", h}, {"NTxt", n}}, "", 0, {"NkLbl"}, settings);
}

TEST(Nitriding, StartUpAndFactors) {
  // clang-format off
  const struct { const char *name, *h, *n, *nk; } rows[] = {
    {"least hydrogen, most ammonia: 1 / 0.01^1.5", "1", "100", "1000.00"},
    {"most hydrogen, least ammonia: 0.05 / 1", "100", "5", "0.05"},
    {"0.5 / 0.75^1.5 = 0.7698", "75", "50", "0.77"}, {"0.4 / 0.25^1.5 = 3.2", "25", "40", "3.20"},
    {"blanks dropped and a tail ignored: 0.5 / 0.5^1.5 = 1.4142", " 5 0", "50abc", "1.41"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.caption("NkLbl"), started.local("10.00"));
    for (const auto& r : rows) {
      EXPECT_EQ(panel(r.h, r.n, settings).outcomeOf(NkBtn_Click),
                "NkLbl=" + started.local(r.nk) + "\n")
          << r.name;
    }
  }
}

// Every bound is inclusive. Only the first content past its limits is put
// back to its start-up text, already while the limits box is on screen.
TEST(Nitriding, LimitsAndFaults) {
  const std::string limitsBox =
      "box: The min H2 value is 1 %\nThe max H2 value is 100 %\n"
      "The min NH3 value is 5 %\nThe max NH3 value is 100 %\n";
  const auto reset = [&](const std::string& c) { return limitsBox + "while shown: " + c + c; };
  // clang-format off
  struct Case { std::string h, n, outcome; };  // no outcome: a factor
  std::vector<Case> cases{
    {"", "200", reset("HTxt=10\n")},  // no number reads as 0; NH3 is not looked at
    {"50", "1,5", reset("NTxt=31.61\n")},
    {"-1E400", "1E400", "box: The hydrogen content is too large a number.\nNkLbl=\n"},
  };
  // clang-format on
  for (const auto& b : testing::boundTexts({{"HTxt", 1, 100, "10"}, {"NTxt", 5, 100, "31.61"}})) {
    const bool h = b.textBox == "HTxt";
    cases.push_back({h ? b.text : "10", h ? "31.61" : b.text, b.passes ? "" : reset(b.reset)});
  }
  for (const Case& c : cases) {
    const std::string got = panel(c.h, c.n).outcomeOf(NkBtn_Click);
    // A content that passes gets a factor, whatever it is.
    EXPECT_EQ(c.outcome.empty() && got.starts_with("NkLbl=") ? "" : got, c.outcome)
        << c.h << " / " << c.n;
  }
}

}  // namespace
}  // namespace pyrelon
