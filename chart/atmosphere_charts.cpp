#include "chart/atmosphere_charts.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chart/text.h"
#include "chart/tool_sweep.h"

namespace pyrelon::chart {

namespace {

// Points per curve: half a kelvin of dew point, two millivolts, five kelvin.
constexpr int kDewPointSteps = 151;
constexpr int kProbeSteps = 201;
constexpr int kTemperatureSteps = 39;

std::optional<double> readingOf(const ToolDescriptor& tool, ToolReadings readings,
                                std::string_view key) {
  const int index = findInput(tool, key);
  if (index < 0 || static_cast<std::size_t>(index) >= readings.size()) return std::nullopt;
  const auto& reading = readings[static_cast<std::size_t>(index)];
  if (reading && std::isfinite(*reading)) return reading;
  const auto& start = tool.inputs[static_cast<std::size_t>(index)].start;
  return start;
}

Limits rangeOf(const ToolDescriptor& tool, std::string_view key, Limits fallback) {
  const int index = findInput(tool, key);
  return index < 0 ? fallback : tool.inputs[static_cast<std::size_t>(index)].range;
}

std::string unitOf(const ToolDescriptor& tool, std::string_view key) {
  const int index = findInput(tool, key);
  return index < 0 ? std::string() : std::string(tool.inputs[static_cast<std::size_t>(index)].unit);
}

ToolOutcome outcomeOf(const ToolDescriptor& tool, ToolReadings readings) {
  if (!tool.calculate || readings.size() != tool.inputs.size()) return {};
  return tool.calculate(readings);
}

std::string celsius(double value) { return fixedText(value, 0) + " °C"; }

// Three significant digits, plainly written, for 0.001 to 1000 (Kn, pO2 …).
std::string significant3(double value) {
  if (!(value > 1e-3 && value < 1e3)) return shortScientific(value);
  const int places = 2 - static_cast<int>(std::floor(portableLog10(value)));
  return fixedText(value, places < 0 ? 0 : places);
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

}  // namespace

Chart dewPointChart(const ToolDescriptor& atmosphere, ToolReadings readings) {
  Chart chart;
  chart.id = std::string(atmosphere.id) + "-dew-point-chart";
  const double temperature = readingOf(atmosphere, readings, "temp").value_or(925);
  const Limits temperatures = rangeOf(atmosphere, "temp", {800, 1100});
  const Limits dewPoints = rangeOf(atmosphere, "dew-point", {-45, 30});
  chart.title = "Carbon potential against dew point";
  chart.x = {"Dew point", unitOf(atmosphere, "dew-point")};
  chart.y = {"Carbon potential", "%C"};

  const int temp = findInput(atmosphere, "temp");
  const int dew = findInput(atmosphere, "dew-point");
  const ResultPlace potential = findResult(atmosphere, "carbon_potential", "dew_point");
  const auto base = baseReadings(atmosphere, readings, {});
  const auto dewValues = evenly(dewPoints.min, dewPoints.max, kDewPointSteps);
  std::string shown;
  for (int offset : {-50, -25, 0, 25, 50}) {
    const double at = temperature + offset;
    if (!temperatures.accepts(at)) continue;
    auto readingsAt = base;
    if (temp >= 0) readingsAt[static_cast<std::size_t>(temp)] = at;
    Series curve;
    curve.label = celsius(at);
    curve.x = dewValues;
    curve.y = sweep(atmosphere, readingsAt, dew, dewValues, potential);
    const CurveLook look = lookOfOffset(offset);
    curve.ink = look.ink;
    curve.dash = look.dash;
    chart.series.push_back(std::move(curve));
    shown += shown.empty() ? "" : ", ";
    shown += celsius(at);
  }

  const ToolOutcome outcome = outcomeOf(atmosphere, readings);
  const auto dewReading = dew >= 0 && static_cast<std::size_t>(dew) < readings.size()
                              ? readings[static_cast<std::size_t>(dew)]
                              : std::nullopt;
  if (dewReading) {
    if (const auto value = numberAt(outcome, potential)) {
      chart.markers.push_back(
          {"dew point " + fixedText(*dewReading, 1) + " °C: " + fixedText(*value, 3) + " %C",
           {*dewReading, *value},
           Ink::Black});
    }
  }
  const auto target = readingOf(atmosphere, readings, "target-carbon");
  const auto equivalent = numberAt(outcome, findResult(atmosphere, "equivalents", "dew_point"));
  if (target && equivalent && dewPoints.accepts(*equivalent)) {
    chart.annotations.push_back(
        {"target " + fixedText(*target, 2) + " %C at " + fixedText(*equivalent, 1) + " °C",
         {*equivalent, *target}});
  }
  chart.description =
      "The carbon potential of the atmosphere in equilibrium with each dew point, "
      "at " +
      shown + ", for the CO and hydrogen given.";
  return chart;
}

Chart probeChart(const ToolDescriptor& atmosphere, ToolReadings readings) {
  Chart chart;
  chart.id = std::string(atmosphere.id) + "-probe-chart";
  const double temperature = readingOf(atmosphere, readings, "temp").value_or(925);
  const Limits voltages = rangeOf(atmosphere, "mv", {900, 1300});
  chart.title = "Carbon potential against probe voltage at " + celsius(temperature);
  chart.x = {"Probe voltage", unitOf(atmosphere, "mv")};
  chart.y = {"Carbon potential", "%C"};

  const int mv = findInput(atmosphere, "mv");
  const ResultPlace potential = findResult(atmosphere, "carbon_potential", "probe");
  const auto values = evenly(voltages.min, voltages.max, kProbeSteps);
  Series curve;
  curve.label = celsius(temperature);
  curve.x = values;
  curve.y = sweep(atmosphere, baseReadings(atmosphere, readings, {}), mv, values, potential);
  curve.ink = Ink::Black;
  chart.series.push_back(std::move(curve));

  const ToolOutcome outcome = outcomeOf(atmosphere, readings);
  const auto saturation = numberAt(outcome, findResult(atmosphere, "saturation"));
  if (saturation) {
    Series line;
    line.label = "graphite saturation " + fixedText(*saturation, 3) + " %C: sooting above";
    line.x = {voltages.min, voltages.max};
    line.y = {*saturation, *saturation};
    line.ink = Ink::Red;
    line.dash = Dash::Dashed;
    chart.series.push_back(std::move(line));
  }
  const auto mvReading = mv >= 0 && static_cast<std::size_t>(mv) < readings.size()
                             ? readings[static_cast<std::size_t>(mv)]
                             : std::nullopt;
  if (mvReading) {
    if (const auto value = numberAt(outcome, potential)) {
      chart.markers.push_back(
          {"probe " + fixedText(*mvReading, 0) + " mV: " + fixedText(*value, 3) + " %C",
           {*mvReading, *value},
           Ink::Black});
    }
  }
  chart.description = "The carbon potential an oxygen probe's voltage stands for at " +
                      celsius(temperature) +
                      ", for the CO given; above graphite saturation the atmosphere deposits soot.";
  return chart;
}

Chart lehrerDiagram(const ToolDescriptor& nitriding, ToolReadings readings,
                    std::span<const BoundaryPoint> alphaGammaPrime,
                    std::span<const BoundaryPoint> gammaPrimeEpsilon) {
  Chart chart;
  chart.id = std::string(nitriding.id) + "-lehrer-chart";
  chart.title = "Lehrer diagram: phases of pure iron";
  const Limits temperatures = rangeOf(nitriding, "temp", {400, 590});
  chart.x = {"Temperature", unitOf(nitriding, "temp")};
  chart.y = {"Nitriding potential Kn", "atm^-1/2", Scale::Log};
  // The fields reach from 0.01 to 100: beyond the boundaries at every
  // temperature of the range, and the axis still widens to the current point.
  constexpr double kLowest = 0.01;
  constexpr double kHighest = 100;
  chart.y.fixedRange = true;
  chart.y.low = kLowest;
  chart.y.high = kHighest;

  const int temp = findInput(nitriding, "temp");
  const auto base = baseReadings(nitriding, readings, {});
  const auto values = evenly(temperatures.min, temperatures.max, kTemperatureSteps);
  const auto lower = sweep(nitriding, base, temp, values,
                           findResult(nitriding, "boundaries", "alpha_gamma_prime"));
  const auto upper = sweep(nitriding, base, temp, values,
                           findResult(nitriding, "boundaries", "gamma_prime_epsilon"));

  // The fields as polygons between the boundaries.
  Region alpha{"α (ferrite)", {}, Ink::Blue};
  Region gammaPrime{"γ′ (Fe4N)", {}, Ink::Magenta};
  Region epsilon{"ε (Fe2-3N)", {}, Ink::Red};
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (std::isfinite(lower[i])) alpha.polygon.push_back({values[i], lower[i]});
  }
  alpha.polygon.push_back({temperatures.max, kLowest});
  alpha.polygon.push_back({temperatures.min, kLowest});
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (std::isfinite(upper[i])) gammaPrime.polygon.push_back({values[i], upper[i]});
  }
  for (std::size_t i = values.size(); i-- > 0;) {
    if (std::isfinite(lower[i])) gammaPrime.polygon.push_back({values[i], lower[i]});
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (std::isfinite(upper[i])) epsilon.polygon.push_back({values[i], upper[i]});
  }
  epsilon.polygon.push_back({temperatures.max, kHighest});
  epsilon.polygon.push_back({temperatures.min, kHighest});
  // Each field's name where it is widest: near the cool end, inside it.
  const double labelT = temperatures.min + (temperatures.max - temperatures.min) * 0.2;
  const std::size_t labelAt = values.size() / 5;
  if (std::isfinite(lower[labelAt]) && std::isfinite(upper[labelAt])) {
    alpha.labelAt = {labelT, lower[labelAt] / 8};
    gammaPrime.labelAt = {labelT, std::sqrt(lower[labelAt] * upper[labelAt])};
    epsilon.labelAt = {labelT, upper[labelAt] * 8};
  } else {
    alpha.showLabel = gammaPrime.showLabel = epsilon.showLabel = false;
  }
  chart.regions.push_back(std::move(alpha));
  chart.regions.push_back(std::move(gammaPrime));
  chart.regions.push_back(std::move(epsilon));

