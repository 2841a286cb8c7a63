#include "chart/atmosphere_charts.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "atmosphere/atmosphere.h"
#include "atmosphere/fitted.h"
#include "chart/text.h"
#include "chart/tool_sweep.h"

namespace pyrelon::chart {

namespace {

constexpr double kCelsiusToKelvin = 273.15;  // K at 0 °C

// Points per curve: half a kelvin of dew point, two millivolts, five kelvin.
constexpr int kDewPointSteps = 151;
constexpr int kProbeSteps = 201;
constexpr int kTemperatureSteps = 39;

// Brunauer, Jefferson, Emmett and Hendricks, J. Am. Chem. Soc. 53 (1931)
// 1778: the ammonia fraction of NH3-H2 at 1 atm on each boundary, as the
// fit of the boundaries reads them (atmosphere/fitted.h, in percent).
template <std::size_t N>
constexpr std::array<BoundaryPoint, N> fractionsOf(
    const std::array<std::array<double, 2>, N>& percent) {
  std::array<BoundaryPoint, N> points{};
  for (std::size_t i = 0; i < N; ++i) points[i] = {percent[i][0], percent[i][1] / 100};
  return points;
}
constexpr auto kAlphaGammaPrimeMeasured = fractionsOf(fitted::kAlphaGammaPrimePoints);
constexpr auto kGammaPrimeEpsilonMeasured = fractionsOf(fitted::kGammaPrimeEpsilonPoints);

std::optional<double> readingAt(ToolReadings readings, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= readings.size()) return std::nullopt;
  const auto& reading = readings[static_cast<std::size_t>(index)];
  if (reading && std::isfinite(*reading)) return reading;
  return std::nullopt;
}

ToolOutcome outcomeOf(const ToolDescriptor& tool, ToolReadings readings) {
  if (!tool.calculate || readings.size() != tool.inputs.size()) return {};
  return tool.calculate(readings);
}

std::string celsius(double value, int places = 0) { return fixedText(value, places) + " °C"; }

// Three significant digits, plainly written, for 0.001 to 1000 (Kn).
std::string significant3(double value) {
  if (!(value > 1e-3 && value < 1e3)) return shortScientific(value);
  const int places = 2 - static_cast<int>(std::floor(portableLog10(value)));
  return fixedText(value, places);  // none below 0: up to 999 has 0 places
}

// A curve's look by its offset from the furnace temperature: the furnace's
// own solid and black, the others told apart by colour and dash alike.
struct CurveLook {
  Ink ink;
  Dash dash;
};
CurveLook lookOfOffset(int offset) {
  switch (offset) {
    case -50: return {Ink::Blue, Dash::Dotted};
    case -25: return {Ink::Blue, Dash::Dashed};
    case 25: return {Ink::Red, Dash::DashDot};
    case 50: return {Ink::LineRed, Dash::LongDash};
    default: return {Ink::Black, Dash::Solid};
  }
}

const Limits& rangeOf(const ToolDescriptor& tool, int input) {
  return tool.inputs[static_cast<std::size_t>(input)].range;
}

constexpr std::string_view kNoTemperature = " No curve is drawn until the temperature is given.";

// A chart of the carbon potential against the atmosphere tool's reading
// `input`, its axis over that reading's whole range.
Chart potentialAgainst(int input, std::string id, std::string title, Axis x,
                       std::string description) {
  const Limits& range = rangeOf(atmosphereTool(), input);
  Chart chart;
  chart.id = std::move(id);
  chart.title = std::move(title);
  chart.x = std::move(x);
  chart.x.fixedRange = true;
  chart.x.low = range.min;
  chart.x.high = range.max;
  chart.y = {"Carbon potential", "%C"};
  chart.description = std::move(description);
  return chart;
}

}  // namespace

std::span<const BoundaryPoint> measuredBoundary(NitridingBoundary boundary) {
  if (boundary == kAlphaGammaPrime) return kAlphaGammaPrimeMeasured;
  return kGammaPrimeEpsilonMeasured;
}

