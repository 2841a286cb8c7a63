// An in-memory window built from the control table, for testing the
// calculators and start-up without a toolkit. Unknown names and operations on
// the wrong kind of control throw, so a misspelt control fails the test.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/panel.h"
#include "core/window.h"

namespace pyrelon::testing {

// Text boxes and the texts to type into them, in order.
using Texts = std::vector<std::pair<std::string, std::string>>;
using Named = std::map<std::string, std::string, std::less<>>;

struct ShownInfoBox {
  std::string text;
  // Every text box's text while the box was on screen, to tell a reset done
  // before the box from one done after it.
  Named textsWhileShown;
};

class FakeWindow : public Window {
  struct List {
    std::vector<std::string> entries;
    int selected = -1;
  };
  template <typename Map>
  static auto& find(Map& map, std::string_view name) {
    const auto it = map.find(name);
    if (it == map.end()) throw std::logic_error("no such control: " + std::string(name));
    return it->second;
  }
  Named texts_, captions_;
  std::map<std::string, List, std::less<>> lists_;

 public:
  FakeWindow();

  std::string text(std::string_view box) const override { return find(texts_, box); }
  void setText(std::string_view box, std::string_view text) override { find(texts_, box) = text; }
  std::string caption(std::string_view label) const override { return find(captions_, label); }
  void setCaption(std::string_view label, std::string_view text) override {
    find(captions_, label) = text;
  }
  void addListEntry(std::string_view list, std::string_view entry) override {
    find(lists_, list).entries.emplace_back(entry);
  }
  int selectedIndex(std::string_view list) const override { return find(lists_, list).selected; }
  // Runs the list's wired handler, as the real window does.
  void setSelectedIndex(std::string_view list, int index) override;
  void showInfoBox(std::string_view s) override { infoBoxes.push_back({std::string(s), texts_}); }
  void beep() override { ++beeps; }
  NumberSettings numberSettings() const override { return settings; }
  void endProgram() override {}

  // The captions of `labels`, joined by blanks.
  std::string captions(const std::vector<std::string_view>& labels) const;
  // `text` with every point turned into the decimal separator of `settings`.
  std::string local(std::string text) const;
  // What `press` does to a copy of this window: each Info Box as "box: <text>\n",
  // then "while shown: name=text\n" for each text box already changed while it
  // was on screen; then each text box, label and list selection changed, as
  // "name=now\n" in name order ("CarbonLbl=\n" for a cleared label).
  std::string outcomeOf(void (*press)(Window&)) const;

  NumberSettings settings;  // a point by default
  std::vector<ShownInfoBox> infoBoxes;
  int beeps = 0;
};

// A point or a comma as decimal separator, with the matching grouping.
NumberSettings pointSettings();
NumberSettings commaSettings();
// Both of them, to run one table under each.
std::vector<NumberSettings> bothSettings();

// A range a panel tests and its box's start-up text, typed into a test from
// the window's design, not taken from the panels' descriptions, so a
// drifting limit or reset text is caught.
struct TestedRange {
  std::string box;
  double min, max;
  std::string startUp;
};

// A text at and just past each bound of `ranges`, typed in the signed form,
// with the box put back to its start-up text as outcomeOf writes it.
struct BoundText {
  std::string textBox, text;
  bool passes;
  std::string reset;
};
std::vector<BoundText> boundTexts(const std::vector<TestedRange>& ranges);

// A window after start-up under `settings`.
FakeWindow startedWindow(const NumberSettings& settings = pointSettings());
// A started window with `texts` typed, each of `stale` showing "stale", then
// `entry` chosen in `list` (unless empty): a press shows every result it
// writes, and none shows if choosing the entry already wrote it.
FakeWindow panelWindow(const Texts& texts, std::string_view list, int entry,
                       const std::vector<std::string_view>& stale,
                       const NumberSettings& settings = pointSettings());

}  // namespace pyrelon::testing
