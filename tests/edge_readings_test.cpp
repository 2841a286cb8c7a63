// Readings at the ends of the double range written the long way: leading
// zeros and long digit strings must not change which side of the range a
// number falls on.
#include <gtest/gtest.h>

#include <string>

#include "core/numbers.h"

namespace pyrelon {
namespace {

TEST(EdgeReadings, LeadingZerosDoNotMoveANumberAcrossTheRange) {
  const std::string zeros(200, '0');
  // clang-format off
  const struct { const char* name; std::string text; double value; bool overflow; } rows[] = {
    {"zeros before a number too small to represent", zeros + "1e-330", 0.0, false},
    {"zeros before and after the point", "0." + zeros + "1e-200", 0.0, false},
    {"zeros before a number too large", zeros + "1e309", 0.0, true},
    {"zeros before the largest tens", zeros + "1e308", 1e308, false},
    {"a long whole part brought back by its exponent", "1" + zeros + "e-200", 1.0, false},
    {"a long whole part pushed over the top", "2" + zeros + "e109", 0.0, true},
    {"a negative one too small", "-" + zeros + "1e-400", 0.0, false},
  };
  // clang-format on
  for (const auto& r : rows) {
    const ReadResult read = readVal(r.text);
    EXPECT_EQ(read.error == ReadError::Overflow, r.overflow) << r.name;
    if (!r.overflow) {
      EXPECT_EQ(read.value, r.value) << r.name;
    }
  }
}

}  // namespace
}  // namespace pyrelon
