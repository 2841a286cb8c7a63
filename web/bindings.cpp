// The calculators as the page's script sees them: texts in, texts out.
#include <emscripten/bind.h>

#include "web/page_api.h"

EMSCRIPTEN_BINDINGS(pyrelon) {
  using namespace emscripten;
  using namespace pyrelon::web;
  function("controlsJson", &controlsJson);
  function("clientSize", &clientSize);
  function("captionPlace", &captionPlace);
  function("resultPlace", &resultPlace);
  function("startUp", &startUp);
  function("typed", &typed);
  function("chose", &chose);
  function("click", &click);
  function("select", &select);
  function("keyPress", &keyPress);
  function("paste", &paste);
  function("submit", &submit);
  function("staleLabels", &staleLabels);
  function("panelResults", &panelResults);
  function("help", &help);
  function("toolsJson", &toolsJson);
  function("toolCompute", &toolCompute);
  function("toolChart", &toolChart);
  function("logoSvg", &logoSvg);
}
