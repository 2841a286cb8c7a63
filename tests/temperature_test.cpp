#include "units/temperature.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

// Each test runs under a point and under a comma; expected texts are
// written with a point and the comma is put in where the settings say.
class TemperaturePanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  TemperaturePanel() {
    w.settings = GetParam();
    w.setListEntries("GradiCmb", {"\u00b0Centigradi", "\u00b0Fahrenheit", "Kelvin", "\u00b0Rankine"},
                     -1);
  }
  std::string local(std::string s) const {
    for (char& c : s)
      if (c == '.') c = w.settings.decimalSeparator[0];
    return s;
  }
  // Lab2, Lab4 and Label12 joined by blanks.
  std::string results() const {
    return w.caption("Lab2") + " " + w.caption("Lab4") + " " + w.caption("Label12");
  }
  FakeWindow w;
};

TEST_P(TemperaturePanel, ChoosingASourceRelabelsPresetsAndSolves) {
  const struct {
    const char *lab1, *lab3, *label6, *preset, *results;
  } rows[] = {
      {"\u00b0Fahrenheit", "Kelvin", "\u00b0Rankine", "0", "32.0 273.2 491.7"},
      {"\u00b0Centigradi", "Kelvin", "\u00b0Rankine", "32", "0.0 273.2 491.7"},
      {"\u00b0Fahrenheit", "\u00b0Centigradi", "\u00b0Rankine", " 273.15", "32.0 0.0 491.7"},
      {"\u00b0Fahrenheit", "Kelvin", "\u00b0Centigradi", " 491.67", "32.0 273.2 0.0"},
  };
  for (int i = 0; i < 4; ++i) {
    w.setText("DataText", "999");
    w.setSelectedIndex("GradiCmb", i);
    EXPECT_EQ(w.caption("Lab1"), rows[i].lab1) << i;
    EXPECT_EQ(w.caption("Lab3"), rows[i].lab3) << i;
    EXPECT_EQ(w.caption("Label6"), rows[i].label6) << i;
    EXPECT_EQ(w.text("DataText"), rows[i].preset) << i;
    EXPECT_EQ(results(), local(rows[i].results)) << i;
  }
}

TEST_P(TemperaturePanel, ConvertsTypedValues) {
  const struct {
    int source;
    const char *input, *results;
  } rows[] = {
      // Column 2 goes on from the 37.8 degC shown (310.9 K unrounded); under
      // a comma it must be read back as 37,8, not 37.
      {1, "100", "37.8 311.0 559.7"},
      // Column 1 goes on from the 26.9 degC shown (80.3 degF unrounded).
      {2, "300", "80.4 26.9 540.0"},
      {1, "0", "-17.8 255.4 459.7"},
      {0, "-40", "-40.0 233.2 419.7"},
      {3, "0", "-459.7 0.0 -273.2"},
      {0, "-300", "-508.0 -26.9 -48.3"},  // below absolute zero: no message
      {0, "abc", "32.0 273.2 491.7"},
      {0, "21,9", "69.8 294.2 529.5"},
  };
  for (const auto& r : rows) {
    w.setSelectedIndex("GradiCmb", r.source);
    w.setText("DataText", r.input);
    TempBtn_Click(w);
    EXPECT_EQ(results(), local(r.results)) << r.source << " " << r.input;
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(TemperaturePanel, WithoutASelectionNothingChanges) {
  w.setCaption("Lab1", "x");
  GradiCmb_Click(w);
  TempBtn_Click(w);
  EXPECT_EQ(w.caption("Lab1"), "x");
  EXPECT_EQ(results(), "  ");
}

TEST_P(TemperaturePanel, FaultsKeepTheColumnsWrittenAndClearTheRest) {
  const char* const toF = "The temperature is too large to convert to \u00b0Fahrenheit.";
  const struct {
    int source;
    const char *input, *message, *lab4Starts;  // nullptr: Lab4 cleared too
  } rows[] = {
      {0, "1E400", "The input temperature is too large a number.", nullptr},
      {0, "-1.5e308", toF, nullptr},
      {2, "1e308", toF, "1000000"},  // Kelvin writes column 2 first
      // The shown value rounds past the largest double: it cannot be read back.
      {2, "1.7976931348623157e308", toF, "1797693134862320"},
  };
  for (const auto& r : rows) {
    w.setSelectedIndex("GradiCmb", r.source);
    w.infoBoxes.clear();
    w.setText("DataText", r.input);
    TempBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    EXPECT_EQ(w.infoBoxes[0].text, r.message);
    EXPECT_EQ(w.text("DataText"), r.input);
    EXPECT_EQ(w.caption("Lab2") + w.caption("Label12"), "") << r.input;
    if (r.lab4Starts == nullptr) {
      EXPECT_EQ(w.caption("Lab4"), "") << r.input;
    } else {
      EXPECT_TRUE(w.caption("Lab4").starts_with(r.lab4Starts)) << w.caption("Lab4");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Separators, TemperaturePanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(TemperatureStartup, OpensWithZeroCentigradeConverted) {
  FakeWindow w;
  w.settings = testing::commaSettings();
  Form_Load(w);
  EXPECT_EQ(w.caption("Lab2") + " " + w.caption("Lab4") + " " + w.caption("Label12"),
            "32,0 273,2 491,7");
}

}  // namespace
}  // namespace pyrelon