  Series lowerLine{
      "α/γ′ boundary, fitted", SeriesStyle::Line, values, lower, Ink::Blue, Dash::Solid};
  Series upperLine{
      "γ′/ε boundary, fitted", SeriesStyle::Line, values, upper, Ink::Red, Dash::Dashed};
  chart.series.push_back(std::move(lowerLine));
  chart.series.push_back(std::move(upperLine));
  Series lowerMeasured{"α/γ′ measured", SeriesStyle::Scatter, {},          {},
                       Ink::Blue,       Dash::Solid,          Mark::Square};
  for (const auto& point : alphaGammaPrime) {
    lowerMeasured.x.push_back(point.celsius);
    lowerMeasured.y.push_back(point.kn);
  }
  Series upperMeasured{"γ′/ε measured", SeriesStyle::Scatter, {}, {}, Ink::Red,
                       Dash::Solid,     Mark::Triangle};
  for (const auto& point : gammaPrimeEpsilon) {
    upperMeasured.x.push_back(point.celsius);
    upperMeasured.y.push_back(point.kn);
  }
  if (!lowerMeasured.x.empty()) chart.series.push_back(std::move(lowerMeasured));
  if (!upperMeasured.x.empty()) chart.series.push_back(std::move(upperMeasured));

  const ToolOutcome outcome = outcomeOf(nitriding, readings);
  const auto kn = numberAt(outcome, findResult(nitriding, "kn"));
  const auto temperature = readingOf(nitriding, readings, "temp");
  if (kn && temperature && *kn > 0) {
    std::string label = "Kn " + significant3(*kn) + " at " + celsius(*temperature);
    const ResultPlace phase = findResult(nitriding, "phase");
    if (phase.result >= 0 && outcome.error.empty() &&
        static_cast<std::size_t>(phase.result) < outcome.results.size() &&
        outcome.results[static_cast<std::size_t>(phase.result)].kind == ToolValue::Kind::Text) {
      label += ": " + outcome.results[static_cast<std::size_t>(phase.result)].text;
    }
    chart.markers.push_back({label, {*temperature, *kn}, Ink::Black});
  }
  chart.description =
      "The phase the surface of pure iron forms in ammonia and hydrogen at each temperature and "
      "nitriding potential Kn = pNH3/pH2^1.5: alpha (ferrite) below the lower boundary, "
      "gamma-prime "
      "between the boundaries, epsilon above. Lines are fitted; marks are measurements.";
  return chart;
}

}  // namespace pyrelon::chart
