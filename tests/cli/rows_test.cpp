// How the command line names list entries and reads numbers.
#include "cli/rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "shell/panels.h"

namespace pyrelon::cli {
namespace {

TEST(Rows, FindsListEntriesByNameOrAlias) {
  const struct {
    const char* panel;
    const char* name;
    int entry;
  } rows[] = {
      {"carbon", "din17022", 1},     {"carbon", "DIN-17022", 1},
      {"carbon", "accucarb", 0},     {"pressure", "kgcm2", 6},
      {"pressure", "Kg/cm2", 6},     {"pressure", "MMH2O", 5},
      {"temperature", "celsius", 0}, {"temperature", "\u00b0Fahrenheit", 1},
      {"temperature", "rankine", 3}, {"temperature", "centigradi", 0},
      {"lambda", "methane", 0},      {"lambda", "lpg", 2},
      {"lambda", "gasoil", 3},       {"lambda", "Nafta", 4},
      {"lambda", "naphtha", -1},     {"lambda", "coke", 5},
      {"flow", "both", 3},           {"flow", "", -1},
      {"oxygen", "standard", 0},
  };
  for (const auto& r : rows)
    EXPECT_EQ(findEntry(*panelById(r.panel)->list, r.name), r.entry) << r.panel << " " << r.name;
}

TEST(Rows, ReadsNumbersStrictly) {
  const struct {
    const char* text;
    bool comma;
    const char* point;
  } rows[] = {
      {"1121", false, "1121"},  {" -3.0 ", false, "-3.0"}, {"+.5", false, "+.5"},
      {"1e3", false, "1e3"},    {"1,5", true, "1.5"},      {"1.5", true, nullptr},
      {"1,5", false, nullptr},  {"12abc", false, nullptr}, {"", false, nullptr},
      {"-", false, nullptr},    {".", false, nullptr},     {"1e", false, nullptr},
      {"&H1F", false, nullptr}, {"1 2", false, nullptr},   {"1.2.3", false, nullptr},
  };
  for (const auto& r : rows) {
    const auto got = strictNumber(r.text, r.comma);
    EXPECT_EQ(got.value_or("none"), r.point ? r.point : "none") << r.text;
    EXPECT_EQ(strictReading(r.text, r.comma).has_value(), r.point != nullptr) << r.text;
  }
}

// The direct reading of short decimals is the Val rule's, digit for digit.
TEST(Rows, ReadsShortDecimalsExactlyAsTheValRule) {
  std::mt19937_64 rng(7);
  for (int n = 0; n < 200000; ++n) {
    std::string text = (rng() % 4 == 0) ? "-" : "";
    const int whole = static_cast<int>(rng() % 12), fraction = static_cast<int>(rng() % 12);
    for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + rng() % 10);
    if (fraction > 0 || whole == 0) text += '.';
    for (int i = 0; i < fraction || (whole == 0 && i == 0); ++i)
      text += static_cast<char>('0' + rng() % 10);
    const auto fast = strictReading(text, false);
    const ReadResult slow = readVal(text);
    ASSERT_TRUE(fast && fast->ok()) << text;
    ASSERT_EQ(std::memcmp(&fast->value, &slow.value, sizeof(double)), 0) << text;
  }
  EXPECT_FALSE(strictReading("1E400", false)->ok());
}

TEST(Rows, CaptionsAndUnitsOfResults) {
  const PanelDescriptor& lambda = *panelById("lambda");
  EXPECT_EQ(resultCaption(lambda, 0, 0), "Wet % O2");
  EXPECT_EQ(printedUnit(lambda, 0, 0), "");
  EXPECT_EQ(printedUnit(lambda, 0, 4), "%");
  EXPECT_EQ(resultCaption(*panelById("temperature"), 2, 1), "\u00b0Centigradi");
  EXPECT_EQ(resultCaption(*panelById("flow"), 3, 0), "Compensed Flow");
}

}  // namespace
}  // namespace pyrelon::cli