Chart dewPointChart(ToolReadings readings) {
  const ToolDescriptor& tool = atmosphereTool();
  const Limits& dewPoints = rangeOf(tool, kAtmDewPoint);
  Chart chart =
      potentialAgainst(kAtmDewPoint, "atmosphere-dew-point-chart",
                       "Carbon potential against dew point", {"Dew point", "°C"},
                       "The carbon potential of pure iron in equilibrium with the atmosphere at "
                       "each dew point, for the CO and hydrogen given.");

  const auto temperature = readingAt(readings, kAtmTemp);
  if (!temperature) {
    chart.description += kNoTemperature;
    return chart;
  }
  const auto base = baseReadings(tool, readings, {"temp"});
  const auto dewValues = evenly(dewPoints.min, dewPoints.max, kDewPointSteps);
  const ResultPlace potential{kAtmCarbonPotential, kReadDewPoint};
  for (int offset : {-50, -25, 0, 25, 50}) {
    const double at = *temperature + offset;
    if (!rangeOf(tool, kAtmTemp).accepts(at)) continue;
    auto readingsAt = base;
    readingsAt[kAtmTemp] = at;
    Series curve;
    curve.label = celsius(at);
    curve.x = dewValues;
    curve.y = sweep(tool, readingsAt, kAtmDewPoint, dewValues, potential);
    const CurveLook look = lookOfOffset(offset);
    curve.ink = look.ink;
    curve.dash = look.dash;
    chart.series.push_back(std::move(curve));
  }

  const ToolOutcome outcome = outcomeOf(tool, readings);
  const auto value = numberAt(outcome, potential);
  if (const auto dew = readingAt(readings, kAtmDewPoint); dew && value) {
    chart.markers.push_back(
        {"dew point " + celsius(*dew, 1) + ": " + fixedText(*value, 3) + " %C", {*dew, *value}});
  } else if (const auto frost = readingAt(readings, kAtmFrostPoint); frost && value) {
    // The same water vapour over water: where a frost point stands on a dew-point axis.
    if (const auto asDew = dewPointOf(iceVapourPressure(*frost))) {
      chart.markers.push_back({"frost point " + celsius(*frost, 1) + " (dew point " +
                                   celsius(*asDew, 1) + "): " + fixedText(*value, 3) + " %C",
                               {*asDew, *value}});
    }
  }
  const auto target = readingAt(readings, kAtmTargetCarbon);
  const auto equivalent = numberAt(outcome, {kAtmEquivalents, kEqDewPoint});
  if (target && equivalent) {
    chart.annotations.push_back(
        {"target " + fixedText(*target, 2) + " %C: dew point " + celsius(*equivalent, 1),
         {*equivalent, *target}});
  }
  return chart;
}

Chart probeChart(ToolReadings readings) {
  const ToolDescriptor& tool = atmosphereTool();
  const Limits& voltages = rangeOf(tool, kAtmMv);
  Chart chart =
      potentialAgainst(kAtmMv, "atmosphere-probe-chart", "Carbon potential against probe voltage",
                       {"Probe voltage", "mV"},
                       "The carbon potential of pure iron that an oxygen probe's voltage against "
                       "air stands for, for the CO given; above graphite saturation the "
                       "atmosphere deposits soot.");
  const auto temperature = readingAt(readings, kAtmTemp);
  if (!temperature) {
    chart.description += kNoTemperature;
    return chart;
  }
  chart.title += " at " + celsius(*temperature);

  const auto values = evenly(voltages.min, voltages.max, kProbeSteps);
  const ResultPlace potential{kAtmCarbonPotential, kReadProbe};
  Series curve;
  curve.label = celsius(*temperature);
  curve.x = values;
  curve.y = sweep(tool, baseReadings(tool, readings, {"temp"}), kAtmMv, values, potential);
  curve.ink = Ink::Black;
  chart.series.push_back(std::move(curve));

  const double saturation = saturationCarbon(*temperature + kCelsiusToKelvin);
  Series line;
  line.label = "graphite saturation " + fixedText(saturation, 3) + " %C: soot above";
  line.x = {voltages.min, voltages.max};
  line.y = {saturation, saturation};
  line.ink = Ink::Red;
  line.dash = Dash::Dashed;
  chart.series.push_back(std::move(line));

  const ToolOutcome outcome = outcomeOf(tool, readings);
  const auto mv = readingAt(readings, kAtmMv);
  const auto value = numberAt(outcome, potential);
  if (mv && value) {
    chart.markers.push_back(
        {"probe " + fixedText(*mv, 0) + " mV: " + fixedText(*value, 3) + " %C", {*mv, *value}});
  }
  return chart;
}

