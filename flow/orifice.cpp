#include "flow/orifice.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "core/numbers.h"
#include "shell/press.h"

namespace pyrelon {
namespace {

// This panel's own offset to absolute temperature.
constexpr double kKelvinOffset = 273.14;

constexpr std::string_view kResultLabel = "FlowLbl";

enum Input : std::size_t {
  kFlow,
  kFlowPressure,
  kFlowTemperature,
  kRefPressure,
  kRefTemperature,
  kAtmPressure,
  kInputCount
};

struct InputBox {
  std::string_view textBox;
  std::string_view quantity;  // as named in a message
};

constexpr std::array<InputBox, kInputCount> kInputBoxes{{
    {"FlowTxt", "flow"},
    {"FlowPresTxt", "flow pressure"},
    {"FlowTempTxt", "flow temperature"},
    {"RefPresTxt", "reference pressure"},
    {"RefTempTxt", "reference temperature"},
    {"AtmPresTxt", "atmospheric pressure"},
}};

struct Compensation {
  std::array<Input, kInputCount> reads;  // the boxes read, in this order
  std::size_t readCount;
  bool temperature;
  bool pressure;
  std::string_view pattern;  // empty: the plain form
};

// Indexed by the entry of FlowCmb.
constexpr std::array<Compensation, 4> kCompensations{{
    {{kFlow}, 1, false, false, ""},
    {{kFlow, kFlowTemperature, kRefTemperature}, 3, true, false, "##.#0"},
    {{kFlow, kAtmPressure, kRefPressure, kFlowPressure}, 4, false, true, "##.#0"},
    {{kFlowTemperature, kRefTemperature, kAtmPressure, kRefPressure, kFlowPressure, kFlow},
     6,
     true,
     true,
     "#.#0"},
}};

FlowFactor fault(std::string_view message) { return {0.0, message}; }

}  // namespace

FlowFactor temperatureFactor(double flowTemperature, double referenceTemperature) {
  const double reference = referenceTemperature + kKelvinOffset;
  const double flow = flowTemperature + kKelvinOffset;
  if (flow == 0) return fault("The flow temperature must be above -273.14 \u00b0C.");
  const double ratio = reference / flow;
  if (ratio < 0) {
    return fault(flow < 0 ? "The flow temperature must be above -273.14 \u00b0C."
                          : "The reference temperature must be above -273.14 \u00b0C.");
  }
  if (!std::isfinite(ratio)) return fault("The temperature factor is too large a number.");
  return {std::sqrt(ratio), {}};
}

FlowFactor pressureFactor(double flowPressure, double referencePressure,
                          double atmosphericPressure) {
  const double flow = flowPressure + atmosphericPressure;
  const double reference = atmosphericPressure + referencePressure;
  if (!std::isfinite(flow))
    return fault("The flow pressure plus the atmospheric pressure is too large a number.");
  if (!std::isfinite(reference))
    return fault("The reference pressure plus the atmospheric pressure is too large a number.");
  if (reference == 0)
    return fault("The reference pressure plus the atmospheric pressure must be above 0 mbar.");
  const double ratio = flow / reference;
  if (ratio < 0) {
    return fault(reference < 0
                     ? "The reference pressure plus the atmospheric pressure must be above 0 mbar."
                     : "The flow pressure plus the atmospheric pressure must be above 0 mbar.");
  }
  if (!std::isfinite(ratio)) return fault("The pressure factor is too large a number.");
  return {std::sqrt(ratio), {}};
}

void FlowBtn_Click(Window& window) {
  const int index = window.selectedIndex("FlowCmb");
  if (index < 0 || index >= static_cast<int>(kCompensations.size())) return;
  const Compensation& c = kCompensations[static_cast<std::size_t>(index)];

  std::array<double, kInputCount> in{};
  for (std::size_t r = 0; r < c.readCount; ++r) {
    const InputBox& box = kInputBoxes[c.reads[r]];
    const std::optional<double> value =
        readInput(window, box.textBox, box.quantity, {kResultLabel});
    if (!value) return;
    in[c.reads[r]] = *value;
  }

  if (c.pattern.empty()) {
    window.setCaption(kResultLabel, plainForm(in[kFlow], window.numberSettings().decimalSeparator));
    return;
  }

  const auto failed = [&window](const FlowFactor& f) {
    if (f.ok()) return false;
    reportFault(window, f.fault, {kResultLabel});
    return true;
  };
  FlowFactor sT;
  FlowFactor sP;
  if (c.temperature) {
    sT = temperatureFactor(in[kFlowTemperature], in[kRefTemperature]);
    if (failed(sT)) return;
  }
  if (c.pressure) {
    sP = pressureFactor(in[kFlowPressure], in[kRefPressure], in[kAtmPressure]);
    if (failed(sP)) return;
  }

  double flow = 0.0;
  if (c.temperature && c.pressure) {
    flow = in[kFlow] * (sT.value * sP.value);
  } else if (c.temperature) {
    flow = in[kFlow] * sT.value;
  } else {
    flow = in[kFlow] * sP.value;
  }
  if (!std::isfinite(flow)) {
    reportFault(window, "The compensated flow is too large a number.", {kResultLabel});
    return;
  }
  writeResult(window, kResultLabel, flow, c.pattern);
}

}  // namespace pyrelon
