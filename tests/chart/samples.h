// Charts the tests draw: each golden file in golden/ is one of these,
// written once, looked at in a browser, and compared as text since.
#pragma once

#include <string_view>
#include <vector>

#include "chart/chart.h"

namespace pyrelon::chart::samples {

struct Sample {
  std::string_view name;  // golden/<name>.svg
  Chart chart;
};

std::vector<Sample> all();

// Two charts for one document (golden/stack.svg).
std::vector<Chart> stack();

}  // namespace pyrelon::chart::samples
