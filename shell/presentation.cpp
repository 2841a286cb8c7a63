#include "shell/presentation.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "shell/controls.h"
#include "shell/panels.h"

namespace pyrelon {
namespace {

// Controls whose tops lie this close to the first of a row share the row.
constexpr int kRowToleranceTwips = 150;

std::vector<const ControlSpec*> buildTabOrder() {
  const std::span<const ControlSpec> table = controlTable();
  std::vector<const ControlSpec*> order;
  order.reserve(table.size());
  for (const ControlSpec& spec : table) {
    if (!spec.parent.empty()) continue;
    order.push_back(&spec);
    if (spec.kind != ControlKind::Panel) continue;
    std::vector<const ControlSpec*> members;
    std::vector<const ControlSpec*> rest;
    for (const ControlSpec& member : table) {
      if (member.parent != spec.name) continue;
      (takesFocus(member.kind) ? members : rest).push_back(&member);
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->top < b->top; });
    std::vector<std::pair<int, const ControlSpec*>> rows;
    int row = 0;
    int rowTop = members.empty() ? 0 : members.front()->top;
    for (const ControlSpec* member : members) {
      if (member->top - rowTop > kRowToleranceTwips) {
        ++row;
        rowTop = member->top;
      }
      rows.emplace_back(row, member);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : a.second->left < b.second->left;
    });
    for (const auto& entry : rows) order.push_back(entry.second);
    order.insert(order.end(), rest.begin(), rest.end());
  }
  return order;
}

// What a control covers on its parent, in whole pixels, the right and
// bottom edges included; a line covers its end points and its pen around
// them.
struct Cover {
  int left, top, right, bottom;
};

Cover coverOf(const ControlSpec& spec) {
  if (spec.kind != ControlKind::Line) {
    const PixelRect r = pixelRect(spec);
    return {r.left, r.top, r.left + r.width - 1, r.top + r.height - 1};
  }
  const double pen = penWidthOf(spec);
  const auto exact = [](int twips) { return static_cast<double>(twips) / kTwipsPerPixel; };
  const double x1 = std::min(exact(spec.left), exact(spec.width)) - pen;
  const double x2 = std::max(exact(spec.left), exact(spec.width)) + pen;
  const double y1 = std::min(exact(spec.top), exact(spec.height)) - pen;
  const double y2 = std::max(exact(spec.top), exact(spec.height)) + pen;
  const auto floorOf = [](double v) { return static_cast<int>(std::floor(v)); };
  const auto ceilOf = [](double v) { return static_cast<int>(std::ceil(v)); };
  return {floorOf(x1), floorOf(y1), ceilOf(x2) - 1, ceilOf(y2) - 1};
}

}  // namespace

PixelRect pixelRect(const ControlSpec& spec) {
  return {pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height)};
}

Rgb rgbOf(Colour colour) {
  switch (colour) {
    case Colour::Blue: return {0, 0, 255};
    case Colour::Red: return {255, 0, 0};
    case Colour::Magenta: return {192, 0, 192};
    case Colour::Yellow: return {255, 255, 0};
    case Colour::LineRed: return {192, 0, 0};
    case Colour::Black:
    case Colour::Default: break;
  }
  return {0, 0, 0};
}

std::string cssColourOf(Colour colour) {
  if (colour == Colour::Default) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  const Rgb rgb = rgbOf(colour);
  std::string css = "#";
  for (const int part : {rgb.red, rgb.green, rgb.blue}) {
    css += kHex[part / 16];
    css += kHex[part % 16];
  }
  return css;
}

int penWidthOf(const ControlSpec& line) { return line.colour == Colour::LineRed ? 2 : 1; }

bool wearsMenuGround(const ControlSpec& panel) {
  const auto layout = panelsInLayoutOrder();
  return panel.kind == ControlKind::Panel && !layout.empty() &&
         layout.front()->controls.front().name == panel.name;
}

