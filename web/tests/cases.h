// The differential table's answers, built only into the tests' builds (the
// native case runner and the WebAssembly test module), never into the page.
#pragma once

#include <string>

namespace pyrelon::web {

// One line of the differential table, answered with one line of text
// (see web/tests/cases.cpp).
std::string runCase(const std::string& line);

}  // namespace pyrelon::web
