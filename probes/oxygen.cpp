#include "probes/oxygen.h"

#include <array>
#include <cmath>

namespace pyrelon {
namespace {

constexpr std::array<InputLimit, 1> kOxygenLimits{{
    {"MvZrO2Txt", -10, 300, "mV", "87.0"},
}};

}  // namespace

std::span<const InputLimit> oxygenLimits() { return kOxygenLimits; }

void ShowOxygenLimits(Window& window) {
  window.showInfoBox(infoBoxText({"The min mV probe value is 0.01 mV",
                                  "The max mV probe value is 300 mV",
                                  "The min mV probe value is -10 mV",
                                  "The min mV probe Offset value is -10 mV",
                                  "The max mV probe Offset value is 10 mV",
                                  "The min Temperatute Probe value is 650\u00b0C",
                                  "The max Temperatute Probe value is 1600 \u00b0C K"},
                                 true));
}

void OxygenBtn_Click(Window& window) {
  const auto mv = readInput(window, "MvZrO2Txt", "probe voltage", {"OxyLbl"});
  if (!mv) return;
  const auto bias = readInput(window, "BiasZrO2Txt", "probe offset", {"OxyLbl"});
  if (!bias) return;
  const auto t = readInput(window, "TempZrO2Txt", "probe temperature", {"OxyLbl"});
  if (!t) return;
  const int p = 1013;

  for (const InputLimit& limit : kOxygenLimits) {
    if (limit.accepts(*mv)) continue;
    ShowOxygenLimits(window);
    window.setText(limit.textBox, limit.resetText);
    return;
  }

  // The offset and the temperature are taken as typed; only the arithmetic
  // they can break is caught here.
  const double divisor = (*t + 273.12) * 0.0215354;
  if (divisor == 0) {
    reportFault(window,
                "The probe temperature of -273.12 \u00b0C is absolute zero, where no oxygen "
                "content can be computed.",
                {"OxyLbl"});
    return;
  }
  const double x = (*mv - *bias) / divisor;
  // exp(x) beyond the double range in either direction leaves no oxygen
  // content that can be shown: 0 or a division by zero.
  const double growth = std::exp(x);
  const double oxygen = growth > 0 ? ((p * 20.95) / p) / growth : 0;
  if (oxygen == 0 || !std::isfinite(oxygen)) {
    reportFault(window,
                x > 0 ? "The oxygen content is too small to compute for these readings."
                      : "The oxygen content is too large to compute for these readings.",
                {"OxyLbl"});
    return;
  }
  writeResult(window, "OxyLbl", oxygen, "#0.00");
}

}  // namespace pyrelon
