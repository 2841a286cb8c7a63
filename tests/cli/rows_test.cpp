// How the command line names list entries and reads numbers.
#include "cli/rows.h"

#include <gtest/gtest.h>

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
      // clang-format off
      {"carbon", "din17022", 1}, {"carbon", "DIN-17022", 1}, {"carbon", "accucarb", 0},
      {"pressure", "kgcm2", 6}, {"pressure", "Kg/cm2", 6}, {"pressure", "MMH2O", 5},
      {"temperature", "celsius", 0}, {"temperature", "\u00b0Fahrenheit", 1},
      {"temperature", "rankine", 3}, {"temperature", "centigradi", 0},
      {"lambda", "methane", 0}, {"lambda", "lpg", 2}, {"lambda", "gasoil", 3},
      {"lambda", "Nafta", 4}, {"lambda", "naphtha", -1}, {"lambda", "coke", 5},
      {"flow", "both", 3}, {"flow", "", -1}, {"oxygen", "standard", 0},
      // clang-format on
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
  // A field is a view into the record: what follows it is no part of it,
  // whether it would continue the number's digits, its separator or its
  // exponent.
  // clang-format off
  const struct {
    const char* record;
    std::size_t length;
    bool comma;
    const char* point;
    double value;
  } views[] = {
      {"12.5,3", 2, false, "12", 12}, {"7,5", 1, true, "7", 7}, {"125", 2, false, "12", 12},
      {"1.25", 3, false, "1.2", 1.2}, {"1e56", 3, false, "1e5", 1e5}, {"1e5", 1, false, "1", 1},
  };
  // clang-format on
  for (const auto& v : views) {
    const std::string_view field = std::string_view(v.record).substr(0, v.length);
    EXPECT_EQ(strictNumber(field, v.comma).value_or("none"), v.point) << v.record;
    EXPECT_EQ(strictReading(field, v.comma)->value, v.value) << v.record;
  }
}

// The direct reading of short decimals is the Val rule's, digit for digit.
TEST(Rows, ReadsShortDecimalsExactlyAsTheValRule) {
  const auto sameAsVal = [](const std::string& text) {
    const auto fast = strictReading(text, false);
    const ReadResult slow = readVal(text);
    return fast && fast->ok() && std::memcmp(&fast->value, &slow.value, sizeof(double)) == 0;
  };
  std::mt19937_64 rng(7);
  for (int n = 0; n < 200000; ++n) {
    std::string text = (rng() % 4 == 0) ? "-" : "";
    const int whole = static_cast<int>(rng() % 12), fraction = static_cast<int>(rng() % 12);
    for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + rng() % 10);
    if (fraction > 0 || whole == 0) text += '.';
    for (int i = 0; i < fraction || (whole == 0 && i == 0); ++i)
      text += static_cast<char>('0' + rng() % 10);
    ASSERT_TRUE(sameAsVal(text)) << text;
  }
  EXPECT_FALSE(strictReading("1E400", false)->ok());
  // Past the exact powers of ten (1e22 is the last), the Val rule reads it.
  for (const char* text : {"0.0000000000000000000001", "0.00000000000000000000001",
                           "1.00000000000000000000000", "0.000000000000000000000000000123"})
    EXPECT_TRUE(sameAsVal(text)) << text;
}

// Names are matched on ASCII letters, in lower case, and digits alone.
TEST(Rows, NormalizesNamesToLettersAndDigits) {
  const struct {
    const char *name, *normalized;
  } cases[] = {
      // clang-format off
      {"DIN 17022", "din17022"}, {"Kg/cm2", "kgcm2"}, {"\u00b0Centigradi", "centigradi"},
      {"AZaz09", "azaz09"}, {"a-b_c.d", "abcd"}, {"@[`{", ""}, {"", ""},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(normalizedName(c.name), c.normalized) << c.name;
}

// A field in a message: UTF-8 characters kept whole, anything a terminal
// could act on (C0 and C1 controls, DEL, bytes of no character) shown as
// \xNN, cut after 40 characters. The byte ranges are those of RFC 3629,
// table 3-7 of the Unicode standard.
TEST(Rows, QuotesAFieldForAMessage) {
  const std::string degree = "\xC2\xB0";  // U+00B0
  // clang-format off
  const struct {
    const char* name;
    std::string field;
    std::string quoted;
  } cases[] = {
      {"plain", "12abc", "\"12abc\""}, {"empty", "", "\"\""},
      {"NUL, tab, line feed, escape, DEL", std::string("a\0\t\n\x1b[2J\x7F", 9),
       "\"a\\x00\\x09\\x0A\\x1B[2J\\x7F\""},
      {"a two-byte character before ASCII", degree + "C", "\"" + degree + "C\""},
      {"the lowest after the C1 controls", "\xC2\xA0", "\"\xC2\xA0\""},
      {"a C1 control (CSI)", "\xC2\x9B" "1", "\"\\xC2\\x9B1\""},
      {"the highest two-byte lead", "\xDF\xBF", "\"\xDF\xBF\""},
      {"an overlong two-byte form", "\xC1\xBF", "\"\\xC1\\xBF\""},
      {"the lowest three-byte character", "\xE0\xA0\x80", "\"\xE0\xA0\x80\""},
      {"an overlong three-byte form", "\xE0\x9F\xBF", "\"\\xE0\\x9F\\xBF\""},
      {"the last before the surrogates", "\xED\x9F\xBF", "\"\xED\x9F\xBF\""},
      {"a surrogate", "\xED\xA0\x80", "\"\\xED\\xA0\\x80\""},
      {"the highest three-byte lead", "\xEF\xBF\xBF", "\"\xEF\xBF\xBF\""},
      {"the lowest four-byte character", "\xF0\x90\x80\x80", "\"\xF0\x90\x80\x80\""},
      {"the highest character", "\xF4\x8F\xBF\xBF", "\"\xF4\x8F\xBF\xBF\""},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\"\\xF4\\x90\\x80\\x80\""},
      {"a lead byte that starts nothing", "\xF5\x80", "\"\\xF5\\x80\""},
      {"a character cut short at the end", "a\xE2\x82", "\"a\\xE2\\x82\""},
      {"a lone continuation byte", "\x80" "x", "\"\\x80x\""},
      {"40 characters whole", std::string(40, '7'), "\"" + std::string(40, '7') + "\""},
      {"41 characters cut", std::string(41, '7'), "\"" + std::string(40, '7') + "...\""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(quotedField(c.field), c.quoted) << c.name;
  // Characters are counted, not bytes: 40 degree signs are 80 bytes.
  std::string degrees;
  for (int i = 0; i < 41; ++i) degrees += degree;
  EXPECT_EQ(quotedField(degrees), "\"" + degrees.substr(0, 80) + "...\"");
  EXPECT_EQ(quotedField(degrees.substr(0, 80)), "\"" + degrees.substr(0, 80) + "\"");
}

}  // namespace
}  // namespace pyrelon::cli
