#include "probes/carbon.h"

#include <array>
#include <cmath>

#include "core/numbers.h"

namespace pyrelon {
namespace {

constexpr std::array<InputLimit, 3> kCarbonLimits{{
    {"MvZccTxt", 960, 1340, "mV", "1121"},
    {"TempTxt", 650, 1300, "\u00b0C", "830"},
    {"CoTxt", 2, 37, "%", "20"},
}};

// Both closed calibrations share this form; the "Lambda" probe reads 48 mV
// high against the Accucarb curve. T stays in degrees Celsius here.
double closedFormCarbon(double mv, double t, double co) {
  const double a = (-0.3950521 * t - 936.1648) + mv;
  const double b = (0.0361551 * t + 17.74167) * std::log(co);
  const double d = 0.09621958 * t - 20.99039;
  return std::exp((a + b) / d);
}

}  // namespace

std::span<const InputLimit> carbonLimits() { return kCarbonLimits; }

void ShowCarbonLimits(Window& window) {
  window.showInfoBox(infoBoxText({"The min mV probe value is 960 mV",
                                  "The max mV probe value is 1340 mV",
                                  "The min probe temperature value is 650 \u00b0C",
                                  "The max probe temperature value is 1300 \u00b0C",
                                  "The min %Co value is 2 %", "The max %Co value is 37 %"},
                                 false));
}

std::optional<double> carbonLog10(double x) {
  if (x > 0) return std::log(x) / std::log(10.0);
  return std::nullopt;
}

std::optional<double> CarbonLog10(Window& window, const double& x) {
  const std::optional<double> result = carbonLog10(x);
  if (!result) window.setCaption("CarbonLbl", signedForm(x));
  return result;
}

double accucarbCarbon(double mv, double t, double co) { return closedFormCarbon(mv, t, co); }

double lambdaProbeCarbon(double mv, double t, double co) {
  return closedFormCarbon(mv - 48, t, co);
}

std::optional<DinSolution> solveDin17022(double mv, double t, double co,
                                         const CarbonLog10Function& log10) {
  const double k = 0.0992 * (t + 273.14);
  const double rightSide = (mv - 816.1) + k * (log10(co / 100).value_or(0.0) - 1.995);
  double cp = 0.01;
  for (int pass = 1; pass <= kDinMaxPasses; ++pass) {
    const double f = k * (0.15 * cp + log10(cp).value_or(0.0)) - rightSide;
    const double slope = k * 0.15 + (k * (1 / std::log(10.0))) * (1 / cp);
    double next = cp - f / slope;
    // F is increasing and concave in Cp, so a Newton step from below the root
    // stays below it and climbs; only a step from above can overshoot past
    // zero. A tenth of the iterate is then a safe place to climb from. The
    // size of such a step says nothing about convergence.
    const bool newtonStep = next > 0 && std::isfinite(next);
    if (!newtonStep) next = cp / 10;
    const double delta = std::fabs(next - cp);
    cp = next;
    if (!(cp > 0)) return std::nullopt;
    if (newtonStep && delta < 0.00000001) return DinSolution{cp, pass};
  }
  return std::nullopt;
}

void CarbonBtn_Click(Window& window) {
  const auto t = readInput(window, "TempTxt", "probe temperature", {"CarbonLbl"});
  if (!t) return;
  const auto mv = readInput(window, "MvZccTxt", "probe voltage", {"CarbonLbl"});
  if (!mv) return;
  const auto co = readInput(window, "CoTxt", "CO content", {"CarbonLbl"});
  if (!co) return;

  const std::array<double, 3> readings{*mv, *t, *co};
  for (std::size_t i = 0; i < kCarbonLimits.size(); ++i) {
    if (kCarbonLimits[i].accepts(readings[i])) continue;
    ShowCarbonLimits(window);
    window.setText(kCarbonLimits[i].textBox, kCarbonLimits[i].resetText);
    return;
  }

  double carbon = 0;
  switch (window.selectedIndex("ProbeCmb")) {
    case 0: carbon = accucarbCarbon(*mv, *t, *co); break;
    case 1: {
      const auto solution = solveDin17022(
          *mv, *t, *co, [&window](const double& x) { return CarbonLog10(window, x); });
      if (!solution) {
        reportFault(window, "The DIN 17022 iteration found no carbon potential for these readings.",
                    {"CarbonLbl"});
        return;
      }
      carbon = solution->carbon;
      break;
    }
    case 2: carbon = lambdaProbeCarbon(*mv, *t, *co); break;
    default: return;
  }
  writeResult(window, "CarbonLbl", carbon, "0.000");
}

}  // namespace pyrelon