Chart lehrerDiagram(ToolReadings readings) {
  const ToolDescriptor& tool = nitridingPotentialTool();
  Chart chart;
  chart.id = "nitriding-potential-chart";
  chart.title = "Lehrer diagram: the phases of pure iron";
  chart.x = {"Temperature", "°C"};
  chart.y = {"Nitriding potential Kn", "atm^-1/2", Scale::Log};
  // The fields run from 0.01 to 100, beyond both boundaries at every
  // temperature of the range; the axis still widens to a current point.
  constexpr double kLowest = 0.01;
  constexpr double kHighest = 100;
  chart.y.fixedRange = true;
  chart.y.low = kLowest;
  chart.y.high = kHighest;
  chart.description =
      "The phase the surface of pure iron grows in ammonia and hydrogen by temperature and "
      "nitriding potential Kn = pNH3/pH2^1.5: alpha (ferrite) below the lower boundary, "
      "gamma-prime (Fe4N) between the boundaries, epsilon (Fe2-3N) above. The lines are fits "
      "to the measured points of Brunauer, Jefferson, Emmett and Hendricks (1931), which are "
      "marked.";

  const Limits& temperatures = rangeOf(tool, kNpTemp);
  const auto values = evenly(temperatures.min, temperatures.max, kTemperatureSteps);
  std::vector<double> lower, upper;
  for (double t : values) {
    lower.push_back(boundaryKn(kAlphaGammaPrime, t + kCelsiusToKelvin));
    upper.push_back(boundaryKn(kGammaPrimeEpsilon, t + kCelsiusToKelvin));
  }

  // The fields as polygons between the boundaries.
  Region alpha{"α (ferrite)", {}, Ink::Blue};
  Region gammaPrime{"γ′ (Fe4N)", {}, Ink::Magenta};
  Region epsilon{"ε (Fe2-3N)", {}, Ink::Red};
  for (std::size_t i = 0; i < values.size(); ++i) {
    alpha.polygon.push_back({values[i], lower[i]});
    gammaPrime.polygon.push_back({values[i], upper[i]});
    epsilon.polygon.push_back({values[i], upper[i]});
  }
  alpha.polygon.push_back({temperatures.max, kLowest});
  alpha.polygon.push_back({temperatures.min, kLowest});
  for (std::size_t i = values.size(); i-- > 0;) gammaPrime.polygon.push_back({values[i], lower[i]});
  epsilon.polygon.push_back({temperatures.max, kHighest});
  epsilon.polygon.push_back({temperatures.min, kHighest});
  // Each field's name a fifth of the way along, inside its field.
  const std::size_t labelAt = values.size() / 5;
  alpha.labelAt = {values[labelAt], lower[labelAt] / 6};
  gammaPrime.labelAt = {values[labelAt], std::sqrt(lower[labelAt] * upper[labelAt])};
  epsilon.labelAt = {values[labelAt], upper[labelAt] * 6};
  chart.regions.push_back(std::move(alpha));
  chart.regions.push_back(std::move(gammaPrime));
  chart.regions.push_back(std::move(epsilon));

  chart.series.push_back(
      {"α/γ′ boundary, fitted", SeriesStyle::Line, values, lower, Ink::Blue, Dash::Solid});
  chart.series.push_back(
      {"γ′/ε boundary, fitted", SeriesStyle::Line, values, upper, Ink::Red, Dash::Dashed});
  const struct {
    NitridingBoundary boundary;
    const char* label;
    Ink ink;
    Mark mark;
  } measured[] = {{kAlphaGammaPrime, "α/γ′ measured", Ink::Blue, Mark::Square},
                  {kGammaPrimeEpsilon, "γ′/ε measured", Ink::Red, Mark::Triangle}};
  for (const auto& points : measured) {
    Series series{points.label, SeriesStyle::Scatter, {}, {}, points.ink, Dash::Solid, points.mark};
    for (const auto& point : measuredBoundary(points.boundary)) {
      series.x.push_back(point.celsius);
      series.y.push_back(point.ammonia / std::pow(1 - point.ammonia, 1.5));
    }
    chart.series.push_back(std::move(series));
  }

  const ToolOutcome outcome = outcomeOf(tool, readings);
  const auto kn = numberAt(outcome, {kNpKn, -1});
  const auto temperature = readingAt(readings, kNpTemp);
  if (kn && temperature && *kn > 0) {
    std::string label = "Kn " + significant3(*kn) + " at " + celsius(*temperature);
    const auto& phase = outcome.results[kNpPhase];
    if (phase.kind == ToolValue::Kind::Text) label += ": " + phase.text;
    chart.markers.push_back({label, {*temperature, *kn}});
  }
  return chart;
}

bool hasChart(std::string_view toolId) {
  return toolId == atmosphereTool().id || toolId == nitridingPotentialTool().id;
}

namespace {

// The readings a chart draws from: one outside its input's range (a form
// still showing its fault) counts as not given, so every face draws the
// same chart from the same form whatever it does with the fault.
std::vector<std::optional<double>> withinRange(const ToolDescriptor& tool, ToolReadings readings) {
  std::vector<std::optional<double>> kept(tool.inputs.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const auto reading = i < readings.size() ? readings[i] : std::nullopt;
    kept[i] = reading && tool.inputs[i].range.accepts(*reading) ? reading : tool.inputs[i].start;
  }
  return kept;
}

}  // namespace

std::string toolChartSvg(std::string_view toolId, ToolReadings readings, bool decimalComma) {
  if (toolId == atmosphereTool().id) {
    const auto kept = withinRange(atmosphereTool(), readings);
    std::vector<Chart> charts{dewPointChart(kept), probeChart(kept)};
    for (auto& chart : charts) {
      chart.height = 420;
      chart.decimalComma = decimalComma;
    }
    return toSvg(charts, "atmosphere-chart", "Atmosphere charts",
                 "Two charts of the atmosphere: carbon potential against dew point at the "
                 "furnace temperature and around it, then against probe voltage.");
  }
  if (toolId == nitridingPotentialTool().id) {
    Chart diagram = lehrerDiagram(withinRange(nitridingPotentialTool(), readings));
    diagram.decimalComma = decimalComma;
    return toSvg(diagram);
  }
  return {};
}

}  // namespace pyrelon::chart
