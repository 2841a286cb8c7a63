// The presentation model, with places worked by hand from the control
// table's twips (15 to the pixel, halves up). The names a screen reader
// hears are pinned by tests/golden/window.txt; the client's size by
// gui/window_test.cpp (677 x 477 px) and, a panel added, by
// extension/extension_test.cpp (10155 twips wide).
#include "shell/presentation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/controls.h"
#include "shell/logo.h"

namespace pyrelon {
namespace {

const ControlSpec& control(std::string_view name) {
  const ControlSpec* found = findControl(name);
  EXPECT_NE(found, nullptr) << name;
  return *found;
}

TEST(Presentation, PixelsRoundHalvesUp) {
  // clang-format off
  const struct { const char* name; int twips, pixels; } rows[] = {
      {"below a half", 7, 0}, {"a half and more", 8, 1}, {"whole", 15, 1},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(pixels(r.twips), r.pixels) << r.name;
}

TEST(Presentation, ColoursAndPens) {
  // clang-format off
  const struct { const char* name; Colour colour; const char* css; } rows[] = {
      {"default keeps the kind's colour", Colour::Default, ""},
      {"blue captions", Colour::Blue, "#0000ff"}, {"red list captions", Colour::Red, "#ff0000"},
      {"magenta result captions", Colour::Magenta, "#c000c0"},
      {"yellow release", Colour::Yellow, "#ffff00"},
      {"the red drawing", Colour::LineRed, "#c00000"}, {"the black rule", Colour::Black, "#000000"},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(cssColourOf(r.colour), r.css) << r.name;
  EXPECT_EQ(penWidthOf(control("Line29")), 2);
  EXPECT_TRUE(wearsMenuGround(control("Frame1")));
  EXPECT_FALSE(wearsMenuGround(control("Frame5")));
  EXPECT_FALSE(wearsMenuGround(control("Label8")));
}

TEST(Presentation, TabOrderGoesRowByRowWithinEachPanel) {
  std::vector<std::string_view> order;
  for (const ControlSpec* c : tabOrder()) order.push_back(c->name);
  // The nitriding panel: one row (tops 480 and 495 lie within 150 twips),
  // left to right, then the captions that take no focus.
  const std::vector<std::string_view> nitriding{"Frame5", "HTxt",    "NTxt",    "NkBtn",
                                                "NkLbl",  "Label34", "Label35", "Lab6"};
  const auto at = std::find(order.begin(), order.end(), "Frame5");
  ASSERT_NE(at, order.end());
  EXPECT_EQ(std::vector<std::string_view>(at, at + 8), nitriding);
  // The first panel first; every control once.
  EXPECT_EQ(order.front(), "Frame1");
  EXPECT_EQ(order.size(), controlTable().size());
}

TEST(Presentation, ACaptionGrowsToHoldItsText) {
  // "% H2": 120, 240, 690, 255 twips -> 8, 16, 46, 17 px, centred.
  // "By Quorvent": 7125, 4785, 1770, 375 twips -> 475, 319, 118, 25 px, left-aligned.
  // clang-format off
  const struct { const char* name; const char* caption; int needed; PixelRect place; } rows[] = {
      {"fits: its own place", "Label34", 46, {8, 16, 46, 17}},
      {"centred, 5 short: 3 to the left, 2 to the right", "Label34", 51, {5, 16, 51, 17}},
      {"centred, 4 short: 2 and 2", "Label34", 50, {6, 16, 50, 17}},
      {"left-aligned grows to the right", "Label8", 130, {475, 319, 130, 25}},
  };
  // clang-format on
  for (const auto& r : rows)
    EXPECT_EQ(captionPlace(control(r.caption), r.needed), r.place) << r.name;
}

TEST(Presentation, AResultWidensIntoItsRoom) {
  // NkLbl: 2550, 480, 735, 315 twips -> 170, 32, 49, 21 px in Frame5, 229 px
  // wide. NkBtn ends at pixel 163: halfway is (164 + 170) / 2 = 167, a pixel
  // on 168; the frame (3) and 2 pixels leave 229 - 5 = 224.
  EXPECT_EQ(resultRoom(control("NkLbl")), (PixelSpan{168, 224}));
  const PixelRect own{170, 32, 49, 21};
  // clang-format off
  const struct {
    const char* name; int needed; PixelRect place; bool shortened; PixelSpan room = {168, 224};
  } rows[] = {
      {"fits", 49, own, false},
      // Centred on pixel 194: 195 - 26 = 169, within the room.
      {"wider, centred", 52, {169, 32, 52, 21}, false},
      // 195 - 28 = 167 lies left of the room: held at 168.
      {"wider, held by the room's left", 56, {168, 32, 56, 21}, false},
      {"wider than the room: the whole room, shortened", 60, {168, 32, 56, 21}, true},
      // A room ending at 200, inside its own place (170 to 218), still
      // reaches the place's end: 168 to 218, 51 pixels.
      {"a room short of its own place keeps the place", 52, {168, 32, 51, 21}, true, {168, 200}},
  };
  // clang-format on
  for (const auto& r : rows) {
    const ResultPlace got = resultPlace(own, r.room, r.needed);
    EXPECT_EQ(got.place, r.place) << r.name;
    EXPECT_EQ(got.shortened, r.shortened) << r.name;
  }
}

TEST(Presentation, ARoomEndsHalfwayToWhatStandsBesideIt) {
  // A result at 100, 20, 40 x 21 (pixels 100 to 139, rows 20 to 40) in a
  // panel 300 wide: alone it may take 5 to 295. A third of its height is 7
  // rows.
  const PixelRect place{100, 20, 40, 21};
  // clang-format off
  const struct { const char* name; std::vector<PixelRect> others; PixelSpan room; } rows[] = {
      {"alone: the frame and two pixels", {}, {5, 295}},
      {"to the left: (79 + 1 + 100) / 2, a pixel on", {{50, 20, 30, 21}}, {91, 295}},
      {"to the right: (200 + 139 + 1) / 2, a pixel short", {{200, 20, 30, 21}}, {5, 169}},
      {"the nearer of two on the left", {{10, 20, 30, 21}, {50, 20, 30, 21}}, {91, 295}},
      {"below, sharing a third of the height: not beside it", {{50, 33, 30, 21}}, {5, 295}},
      {"above, sharing a third of the height: not beside it", {{50, 7, 30, 21}}, {5, 295}},
      {"sharing 8 rows: beside it", {{50, 32, 30, 21}}, {91, 295}},
      {"reaching into its first column: neither side", {{71, 20, 30, 21}}, {5, 295}},
      {"starting in its last column: neither side", {{139, 20, 30, 21}}, {5, 295}},
  };
  // clang-format on
  for (const auto& r : rows) EXPECT_EQ(roomAmong(place, r.others, 300), r.room) << r.name;
}

TEST(Presentation, TheLogoIsOneDrawing) {
  const std::string svg = logo::logoSvg();
  for (const char* part : {
           "<svg viewBox=\"0 0 289 219\"",
           // The furnace's mouth: an arch of radii 52.5 and 52 over (92..197, 106).
           "d=\"M92,160V106A52.5,52 0 0 1 197,106V160Z\"",
           // The outer flame's tip: 144 + 84 x 0.06, 158 - 98.
           "149.04,60C",
           // The hearth.
           "<rect x=\"40\" y=\"158\" width=\"209\" height=\"8\" fill=\"#323238\"/>",
           ">Pyrelon</text>",
       })
    EXPECT_NE(svg.find(part), std::string::npos) << part;
  // The ground, the furnace, its bricks, its mouth, four flames, the
  // hearth and the name.
  EXPECT_EQ(logo::logoShapes().size(), 10u);
}

}  // namespace
}  // namespace pyrelon
