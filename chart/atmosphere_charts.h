// The charts of the furnace-atmosphere tools, drawn from the tools' own
// calculators, so that a curve can never disagree with the numbers of the
// form:
//   - carbon potential against dew point at the furnace temperature T and
//     at T ± 25 K and T ± 50 K (those within the tool's temperature range),
//     the dew-point reading marked, the target's equivalent noted;
//   - carbon potential against probe voltage at T, with graphite
//     saturation drawn and the probe reading marked;
//   - the Lehrer diagram: the nitriding potential Kn (logarithmic) against
//     temperature over the tool's range, the α, γ′ and ε fields of pure iron
//     shaded between the fitted boundaries, the measured boundary points
//     marked apart from the lines, and the current point.
// `readings` are as the tool's calculator takes them (ToolReadings, in the
// description's input order).
#pragma once

#include <span>
#include <string>

#include "chart/chart.h"
#include "core/tool.h"

namespace pyrelon::chart {

Chart dewPointChart(const ToolDescriptor& atmosphere, ToolReadings readings);
Chart probeChart(const ToolDescriptor& atmosphere, ToolReadings readings);

// A point of a phase boundary as measured, in Kn (atm^-1/2) at °C.
struct BoundaryPoint {
  double celsius;
  double kn;
};
Chart lehrerDiagram(const ToolDescriptor& nitriding, ToolReadings readings,
                    std::span<const BoundaryPoint> alphaGammaPrime,
                    std::span<const BoundaryPoint> gammaPrimeEpsilon);

}  // namespace pyrelon::chart
