#include "shell/logo.h"

#include "core/numbers.h"

namespace pyrelon::logo {
namespace {

Segment move(double x, double y) { return {Segment::Move, {x}, {y}}; }
Segment line(double x, double y) { return {Segment::Line, {x}, {y}}; }

Fill solid(Rgb colour) { return {.kind = Fill::Solid, .colour = colour}; }

Fill vertical(double top, double bottom, Rgb from, Rgb to) {
  return {.kind = Fill::Linear, .y1 = top, .y2 = bottom, .stops = {{0, from}, {1, to}}};
}

std::vector<Shape> buildLogo() {
  std::vector<Shape> shapes;
  // Night-dark ground warming towards the furnace.
  shapes.push_back({.kind = Shape::Rect,
                    .width = kWidth,
                    .height = kHeight,
                    .fill = vertical(0, kHeight, {28, 30, 40}, {70, 24, 12})});

  // The furnace: a brick block with an arched mouth.
  constexpr double kLeft = 54, kTop = 26, kWide = 181, kHigh = 134, kCourse = 16, kBrick = 28;
  shapes.push_back({.kind = Shape::Rect,
                    .left = kLeft,
                    .top = kTop,
                    .width = kWide,
                    .height = kHigh,
                    .radius = 6,
                    .fill = solid({128, 52, 34}),
                    .stroke = {2, {30, 12, 8}}});
  Shape bricks{.kind = Shape::Lines, .stroke = {1.5, {92, 36, 24}}};
  for (double y = kTop + kCourse; y < kTop + kHigh; y += kCourse) {
    bricks.path.push_back(move(kLeft + 2, y));
    bricks.path.push_back(line(kLeft + kWide - 2, y));
    const int row = static_cast<int>((y - kTop) / kCourse);
    for (double x = kLeft + (row % 2 ? kBrick / 2 : kBrick); x < kLeft + kWide; x += kBrick) {
      bricks.path.push_back(move(x, y - kCourse));
      bricks.path.push_back(line(x, y));
    }
  }
  shapes.push_back(std::move(bricks));

  shapes.push_back(
      {.kind = Shape::Path,
       .path = {move(92, 160),
                line(92, 106),
                {Segment::HalfArc, {52.5, 0, 197}, {52, 0, 106}},
                line(197, 160),
                {Segment::Close}},
       .fill = {.kind = Fill::Radial,
                .x1 = 144,
                .y1 = 150,
                .radius = 90,
                .stops = {{0, {255, 200, 90}}, {0.5, {200, 70, 20}}, {1, {60, 14, 6}}}},
       .stroke = {4, {40, 16, 10}}});

  for (Shape& layer : flame(144, 158, 84, 98)) shapes.push_back(std::move(layer));

  // Hearth below the mouth.
  shapes.push_back({.kind = Shape::Rect,
                    .left = 40,
                    .top = 158,
                    .width = 209,
                    .height = 8,
                    .fill = solid({50, 50, 56})});

  shapes.push_back({.kind = Shape::Text,
                    .left = kWidth / 2,
                    .top = 198,
                    .fill = vertical(178, 216, {255, 236, 140}, {255, 140, 30}),
                    .stroke = {2.5, {60, 16, 6}},
                    .text = "Pyrelon",
                    .baseline = 212,
                    .family = "Arial",
                    .size = 40});
  return shapes;
}

// At most two decimals, no trailing zeros: "52.5", "144", "85.48".
std::string number(double value) {
  std::string text = formatPattern(value, "0.##", ".");
  if (text.ends_with('.')) text.pop_back();
  return text;
}

std::string hex(Rgb colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "#";
  for (const int part : {colour.red, colour.green, colour.blue}) {
    out += kHex[part / 16];
    out += kHex[part % 16];
  }
  return out;
}

std::string attribute(std::string_view name, const std::string& value) {
  return " " + std::string(name) + "=\"" + value + "\"";
}

std::string pathData(const std::vector<Segment>& path) {
  std::string d;
  double atX = 0;
  double atY = 0;
  for (const Segment& s : path) {
    switch (s.op) {
      case Segment::Move: d += "M" + number(s.x[0]) + "," + number(s.y[0]); break;
      case Segment::Line:
        if (s.y[0] == atY) {
          d += "H" + number(s.x[0]);
        } else if (s.x[0] == atX) {
          d += "V" + number(s.y[0]);
        } else {
          d += "L" + number(s.x[0]) + "," + number(s.y[0]);
        }
        break;
      case Segment::Cubic:
        d += "C" + number(s.x[0]) + "," + number(s.y[0]) + " " + number(s.x[1]) + "," +
             number(s.y[1]) + " " + number(s.x[2]) + "," + number(s.y[2]);
        break;
      case Segment::HalfArc:
        d += "A" + number(s.x[0]) + "," + number(s.y[0]) + " 0 0 1 " + number(s.x[2]) + "," +
             number(s.y[2]);
        break;
      case Segment::Close: d += "Z"; break;
    }
    const int last =
        s.op == Segment::Close ? -1 : (s.op == Segment::Move || s.op == Segment::Line ? 0 : 2);
    if (last >= 0) {
      atX = s.x[last];
      atY = s.y[last];
    }
  }
  return d;
}

// The gradient's definition, and how a shape refers to it.
std::string gradient(const Fill& fill, const std::string& id) {
  std::string out;
  if (fill.kind == Fill::Linear) {
    out = "<linearGradient id=\"" + id + "\"" + attribute("x1", number(fill.x1)) +
          attribute("y1", number(fill.y1)) + attribute("x2", number(fill.x2)) +
          attribute("y2", number(fill.y2)) + " gradientUnits=\"userSpaceOnUse\">";
  } else {
    out = "<radialGradient id=\"" + id + "\"" + attribute("cx", number(fill.x1)) +
          attribute("cy", number(fill.y1)) + attribute("r", number(fill.radius)) +
          " gradientUnits=\"userSpaceOnUse\">";
  }
  for (const Stop& stop : fill.stops)
    out += "<stop" + attribute("offset", number(stop.offset)) +
           attribute("stop-color", hex(stop.colour)) + "/>";
  return out + (fill.kind == Fill::Linear ? "</linearGradient>" : "</radialGradient>");
}

}  // namespace

const std::vector<Shape>& logoShapes() {
  static const std::vector<Shape> kShapes = buildLogo();
  return kShapes;
}

std::vector<Shape> flame(double cx, double base, double width, double height) {
  struct Layer {
    double scale;
    Rgb outer;
    Rgb inner;
  };
  constexpr Layer kLayers[] = {
      {1.00, {190, 30, 10}, {240, 90, 20}},
      {0.74, {245, 110, 20}, {255, 170, 40}},
      {0.48, {255, 200, 50}, {255, 240, 150}},
      {0.24, {255, 250, 210}, {255, 255, 255}},
  };
  std::vector<Shape> layers;
  for (const Layer& layer : kLayers) {
    const double w = width * layer.scale;
    const double h = height * layer.scale;
    // A point `a` widths right of the centre and `b` heights above the base.
    const auto at = [&](double a, double b) { return std::pair(cx + w * a, base - h * b); };
    const auto cubic = [&](std::pair<double, double> p, std::pair<double, double> q,
                           std::pair<double, double> r) {
      return Segment{Segment::Cubic, {p.first, q.first, r.first}, {p.second, q.second, r.second}};
    };
    layers.push_back({.kind = Shape::Path,
                      .path = {move(cx, base),
                               cubic(at(-0.62, 0), at(-0.62, 0.42), at(-0.30, 0.66)),
                               cubic(at(-0.12, 0.80), at(-0.10, 0.90), at(0.06, 1)),
                               cubic(at(0.04, 0.84), at(0.20, 0.74), at(0.34, 0.56)),
                               cubic(at(0.62, 0.30), at(0.50, 0), at(0, 0)),
                               {Segment::Close}},
                      .fill = {.kind = Fill::Linear,
                               .x1 = cx,
                               .y1 = base - h,
                               .x2 = cx,
                               .y2 = base,
                               .stops = {{0, layer.outer}, {1, layer.inner}}}});
  }
  return layers;
}

std::string logoSvg() {
  std::string defs;
  std::string body;
  int gradients = 0;
  for (const Shape& shape : logoShapes()) {
    std::string paint;
    if (shape.fill.kind == Fill::Solid) {
      paint = attribute("fill", hex(shape.fill.colour));
    } else if (shape.fill.kind == Fill::None) {
      paint = " fill=\"none\"";
    } else {
      const std::string id = "logo" + std::to_string(gradients++);
      defs += gradient(shape.fill, id);
      paint = " fill=\"url(#" + id + ")\"";
    }
    if (shape.stroke.width > 0)
      paint += attribute("stroke", hex(shape.stroke.colour)) +
               attribute("stroke-width", number(shape.stroke.width));
    switch (shape.kind) {
      case Shape::Rect:
        body += "<rect" + attribute("x", number(shape.left)) + attribute("y", number(shape.top)) +
                attribute("width", number(shape.width)) + attribute("height", number(shape.height));
        if (shape.radius > 0) body += attribute("rx", number(shape.radius));
        body += paint + "/>\n";
        break;
      case Shape::Path:
      case Shape::Lines:
        body += "<path" + attribute("d", pathData(shape.path)) + paint + "/>\n";
        break;
      case Shape::Text:
        body += "<text" + attribute("x", number(shape.left)) +
                attribute("y", number(shape.baseline)) + " text-anchor=\"middle\" font-family=\"" +
                std::string(shape.family) + ", 'Liberation Sans', sans-serif\"" +
                attribute("font-size", number(shape.size)) +
                " font-weight=\"bold\" font-style=\"italic\"" + paint + " paint-order=\"stroke\">" +
                std::string(shape.text) + "</text>\n";
        break;
    }
  }
  return "<svg viewBox=\"0 0 " + number(kWidth) + " " + number(kHeight) +
         "\" preserveAspectRatio=\"none\" aria-hidden=\"true\" focusable=\"false\">\n<defs>" +
         defs + "</defs>\n" + body + "</svg>";
}

}  // namespace pyrelon::logo
