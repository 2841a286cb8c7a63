// The window operations the calculators need, and nothing more. The Qt
// window implements them once; tests use an in-memory window. Controls are
// addressed by their object names ("MvZccTxt", "CarbonLbl", "FuelCmb").
#pragma once

#include <string>
#include <string_view>

#include "core/numbers.h"

namespace pyrelon {

class Window {
 public:
  virtual ~Window() = default;

  // Current text of a text box, possibly empty.
  virtual std::string text(std::string_view textBox) const = 0;
  // Replaces the whole text; the caret goes to the start; no key handler runs.
  virtual void setText(std::string_view textBox, std::string_view text) = 0;

  // The caption last written to a label.
  virtual std::string caption(std::string_view label) const = 0;
  virtual void setCaption(std::string_view label, std::string_view caption) = 0;

  // Appends an entry to a drop-down list.
  virtual void addListEntry(std::string_view list, std::string_view entry) = 0;
  // 0 for the first entry, -1 when nothing is selected.
  virtual int selectedIndex(std::string_view list) const = 0;
  // Selects an entry; a list with a selection handler then runs it, exactly
  // as when the user picks the entry.
  virtual void setSelectedIndex(std::string_view list, int index) = 0;

  // The modal "Info Box": information icon, OK only, `text` shown as plain
  // text with its line feeds. Returns when the user has closed it.
  virtual void showInfoBox(std::string_view text) = 0;
  // The platform's alert sound, once; returns at once.
  virtual void beep() = 0;

  virtual NumberSettings numberSettings() const = 0;

  // Closes the window and ends the program with status 0; no further
  // handler runs.
  virtual void endProgram() = 0;
};

}  // namespace pyrelon
