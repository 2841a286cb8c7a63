#include "combustion/lambda.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const std::vector<std::string_view> kResults{"WetLbl", "AirLbl", "DryLbl",
                                             "Co2Lbl", "NetLbl", "GrossLbl"};
const std::vector<std::string> kBoxes{"MvZo2Txt", "MvOffTxt", "KOffTxt", "AirTxt", "FlueTXt"};

enum FuelIndex { Metano, Propano, Gpl, Gasolio, Nafta, Coke, kNoFuel = -1 };

// The panel after start-up with the first readings typed in the order of
// kBoxes, and every result stale.
FakeWindow panel(const std::vector<std::string>& readings, int fuel = Metano,
                 const NumberSettings& settings = testing::pointSettings()) {
  testing::Texts texts;
  for (std::size_t i = 0; i < readings.size(); ++i) texts.emplace_back(kBoxes[i], readings[i]);
  return testing::panelWindow(texts, "FuelCmb", fuel, kResults, settings);
}

// Propano at start-up, with a decimal comma: tests/cli/cases/panels.txt.
TEST(Lambda, StartUpAndEachResultFollowingFromTheOneBeforeAsShown) {
  // clang-format off
  const struct { const char* name; std::vector<std::string> readings; int fuel; const char* shown; }
  rows[] = {
    {"Metano at start-up", {}, Metano, "1.0 1.056 1.2 11.0 83.5 93.7"},
    {"Gpl at start-up", {}, Gpl, "1.0 1.055 1.2 13.2 87.4 94.4"},
    {"Gasolio at start-up", {}, Gasolio, "1.0 1.054 1.1 14.3 87.6 93.4"},
    {"Nafta at start-up", {}, Nafta, "1.0 1.056 1.2 11.0 83.5 93.9"},
    {"Coke at start-up", {}, Coke, "1.0 1.056 1.2 11.0 83.5 93.9"},
    {"Propano with every reading changed", {"30", "-5", "-100", "0", "400"}, Propano,
     "1.6 1.090 1.9 12.5 78.9 85.6"},
    {"below zero corrected voltage the wet oxygen passes that of air",
     {"0.01", "10", "0", "20", "180"}, Metano, "23.2 -10.146 22.7 -1.0 149.8 169.0"},
    {"no flue loss: empty boxes read 0", {"57.16", "", "", "", ""}, Metano,
     "0.7 1.038 0.9 11.2 89.0 100.0"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    const FakeWindow started = testing::startedWindow(settings);
    EXPECT_EQ(started.captions(kResults), started.local(rows[0].shown));
    for (const auto& r : rows) {
      FakeWindow w = panel(r.readings, r.fuel, settings);
      EXPECT_EQ(w.caption("GrossLbl"), "stale") << r.name;  // choosing a fuel computes nothing
      OxiBtn_Click(w);
      EXPECT_EQ(w.captions(kResults), w.local(r.shown)) << r.name;
      EXPECT_TRUE(w.infoBoxes.empty()) << r.name;
    }
    // At the wet oxygen of air only WetLbl is written.
    const FakeWindow w = panel({"0.02"}, Metano, settings);
    EXPECT_EQ(w.outcomeOf(OxiBtn_Click),
              "box: The wet oxygen of " + w.local("20.9") +
                  " % leaves no air excess to compute.\n"
                  "AirLbl=\nCo2Lbl=\nDryLbl=\nGrossLbl=\nNetLbl=\nWetLbl=" +
                  w.local("20.9\n"));
  }
}

// Every bound is inclusive and tested before the fuel is looked at. Only
// the first reading past its limits is put back to its start-up text,
// after the limits box; the results stay as they were.
TEST(Lambda, LimitsAndFaults) {
  const std::string limitsBox =
      "box: The min mV probe value is 0.01 mV\nThe max mV probe value is 300 mV\n"
      "The min mV probe Offset value is -10 mV\nThe max mV probe Offset value is 10 mV\n"
      "The min Kelvin Temperatute Offset value is -200 K\n"
      "The max Kelvin Temperatute Offset value is 200 K\n"
      "The min combustion air temperature value is -50 \u00b0C\n"
      "The max combustion air temperature value is 200 \u00b0C\n"
      "The min flue temperature value is 0 \u00b0C\n"
      "The max flue temperature value is 800 \u00b0C\n\n";
  // clang-format off
  struct Case { std::vector<std::string> readings; std::string outcome; int fuel = kNoFuel; };
  std::vector<Case> cases{  // no outcome: results
    {{"500", "8", "0", "20", "900"}, limitsBox + "MvZo2Txt=57.16\n"},
    // The rise overflows before the tests; the air temperature fails first.
    {{"57.16", "8", "0", "-1.7E308", "1.7E308"}, limitsBox + "AirTxt=20\n"},
    {{"-1E400", "1E400", "1E400", "1E400", "1E400"},
     "box: The probe voltage is too large a number.\n"
     "AirLbl=\nCo2Lbl=\nDryLbl=\nGrossLbl=\nNetLbl=\nWetLbl=\n"},
    {{}, ""},  // no fuel: nothing written
  };
  const std::vector<testing::TestedRange> ranges{{"MvZo2Txt", 0.01, 300, "57.16"},
      {"MvOffTxt", -10, 10, "8"}, {"KOffTxt", -200, 200, "0"}, {"AirTxt", -50, 200, "20"},
      {"FlueTXt", 0, 800, "180"}};
  // clang-format on
  for (const testing::BoundText& b : testing::boundTexts(ranges)) {
    // An offset of 0 keeps a voltage of 0.01 clear of the wet oxygen of air.
    std::vector<std::string> readings{"57.16", "0", "0", "20", "180"};
    readings[std::find(kBoxes.begin(), kBoxes.end(), b.textBox) - kBoxes.begin()] = b.text;
    cases.push_back({readings, b.passes ? "" : limitsBox + b.reset, b.passes ? Metano : kNoFuel});
  }
  for (const Case& c : cases) {
    const std::string got = panel(c.readings, c.fuel).outcomeOf(OxiBtn_Click);
    // Readings that pass get results, whatever they are.
    EXPECT_EQ(c.outcome.empty() && c.fuel == Metano && got.starts_with("AirLbl=") ? "" : got,
              c.outcome)
        << ::testing::PrintToString(c.readings);
  }
}

// The shell passes any entry through: one the table does not hold is no fuel.
TEST(Lambda, AnEntryOutsideTheFuelTableComputesNothing) {
  const std::vector<double> readings{57.16, 8, 0, 20, 180};
  for (const int entry : {-1, static_cast<int>(fuelTable().size())}) {
    Outcome out;
    calculateLambda({readings, entry, {}}, out);
    EXPECT_EQ(out.ending(), Ending::Nothing) << entry;
    EXPECT_TRUE(out.steps().empty()) << entry;
  }
}

}  // namespace
}  // namespace pyrelon
