// The program's logo, a furnace mouth with a flame and the name, drawn with
// QPainter. The build draws it once (logo_bake.cpp) and keeps the pixels in
// the program; logo.h hands them to the window.
#pragma once

#include <QFont>
#include <QFontInfo>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace pyrelon::qt {

// The logo at `size` device-independent pixels, rendered for
// `devicePixelRatio` so it stays sharp on scaled screens.
QPixmap drawLogo(QSize size, qreal devicePixelRatio);

// The flame alone, `side` pixels square on a transparent ground, for the
// window icon.
QPixmap drawLogoFlame(int side);

// The font the logo's name is drawn in.
QFont logoNameFont();

// The face the system gives a font, "family/style": which one the logo's
// name was drawn in.
QString resolvedFace(const QFontInfo& font);

// The sides of the window icon's flames.
inline constexpr int kLogoIconSides[] = {16, 32, 64};

}  // namespace pyrelon::qt
