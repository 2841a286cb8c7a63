// One press of a panel's Solve button, the same for every panel and every
// face: read the boxes the selected entry reads by the Val rule, test their
// limits in the panel's order, then run the panel's calculator. The outcome
// is the ordered steps the face applies.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/panel.h"
#include "core/window.h"

namespace pyrelon {

// `texts` holds the text of each of the panel's inputs, in its input order;
// `entry` is the selected list entry (-1: none).
//   - A box whose number lies beyond the double range ends the press with
//     "The <what> is too large a number.", after clearing every result.
//   - The first reading outside its limits shows the limits box and puts
//     that box back to its start-up text, in the panel's order; no result
//     changes.
//   - Otherwise the calculator's steps.
// A panel that needs an entry does nothing without one.
Outcome pressPanel(const PanelDescriptor& panel, std::span<const std::string> texts, int entry,
                   const NumberSettings& settings);

// The same press from readings already made by the Val rule, one per input
// in its input order (only those the entry reads are looked at), into
// `out`, whose storage is reused. The command-line tool reads its inputs
// strictly and then presses this way.
void pressReadings(const PanelDescriptor& panel, std::span<const ReadResult> readings, int entry,
                   const NumberSettings& settings, Outcome& out);

// The same press on a window: reads the boxes and the list from it and
// applies the steps.
void pressPanel(Window& window, const PanelDescriptor& panel);

// Choosing an entry of a unit panel's list: writes its result units into
// the column captions and its preset into the input box. The caller then
// presses the panel.
Outcome selectEntry(const PanelDescriptor& panel, int entry);

// Applies the steps in order; the window's Info Box blocks.
void applySteps(Window& window, const Outcome& outcome);

// The text of the limits box, and its line for one bound.
std::string limitsBoxText(const PanelDescriptor& panel);
std::string limitLineText(const LimitLine& line, const PanelDescriptor& panel);

// "960 to 1340 mV": the range a box accepts, for its tooltip; empty for a
// box without limits.
std::string rangeText(const InputSpec& input);

// The preset of a unit panel: a whole number in the plain form ("32"), any
// other in the signed form (" 273.15"), so the Val rule reads it back
// whatever the user's settings.
std::string presetText(double preset);

}  // namespace pyrelon
