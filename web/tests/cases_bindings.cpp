// The WebAssembly test module's one function: the differential table's
// answers, from the same sources as the page's module.
#include <emscripten/bind.h>

#include "web/tests/cases.h"

EMSCRIPTEN_BINDINGS(pyrelon_cases) { emscripten::function("runCase", &pyrelon::web::runCase); }
