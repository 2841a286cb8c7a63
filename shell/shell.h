// Start-up, the menu, the about box, the key filters, and the wiring of
// every control event to what it does. Toolkit-free: a face reports its
// events here by control name.
#pragma once

#include <string_view>

#include "core/outcome.h"
#include "core/window.h"

namespace pyrelon {

// Fills every panel's list and selects its first entry (a unit panel's list
// runs its selection handler), writes every start-up text, then solves
// every panel, each pass in the order the panels' StartUpRanks give.
void Form_Load(Window& window);

// Ends the program at once, asking nothing.
void ExitMenu_Click(Window& window);

// The about box: six lines, each ending with a line feed.
void Image1_Click(Window& window);

// The Solve buttons and the unit lists' selection handlers, by the names
// the window's design gives them: each is click() or select() of its
// control.
void TempBtn_Click(Window& window);
void PresBtn_Click(Window& window);
void NkBtn_Click(Window& window);
void CarbonBtn_Click(Window& window);
void OxiBtn_Click(Window& window);
void OxygenBtn_Click(Window& window);
void FlowBtn_Click(Window& window);
void GradiCmb_Click(Window& window);
void PresCmb_Click(Window& window);

// The key filter of the boxes that take digits only (the hydrogen and
// ammonia boxes), for a character with `code` typed into a box holding
// `currentText`, before the box applies it.
// A rejected key beeps and empties the box; the key itself is still
// applied afterwards. Other boxes let every key through.
Outcome filterKey(std::string_view textBox, std::string_view currentText, int code);
// A paste into a box (from the keyboard, the mouse, a menu or a drop) meets
// the key filter once, as one keystroke whose text is `pasted`: it passes
// when the box already holds a point or `pasted` is digits with at most one
// point; otherwise the box beeps and empties. The face then inserts the
// pasted text as usual. Other boxes let every paste through.
//   filterPaste("HTxt", "", "31.61") -> nothing;  ("HTxt", "10", "1,5") -> beep, empty
Outcome filterPaste(std::string_view textBox, std::string_view currentText,
                    std::string_view pasted);
void HTxt_KeyPress(Window& window, int code);
void NTxt_KeyPress(Window& window, int code);

// What the faces report. Each returns false, doing nothing, for a control
// without such a handler.
bool hasClickHandler(std::string_view control);   // buttons, the logo, the menu entry
bool hasSelectionHandler(std::string_view list);  // the unit lists
bool hasKeyHandler(std::string_view textBox);     // boxes whose KeyEvents is not None
bool click(Window& window, std::string_view control);
bool select(Window& window, std::string_view list);
bool keyPress(Window& window, std::string_view textBox, int code);
// Applies filterPaste to the box as it stands; false for a box without a
// key handler.
bool paste(Window& window, std::string_view textBox, std::string_view pasted);
// Enter or Return in an input box presses its panel's Solve button; the
// key goes no further, so the key filter never sees it. False, doing
// nothing, for a control that is no panel's input.
bool submit(Window& window, std::string_view textBox);

}  // namespace pyrelon
