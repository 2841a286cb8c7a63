// The sample charts against their golden files, byte for byte. Each golden
// file was looked at in Chromium when written. To rewrite them after a
// deliberate change, run with PYRELON_WRITE_GOLDEN=1 and look at every
// changed file again before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/chart/samples.h"

namespace pyrelon::chart {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The first line where two texts differ, for the failure message.
std::string firstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "no line differs";
    if (lineA != lineB || moreA != moreB) {
      return "line " + std::to_string(line) + "\n expected: " + lineA.substr(0, 300) +
             "\n actual:   " + lineB.substr(0, 300);
    }
  }
}

TEST(ChartGolden, SamplesMatchTheirGoldenFiles) {
  const bool write = std::getenv("PYRELON_WRITE_GOLDEN") != nullptr;
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
    if (write) {
      std::ofstream(path, std::ios::binary) << svg;
      continue;
    }
    const std::string golden = readFile(path);
    EXPECT_TRUE(svg == golden) << drawing.name << ": " << firstDifference(golden, svg);
    // The same chart twice gives the same bytes.
    EXPECT_TRUE(drawing.draw() == svg) << drawing.name;
  }
}

}  // namespace
}  // namespace pyrelon::chart
