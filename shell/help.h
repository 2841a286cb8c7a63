// The help page: for each panel what it computes, its equations, inputs
// with their ranges, results, constants, limits box and conventions, with
// the fuel and pressure tables. Ranges, constants and tables come from the
// same data the calculators use. Toolkit-free HTML, for the desktop
// window's help and the browser page.
#pragma once

#include <string>
#include <string_view>

#include "core/tool.h"

namespace pyrelon {

std::string helpHtml();

// `text` made safe in HTML text and attribute values: & < > " become
// entities, all else (UTF-8 included) stays. escapedHtml("a<b & \"c\"")
// is "a&lt;b &amp; &quot;c&quot;".
std::string escapedHtml(std::string_view text);

// A tool's section of the help page, made from its description alone: what
// it computes, its equations, inputs with option, unit, range and start
// value, results with their digits, CSV columns, constants with their
// sources, and notes. Each section opens with <h2 id="tool-ID">.
std::string toolHelpHtml(const ToolDescriptor& tool);
// Every registered tool's section, in menu order.
std::string toolsHelpHtml();

}  // namespace pyrelon
