// A panel described as data: its controls and their places, its inputs with
// their limits, its list, which boxes each list entry reads and in what
// order they are tested, its results with their patterns, its constants,
// the lines of its limits box, and the calculator that turns readings into
// what the panel shows. Every face (the desktop window, the command-line
// tool, the browser page) and every test reads these; nothing about a panel
// is written twice. Toolkit-free.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"

namespace pyrelon {

// ---------------------------------------------------------------------------
// Layout: every control of the window as data.

enum class ControlKind {
  Panel,        // framed group box with a caption
  TextBox,      // single-line input
  List,         // list-only drop-down
  Button,       // "Solve"
  Label,        // caption label; keeps its text unless a unit panel rewrites it
  ResultLabel,  // yellow on black, written by its panel's calculation
  Line,         // straight line; place holds the two end points
  Picture,      // the logo
};

enum class Colour {
  Default,
  Blue,     // captions and units of input boxes, header labels
  Red,      // captions of selector lists
  Magenta,  // captions of results
  Yellow,   // release label
  LineRed,  // the decorative drawing
  Black,    // the separator of the flow panel
};

enum class Align { Centre, Left };

enum class Look {
  Standard,  // the kind's own font
  Maker,     // Arial 15 bold italic (header labels)
  Release,   // Arial 9.75 bold italic
};

// Places are in twips (15 to the pixel), relative to the client area for
// panels and for controls directly on the window, to the panel otherwise.
// For a line, left/top/width/height are x1, y1, x2, y2.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // empty: directly on the window
  std::string_view text;    // design-time text or caption
  int left, top, width, height;
  Colour colour = Colour::Default;
  Align align = Align::Centre;
  Look look = Look::Standard;
};

inline constexpr int kTwipsPerPixel = 15;
// The client area reaches this far beyond its right- and bottom-most
// control, as far as the first panel stands from its top left corner.
inline constexpr int kClientMarginTwips = 60;

// ---------------------------------------------------------------------------
// Inputs, lists, results, constants.

// An inclusive range.
struct Limits {
  double min;
  double max;

  constexpr bool accepts(double value) const { return value >= min && value <= max; }
};

// What a box does with the keys typed into it.
enum class KeyEvents {
  None,        // no key handler
  Unfiltered,  // a key handler that lets every key through
  Digits,      // a key other than a digit, typed into a box without a point,
               // beeps and empties the box (the key is still applied)
};

struct InputSpec {
  std::string_view box;        // "MvZccTxt"
  std::string_view key;        // command-line option and CSV column: "mv"
  std::string_view what;       // "probe voltage", as a message names it
  std::string_view unit;       // "mV"; empty where the quantity has none
  std::string_view startText;  // written at start-up and put back on a failed test
  std::optional<Limits> limits;
  KeyEvents keys = KeyEvents::None;
};

struct ListEntry {
  std::string_view text;   // as the list shows it: "Metano"
  std::string_view alias;  // a plain-English name: "methane"; may be empty
};

struct ListSpec {
  std::string_view name;  // "FuelCmb"
  std::string_view key;   // "fuel"
  std::string_view what;  // "fuel"
  std::span<const ListEntry> entries;
};

// A result label, what it shows, its unit and the pattern it is written
// through (empty: the plain form).
struct ResultSpec {
  std::string_view label;
  std::string_view key;   // JSON member and CSV column: "carbon"
  std::string_view what;  // "carbon potential"
  std::string_view unit;
  std::string_view pattern;
};

// A constant a formula reads, for the help text and the command-line tool.
struct ConstantSpec {
  std::string_view name;
  double value;
  std::string_view unit;
};

// One step of reading a panel: read a box by the Val rule, or test a box
// already read against its limits.
struct ReadStep {
  enum Kind { Read, Test } kind;
  int input;  // index into PanelDescriptor::inputs
};
using ReadPlan = std::span<const ReadStep>;

// A line of the limits box. A tested line states the bound `input`'s
// limits hold; a shown-only line states a value nothing tests. The text is
// `before`, the value in the plain form, then `after`.
struct LimitLine {
  std::string_view before;
  std::string_view after;
  int input = -1;        // -1: shown only
  bool max = false;      // which bound of the input's limits
  double shownOnly = 0;  // the value of a shown-only line
};

struct LimitsBox {
  std::span<const LimitLine> lines;
  bool finalLineFeed;
  bool resetBeforeBox;  // the failed box is put back before the box shows
};

// What a calculator is given: the readings in the panel's input order (a
// box the entry does not read holds 0), the selected list entry (-1: none)
// and the user's number settings.
struct Readings {
  std::span<const double> values;
  int entry;
  NumberSettings settings;

  double operator[](int input) const { return values[static_cast<std::size_t>(input)]; }
};
using Calculator = void (*)(const Readings&, Outcome&);

// Where start-up takes a panel, as ranks, lowest first: it fills the lists,
// then writes the start-up texts, then solves every panel, each pass in its
// own order. Panels of equal rank go by their ids.
struct StartUpRanks {
  int fillList = 0;  // looked at only for a panel with a list
  int writeTexts = 0;
  int solve = 0;  // also the order the command-line tool lists panels in
};

// A table the help page shows after a panel's limits box, with the data
// the calculator reads: "Fuel table".
struct HelpTable {
  std::string_view caption;  // HTML, the paragraph above the table
  std::span<const std::string_view> headers;
  // The cells, row by row, one per header, as the page shows them.
  std::vector<std::vector<std::string>> (*rows)();
};

// What the help page says of a panel beyond what the data above tells.
struct HelpNotes {
  std::string_view equations;    // HTML, one <li> per line
  std::string_view conventions;  // HTML, one <li> per line; may be empty
  std::span<const HelpTable> tables{};
};

struct PanelDescriptor {
  std::string_view id{};       // "carbon": the command-line subcommand
  std::string_view frame{};    // "Frame3"
  std::string_view title{};    // "ZrO2 Carbon Probe"
  std::string_view summary{};  // what it computes, one sentence
  std::string_view solveButton{};
  std::span<const ControlSpec> controls{};  // the frame first
  std::span<const InputSpec> inputs{};      // in the order start-up writes them
  std::optional<ListSpec> list{};
  // One plan for every entry, or one per entry.
  std::span<const ReadPlan> plans{};
  // Without a selected entry the panel reads nothing and writes nothing.
  bool needsEntry = false;
  // One set for every entry, or one per entry (the unit panels).
  std::span<const std::span<const ResultSpec>> results{};
  std::span<const ConstantSpec> constants{};
  std::optional<LimitsBox> limitsBox{};
  // Unit panels: choosing an entry writes the units of its results into
  // these captions, one per result, writes its preset into the first input
  // and solves.
  std::span<const std::string_view> captionLabels{};
  std::span<const double> presets{};
  Calculator calculate{};
  StartUpRanks startUp{};
  HelpNotes help{};

  // The plan and result set of `entry`; nullptr where there is none.
  const ReadPlan* planFor(int entry) const;
  std::span<const ResultSpec> resultsFor(int entry) const;
  int inputIndex(std::string_view box) const;  // -1 if not an input
};

}  // namespace pyrelon
