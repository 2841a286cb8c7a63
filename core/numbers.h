// The five ways text becomes a number and a number becomes text, shared by
// every calculator. Nothing here reads the C library's locale: the user's
// decimal separator is always passed in, and digit work goes through
// std::from_chars / std::to_chars (core/chars.h) and integer arithmetic.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pyrelon {

// The user's number settings, read afresh at each use.
struct NumberSettings {
  std::string decimalSeparator = ".";
  std::string groupSeparator = ",";
};

// What a text reading gives when it fails. The Val rule only fails with
// Overflow (a number beyond the double range); the locale-aware reading
// fails with TypeMismatch on anything that is not a number.
enum class ReadError { Overflow, TypeMismatch };

struct ReadResult {
  double value = 0.0;
  std::optional<ReadError> error;  // empty when value is good

  bool ok() const { return !error.has_value(); }
};

// The Val rule: reads the number at the start of `text`, whatever the user's
// settings.
//   - Blanks, tabs and line feeds are dropped wherever they stand
//     (" 273.15" -> 273.15, "1 2" -> 12).
//   - Optional sign, digits with at most one point (a second point ends the
//     number: "1.2.3" -> 1.2), optional exponent E/e with optional sign.
//   - Reading stops at the first character that cannot continue the number;
//     the comma is such a character ("1,5" -> 1, "12abc" -> 12).
//   - No number at the start ("", "abc", "-", ".") gives 0.
//   - "&H1F" / "&O17" read whole numbers in hexadecimal / octal (both 31).
//   - A number too large for a double ("1E400", or a hexadecimal or octal
//     text beyond the double range) gives error Overflow; one too small to
//     represent ("1E-400") reads as zero.
ReadResult readVal(std::string_view text);

// The Val rule together with where it stopped, for saying when a text is
// only partly read. `result` is readVal(text). `end` is the offset in
// `text` just past the last character read, or text.size() when only
// blanks follow it; `number` is false when no number stands at the start
// (then `end` is 0).
//   scanVal("1,5")   -> 1, end 1, number
//   scanVal("1 2 ")  -> 12, end 4, number
//   scanVal("7.5.1") -> 7.5, end 3, number
//   scanVal("-")     -> 0, end 0, no number
struct ValScan {
  ReadResult result;
  std::size_t end = 0;
  bool number = false;
};
ValScan scanVal(std::string_view text);

// The locale-aware reading, used to read back a result caption. The whole
// text, apart from leading and trailing blanks, must be an optional sign,
// digits (the grouping character may appear among the whole digits), at most
// one `decimalSeparator` followed by digits, and an optional exponent.
// Anything else, the empty text included, gives TypeMismatch; a number
// beyond the double range gives Overflow.
//   readLocaleNumber("273,2", ",", ".") -> 273.2
//   readLocaleNumber("273.2", ",", ".") -> 2732  (the point groups digits)
//   readLocaleNumber("abc", ".", ",")   -> TypeMismatch
// Every text that formatPattern writes with the same separator reads back to
// the value it shows, except at the very top of the double range: a
// magnitude of 1.797693134862315e308 or more shows as 1.79769313486232e308,
// which lies beyond the range and reads as Overflow.
ReadResult readLocaleNumber(std::string_view text, std::string_view decimalSeparator,
                            std::string_view groupSeparator);

// Pattern formatting. `pattern` is made of '#' and '0' placeholders with at
// most one '.'; d = the number of placeholders after the point.
// The magnitude is first written with 15 significant digits, then rounded
// to d decimals, a final 5 rounding away from zero:
//   formatPattern(273.15, "###0.0", ".")  -> "273.2"
//   formatPattern(2.675, "#0.00", ",")    -> "2,68"
//   formatPattern(0.25, "#.#0", ".")      -> ".25"  (no '0' in the whole part)
//   formatPattern(987.654, "#0.0", ".")   -> "987.7" (whole digits never cut)
//   formatPattern(1e308, "######0", ".")  -> all 309 digits
// A '0' placeholder forces a digit where the whole part is shorter; a '#'
// among the decimals shows its digit like a '0' when a '0' stands to its
// right, and otherwise drops trailing zeros. A negative value gets "-",
// unless it shows as zero. No digit grouping is inserted.
// A value that is not finite gives the empty text: callers check first.
std::string formatPattern(double value, std::string_view pattern,
                          std::string_view decimalSeparator);

// A pattern read once, for writing many values with it. compilePattern
// accepts any text, as formatPattern does: everything before the first '.'
// is the whole part, everything after it the decimals.
struct CompiledPattern {
  std::size_t minWholeDigits = 0;  // from the first '0' of the whole part on
  std::size_t decimals = 0;        // placeholders after the point
  std::size_t forcedDecimals = 0;  // decimals up to the last '0' among them
  bool hasPoint = false;
};
CompiledPattern compilePattern(std::string_view pattern);

// Appends what formatPattern writes to `out`, reusing its capacity:
//   appendPattern(out, v, compilePattern(p), sep) appends formatPattern(v, p, sep).
// Nothing is appended for a value that is not finite.
void appendPattern(std::string& out, double value, const CompiledPattern& pattern,
                   std::string_view decimalSeparator);

// The plain form: up to 15 significant digits, no trailing zeros, no
// trailing separator, "-" in front when negative, a zero before the
// separator below 1. Magnitudes from 1e-5 up to below 1e15 are written in
// full; others in exponent form like "1.5E+20" or "2E-07".
//   plainForm(10.0, ",") -> "10";  plainForm(12.5, ",") -> "12,5"
// A value that is not finite gives the empty text.
std::string plainForm(double value, std::string_view decimalSeparator);

// Appends what plainForm writes to `out`.
void appendPlain(std::string& out, double value, std::string_view decimalSeparator);

// The signed form: the plain form with a point, whatever the user's
// settings, and one leading blank in place of the sign when not negative.
//   signedForm(273.15) -> " 273.15";  signedForm(-3.0) -> "-3"
// readVal reads every such text back to the same number, but for the same
// top-of-range exception as formatPattern (" 1.79769313486232E+308").
std::string signedForm(double value);

// The key filter of the hydrogen and ammonia boxes: true when a character
// with `code` typed into a box holding `currentText` passes, that is when
// the text already holds a point or the character is a digit. When it does
// not pass, the caller beeps and empties the box, then lets the key through.
bool keyFilterPasses(std::string_view currentText, int code);

// `text` with each point that stands between two ASCII digits written as a
// comma, for a sentence shown with a decimal comma: "dew point 0.5 °C:
// 0.909 %C" -> "dew point 0,5 °C: 0,909 %C"; "1.3e-19" -> "1,3e-19";
// "J. Am. Chem. Soc. 53" and "…." stay as they are.
std::string withDecimalComma(std::string_view text);

}  // namespace pyrelon
