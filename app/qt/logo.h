// The program's logo: a furnace mouth with a flame and the name, drawn with
// QPainter rather than loaded from a file.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace pyrelon::qt {

// The logo at `size` device-independent pixels, rendered for
// `devicePixelRatio` so it stays sharp on scaled screens.
QPixmap logoPixmap(QSize size, qreal devicePixelRatio);

// The flame alone, square, for the window icon.
QIcon logoIcon();

}  // namespace pyrelon::qt
