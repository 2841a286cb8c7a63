// What a box's text reads as, said where the Val rule does not read all of
// it. Toolkit-free: the desktop window marks the box with it, and the
// command-line tool and the browser page can print it.
#pragma once

#include <string>
#include <string_view>

#include "core/panel.h"

namespace pyrelon {

// One line when the Val rule stops before the end of `text` (blanks at the
// end aside) or finds no number in it; empty when the whole text is read,
// and for an empty or blank text.
//   "1,5" -> Read as "1": the number ends before ",5". Type a point as the
//            decimal separator.
//   "12abc" -> Read as "12": the number ends before "abc".
//   "abc"   -> No number is read from "abc"; it counts as 0.
// The quoted parts are the text's own characters, without the blanks
// around them.
std::string partReadWarning(std::string_view text);

// The tooltip of an input box holding `text`: the warning, if any, above
// the range the box accepts, if it has one.
std::string inputToolTip(const InputSpec& input, std::string_view text);

}  // namespace pyrelon
