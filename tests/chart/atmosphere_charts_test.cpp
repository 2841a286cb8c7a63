// The atmosphere's charts against hand-worked points and the measured phase
// boundaries of Brunauer et al. (1931). The published check points (20 % CO,
// 40 % H2, 1013.25 mbar, 925 °C: 0.80 %C at a dew point of about -5.6 °C
// and a probe of about 1138 mV, graphite saturation about 1.26 %C; Kn 6.56
// at a burette reading of 30 %), the curves at 925 °C and their marks are
// held by golden/atmosphere.svg and golden/nitriding_potential.svg.
#include "chart/atmosphere_charts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "atmosphere/atmosphere.h"

namespace pyrelon::chart {
namespace {

// A tool's readings with every input at its start value, then `given` set.
std::vector<std::optional<double>> readingsOf(const ToolDescriptor& tool,
                                              const std::vector<std::pair<int, double>>& given) {
  std::vector<std::optional<double>> readings;
  for (const auto& input : tool.inputs) readings.push_back(input.start);
  for (const auto& [index, value] : given) readings[static_cast<std::size_t>(index)] = value;
  return readings;
}

// The series' value at x, linear between its neighbouring points.
double valueAt(const Series& series, double x) {
  for (std::size_t i = 1; i < series.x.size(); ++i) {
    if (series.x[i - 1] <= x && x <= series.x[i]) {
      const double f = (x - series.x[i - 1]) / (series.x[i] - series.x[i - 1]);
      return series.y[i - 1] + f * (series.y[i] - series.y[i - 1]);
    }
  }
  return NAN;
}

const Series* seriesNamed(const Chart& chart, const std::string& label) {
  for (const auto& series : chart.series) {
    if (series.label == label) return &series;
  }
  return nullptr;
}

TEST(AtmosphereCharts, DewPointCurvesAtTheFurnaceTemperatureAndAroundIt) {
  // clang-format off
  const struct { const char* name; double temperature; std::vector<std::string> labels; } rows[] = {
      {"near the top: the hotter two left out", 1080, {"1030 °C", "1055 °C", "1080 °C"}},
      {"at the bottom: the cooler two left out", 800, {"800 °C", "825 °C", "850 °C"}},
      {"25 K from the top", 1075, {"1025 °C", "1050 °C", "1075 °C", "1100 °C"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    const Chart chart = dewPointChart(readingsOf(atmosphereTool(), {{kAtmTemp, row.temperature}}));
    std::vector<std::string> labels;
    for (const auto& series : chart.series) labels.push_back(series.label);
    EXPECT_EQ(labels, row.labels) << row.name;
  }
}

// At -10 °C the frost point's vapour, 2.599 hPa, is that of water at a dew
// point of -11.25 °C (Magnus over water solved for 2.599 hPa:
// t = 243.12 L / (17.62 - L), L = ln(2.599 / 6.112)); the mark stands there
// on its curve.
TEST(AtmosphereCharts, AFrostPointIsMarkedAtItsDewPoint) {
  const Chart chart =
      dewPointChart(readingsOf(atmosphereTool(), {{kAtmTemp, 925}, {kAtmFrostPoint, -10}}));
  ASSERT_EQ(chart.markers.size(), 1u);
  const Marker& marker = chart.markers[0];
  EXPECT_NEAR(marker.at.x, -11.25, 0.05);
  EXPECT_EQ(marker.label.rfind("frost point -10.0 °C (dew point -11.3 °C)", 0), 0u) << marker.label;
  const Series* curve = seriesNamed(chart, "925 °C");
  ASSERT_NE(curve, nullptr);
  EXPECT_NEAR(valueAt(*curve, marker.at.x), marker.at.y, 2e-3);
}

TEST(LehrerDiagram, FittedLinesMeetTheMeasuredPoints) {
  const Chart chart = lehrerDiagram(readingsOf(nitridingPotentialTool(), {}));
  const Series* lower = seriesNamed(chart, "α/γ′ boundary, fitted");
  const Series* upper = seriesNamed(chart, "γ′/ε boundary, fitted");
  const Series* lowerMeasured = seriesNamed(chart, "α/γ′ measured");
  const Series* upperMeasured = seriesNamed(chart, "γ′/ε measured");
  ASSERT_TRUE(lower && upper && lowerMeasured && upperMeasured);
  // Kn = x / (1 - x)^1.5 of the published ammonia fractions, worked by hand:
  // 0.37 / 0.63^1.5 = 0.7399; 0.145 / 0.855^1.5 = 0.1834;
  // 0.77 / 0.23^1.5 = 6.981; 0.70 / 0.30^1.5 = 4.260; 0.57 / 0.43^1.5 = 2.021.
  // clang-format off
  const struct {
    const char* name; const Series *measured, *fitted; std::size_t index;
    double celsius, kn, largestLogResidual;
  } rows[] = {
      {"alpha/gamma-prime at 400 °C", lowerMeasured, lower, 0, 400, 0.7399, 0.001},
      {"alpha/gamma-prime at 575 °C", lowerMeasured, lower, 1, 575, 0.1834, 0.001},
      {"gamma-prime/epsilon at 400 °C", upperMeasured, upper, 0, 400, 6.981, 0.03},
      {"gamma-prime/epsilon at 444 °C", upperMeasured, upper, 1, 444, 4.260, 0.03},
      {"gamma-prime/epsilon at 500 °C", upperMeasured, upper, 2, 500, 2.021, 0.03},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_LT(row.index, row.measured->x.size());
    EXPECT_EQ(row.measured->x[row.index], row.celsius);
    EXPECT_NEAR(row.measured->y[row.index], row.kn, 0.001 * row.kn);
    // The fitted line within the fit's residual of the measurement, in log10 Kn.
    const double fitted = valueAt(*row.fitted, row.celsius);
    EXPECT_NEAR(std::log10(fitted), std::log10(row.kn), row.largestLogResidual + 0.002);
  }
}

TEST(ToolCharts, WithoutTheirReadingsNoCurveOrPoint) {
  const auto readings = readingsOf(atmosphereTool(), {{kAtmDewPoint, -5}});  // no temperature
  EXPECT_TRUE(dewPointChart(readings).series.empty());
  EXPECT_TRUE(probeChart(readings).series.empty());
  EXPECT_NE(dewPointChart(readings).description.find("temperature is given"), std::string::npos);
  // No atmosphere given: the Lehrer diagram without a point.
  EXPECT_TRUE(
      lehrerDiagram(readingsOf(nitridingPotentialTool(), {{kNpTemp, 500}})).markers.empty());
}

TEST(ToolCharts, EachToolItsDocument) {
  const auto atmosphere = readingsOf(atmosphereTool(), {{kAtmTemp, 925}});
  const std::string both = toolChartSvg("atmosphere", atmosphere);
  EXPECT_NE(both.find("atmosphere-dew-point-chart-title"), std::string::npos);
  EXPECT_NE(both.find("atmosphere-probe-chart-title"), std::string::npos);
  EXPECT_EQ(toolChartSvg("temperature", atmosphere), "");
  // A dew point beyond its range is drawn as not given; one too few
  // readings, as absent ones.
  auto faulty = atmosphere;
  faulty[kAtmDewPoint] = 99;
  EXPECT_EQ(toolChartSvg("atmosphere", faulty), both);
  EXPECT_EQ(toolChartSvg("atmosphere", std::span(atmosphere).first(kAtmDewPoint)), both);
  EXPECT_TRUE(hasChart("atmosphere"));
  EXPECT_FALSE(hasChart("flow"));
}

// Read with a decimal comma, a chart writes every number in its texts with
// one and changes nothing else: the two documents differ only where a point
// between digits stands in text or in the name a screen reader reads
// (aria-label), never in a coordinate.
TEST(ToolCharts, DecimalCommaOnlyInTheNumbersOfTexts) {
  const auto readings = readingsOf(atmosphereTool(), {{kAtmTemp, 850}, {kAtmDewPoint, 0.5}});
  const std::string point = toolChartSvg("atmosphere", readings);
  const std::string comma = toolChartSvg("atmosphere", readings, true);
  ASSERT_EQ(comma.size(), point.size());
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  bool inTag = false, inValue = false;
  std::string attribute;  // the attribute whose value we are in
  int changed = 0;
  for (std::size_t i = 0; i < point.size(); ++i) {
    const char c = point[i];
    if (inValue) {
      if (c == '"') inValue = false;
    } else if (c == '<') {
      inTag = true;
    } else if (c == '>') {
      inTag = false;
    } else if (inTag && c == '"') {
      inValue = true;
      const std::size_t start = point.rfind(' ', i) + 1;
      attribute = point.substr(start, i - 1 - start);
    }
    if (comma[i] == c) continue;
    ++changed;
    EXPECT_TRUE(c == '.' && comma[i] == ',' && digit(point[i - 1]) && digit(point[i + 1])) << i;
    EXPECT_TRUE(!inTag || (inValue && attribute == "aria-label")) << i << " in " << attribute;
  }
  EXPECT_GT(changed, 0);
  // 0.909 %C at a dew point of 0.5 °C and 850 °C, and graphite saturation
  // at 1.021 %C: the tool's own answers (the transcript).
  for (const std::string text :
       {">dew point 0,5 \u00b0C: 0,909 %C<", "aria-label=\"dew point 0,5 \u00b0C: 0,909 %C\"",
        ">graphite saturation 1,021 %C: soot above<", ">0,2<", ">1,2<"})
    EXPECT_NE(comma.find(text), std::string::npos) << text;
}

}  // namespace
}  // namespace pyrelon::chart