bool takesFocus(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::List || kind == ControlKind::Button ||
         kind == ControlKind::ResultLabel || kind == ControlKind::Picture;
}

const std::vector<const ControlSpec*>& tabOrder() {
  static const std::vector<const ControlSpec*> kOrder = buildTabOrder();
  return kOrder;
}

NamingLabels namingLabelsOf(const ControlSpec& spec) {
  NamingLabels labels;
  if (spec.kind != ControlKind::TextBox && spec.kind != ControlKind::List &&
      spec.kind != ControlKind::ResultLabel)
    return labels;
  const std::span<const ControlSpec> table = controlTable();
  std::size_t i = 0;
  while (i < table.size() && table[i].name != spec.name) ++i;
  if (i == table.size()) return labels;
  for (std::size_t j = i; j-- > 0;) {
    if (table[j].parent != spec.parent) break;
    if (table[j].kind == ControlKind::Label) {
      labels.caption = table[j].name;
      break;
    }
  }
  if (i + 1 < table.size()) {
    const ControlSpec& next = table[i + 1];
    if (next.kind == ControlKind::Label && next.parent == spec.parent &&
        next.top >= spec.top + spec.height)
      labels.unit = next.name;
  }
  return labels;
}

std::string buttonNameOf(const ControlSpec& button) {
  const ControlSpec* panel = findControl(button.parent);
  return std::string(button.text) + ", " + std::string(panel ? panel->text : "");
}

PixelRect captionPlace(const ControlSpec& caption, int neededPixels) {
  PixelRect place = pixelRect(caption);
  const int missing = std::max(0, neededPixels - place.width);
  if (caption.align == Align::Centre) place.left -= (missing + 1) / 2;
  place.width += missing;
  return place;
}

PixelSpan roomAmong(const PixelRect& place, std::span<const PixelRect> others, int panelWidth) {
  const int top = place.top;
  const int bottom = place.top + place.height - 1;
  const int leftEdge = place.left;
  const int rightEdge = place.left + place.width - 1;
  // Two pixels within the panel's frame, which is three pixels wide.
  constexpr int kFrame = 3;
  constexpr int kInset = 2;
  int left = kFrame + kInset;
  int right = panelWidth - kFrame - kInset;
  for (const PixelRect& g : others) {
    const int overlap = std::min(g.top + g.height - 1, bottom) - std::max(g.top, top);
    if (overlap <= place.height / 3) continue;
    const int gRight = g.left + g.width - 1;
    if (gRight < leftEdge) left = std::max(left, (gRight + 1 + leftEdge) / 2 + 1);
    if (g.left > rightEdge) right = std::min(right, (g.left + rightEdge + 1) / 2 - 1);
  }
  return {left, right};
}

PixelSpan resultRoom(const ControlSpec& result) {
  const ControlSpec* panel = findControl(result.parent);
  std::vector<PixelRect> others;
  for (const ControlSpec& other : controlTable()) {
    if (other.parent != result.parent || other.name == result.name) continue;
    const Cover g = coverOf(other);
    others.push_back({g.left, g.top, g.right - g.left + 1, g.bottom - g.top + 1});
  }
  const PixelRect place = pixelRect(result);
  return roomAmong(place, others,
                   panel == nullptr ? place.left + place.width + 5 : pixels(panel->width));
}

ResultPlace resultPlace(const PixelRect& own, const PixelSpan& room, int neededPixels) {
  if (neededPixels <= own.width) return {own, false};
  const int roomLeft = std::min(room.left, own.left);
  const int roomRight = std::max(room.right, own.left + own.width);
  if (neededPixels <= roomRight - roomLeft) {
    // Centred on its own place as far as the room allows.
    const int centre = own.left + (own.width - 1) / 2;
    const int left = std::clamp(centre + 1 - neededPixels / 2, roomLeft, roomRight - neededPixels);
    return {{left, own.top, neededPixels, own.height}, false};
  }
  return {{roomLeft, own.top, roomRight - roomLeft, own.height}, true};
}

}  // namespace pyrelon
