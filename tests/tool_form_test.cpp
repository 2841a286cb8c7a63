// The tool plumbing every face shares: strict reading, range sentences,
// the digits a result is written with, JSON, and the throwaway tool's
// trip through them. Expected values are worked by hand.
#include "shell/tool_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "core/registry.h"
#include "shell/help.h"
#include "shell/tools.h"
#include "tests/scratch/scratch_tool.h"

namespace pyrelon {
namespace {

using testing::scratchTool;

TEST(ToolNumbers, AreReadStrictly) {
  constexpr auto none = std::nullopt;
  // clang-format off
  const struct { const char *name, *text, *separator; std::optional<double> expected; } rows[] = {
      {"plain", "925", ".", 925.0}, {"blanks_around", " \n-4.5\t\r", ".", -4.5},
      {"plus_sign", "+3", ".", 3.0}, {"leading_point", ".5", ".", 0.5},
      {"trailing_point", "5.", ".", 5.0}, {"exponent", "1.5e-3", ".", 0.0015},
      {"exponent_capital", "2E2", ".", 200.0}, {"comma_where_comma", "4,5", ",", 4.5},
      {"point_where_comma", "4.5", ",", 4.5}, {"comma_where_point", "4,5", ".", none},
      {"trailing_letters", "12abc", ".", none}, {"empty", "", ".", none},
      {"sign_only", "-", ".", none}, {"point_only", ".", ".", none},
      {"two_points", "1.2.3", ".", none}, {"inner_blank", "1 2", ".", none},
      {"exponent_without_digits", "1e", ".", none}, {"beyond_double", "1e400", ".", none},
      {"beyond_double_negative", "-1e400", ".", none},
      {"below_denormal_negative", "-1e-400", ".", 0.0}, {"below_denormal", "1e-400", ".", 0.0},
      {"hexadecimal", "&H1F", ".", none}, {"infinity_word", "inf", ".", none},
      {"nan_word", "nan", ".", none},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(readToolNumber(row.text, row.separator), row.expected);
  }
}

TEST(ToolNumbers, AreWrittenAsTheirDigitsSay) {
  using enum Digits;
  // clang-format off
  const struct {
    const char* name; double value; Digits digits; int places; const char *separator, *expected;
  } rows[] = {
      {"decimals_pad", 0.54, Decimals, 3, ".", "0.540"},
      {"decimals_round_up", 0.5406, Decimals, 3, ".", "0.541"},
      // The double nearest 0.5405 is 0.54049999999999998046...: rounded as it is.
      {"decimals_binary_below_half", 0.5405, Decimals, 3, ".", "0.540"},
      {"decimals_round_down", 1.2344, Decimals, 3, ".", "1.234"},
      {"decimals_carry", 9.9996, Decimals, 3, ".", "10.000"},
      {"decimals_tie_away", 0.125, Decimals, 2, ".", "0.13"},  // exact in binary
      {"decimals_negative_tie_away", -2.5, Decimals, 0, ".", "-3"},
      // The doubles either side of 0.125 lie below and above the half.
      {"decimals_just_below_tie", std::nextafter(0.125, 0.0), Decimals, 2, ".", "0.12"},
      {"decimals_just_above_tie", std::nextafter(0.125, 1.0), Decimals, 2, ".", "0.13"},
      {"decimals_binary_below_2675", 2.675, Decimals, 2, ".", "2.67"},  // 2.67499999…
      {"significant_just_below_tie", std::nextafter(0.125, 0.0), Significant, 2, ".", "0.12"},
      // 9.883447461352235 is 9.88344746135223495286936667980626… (Python's
      // Decimal): below the half at 15 digits, though its 17 digits read
      // 9.8834474613522350.
      {"significant_17_digits_say_half", 9.883447461352235, Significant, 15, ".",
       "9.88344746135223"},
      // The same at 4 digits: 1.1355 is 1.13549999999999995381…, 1.1355000000000000 at 17.
      {"significant_17_digits_say_half_at_4", 1.1355, Significant, 4, ".", "1.135"},
      {"decimals_no_minus_zero", -0.0001, Decimals, 3, ".", "0.000"},
      {"decimals_negative_zero", -0.0, Decimals, 1, ".", "0.0"},
      {"decimals_below_half_place", 0.00049, Decimals, 3, ".", "0.000"},
      {"decimals_half_place", 0.0005000001, Decimals, 3, ".", "0.001"},
      {"decimals_far_below", 1e-30, Decimals, 3, ".", "0.000"},
      {"decimals_none", 1137.6, Decimals, 0, ".", "1138"},
      {"decimals_comma", -5.64, Decimals, 1, ",", "-5,6"},
      {"decimals_large", 1.5e20, Decimals, 1, ".", "150000000000000000000.0"},
      {"significant_kn", 6.5612, Significant, 3, ".", "6.56"},
      {"significant_whole", 1234.5, Significant, 3, ".", "1230"},
      {"significant_small", 0.001234, Significant, 3, ".", "0.00123"},
      {"significant_carry", 9.996, Significant, 3, ".", "10.0"},
      {"significant_keeps_zeros", 0.5, Significant, 3, ".", "0.500"},
      {"significant_zero", 0.0, Significant, 3, ".", "0.00"},
      {"significant_tiny_goes_scientific", 1.5e-20, Significant, 3, ".", "1.50e-20"},
      {"significant_huge_goes_scientific", 2e15, Significant, 2, ".", "2.0e+15"},
      // Plain from 10^-5 up to below 10^15, as the rounded digits stand.
      {"significant_smallest_plain", 1.2345e-5, Significant, 3, ".", "0.0000123"},
      {"significant_largest_plain", 9.99e14, Significant, 3, ".", "999000000000000"},
      {"significant_below_plain", 1.2345e-6, Significant, 3, ".", "1.23e-06"},
      {"significant_rounded_into_plain", 9.996e-6, Significant, 3, ".", "0.0000100"},
      {"significant_comma", 0.74, Significant, 2, ",", "0,74"},
      {"scientific_po2", 1.5234e-20, Scientific, 3, ".", "1.52e-20"},
      {"scientific_whole", 12.0, Scientific, 3, ".", "1.20e+01"},
      {"scientific_carry", 9.996e-5, Scientific, 3, ".", "1.00e-04"},
      {"scientific_negative", -4.2e7, Scientific, 2, ".", "-4.2e+07"},
      {"scientific_one_digit", 7.7e-3, Scientific, 1, ".", "8e-03"},
      {"scientific_three_digit_exponent", 1.0e-300, Scientific, 2, ",", "1,0e-300"},
      {"scientific_zero", 0.0, Scientific, 3, ".", "0.00e+00"},
      {"not_a_number_gives_nothing", std::nan(""), Decimals, 3, ".", ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(formatToolNumber(row.value, row.digits, row.places, row.separator), row.expected);
  }
  EXPECT_EQ(formatToolNumber(std::numeric_limits<double>::max(), Decimals, 0, ".").size(), 309u);
}

TEST(ToolNumbers, JsonNumbersAreShortestAndReadBack) {
  // clang-format off
  const struct { const char* name; double value; const char* expected; } rows[] = {
      {"whole", 925.0, "925"}, {"fraction", 0.54, "0.54"}, {"tenth", 0.1, "0.1"},
      {"negative", -45.0, "-45"}, {"zero", 0.0, "0"}, {"tiny", 1.5234e-20, "1.5234e-20"},
      {"third", 1.0 / 3.0, "0.3333333333333333"}, {"large", 1e21, "1e+21"},
      {"just_below_large", 123456789012345678.0, "123456789012345680"},
      {"small_plain", 0.000001, "0.000001"}, {"nan", std::nan(""), "null"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(jsonNumber(row.value), row.expected);
  }
}

TEST(ToolForms, ReadGivenValuesStartValuesAndFaults) {
  constexpr auto none = std::nullopt;
  // Texts and readings: flow, share, hours.
  // clang-format off
  const struct {
    const char* name; std::vector<std::string> texts; const char *separator, *error;
    int failedInput; std::vector<std::optional<double>> readings;
  } rows[] = {
      {"all_blank_takes_start_values", {"", " ", ""}, ".", "", -1, {10.0, none, 8.0}},
      {"given_values", {"12.5", "40", "8"}, ".", "", -1, {12.5, 40.0, 8.0}},
      {"bounds_are_inclusive", {"0", "100", "0.5"}, ".", "", -1, {0.0, 100.0, 0.5}},
      {"above_range", {"", "", "25"}, ".", "The run time must be between 0.5 and 24 h.", 2,
       {10.0, none, 25.0}},
      {"below_range_comma", {"", "", "0,4"}, ",", "The run time must be between 0,5 and 24 h.", 2,
       {10.0, none, 0.4}},
      {"not_a_number", {"12abc", "", ""}, ".", "The gas flow \"12abc\" is not a number.", 0,
       {none, none, 8.0}},
      {"first_fault_wins", {"-1", "x", ""}, ".", "The gas flow must be between 0 and 100 m³/h.", 0,
       {-1.0, none, 8.0}},
      {"no_number_before_range_fault_after_it", {"", "x", "99"}, ".",
       "The nitrogen share \"x\" is not a number.", 1, {10.0, none, 99.0}},
      // A face that sends more texts than the tool has inputs, or fewer.
      {"texts_past_the_inputs_ignored", {"12.5", "40", "8", "x", "1"}, ".", "", -1,
       {12.5, 40.0, 8.0}},
      {"missing_texts_blank", {"12.5"}, ".", "", -1, {12.5, none, 8.0}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ToolForm form = readToolForm(scratchTool(), row.texts, row.separator);
    EXPECT_EQ(form.error, row.error);
    EXPECT_EQ(form.failedInput, row.failedInput);
    EXPECT_EQ(form.readings, row.readings);
  }
}

TEST(ToolForms, ARequiredInputMustBeGiven) {
  // The run time made required, with no start value.
  static std::array<ToolInput, 3> inputs;
  std::copy_n(scratchTool().inputs.begin(), 3, inputs.begin());
  inputs[2].start = std::nullopt;
  inputs[2].required = true;
  ToolDescriptor tool = scratchTool();
  tool.inputs = inputs;
  // clang-format off
  const struct {
    const char* name; std::vector<std::string> texts; const char* error; int failedInput;
  } rows[] = {
      {"given", {"", "", "2"}, "", -1},
      {"blank", {"", "", " "}, "The run time is needed, from 0.5 to 24 h.", 2},
      {"an_earlier_fault_first", {"200", "", ""},
       "The gas flow must be between 0 and 100 m³/h.", 0},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ToolForm form = readToolForm(tool, row.texts, ".");
    EXPECT_EQ(form.error, row.error);
    EXPECT_EQ(form.failedInput, row.failedInput);
  }
  EXPECT_EQ(neededSentence(inputs[2], ","), "The run time is needed, from 0,5 to 24 h.");
}

// Every line a face shows, "label=value unit [note]", indented for members.
std::string linesText(const ToolOutcome& outcome) {
  std::string out;
  for (const ToolLine& line : toolLines(scratchTool(), outcome, ".")) {
    out += std::string(line.depth * 2, ' ') + line.label + "=" + line.value;
    if (!line.unit.empty()) out += " " + line.unit;
    if (!line.note.empty()) out += " [" + line.note + "]";
    out += "\n";
  }
  return out;
}

// The plain outcomes (a note, the start values, idle, the decimal comma)
// are typed cases of the command line: tests/cli/cases/scratch/scratch-mix.txt.
TEST(ToolForms, ShowEveryResultAsTheDescriptionSays) {
  const char* const noResult =
      "Volume=—\nNitrogen volume=—\nRate per second=—\nVerdict=—\nFlags=—\nSplit=\n"
      "  First half=—\n  Second half=—\n";
  // clang-format off
  const struct {
    const char* name; std::vector<std::string> texts; const char* error; int failedInput;
    const char* expected;
  } rows[] = {
      // 2000 m³, 60 % of it 1200; 100 / 3600 = 0.02777…
      {"long_rich_run", {"100", "60", "20"}, "", -1,
       "Volume=2000.00 m³\nNitrogen volume=1200 m³\nRate per second=2.78e-02 m³/s\n"
       "Verdict=running\nFlags=long, rich\nSplit=\n"
       "  First half=1000.0 m³\n  Second half=1000.0 m³\n"},
      // 100 × 21 = 2100 m³: the calculator refuses.
      {"calculator_fault", {"100", "1", "21"}, "The volume must be at most 2000 m³.", 0, noResult},
      {"range_fault", {"101", "", ""}, "The gas flow must be between 0 and 100 m³/h.", 0, noResult},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ToolOutcome outcome = runTool(scratchTool(), readToolForm(scratchTool(), row.texts, "."));
    EXPECT_EQ(linesText(outcome), row.expected);
    EXPECT_EQ(outcome.error, row.error);
    EXPECT_EQ(outcome.failedInput, row.failedInput);
  }
}

// A calculator that returns too few values, a NaN and a short group.
ToolOutcome carelessCalculator(ToolReadings) {
  ToolValue nan, infinite, group;
  nan.kind = infinite.kind = ToolValue::Kind::Number;
  nan.number = std::nan("");
  infinite.number = std::numeric_limits<double>::infinity();
  group.kind = ToolValue::Kind::Group;
  ToolOutcome out;
  out.results = {nan, infinite, nan, ToolValue{}, ToolValue{}, group};
  return out;
}

TEST(ToolForms, NoNaNOrInfinityReachesAFace) {
  ToolDescriptor careless = scratchTool();
  careless.calculate = &carelessCalculator;
  const std::vector<std::string> blank(3);
  const ToolOutcome outcome = runTool(careless, readToolForm(careless, blank, "."));
  ASSERT_EQ(outcome.results.size(), 6u);
  EXPECT_EQ(outcome.results[0].kind, ToolValue::Kind::Absent);
  EXPECT_EQ(outcome.results[1].kind, ToolValue::Kind::Absent);
  EXPECT_EQ(outcome.results[5].members.size(), 2u);
  const std::string json = toolJson(careless, std::vector<std::optional<double>>(3), outcome, 0);
  EXPECT_EQ(json.find("nan"), std::string::npos) << json;
  EXPECT_EQ(json.find("inf"), std::string::npos) << json;
}

// The indented form is a typed case of the command line's --json
// (tests/cli/cases/scratch/scratch-mix.txt).
TEST(ToolJson, IndentZeroWritesOneLine) {
  const ToolForm form = readToolForm(scratchTool(), {{"12.5", "40", ""}}, ".");
  const ToolOutcome outcome = runTool(scratchTool(), form);
  EXPECT_EQ(toolJson(scratchTool(), form.readings, outcome, 0),
            R"({"tool":"scratch-mix","inputs":{"flow":12.5,"share":40,"hours":8},)"
            R"("results":{"volume":100,"nitrogen":40,"rate":0.003472222222222222,)"
            R"("verdict":"running","flags":[],"split":{"first":50,"second":50}},"error":null})");
}

TEST(ToolJson, StringsAreQuoted) {
  // clang-format off
  const struct { const char* name; std::string text; const char* expected; } rows[] = {
      {"plain", "running", R"("running")"}, {"quote_and_backslash", R"(a"b\c)", R"("a\"b\\c")"},
      {"control_characters", std::string("a\nb\tc\x01", 6), R"("a\u000ab\u0009c\u0001")"},
      {"utf8_as_is", "m³ °C —", "\"m³ °C —\""}, {"empty", "", R"("")"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(jsonQuoted(row.text), row.expected);
  }
}

// Each column's value, or nothing, is a typed case of the command line's
// --csv (tests/cli/cases/scratch/scratch-mix.txt). No tool's own columns
// name a missing result: only this test reaches one.
TEST(ToolColumns, AColumnNamingNoResultHasNoPlace) {
  EXPECT_EQ(placeOfColumn(scratchTool(), {"x", "nowhere", ""}).result, -1);
}

TEST(ToolRegistry, EveryRegisteredToolIsListedOnceByTitle) {
  // A test build adds its tool with no other change.
  ASSERT_EQ(toolById("scratch-mix"), &scratchTool());
  EXPECT_EQ(toolById("no-such-tool"), nullptr);
  EXPECT_EQ(std::ranges::count(tools(), &scratchTool()), 1);
  // Whatever registered itself has an id of its own and a calculator, so
  // the registry drops none of them.
  std::set<std::string_view> ids;
  for (const ToolDescriptor* tool : Registry<ToolDescriptor>::all()) {
    SCOPED_TRACE(tool->id);
    EXPECT_FALSE(tool->id.empty());
    EXPECT_NE(tool->calculate, nullptr);
    EXPECT_TRUE(ids.insert(tool->id).second) << "a second tool with this id";
  }
  EXPECT_EQ(tools().size(), Registry<ToolDescriptor>::all().size());
  for (std::size_t i = 1; i < tools().size(); ++i)
    EXPECT_LT(tools()[i - 1]->title, tools()[i]->title);
}

// How a tool's section is laid out (equations, inputs not used, members of
// a group, CSV columns, constants, notes) is pinned by help.html's sections
// of the atmosphere tools; here, that a tool's own rows reach the page.
TEST(ToolHelp, TheSectionComesFromTheDescription) {
  const std::string help = helpHtml();
  const auto section = help.find("<h2 id=\"tool-scratch-mix\">Scratch mix</h2>");
  ASSERT_NE(section, std::string::npos);
  for (const char* part : {
           "<tr><td>Run time</td><td>--hours</td><td>h</td><td>0.5 to 24</td><td>8</td></tr>",
           "<tr><td>Split: First half</td><td>split.first</td><td>m³</td><td>1 decimal</td></tr>",
           "<li>A tool for the tests only; never shipped.</li>",
       }) {
    SCOPED_TRACE(part);
    EXPECT_NE(help.find(part, section), std::string::npos);
  }
  EXPECT_LT(help.find("</h2>", section), help.find("</body>"));
}

}  // namespace
}  // namespace pyrelon
