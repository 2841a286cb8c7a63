// The logo's pixels as the build drew them, in a source file the build
// writes (logo_bake.cpp).
#pragma once

#include <cstdint>
#include <span>

namespace pyrelon::qt::baked {

struct Image {
  int width;
  int height;
  int format;                   // a QImage::Format
  const std::uint32_t* pixels;  // width * height, row by row
};

// The logo at the size of its control on the window, at a pixel ratio of 1.
extern const Image kLogo;
// The face its name was drawn in, as resolvedFace() gives it.
extern const char kLogoNameFace[];
// The icon's flames, at kLogoIconSides.
extern const Image kFlames[3];

}  // namespace pyrelon::qt::baked
