// How every face presents the control table, decided once: whole pixels
// from twips, colours and pen widths, the tab order, which labels name a
// control for a screen reader, and how a caption too wide for its place
// grows. The desktop window uses these directly; the page receives them
// through the WebAssembly module. Toolkit-free.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/panel.h"

namespace pyrelon {

// Twips to whole pixels, to the nearest, halves up: 15 twips to the pixel.
//   pixels(7) == 0, pixels(8) == 1, pixels(10155) == 677
constexpr int pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

// A control's place in whole pixels, relative to its parent (for a line,
// its two end points as x1, y1, x2, y2).
PixelRect pixelRect(const ControlSpec& spec);

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};

// The colour a control's text or line is drawn in; black for Default.
Rgb rgbOf(Colour colour);
// "#c000c0", as a page's style writes it; empty for Default, whose text
// keeps the colour of its kind.
std::string cssColourOf(Colour colour);
// The pen of a line, in pixels: the red drawing 2, others 1.
int penWidthOf(const ControlSpec& line);

// The colours every face gives the kinds of control.
inline constexpr Rgb kClientGround{192, 192, 192};
inline constexpr Rgb kPanelTitle{0, 128, 0};
inline constexpr Rgb kResultText{255, 255, 0};
inline constexpr Rgb kStaleResultText{128, 128, 0};  // a result that no longer matches its inputs
inline constexpr Rgb kPartReadText{204, 51, 0};      // a box read only in part

// The first panel on the window wears the menu's ground, the others the
// buttons'.
bool wearsMenuGround(const ControlSpec& panel);

// Whether a control of this kind takes the keyboard focus.
bool takesFocus(ControlKind kind);

// Every control in tab order: the controls standing on the window in the
// table's order, each panel followed by its members. Within a panel the
// members that take the focus go row by row, left to right within a row,
// controls whose tops lie within 150 twips (ten pixels) of the row's first
// sharing the row; the members that take no focus follow in the table's
// order.
const std::vector<const ControlSpec*>& tabOrder();

// The labels that name an input box, a list or a result for a screen
// reader, by name: its caption, the nearest label before it in its panel;
// its unit, a label right after it standing below it. Either may be empty;
// both are for other kinds of control.
struct NamingLabels {
  std::string_view caption;
  std::string_view unit;
};
NamingLabels namingLabelsOf(const ControlSpec& spec);

// A Solve button's name for a screen reader: its text and its panel's
// title, "Solve, NK Factor".
std::string buttonNameOf(const ControlSpec& button);

// Where a one-line caption stands when its text needs `neededPixels`: its
// own place where that suffices; else a left-aligned caption grows to the
// right and a centred one to both sides, the odd pixel to the left.
//   a centred caption at 8, 16 wide, needing 21: left 5, width 21
PixelRect captionPlace(const ControlSpec& caption, int neededPixels);

// The span a result may widen over, in whole pixels of its panel, from
// `left` up to but not including `right`: halfway toward the nearest
// control beside it (one that shares more than a third of its height), a
// pixel short of whatever widens toward it from the other side, or to two
// pixels within its panel's frame (three pixels wide).
struct PixelSpan {
  int left, right;
  bool operator==(const PixelSpan&) const = default;
};
PixelSpan resultRoom(const ControlSpec& result);
// The same for a result at `place` among `others`, the places of the other
// controls of its panel, in a panel `panelWidth` pixels wide.
//   place 170, 32, 49, 21 beside a button ending at pixel 163, in a panel
//   229 wide -> 168 to 224
PixelSpan roomAmong(const PixelRect& place, std::span<const PixelRect> others, int panelWidth);

// Where a result whose own place is `own` stands when its text, in the
// smallest font it may take, needs `neededPixels`: its own place where that
// suffices; else as wide as needed, centred on its place as far as `room`
// (widened to hold `own`) allows; else the whole room, and the text is
// drawn shortened.
//   own 10, 40 wide, room 0 to 100, needing 50: left 6, 50 wide
struct ResultPlace {
  PixelRect place;
  bool shortened = false;
};
ResultPlace resultPlace(const PixelRect& own, const PixelSpan& room, int neededPixels);

}  // namespace pyrelon
