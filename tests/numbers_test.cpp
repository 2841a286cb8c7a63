#include "app/numbers.h"

#include <gtest/gtest.h>

namespace pyrelon {
namespace {
TEST(Placeholder, Builds) { EXPECT_EQ(formatPattern(273.15, "###0.0", "."), "273.2"); }
}  // namespace
}  // namespace pyrelon
