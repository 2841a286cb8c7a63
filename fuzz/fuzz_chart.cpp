// Any chart draws: bytes become the axes' scales, a series' style and gap,
// its points (raw doubles: NaN, infinities, denormals, the ends of the
// range) and the title. The SVG must start and end as one document, hold
// no number that is not finite, and keep every '<' and '>' of the text
// escaped (as many of each, all from tags).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "chart/chart.h"
#include "fuzz/check.h"

using pyrelon::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  using namespace pyrelon::chart;
  Chart chart;
  chart.x.scale = static_cast<Scale>(data[0] % 3);
  chart.y.scale = static_cast<Scale>(data[1] % 2);
  Series series;
  series.style = static_cast<SeriesStyle>(data[2] % 3);
  series.mark = static_cast<Mark>(data[3] % 6);
  series.label = "series";
  const std::size_t textLength = std::min<std::size_t>(data[3] % 16, size - 4);
  // The title from the input, with no letter that could spell "nan" or "inf".
  for (std::size_t i = 0; i < textLength; ++i) {
    char c = static_cast<char>(data[4 + i]);
    if (c == 'n' || c == 'N' || c == 'i' || c == 'I') c = 'x';
    chart.title += c;
  }
  std::size_t at = 4 + textLength;
  double numbers[2];
  while (at + sizeof numbers <= size) {
    std::memcpy(numbers, data + at, sizeof numbers);
    series.x.push_back(numbers[0]);
    series.y.push_back(numbers[1]);
    at += sizeof numbers;
  }
  if (!series.y.empty()) {
    series.maxGap = std::abs(series.y.front());
    chart.bands.push_back({"band", series.y.front(), series.y.back()});
    chart.markers.push_back({"marker", {series.x.back(), series.y.back()}});
  }
  chart.series.push_back(std::move(series));

  const std::string svg = toSvg(chart);
  require(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0) == 0, "starts as an SVG",
          svg.substr(0, 80));
  require(svg.size() >= 7 && svg.compare(svg.size() - 7, 7, "</svg>\n") == 0, "ends the SVG",
          svg.substr(svg.size() - std::min<std::size_t>(svg.size(), 80)));
  std::string lower = svg;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  require(lower.find("nan") == std::string::npos, "no NaN shown", svg);
  require(lower.find("inf") == std::string::npos, "no infinity shown", svg);
  require(std::count(svg.begin(), svg.end(), '<') == std::count(svg.begin(), svg.end(), '>'),
          "text escaped", svg);
  return 0;
}
