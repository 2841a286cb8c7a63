// The program's logo, a furnace mouth with a flame and the name, as one
// drawing: shapes back to front on a 289 x 219 canvas, which each face
// scales to the logo's control. The desktop window paints the shapes
// (qt/logo_draw.cpp); the page shows them as the SVG logoSvg() writes.
// Toolkit-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/presentation.h"

namespace pyrelon::logo {

inline constexpr double kWidth = 289;
inline constexpr double kHeight = 219;

struct Stop {
  double offset;  // 0 to 1
  Rgb colour;
};

// How a shape is filled: not at all, in one colour, or with a gradient in
// the canvas's coordinates.
struct Fill {
  enum Kind { None, Solid, Linear, Radial } kind = None;
  Rgb colour{};
  // Linear: from (x1, y1) to (x2, y2). Radial: centred on (x1, y1), of
  // radius `radius`.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0;
  std::vector<Stop> stops{};
};

struct Stroke {
  double width = 0;  // 0: none
  Rgb colour{};
};

// One step of a path; the end point comes last in x and y.
struct Segment {
  enum Op {
    Move,
    Line,
    Cubic,    // two control points, then the end point
    HalfArc,  // the upper half of the ellipse of radii (x[0], y[0]) from
              // the current point to the end point beside it
    Close,
  } op;
  double x[3]{};
  double y[3]{};
};

struct Shape {
  enum Kind {
    Rect,   // left, top, width, height; corners rounded by `radius`
    Path,   // `path`, closed subpaths filled
    Lines,  // `path` as separate straight lines (Move, Line pairs)
    Text,   // `text`, its ink centred on (left, top) on the desktop;
            // on the page set from its baseline `baseline`
  } kind;
  double left = 0, top = 0, width = 0, height = 0, radius = 0;
  std::vector<Segment> path{};
  Fill fill{};
  Stroke stroke{};
  std::string_view text{};
  double baseline = 0;
  std::string_view family{};  // the name's font: bold italic, `size` pixels
  double size = 0;
};

// The logo, back to front.
const std::vector<Shape>& logoShapes();

// A flame standing on (cx, base), `width` wide and `height` tall, leaning a
// little to the right at its tip: four layers, back to front. The logo
// holds one; the window's icon is one alone.
std::vector<Shape> flame(double cx, double base, double width, double height);

// The logo as an SVG element filling its box, for the page.
std::string logoSvg();

}  // namespace pyrelon::logo
