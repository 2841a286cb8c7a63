// An in-memory window built from the control table, for testing the
// calculators and start-up without a toolkit. Unknown names and operations on
// the wrong kind of control throw, so a misspelt control fails the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/window.h"

namespace pyrelon::testing {

struct ShownInfoBox {
  std::string text;
  // Every text box's text while the box was on screen, to tell a reset done
  // before the box from one done after it.
  std::map<std::string, std::string, std::less<>> textsWhileShown;
};

class FakeWindow : public Window {
 public:
  // With `runSelectionHandlers`, setting a list's selection runs its wired
  // handler, as the real window does.
  explicit FakeWindow(bool runSelectionHandlers = true);

  std::string text(std::string_view textBox) const override;
  void setText(std::string_view textBox, std::string_view text) override;
  std::string caption(std::string_view label) const override;
  void setCaption(std::string_view label, std::string_view caption) override;
  void addListEntry(std::string_view list, std::string_view entry) override;
  int selectedIndex(std::string_view list) const override;
  void setSelectedIndex(std::string_view list, int index) override;
  void showInfoBox(std::string_view text) override;
  void beep() override { ++beeps; }
  NumberSettings numberSettings() const override { return settings; }
  void endProgram() override { ended = true; }

  // Sets up a list with entries without running its handler.
  void setListEntries(std::string_view list, std::vector<std::string> entries, int selected);
  std::vector<std::string> listEntries(std::string_view list) const;

  NumberSettings settings;  // a point by default
  std::vector<ShownInfoBox> infoBoxes;
  int beeps = 0;
  bool ended = false;

 private:
  struct List {
    std::vector<std::string> entries;
    int selected = -1;
  };
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, std::string, std::less<>> captions_;
  std::map<std::string, List, std::less<>> lists_;
  bool runSelectionHandlers_;
};

// A point or a comma as decimal separator, with the matching grouping.
NumberSettings pointSettings();
NumberSettings commaSettings();

}  // namespace pyrelon::testing
