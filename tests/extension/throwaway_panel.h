// The extension test's own panel, "length" (millimetres to inches), and how
// often its calculator has run, so a test can tell that a face reached it.
#pragma once

namespace pyrelon::testing {

int lengthCalculations();

}  // namespace pyrelon::testing
