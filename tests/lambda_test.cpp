#include "combustion/lambda.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kLimitsBox =
    "The min mV probe value is 0.01 mV\n"
    "The max mV probe value is 300 mV\n"
    "The min mV probe Offset value is -10 mV\n"
    "The max mV probe Offset value is 10 mV\n"
    "The min Kelvin Temperatute Offset value is -200 K\n"
    "The max Kelvin Temperatute Offset value is 200 K\n"
    "The min combustion air temperature value is -50 \u00b0C\n"
    "The max combustion air temperature value is 200 \u00b0C\n"
    "The min flue temperature value is 0 \u00b0C\n"
    "The max flue temperature value is 800 \u00b0C\n";

constexpr std::array<const char*, 6> kLabels{"WetLbl", "AirLbl", "DryLbl",
                                             "Co2Lbl", "NetLbl", "GrossLbl"};
using Shown = std::array<std::string, 6>;

enum FuelIndex { Metano, Propano, Gpl, Gasolio, Nafta, Coke };

struct Readings {
  std::string mv = "57.16", offset = "8", kelvinOffset = "0", air = "20", flue = "180";
};

// The lambda panel alone, with stale results.
FakeWindow lambdaPanel(const Readings& r, int fuel = Metano,
                       NumberSettings settings = testing::pointSettings()) {
  FakeWindow w;
  w.settings = settings;
  w.setListEntries("FuelCmb", {"Metano", "Propano", "GPL", "Gasolio", "Nafta", "Coke"}, fuel);
  w.setText("MvZo2Txt", r.mv);
  w.setText("MvOffTxt", r.offset);
  w.setText("KOffTxt", r.kelvinOffset);
  w.setText("AirTxt", r.air);
  w.setText("FlueTXt", r.flue);
  for (const char* label : kLabels) w.setCaption(label, "stale");
  return w;
}

Shown captions(const FakeWindow& w) {
  Shown shown;
  for (std::size_t i = 0; i < kLabels.size(); ++i) shown[i] = w.caption(kLabels[i]);
  return shown;
}

Shown withSeparator(Shown shown, const NumberSettings& settings) {
  for (std::string& s : shown)
    for (char& c : s)
      if (c == '.') c = settings.decimalSeparator[0];
  return shown;
}

const Shown kStale{"stale", "stale", "stale", "stale", "stale", "stale"};

TEST(Lambda, StartupShowsMetano) {
  FakeWindow w;
  Form_Load(w);
  EXPECT_EQ(captions(w), (Shown{"1.0", "1.056", "1.2", "11.0", "83.5", "93.7"}));
  ASSERT_EQ(w.listEntries("FuelCmb").size(), fuelTable().size());
  for (std::size_t i = 0; i < fuelTable().size(); ++i)
    EXPECT_EQ(w.listEntries("FuelCmb")[i], fuelTable()[i].name);
}

TEST(Lambda, EachResultFollowsFromTheOneBeforeAsShown) {
  const struct {
    Readings readings;
    int fuel;
    Shown shown;
  } rows[] = {
      {{}, Metano, {"1.0", "1.056", "1.2", "11.0", "83.5", "93.7"}},
      {{}, Propano, {"1.0", "1.054", "1.2", "13.0", "87.1", "94.5"}},
      {{}, Gpl, {"1.0", "1.055", "1.2", "13.2", "87.4", "94.4"}},
      {{}, Gasolio, {"1.0", "1.054", "1.1", "14.3", "87.6", "93.4"}},
      {{}, Nafta, {"1.0", "1.056", "1.2", "11.0", "83.5", "93.9"}},
      {{}, Coke, {"1.0", "1.056", "1.2", "11.0", "83.5", "93.9"}},
      {{"30", "-5", "-100", "0", "400"}, Propano, {"1.6", "1.090", "1.9", "12.5", "78.9", "85.6"}},
      // Below zero corrected voltage the wet oxygen passes that of air; the
      // results are shown as they come.
      {{"0.01", "10", "0", "20", "180"}, Metano,
       {"23.2", "-10.146", "22.7", "-1.0", "149.8", "169.0"}},
      // Empty boxes read as 0: no flue loss at all.
      {{"57.16", "", "", "", ""}, Metano, {"0.7", "1.038", "0.9", "11.2", "89.0", "100.0"}},
  };
  for (const NumberSettings& settings : {testing::pointSettings(), testing::commaSettings()}) {
    for (const auto& r : rows) {
      FakeWindow w = lambdaPanel(r.readings, r.fuel, settings);
      OxiBtn_Click(w);
      EXPECT_EQ(captions(w), withSeparator(r.shown, settings))
          << "fuel " << r.fuel << " mV " << r.readings.mv << " sep " << settings.decimalSeparator;
      EXPECT_TRUE(w.infoBoxes.empty());
    }
  }
}

