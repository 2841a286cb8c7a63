// The first implementation of pattern formatting and of the plain form,
// kept for the tests, the fuzz targets and the benchmarks only: it builds
// its text with std::string pieces and settles the 15th digit from sixty
// digits written by std::to_chars. It is slow but simple, and the faster
// functions in core/numbers.h must give exactly the same bytes.
#pragma once

#include <string>
#include <string_view>

namespace pyrelon::reference {

std::string formatPattern(double value, std::string_view pattern,
                          std::string_view decimalSeparator);

std::string plainForm(double value, std::string_view decimalSeparator);

}  // namespace pyrelon::reference
