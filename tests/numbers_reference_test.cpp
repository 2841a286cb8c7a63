// The fast pattern formatting and plain form against the first, slow
// implementation (tests/reference_format.h), byte for byte, over a fixed
// sweep of doubles: random bit patterns across every exponent, decimal ties
// and their neighbours, the carries, zeros, denormals and the top of the
// range.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/numbers.h"
#include "tests/reference_format.h"

namespace pyrelon {
namespace {

// Every pattern of the program, then odd ones no panel uses.
constexpr std::string_view kPatterns[] = {
    "0.000",
    "#0.00",
    "##0.00",
    "###0.00",
    "#0.0",
    "##0.0",
    "###0.0",
    "####0.0",
    "####0",
    "#####0",
    "######0",
    "##.#0",
    "#.#0",
    "",
    ".",
    "0",
    "#",
    ".#",
    "#.",
    "0.#",
    "00000.00000000000000000000",
    "#.#0#0##",
    "0.0.0",
    "#,##0.00",
    "x0y.z0w",
    "0.00000000000000000000000000000000000000000000000000000000000000000000000000000000",
};
constexpr std::string_view kSeparators[] = {".", ",", " :: "};

double fromBits(std::uint64_t bits) {
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The sweep, the same on every run.
std::vector<double> sweepValues() {
  std::vector<double> values = {
      0.0,
      -0.0,
      5e-324,
      -5e-324,
      DBL_MIN,
      DBL_MIN / 3,
      1e308,
      -1e308,
      DBL_MAX,
      -DBL_MAX,
      1.797693134862315e308,
      2.675,
      0.905,
      987.654,
      -17.75,
      273.15,
      0.9995,
      9.995,
      -0.04,
      -0.0005,
      -0.00049999999999999,
      562949953421312.5,
      1000000000000005.0,
      999999999999999.9,
      99999999999999.95,
      1e-7,
      1e15,
      1e-5,
      0.1 + 0.2,
      0x1p-59,
      0x1.fffffffffffffp-60,
      1.7e-18,
      9.999999999999995e-19,
  };
  // Powers of ten and their neighbours: the edges of the digit counting.
  for (int e = -320; e <= 308; ++e) {
    const double power = std::pow(10.0, e);
    values.insert(values.end(),
                  {power, std::nextafter(power, 0.0), std::nextafter(power, 2 * power),
                   9.99999999999995 * power, 9.999999999999949 * power});
  }
  std::mt19937_64 random(20240517);
  for (int i = 0; i < 3000; ++i) {
    // Any bit pattern: all exponents, denormals included.
    const double any = fromBits(random());
    if (std::isfinite(any)) values.push_back(any);
    // Decimal halves: k + 5 / 10^(places + 1) at every place, and the
    // doubles on either side.
    const int places = static_cast<int>(random() % 18);
    const double whole = static_cast<double>(random() % 1'000'000'000);
    const double half = whole / std::pow(10.0, places) + 5 / std::pow(10.0, places + 1);
    values.insert(values.end(),
                  {half, std::nextafter(half, 0.0), std::nextafter(half, 1e300), -half});
    // Integers of 16 and 17 digits, ties among them.
    const auto big = static_cast<double>(random() % 100'000'000'000'000'000ULL);
    values.insert(values.end(), {big, big + 0.5, -big});
    // Dyadic values x.5, x.25, ... that are exact ties somewhere.
    const double dyadic =
        std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 60));
    values.insert(values.end(), {dyadic, -dyadic});
    // Full 53-bit mantissas from 2^-131 to 2, across the lower edge of the
    // exactly computed range (2^-59).
    const double small =
        std::ldexp(static_cast<double>((random() >> 11) | (std::uint64_t{1} << 52)),
                   -52 - static_cast<int>(random() % 80));
    values.push_back(small);
  }
  return values;
}

TEST(FastFormatting, MatchesTheFirstImplementationByteForByte) {
  std::size_t mismatches = 0;
  std::string appended;
  for (const double value : sweepValues()) {
    for (const std::string_view pattern : kPatterns) {
      const CompiledPattern compiled = compilePattern(pattern);
      for (const std::string_view separator : kSeparators) {
        const std::string expected = reference::formatPattern(value, pattern, separator);
        const std::string actual = formatPattern(value, pattern, separator);
        appended = "row;";
        appendPattern(appended, value, compiled, separator);
        if (actual != expected || appended != "row;" + expected) {
          if (++mismatches <= 20)
            ADD_FAILURE() << std::hexfloat << value << std::defaultfloat << " (" << value
                          << ") through \"" << pattern << "\" sep \"" << separator
                          << "\": " << actual << " / appended " << appended
                          << ", first implementation " << expected;
        }
      }
    }
    const std::string plainPoint = reference::plainForm(value, ".");
    const std::string expectedSigned = plainPoint.starts_with('-') ? plainPoint : ' ' + plainPoint;
    if (signedForm(value) != expectedSigned && ++mismatches <= 20)
      ADD_FAILURE() << std::hexfloat << value << ": signed form " << signedForm(value)
                    << ", from the first plain form " << expectedSigned;
    for (const std::string_view separator : kSeparators) {
      const std::string expected = reference::plainForm(value, separator);
      appended = "x";
      appendPlain(appended, value, separator);
      if (plainForm(value, separator) != expected || appended != "x" + expected) {
        if (++mismatches <= 20)
          ADD_FAILURE() << std::hexfloat << value << ": plain form " << plainForm(value, separator)
                        << ", first implementation " << expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0u);
}

TEST(FastFormatting, WritesNothingForValuesThatAreNotFinite) {
  for (const double value : {INFINITY, -INFINITY, NAN}) {
    std::string out = "kept";
    appendPattern(out, value, compilePattern("#0.00"), ".");
    appendPlain(out, value, ".");
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(signedForm(value), " ");
  }
}

}  // namespace
}  // namespace pyrelon
