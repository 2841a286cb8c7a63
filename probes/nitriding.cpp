#include "probes/nitriding.h"

#include <array>
#include <cmath>

namespace pyrelon {
namespace {

constexpr std::array<InputLimit, 2> kNitridingLimits{{
    {"HTxt", 1, 100, "%", "10"},
    {"NTxt", 5, 100, "%", "31.61"},
}};
constexpr const InputLimit& kHydrogen = kNitridingLimits[0];
constexpr const InputLimit& kAmmonia = kNitridingLimits[1];

// Puts the offending box back to its start-up text first, so it already
// holds it while the limits box is on screen.
void rejectContent(Window& window, const InputLimit& limit) {
  window.setText(limit.textBox, limit.resetText);
  window.showInfoBox(infoBoxText({"The min H2 value is 1 %", "The max H2 value is 100 %",
                                  "The min NH3 value is 5 %", "The max NH3 value is 100 %"},
                                 false));
}

}  // namespace

std::span<const InputLimit> nitridingLimits() { return kNitridingLimits; }

double nitridingFactor(double hydrogenPercent, double ammoniaPercent) {
  const double h = hydrogenPercent / 100.0;
  const double n = ammoniaPercent / 100.0;
  return n / std::pow(h, 1.5);
}

void NkBtn_Click(Window& window) {
  const auto h = readInput(window, kHydrogen.textBox, "hydrogen content", {"NkLbl"});
  if (!h) return;
  if (!kHydrogen.accepts(*h)) {
    rejectContent(window, kHydrogen);
    return;
  }

  const auto n = readInput(window, kAmmonia.textBox, "ammonia content", {"NkLbl"});
  if (!n) return;
  if (!kAmmonia.accepts(*n)) {
    rejectContent(window, kAmmonia);
    return;
  }

  // Both boxes are read once more for the factor; nothing can have changed
  // them, so these readings cannot fail.
  const auto hAgain = readInput(window, kHydrogen.textBox, "hydrogen content", {"NkLbl"});
  const auto nAgain = readInput(window, kAmmonia.textBox, "ammonia content", {"NkLbl"});
  if (!hAgain || !nAgain) return;
  writeResult(window, "NkLbl", nitridingFactor(*hAgain, *nAgain), "#0.00");
}

}  // namespace pyrelon
