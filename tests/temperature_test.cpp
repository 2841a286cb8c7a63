#include "units/temperature.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const char* const kDegC = "\u00b0Centigradi";
const char* const kDegF = "\u00b0Fahrenheit";
const char* const kDegR = "\u00b0Rankine";

// Writes a result given with a point under the settings' separator.
std::string shown(std::string text, const NumberSettings& settings) {
  for (std::size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1))
    text.replace(at, 1, settings.decimalSeparator);
  return text;
}

class TemperaturePanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  TemperaturePanel() : w(true) {
    w.settings = GetParam();
    w.setListEntries("GradiCmb", {kDegC, kDegF, "Kelvin", kDegR}, -1);
  }

  // Picks a source unit (runs the selection handler), then solves `input`.
  void solve(int source, const std::string& input) {
    w.setSelectedIndex("GradiCmb", source);
    w.setText("DataText", input);
    TempBtn_Click(w);
  }

  std::array<std::string, 3> results() const {
    return {w.caption("Lab2"), w.caption("Lab4"), w.caption("Label12")};
  }
  std::array<std::string, 3> expected(const char* lab2, const char* lab4,
                                      const char* label12) const {
    return {shown(lab2, w.settings), shown(lab4, w.settings), shown(label12, w.settings)};
  }

  FakeWindow w;
};

TEST_P(TemperaturePanel, ChoosingASourceRelabelsPresetsAndSolves) {
  struct Row {
    int source;
    const char* lab1;
    const char* lab3;
    const char* label6;
    const char* preset;
    const char* lab2;
    const char* lab4;
    const char* label12;
  };
  const Row rows[] = {
      {0, kDegF, "Kelvin", kDegR, "0", "32.0", "273.2", "491.7"},
      {1, kDegC, "Kelvin", kDegR, "32", "0.0", "273.2", "491.7"},
      {2, kDegF, kDegC, kDegR, " 273.15", "32.0", "0.0", "491.7"},
      {3, kDegF, "Kelvin", kDegC, " 491.67", "32.0", "273.2", "0.0"},
  };
  for (const Row& r : rows) {
    w.setText("DataText", "999");
    w.setSelectedIndex("GradiCmb", r.source);
    EXPECT_EQ(w.caption("Lab1"), r.lab1) << r.source;
    EXPECT_EQ(w.caption("Lab3"), r.lab3) << r.source;
    EXPECT_EQ(w.caption("Label6"), r.label6) << r.source;
    EXPECT_EQ(w.text("DataText"), r.preset) << r.source;
    EXPECT_EQ(results(), expected(r.lab2, r.lab4, r.label12)) << r.source;
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(TemperaturePanel, ConvertsTypedValues) {
  struct Row {
    int source;
    const char* input;
    const char* lab2;
    const char* lab4;
    const char* label12;
  };
  const Row rows[] = {
      // Column 2 goes on from the rounded 37.8 degC: 310.9 K unrounded.
      {1, "100", "37.8", "311.0", "559.7"},
      // Column 1 goes on from the rounded 26.9 degC: 80.3 degF unrounded.
      {2, "300", "80.4", "26.9", "540.0"},
      {1, "0", "-17.8", "255.4", "459.7"},
      {0, "-40", "-40.0", "233.2", "419.7"},
      {3, "0", "-459.7", "0.0", "-273.2"},
      // Below absolute zero is converted like any other value.
      {0, "-300", "-508.0", "-26.9", "-48.3"},
      // Text without a number reads as 0; the comma ends a typed number.
      {0, "", "32.0", "273.2", "491.7"},
      {0, "abc", "32.0", "273.2", "491.7"},
      {0, "21,9", "69.8", "294.2", "529.5"},
      {2, " 2 73 .15", "32.0", "0.0", "491.7"},
  };
  for (const Row& r : rows) {
    solve(r.source, r.input);
    EXPECT_EQ(results(), expected(r.lab2, r.lab4, r.label12))
        << "source " << r.source << " input '" << r.input << "'";
    EXPECT_EQ(w.text("DataText"), r.input);
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(TemperaturePanel, WithoutASelectionNothingChanges) {
  w.setCaption("Lab2", "x");
  w.setCaption("Lab1", "y");
  w.setText("DataText", "5");
  GradiCmb_Click(w);
  TempBtn_Click(w);
  EXPECT_EQ(w.caption("Lab2"), "x");
  EXPECT_EQ(w.caption("Lab1"), "y");
  EXPECT_EQ(w.text("DataText"), "5");
}

TEST_P(TemperaturePanel, FaultsClearWhatCouldNotBeComputedAndKeepTheRest) {
  struct Row {
    int source;
    const char* input;
    const char* message;
    const char* lab4Starts;  // nullptr: cleared like the other two columns
  };
  const char* const toF = "The temperature is too large to convert to \u00b0Fahrenheit.";
  const Row rows[] = {
      {0, "1E400", "The input temperature is too large a number.", nullptr},
      {2, "-1e999", "The input temperature is too large a number.", nullptr},
      {0, "1e308", toF, nullptr},
      {0, "-1.5e308", toF, nullptr},
      // Kelvin writes column 2 first and keeps it.
      {2, "1e308", toF, "1000000"},
      // The shown value rounds past the largest double and cannot be read
      // back.
      {2, "1.7976931348623157e308", toF, "1797693134862320"},
  };
  for (const Row& r : rows) {
    w.setSelectedIndex("GradiCmb", r.source);
    w.infoBoxes.clear();
    for (const char* label : {"Lab2", "Lab4", "Label12"}) w.setCaption(label, "stale");
    w.setText("DataText", r.input);
    TempBtn_Click(w);

    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    EXPECT_EQ(w.infoBoxes[0].text, r.message) << r.input;
    EXPECT_EQ(w.text("DataText"), r.input);
    EXPECT_EQ(w.caption("Lab2"), "") << r.input;
    EXPECT_EQ(w.caption("Label12"), "") << r.input;
    if (r.lab4Starts == nullptr) {
      EXPECT_EQ(w.caption("Lab4"), "") << r.input;
    } else {
      EXPECT_TRUE(w.caption("Lab4").starts_with(r.lab4Starts)) << w.caption("Lab4");
      EXPECT_TRUE(w.caption("Lab4").ends_with(shown(".0", w.settings))) << w.caption("Lab4");
    }
  }
}

TEST_P(TemperaturePanel, AFaultDoesNotStopTheNextPress) {
  solve(0, "1E400");
  w.setText("DataText", "100");
  TempBtn_Click(w);
  EXPECT_EQ(results(), expected("212.0", "373.2", "671.7"));
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
  EXPECT_EQ(w.text("DataText"), "0");
  EXPECT_EQ(w.caption("Lab2"), "32,0");
  EXPECT_EQ(w.caption("Lab4"), "273,2");
  EXPECT_EQ(w.caption("Label12"), "491,7");
}

}  // namespace
}  // namespace pyrelon
