#include "cli/check.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "probes/carbon.h"
#include "shell/press.h"

namespace pyrelon::cli {
namespace {

// The carbon potential the panel shows for a CO text, or empty when the
// press ends without one.
std::string shownCarbon(const ProbeCheck& check, const std::string& coText, std::string* error) {
  const std::vector<std::string> texts{check.mv, check.temp, coText};
  const Outcome out = pressPanel(carbonPanel(), texts, check.probe, check.settings);
  if (out.ending() != Ending::Solved) {
    if (error) *error = out.message();
    return {};
  }
  return out.shown("CarbonLbl");
}

std::string pointForm(double value, int decimals) {
  std::string pattern = "0.";
  pattern.append(static_cast<std::size_t>(decimals), '0');
  return formatPattern(value, decimals == 0 ? "0" : pattern, ".");
}

}  // namespace

ProbeCheckAnswer checkProbe(const ProbeCheck& check) {
  ProbeCheckAnswer answer;
  const PanelDescriptor& panel = carbonPanel();
  const Limits co = *panel.inputs[kCarbonCo].limits;
  const std::string_view pattern = panel.resultsFor(check.probe).front().pattern;
  answer.targetShown = formatPattern(check.carbon, pattern, check.settings.decimalSeparator);

  std::string error;
  const std::string atLow = shownCarbon(check, pointForm(co.min, 0), &error);
  if (atLow.empty()) {
    answer.message = error.empty() ? "The readings give no carbon potential." : error;
    return answer;
  }
  const std::string atHigh = shownCarbon(check, pointForm(co.max, 0), nullptr);

  const ReadResult low =
      readLocaleNumber(atLow, check.settings.decimalSeparator, check.settings.groupSeparator);
  const ReadResult high =
      readLocaleNumber(atHigh, check.settings.decimalSeparator, check.settings.groupSeparator);
  const ReadResult target = readLocaleNumber(answer.targetShown, check.settings.decimalSeparator,
                                             check.settings.groupSeparator);
  if (!low.ok() || !high.ok() || !target.ok() || target.value < low.value ||
      target.value > high.value) {
    answer.message = "No CO content from " + plainForm(co.min, check.settings.decimalSeparator) +
                     " to " + plainForm(co.max, check.settings.decimalSeparator) +
                     " % makes this calibration read " + answer.targetShown + " % C: it reads " +
                     atLow + " at " + plainForm(co.min, check.settings.decimalSeparator) +
                     " % and " + atHigh + " at " +
                     plainForm(co.max, check.settings.decimalSeparator) + " %.";
    return answer;
  }

  // The shown carbon rises with the CO content: bisect on the text shown.
  const auto showsAtLeast = [&](double c) {
    const ReadResult r =
        readLocaleNumber(shownCarbon(check, pointForm(c, 9), nullptr),
                         check.settings.decimalSeparator, check.settings.groupSeparator);
    return r.ok() && r.value >= target.value;
  };
  double lo = co.min;
  double hi = co.max;
  // About 35 halvings: the CO range is finite and the doubles in it lie
  // far closer than 1e-9, so each one narrows it.
  while (hi - lo > 1e-9) {
    const double mid = lo + (hi - lo) / 2;
    (showsAtLeast(mid) ? hi : lo) = mid;
  }
  // The shortest CO text within the range that reproduces the target.
  for (int decimals = 0; decimals <= 9; ++decimals) {
    const double step = std::pow(10.0, -decimals);
    const double rounded = std::ceil(hi / step - 1e-9) * step;
    for (const double candidate : {rounded, rounded - step, rounded + step}) {
      if (candidate < co.min || candidate > co.max) continue;
      const std::string text = pointForm(candidate, decimals);
      if (shownCarbon(check, text, nullptr) == answer.targetShown) {
        answer.found = true;
        answer.co = text;
        if (check.settings.decimalSeparator != ".") {
          for (char& ch : answer.co)
            if (ch == '.') ch = check.settings.decimalSeparator.front();
        }
        answer.carbonShown = answer.targetShown;
        return answer;
      }
    }
  }
  answer.message = "No CO content shows exactly " + answer.targetShown +
                   " % C with this calibration; the nearest is " + pointForm(hi, 9) + " %.";
  return answer;
}

}  // namespace pyrelon::cli
