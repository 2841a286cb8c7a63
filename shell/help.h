// The help page: for each panel what it computes, its equations, inputs
// with their ranges, results, constants, limits box and conventions, with
// the fuel and pressure tables. Ranges, constants and tables come from the
// same data the calculators use. Toolkit-free HTML, for the desktop
// window's help and the browser page.
#pragma once

#include <string>

namespace pyrelon {

std::string helpHtml();

}  // namespace pyrelon
