// An in-memory window built from the control table, for testing the
// calculators and start-up without a toolkit. Unknown names and operations on
// the wrong kind of control throw, so a misspelt control fails the test.
#pragma once

#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/press.h"
#include "app/window.h"

namespace pyrelon::testing {

// Text boxes and the texts to type into them, in order.
using Texts = std::vector<std::pair<std::string, std::string>>;

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

  // Types `texts` into their boxes, in order.
  void setTexts(const Texts& texts);
  // The captions of `labels`, joined by blanks.
  std::string captions(const std::vector<std::string_view>& labels) const;
  // `text` with every point turned into the decimal separator of `settings`.
  std::string local(std::string text) const;
  // Each text box, label and list selection that differs from `before`, as
  // "name=now" lines in name order ("CarbonLbl=\n" for a cleared label).
  std::string changesSince(const FakeWindow& before) const;
  // What a press did since `before`: each new Info Box as "box: <text>\n", then
  // "while shown: name=text\n" for each text box already changed while it was
  // on screen; then changesSince(before).
  std::string outcomeSince(const FakeWindow& before) const;
  // The outcome of running `press` on a copy of this window.
  std::string outcomeOf(void (*press)(Window&)) const;

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
// Both of them, to run one table under each.
std::vector<NumberSettings> bothSettings();

// A text at and just past each bound of `limits`, typed in the signed form.
struct BoundText {
  std::string textBox, text;
  bool passes;
  std::string resetText;
  // The box put back to its start-up text, as changesSince writes it.
  std::string reset() const { return textBox + "=" + resetText + "\n"; }
};
std::vector<BoundText> boundTexts(std::span<const InputLimit> limits);

// A window after start-up under `settings`.
FakeWindow startedWindow(const NumberSettings& settings = pointSettings());

}  // namespace pyrelon::testing
