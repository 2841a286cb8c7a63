#include "app/shell.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/controls.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

TEST(Startup, FillsEveryListAndSelectsItsFirstEntry) {
  FakeWindow w;
  Form_Load(w);
  const struct {
    const char* list;
    std::vector<std::string> entries;
  } lists[] = {
      {"GradiCmb", {"\u00b0Centigradi", "\u00b0Fahrenheit", "Kelvin", "\u00b0Rankine"}},
      {"ProbeCmb", {"Accucarb", "DIN 17022", "Lambda"}},
      {"FuelCmb", {"Metano", "Propano", "GPL", "Gasolio", "Nafta", "Coke"}},
      {"PresCmb", {"bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"}},
      {"FlowCmb", {"None", "Temperature", "Pressure", "Both"}},
      {"OxygenCmb", {"Standard"}},
  };
  for (const auto& l : lists) {
    EXPECT_EQ(w.listEntries(l.list), l.entries) << l.list;
    EXPECT_EQ(w.selectedIndex(l.list), 0) << l.list;
  }
}

TEST(Startup, WritesTheDefaultTextsAndShowsNoMessage) {
  FakeWindow w;
  Form_Load(w);
  const std::pair<const char*, const char*> defaults[] = {
      {"DataText", "0"},        {"HTxt", "10"},          {"NTxt", "31.61"},
      {"MvZccTxt", "1121"},     {"TempTxt", "830"},      {"CoTxt", "20"},
      {"MvZo2Txt", "57.16"},    {"MvOffTxt", "8"},       {"KOffTxt", "0"},
      {"AirTxt", "20"},         {"FlueTXt", "180"},      {"PresText", "1.013"},
      {"MvZrO2Txt", "87.0"},    {"TempZrO2Txt", "1100"}, {"BiasZrO2Txt", "-3.0"},
      {"RefTempTxt", "25.0"},   {"RefPresTxt", "2500"},  {"FlowTxt", "10.0"},
      {"FlowTempTxt", "25.0"},  {"FlowPresTxt", "2500"}, {"AtmPresTxt", "1013"},
  };
  for (const auto& [box, text] : defaults) EXPECT_EQ(w.text(box), text) << box;
  EXPECT_TRUE(w.infoBoxes.empty());
  EXPECT_EQ(w.beeps, 0);
}

TEST(Startup, RelabelsTheTemperatureColumnsWithoutTheDesignTimeBlank) {
  FakeWindow w;
  EXPECT_EQ(w.caption("Lab1"), "\u00b0 Fahrenheit");
  Form_Load(w);
  EXPECT_EQ(w.caption("Lab1"), "\u00b0Fahrenheit");
  EXPECT_EQ(w.caption("Lab3"), "Kelvin");
  EXPECT_EQ(w.caption("Label6"), "\u00b0Rankine");
}

TEST(Startup, FillsEveryResultLabelUnderBothSeparators) {
  for (const NumberSettings& settings : {testing::pointSettings(), testing::commaSettings()}) {
    FakeWindow w;
    w.settings = settings;
    Form_Load(w);
    for (const ControlSpec& c : controlTable()) {
      if (c.kind != ControlKind::ResultLabel) continue;
      const std::string shown = w.caption(c.name);
      EXPECT_FALSE(shown.empty()) << c.name;
      EXPECT_EQ(shown.find_first_not_of("-0123456789" + settings.decimalSeparator),
                std::string::npos)
          << c.name << " shows " << shown;
    }
  }
}

TEST(AboutBox, ListsSixLinesEachEndedByALineFeed) {
  FakeWindow w;
  Image1_Click(w);
  ASSERT_EQ(w.infoBoxes.size(), 1u);
  EXPECT_EQ(w.infoBoxes[0].text,
            "The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n");
}

TEST(ExitMenu, EndsTheProgramWithoutAMessage) {
  FakeWindow w;
  Form_Load(w);
  ExitMenu_Click(w);
  EXPECT_TRUE(w.ended);
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST(KeyFilter, BeepsAndEmptiesTheBoxOnARejectedKey) {
  struct Case {
    const char* box;
    const char* before;
    int code;
    const char* after;
    int beeps;
  } cases[] = {
      {"HTxt", "10", '5', "10", 0},       {"HTxt", "10", '.', "", 1},
      {"HTxt", "31.61", 'x', "31.61", 0}, {"HTxt", "10", 8, "", 1},
      {"NTxt", "31", 'a', "", 1},         {"NTxt", "3.1", '-', "3.1", 0},
      {"DataText", "10", 'a', "10", 0},   {"PresText", "1", ',', "1", 0},
  };
  for (const Case& c : cases) {
    FakeWindow w;
    w.setText(c.box, c.before);
    KeyHandler handler = findKeyHandler(c.box);
    ASSERT_NE(handler, nullptr) << c.box;
    handler(w, c.code);
    EXPECT_EQ(w.text(c.box), c.after) << c.box << " " << c.before << " + " << c.code;
    EXPECT_EQ(w.beeps, c.beeps) << c.box << " " << c.before << " + " << c.code;
  }
}

TEST(Wiring, EveryHandlerNamesAControlOfTheWindow) {
  std::set<std::string_view> wired;
  for (const auto& e : clickHandlers()) wired.insert(e.control);
  for (const auto& e : selectionHandlers()) wired.insert(e.control);
  for (const auto& e : keyHandlers()) wired.insert(e.control);
  for (std::string_view name : wired) {
    if (name == "ExitMenu") continue;  // a menu entry, not a control of the table
    EXPECT_NE(findControl(name), nullptr) << name;
  }
  for (const ControlSpec& c : controlTable()) {
    if (c.kind == ControlKind::Button) {
      EXPECT_TRUE(wired.contains(c.name)) << c.name;
    }
  }
  EXPECT_EQ(wired.size(), 9u + 2u + 4u);
}

}  // namespace
}  // namespace pyrelon

namespace pyrelon {
namespace {

TEST(InputLimits, NameTheTestedBoxesWithTheirRanges) {
  struct Case {
    const char* box;
    double min, max;
    const char* unit;
  } cases[] = {
      {"MvZccTxt", 960, 1340, "mV"}, {"TempTxt", 650, 1300, "\u00b0C"}, {"CoTxt", 2, 37, "%"},
      {"MvZrO2Txt", -10, 300, "mV"}, {"HTxt", 1, 100, "%"},             {"NTxt", 5, 100, "%"},
      {"MvZo2Txt", 0.01, 300, "mV"}, {"MvOffTxt", -10, 10, "mV"},        {"KOffTxt", -200, 200, "K"},
      {"AirTxt", -50, 200, "\u00b0C"}, {"FlueTXt", 0, 800, "\u00b0C"},
  };
  for (const Case& c : cases) {
    const InputLimit* limit = inputLimitFor(c.box);
    ASSERT_NE(limit, nullptr) << c.box;
    EXPECT_EQ(limit->min, c.min) << c.box;
    EXPECT_EQ(limit->max, c.max) << c.box;
    EXPECT_EQ(limit->unit, c.unit) << c.box;
  }
  for (const char* untested : {"DataText", "PresText", "BiasZrO2Txt", "TempZrO2Txt", "FlowTxt"})
    EXPECT_EQ(inputLimitFor(untested), nullptr) << untested;
}

}  // namespace
}  // namespace pyrelon
