// The sample charts against their golden files, byte for byte. Each golden
// file was looked at in Chromium when written. To rewrite them after a
// deliberate change, run with PYRELON_WRITE_GOLDEN=1 and look at every
// changed file again before committing it.
#include "tests/golden.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/chart/samples.h"

namespace pyrelon::chart {
namespace {

TEST(ChartGolden, SamplesMatchTheirGoldenFiles) {
  const auto check = [](std::string_view name, const std::string& svg) {
    const std::string path = std::string(PYRELON_CHART_GOLDEN) + "/" + std::string(name) + ".svg";
    EXPECT_EQ(testing::goldenMismatch(path, svg), "");
  };
  for (const auto& sample : samples::all()) {
    const std::string svg = toSvg(sample.chart);
    check(sample.name, svg);
    // The same chart twice gives the same bytes.
    EXPECT_TRUE(toSvg(sample.chart) == svg) << sample.name;
  }
  for (const auto& document : samples::documents()) check(document.name, document.svg);
}

}  // namespace
}  // namespace pyrelon::chart
