// The logo as the window shows it: the pixels the build drew where they are
// the same picture, else drawn now (logo_draw.h).
#pragma once

#include <QFontInfo>
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace pyrelon::qt {

// The logo at `size` device-independent pixels for `devicePixelRatio`.
// `nameFace` is how the system resolves the name's font (Arial, bold,
// italic): any font of that family and style, of any size, tells it. The
// build's pixels serve when they were drawn at this size and ratio in the
// same face.
QPixmap logoPixmap(QSize size, qreal devicePixelRatio, const QFontInfo& nameFace);

// The flame alone, at 16, 32 and 64 pixels, for the window icon.
QIcon logoIcon();

}  // namespace pyrelon::qt
