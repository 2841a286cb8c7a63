#include "probes/nitriding.h"

#include <gtest/gtest.h>

#include <string>

#include "app/numbers.h"
#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kLimitsText =
    "The min H2 value is 1 %\nThe max H2 value is 100 %\n"
    "The min NH3 value is 5 %\nThe max NH3 value is 100 %";

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
    const char* h;
    const char* n;
    const char* nk;
  } rows[] = {
      {"10", "31.61", "10.00"}, {"1", "100", "1000.00"}, {"100", "5", "0.05"},
      {"75", "50", "0.77"},     {"1", "5", "50.00"},     {"100", "100", "1.00"},
      {"25", "40", "3.20"},     {"4", "20", "25.00"},    {" 5 0", "50abc", "1.41"},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    std::string nk = r.nk;
    nk.replace(nk.find('.'), 1, w.settings.decimalSeparator);
    EXPECT_EQ(w.caption("NkLbl"), nk) << r.h << " / " << r.n;
    EXPECT_TRUE(w.infoBoxes.empty()) << r.h << " / " << r.n;
    EXPECT_EQ(w.text("HTxt"), r.h);
    EXPECT_EQ(w.text("NTxt"), r.n);
  }
}

TEST_P(NitridingPanel, TheFirstContentOutOfRangeIsResetBeforeTheLimitsAreShown) {
  const struct {
    const char* h;
    const char* n;
    const char* hAfter;
    const char* nAfter;
  } rows[] = {
      {"0.99", "31.61", "10", "31.61"},
      {"100.01", "31.61", "10", "31.61"},
      {"", "31.61", "10", "31.61"},
      {"abc", "31.61", "10", "31.61"},
      {"-5", "31.61", "10", "31.61"},
      // The ammonia content is not looked at once the hydrogen test fails.
      {"0.5", "200", "10", "200"},
      {"10", "4.9", "10", "31.61"},
      {"10", "4.99", "10", "31.61"},
      {"1", "100.01", "1", "31.61"},
      {"100", "", "100", "31.61"},
      {"50", "1,5", "50", "31.61"},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.h << " / " << r.n;
    EXPECT_EQ(w.infoBoxes[0].text, kLimitsText);
    EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at("HTxt"), r.hAfter) << r.h << " / " << r.n;
    EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at("NTxt"), r.nAfter) << r.h << " / " << r.n;
    EXPECT_EQ(w.text("HTxt"), r.hAfter);
    EXPECT_EQ(w.text("NTxt"), r.nAfter);
    EXPECT_EQ(w.caption("NkLbl"), "before");
  }
}

TEST_P(NitridingPanel, TheTestsFollowTheLimitsTable) {
  const auto limits = nitridingLimits();
  ASSERT_EQ(limits.size(), 2u);
  EXPECT_EQ(limits[0].textBox, "HTxt");
  EXPECT_EQ(limits[1].textBox, "NTxt");
  for (const InputLimit& limit : limits) {
    EXPECT_EQ(limit.unit, "%");
    const std::string other = limit.textBox == "HTxt" ? "NTxt" : "HTxt";
    const std::string otherText = other == "HTxt" ? "10" : "31.61";
    const struct {
      double value;
      bool passes;
    } probes[] = {{limit.min, true}, {limit.max, true}, {limit.min - 0.001, false},
                  {limit.max + 0.001, false}};
    for (const auto& p : probes) {
      w.setText(other, otherText);
      w.setText(limit.textBox, signedForm(p.value));
      w.infoBoxes.clear();
      NkBtn_Click(w);
      EXPECT_EQ(w.infoBoxes.empty(), p.passes) << limit.textBox << " " << p.value;
      if (!p.passes) {
        EXPECT_EQ(w.text(limit.textBox), limit.resetText);
      }
    }
  }
}

TEST_P(NitridingPanel, ANumberBeyondTheDoubleRangeIsReportedAndClearsTheFactor) {
  const struct {
    const char* h;
    const char* n;
    const char* message;
  } rows[] = {
      {"1E400", "31.61", "The hydrogen content is too large a number."},
      {"-1E400", "1E400", "The hydrogen content is too large a number."},
      {"10", "1e999", "The ammonia content is too large a number."},
  };
  for (const auto& r : rows) {
    press(r.h, r.n);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.h << " / " << r.n;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.caption("NkLbl"), "");
    EXPECT_EQ(w.text("HTxt"), r.h);
    EXPECT_EQ(w.text("NTxt"), r.n);
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
  EXPECT_TRUE(w.infoBoxes.empty());
}

}  // namespace
}  // namespace pyrelon
