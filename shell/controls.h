// Every control of the window, as data: name, kind, parent panel,
// design-time text, place and look. The Qt window builds itself from this
// table and the in-memory test window checks names and kinds against it.
#pragma once

#include <span>
#include <string_view>

namespace pyrelon {

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
  Blue,      // captions and units of input boxes, header labels
  Red,       // captions of selector lists
  Magenta,   // captions of results
  Yellow,    // release label
  LineRed,   // the decorative drawing
  Black,     // the separator of the flow panel
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
inline constexpr int kClientWidthTwips = 10155;
inline constexpr int kClientHeightTwips = 7155;

// All controls, panels before the controls they contain.
std::span<const ControlSpec> controlTable();

// The entry named `name`, or nullptr.
const ControlSpec* findControl(std::string_view name);

}  // namespace pyrelon
