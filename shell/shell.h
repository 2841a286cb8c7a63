// Start-up, the menu, the about box, the key filters, and the table that
// wires every control event to its handler. Toolkit-free: the Qt window
// looks its handlers up here.
#pragma once

#include <span>
#include <string_view>

#include "shell/press.h"
#include "core/window.h"

namespace pyrelon {

// Fills the six lists and selects their first entries (the temperature and
// pressure lists run their selection handlers), writes the 21 default
// texts, then runs the seven Solve handlers.
void Form_Load(Window& window);

// Ends the program at once, asking nothing.
void ExitMenu_Click(Window& window);

// The about box: six lines, each ending with a line feed.
void Image1_Click(Window& window);

// The key filters of the hydrogen and ammonia boxes, called with the typed
// character's code before the box applies it. A rejected key beeps and
// empties the box; the key itself is still applied afterwards.
void HTxt_KeyPress(Window& window, int code);
void NTxt_KeyPress(Window& window, int code);
// Every key reaches these boxes unchanged.
void DataText_KeyPress(Window& window, int code);
void PresText_KeyPress(Window& window, int code);

using Handler = void (*)(Window&);
using KeyHandler = void (*)(Window&, int);

struct EventHandler {
  std::string_view control;
  Handler handler;
};
struct KeyEventHandler {
  std::string_view control;
  KeyHandler handler;
};

// Buttons pressed, the logo clicked, the menu entry chosen.
std::span<const EventHandler> clickHandlers();
// A list entry selected, by the user or by code.
std::span<const EventHandler> selectionHandlers();
// A character typed into a text box.
std::span<const KeyEventHandler> keyHandlers();

// The handler wired to `control` in `table`, or nullptr.
Handler findHandler(std::span<const EventHandler> table, std::string_view control);
KeyHandler findKeyHandler(std::string_view control);

// The limits a probe panel tests `textBox` against, or nullptr for a box
// without limits.
const InputLimit* inputLimitFor(std::string_view textBox);

}  // namespace pyrelon
