// Pattern formatting with every pattern the program uses, under a decimal
// point and a decimal comma.
//
// The first eight bytes are a double; the rest, when there is any, is read
// by the Val rule as a second value, which reaches the decimal ties
// (2.675, 0.9995) that raw bit patterns almost never hit.
//
// Properties of each caption:
//   - never empty, never "inf" or "nan";
//   - an optional "-", the whole digits (no leading zero, at least one
//     unless the pattern's whole part is all '#', none below 1 then), the
//     separator and exactly the pattern's decimals, nothing else;
//   - "-" for a negative value that does not show as zero, for no other;
//   - reads back by the locale-aware reading to within half a unit of the
//     last decimal (plus the 15-digit rounding), and the read-back value
//     formats to the same caption; only next to the double limit, where the
//     15 digits shown lie beyond the range, the reading overflows;
//   - patterns that differ only in their leading '#' give the same caption.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "core/numbers.h"

namespace {

using namespace pyrelon;
using pyrelon::fuzz::containsInfOrNan;
using pyrelon::fuzz::describe;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;
using pyrelon::fuzz::showsDoubleLimit;

struct Pattern {
  std::string_view text;
  int decimals;
  bool wholeDigitForced;  // a '0' in the whole part
  int family;             // patterns of one family show the same caption
};

constexpr std::array<Pattern, 13> kPatterns{{
    {"0.000", 3, true, 0},
    {"#0.00", 2, true, 1},
    {"##0.00", 2, true, 1},
    {"###0.00", 2, true, 1},
    {"#0.0", 1, true, 2},
    {"##0.0", 1, true, 2},
    {"###0.0", 1, true, 2},
    {"####0.0", 1, true, 2},
    {"####0", 0, true, 3},
    {"#####0", 0, true, 3},
    {"######0", 0, true, 3},
    {"##.#0", 2, false, 4},
    {"#.#0", 2, false, 4},
}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void checkCaption(double value, const Pattern& pattern, std::string_view separator,
                  std::string_view group, const std::string& caption) {
  const std::string context = "formatPattern(" + describe(value) + ", \"" +
                              std::string(pattern.text) + "\", \"" + std::string(separator) +
                              "\") = " + quote(caption);
  require(!caption.empty(), "a finite value gives a caption", context);
  require(!containsInfOrNan(caption), "no inf or nan in a caption", context);

  std::string_view rest = caption;
  const bool minus = rest.starts_with('-');
  if (minus) rest.remove_prefix(1);
  require(!minus || value < 0, "only a negative value gets a minus sign", context);

  std::size_t wholeDigits = 0;
  while (wholeDigits < rest.size() && isDigit(rest[wholeDigits])) ++wholeDigits;
  const std::string_view whole = rest.substr(0, wholeDigits);
  rest.remove_prefix(wholeDigits);
  require(!(whole.size() > 1 && whole[0] == '0'), "no leading zero in the whole part", context);
  if (pattern.wholeDigitForced)
    require(!whole.empty(), "a '0' in the whole part forces a digit", context);
  else
    require(whole != "0", "an all-'#' whole part shows no zero", context);

  if (pattern.decimals > 0) {
    require(rest.starts_with(separator), "the separator follows the whole part", context);
    rest.remove_prefix(separator.size());
  }
  require(rest.size() == static_cast<std::size_t>(pattern.decimals),
          "exactly the pattern's decimals", context);
  for (char c : rest) require(isDigit(c), "decimals are digits", context);
  const bool showsNonZero = caption.find_first_of("123456789") != std::string::npos;
  if (value < 0 && showsNonZero)
    require(minus, "a negative value that does not show as zero gets a minus sign", context);

  const ReadResult read = readLocaleNumber(caption, separator, group);
  if (!read.ok() && read.error == ReadError::Overflow && showsDoubleLimit(caption)) return;
  require(read.ok(), "a caption reads back by the locale-aware reading", context);
  const double halfUnit = 0.5 * std::pow(10.0, -pattern.decimals);
  const double slack = 6.0e-15 * std::fabs(value) + 2.3e-16 * std::fabs(read.value) + 1e-300;
  require(std::fabs(read.value - value) <= halfUnit + slack,
          "the caption is the value rounded to the pattern's decimals",
          context + " read back as " + describe(read.value));
  const std::string again = formatPattern(read.value, pattern.text, separator);
  require(again == caption, "the read-back value formats to the same caption",
          context + " read back as " + describe(read.value) + ", formats as " + quote(again));
}

void checkValue(double value) {
  if (!std::isfinite(value)) return;
  for (const auto& [separator, group] : {std::pair{".", ","}, std::pair{",", "."}}) {
    std::array<std::string, 5> familyCaption;
    std::array<std::string_view, 5> familyPattern;
    for (const Pattern& pattern : kPatterns) {
      const std::string caption = formatPattern(value, pattern.text, separator);
      checkCaption(value, pattern, separator, group, caption);
      auto& first = familyCaption[static_cast<std::size_t>(pattern.family)];
      auto& firstPattern = familyPattern[static_cast<std::size_t>(pattern.family)];
      if (firstPattern.empty()) {
        first = caption;
        firstPattern = pattern.text;
      } else {
        require(caption == first, "leading '#' placeholders change nothing",
                describe(value) + ": \"" + std::string(firstPattern) + "\" gives " + quote(first) +
                    ", \"" + std::string(pattern.text) + "\" gives " + quote(caption));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0.0;
  std::memcpy(&value, data, sizeof value);
  checkValue(value);
  if (size > sizeof(double)) {
    const ReadResult read = readVal(std::string_view(
        reinterpret_cast<const char*>(data) + sizeof(double), size - sizeof(double)));
    if (read.ok()) checkValue(read.value);
  }
  return 0;
}
