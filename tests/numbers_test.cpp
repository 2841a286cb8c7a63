#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace pyrelon {
namespace {

TEST(ValRule, ReadsTheNumberAtTheStart) {
  // clang-format off
  const struct { const char* text; double expected; } cases[] = {
      {"", 0}, {"abc", 0}, {" 273.15", 273.15}, {"1,5", 1}, {"12abc", 12}, {"1.2.3", 1.2},
      {"1.5E3", 1500}, {".5", 0.5}, {"-", 0}, {".", 0}, {"\t1\n2 . 5", 12.5}, {"1e+", 1},
      {"2E-2", 0.02}, {"-.25", -0.25}, {"e5", 0}, {"--5", 0}, {"&H1F", 31}, {"&hf0", 240},
      {"&O107", 71}, {"&o8", 0}, {"&HG", 0}, {"&", 0}, {"1E-400", 0}, {"0e999999999999", 0},
      {"00000000000000000000000000000000001.5", 1.5},
  };
  // clang-format on
  for (const auto& c : cases) {
    const ReadResult r = readVal(c.text);
    EXPECT_TRUE(r.ok()) << c.text;
    EXPECT_EQ(r.value, c.expected) << '"' << c.text << '"';
  }
}

// Where reading stops, in the text as typed: what a part-read mark quotes.
TEST(ValRule, ScanSaysWhereReadingStopped) {
  // clang-format off
  const struct { const char* text; double value; std::size_t end; bool number; } cases[] = {
      {"1,5", 1, 1, true},     {"36,5", 36, 2, true},   {"12abc", 12, 2, true},
      {"7.5.1", 7.5, 3, true}, {" 1 2 ", 12, 5, true},  {"1 2 x", 12, 3, true},
      {"1E", 1, 1, true},      {"1e+5x", 1e5, 4, true}, {"&H1FZ", 31, 4, true},
      {"", 0, 0, false},       {"-", 0, 0, false},      {".", 0, 0, false},
      {"abc", 0, 0, false},    {"&HZ", 0, 0, false},    {"&X1", 0, 0, false},
      {" \n", 0, 0, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    const ValScan scan = scanVal(c.text);
    EXPECT_TRUE(scan.result.ok()) << c.text;
    EXPECT_EQ(scan.result.value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(scan.end, c.end) << '"' << c.text << '"';
    EXPECT_EQ(scan.number, c.number) << '"' << c.text << '"';
  }
  const ValScan beyond = scanVal("1E400 ");
  EXPECT_EQ(beyond.result.error, ReadError::Overflow);
  EXPECT_EQ(beyond.end, 6u);
}

TEST(ValRule, ReportsNumbersBeyondTheDoubleRange) {
  const std::string hexBeyondRange = "&H" + std::string(300, 'F');
  for (const std::string text :
       {"1E400", "-1e309", "1e99999999999999999999", hexBeyondRange.c_str()})
    EXPECT_EQ(readVal(text).error, ReadError::Overflow) << text.substr(0, 20);
  EXPECT_TRUE(readVal("1.7976931348623157e308").ok());
  EXPECT_TRUE(readVal("0.00000000001e310").ok());
}

// A file's field may be a megabyte long: an exponent of six digits still
// meets as many zeros exactly. Each text below is 1 written out long.
TEST(ValRule, LongDigitRunsMeetTheirExponent) {
  const std::string zeros(200000, '0');
  // clang-format off
  const struct { const char* name; std::string text; } rows[] = {
      {"fraction", "0." + zeros + "1e200001"}, {"whole", "1" + zeros + "e-200000"},
      {"whole_and_fraction", "1" + zeros + "." + zeros + "e-200000"},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(readVal(row.text).value, 1.0) << row.name;
    EXPECT_TRUE(readVal(row.text).ok()) << row.name;
    EXPECT_EQ(readLocaleNumber(row.text, ".", ",").value, 1.0) << row.name;
  }
}

TEST(ValRule, IgnoresTheCLibraryLocale) {
  const char* italian = std::setlocale(LC_NUMERIC, "it_IT.UTF-8");
  EXPECT_EQ(readVal("1.5").value, 1.5);
  EXPECT_EQ(readVal("1,5").value, 1);
  EXPECT_EQ(formatPattern(1.5, "0.0", "."), "1.5");
  if (italian) std::setlocale(LC_NUMERIC, "C");
}

TEST(LocaleReading, ReadsWithTheUsersSeparators) {
  // clang-format off
  const struct { const char *text, *decimal, *group; double expected; } cases[] = {
      {"273,2", ",", ".", 273.2},    {"273.2", ".", ",", 273.2},
      {"273.2", ",", ".", 2732},     {" -1,056 ", ",", ".", -1.056},
      {"1.000,5", ",", ".", 1000.5}, {",5", ",", ".", 0.5},
      {"5,", ",", ".", 5},           {"1E3", ".", ",", 1000},
      {"+2", ".", ",", 2},           {"10\u202f000,5", ",", "\u202f", 10000.5},
  };
  // clang-format on
  for (const auto& c : cases) {
    const ReadResult r = readLocaleNumber(c.text, c.decimal, c.group);
    EXPECT_TRUE(r.ok()) << c.text;
    EXPECT_EQ(r.value, c.expected) << c.text;
  }
}

TEST(LocaleReading, RejectsWhatIsNotANumber) {
  for (const char* text : {"", " ", "abc", "1,5x", "-", ",", "1e", "1 2", ".5", "1,2,3"})
    EXPECT_EQ(readLocaleNumber(text, ",", ".").error, ReadError::TypeMismatch) << text;
  EXPECT_EQ(readLocaleNumber("1e400", ".", ",").error, ReadError::Overflow);
}

// Each expected text with a point; the comma run swaps it.
// clang-format off
const struct { double value; const char *pattern, *expected; } kPatternCases[] = {
    {273.15, "###0.0", "273.2"}, {-17.75, "###0.0", "-17.8"}, {0.9995, "0.000", "1.000"},
    {10, "##.#0", "10.00"}, {0.25, "#.#0", ".25"}, {2.5, "####0", "3"}, {2.675, "#0.00", "2.68"},
    {0.5, "#0.0", "0.5"}, {987.654, "######0", "988"}, {0, "#.#0", ".00"}, {-0.04, "#0.0", "0.0"},
    {-0.05, "#0.0", "-0.1"}, {9.995, "#0.00", "10.00"}, {99999.5, "####0", "100000"},
    {5e-324, "#0.00", "0.00"}, {123456789012345678.0, "######0", "123456789012346000"},
    {0.1 + 0.2, "0.000", "0.300"},
    // 2^49 + 1/2 has 16 digits, the last a 5: the 15th rounds up, not to even.
    {562949953421312.5, "######0", "562949953421313"},
    {562949953421312.375, "0.0", "562949953421312.0"}, {-0.0005, "0.000", "-0.001"},
    {-0.00049, "0.000", "0.000"}, {0.000995, "#.#0", ".00"}, {1e-7, "0.000", "0.000"},
    {0.5, "0", "1"}, {0.25, "#.##", ".25"}, {1.5, "0.", "2."}, {7.25, "#.#", "7.3"},
    {1e15, "0", "1000000000000000"},
};
// clang-format on

TEST(PatternFormatting, RoundsFifteenDigitsThenHalfAwayFromZero) {
  for (const auto& c : kPatternCases) {
    EXPECT_EQ(formatPattern(c.value, c.pattern, "."), c.expected)
        << c.value << " through " << c.pattern;
    std::string comma = c.expected;
    for (char& ch : comma)
      if (ch == '.') ch = ',';
    EXPECT_EQ(formatPattern(c.value, c.pattern, ","), comma) << c.value << " through " << c.pattern;
  }
}

TEST(PatternFormatting, ShowsEveryWholeDigitOfTheLargestDoubles) {
  const std::string max = formatPattern(DBL_MAX, "######0", ".");
  EXPECT_EQ(max.size(), 309u);
  EXPECT_EQ(max.substr(0, 16), "1797693134862320");
  EXPECT_EQ(max.find_first_not_of('0', 15), std::string::npos);
  const std::string e308 = formatPattern(1e308, "######0", ".");
  EXPECT_EQ(e308, "1" + std::string(308, '0'));
  EXPECT_EQ(formatPattern(-1e308, "0.000", ","), "-1" + std::string(308, '0') + ",000");
  EXPECT_EQ(formatPattern(INFINITY, "0.000", "."), "");
  EXPECT_EQ(formatPattern(NAN, "0.000", "."), "");
}

TEST(PatternFormatting, CompilesThePlaceholderCounts) {
  // clang-format off
  const struct {
    const char* pattern;
    std::size_t minWholeDigits, decimals, forcedDecimals;
    bool hasPoint;
  } cases[] = {
      {"#0.00", 1, 2, 2, true},   {"##.#0", 0, 2, 2, true}, {"#.#", 0, 1, 0, true},
      {"####0", 1, 0, 0, false},  {"0.0.0", 1, 3, 3, true}, {"", 0, 0, 0, false},
      {"00#.#0#", 3, 3, 2, true}, {".", 0, 0, 0, true},     {"0.", 1, 0, 0, true},
  };
  // clang-format on
  for (const auto& c : cases) {
    const CompiledPattern compiled = compilePattern(c.pattern);
    EXPECT_EQ(compiled.minWholeDigits, c.minWholeDigits) << c.pattern;
    EXPECT_EQ(compiled.decimals, c.decimals) << c.pattern;
    EXPECT_EQ(compiled.forcedDecimals, c.forcedDecimals) << c.pattern;
    EXPECT_EQ(compiled.hasPoint, c.hasPoint) << c.pattern;
  }
}

TEST(PatternFormatting, AppendsAfterWhatTheLineHolds) {
  std::string line = "T=";
  appendPattern(line, 273.15, compilePattern("###0.0"), ",");
  line += ';';
  appendPattern(line, -0.0004, compilePattern("0.000"), ",");
  line += ';';
  appendPlain(line, -2e-7, ",");
  EXPECT_EQ(line, "T=273,2;0,000;-2E-07");
}

TEST(PlainForm, WritesUpToFifteenSignificantDigits) {
  // clang-format off
  const struct { double value; const char* expected; } cases[] = {
      {0, "0"}, {12.5, "12.5"}, {-3, "-3"}, {0.1 + 0.2, "0.3"}, {-0.0, "0"},
      {1.0 / 3, "0.333333333333333"}, {1e15, "1E+15"}, {0.00001, "0.00001"}, {2e-7, "2E-07"},
      {-1e308, "-1E+308"}, {9.9999999999999999e14, "1E+15"}, {123456789012345, "123456789012345"},
      {562949953421312.5, "562949953421313"}, {-0.000012, "-0.000012"}, {9.9e-6, "9.9E-06"},
      {1.25e-300, "1.25E-300"},
      // Two exponent digits up to 99, three from 100.
      {1e99, "1E+99"}, {1e100, "1E+100"}, {-1e-100, "-1E-100"}, {4.9e-324, "4.94065645841247E-324"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(plainForm(c.value, "."), c.expected) << c.value;
  EXPECT_EQ(plainForm(12.5, ","), "12,5");
  EXPECT_EQ(plainForm(INFINITY, "."), "");
}

// Every exponent the exponent form can carry, each power of ten read by
// the standard library from its own text: "1E+15" to "1E+308" and "1E-06"
// to "1E-307", the digits written from the exponent here.
TEST(PlainForm, WritesEveryExponent) {
  for (int exponent = -307; exponent <= 308; ++exponent) {
    if (exponent > -6 && exponent < 15) continue;  // the plain decimals
    const std::string text = "1e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 2) digits.insert(0, "0");
    EXPECT_EQ(plainForm(value, "."), std::string("1E") + (exponent < 0 ? '-' : '+') + digits)
        << text;
  }
}

TEST(SignedForm, AlwaysUsesAPointAndABlankForTheSign) {
  // clang-format off
  const struct { double value; const char* expected; } cases[] = {
      {273.15, " 273.15"}, {1.0197, " 1.0197"}, {-3, "-3"}, {0, " 0"}, {-0.5, "-0.5"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(signedForm(c.value), c.expected);
    EXPECT_EQ(readVal(c.expected).value, c.value);
  }
}

}  // namespace
}  // namespace pyrelon
