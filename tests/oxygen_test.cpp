#include "probes/oxygen.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

FakeWindow panel(const std::string& mv, const std::string& bias, const std::string& t,
                 const NumberSettings& settings = testing::pointSettings()) {
  return testing::panelWindow({{"MvZrO2Txt", mv}, {"BiasZrO2Txt", bias}, {"TempZrO2Txt", t}}, "", 0,
                              {"OxyLbl"}, settings);
}

TEST(Oxygen, StartUpAndTheNernstRelationWithAirAsReference) {
  // clang-format off
  const struct { const char *name, *mv, *bias, *t, *shown; } rows[] = {
    {"no voltage past the offset: the reference air", "12", "12", "-100", "20.95"},
    {"the least voltage, above the air: 20.95 / exp(-10 / 20.955)", "-10", "0", "700", "33.76"},
    {"the most voltage: below a hundredth", "300", "0", "700", "0.00"},
    {"no number reads as 0: 20.95 / exp(3 / 29.568)", "abc", "-3.0", "1100", "18.93"},
    {"a hot probe: 20.95 / exp(37 / 48.951)", "87", "50", "2000", "9.84"},
    {"a vast offset: exp overflows toward 0 %", "0", "-20965.6", "1100", "0.00"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.caption("OxyLbl"), started.local("1.00"));
    for (const auto& r : rows) {
      EXPECT_EQ(panel(r.mv, r.bias, r.t, settings).outcomeOf(OxygenBtn_Click),
                "OxyLbl=" + started.local(r.shown) + "\n")
          << r.name;
    }
  }
}

// Only the probe voltage is tested, inclusively, and put back after the
// box; the offset and temperature are taken as typed, and only the
// arithmetic they break is reported.
TEST(Oxygen, LimitsAndFaults) {
  const std::string limitsBox =
      "box: The min mV probe value is 0.01 mV\nThe max mV probe value is 300 mV\n"
      "The min mV probe value is -10 mV\nThe min mV probe Offset value is -10 mV\n"
      "The max mV probe Offset value is 10 mV\nThe min Temperatute Probe value is 650\u00b0C\n"
      "The max Temperatute Probe value is 1600 \u00b0C K\n\nMvZrO2Txt=87.0\n";
  const auto fault = [](const std::string& what) { return "box: The " + what + "\nOxyLbl=\n"; };
  const std::string tooSmall = fault("oxygen content is too small to compute for these readings.");
  const std::string tooLarge = fault("oxygen content is too large to compute for these readings.");
  // clang-format off
  struct Case { std::string mv, bias, t, outcome; };  // no outcome: a result
  std::vector<Case> cases{
    {"1E300", "-50", "-5000", limitsBox},
    {"5", "5", "-273.12", fault("probe temperature of -273.12 \u00b0C is absolute zero, where "
                                "no oxygen content can be computed.")},  // 0 / 0
    {"300", "-1E10", "1100", tooSmall},        // exp overflows
    {"300", "-1E300", "-273.1199", tooSmall},  // x is infinite
    {"-10", "1E10", "1100", tooLarge},         // exp is 0
    {"0", "21290.9", "1100", tooLarge},        // exp is subnormal, the quotient overflows
    {"1E400", "-1E400", "1E400", fault("probe voltage is too large a number.")},
  };
  // clang-format on
  for (const testing::BoundText& b : testing::boundTexts({{"MvZrO2Txt", -10, 300, "87.0"}}))
    cases.push_back({b.text, "-50", "-5000", b.passes ? "" : limitsBox});
  for (const Case& c : cases) {
    const std::string got = panel(c.mv, c.bias, c.t).outcomeOf(OxygenBtn_Click);
    // A voltage that passes gets a result, whatever it is.
    EXPECT_EQ(c.outcome.empty() && got.starts_with("OxyLbl=") ? "" : got, c.outcome)
        << c.mv << " " << c.bias << " " << c.t;
  }
}

}  // namespace
}  // namespace pyrelon
