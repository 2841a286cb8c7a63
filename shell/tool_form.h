// What every face does with a tool besides laying out its form: reading
// the form's texts into readings, checking them against their ranges,
// running the calculator, and writing each result as the description
// says (for the screen, the CSV file and JSON). Toolkit-free: the window,
// the page's module and the command line all call these, so a tool reads
// and shows the same everywhere.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tool.h"

namespace pyrelon {

// Reads a form's number strictly: the whole text, blanks at either end
// aside, must be an optional sign, digits with at most one decimal
// separator and an optional exponent (e or E, optional sign, digits). The
// separator is the point, or `decimalSeparator` where that is a comma.
// Anything else gives nothing, as does a number beyond the double range.
//   readToolNumber(" -4.5 ", ".") -> -4.5;  readToolNumber("4,5", ",") -> 4.5
//   readToolNumber("4,5", ".") -> nothing;  readToolNumber("12abc", ".") -> nothing
//   readToolNumber("1e400", ".") -> nothing;  readToolNumber("", ".") -> nothing
std::optional<double> readToolNumber(std::string_view text, std::string_view decimalSeparator);

// True for a text holding nothing but blanks: an input that is not given.
bool isBlankText(std::string_view text);

// The sentence for a reading outside its input's range, naming the bounds
// in the plain form with the user's separator:
//   "The dew point must be between -45 and 30 °C."
std::string outOfRangeSentence(const ToolInput& input, std::string_view decimalSeparator);
// The sentence for a required input not given:
//   "The furnace temperature is needed, from 800 to 1100 °C."
std::string neededSentence(const ToolInput& input, std::string_view decimalSeparator);
// The sentence for a text that is not a number:
//   "The dew point \"12abc\" is not a number."
std::string notANumberSentence(const ToolInput& input, std::string_view text);
// The range as a tooltip and --help state it: "-45 to 30 °C".
std::string toolRangeText(const ToolInput& input, std::string_view decimalSeparator);

// A form as read: one reading per input (the value given, else the
// input's start value, else nullopt), and the first fault found.
struct ToolForm {
  std::vector<std::optional<double>> readings;
  std::string error;     // empty when every given value is a number within its range
  int failedInput = -1;  // the input `error` is about
  bool ok() const { return error.empty(); }
};

// Reads `texts` (one per input, in the description's order; a blank text
// is an input not given; a required input not given is a fault, named by
// neededSentence). A text that is no number, or a number outside
// its range, gives the error of the first such input; its reading is
// then nullopt (no number) or the value read (out of range).
ToolForm readToolForm(const ToolDescriptor& tool, std::span<const std::string> texts,
                      std::string_view decimalSeparator);
// The same from values already read (nullopt: not given), as the command
// line and the batch have them.
ToolForm checkToolReadings(const ToolDescriptor& tool, std::span<const std::optional<double>> given,
                           std::string_view decimalSeparator);
// The same into `form`, reusing its storage.
void checkToolReadingsInto(const ToolDescriptor& tool, std::span<const std::optional<double>> given,
                           std::string_view decimalSeparator, ToolForm& form);

// Runs the calculator on a form read without fault; for a form with a
// fault, gives its error with every result absent. The outcome always has
// one value per result, and one member per member of a group; a number
// that is not finite comes back absent, so no face ever shows NaN or
// infinity.
ToolOutcome runTool(const ToolDescriptor& tool, const ToolForm& form);
// The same into `outcome`, reusing its storage: through the tool's `fill`
// where it has one, else its `calculate`. What `outcome` held before is
// gone; the result is what runTool returns, value for value.
void runToolInto(const ToolDescriptor& tool, const ToolForm& form, ToolOutcome& outcome);
// Leaves `outcome` without error and every value absent and empty, the
// members of a group included, keeping the storage.
void resetToolOutcome(ToolOutcome& outcome);

// A number written as a result's digits say, correctly rounded (a tie
// rounds away from zero), with `decimalSeparator` as the point:
//   Decimals 3:    0.54   -> "0.540";  -0.0001 -> "0.000" (no "-0")
//   Significant 3: 6.5612 -> "6.56";   1234.5 -> "1230";  0.001234 -> "0.00123"
//                  (below 1e-5 or from 1e15 up, the scientific form)
//   Scientific 3:  1.5234e-20 -> "1.52e-20";  12.0 -> "1.20e+01"
// Digits beyond the 41st significant one are written as zeros. A value
// that is not finite gives the empty text: callers check first.
std::string formatToolNumber(double value, Digits digits, int places,
                             std::string_view decimalSeparator);

// The shortest text that reads back to exactly `value`, as JSON numbers
// are written: "925", "0.54", "1.5234e-20". Not finite: "null".
std::string jsonNumber(double value);

// `text` as a JSON string, quotes included: "\"" and "\\" escaped, control
// characters as \u00XX, other bytes (UTF-8) as they are.
std::string jsonQuoted(std::string_view text);

// What a value shows as text: a number as its result's digits say; a text
// as it is; a list joined with ", " ("none" when empty); an absent value
// as its note, or "—". A group gives the empty text (see toolLines).
std::string shownToolValue(const ToolValue& value, const ToolResult& result,
                           std::string_view decimalSeparator);

// One line of a tool's results as a face lists them.
struct ToolLine {
  std::string path;      // "carbon_potential" or, for a member, "carbon_potential.probe"
  std::string label;     // "Carbon potential", or the member's own label
  std::string value;     // as shownToolValue writes it; empty for a group's heading
  std::string unit;      // the result's unit where a number is shown, else empty
  std::string note;      // the note beside a shown value; empty where it stands in its place
  int depth = 0;         // 1 for a group's members
  bool heading = false;  // a group's heading line
  bool absent = false;   // no value applies: `value` is its note, or "—"
};

// Every result in order, a group as a heading followed by its members.
std::vector<ToolLine> toolLines(const ToolDescriptor& tool, const ToolOutcome& outcome,
                                std::string_view decimalSeparator);

// The tool's JSON: {"tool": ID, "inputs": {...}, "results": {...},
// "error": null or the sentence}. Inputs are keyed by member name
// ("dew_point") with the reading used (null where absent); results by
// key, a number at full precision, a text, a list as an array, a group as
// an object of its members, null where absent. `indent` 0 writes one line
// (JSON Lines); otherwise the members go one a line, indented by it.
std::string toolJson(const ToolDescriptor& tool, std::span<const std::optional<double>> readings,
                     const ToolOutcome& outcome, int indent);

// Where a CSV column's value stands in an outcome: the result's index and
// the member's, or -1 for a result that is not a group. `result` is -1
// for a column naming no result of the tool.
struct ToolColumnPlace {
  int result = -1;
  int member = -1;
};
ToolColumnPlace placeOfColumn(const ToolDescriptor& tool, const ToolColumn& column);

// Appends a column's value to `out` as shownToolValue writes it, but
// nothing for an absent value (an empty CSV field).
void appendColumnValue(std::string& out, const ToolDescriptor& tool, ToolColumnPlace place,
                       const ToolOutcome& outcome, std::string_view decimalSeparator);

}  // namespace pyrelon
