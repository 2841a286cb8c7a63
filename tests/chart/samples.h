// Charts the tests draw: each golden file in golden/ is one of these,
// written once, looked at in a browser, and compared as text since.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/chart.h"

namespace pyrelon::chart::samples {

struct Sample {
  std::string_view name;  // golden/<name>.svg
  Chart chart;
};

std::vector<Sample> all();

// Documents drawn otherwise: two charts stacked, and the tools' charts at
// the published check points (golden/<name>.svg).
struct Document {
  std::string_view name;
  std::string svg;
};
std::vector<Document> documents();

}  // namespace pyrelon::chart::samples
