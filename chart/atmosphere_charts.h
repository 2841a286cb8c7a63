// The charts of the furnace-atmosphere tools:
//   - carbon potential against dew point at the furnace temperature T and
//     at T ± 25 K and T ± 50 K (those within the tool's temperature range),
//     the dew-point (or frost-point) reading marked, the target's
//     equivalent dew point noted;
//   - carbon potential against probe voltage at T, with graphite
//     saturation drawn and the probe reading marked;
//   - the Lehrer diagram: the nitriding potential Kn (logarithmic) against
//     temperature over 400 to 590 °C, the α, γ′ and ε fields of pure iron
//     shaded between the fitted boundaries, the measured boundary points
//     marked apart from the lines, and the current point.
// The curves come from the tools' own calculators (the atmosphere's) and
// boundary fits (the nitriding potential's), and the marks from the same
// outcome the form shows, so a mark always lies on its curve.
//
// `readings` are as the tool's calculator takes them: in the description's
// input order, each a value within its range, the input's start value or
// absent. Readings the tool refuses leave the curves drawn and the marks out.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "atmosphere/nitriding_potential.h"
#include "chart/chart.h"
#include "core/tool.h"

namespace pyrelon::chart {

// The chart document of a tool, as every face shows and saves it:
// "atmosphere" -> the dew-point chart above the probe chart;
// "nitriding-potential" -> the Lehrer diagram; any other tool -> "".
// A reading outside its input's range counts as not given (its start
// value), so a form showing a fault still has its chart. With
// `decimalComma`, the numbers in its texts are written with a comma, as
// the form's results are.
std::string toolChartSvg(std::string_view toolId, ToolReadings readings, bool decimalComma = false);
bool hasChart(std::string_view toolId);

Chart dewPointChart(ToolReadings atmosphereReadings);
Chart probeChart(ToolReadings atmosphereReadings);
Chart lehrerDiagram(ToolReadings nitridingReadings);

// The boundary points Brunauer, Jefferson, Emmett and Hendricks measured
// (J. Am. Chem. Soc. 53, 1931, 1778) in NH3-H2 at 1 atm, as °C and the
// ammonia fraction of the gas; Kn = x / (1 - x)^1.5 atm^-1/2.
struct BoundaryPoint {
  double celsius;
  double ammonia;  // mole fraction
};
std::span<const BoundaryPoint> measuredBoundary(NitridingBoundary boundary);

}  // namespace pyrelon::chart
