// The fast pattern formatting and plain form against the first, slow
// implementation (fuzz/reference_format.h): the same bytes for any finite
// double, every pattern of the program, a decimal point and a decimal comma.
//
// The first eight bytes are a double. The rest, when there is any, is read
// by the Val rule as a second value (reaching the decimal ties that raw bit
// patterns almost never hit), and also spelled as a pattern of its own, one
// of '#', '0' and '.' per byte, so that odd patterns are compared too.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "core/numbers.h"
#include "fuzz/reference_format.h"

namespace {

using namespace pyrelon;
using pyrelon::fuzz::describe;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;

constexpr std::array<std::string_view, 13> kPatterns{
    "0.000",   "#0.00", "##0.00", "###0.00", "#0.0",  "##0.0", "###0.0",
    "####0.0", "####0", "#####0", "######0", "##.#0", "#.#0",
};

void compare(double value, std::string_view pattern, std::string_view separator) {
  const std::string expected = reference::formatPattern(value, pattern, separator);
  const std::string actual = formatPattern(value, pattern, separator);
  std::string appended = "|";
  appendPattern(appended, value, compilePattern(pattern), separator);
  if (actual == expected && appended.substr(1) == expected) return;
  require(false, "the fast pattern formatting writes the first implementation's bytes",
          "formatPattern(" + describe(value) + ", \"" + std::string(pattern) + "\", \"" +
              std::string(separator) + "\") = " + quote(actual) + ", appended " +
              quote(appended.substr(1)) + ", first implementation " + quote(expected));
}

void checkValue(double value, std::string_view ownPattern) {
  if (!std::isfinite(value)) return;
  for (const std::string_view separator : {".", ","}) {
    for (const std::string_view pattern : kPatterns) compare(value, pattern, separator);
    if (!ownPattern.empty()) compare(value, ownPattern, separator);
    const std::string expected = reference::plainForm(value, separator);
    const std::string actual = plainForm(value, separator);
    require(actual == expected, "the fast plain form writes the first implementation's bytes",
            "plainForm(" + describe(value) + ", \"" + std::string(separator) +
                "\") = " + quote(actual) + ", first implementation " + quote(expected));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0.0;
  std::memcpy(&value, data, sizeof value);
  const std::string_view rest(reinterpret_cast<const char*>(data) + sizeof(double),
                              size - sizeof(double));
  std::string ownPattern;
  for (std::size_t i = 0; i < rest.size() && i < 40; ++i)
    ownPattern += "#0."[static_cast<unsigned char>(rest[i]) % 3];
  checkValue(value, ownPattern);
  if (!rest.empty()) {
    const ReadResult read = readVal(rest);
    if (read.ok()) checkValue(read.value, ownPattern);
  }
  return 0;
}