TEST(Lambda, LimitsAreInclusiveAndAFailureResetsOnlyThatBoxAfterTheBox) {
  const struct {
    const char* box;
    const char* text;
    bool accepted;
    const char* resetText;
  } rows[] = {
      {"MvZo2Txt", "0.01", true, ""},   {"MvZo2Txt", "300", true, ""},
      {"MvZo2Txt", "0.009", false, "57.16"}, {"MvZo2Txt", "300.5", false, "57.16"},
      {"MvZo2Txt", "", false, "57.16"}, {"MvOffTxt", "-10", true, ""},
      {"MvOffTxt", "10", true, ""},     {"MvOffTxt", "10.5", false, "8"},
      {"MvOffTxt", "-10.1", false, "8"}, {"KOffTxt", "-200", true, ""},
      {"KOffTxt", "200", true, ""},     {"KOffTxt", "-201", false, "0"},
      {"KOffTxt", "200.1", false, "0"}, {"AirTxt", "-50", true, ""},
      {"AirTxt", "200", true, ""},      {"AirTxt", "-51", false, "20"},
      {"AirTxt", "200.1", false, "20"}, {"FlueTXt", "0", true, ""},
      {"FlueTXt", "800", true, ""},     {"FlueTXt", "801", false, "180"},
      {"FlueTXt", "-0.1", false, "180"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.box) + " = " + r.text);
    // No fuel selected: the tests come before the fuel is looked at. An
    // offset of 0 keeps E = 0.01 clear of the wet oxygen of air.
    FakeWindow w = lambdaPanel({"57.16", "0", "0", "20", "180"}, r.accepted ? Metano : -1);
    w.setText(r.box, r.text);
    OxiBtn_Click(w);
    if (r.accepted) {
      EXPECT_TRUE(w.infoBoxes.empty());
      EXPECT_NE(w.caption("GrossLbl"), "stale");
      continue;
    }
    ASSERT_EQ(w.infoBoxes.size(), 1u);
    EXPECT_EQ(w.infoBoxes[0].text, kLimitsBox);
    EXPECT_EQ(w.infoBoxes[0].textsWhileShown.at(r.box), r.text);
    EXPECT_EQ(w.text(r.box), r.resetText);
    EXPECT_EQ(captions(w), kStale);
  }
}

TEST(Lambda, OnlyTheFirstFailingReadingIsReset) {
  const struct {
    Readings readings;
    const char* resetBox;
  } rows[] = {
      {{"500", "8", "0", "20", "900"}, "MvZo2Txt"},
      // tf - ta overflows; the air temperature fails first.
      {{"57.16", "8", "0", "-1.7E308", "1.7E308"}, "AirTxt"},
      {{"57.16", "8", "0", "20", "1.7E308"}, "FlueTXt"},
  };
  for (const auto& r : rows) {
    FakeWindow w = lambdaPanel(r.readings);
    OxiBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.resetBox;
    EXPECT_EQ(captions(w), kStale);
    const Readings& in = r.readings;
    const std::array<std::pair<const char*, std::string>, 5> boxes{
        {{"MvZo2Txt", in.mv}, {"MvOffTxt", in.offset}, {"KOffTxt", in.kelvinOffset},
         {"AirTxt", in.air}, {"FlueTXt", in.flue}}};
    for (const auto& [box, typed] : boxes) {
      if (std::string_view(box) != r.resetBox) {
        EXPECT_EQ(w.text(box), typed) << box;
      }
    }
  }
}

TEST(Lambda, WetOxygenOfAirLeavesNoAirExcessToCompute) {
  for (const NumberSettings& settings : {testing::pointSettings(), testing::commaSettings()}) {
    Readings readings;
    readings.mv = "0.02";
    FakeWindow w = lambdaPanel(readings, Metano, settings);
    OxiBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u);
    EXPECT_EQ(w.infoBoxes[0].text, "The wet oxygen of 20" + settings.decimalSeparator +
                                       "9 % leaves no air excess to compute.");
    EXPECT_EQ(captions(w), withSeparator({"20.9", "", "", "", "", ""}, settings));
    EXPECT_EQ(w.text("MvZo2Txt"), "0.02");
  }
}

TEST(Lambda, ANumberBeyondTheDoubleRangeIsReportedAndClearsEveryResult) {
  const struct {
    const char *box, *message;
  } rows[] = {
      {"MvZo2Txt", "The probe voltage is too large a number."},
      {"MvOffTxt", "The voltage offset is too large a number."},
      {"KOffTxt", "The temperature offset is too large a number."},
      {"AirTxt", "The air temperature is too large a number."},
      {"FlueTXt", "The flue-gas temperature is too large a number."},
  };
  for (const auto& r : rows) {
    FakeWindow w = lambdaPanel({});
    w.setText(r.box, "-1E400");
    OxiBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.box;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(captions(w), (Shown{}));
    EXPECT_EQ(w.text(r.box), "-1E400");
  }
}

TEST(Lambda, WithoutAFuelNothingIsWritten) {
  FakeWindow w = lambdaPanel({}, -1);
  OxiBtn_Click(w);
  EXPECT_TRUE(w.infoBoxes.empty());
  EXPECT_EQ(captions(w), kStale);
}

TEST(Lambda, ChoosingAnotherFuelDoesNotRecompute) {
  FakeWindow w;
  Form_Load(w);
  w.setSelectedIndex("FuelCmb", Coke);
  EXPECT_EQ(w.caption("GrossLbl"), "93.7");
  OxiBtn_Click(w);
  EXPECT_EQ(w.caption("GrossLbl"), "93.9");
}

}  // namespace
}  // namespace pyrelon
