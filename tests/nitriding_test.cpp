#include "probes/nitriding.h"

#include <gtest/gtest.h>

#include <string>

#include "app/numbers.h"
#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

class NitridingPanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  NitridingPanel() { w.settings = GetParam(); }
  void press(const std::string& h, const std::string& n) {
    w.setText("HTxt", h);
    w.setText("NTxt", n);
    w.setCaption("NkLbl", "before");
    w.infoBoxes.clear();
    NkBtn_Click(w);
  }
  FakeWindow w;
};

TEST_P(NitridingPanel, ShowsTheFactorForContentsWithinTheLimits) {
  const struct {
    const char *h, *n, *nk;
  } rows[] = {
      {"10", "31.61", "10.00"}, {"1", "100", "1000.00"}, {"100", "5", "0.05"},
      {"75", "50", "0.77"},     {"25", "40", "3.20"},     {" 5 0", "50abc", "1.41"},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    std::string nk = r.nk;
    nk.replace(nk.find('.'), 1, w.settings.decimalSeparator);
    EXPECT_EQ(w.caption("NkLbl"), nk) << r.h << " / " << r.n;
    EXPECT_TRUE(w.infoBoxes.empty()) << r.h << " / " << r.n;
  }
}

// Every bound is inclusive; just past it the box goes back to its start-up
// text, which it already holds while the limits are on screen.
TEST_P(NitridingPanel, EachBoundIsTestedAsItsLimitSays) {
  const auto limits = nitridingLimits();
  ASSERT_EQ(limits.size(), 2u);
  EXPECT_EQ(limits[0].textBox, "HTxt");
  EXPECT_EQ(limits[1].textBox, "NTxt");
  for (const InputLimit& limit : limits) {
    EXPECT_EQ(limit.unit, "%");
    for (const double value : {limit.min, limit.max, limit.min - 0.001, limit.max + 0.001}) {
      const bool passes = value == limit.min || value == limit.max;
      const std::string typed = signedForm(value);
      press(limit.textBox == "HTxt" ? typed : "10", limit.textBox == "NTxt" ? typed : "31.61");
      ASSERT_EQ(w.infoBoxes.size(), passes ? 0u : 1u) << limit.textBox << typed;
      if (passes) continue;
      EXPECT_EQ(w.infoBoxes[0].text,
                "The min H2 value is 1 %\nThe max H2 value is 100 %\n"
                "The min NH3 value is 5 %\nThe max NH3 value is 100 %");
      EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at(std::string(limit.textBox)), limit.resetText);
      EXPECT_EQ(w.caption("NkLbl"), "before");
    }
  }
}

TEST_P(NitridingPanel, OnlyTheFirstFailingContentIsReset) {
  const struct {
    const char *h, *n, *hAfter, *nAfter;
  } rows[] = {
      {"", "200", "10", "200"},  // no number reads as 0; NH3 is not looked at
      {"100", "", "100", "31.61"},
      {"50", "1,5", "50", "31.61"},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    EXPECT_EQ(w.infoBoxes.size(), 1u) << r.h << " / " << r.n;
    EXPECT_EQ(w.text("HTxt"), r.hAfter);
    EXPECT_EQ(w.text("NTxt"), r.nAfter);
  }
}

TEST_P(NitridingPanel, ANumberBeyondTheDoubleRangeIsReportedAndClearsTheFactor) {
  const struct {
    const char *h, *n, *message;
  } rows[] = {
      {"-1E400", "1E400", "The hydrogen content is too large a number."},
      {"10", "1e999", "The ammonia content is too large a number."},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.h << " / " << r.n;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.caption("NkLbl"), "");
    EXPECT_EQ(w.text("HTxt") + " " + w.text("NTxt"), std::string(r.h) + " " + r.n);
  }
}

INSTANTIATE_TEST_SUITE_P(Separators, NitridingPanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(NitridingStartup, OpensWithTheFactorOfTheDefaultContents) {
  FakeWindow w;
  w.settings = testing::commaSettings();
  Form_Load(w);
  EXPECT_EQ(w.caption("NkLbl"), "10,00");
}

}  // namespace
}  // namespace pyrelon
