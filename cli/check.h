// The probe check: the CO content at which a carbon-probe calibration reads
// the carbon potential found by a shim-stock or analyser test.
#pragma once

#include <optional>
#include <string>

#include "core/numbers.h"

namespace pyrelon::cli {

struct ProbeCheck {
  int probe = 0;         // entry of the carbon panel's list
  std::string mv, temp;  // texts, read by the Val rule as the panel reads them
  double carbon = 0;     // the measured carbon potential, % C
  NumberSettings settings;
};

struct ProbeCheckAnswer {
  bool found = false;
  std::string co;           // the CO content, as the shortest text that reproduces the carbon
  std::string carbonShown;  // the carbon potential the panel shows at that CO
  std::string targetShown;  // the measured carbon as the panel would show it
  std::string message;      // why there is no answer, or the limit a reading failed
};

// Searches the CO range the panel accepts (2 to 37 %) by bisection; the
// carbon potential of every calibration rises with the CO content. The
// answer, typed into the panel as CO, shows the measured carbon to the
// panel's three decimals. When no CO in the range reaches it, `message`
// says so with the carbon at both ends of the range.
ProbeCheckAnswer checkProbe(const ProbeCheck& check);

}  // namespace pyrelon::cli
