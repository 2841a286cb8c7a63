#include "units/temperature.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "shell/shell.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;

const std::vector<std::string_view> kResults{"Lab2", "Lab4", "Label12"};

TEST(Temperature, EachSourceRelabelsPresetsAndSolvesThenGoesOnFromTheValueShown) {
  // clang-format off
  const struct { const char *captions, *preset, *results; } sources[] = {
    {"\u00b0Fahrenheit Kelvin \u00b0Rankine", "0", "32.0 273.2 491.7"},
    {"\u00b0Centigradi Kelvin \u00b0Rankine", "32", "0.0 273.2 491.7"},
    {"\u00b0Fahrenheit \u00b0Centigradi \u00b0Rankine", " 273.15", "32.0 0.0 491.7"},
    {"\u00b0Fahrenheit Kelvin \u00b0Centigradi", " 491.67", "32.0 273.2 0.0"},
  };
  const struct { const char* name; int source; const char *input, *results; } typed[] = {
    {"kelvin from 37.8 shown; the unrounded chain gives 310.9", 1, "100", "37.8 311.0 559.7"},
    {"Fahrenheit from 26.9 shown; the unrounded chain gives 80.3", 2, "300", "80.4 26.9 540.0"},
    {"below absolute zero: no message", 0, "-300", "-508.0 -26.9 -48.3"},
    {"no number reads as 0", 0, "abc", "32.0 273.2 491.7"},
    {"a comma ends the number: 21", 0, "21,9", "69.8 294.2 529.5"},
  };
  // clang-format on
  for (const NumberSettings& settings : testing::bothSettings()) {
    FakeWindow w = testing::startedWindow(settings);
    EXPECT_EQ(w.captions(kResults), w.local(sources[0].results));
    for (int i = 0; i < 4; ++i) {
      w.setText("DataText", "999");
      w.setSelectedIndex("GradiCmb", i);
      const auto& r = sources[i];
      EXPECT_EQ(w.captions({"Lab1", "Lab3", "Label6"}) + "|" + w.text("DataText") + "|" +
                    w.captions(kResults),
                std::string(r.captions) + "|" + r.preset + "|" + w.local(r.results));
    }
    for (const auto& r : typed) {
      w.setSelectedIndex("GradiCmb", r.source);
      w.setText("DataText", r.input);
      TempBtn_Click(w);
      EXPECT_EQ(w.captions(kResults), w.local(r.results)) << r.name;
    }
    EXPECT_TRUE(w.infoBoxes.empty());
  }
  // Without a selection nothing changes.
  EXPECT_EQ(FakeWindow().outcomeOf(GradiCmb_Click) + FakeWindow().outcomeOf(TempBtn_Click), "");
}

TEST(Temperature, FaultsKeepTheColumnsWrittenAndClearTheRest) {
  const char* const toF = "The temperature is too large to convert to \u00b0Fahrenheit.";
  // clang-format off
  const struct { const char* name; int source; const char *input, *message, *lab4; } rows[] = {
    {"beyond the double range", 0, "1E400", "The input temperature is too large a number.", ""},
    {"Fahrenheit overflows first", 0, "-1.5e308", toF, ""},
    {"kelvin writes column 2 first", 2, "1e308", toF, "1000000000000000"},
    {"the shown value rounds past the largest double", 2, "1.7976931348623157e308", toF,
     "1797693134862320"},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FakeWindow w = testing::startedWindow();
    w.setSelectedIndex("GradiCmb", r.source);
    w.setText("DataText", r.input);
    TempBtn_Click(w);
    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    // The box, the input as typed, and the first 16 characters of each result.
    EXPECT_EQ(w.infoBoxes[0].text + "|" + w.text("DataText") + "|" + w.caption("Lab2") + "|" +
                  w.caption("Lab4").substr(0, 16) + "|" + w.caption("Label12"),
              std::string(r.message) + "|" + r.input + "||" + r.lab4 + "|");
  }
}

}  // namespace
}  // namespace pyrelon
