#include "probes/oxygen.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kLimitsBox =
    "The min mV probe value is 0.01 mV\n"
    "The max mV probe value is 300 mV\n"
    "The min mV probe value is -10 mV\n"
    "The min mV probe Offset value is -10 mV\n"
    "The max mV probe Offset value is 10 mV\n"
    "The min Temperatute Probe value is 650\u00b0C\n"
    "The max Temperatute Probe value is 1600 \u00b0C K\n";

// The oxygen panel alone, with a stale result. The probe list is left
// without a selection: the calculation never reads it.
FakeWindow oxygenPanel(std::string mv, std::string bias, std::string t,
                       NumberSettings settings = testing::pointSettings()) {
  FakeWindow w;
  w.settings = settings;
  w.setListEntries("OxygenCmb", {"Standard"}, -1);
  w.setText("MvZrO2Txt", mv);
  w.setText("BiasZrO2Txt", bias);
  w.setText("TempZrO2Txt", t);
  w.setCaption("OxyLbl", "stale");
  return w;
}

TEST(Oxygen, StartupShowsOnePercent) {
  FakeWindow w;
  Form_Load(w);
  EXPECT_EQ(w.caption("OxyLbl"), "1.00");
}

TEST(Oxygen, NernstRelationWithAirAsReference) {
  const struct {
    const char *mv, *bias, *t, *shown;
  } rows[] = {
      {"87.0", "-3.0", "1100", "1.00"}, {"12", "12", "-100", "20.95"},
      {"12", "12", "5000", "20.95"},    {"-10", "0", "700", "33.76"},
      {"300", "0", "700", "0.00"},      {"abc", "-3.0", "1100", "18.93"},
      {"87", "50", "2000", "9.84"},     {"0", "-20965.6", "1100", "0.00"},
  };
  for (const NumberSettings& settings : {testing::pointSettings(), testing::commaSettings()}) {
    for (const auto& r : rows) {
      FakeWindow w = oxygenPanel(r.mv, r.bias, r.t, settings);
      OxygenBtn_Click(w);
      std::string shown = r.shown;
      shown.replace(shown.find('.'), 1, settings.decimalSeparator);
      EXPECT_EQ(w.caption("OxyLbl"), shown) << r.mv << " " << r.bias << " " << r.t;
      EXPECT_TRUE(w.infoBoxes.empty());
    }
  }
}

TEST(Oxygen, OnlyTheProbeVoltageIsTestedAndResetAfterTheBox) {
  const struct {
    const char* mv;
    bool accepted;
  } rows[] = {{"-10", true}, {"300", true}, {"-10.5", false}, {"300.5", false}, {"1E300", false}};
  for (const auto& r : rows) {
    FakeWindow w = oxygenPanel(r.mv, "-50", "-5000");
    OxygenBtn_Click(w);
    if (r.accepted) {
      EXPECT_TRUE(w.infoBoxes.empty()) << r.mv;
      EXPECT_NE(w.caption("OxyLbl"), "stale");
      continue;
    }
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.mv;
    EXPECT_EQ(w.infoBoxes[0].text, kLimitsBox);
    EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at("MvZrO2Txt"), r.mv);
    EXPECT_EQ(w.text("MvZrO2Txt"), "87.0");
    EXPECT_EQ(w.text("BiasZrO2Txt"), "-50");
    EXPECT_EQ(w.caption("OxyLbl"), "stale");
  }
}

TEST(Oxygen, ArithmeticFaultsAreReportedAndClearTheResult) {
  const char* const absoluteZero =
      "The probe temperature of -273.12 \u00b0C is absolute zero, where no oxygen content "
      "can be computed.";
  const char* const tooSmall = "The oxygen content is too small to compute for these readings.";
  const char* const tooLarge = "The oxygen content is too large to compute for these readings.";
  const struct {
    const char *mv, *bias, *t, *message;
  } rows[] = {
      {"5", "5", "-273.12", absoluteZero},  // 0 / 0
      {"87", "-3", "-273.12", absoluteZero},
      {"300", "-1E10", "1100", tooSmall},   // exp overflows
      {"300", "-1E300", "-273.1199", tooSmall},  // x is infinite
      {"-10", "1E10", "1100", tooLarge},    // exp is 0
      {"0", "21290.9", "1100", tooLarge},   // exp is subnormal, the quotient overflows
      {"1E400", "0", "0", "The probe voltage is too large a number."},
      {"0", "-1E400", "0", "The probe offset is too large a number."},
      {"0", "0", "1E400", "The probe temperature is too large a number."},
  };
  for (const auto& r : rows) {
    FakeWindow w = oxygenPanel(r.mv, r.bias, r.t);
    OxygenBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.mv << " " << r.bias << " " << r.t;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.caption("OxyLbl"), "");
    EXPECT_EQ(w.text("MvZrO2Txt"), r.mv);
    EXPECT_EQ(w.text("BiasZrO2Txt"), r.bias);
    EXPECT_EQ(w.text("TempZrO2Txt"), r.t);
  }
}

}  // namespace
}  // namespace pyrelon
