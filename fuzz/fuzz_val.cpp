// The readings of text and the two pattern-free forms on arbitrary bytes.
//
// Properties:
//   - the Val rule and the locale-aware reading never crash; a good reading
//     is finite; the Val rule fails only with Overflow;
//   - a text without a comma that the locale-aware reading (point settings)
//     accepts gives the Val rule the same value, or the same overflow;
//   - the signed form of a value reads back by the Val rule to that value
//     rounded to 15 significant digits, and writes the same text again
//     (apart from the magnitudes next to the double limit, whose 15-digit
//     text lies beyond the range and reads back as an overflow);
//   - the plain form, under either separator, reads back by the locale-aware
//     reading to the same double, has at most 15 significant digits, no
//     blank, no trailing separator and no trailing fractional zero.
// The values come from the Val rule's own reading of the input and, when
// the input has eight bytes or more, from its first eight bytes taken as a
// double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "check.h"
#include "core/numbers.h"

namespace {

using namespace pyrelon;
using pyrelon::fuzz::describe;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;
using pyrelon::fuzz::showsDoubleLimit;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// |read - value| may be half a unit in the 15th significant digit, plus the
// rounding of the text back to a double.
bool within15Digits(double read, double value) {
  const double slack = 5.0e-15 * std::fabs(value) + 2.3e-16 * std::fabs(read) +
                       std::numeric_limits<double>::denorm_min();
  return std::fabs(read - value) <= slack;
}

void checkPlainFormShape(std::string_view text, std::string_view separator, double value) {
  const std::string context =
      "plainForm(" + describe(value) + ", " + std::string(separator) + ") = " + quote(text);
  require(!text.empty(), "plain form of a finite value is not empty", context);
  require(text.find(' ') == std::string_view::npos, "plain form has no blank", context);
  require((text[0] == '-') == (value < 0), "plain form starts with '-' exactly when negative",
          context);

  const auto exponentAt = text.find('E');
  const std::string_view mantissa = text.substr(0, exponentAt);
  require(!mantissa.ends_with(separator), "plain form has no trailing separator", context);
  if (mantissa.find(separator) != std::string_view::npos)
    require(!mantissa.ends_with('0'), "plain form has no trailing fractional zero", context);

  int significant = 0;
  bool leading = true;
  for (char c : mantissa) {
    if (!isDigit(c)) continue;
    if (leading && c == '0') continue;
    leading = false;
    ++significant;
  }
  require(significant <= 15, "plain form has at most 15 significant digits", context);
}

void checkForms(double value) {
  const std::string signedText = signedForm(value);
  const std::string context = "signedForm(" + describe(value) + ") = " + quote(signedText);
  require(signedText.size() >= 2, "signed form has a sign place and a digit", context);
  require(signedText[0] == (value < 0 ? '-' : ' '),
          "signed form opens with '-' when negative, else one blank", context);
  require(isDigit(signedText[1]), "signed form has a digit after the sign place", context);

  const ReadResult back = readVal(signedText);
  if (!back.ok()) {
    require(back.error == ReadError::Overflow && showsDoubleLimit(signedText),
            "signed form reads back by the Val rule", context);
    return;
  }
  require(within15Digits(back.value, value),
          "signed form reads back to the value rounded to 15 digits",
          context + " read back as " + describe(back.value));
  require(signedForm(back.value) == signedText, "signed form of the read-back value is the same",
          context + " then " + quote(signedForm(back.value)));

  for (const auto& [separator, group] : {std::pair{".", ","}, std::pair{",", "."}}) {
    const std::string plain = plainForm(value, separator);
    checkPlainFormShape(plain, separator, value);
    const ReadResult read = readLocaleNumber(plain, separator, group);
    require(read.ok() && read.value == back.value,
            "plain form reads back by the locale-aware reading as the signed form does",
            "plainForm(" + describe(value) + ", " + separator + ") = " + quote(plain) +
                (read.ok() ? " read back as " + describe(read.value) : " failed to read") +
                ", signed form read " + describe(back.value));
  }
}

void checkReadings(std::string_view text) {
  const ReadResult val = readVal(text);
  if (val.ok()) {
    require(std::isfinite(val.value), "a good Val reading is finite",
            quote(text) + " -> " + describe(val.value));
    checkForms(val.value);
  } else {
    require(val.error == ReadError::Overflow, "the Val rule fails only with Overflow", quote(text));
  }

  // Where reading stopped: the same reading, and what was read reads
  // alone to the same number.
  const ValScan scan = scanVal(text);
  require(scan.end <= text.size() && scan.result.error == val.error &&
              (!val.ok() || std::memcmp(&scan.result.value, &val.value, sizeof(double)) == 0),
          "scanVal reads as readVal does", quote(text));
  if (scan.number && val.ok()) {
    const ReadResult head = readVal(text.substr(0, scan.end));
    require(head.ok() && head.value == val.value, "the part scanVal read reads alone the same",
            quote(text) + " up to " + std::to_string(scan.end));
  } else {
    require(scan.end == 0 || !val.ok(), "no number, nothing read", quote(text));
  }

  for (const auto& [separator, group] : {std::pair{".", ","}, std::pair{",", "."}}) {
    const ReadResult read = readLocaleNumber(text, separator, group);
    if (read.ok())
      require(std::isfinite(read.value), "a good locale-aware reading is finite",
              quote(text) + " -> " + describe(read.value));
  }

  // Where both readings see the same number, they must agree.
  const ReadResult pointRead = readLocaleNumber(text, ".", ",");
  if (text.find(',') == std::string_view::npos && pointRead.error != ReadError::TypeMismatch) {
    const bool same = val.error == pointRead.error &&
                      (!val.ok() || (val.value == pointRead.value &&
                                     std::signbit(val.value) == std::signbit(pointRead.value)));
    require(same, "the Val rule agrees with the locale-aware reading on a plain number",
            quote(text) + ": Val " + (val.ok() ? describe(val.value) : "overflow") +
                ", locale-aware " + (pointRead.ok() ? describe(pointRead.value) : "overflow"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkReadings(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) {
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value)) checkForms(value);
  }
  return 0;
}
