// The sample charts against their golden files, byte for byte. Each golden
// file was looked at in Chromium when written. To rewrite them after a
// deliberate change, run with PYRELON_WRITE_GOLDEN=1 and look at every
// changed file again before committing it.
#include "tests/golden.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/chart/samples.h"

namespace pyrelon::chart {
namespace {

TEST(ChartGolden, SamplesMatchTheirGoldenFiles) {
  struct Drawing {
    std::string name;
    std::function<std::string()> draw;
  };
  std::vector<Drawing> drawings;
  for (const auto& sample : samples::all()) {
    drawings.push_back({std::string(sample.name), [chart = sample.chart] { return toSvg(chart); }});
  }
  for (const auto& document : samples::documents()) {
    drawings.push_back({std::string(document.name), [svg = document.svg] { return svg; }});
  }
  for (const auto& drawing : drawings) {
    const std::string path = std::string(PYRELON_CHART_GOLDEN) + "/" + drawing.name + ".svg";
    const std::string svg = drawing.draw();
    EXPECT_EQ(testing::goldenMismatch(path, svg), "");
    // The same chart twice gives the same bytes.
    EXPECT_TRUE(drawing.draw() == svg) << drawing.name;
  }
}

}  // namespace
}  // namespace pyrelon::chart
